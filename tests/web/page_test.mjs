// The game's page in headless Chromium, checked against the replay runner:
//   node page_test.mjs BUILD_WEB_DIR NATIVE_BUILD_DIR [--screenshot PNG] [--only NAME]
// Prints one line per test and exits 1 if any failed.
import puppeteer from 'puppeteer-core';
import { spawn, spawnSync, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const args = process.argv.slice(2);
const option = (name) => (args.includes(name) ? args[args.indexOf(name) + 1] : null);
const [web, native] = args.slice(0, 2).map((dir) => path.resolve(dir));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnblast-web-'));
const servers = [];  // stopped at the end, whatever failed
const check = (ok, what) => { if (!ok) throw new Error(what); };
const write = (name, content) => (fs.writeFileSync(path.join(tmp, name), content), path.join(tmp, name));
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// A folder of its own holding data/, for a runner to run in.
function runFolder() {
  const dir = fs.mkdtempSync(path.join(tmp, 'run-'));
  fs.symlinkSync(path.join(native, 'data'), path.join(dir, 'data'));
  return dir;
}
// The desktop runner the page is held to.
function runner(options, script) {
  const dir = runFolder(), run = spawnSync(path.join(native, 'tarnblast-replay'), [...options, '--frames-out', 'frames', path.resolve(script)], { cwd: dir });
  check(run.status === 0, `the runner failed: ${String(run.stderr).slice(-400)}`);
  return dir;
}
const lastFrame = (dir) => path.join(dir, 'frames', fs.readdirSync(path.join(dir, 'frames')).sort().pop());

// A BMP's pixels as R, G, B, A rows from the top, as the canvas holds them.
function bmpPixels(file) {
  const bmp = fs.readFileSync(file), width = bmp.readInt32LE(18), height = bmp.readInt32LE(22);
  const bytes = bmp.readUInt16LE(28) / 8, stride = Math.ceil((width * bytes) / 4) * 4, out = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; y++)
    for (let x = 0; x < width; x++) {
      const at = bmp.readUInt32LE(10) + (height - 1 - y) * stride + x * bytes, to = 4 * (y * width + x);
      [out[to], out[to + 1], out[to + 2], out[to + 3]] = [bmp[at + 2], bmp[at + 1], bmp[at], 255];
    }
  return out;
}

// The page served by its own http.server on a free port, from a folder that
// holds the build's files and the test's own (scripts, level files).
async function openPage(browser, query, files = {}, before = async () => {}) {
  const dir = fs.mkdtempSync(path.join(tmp, 'site-'));
  for (const name of ['index.html', 'page.js', 'page.css', 'tarnblast.js', 'tarnblast.wasm', 'tarnblast.wasm.gz', 'tarnblast.data.gz'])
    fs.symlinkSync(path.join(web, name), path.join(dir, name));
  for (const [name, from] of Object.entries(files)) fs.copyFileSync(from, path.join(dir, name));
  const port = await new Promise((done) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => { const { port } = probe.address(); probe.close(() => done(port)); });
  });
  servers.push(spawn('python3', ['-m', 'http.server', '-b', '127.0.0.1', String(port)], { cwd: dir, stdio: 'ignore' }));
  const page = await browser.newPage();
  await before(page);
  // Downloads saved under their ids, listed in order with the names the page gave them.
  const cdp = await page.createCDPSession(), saved = fs.mkdtempSync(path.join(tmp, 'downloads-')), names = {};
  page.downloads = [];
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: saved, eventsEnabled: true });
  cdp.on('Browser.downloadWillBegin', (event) => (names[event.guid] = event.suggestedFilename));
  cdp.on('Browser.downloadProgress', (event) => event.state === 'completed' && page.downloads.push({ name: names[event.guid], file: path.join(saved, event.guid) }));
  for (let tries = 0; ; tries++)
    try {
      await page.goto(`http://127.0.0.1:${port}/${query}`);
      break;
    } catch (error) {
      if (tries > 50) throw error;
      await sleep(100);
    }
  await page.waitForFunction(() => window.tarnblastPasses > 0 || !document.getElementById('message').hidden, { timeout: 30000 });
  return page;
}

