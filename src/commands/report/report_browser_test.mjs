// The report page as headless chromium shows it, prints it and lets a reader zoom, pan
// and hover it.
//   node report_browser_test.mjs SCENARIO TRACCIATO [TRACCIATO_GENERATE]
// SCENARIO: `embedded` (the program's own scenario), `1000km` (the generated scenario of
// 1,000 km, which needs TRACCIATO_GENERATE) or the path of a ready page. Exits 77 (skipped)
// where chromium, puppeteer-core or pdfinfo is missing, unless CI is set.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, before, describe, test } from 'node:test';

import * as browser from '../../testing/browser/harness.mjs';

const [scenario, tracciato, generator] = process.argv.slice(2);
if (!scenario || (!tracciato && !scenario.endsWith('.html'))) {
  console.error(
    'usage: report_browser_test.mjs embedded|1000km|PAGE.html TRACCIATO [TRACCIATO_GENERATE]');
  process.exit(2);
}
const missing = await browser.missingTools();
if (missing.length > 0) {
  console.error(`the report's browser tests need ${missing.join(', ')}`);
  process.exit(process.env.CI ? 1 : 77);
}

// The page of SCENARIO, written into DIR.
function writeReport(dir) {
  if (scenario.endsWith('.html')) return resolve(scenario);
  const page = join(dir, 'report.html');
  const run = (program, args) => execFileSync(program, args, { cwd: dir, encoding: 'utf8' });
  if (scenario === 'embedded') {
    run(tracciato, ['report', '--out', page]);
  } else if (scenario === '1000km') {
    const [line, train] = run(generator, ['1000000', dir]).trim().split('\n');
    run(tracciato, ['report', line, train, '--out', page]);
  } else {
    throw new Error(`unknown scenario ${scenario}`);
  }
  return page;
}

