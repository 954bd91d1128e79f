// Screenshots of a report page in headless chromium, into DIR:
//   report.png          the first view, the whole page
//   report-zoomed.png   the profile zoomed in twice, the pointer on it and its readout
//   report-print.png    the first printed page (report.pdf holds them all)
//   node screenshots.mjs PAGE DIR
import { execFileSync } from 'node:child_process';
import { join, resolve } from 'node:path';

import * as browser from './harness.mjs';

const [pageFile, dir] = process.argv.slice(2).map((a) => resolve(a));
if (!pageFile || !dir) {
  console.error('usage: screenshots.mjs PAGE DIR');
  process.exit(2);
}
const missing = await browser.missingTools();
if (missing.length > 0) {
  console.error(`screenshots need ${missing.join(', ')}`);
  process.exit(1);
}

const session = await browser.launch();
try {
  const { page, problems } = await browser.open(session, pageFile);
  await page.screenshot({ path: join(dir, 'report.png'), fullPage: true });

  const zoomIn = await page.$('[data-view="profile"] button.zoom-in');
  for (let i = 0; i < 2 && zoomIn; ++i) await zoomIn.click();
  await page.$eval('svg#profile', (e) => e.scrollIntoView({ block: 'center' }));
  const profile = await browser.box(page, 'svg#profile');
  await page.mouse.move(profile.left + profile.width * 0.6, profile.top + profile.height * 0.4);
  const readout = (await page.$('#readout')) ? await browser.box(page, '#readout') : profile;
  // The clip is in page coordinates, the boxes in the viewport's.
  const scrolled = await page.evaluate(() => window.scrollY);
  const top = Math.max(0, Math.min(profile.top, readout.top) - 40) + scrolled;
  const bottom = Math.max(profile.bottom, readout.bottom) + 40 + scrolled;
  await page.screenshot({
    path: join(dir, 'report-zoomed.png'),
    clip: { x: 0, y: top, width: page.viewport().width, height: bottom - top },
  });

  await page.emulateMediaType('print');
  await browser.printToPdf(page, join(dir, 'report.pdf'));
  execFileSync('pdftoppm', ['-png', '-r', '80', '-f', '1', '-l', '1', '-singlefile',
    join(dir, 'report.pdf'), join(dir, 'report-print')]);
  for (const p of problems) console.error(p);
} finally {
  await session.close();
}
