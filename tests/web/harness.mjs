// What the browser tests share: the build's page served from a folder of its
// own, headless Chromium, waits on what the page says (its passes, its
// downloads), the desktop runner the page is held to, and the loop that runs
// a file's tests:
//   node TEST.mjs BUILD_WEB_DIR NATIVE_BUILD_DIR [--screenshot PNG] [--only NAME]
import puppeteer from 'puppeteer-core';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

export const args = process.argv.slice(2);
export const option = (name) => (args.includes(name) ? args[args.indexOf(name) + 1] : null);
export const [web, native] = args.slice(0, 2).map((dir) => path.resolve(dir));
export const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnblast-web-'));
export const check = (ok, what) => { if (!ok) throw new Error(what); };
export const write = (name, content) => (fs.writeFileSync(path.join(tmp, name), content), path.join(tmp, name));
// The page's files as the web build lists them.
export const pageFiles = fs.readFileSync(path.join(web, 'page-files.txt'), 'utf8').split('\n').filter(Boolean);
const servers = [];

// A copy of the page (with its service worker when `worker`) and the test's
// own files, served as a plain static server serves them (Last-Modified,
// If-Modified-Since), counting every byte it sends, until it goes offline.
export async function site(files = {}, worker = true) {
  const dir = fs.mkdtempSync(path.join(tmp, 'site-')), sockets = new Set();
  for (const name of [...pageFiles, ...(worker ? ['service-worker.js'] : [])]) fs.copyFileSync(path.join(web, name), path.join(dir, name));
  for (const [name, from] of Object.entries(files)) fs.copyFileSync(from, path.join(dir, name));
  const types = { '.js': 'text/javascript', '.html': 'text/html', '.css': 'text/css', '.webmanifest': 'application/manifest+json' };
  const server = http.createServer((request, response) => {
    if (offline) return request.socket.destroy();
    const file = path.join(dir, decodeURIComponent(new URL(request.url, 'http://host').pathname.slice(1)) || 'index.html');
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    const modified = fs.statSync(file).mtime.toUTCString(), type = types[path.extname(file)];
    if (request.headers['if-modified-since'] === modified) return response.writeHead(304).end();
    response.writeHead(200, { 'Last-Modified': modified, ...(type && { 'Content-Type': type }) }).end(fs.readFileSync(file));
  });
  let closed = 0, offline = false;
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => (closed += socket.bytesWritten, sockets.delete(socket)));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  servers.push(server);
  return { dir, url: `http://127.0.0.1:${server.address().port}/`, sent: () => [...sockets].reduce((sum, s) => sum + s.bytesWritten, closed),
    goOffline: () => (offline = true) };
}

// Opens the page and waits for its first pass or its message.
export async function open(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => window.tarnblastPasses > 0 || !document.getElementById('message').hidden, { timeout: 30000 });
  return page;
}
// A new page on a site of its own at `query`; downloads saved under their
// ids, listed in order with the names the page gave them.
export async function openPage(browser, query, files = {}, before = async () => {}) {
  const { url } = await site(files, false), page = await browser.newPage();
  await before(page);
  const cdp = await page.createCDPSession(), saved = fs.mkdtempSync(path.join(tmp, 'downloads-')), names = {};
  page.downloads = [];
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: saved, eventsEnabled: true });
  cdp.on('Browser.downloadWillBegin', (event) => (names[event.guid] = event.suggestedFilename));
  cdp.on('Browser.downloadProgress', (event) => event.state === 'completed' && page.downloads.push({ name: names[event.guid], file: path.join(saved, event.guid) }) && page.emit('tarnblast-download'));
  return open(page, url + query);
}
// The page's downloads once there are `count` of them.
export const downloaded = (page, count) => new Promise((done, fail) => {
  const late = setTimeout(() => fail(new Error(`${count} download(s) expected, got ${page.downloads.map((d) => d.name)}`)), 10000);
  const seen = () => page.downloads.length >= count && (clearTimeout(late), page.off('tarnblast-download', seen), done(page.downloads));
  page.on('tarnblast-download', seen);
  seen();
});

