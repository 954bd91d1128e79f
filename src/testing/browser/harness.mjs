// Drives Debian's chromium headless through puppeteer-core: opens a page from a file,
// keeps what the page logged and threw, and reads boxes, attributes and printed pages.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export const chromiumPath = '/usr/bin/chromium';

// What a run needs but a developer machine may lack; empty when everything is there.
export async function missingTools() {
  const missing = [];
  if (!existsSync(chromiumPath)) missing.push(`${chromiumPath} (Debian package chromium)`);
  try {
    await import('puppeteer-core');
  } catch {
    missing.push('puppeteer-core (scripts/setup test installs it with npm)');
  }
  try {
    execFileSync('pdfinfo', ['-v'], { stdio: 'ignore' });
  } catch {
    missing.push('pdfinfo (Debian package poppler-utils)');
  }
  return missing;
}

// A headless chromium with a profile of its own and no network use. --no-sandbox:
// chromium refuses to run as root without it. Printing the 1,000 km report can take
// minutes on a busy machine: a call may last 10 minutes, within ctest's own limit.
export async function launch() {
  const { default: puppeteer } = await import('puppeteer-core');
  const profile = mkdtempSync(join(tmpdir(), 'tracciato-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: chromiumPath,
    headless: true,
    userDataDir: profile,
    protocolTimeout: 600_000,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run', '--hide-scrollbars'],
  });
  return {
    browser,
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens FILE in a new tab of SESSION. `problems` collects console errors, uncaught
// exceptions and refused loads, each as a line of text.
export async function open(session, file, { javaScript = true, width = 1440, height = 900 } = {}) {
  const page = await session.browser.newPage();
  const problems = [];
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push(`console error: ${m.text()}`);
  });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`refused load: ${r.url()}`));
  await page.setJavaScriptEnabled(javaScript);
  await page.setViewport({ width, height });
  await page.goto(pathToFileURL(file).href, { waitUntil: 'load' });
  return { page, problems };
}

// The boxes of the elements matching SELECTOR that are shown: rendered, not hidden by
// visibility or display, and of some size.
export function shownBoxes(page, selector) {
  return page.$$eval(selector, (elements) =>
    elements
      .filter((e) => {
        const style = getComputedStyle(e);
        if (style.visibility !== 'visible' || style.display === 'none') return false;
        const r = e.getBoundingClientRect();
        return r.width > 0 && r.height > 0;
      })
      .map((e) => {
        const r = e.getBoundingClientRect();
        return { text: e.textContent, left: r.left, top: r.top, right: r.right, bottom: r.bottom };
      }));
}

// The pairs of boxes that share some area (touching edges do not count).
export function overlappingPairs(boxes) {
  const sorted = [...boxes].sort((a, b) => a.left - b.left);
  const pairs = [];
  for (let i = 0; i < sorted.length; ++i) {
    for (let j = i + 1; j < sorted.length && sorted[j].left < sorted[i].right; ++j) {
      const a = sorted[i];
      const b = sorted[j];
      if (a.top < b.bottom && b.top < a.bottom) pairs.push([a, b]);
    }
  }
  return pairs;
}

// The box of the first element matching SELECTOR, in viewport pixels.
export function box(page, selector) {
  return page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return { left: r.left, top: r.top, right: r.right, bottom: r.bottom,
      width: r.width, height: r.height };
  });
}

export function attribute(page, selector, name) {
  return page.$eval(selector, (e, n) => e.getAttribute(n), name);
}

export function texts(page, selector) {
  return page.$$eval(selector, (elements) => elements.map((e) => e.textContent.trim()));
}

// The page printed as the print stylesheet asks (its @page size), to FILE if given. A long
// route prints many pages: the test's own time limit bounds it, not puppeteer's 30 s.
export async function printToPdf(page, file) {
  const pdf = await page.pdf({ preferCSSPageSize: true, printBackground: true, timeout: 0 });
  if (file) writeFileSync(file, pdf);
  return pdf;
}

// What poppler's pdfinfo says of a PDF.
function pdfInfo(pdf) {
  const dir = mkdtempSync(join(tmpdir(), 'tracciato-pdf-'));
  try {
    const file = join(dir, 'page.pdf');
    writeFileSync(file, pdf);
    return execFileSync('pdfinfo', [file], { encoding: 'utf8' });
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

export function pdfPageCount(pdf) {
  const info = pdfInfo(pdf);
  const pages = /^Pages:\s+(\d+)$/m.exec(info);
  if (!pages) throw new Error(`pdfinfo gives no page count:\n${info}`);
  return Number(pages[1]);
}

// The size of the first page, in points.
export function pdfPageSize(pdf) {
  const info = pdfInfo(pdf);
  const size = /^Page size:\s+([\d.]+) x ([\d.]+) pts/m.exec(info);
  if (!size) throw new Error(`pdfinfo gives no page size:\n${info}`);
  return { width: Number(size[1]), height: Number(size[2]) };
}
