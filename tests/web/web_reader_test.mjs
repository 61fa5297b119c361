// The web reader in Debian's chromium, headless: `qvn export --web` and its
// exit statuses, a scripted play whose slot text must equal what `qvn play`
// writes, the page's rows against the layout's, story text that looks like
// markup, and the page's network policy.
//   node web_reader_test.mjs QVN PAGE_ROWS SOURCE_DIR DEMO_DIR TMP_DIR
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

const [qvn, pageRows, sourceDir, demoDir, tmpRoot] = process.argv.slice(2);
const kChromium = '/usr/bin/chromium';
let failures = 0;
function check(ok, what, detail) {
  if (ok) { console.log('ok   ' + what); return; }
  ++failures;
  console.log('FAIL ' + what + (detail === undefined ? '' : '\n     ' + String(detail).split('\n').join('\n     ')));
}

const tmp = fs.mkdtempSync(path.join(tmpRoot, 'web-'));
function storyCopy(name) {
  const folder = path.join(tmp, name);
  fs.mkdirSync(folder);
  for (const file of fs.readdirSync(demoDir)) {
    if (/^demo\.(qvn|qvj|Q0[1-4])$/i.test(file)) fs.copyFileSync(path.join(demoDir, file), path.join(folder, file));
  }
  for (const file of fs.readdirSync(path.join(sourceDir, 'examples/demo'))) {
    if (/\.(bmp|mid|wav|ogg|mp3)$/i.test(file)) fs.copyFileSync(path.join(sourceDir, 'examples/demo', file), path.join(folder, file));
  }
  return folder;
}
function run(args, options) { return spawnSync(args[0], args.slice(1), { encoding: 'utf8', ...options }); }

// --- qvn export's exit statuses --------------------------------------------
const demo = storyCopy('demo');
let result = run([qvn, 'export', '--web', path.join(demo, 'demo.qvn')]);
const readerBuilt = result.status === 0;
if (!readerBuilt) {
  check(result.status === 2 && /emscripten/.test(result.stderr), 'without the web reader the export fails with 2 naming emscripten', result.stderr);
  console.log('the web reader was not built (no emscripten): the page tests are skipped');
  process.exit(failures ? 1 : 77);
}
const demoPage = path.join(demo, 'demo.html');
check(fs.existsSync(demoPage), 'the demo is written beside the story as demo.html');
check(run([qvn, 'export', path.join(demo, 'demo.qvn')]).status === 64, 'export without --web is a usage error');
check(run([qvn, 'export', '--web']).status === 64, 'export without a story is a usage error');
{
  const broken = storyCopy('no-index');
  fs.rmSync(path.join(broken, 'demo.qvj'));
  const r = run([qvn, 'export', '--web', path.join(broken, 'demo.qvn')]);
  check(r.status === 1 && /demo\.qvj/i.test(r.stderr) && !fs.existsSync(path.join(broken, 'demo.html')), 'a missing index: 1, named, nothing written', r.stderr);
}
{
  const broken = storyCopy('no-body');
  fs.rmSync(path.join(broken, 'demo.qvn'));
  const r = run([qvn, 'export', '--web', path.join(broken, 'demo.qvj')]);
  check(r.status === 1 && /demo\.qvn/i.test(r.stderr) && !fs.existsSync(path.join(broken, 'demo.html')), 'a missing body: 1, named, nothing written', r.stderr);
}
{
  const partial = storyCopy('no-picture');
  fs.rmSync(path.join(partial, 'book.bmp'));
  const r = run([qvn, 'export', '--web', '--output=' + path.join(partial, 'page.html'), path.join(partial, 'demo.qvn')]);
  check(r.status === 0 && /警告: .*book\.bmp: 見つかりません/.test(r.stderr) && fs.existsSync(path.join(partial, 'page.html')), 'a missing picture is a warning', r.stderr);
  const english = run([qvn, 'export', '--web', '--output=' + path.join(partial, 'page-en.html'), path.join(partial, 'demo.qvn')],
                      { env: { ...process.env, LANG: 'en_US.UTF-8' } });
  const line = english.stderr.split('\n').find((l) => l.includes('book.bmp')) || '';
  check(english.status === 0 && /warning: .*book\.bmp: [a-z]/.test(line) && !/[\u3000-\u9fff]/.test(line),
        'under an English locale the warning is English', english.stderr);
}
if (process.getuid && process.getuid() !== 0) {
  const locked = storyCopy('locked');
  const out = path.join(locked, 'out');
  fs.mkdirSync(out);
  fs.writeFileSync(path.join(out, 'demo.html'), 'previous');
  fs.chmodSync(out, 0o555);
  const r = run([qvn, 'export', '--web', '--output=' + path.join(out, 'demo.html'), path.join(locked, 'demo.qvn')]);
  check(r.status === 2 && fs.readFileSync(path.join(out, 'demo.html'), 'utf8') === 'previous', 'an output folder that cannot be written: 2, previous file intact', r.stderr);
  fs.chmodSync(out, 0o755);
} else {
  // root writes into any folder: a folder in the output's place stands for it.
  const locked = storyCopy('locked');
  const out = path.join(locked, 'demo.html');
  fs.mkdirSync(out);
  fs.writeFileSync(path.join(out, 'keep'), 'previous');
  const r = run([qvn, 'export', '--web', '--output=' + out, path.join(locked, 'demo.qvn')]);
  check(r.status === 2 && fs.readFileSync(path.join(out, 'keep'), 'utf8') === 'previous', 'an output that cannot be written: 2, what was there intact', r.stderr);
}