const counters = () => [window.tarnblastPasses, window.tarnblastDropped, window.tarnblastClock];
// The page's passes run, passes dropped and its clock's milliseconds.
export const counts = (page) => page.evaluate(counters);
// Waits until the page has run `count` more passes.
export const passes = async (page, count, timeout = 30000) => page.waitForFunction((from) => window.tarnblastPasses >= from, { timeout }, (await counts(page))[0] + count);
// Waits for `count` of the browser's frames, in each of which a running page
// would run its due passes.
export const frames = (page, count) => page.evaluate((n) => new Promise((done) => { const next = () => (n-- ? requestAnimationFrame(next) : done()); next(); }), count);
// Holds each key for that many passes, one after another: hold(page, 'KeyS', 5, 'Space', 3).
export async function hold(page, ...keys) {
  for (let i = 0; i < keys.length; i += 2) {
    await page.keyboard.down(keys[i]);
    await passes(page, keys[i + 1]);
    await page.keyboard.up(keys[i]);
  }
}
// A folder of its own holding data/, for a runner to run in.
export function runFolder() {
  const dir = fs.mkdtempSync(path.join(tmp, 'run-'));
  fs.symlinkSync(path.join(native, 'data'), path.join(dir, 'data'));
  return dir;
}
// The desktop runner the page is held to.
export function runner(options, script) {
  const dir = runFolder(), run = spawnSync(path.join(native, 'tarnblast-replay'), [...options, '--frames-out', 'frames', path.resolve(script)], { cwd: dir });
  check(run.status === 0, `the runner failed: ${String(run.stderr).slice(-400)}`);
  return dir;
}
export const lastFrame = (dir) => path.join(dir, 'frames', fs.readdirSync(path.join(dir, 'frames')).sort().pop());
// A BMP's pixels as R, G, B, A rows from the top, as the canvas holds them, and its width.
export function bmpPixels(file) {
  const bmp = fs.readFileSync(file), width = bmp.readInt32LE(18), height = bmp.readInt32LE(22);
  const bytes = bmp.readUInt16LE(28) / 8, stride = Math.ceil((width * bytes) / 4) * 4, out = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; y++)
    for (let x = 0; x < width; x++) {
      const at = bmp.readUInt32LE(10) + (height - 1 - y) * stride + x * bytes, to = 4 * (y * width + x);
      [out[to], out[to + 1], out[to + 2], out[to + 3]] = [bmp[at + 2], bmp[at + 1], bmp[at], 255];
    }
  out.width = width;
  return out;
}
export const canvasPixels = (page) => page.evaluate(() => Array.from(document.getElementById('screen').getContext('2d').getImageData(0, 0, 320, 200).data));
export async function samePixels(page, expected, what) {
  const got = await canvasPixels(page), wrong = got.findIndex((value, i) => value !== expected[i]);
  if (wrong >= 0) throw new Error(`${what}: pixel ${wrong >> 2} differs (${got.slice(wrong & ~3, (wrong & ~3) + 4)} against ${[...expected.slice(wrong & ~3, (wrong & ~3) + 4)]})`);
}

// Runs the tests named in `tests` (or the one --only names) in one headless
// Chromium, one line each, closing the pages each opened; exits 1 if any failed.
export async function runTests(tests, skip = () => false) {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${fs.mkdtempSync(path.join(tmp, 'profile-'))}`],
  });
  let failed = 0;
  for (const [name, test] of Object.entries(tests)) {
    if ((option('--only') && option('--only') !== name) || skip(name)) continue;
    const started = Date.now();
    try {
      await test(browser);
      console.log(`ok   web.${name} ${((Date.now() - started) / 1000).toFixed(1)} s`);
    } catch (error) {
      failed++;
      console.log(`FAIL web.${name}: ${error.message.split('\n').join('\n     ')}`);
    }
    for (const page of await browser.pages()) await page.close();  // whatever failed
  }
  await browser.close();
  for (const server of servers) server.closeAllConnections(), server.close();
  fs.rmSync(tmp, { recursive: true, force: true });
  process.exit(failed ? 1 : 0);
}
