// The web edition in a real browser (Debian's chromium, driven by
// playwright-core, which downloads nothing) and under node, against the
// desktop program: the same numbers, the same files, no network.
//   IDCHART       the desktop program (default build/idchart)
//   IDCHART_WEB   the web build's folder (default build-web)
//   CHROMIUM      the browser (default /usr/bin/chromium)
//   SYNTHETIC_EPW the test suite's year of weather (default build/tests/synthetic_epw)
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const idchart = process.env.IDCHART || path.join(top, 'build/idchart');
const web = process.env.IDCHART_WEB || path.join(top, 'build-web');
const pageUrl = 'file://' + path.join(web, 'idchart.html');
const syntheticEpw = process.env.SYNTHETIC_EPW || path.join(top, 'build/tests/synthetic_epw');

function run(program, args) {
  const result = spawnSync(program, args, { encoding: 'utf8', maxBuffer: 64 << 20,
                                            env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  return { status: result.status, out: result.stdout, err: result.stderr };
}

let browser;
before(async () => {
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
});
after(async () => browser && browser.close());

async function open(viewport, options = {}) {
  const context = await browser.newContext({ viewport, acceptDownloads: true, ...options });
  const page = await context.newPage();
  const requests = [];
  const errors = [];
  page.on('request', (r) => requests.push(r.url()));
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready="true"]', { state: 'attached' });
  return { page, context, requests, errors };
}

const button = (page, k) => page.locator(`#main button[data-button="${k}"]`);

// Answers the prompts in turn with their texts (an empty text keeps the default).
async function answer(page, texts) {
  for (const text of texts) {
    const field = page.locator('#modal input');
    await field.waitFor();
    if (text) await field.fill(text);
    await field.press('Enter');
  }
}

async function menu(page, entry) {
  const box = await page.locator('#chart').boundingBox();
  await page.mouse.click(box.x + 40, box.y + 40, { button: 'right' });
  await page.locator('#menu div', { hasText: entry }).click();
}

async function exported(page) {
  const download = page.waitForEvent('download');
  await menu(page, '导出结果…');
  return readFileSync(await (await download).path(), 'utf8');
}

// The canvas pixel at a chart point (d, i), as r,g,b; with `around`, the
// pixels of the square of that many pixels on each side.
function pixelAt(page, d, i, around = 0) {
  return page.evaluate(([d, i, around]) => {
    const info = window.idchart.call({ op: 'sceneInfo' });
    const [left, top, right, bottom] = info.scale;
    const canvas = document.getElementById('chart');
    const ratio = canvas.width / info.size[0];
    const x = Math.round((d - left) * info.size[0] / (right - left) * ratio);
    const y = Math.round((i - top) * info.size[1] / (bottom - top) * ratio);
    const side = 2 * around + 1;
    const p = canvas.getContext('2d').getImageData(x - around, y - around, side, side).data;
    const pixels = [];
    for (let k = 0; k < p.length; k += 4) pixels.push([p[k], p[k + 1], p[k + 2]].join(','));
    return around ? pixels : pixels[0];
  }, [d, i, around]);
}

test('the designs computed in the page give the desktop program\'s tables, dots and lines, offline', async () => {
  const { page, context, requests, errors } = await open({ width: 1366, height: 768 });
  await button(page, 0).click();
  await answer(page, ['95000pa', '0.05']);
  assert.equal(await page.locator('#main input.state').nth(10).inputValue(), '95000pa');
  assert.equal(await page.locator('#main input.state').nth(11).inputValue(), '0.05');

  for (const [k, design] of [[3, 'primary'], [4, 'secondary'], [6, 'winter']]) {
    await button(page, k).click();
    await page.locator('#parameters .client button').click();
    await button(page, 2).click();
    const csv = await exported(page);
    const desktop = run(idchart, ['compute', '--format', 'csv', '--design', design, '--pressure', '95000pa']);
    assert.equal(csv, desktop.out, design + ': the exported table is the desktop program\'s, byte for byte');
    // Every box shows a text of that table.
    for (const box of await page.locator('#main input.result').all()) {
      const text = await box.inputValue();
      if (text) assert.ok(desktop.out.includes(text), design + ': box ' + text);
    }
  }

  // The primary design again: N and C red, L black where the calculation puts them,
  // the process lines green.
  await button(page, 3).click();
  await page.locator('#parameters .client button').click();
  await button(page, 2).click();
  const json = JSON.parse(run(idchart, ['compute', '--format', 'json', '--pressure', '95000pa']).out);
  const { N, C, L } = json.states;
  assert.equal(await pixelAt(page, N.d, N.i), '255,0,0');
  assert.equal(await pixelAt(page, C.d, C.i), '255,0,0');
  assert.equal(await pixelAt(page, L.d, L.i), '0,0,0');
  const mid = (a, b, f) => a + (b - a) * f;
  const around = await pixelAt(page, mid(C.d, L.d, 0.5), mid(C.i, L.i, 0.5), 2);
  assert.ok(around.includes('0,255,0'), 'the cooling line C–L is green: ' + around);

  // The calculation sheet holds the enlarged process region before the whole chart.
  const opened = context.waitForEvent('page');
  await menu(page, '生成计算书…');
  const sheet = await opened;
  await sheet.waitForLoadState();
  const html = await sheet.content();
  const region = html.indexOf('过程线所在区域（放大）'), whole = html.indexOf('<h3>全图</h3>');
  assert.ok(region > 0 && whole > region, 'the region, then the whole chart');
  assert.equal((html.match(/data:image\/svg\+xml/g) || []).length, 2);
  await sheet.close();

  // A state point through the chart's menu, blue where the state command puts it.
  await menu(page, '标注状态点…');
  await page.locator('#modal input').nth(0).fill('32');
  await page.locator('#modal input').nth(1).fill('65');
  await page.locator('#modal button', { hasText: '确定' }).click();
  const state = JSON.parse(run(idchart, ['state', '--t', '32', '--phi', '65', '--pressure', '95000',
                                         '--format', 'json']).out);
  assert.equal(await pixelAt(page, state.d, state.i), '0,0,255');

  // A reload keeps the work: the point comes back over the chart.
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]', { state: 'attached' });
  assert.equal(await pixelAt(page, state.d, state.i), '0,0,255');

  assert.deepEqual(errors, []);
  const elsewhere = requests.filter((url) => !/^(file|data|blob):/.test(url));
  assert.deepEqual(elsewhere, [], 'the page asks nothing of the network');
  await context.close();
});