// Lets the page's script answer an event: two frames pass.
function settle(page) {
  return page.evaluate(
    () => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
}

async function shownSpan(page) {
  const from = Number(await browser.attribute(page, 'svg#profile', 'data-from'));
  const to = Number(await browser.attribute(page, 'svg#profile', 'data-to'));
  return { from, to };
}

async function click(page, view, button) {
  await page.click(`[data-view="${view}"] button.${button}`);
  await settle(page);
}

// A point inside VIEW at fractions FX, FY of its box, scrolled into the viewport first (the
// mouse reaches only what is in it).
async function pointIn(page, view, fx, fy = 0.5) {
  await page.$eval(`svg#${view}`, (e) => e.scrollIntoView({ block: 'center', inline: 'nearest' }));
  const b = await browser.box(page, `svg#${view}`);
  return { x: b.left + b.width * fx, y: b.top + b.height * fy };
}

// The six parts of the readout: "4,050 m · km 135+618 · limit 120 km/h · gradient 12 ‰ ·
// elevation 34 m · cell 81".
const readoutForm = new RegExp(
  '^([\\d,]+) m · km \\d+\\+\\d{3} · limit \\d+ km/h · ' +
    'gradient [-−]?\\d+(?:\\.\\d+)? ‰ · elevation [-−]?\\d+ m · cell (\\d+)$');

async function hover(page, fx) {
  const p = await pointIn(page, 'profile', fx);
  await page.mouse.move(p.x, p.y);
  await settle(page);
  const text = (await browser.texts(page, '#readout'))[0];
  const parts = readoutForm.exec(text);
  assert.ok(parts, `the readout "${text}" is not in the six-part form`);
  return { text, metres: Number(parts[1].replaceAll(',', '')), cell: Number(parts[2]) };
}

async function assertNoPlanLabelsOverlap(page, when) {
  const labels = await browser.shownBoxes(page, 'svg#plan text.label');
  const pairs = browser.overlappingPairs(labels).map(([a, b]) => `"${a.text}" / "${b.text}"`);
  assert.deepEqual(pairs, [], `plan labels overlap ${when}`);
}

describe(`the report of ${scenario} in headless chromium`, () => {
  let dir;
  let file;
  let session;
  let routeEnd;

  before(async () => {
    dir = mkdtempSync(join(tmpdir(), 'tracciato-report-'));
    file = writeReport(dir);
    session = await browser.launch();
    const { page } = await browser.open(session, file);
    routeEnd = (await shownSpan(page)).to;
    await page.close();
  });

  // The route's end: where the profile's first view ends.
  function knownRouteEnd() {
    assert.ok(routeEnd > 0, `the profile's first view ends at ${routeEnd} m`);
    if (scenario === '1000km') assert.ok(routeEnd >= 1000000, `the route ends at ${routeEnd} m`);
    return routeEnd;
  }

  after(async () => {
    await session?.close();
    if (dir) rmSync(dir, { recursive: true, force: true });
  });

  test('loads without a console error, a page error or a refused load', async () => {
    const { page, problems } = await browser.open(session, file);
    await settle(page);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('catches a planted outside load and a planted script error', async () => {
    const planted = readFileSync(file, 'utf8').replace(
      '<body>', '<body><img src="elsewhere.png"><script>throw new Error("planted")</script>');
    const copy = join(dir, 'planted.html');
    writeFileSync(copy, planted);
    const { page, problems } = await browser.open(session, copy);
    await settle(page);
    assert.ok(problems.some((p) => p.includes('elsewhere.png')), problems.join('\n'));
    assert.ok(problems.some((p) => p.includes('planted')), problems.join('\n'));
    await page.close();
  });

  test('shows both views with zoom buttons, each lane with its legend, the timetable', async () => {
    const { page } = await browser.open(session, file);
    for (const view of ['plan', 'profile']) {
      for (const button of ['zoom-in', 'zoom-out', 'zoom-reset']) {
        assert.ok(await page.$(`[data-view="${view}"] button.${button}`), `${view} ${button}`);
      }
    }
    for (const lane of ['speed', 'gradient', 'elevation', 'curves', 'signals', 'signboards',
      'mountains', 'stations']) {
      assert.ok(await page.$(`svg#profile g.lane[data-lane="${lane}"]`), `lane ${lane}`);
      assert.ok(await page.$(`#legend [data-legend="${lane}"]`), `legend of ${lane}`);
    }
    assert.ok((await page.$$('table#timetable tr')).length > 1, 'timetable rows');
    assert.ok(await page.$('#summary'), 'summary');
    await page.close();
  });

  test('zoom buttons narrow, widen and reset the profile and redraw its axis labels', async () => {
    knownRouteEnd();
    const { page } = await browser.open(session, file);
    assert.deepEqual(await shownSpan(page), { from: 0, to: routeEnd });
    const labels = await browser.texts(page, '#profile .axis-x text');
    assert.ok(labels.length > 0, 'axis labels at the first view');

    await click(page, 'profile', 'zoom-in');
    const zoomed = await shownSpan(page);
    assert.ok(zoomed.from >= 0 && zoomed.to <= routeEnd && zoomed.to - zoomed.from < routeEnd,
      `zoomed in to ${JSON.stringify(zoomed)}`);
    assert.notDeepEqual(await browser.texts(page, '#profile .axis-x text'), labels);

    await click(page, 'profile', 'zoom-in');
    const closer = await shownSpan(page);
    assert.ok(closer.to - closer.from < zoomed.to - zoomed.from, JSON.stringify(closer));
    await click(page, 'profile', 'zoom-out');
    const wider = await shownSpan(page);
    assert.ok(wider.to - wider.from > closer.to - closer.from, JSON.stringify(wider));

    await click(page, 'profile', 'zoom-reset');
    assert.deepEqual(await shownSpan(page), { from: 0, to: routeEnd });
    assert.deepEqual(await browser.texts(page, '#profile .axis-x text'), labels);
    await page.close();
  });

  test('the wheel zooms the profile around the pointer, a drag pans it, axis in view', async () => {
    knownRouteEnd();
    const { page } = await browser.open(session, file);
    const at = await pointIn(page, 'profile', 0.75);
    await page.mouse.move(at.x, at.y);
    const before = await hover(page, 0.75);
    await page.mouse.wheel({ deltaY: -500 });
    await settle(page);
    const zoomed = await shownSpan(page);
    const span = zoomed.to - zoomed.from;
    assert.ok(span < routeEnd, `the wheel left the span at ${JSON.stringify(zoomed)}`);
    const under = await hover(page, 0.75);
    assert.ok(Math.abs(under.metres - before.metres) <= routeEnd / 50,
      `${before.metres} m was under the pointer before the wheel, ${under.metres} m after`);

    const labels = await browser.shownBoxes(page, '#profile .axis-x text');
    await page.mouse.move(at.x, at.y);
    await page.mouse.down();
    await page.mouse.move(at.x - 100, at.y, { steps: 5 });
    await page.mouse.move(at.x - 200, at.y, { steps: 5 });
    await page.mouse.up();
    await settle(page);
    const panned = await shownSpan(page);
    const moved = `from ${JSON.stringify(zoomed)} to ${JSON.stringify(panned)}`;
    assert.ok(panned.from > zoomed.from, `a drag to the left moved the profile ${moved}`);
    assert.ok(Math.abs(panned.to - panned.from - span) <= 1, `the drag changed the span ${moved}`);
    // The axis follows the drag: a label shown before and after it moved left, at most as
    // far as the pointer, and the others are new.
    const axis = await browser.shownBoxes(page, '#profile .axis-x text');
    assert.ok(axis.length > 0, 'no axis label is shown after the pan');
    const kept = axis.filter((a) => labels.some((l) => l.text === a.text));
    for (const a of kept) {
      const shift = labels.find((l) => l.text === a.text).left - a.left;
      assert.ok(shift > 1 && shift <= 201, `axis label "${a.text}" moved ${shift} px left`);
    }

    const profile = await browser.box(page, 'svg#profile');
    for (const label of axis) {
      assert.ok(label.left >= profile.left - 1 && label.right <= profile.right + 1,
        `axis label "${label.text}" at ${label.left}..${label.right} px lies outside the ` +
          `profile at ${profile.left}..${profile.right} px`);
    }
    await page.close();
  });

  test('hover reads the six parts at the metre under the pointer, zoomed or not', async () => {
    knownRouteEnd();
    const { page } = await browser.open(session, file);
    const left = await hover(page, 0.3);
    const right = await hover(page, 0.7);
    assert.ok(left.metres < right.metres, `${left.text} then ${right.text}`);
    for (const r of [left, right]) {
      assert.ok(r.metres >= 0 && r.metres <= routeEnd, r.text);
      assert.ok(Math.abs(r.cell - r.metres / 50) <= 2, `cell and metres disagree: ${r.text}`);
    }
    await click(page, 'profile', 'zoom-in');
    await click(page, 'profile', 'zoom-in');
    const span = await shownSpan(page);
    const zoomed = await hover(page, 0.5);
    assert.ok(zoomed.metres >= span.from && zoomed.metres <= span.to,
      `${zoomed.text} lies outside the shown ${JSON.stringify(span)}`);
    await page.close();
  });

  test('prints A4 landscape pages, one at least per section, covering the route', async () => {
    knownRouteEnd();
    const { page } = await browser.open(session, file);
    assert.equal(await page.$eval('#print-profile', (e) => getComputedStyle(e).display), 'none');
    await page.emulateMediaType('print');
    const sections = await page.$$eval('#print-profile section.print-page', (all) =>
      all.map((s) => ({
        from: Number(s.getAttribute('data-from')),
        to: Number(s.getAttribute('data-to')),
        header: s.querySelector('.print-header')?.textContent.trim() ?? '',
        shown: s.getBoundingClientRect().height > 0,
      })));
    assert.ok(sections.length > 0, 'no print section');
    sections.sort((a, b) => a.from - b.from);
    let covered = 0;
    for (const s of sections) {
      assert.ok(s.from <= covered, `a gap from ${covered} m to ${s.from} m`);
      assert.ok(s.to > s.from, `an empty section ${JSON.stringify(s)}`);
      assert.ok(s.header.length > 0 && s.shown, `section ${JSON.stringify(s)}`);
      covered = Math.max(covered, s.to);
    }
    assert.equal(sections[0].from, 0);
    assert.ok(covered >= routeEnd, `the sections end at ${covered} m, the route at ${routeEnd} m`);
    const toolbarButtons = await browser.shownBoxes(page, '[data-view] button');
    assert.deepEqual(toolbarButtons, [], 'zoom buttons in print');

    const pdf = await browser.printToPdf(page);
    assert.ok(browser.pdfPageCount(pdf) >= sections.length,
      `${browser.pdfPageCount(pdf)} printed pages for ${sections.length} sections`);
    const size = browser.pdfPageSize(pdf);
    assert.ok(Math.abs(size.width - 842) < 2 && Math.abs(size.height - 595) < 2,
      `printed pages of ${size.width} x ${size.height} pt`);
    await page.close();
  });

  test('shows no two plan labels overlapping, first view and zoomed by button, wheel', async () => {
    const { page } = await browser.open(session, file);
    const first = await browser.shownBoxes(page, 'svg#plan text.label');
    assert.ok(first.length > 0, 'no plan label is shown at the first view');
    await assertNoPlanLabelsOverlap(page, 'at the first view');
    for (let step = 1; step <= 3; ++step) {
      await click(page, 'plan', 'zoom-in');
      await assertNoPlanLabelsOverlap(page, `after ${step} zoom-in clicks`);
    }
    await click(page, 'plan', 'zoom-reset');
    const p = await pointIn(page, 'plan', 0.3, 0.5);
    await page.mouse.move(p.x, p.y);
    await page.mouse.wheel({ deltaY: -800 });
    await settle(page);
    await assertNoPlanLabelsOverlap(page, 'after wheeling in');
    await page.close();
  });

  test('with scripts off still shows the whole plan, profile and timetable', async () => {
    knownRouteEnd();
    const { page, problems } = await browser.open(session, file, { javaScript: false });
    for (const view of ['plan', 'profile']) {
      const b = await browser.box(page, `svg#${view}`);
      assert.ok(b.width > 100 && b.height > 50, `svg#${view} is ${b.width} x ${b.height}`);
      const drawn = await page.$$eval(`svg#${view} :is(path, polyline, line, rect, circle)`,
        (all) => all.filter((e) => {
          const r = e.getBoundingClientRect();
          return r.width + r.height > 0;
        }).length);
      assert.ok(drawn > 0, `nothing drawn in svg#${view}`);
    }
    assert.deepEqual(await shownSpan(page), { from: 0, to: routeEnd });
    const rows = await browser.shownBoxes(page, 'table#timetable tr');
    assert.ok(rows.length > 1, 'timetable rows');
    assert.deepEqual(problems, []);
    await page.close();
  });
});