const canvasPixels = (page) => page.evaluate(() => Array.from(document.getElementById('screen').getContext('2d').getImageData(0, 0, 320, 200).data));
const text = (page, id) => page.$eval(`#${id}`, (element) => (element.hidden ? '' : element.textContent));
function samePixels(page, expected, what) {
  return canvasPixels(page).then((got) => {
    const wrong = got.findIndex((value, i) => value !== expected[i]);
    if (wrong >= 0) throw new Error(`${what}: pixel ${wrong >> 2} differs (${got.slice(wrong & ~3, (wrong & ~3) + 4)} against ${[...expected.slice(wrong & ~3, (wrong & ~3) + 4)]})`);
  });
}
async function downloaded(page, count) {
  for (let waited = 0; page.downloads.length < count; waited += 100, await sleep(100))
    check(waited < 5000, `${count} download(s) expected, got ${page.downloads.map((d) => d.name)}`);
  return page.downloads;
}
// Holds P until the status line says (or no longer says) PAUSED: a short tap
// can fall between two passes on a busy machine.
async function holdUntilPaused(page, paused) {
  await page.keyboard.down('KeyP');
  const done = await page.waitForFunction((want) => document.getElementById('status').textContent.includes('PAUSED') === want, { timeout: 5000 }, paused).catch(() => false);
  await page.keyboard.up('KeyP');
  await sleep(100);  // the game sees P let go before it is pressed again
  check(done, paused ? 'P did not pause' : 'P again did not play on');
}
// A phone's touch screen of width x height CSS pixels, 3 device pixels each.
const phone = (width, height) => ({ viewport: { width, height, isMobile: true, hasTouch: true, deviceScaleFactor: 3 }, userAgent: '' });
// Waits until the page has run `count` more passes by its clock.
const passes = async (page, count) => page.waitForFunction((from) => window.tarnblastPasses >= from, {}, (await page.evaluate(() => window.tarnblastPasses)) + count);
// Escape ends the game; then Download keys. Every download the page made, in order.
async function endAndDownloadKeys(page, count) {
  await hold(page, 'Escape', 50);
  await page.waitForFunction(() => !document.getElementById('play-again').hidden);
  await page.click('#download-keys');
  return downloaded(page, count);
}
// Holds each key for its milliseconds, one after another: hold(page, 'KeyS', 100, 'Space', 50).
async function hold(page, ...keys) {
  for (let i = 0; i < keys.length; i += 2) {
    await page.keyboard.down(keys[i]);
    await sleep(keys[i + 1]);
    await page.keyboard.up(keys[i]);
  }
}