// The dots of the process layer as the core drew them, each with the canvas
// pixel at its centre: [pixel, fill, outline] as r,g,b; a dot whose centre a
// later dot covers is left out.
function processDots(page) {
  return page.evaluate(() => {
    const f = window.idchart.scene();
    const info = window.idchart.call({ op: 'sceneInfo' });
    const [left, top, right, bottom] = info.scale;
    const canvas = document.getElementById('chart');
    const ratio = canvas.width / info.size[0];
    const sx = info.size[0] / (right - left) * ratio, sy = info.size[1] / (bottom - top) * ratio;
    const circles = [];
    for (let o = 0; o < f.length; o += 16)
      if (f[o] === 3 && f[o + 1] === 3) // the process layer's circles
        circles.push({ x: (f[o + 2] - left) * sx, y: (f[o + 3] - top) * sy,
                       reach: Math.abs(f[o + 4] * sx) + f[o + 12] * ratio,
                       fill: [f[o + 9], f[o + 10], f[o + 11]].join(','),
                       outline: [f[o + 6], f[o + 7], f[o + 8]].join(',') });
    const c = canvas.getContext('2d');
    return circles.filter((dot, k) => !circles.slice(k + 1).some(
      (later) => Math.hypot(later.x - dot.x, later.y - dot.y) < later.reach)).map((dot) => {
      const p = c.getImageData(Math.round(dot.x), Math.round(dot.y), 1, 1).data;
      return [[p[0], p[1], p[2]].join(','), dot.fill, dot.outline];
    });
  });
}

// 生成焓湿图 at the prompts' defaults, then 一次回风 confirmed as it opens and 计算并描点.
async function computePrimary(page) {
  await button(page, 0).click();
  await answer(page, ['', '']);
  await button(page, 3).click();
  await page.locator('#parameters .client button').click();
  await button(page, 2).click();
}

