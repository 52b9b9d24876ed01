// The web edition's speed in Debian's chromium (headless, driven by
// playwright-core), on the page a user opens from a file: opening it to the
// chart drawn, a redraw at precision 0.05, 计算并描点, and one readout
// update. Each figure is the median of `runs` fresh pages (default 5).
//   node bench/web_timing.mjs [build-web/idchart.html] [runs]
// playwright-core is installed by scripts/test into web/tests/node_modules.
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const require = createRequire(path.join(top, 'web/tests/package.json'));
const { chromium } = require('playwright-core');
const page_file = path.resolve(process.argv[2] || path.join(top, 'build-web/idchart.html'));
const runs = Number(process.argv[3] || 5);

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});
const figures = { open: [], redraw: [], compute: [], readout: [] };
for (let k = 0; k < runs; ++k) {
  const page = await browser.newPage({ viewport: { width: 1920, height: 1080 } });
  const start = Date.now();
  await page.goto('file://' + page_file);
  await page.waitForSelector('body[data-ready="true"]', { state: 'attached' });
  // Opening to the chart drawn: the page ready, then 生成焓湿图 at the prompts' defaults.
  const drawn = await page.evaluate(() => {
    const t = performance.now();
    const c = window.idchart.call;
    c({ op: 'askStart' });
    c({ op: 'askAnswer', text: '101325' });
    c({ op: 'askAnswer', text: '1' });
    c({ op: 'drawChart' });
    window.idchart.paint();
    return performance.now() - t;
  });
  figures.open.push(Date.now() - start - 0 + drawn * 0);
  figures.open[figures.open.length - 1] = Date.now() - start;
  const timed = await page.evaluate(() => {
    const c = window.idchart.call;
    const time = (work) => {
      const t = performance.now();
      work();
      return performance.now() - t;
    };
    c({ op: 'askStart' });
    c({ op: 'askAnswer', text: '101325' });
    c({ op: 'askAnswer', text: '0.05' });
    const redraw = time(() => {
      c({ op: 'drawChart' });
      window.idchart.paint();
    });
    c({ op: 'openDialog', dialog: 'primary' });
    c({ op: 'dialogOk', dialog: 'primary', texts: ['26', '60', '35', '26.5', '6', '30', '95', '12', '0.01'] });
    const compute = time(() => {
      for (const moment of c({ op: 'compute' }).moments) window.idchart.paint(moment.shown);
    });
    const moves = 1000;
    const readout = time(() => {
      for (let n = 0; n < moves; ++n) c({ op: 'readout', x: 10 + (n % 200) * 0.1, y: 50 });
    }) / moves;
    return { redraw, compute, readout };
  });
  figures.redraw.push(timed.redraw);
  figures.compute.push(timed.compute);
  figures.readout.push(timed.readout);
  await page.close();
}
await browser.close();
const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
console.log('web edition, headless chromium, median of ' + runs + ' pages (ms):');
console.log('  opening the file to the chart drawn   ' + median(figures.open).toFixed(1));
console.log('  redraw at precision 0.05              ' + median(figures.redraw).toFixed(1));
console.log('  计算并描点                            ' + median(figures.compute).toFixed(1));
console.log('  one readout update                    ' + median(figures.readout).toFixed(3));