// --- the page in chromium ----------------------------------------------------
if (!fs.existsSync(kChromium)) {
  console.log('SKIP: ' + kChromium + ' is not installed (Debian package chromium): the page tests are skipped');
  process.exit(failures ? 1 : 77);
}
const require = createRequire(import.meta.url);
const puppeteer = require('puppeteer-core');
const profile = fs.mkdtempSync(path.join(tmp, 'profile-'));
const browser = await puppeteer.launch({
  executablePath: kChromium, userDataDir: profile, headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
         '--no-first-run', '--allow-file-access-from-files'],
});
const pageErrors = [];
async function openPage(file, width, height) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => pageErrors.push(error.message));
  await page.setViewport({ width, height });
  await page.goto('file://' + file);
  return page;
}
const state = (page) => page.evaluate(() => document.documentElement.dataset.state || '');
async function waitState(page, wanted) {
  await page.waitForFunction((w) => document.documentElement.dataset.state === w, { timeout: 10000 }, wanted);
}
// Slot 1 and the default values, as `qvn play --choose` answers.
async function openNewGame(page) {
  await waitState(page, 'slot-dialog');
  await page.click('#slot-ok');
  while ((await page.waitForFunction(() => ['variable', 'page'].includes(document.documentElement.dataset.state), { timeout: 10000 }), await state(page)) === 'variable') {
    await page.click('#variable-ok');
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}
async function pressKeys(page, keys) {
  for (const key of keys) {
    await page.keyboard.press(key === '' ? 'Enter' : key);
    await new Promise((resolve) => setTimeout(resolve, 30));
  }
}
async function slotText(page, slot) {
  return page.evaluate((s) => {
    const story = JSON.parse(document.getElementById('qvn-story').textContent);
    return localStorage.getItem('qvn:' + story.identity + ':.Q0' + s);
  }, slot);
}
const pageRowsOf = (page) => page.evaluate(() => Array.from(document.querySelectorAll('#rows div'), (d) => d.textContent.replace(/^\u00a0$/, '')));

try {
  // A scripted play: the slot text equals the slot file `qvn play` writes.
  // The book's picture opens over the page; a key closes it (Escape here).
  const keys = ['2', '1', 'Escape', '1', ''];
  const played = storyCopy('played');
  const r = run([qvn, 'play', '--slot=1', '--choose=' + keys.filter((k) => k !== 'Escape').join(','), path.join(played, 'demo.qvn')]);
  check(r.status === 0, 'qvn play plays the keys', r.stderr);
  let page = await openPage(demoPage, 1280, 960);
  await openNewGame(page);
  check((await pageRowsOf(page)).join('').includes('勝'), 'the first page shows the default name');
  await pressKeys(page, keys);
  await page.screenshot({ path: path.join(tmpRoot, 'web-demo-1280x960.png') });
  if (await page.$eval('#picture', (e) => !e.hidden)) await page.keyboard.press('Escape');
  await page.click('#cmd-reopen');  // closing saves the progress into the slot
  await waitState(page, 'slot-dialog');
  const browserSlot = Buffer.from((await slotText(page, 1)) || '', 'latin1');
  const fileSlot = fs.readFileSync(path.join(played, 'demo.Q01'));
  check(browserSlot.equals(fileSlot), 'after the same keys the browser\'s slot text equals qvn play\'s slot file, byte for byte',
        browserSlot.toString('latin1').slice(0, 200) + '\n---\n' + fileSlot.toString('latin1').slice(0, 200));
  // The slot survives a new page load: the browser's storage keeps it.
  await page.close();
  page = await openPage(demoPage, 1280, 960);
  await waitState(page, 'slot-dialog');
  check(Buffer.from((await slotText(page, 1)) || '', 'latin1').equals(fileSlot), 'the slot is kept across page loads');
  check(!/未使用/.test(await page.$eval('#slot-comment', (e) => e.textContent)), 'the slot dialog shows slot 1 as used');
  // The download button hands over the slot file's bytes as they are.
  const downloads = fs.mkdtempSync(path.join(tmp, 'downloads-'));
  await (await page.target().createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#slot-download');
  const downloaded = path.join(downloads, 'demo.Q01');
  for (let i = 0; i < 100 && !fs.existsSync(downloaded); ++i) await new Promise((resolve) => setTimeout(resolve, 50));
  check(fs.existsSync(downloaded) && fs.readFileSync(downloaded).equals(fileSlot), 'the downloaded slot 1 is qvn play\'s slot file, byte for byte');
  // A file that is no slot file, or is too large for one, leaves the slot as
  // it was and says why.
  const notSlots = [['random.Q01', Buffer.from(Array.from({ length: 600 }, (_, i) => (i * 131 + 7) % 256)), '破損'],
                    ['large.Q01', Buffer.concat([fileSlot, Buffer.alloc(300 * 1024, 0x41)]), '大きすぎます']];
  for (const [name, bytes, said] of notSlots) {
    fs.writeFileSync(path.join(tmp, name), bytes);
    const [picker] = await Promise.all([page.waitForFileChooser(), page.click('#slot-load')]);
    await picker.accept([path.join(tmp, name)]);
    await page.waitForFunction(() => document.getElementById('notice-dialog').open, { timeout: 5000 }).catch(() => {});
    const told = await page.$eval('#notice-dialog', (d) => (d.open ? d.textContent : ''));
    check(told.includes(name) && told.includes(said), name + ' is refused with a notice naming it', told);
    check(Buffer.from((await slotText(page, 1)) || '', 'latin1').equals(fileSlot), name + ' leaves slot 1 as it was');
    if (told) await page.click('#notice-dialog button');
  }
  check(!(await page.$eval('#slot-ok', (b) => b.disabled)), 'slot 1 can still be loaded');
  // A slot written by qvn play loaded from a file plays on from there.
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('input[name=slot][value="2"]').then(() => page.click('#slot-load'))]);
  await chooser.accept([path.join(played, 'demo.Q01')]);
  await page.waitForFunction(() => !/未使用/.test(document.getElementById('slot-comment').textContent), { timeout: 5000 });
  await page.click('#slot-ok');
  await waitState(page, 'page');
  const resumed = await pageRowsOf(page);
  const resumedCopy = storyCopy('resumed');
  fs.copyFileSync(path.join(played, 'demo.Q01'), path.join(resumedCopy, 'demo.Q01'));
  const bytesPerRow = await page.evaluate(() => Number(document.documentElement.dataset.bytesPerRow));
  const expected = run([pageRows, path.join(resumedCopy, 'demo.qvn'), String(bytesPerRow)]).stdout.split('\n').slice(0, -1);
  check(JSON.stringify(resumed) === JSON.stringify(expected), 'a slot qvn play wrote, loaded into the browser, plays on at the same page',
        resumed.join('\n') + '\n---\n' + expected.join('\n'));
  await page.close();

  // Markup in story text is text; rows equal the layout's on a phone.
  const markup = path.join(tmp, 'markup');
  fs.mkdirSync(markup);
  fs.copyFileSync(path.join(sourceDir, 'tests/web/stories/markup.src'), path.join(markup, 'markup.src'));
  fs.writeFileSync(path.join(markup, 'tool.sh'), '#!/bin/sh\ntouch started\n', { mode: 0o755 });
  check(run([qvn, 'compile', '--color=never', path.join(markup, 'markup.src')]).status === 0, 'the markup story compiles');
  check(run([qvn, 'export', '--web', path.join(markup, 'markup.qvn')]).status === 0, 'the markup story exports');
  page = await openPage(path.join(markup, 'markup.html'), 360, 640);
  const title = await page.title();
  check(title === '<b>Markup & Co</b>', 'the page title is the story\'s title as text', title);
  await openNewGame(page);
  const rows = await pageRowsOf(page);
  const text = rows.join('\n');
  check(text.includes("<script>document.title='pwned'</script>") && text.includes('<img src=x onerror=') && text.includes('&amp; &lt;'),
        'story text that looks like markup is shown as text', text);
  check(await page.evaluate(() => !document.querySelector('#rows script, #rows img') && document.title !== 'pwned'), 'no element is made from story text');
  const notes = await page.$eval('#notes', (e) => e.textContent);
  check(notes.includes('tool.sh --flag') && !fs.existsSync(path.join(markup, 'started')), 'the program the story asks for is named on the page, never started', notes);
  const markupRows = path.join(tmp, 'markup-rows');
  fs.mkdirSync(markupRows);
  for (const f of fs.readdirSync(markup)) if (/^markup\.(qvn|qvj|q0[1-4])$/i.test(f)) fs.copyFileSync(path.join(markup, f), path.join(markupRows, f));
  const phoneBytes = await page.evaluate(() => Number(document.documentElement.dataset.bytesPerRow));
  const layoutRows = run([pageRows, path.join(markupRows, 'markup.qvn'), String(phoneBytes)]).stdout.split('\n').slice(0, -1);
  check(JSON.stringify(rows) === JSON.stringify(layoutRows), 'the page\'s rows equal the layout\'s rows at ' + phoneBytes + ' bytes, line-start marks included',
        rows.join('\n') + '\n---\n' + layoutRows.join('\n'));
  const geometry = await page.evaluate(() => ({
    sideways: document.documentElement.scrollWidth > document.documentElement.clientWidth,
    lowest: Math.min(...Array.from(document.querySelectorAll('button'), (b) => b.getBoundingClientRect().height).filter((h) => h > 0)),
  }));
  check(!geometry.sideways && geometry.lowest >= 44, 'at 360 x 640 nothing scrolls sideways and buttons are at least 44 px high', JSON.stringify(geometry));
  await page.screenshot({ path: path.join(tmpRoot, 'web-markup-360x640.png') });
  // The policy refuses every request the page's script makes.
  const fetched = await page.evaluate(() => new Promise((resolve) => {
    let violation = '';
    document.addEventListener('securitypolicyviolation', (e) => { violation = e.effectiveDirective; });
    fetch('data:text/plain,hello').then(() => resolve('fetched'), () => setTimeout(() => resolve('refused:' + violation), 100));
  }));
  check(fetched === 'refused:connect-src', 'a fetch from the page is refused by its policy', fetched);
  await page.close();

  // Storage that refuses a write shows the write-failure notice and loses
  // nothing it kept.
  page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); };
  });
  await page.goto('file://' + path.join(markup, 'markup.html'));
  await waitState(page, 'slot-dialog');
  const keptBefore = await slotText(page, 1);
  await page.click('#slot-ok');
  await waitState(page, 'page');
  await page.click('#cmd-temp-save');
  const notice = await page.$eval('#notice-dialog', (d) => (d.open ? d.textContent : ''));
  check(notice.includes('ユーザーデータ書込み不能'), 'storage that refuses shows the write-failure notice', notice);
  check((await slotText(page, 1)) === keptBefore && keptBefore !== null, 'what the storage kept is kept');
  await page.close();
  check(pageErrors.length === 0, 'no script error on the pages', pageErrors.join('\n'));
} finally {
  await browser.close();
}
fs.rmSync(tmp, { recursive: true, force: true });
process.exit(failures ? 1 : 0);