test('a computed process stays on the chart when the window changes size', async () => {
  const { page, context, errors } = await open({ width: 1366, height: 768 });
  await computePrimary(page);
  const before = await processDots(page);
  assert.ok(before.length >= 3, 'the process has its dots: ' + before.length);
  for (const size of [{ width: 1024, height: 700 }, { width: 1600, height: 900 }]) {
    const width = await page.evaluate(() => document.getElementById('chart').width);
    await page.setViewportSize(size);
    await page.waitForFunction((w) => document.getElementById('chart').width !== w, width);
    const dots = await processDots(page);
    assert.equal(dots.length, before.length, 'as many dots at ' + JSON.stringify(size));
    for (const [pixel, fill, outline] of dots)
      assert.ok(pixel === fill || pixel === outline,
                'a dot painted at its centre at ' + JSON.stringify(size) + ': ' + pixel);
  }
  assert.deepEqual(errors, []);
  await context.close();
});

// The readout's cells as the page shows them.
const readoutCells = (page) => page.locator('#readout .value').allInnerTexts();

// The user point under a page position through the view, and the page
// position of a user point.
function throughView(page) {
  return page.evaluate(() => {
    const r = document.getElementById('chart').getBoundingClientRect();
    return { view: window.idchart.view(), zoom: window.idchart.zoom(),
             box: [r.left, r.top, r.width, r.height] };
  }).then(({ view, zoom, box }) => {
    const [left, top, right, bottom] = view;
    return {
      zoom,
      user: (px, py) => [left + (px - box[0]) * (right - left) / box[2],
                         top + (py - box[1]) * (bottom - top) / box[3]],
      page: (x, y) => [box[0] + (x - left) * box[2] / (right - left),
                       box[1] + (y - top) * box[3] / (bottom - top)],
    };
  });
}

test('zoomed and panned, the readout is the state under the pointer', async () => {
  const { page, context, errors } = await open({ width: 1366, height: 768 });
  await button(page, 0).click();
  await answer(page, ['', '']);
  const box = await page.locator('#chart').boundingBox();
  const at = (fx, fy) => [Math.round(box.x + box.width * fx), Math.round(box.y + box.height * fy)];
  const svg = async (entry) => {
    const download = page.waitForEvent('download');
    await menu(page, entry);
    await page.locator('#modal button', { hasText: 'SVG' }).click();
    return readFileSync(await (await download).path(), 'utf8');
  };
  const whole = await svg('保存图像…');

  // The readout under a pixel is the core's for the user point the view
  // gives, and its d and i lead back to that pixel.
  const readsTrue = async (px, py, what) => {
    await page.mouse.move(px, py);
    const view = await throughView(page);
    const [x, y] = view.user(px, py);
    const core = await page.evaluate(([x, y]) => window.idchart.call({ op: 'readout', x, y }).cells,
                                     [x, y]);
    assert.deepEqual(await readoutCells(page), core, what);
    const [bx, by] = view.page(Number(core[4]), Number(core[5]));
    assert.ok(Math.abs(bx - px) <= 1 && Math.abs(by - py) <= 1,
              what + ': d, i back at ' + [bx, by] + ', not ' + [px, py]);
    return view;
  };
  const [px, py] = at(0.42, 0.57);
  assert.equal((await readsTrue(px, py, 'zoom 1')).zoom, 1);

  // Ctrl+wheel zooms by 1.25 a notch about the pointer: 4 after log(4)/log(1.25) notches.
  const [qx, qy] = at(0.3, 0.4);
  const under = (await throughView(page)).user(qx, qy);
  await page.mouse.move(qx, qy);
  await page.keyboard.down('Control');
  await page.mouse.wheel(0, -100 * Math.log(4) / Math.log(1.25));
  await page.keyboard.up('Control');
  let view = await readsTrue(px, py, 'zoom 4');
  assert.ok(Math.abs(view.zoom - 4) < 1e-6, 'zoom ' + view.zoom);
  const still = view.user(qx, qy);
  assert.ok(Math.abs(still[0] - under[0]) < 1e-3 && Math.abs(still[1] - under[1]) < 1e-3,
            'the point under the pointer stays: ' + still + ' was ' + under);

  // A drag with the middle button takes the chart's point along with the pointer.
  const grabbed = view.user(px, py);
  await page.mouse.down({ button: 'middle' });
  await page.mouse.move(px + 60, py + 30, { steps: 3 });
  await page.mouse.up({ button: 'middle' });
  view = await readsTrue(px + 60, py + 30, 'panned');
  const moved = view.user(px + 60, py + 30);
  assert.ok(Math.abs(moved[0] - grabbed[0]) < 1e-3 && Math.abs(moved[1] - grabbed[1]) < 1e-3,
            'the grabbed point follows the pointer: ' + moved + ' was ' + grabbed);

  // Saved pictures are of the whole chart unless the view is asked for.
  assert.equal(await svg('保存图像…'), whole, 'the whole chart at zoom 4');
  assert.notEqual(await svg('保存当前视图…'), whole, 'the view shown');

  // Panning never leaves the chart; Ctrl+0 on the chart gives the whole chart back.
  await page.mouse.down({ button: 'middle' });
  await page.mouse.move(px + 3000, py + 3000, { steps: 2 });
  await page.mouse.up({ button: 'middle' });
  const [left, top, right, bottom] = await page.evaluate(() => window.idchart.view());
  const scale = await page.evaluate(() => window.idchart.call({ op: 'sceneInfo' }).scale);
  assert.ok(Math.abs(left - scale[0]) < 1e-9 && Math.abs(top - scale[1]) < 1e-9,
            'at the corner of the chart: ' + [left, top] + ' ' + scale);
  await page.keyboard.press('Control+0');
  assert.deepEqual(await page.evaluate(() => window.idchart.view()), scale);
  assert.equal((await readsTrue(px, py, 'reset')).zoom, 1);
  assert.deepEqual(errors, []);
  await context.close();
});