// The level tool, and the export file a level link stands for.
const levels = (...options) => String(execFileSync(path.join(native, 'tarnblast-levels'), options, { cwd: native, stdio: 'pipe' })).trim();
const unlinked = (link) => (levels('unlink', link, write('unlinked.txt', '')), fs.readFileSync(path.join(tmp, 'unlinked.txt')));
// A gallery of the built-in levels whose links lead to `page` (routes looked
// for 2 s each), and its
// links: [level, Play|Edit|Watch, link].
function gallery(page, seconds = '2') {
  const out = fs.mkdtempSync(path.join(tmp, 'gallery-'));
  levels('gallery', '--builtin', out, '--seconds', seconds, '--page', page);
  const html = fs.readFileSync(path.join(out, 'index.html'), 'utf8').split('<h2>').slice(1);
  return [path.join(out, 'index.html'), html.flatMap((section) => [...section.matchAll(/<a href="([^"]+)">(\w+)</g)].map(([, link, kind]) => [/^Level (\d)/.exec(section)[1], kind, link.replaceAll('&amp;', '&')]))];
}
// The link the editor's Share gives, shown on the page.
async function shared(page) {
  await page.$eval('#share-link', (box) => (box.value = ''));
  await page.click('#share');
  return (await page.waitForFunction(() => document.getElementById('share-link').value)).jsonValue();
}
// Whether leaving the page now would ask first.
const asks = (page) => page.evaluate(() => { const event = new Event('beforeunload', { cancelable: true }); dispatchEvent(event); return event.defaultPrevented; });
// The mode the page is in, by the line of keys it shows and its pressed button.
async function inMode(page, editor) {
  const [status, pressed] = await page.evaluate(() => [document.getElementById('status').textContent, document.getElementById('edit').getAttribute('aria-pressed')]);
  check(status.includes(editor ? 'move the cursor' : 'walk') && pressed === String(editor), `${editor ? 'editor' : 'play'}: "${status}", Edit pressed: ${pressed}`);
}
// S, a walk and a shot, Escape: the keys the page recorded.
async function playSome(page) {
  await hold(page, 'KeyS', 100, 'ArrowRight', 400, 'Space', 100);
  return (await endAndDownloadKeys(page, page.downloads.length + 1)).pop().file;
}

const tests = {
  // The largest whole scale that fits the window; then 70 passes a second by
  // the clock, over 10 s, within 1%.
  async pace(browser) {
    const page = await openPage(browser, '');
    for (const [width, height, scale] of [[1000, 800, 3], [700, 420, 1], [800, 600, 2]]) {
      await page.setViewport({ width, height });
      await page.waitForFunction((w) => document.getElementById('screen').clientWidth === w, { timeout: 2000 }, 320 * scale).catch(() => {});
      const shown = await page.$eval('#screen', (canvas) => [canvas.getBoundingClientRect().width, canvas.getBoundingClientRect().height]);
      check(shown.join() === `${320 * scale},${200 * scale}`, `a ${width} x ${height} window shows the game at ${shown}`);
    }
    const counts = () => page.evaluate(() => [window.tarnblastPasses, window.tarnblastDropped, performance.now()]);
    const [p0, d0, t0] = await counts();
    await sleep(10000);
    const [p1, d1, t1] = await counts();
    const rate = ((p1 - p0) * 1000) / (t1 - t0);
    const bytes = await page.evaluate(() => performance.getEntries().reduce((sum, entry) => sum + (entry.transferSize || 0), 0));
    const figures = `${rate.toFixed(2)} passes/s (${d1 - d0} dropped after stalls), ${bytes} bytes downloaded`;
    console.log(`     ${figures}`);
    check(Math.abs(rate - 70) <= 0.7 && bytes < 2e6, figures);
  },
  // A replayed script holds its last frame, which is the runner's last frame:
  // one empty pass (the first title frame), and a way through level 2.
  async replays(browser) {
    const route = path.join(tmp, 'route.txt');
    execFileSync(path.join(native, 'tarnblast-levels'), ['route', '2', '--out', route], { cwd: native, stdio: 'pipe' });
    for (const [script, query, options] of [[write('first.txt', '\n'), '', []], [route, '&warp=2', ['--warp', '2']]]) {
      const page = await openPage(browser, `?replay=${path.basename(script)}${query}`, { [path.basename(script)]: script });
      await page.waitForFunction(() => document.body.dataset.replay === 'done', { timeout: 60000 });
      await samePixels(page, bmpPixels(lastFrame(runner(options, script))), `${path.basename(script)}: the last frame`);
      const passes = await page.evaluate(() => window.tarnblastPasses);
      await sleep(300);
      check(passes === (await page.evaluate(() => window.tarnblastPasses)), 'the page ran on after the replay was done');
      await page.close();
    }
  },
  // Keys reach the game, the sound starts on the first key, P and a hidden
  // tab pause, and the downloaded recording replays to the page's last frame.
  async keys(browser) {
    const page = await openPage(browser, '');
    check((await text(page, 'status')).includes('ress a key'), 'no "press a key" before the first key');
    await page.evaluate(() => { document.body.dataset.keys = ''; addEventListener('keydown', (e) => (document.body.dataset.keys += ` ${e.code}:${e.defaultPrevented}`)); });
    await hold(page, 'F12', 30, 'F1', 30, 'KeyS', 100, 'ArrowRight', 500, 'Space', 100);
    const prevented = await page.evaluate(() => document.body.dataset.keys);
    check(prevented === ' F12:false F1:true KeyS:true ArrowRight:true Space:true', `the browser's own keys: ${prevented}`);
    const sound = await page.evaluate(() => [tarnblastSound.context.state, ...tarnblastSound.played, tarnblastSound.buffers.filter(Boolean).length]);
    check(sound[0] === 'running' && sound[1] >= 1 && sound[3] >= 1 && sound[4] === 3, `sound: state, plays of each sample, samples decoded: ${sound}`);
    await holdUntilPaused(page, true);
    await holdUntilPaused(page, false);
    check((await text(page, 'status')) === 'Left and Right walk, Up jumps, Space fires, S starts, P pauses, M mutes, Esc quits.', 'the line of keys');
    for (const hidden of [true, false]) await page.evaluate((value) => { Object.defineProperty(document, 'hidden', { value, configurable: true }); document.dispatchEvent(new Event('visibilitychange')); }, hidden);
    await passes(page, 35);
    check((await text(page, 'status')).includes('PAUSED'), 'the game plays on after its tab was hidden');
    await holdUntilPaused(page, false);
    await hold(page, 'ArrowLeft', 300);
    const [keys] = await endAndDownloadKeys(page, 1);
    const recorded = fs.readFileSync(keys.file, 'utf8');
    check(keys.name === 'tarnblast-keys.txt' && /^RIGHT$/m.test(recorded) && /^S$/m.test(recorded) && /ESC\n$/.test(recorded), `recording (${keys.name}):\n${recorded.slice(-300)}`);
    await samePixels(page, bmpPixels(lastFrame(runner([], keys.file))), 'the recording replayed');
    await page.close();
  },
  // The editor's Right Shift: one download per press, held or tapped, equal
  // to the runner's export for the same keys.
  async export(browser) {
    const page = await openPage(browser, '?start-mode=3');
    await hold(page, 'ShiftRight', 400, 'ArrowRight', 300, 'ShiftRight', 80);
    await sleep(200);
    const files = await endAndDownloadKeys(page, 3);
    check(files.map((d) => d.name).join() === 'level.txt,level.txt,tarnblast-keys.txt', `downloads: ${files.map((d) => d.name)}`);
    const run = runner(['--start-mode', '3'], files[2].file);
    check(fs.readFileSync(path.join(run, 'd:/tilewerks/level.txt')).equals(fs.readFileSync(files[1].file)), "the last export is not the runner's");
    await page.close();
  },
  // The designer's loop in the page: a file opened, Edit, placements (leaving
  // asks), Play them from the title (still asks) and Edit again with them
  // kept: the export, named as the file, is the level Share gave before.
  // That link, opened anew, plays as the runner plays the export; its #edit=
  // form opens it in the editor.
  async designer(browser) {
    const page = await openPage(browser, ''), opened = path.join(tmp, 'my level.txt');
    levels('export', '1', opened);
    await (await page.$('#level-file')).uploadFile(opened);
    await page.waitForFunction(() => document.getElementById('message').textContent === 'Opened my level.txt.');
    await hold(page, 'KeyX', 30);
    await page.click('#edit');
    await inMode(page, true);
    await hold(page, 'Space', 250, 'Enter', 60, 'ArrowDown', 300, 'Space', 30, 'Enter', 60);
    const link = await shared(page), level = unlinked(link);
    check((await asks(page)) && !level.equals(fs.readFileSync(opened)), 'no placement, or leaving does not ask');
    await page.click('#play');
    await inMode(page, false);
    await hold(page, 'KeyS', 100, 'ArrowRight', 200);
    check(await asks(page), 'the play-test dropped the placements');
    await page.click('#edit');
    await hold(page, 'ShiftRight', 60);
    const [exported] = await downloaded(page, 1), said = await text(page, 'message');
    check(exported.name === 'my level.txt' && said.includes('Exported my level.txt') && fs.readFileSync(exported.file).equals(level) && !(await asks(page)), `the export "${said}" is not the level shared, or leaving still asks`);
    const played = await openPage(browser, new URL(link).hash);
    await samePixels(played, bmpPixels(lastFrame(runner(['--level', exported.file], await playSome(played)))), 'the link played');
    const edited = await openPage(browser, new URL(link).hash.replace('#level=', '#edit='));
    await hold(edited, 'KeyX', 30).then(() => inMode(edited, true));
    check(unlinked(await shared(edited)).equals(level), 'the #edit= link opens another level');
    for (const each of [page, played, edited]) await each.close();
  },
  // A refused setting or level file shows the reader's line; the game goes on.
  async refusals(browser) {
    const damaged = write('damaged.txt', 'x'.repeat(100)), good = path.join(tmp, 'good.txt');
    execFileSync(path.join(native, 'tarnblast-levels'), ['export', '3', good]);
    for (const [query, says] of [['?start-mode=7', '7'], ['?level=damaged.txt', 'damaged.txt'], ['?replay=gone.txt', 'gone.txt: 404'], ['?level=good.txt', '']]) {
      const page = await openPage(browser, query, { 'damaged.txt': damaged, 'good.txt': good }), message = await text(page, 'message');
      await sleep(100);
      const started = (await page.evaluate(() => window.tarnblastPasses)) > 0;
      check(says ? message.includes(says) && !started : !message && started, `${query}: "${message}"`);
      await page.close();
    }
    const page = await openPage(browser, '');
    for (const [file, refused] of [[damaged, true], [good, false]]) {
      await (await page.$('#level-file')).uploadFile(file);
      await sleep(300);
      const message = await text(page, 'message'), passes = await page.evaluate(() => window.tarnblastPasses);
      check(message.includes(` ${path.basename(file)}`) && refused === message.includes('cannot use'), `${path.basename(file)}: "${message}"`);
      await sleep(200);
      check((await page.evaluate(() => window.tarnblastPasses)) > passes, 'the game stopped');
    }
    await page.close();
  },
  // A link longer than any level's, one that inflates past the grid, one cut
  // and one changed: each shows the reader's line and the game goes on; a
  // good one typed over the fragment opens in place (no reload), and a
  // gallery's Watch link replays the route it carries.
  async links(browser) {
    const good = new URL(levels('link', '3')).hash, middle = good.length >> 1;
    const page = await openPage(browser, `#level=${'A'.repeat(100000)}`);
    await page.evaluate(() => (window.stayed = true));
    for (const fragment of [null, `#level=${zlib.deflateRawSync(Buffer.alloc(70000, 1)).toString('base64url')}`, good.slice(0, middle), good.slice(0, middle) + (good[middle] === 'A' ? 'B' : 'A') + good.slice(middle + 1), good]) {
      if (fragment) await page.evaluate((hash) => (document.getElementById('message').textContent = '') || (location.hash = hash), fragment);
      const message = await (await page.waitForFunction(() => document.getElementById('message').textContent)).jsonValue(), passes = await page.evaluate(() => window.tarnblastPasses);
      await sleep(100);
      const [goesOn, stayed] = await page.evaluate((from) => [window.tarnblastPasses > from, window.stayed], passes);
      check(goesOn && stayed && (fragment === good) !== message.includes('cannot use the level link'), `${String(fragment).slice(0, 20)}...: "${message}"`);
    }
    await page.close();
  },
  // Every link of a gallery served beside the page opens the level it names:
  // Play and Edit links typed over the fragment, each level shared back from
  // the editor as its export; a Watch link is its Play link with a route,
  // which the page replays to the runner's last frame (level 1's, the
  // shortest).
  async gallery(browser) {
    const page = await openPage(browser, ''), [, links] = gallery(page.url());
    check(links.length >= 13 && links.filter(([, kind]) => kind === 'Play').length === 6, `links: ${links.map(([n, kind]) => n + kind)}`);
    await hold(page, 'KeyX', 30);
    for (const [number, kind, link] of links.filter(([, kind]) => kind !== 'Watch')) {
      await page.evaluate((hash) => (document.getElementById('message').textContent = '') || (location.hash = hash), new URL(link).hash);
      await page.waitForFunction(() => document.getElementById('message').textContent);
      if (kind === 'Play') await inMode(page, false).then(() => page.click('#edit'));
      levels('export', number, path.join(tmp, 'named.txt'));
      check(unlinked(await shared(page)).equals(fs.readFileSync(path.join(tmp, 'named.txt'))), `the ${kind} link of level ${number} opens another level`);
    }
    for (const [number, , link] of links.filter(([, kind]) => kind === 'Watch'))
      check(link.startsWith(links.find(([n, kind]) => n === number && kind === 'Play')[2] + '&watch='), `level ${number}: its Watch link is not its Play link's`);
    const [, , watch] = links.find(([number, kind]) => number === '1' && kind === 'Watch'), [level, route] = watch.split('&watch=');
    await page.evaluate((hash) => (location.hash = hash), new URL(watch).hash);
    await page.waitForFunction(() => document.body.dataset.replay === 'done', { timeout: 60000 });
    await samePixels(page, bmpPixels(lastFrame(runner(['--level', level], write('route.txt', zlib.inflateRawSync(Buffer.from(route, 'base64url')))))), 'the route watched');
    await page.close();
  },
  // Two fingers walk and fire at once, a finger sliding from Right to Left
  // turns the player; the recording holds those keys and replays to the
  // page's frame. Sideways on a phone the picture is 5 x in the screen's
  // pixels with the controls beside it, upright 3 x with them below; nothing
  // scrolls or zooms.
  async touch(browser) {
    const page = await openPage(browser, '', {}, (p) => p.emulate(phone(844, 390))), cdp = await page.createCDPSession();
    const rects = () => page.evaluate(() => Object.fromEntries([document.getElementById('screen'), ...document.querySelectorAll('[data-control]')]
      .filter((e) => e.getClientRects().length).map((e) => [e.getAttribute('aria-label') || 'screen', e.getBoundingClientRect().toJSON()])));
    check(!(await rects()).Fire, 'the controls show before any touch');
    // A touch event for fingers 0, 1, ... on the named controls.
    const at = async (type, ...names) => {
      const r = await rects();
      await cdp.send('Input.dispatchTouchEvent', { type, touchPoints: names.map((name, id) => name && { x: r[name].x + r[name].width / 2, y: r[name].y + r[name].height / 2, id }).filter(Boolean) });
      await passes(page, 8);
    };
    for (const step of [['touchStart', 'screen'], ['touchEnd']]) await at(...step);
    for (const [width, height, scale, apart] of [[390, 844, 3, (c, r) => r.top >= c.bottom], [844, 390, 5, (c, r) => r.right <= c.left || r.left >= c.right]]) {
      await page.emulate(phone(width, height));
      await page.waitForFunction((h) => document.getElementById('screen').getBoundingClientRect().height * 3 === h, { timeout: 2000 }, 200 * scale).catch(() => {});
      const { screen, ...controls } = await rects(), style = await page.evaluate(() => [getComputedStyle(document.body).touchAction, getComputedStyle(document.body).userSelect, document.documentElement.scrollHeight <= innerHeight, document.documentElement.scrollWidth <= innerWidth].join());
      const wrong = Object.entries(controls).filter(([, r]) => r.width < 40 || !apart(screen, r)).map(([name]) => name);
      check(Math.round(screen.height * 3) === 200 * scale && Math.round(screen.width * 3) === 320 * scale && !wrong.length && style === 'none,none,true,true', `${width} x ${height}: ${JSON.stringify(screen)} ${style} ${wrong}`);
    }
    for (const step of [['touchStart', 'Start'], ['touchEnd'], ['touchStart', 'Right', 'Fire'], ['touchEnd', null, 'Fire'], ['touchMove', 'Left'], ['touchEnd']]) await at(...step);
    const [keys] = await endAndDownloadKeys(page, 1), recorded = fs.readFileSync(keys.file, 'utf8');
    check(/^S$/m.test(recorded) && /^RIGHT SPACE$/m.test(recorded) && /^RIGHT\nLEFT$/m.test(recorded), `recording:\n${recorded}`);
    await samePixels(page, bmpPixels(lastFrame(runner([], keys.file))), 'the touches replayed');
    await page.close();
  },
  // A standard-mapping pad, its buttons moved by ?pad=: Start is S, the
  // d-pad and the left stick walk, A (fire's usual button) no longer fires
  // but button 2 does, B jumps.
  async pads(browser) {
    const page = await openPage(browser, '?pad=fire=2', {}, (p) => p.evaluateOnNewDocument(() => {
      window.testPad = { connected: true, mapping: 'standard', axes: [0, 0, 0, 0], buttons: [...Array(17)].map(() => ({ pressed: false, value: 0 })) };
      navigator.getGamepads = () => [window.testPad, null, null, null];
    }));
    for (const [button, axis] of [[9], [15], [null, -1], [0], [2], [1], []]) {
      await page.evaluate((b, a) => testPad.buttons.forEach((button, n) => (button.pressed = n === b)) || (testPad.axes[0] = a || 0), button, axis);
      await passes(page, 10);
    }
    const [keys] = await endAndDownloadKeys(page, 1), recorded = fs.readFileSync(keys.file, 'utf8');
    const held = recorded.split('\n').filter((line) => line && !line.startsWith('#')).filter((line, i, all) => line !== all[i - 1]);
    check(held.join() === 'S,RIGHT,LEFT,SPACE,UP,ESC', `keys held: ${held}`);
    await samePixels(page, bmpPixels(lastFrame(runner([], keys.file))), 'the pad replayed');
    await page.close();
  },
  // After Escape, Play again and S start the game from its start-up state
  // (its recording replays from there); fullscreen keeps the lines inside.
  async again(browser) {
    const page = await openPage(browser, '');
    await hold(page, 'KeyS', 100).then(() => endAndDownloadKeys(page, 1));
    await Promise.all([page.waitForFunction(() => document.fullscreenElement), page.click('#fullscreen')]);
    await page.click('#play-again');
    await hold(page, 'KeyS', 100, 'ArrowRight', 300);
    const [, keys] = await endAndDownloadKeys(page, 2);
    await samePixels(page, bmpPixels(lastFrame(runner([], keys.file))), 'the game played again');
    await hold(page, 'KeyS', 100).then(() => holdUntilPaused(page, true));
    check(await page.evaluate(() => document.fullscreenElement.contains(document.getElementById('status'))), 'the status line is left out of fullscreen');
    await page.close();
  },
  // The address decoded once, the game's own line of keys as bound, and the
  // export offered where the game says it wrote it.
  async address(browser) {
    const page = await openPage(browser, '?start-mode=3&export-path=my%2Blevel.txt&record=a%26b.txt&keys=left=a,right=d');
    await hold(page, 'ShiftRight', 100);
    const [file] = await downloaded(page, 1), shown = await text(page, 'status');
    const written = await page.evaluate(() => ['/my+level.txt', '/a&b.txt'].map((name) => Module.FS.analyzePath(name).exists).join());
    check(written === 'true,true' && file.name === 'my+level.txt' && fs.readFileSync(file.file).equals(Buffer.from(await page.evaluate(() => Array.from(Module.FS.readFile('/my+level.txt'))))), `the files: ${written}`);
    check(shown.startsWith('A, D, Up and Down move the cursor, Enter places'), `the line of keys: ${shown}`);
    await page.close();
  },
  // The web runner under node gives the desktop runner's traces, frames,
  // grids, exports (where the environment says) and exit codes, byte for
  // byte, for each demo, an export and a bad script.
  async runners() {
    const demos = new URL('../../docs/demos/', import.meta.url).pathname, env = { ...process.env, TARNBLAST_EXPORT_PATH: 'a b/c+d&e.txt' };
    for (const demo of [...fs.readdirSync(demos).map((name) => path.join(demos, name)), write('bad.txt', 'JUMP\n'), write('export.txt', '# options --start-mode 3\nRSHIFT\n')]) {
      const options = (/^# options (.*)$/m.exec(fs.readFileSync(demo, 'utf8')) || [, ''])[1].split(' ').filter(Boolean);
      const outputs = ['--trace', 'trace.jsonl', '--grid-out', 'grid.txt', '--frames-out', 'frames', '--frame-list', '1-20,100,200,300'];
      const [desktop, node] = [[path.join(native, 'tarnblast-replay')], ['node', path.join(web, 'tarnblast-replay.js')]].map(([program, ...first]) => {
        const dir = runFolder(), run = spawnSync(program, [...first, ...options, ...outputs, demo], { cwd: dir, env });
        const files = ['trace.jsonl', 'grid.txt', env.TARNBLAST_EXPORT_PATH, ...(fs.existsSync(path.join(dir, 'frames')) ? fs.readdirSync(path.join(dir, 'frames')).map((f) => `frames/${f}`) : [])];
        return [run.status, String(run.stderr), ...files.map((f) => (fs.existsSync(path.join(dir, f)) ? fs.readFileSync(path.join(dir, f)).toString('base64') : f))].join('\n');
      });
      check(desktop === node, `${path.basename(demo)}: the web runner differs from the desktop's`);
    }
  },
  // The README's pictures of the game in a browser, and on a phone held
  // sideways after a touch: the play demo up to its chosen pass.
  async screenshot(browser) {
    const demo = fs.readFileSync(new URL('../../docs/demos/play.txt', import.meta.url), 'utf8');
    let left = Number(/^# frame (\d+)/m.exec(demo)[1]), shown = '';
    for (const line of demo.split('\n').filter((l) => !l.startsWith('#'))) {
      const [, count = 1, keys] = /^(?:(\d+)\*)?(.*)$/.exec(line), taken = Math.min(left, Number(count));
      if (taken > 0) shown += `${taken}*${keys}\n`;
      left -= taken;
    }
    for (const [picture, screen] of [[option('--screenshot'), { viewport: { width: 680, height: 500 }, userAgent: '' }], [path.join(path.dirname(option('--screenshot')), 'phone.png'), phone(844, 390)]]) {
      const page = await openPage(browser, `?replay=play.txt&${/^# options --(\S+) (\S+)/m.exec(demo).slice(1).join('=')}`, { 'play.txt': write('play.txt', shown) }, (p) => p.emulate(screen));
      if (screen.viewport.hasTouch) await page.evaluate(() => dispatchEvent(new TouchEvent('touchstart')));
      await page.waitForFunction(() => document.body.dataset.replay === 'done', { timeout: 60000 });
      await page.screenshot({ path: picture });
      await page.close();
    }
    const page = await browser.newPage();
    await page.setViewport({ width: 640, height: 660 });
    await page.goto(`file://${gallery('http://127.0.0.1:8000/', '15')[0]}`);
    await page.screenshot({ path: path.join(path.dirname(option('--screenshot')), 'gallery.png') });
    await page.close();
  },
};

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', `--user-data-dir=${fs.mkdtempSync(path.join(tmp, 'profile-'))}`],
});
let failed = 0;
for (const [name, test] of Object.entries(tests)) {
  if ((option('--only') && option('--only') !== name) || (name === 'screenshot' && !option('--screenshot'))) continue;
  const started = Date.now();
  try {
    await test(browser);
    console.log(`ok   web.${name} ${((Date.now() - started) / 1000).toFixed(1)} s`);
  } catch (error) {
    failed++;
    console.log(`FAIL web.${name}: ${error.message.split('\n').join('\n     ')}`);
  }
}
await browser.close();
for (const server of servers) server.kill();
fs.rmSync(tmp, { recursive: true, force: true });
process.exit(failed ? 1 : 0);
