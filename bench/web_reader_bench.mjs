// The web reader's figures: its size, the demo's page size, the time to the
// first thing drawn and to the first page, and a choice to its full page on
// a generated story of 8000 blocks, in Debian's chromium (headless).
//   node bench/web_reader_bench.mjs BUILD_DIR
// Needs tests/web's node_modules (npm ci there) for puppeteer-core.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { createRequire } from 'node:module';

const here = path.dirname(new URL(import.meta.url).pathname);
const build = path.resolve(process.argv[2] || 'build');
const qvn = path.join(build, 'cli/qvn');
const reader = path.join(build, 'share/qvn/web/qvn-reader.html');
const source = path.resolve(here, '..');
const tmp = fs.mkdtempSync(path.join(build, 'bench-web-'));
const kib = (n) => (n / 1024).toFixed(1) + ' KiB';

// The reader alone: the page with the script and its WebAssembly, no story.
const readerBytes = fs.readFileSync(reader);
console.log('reader (no story):          ' + kib(readerBytes.length) + ', gzipped ' + kib(zlib.gzipSync(readerBytes, { level: 9 }).length));

// The demo exported.
const demo = path.join(tmp, 'demo');
fs.mkdirSync(demo);
for (const file of fs.readdirSync(path.join(build, 'examples/demo'))) {
  if (/^demo\.(qvn|qvj|Q0[1-4])$/i.test(file)) fs.copyFileSync(path.join(build, 'examples/demo', file), path.join(demo, file));
}
for (const file of fs.readdirSync(path.join(source, 'examples/demo'))) {
  if (/\.(bmp|mid|wav|ogg|mp3)$/i.test(file)) fs.copyFileSync(path.join(source, 'examples/demo', file), path.join(demo, file));
}
spawnSync(qvn, ['export', '--web', path.join(demo, 'demo.qvn')], { stdio: 'ignore' });
const demoPage = path.join(demo, 'demo.html');
const demoBytes = fs.readFileSync(demoPage);
console.log('demo export:                ' + kib(demoBytes.length) + ', gzipped ' + kib(zlib.gzipSync(demoBytes, { level: 9 }).length));

// A generated story of 8000 blocks, each with two choices.
const blocks = 8000;
const gen = path.join(tmp, 'gen');
fs.mkdirSync(gen);
let src = 'TITLE=Generated\n';
for (let i = 0; i < blocks; ++i) {
  src += `#B${i}\n!A+\nこれはブロック${i}の本文です。選択肢を選ぶと次のブロックへ進みます。二行目の本文もここにあります。\n`;
  src += `?000\n次へ\nB${(i + 1) % blocks}\n?000\n飛ぶ\nB${(i + 7) % blocks}\n?END\n\n`;
}
fs.writeFileSync(path.join(gen, 'gen.src'), src);
spawnSync(qvn, ['compile', '--color=never', path.join(gen, 'gen.src')], { stdio: 'ignore' });
spawnSync(qvn, ['export', '--web', path.join(gen, 'gen.qvn')], { stdio: 'ignore' });

const require = createRequire(path.join(source, 'tests/web/package.json'));
const puppeteer = require('puppeteer-core');
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir: fs.mkdtempSync(path.join(tmp, 'profile-')), headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--no-first-run',
         '--enable-precise-memory-info'],
});
async function load(file) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 960 });
  // Every load a new game: nothing kept from the load before.
  await page.evaluateOnNewDocument(() => localStorage.clear());
  await page.goto('file://' + file);
  await page.waitForFunction(() => document.documentElement.dataset.state === 'slot-dialog');
  const shown = await page.evaluate(() => Number(document.documentElement.dataset.stateTime));
  const started = await page.evaluate(() => performance.now());
  // Each click waits for the state after it (the next prompt or the page), so
  // that no click meets a dialog already closed.
  const stateTime = () => page.evaluate(() => document.documentElement.dataset.stateTime);
  const clickAndWait = async (selector) => {
    const before = await stateTime();
    await page.click(selector);
    await page.waitForFunction((t) => document.documentElement.dataset.stateTime !== t, {}, before);
  };
  await clickAndWait('#slot-ok');
  while ((await page.evaluate(() => document.documentElement.dataset.state)) === 'variable') {
    await clickAndWait('#variable-ok');
  }
  const firstPage = (await page.evaluate(() => Number(document.documentElement.dataset.stateTime))) - started;
  return { page, shown, firstPage };
}
{
  // One load is noise on a shared machine: seven, the first in a browser just
  // started, then the median of all.
  const shownTimes = [];
  const firstPages = [];
  for (let i = 0; i < 7; ++i) {
    const { page, shown, firstPage } = await load(demoPage);
    shownTimes.push(shown);
    firstPages.push(firstPage);
    await page.close();
  }
  const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
  console.log('demo: slot dialog drawn     ' + median(shownTimes).toFixed(1) + ' ms after the file starts loading (median of 7; ' +
              shownTimes.map((t) => t.toFixed(0)).join(', ') + ')');
  console.log('demo: first page            ' + median(firstPages).toFixed(1) + ' ms from the slot dialog\'s Ok to the first page, through the new-game prompts (puppeteer\'s clicks included; median of 7)');
}
{
  const { page } = await load(path.join(gen, 'gen.html'));
  const result = await page.evaluate(async (count) => {
    const times = [];
    const rows = document.getElementById('rows');
    const memoryBefore = performance.memory ? performance.memory.usedJSHeapSize : 0;
    for (let i = 0; i < count; ++i) {
      const before = rows.firstChild;
      const t0 = performance.now();
      document.dispatchEvent(new KeyboardEvent('keydown', { key: i % 3 ? '1' : '2', bubbles: true }));
      const t1 = performance.now();
      if (rows.firstChild === before) return { error: 'no new page at choice ' + i };
      times.push(t1 - t0);
      if (i % 50 === 0) await new Promise((resolve) => setTimeout(resolve, 0));
    }
    const memoryAfter = performance.memory ? performance.memory.usedJSHeapSize : 0;
    times.sort((a, b) => a - b);
    return { median: times[times.length >> 1], p99: times[Math.floor(times.length * 0.99)], memoryBefore, memoryAfter };
  }, 1000);
  if (result.error) console.log('generated story: ' + result.error);
  else {
    console.log(`generated ${blocks} blocks: a choice to its full page, median ${result.median.toFixed(2)} ms, 99th percentile ${result.p99.toFixed(2)} ms (1000 choices)`);
    console.log(`generated ${blocks} blocks: script heap ${kib(result.memoryBefore)} before, ${kib(result.memoryAfter)} after 1000 choices`);
  }
  const size = fs.statSync(path.join(gen, 'gen.html')).size;
  console.log(`generated ${blocks} blocks: page size ${kib(size)}`);
  await page.close();
}
await browser.close();
fs.rmSync(tmp, { recursive: true, force: true });