// An entry of a submenu of the chart's menu.
async function submenu(page, entry, item) {
  const box = await page.locator('#chart').boundingBox();
  await page.mouse.click(box.x + 40, box.y + 40, { button: 'right' });
  await page.locator('#menu div', { hasText: entry }).hover();
  await page.locator('#submenu div', { hasText: item }).click();
}

test('in each chart style the page draws the process where the style puts it and reads it back', async () => {
  const { page, context, errors } = await open({ width: 1366, height: 768 });
  await computePrimary(page);
  const boxes = await page.evaluate(() => window.idchart.call({ op: 'resultsCsv' }).text);
  for (const [caption, title] of [['斜角焓湿图', '斜角焓湿图'], ['t-d 图', 't-d 图']]) {
    await submenu(page, '图形样式', caption);
    const texts = await page.evaluate(() => window.idchart.call({ op: 'sceneTexts' }).texts);
    assert.ok(texts.some((t) => t.startsWith(title + '　　大气压力 B = 101325 Pa')), caption);
    // N from the results, drawn red where the style puts it; the pointer there reads N.
    const n = boxes.split(/\r?\n/).find((line) => line.startsWith('室内状态点 N,'));
    assert.ok(n, 'N in the results: ' + boxes);
    const cells = n.split(',');
    const d = Number(cells[cells.length - 2]), i = Number(cells[cells.length - 1]);
    const [x, y] = await page.evaluate(([d, i]) =>
      window.idchart.call({ op: 'planeOf', d, i }).point, [d, i]);
    const [px, py] = (await throughView(page)).page(x, y);
    await page.mouse.move(px, py);
    const read = await readoutCells(page);
    assert.ok(Math.abs(Number(read[4]) - d) < 0.1 && Math.abs(Number(read[5]) - i) < 0.3,
              caption + ': read ' + read + ' at N ' + [d, i]);
    assert.ok((await processDots(page)).length >= 5, caption + ': the process stays');
  }
  await submenu(page, '图形样式', '原图');
  const texts = await page.evaluate(() => window.idchart.call({ op: 'sceneTexts' }).texts);
  assert.ok(!texts.some((t) => t.includes('大气压力 B =')), 'the rectangular chart again');
  assert.deepEqual(errors, []);
  await context.close();
});

test('a year of weather in the page: the zones drawn and the hours counted as idchart climate counts them', async () => {
  const folder = mkdtempSync(path.join(os.tmpdir(), 'idchart-web-'));
  const epw = path.join(folder, 'year.epw');
  writeFileSync(epw, run(syntheticEpw, ['typical']).out);
  const { page, context, errors } = await open({ width: 1366, height: 768 });
  await button(page, 0).click();
  await answer(page, ['', '']);

  const chooser = page.waitForEvent('filechooser');
  await menu(page, '导入气象数据…');
  await (await chooser).setFiles(epw);
  await page.waitForFunction(() => window.idchart.call({ op: 'climateState' }).weather);
  await submenu(page, '舒适区', '供冷 I级');

  // The zone is a polygon on the zones layer, and painting it changes the
  // picture: the canvas with and without that layer (the hours left off both).
  const painted = await page.evaluate(() => {
    const f = window.idchart.scene();
    let polygons = 0;
    for (let o = 0; o < f.length; o += 16) if (f[o] === 1 && f[o + 1] === 5) ++polygons;
    const canvas = document.getElementById('chart');
    const c = canvas.getContext('2d');
    const pixels = (shown) => {
      window.idchart.paint(shown);
      return c.getImageData(0, 0, canvas.width, canvas.height).data;
    };
    const without = pixels([-1, 0, 0, -1, -1]);
    const withZone = pixels([-1, -1, 0, -1, -1]);
    window.idchart.paint();
    let changed = 0;
    for (let k = 0; k < without.length; k += 4)
      if (without[k] !== withZone[k] || without[k + 1] !== withZone[k + 1] ||
          without[k + 2] !== withZone[k + 2]) ++changed;
    return { polygons, changed };
  });
  assert.equal(painted.polygons, 1, 'one zone shown');
  assert.ok(painted.changed > 500, 'the zone painted over ' + painted.changed + ' pixels');

  // 气象统计表… against idchart climate, all hours and then June to August
  // chosen under 月份….
  const table = async () => {
    await menu(page, '气象统计表…');
    const rows = await page.locator('#modal table tr').evaluateAll(
      (trs) => trs.map((tr) => [...tr.cells].map((cell) => cell.textContent)));
    await page.locator('#modal button', { hasText: '关闭' }).click();
    return rows;
  };
  let summer = null; // idchart climate's answer for June to August
  for (const months of ['', '6-8']) {
    if (months) {
      await submenu(page, '显示方式', '月份…');
      await answer(page, [months]);
    }
    const rows = await table();
    const desktop = run(idchart, ['climate', epw, '--format', 'json', '--zones', 'cool-1',
                                  ...(months ? ['--months', months] : [])]);
    assert.equal(desktop.status, 0, desktop.err);
    const json = JSON.parse(desktop.out);
    summer = json;
    const hours = (label) => {
      const row = rows.find((r) => r[0].startsWith(label));
      assert.ok(row, label + ' in ' + JSON.stringify(rows));
      return row[1];
    };
    assert.equal(hours('计入的小时'), String(json.counted), 'counted, months ' + months);
    assert.equal(hours('图外的小时'), String(json.offChart), 'off the chart, months ' + months);
    assert.equal(hours('缺测或无法求状态'), String(json.skipped), 'passed over, months ' + months);
    assert.equal(hours(json.zones[0].name), String(json.zones[0].hours), 'in the zone, months ' + months);
    assert.equal(Number(rows.find((r) => r[0] === json.zones[0].name)[2].replace('%', '')),
                 json.zones[0].share);
    assert.ok(rows.some((r) => r[1] === json.location), 'the place: ' + json.location);
  }

  // The density's cells are polygons on the weather layer; a dot by month a
  // small filled box for every hour on the chart (June to August still).
  const weatherLayer = () => page.evaluate(() => {
    const f = window.idchart.scene();
    const layer = { polygons: 0, boxes: 0, zones: 0 };
    for (let o = 0; o < f.length; o += 16) {
      if (f[o] === 2 && f[o + 1] === 5) ++layer.polygons;
      if (f[o] === 2 && f[o + 1] === 2) ++layer.boxes;
      if (f[o] === 1) ++layer.zones;
    }
    return layer;
  });
  assert.ok((await weatherLayer()).polygons > 0, 'cells on the weather layer');
  await submenu(page, '显示方式', '逐时点（按月份着色）');
  assert.ok((await weatherLayer()).boxes >= summer.counted - summer.offChart,
            'a dot for each of ' + (summer.counted - summer.offChart) + ' hours');
  await menu(page, '清除气象数据');
  const cleared = await weatherLayer();
  assert.equal(cleared.polygons + cleared.boxes, 0, 'the hours taken away');
  assert.ok(cleared.zones > 0, 'the zone stays');
  assert.deepEqual(errors, []);
  await context.close();
});

test('on a phone-sized screen every dialog can be confirmed', async () => {
  const { page, context, errors } = await open({ width: 390, height: 844 },
                                               { isMobile: true, hasTouch: true });
  const reachable = async (locator) => {
    const box = await locator.boundingBox();
    assert.ok(box && box.x >= 0 && box.y >= 0 && box.x + box.width <= 390 &&
              box.y + box.height <= 844, 'inside the screen: ' + JSON.stringify(box));
    await locator.click();
  };
  await button(page, 0).click();
  await reachable(page.locator('#modal button', { hasText: '确定' }));
  await reachable(page.locator('#modal button', { hasText: '确定' }));
  // An entry that is not a number is marked as typed and named by 确定,
  // which keeps the dialog open with the focus on it.
  await button(page, 3).click();
  const first = page.locator('#parameters .client input').first();
  await first.fill('abc');
  assert.equal(await first.evaluate((e) => e.classList.contains('faulty')), true);
  await page.locator('#parameters .client button').click();
  assert.match(await page.locator('#modal').innerText(), /室内设计温度tn 的值“abc”不是数值，请重新输入!/);
  await page.locator('#modal button', { hasText: '确定' }).click();
  assert.equal(await first.evaluate((e) => e === document.activeElement), true);
  await first.fill('26');
  assert.equal(await first.evaluate((e) => e.classList.contains('faulty')), false);
  await page.locator('#parameters .client button').click();
  for (const k of [3, 4, 6]) {
    await button(page, k).click();
    await reachable(page.locator('#parameters .client button'));
    assert.equal(await page.locator('#main').isVisible(), true);
  }
  await button(page, 5).click();
  assert.match(await page.locator('#note .help').innerText(), /idchart compute[\s\S]*关于[\s\S]*作者的话/);
  await reachable(page.locator('#note .back'));
  assert.deepEqual(errors, []);
  await context.close();
});

test('on the smallest screens every dialog label shows its unit and every box its whole text', async () => {
  for (const viewport of [{ width: 1024, height: 768 }, { width: 1366, height: 768 }]) {
    const { page, context, errors } = await open(viewport);
    for (const k of [3, 4, 6]) {
      await button(page, k).click();
      // Each label's text, the unit included, ends left of its entry.
      const overlaps = await page.evaluate(() => {
        const client = document.querySelector('#parameters .client');
        const labels = [...client.querySelectorAll('label')];
        const entries = [...client.querySelectorAll('input, select')];
        return labels.flatMap((label, n) => {
          const range = document.createRange();
          range.selectNodeContents(label);
          const text = label.textContent;
          range.setEnd(label.firstChild, text.trimEnd().length);
          const end = range.getBoundingClientRect().right;
          const entry = entries[n].getBoundingClientRect().left;
          return end > entry + 0.5 ? [text.trim() + ' ' + end + ' > ' + entry] : [];
        });
      });
      assert.deepEqual(overlaps, [], JSON.stringify(viewport));
      await page.locator('#parameters .client button').click();
      await button(page, 2).click();
      // Every result and state box shows its whole text.
      const cut = await page.evaluate(() => [...document.querySelectorAll('#main input.box')]
        .filter((b) => b.scrollWidth > b.clientWidth).map((b) => b.value));
      assert.deepEqual(cut, [], JSON.stringify(viewport));
    }
    assert.deepEqual(errors, []);
    await context.close();
  }
});

test('the command line under node prints the desktop program\'s bytes', () => {
  const node = path.join(web, 'idchart-node.mjs');
  const cases = [
    ['compute', '--format', 'json'],
    ['compute', '--format', 'json', '--design', 'secondary'],
    ['compute', '--format', 'json', '--design', 'winter'],
    ['compute', '--design', 'winter', '--humidifier', 'steam', '--format', 'csv'],
    ['compute', '--pressure', '95000pa', '--tn', '２４', '--s', '40'],
    ['compute', '--phil', '0'],
    ['compute', '--tn', 'abc'],
    ['compute', '--bogus'],
    ['state', '--t', '32', '--phi', '65', '--format', 'json'],
    ['state', '--d', '20', '--i', '40'],
    ['compute', '--help'],
  ];
  for (const args of cases) {
    const desktop = run(idchart, args);
    const inNode = run(process.execPath, [node, ...args]);
    assert.deepEqual(inNode, desktop, args.join(' '));
  }
});
