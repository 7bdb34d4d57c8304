// The installed page in headless Chromium: what a first visit downloads, a
// game played with the network cut, the art and sound the page built, and a
// new build taking the old one's place.
//   node install_test.mjs BUILD_WEB_DIR NATIVE_BUILD_DIR [--only NAME]
// Prints one line per test and exits 1 if any failed.
import puppeteer from 'puppeteer-core';
import { spawnSync } from 'node:child_process';
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const args = process.argv.slice(2), only = args.includes('--only') ? args[args.indexOf('--only') + 1] : null;
const [web, native] = args.slice(0, 2).map((dir) => path.resolve(dir)), top = new URL('../..', import.meta.url).pathname;
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnblast-install-')), servers = [];
const check = (ok, what) => { if (!ok) throw new Error(what); };
// The page's files as the build lists them, and its service worker.
const names = fs.readFileSync(path.join(web, 'page-files.txt'), 'utf8').split('\n').filter(Boolean);
const hashes = (dir) => JSON.stringify(names.map((name) => crypto.createHash('sha256').update(fs.readFileSync(path.join(dir, name))).digest('hex')));

// A copy of the page served as a plain static server serves it (Last-Modified,
// If-Modified-Since), counting every byte it sends.
async function site() {
  const dir = fs.mkdtempSync(path.join(tmp, 'site-')), sockets = new Set();
  for (const name of [...names, 'service-worker.js']) fs.copyFileSync(path.join(web, name), path.join(dir, name));
  const server = http.createServer((request, response) => {
    const file = path.join(dir, new URL(request.url, 'http://host').pathname.slice(1) || 'index.html');
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    const modified = fs.statSync(file).mtime.toUTCString(), type = { '.js': 'text/javascript', '.html': 'text/html' }[path.extname(file)];
    if (request.headers['if-modified-since'] === modified) return response.writeHead(304).end();
    response.writeHead(200, { 'Last-Modified': modified, ...(type && { 'Content-Type': type }) }).end(fs.readFileSync(file));
  });
  let closed = 0;
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => (closed += socket.bytesWritten, sockets.delete(socket)));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  servers.push(server);
  return { dir, url: `http://127.0.0.1:${server.address().port}/`, sent: () => [...sockets].reduce((sum, s) => sum + s.bytesWritten, closed) };
}

// Opens the page and waits for its first frame.
async function open(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => window.tarnblastPasses > 0 || !document.getElementById('message').hidden, { timeout: 30000 });
  check(await page.evaluate(() => window.tarnblastPasses > 0), `the game did not start: ${await page.$eval('#message', (m) => m.textContent)}`);
}
const ready = (page) => page.waitForFunction(() => window.tarnblastSound.built && navigator.serviceWorker.controller, { timeout: 30000 });
// The hashes of the files the page is served now.
const served = (page) => page.evaluate(async (names) => JSON.stringify(await Promise.all(names.map(async (name) =>
  [...new Uint8Array(await crypto.subtle.digest('SHA-256', await (await fetch(name)).arrayBuffer()))].map((b) => b.toString(16).padStart(2, '0')).join('')))), names);

const tests = {
  // A first visit: at most 300,000 bytes sent to the page and its service
  // worker, an installable page; then, the network cut, a game played frame
  // for frame as the desktop runner plays its keys, and the desktop's data/.
  async offline(browser) {
    const page = await browser.newPage(), { url, sent } = await site();
    await open(page, url);
    await ready(page);
    check(sent() <= 300000, `${sent()} bytes downloaded by a first visit`);
    const { installabilityErrors } = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
    check(!installabilityErrors.length, `not installable: ${JSON.stringify(installabilityErrors)}`);
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForFunction(() => window.tarnblastPasses > 0, { timeout: 30000 });
    for (const [key, ms] of [['KeyS', 100], ['ArrowRight', 600], ['Space', 300], ['ArrowUp', 100], ['Escape', 50]]) {
      await page.keyboard.down(key);
      await new Promise((done) => setTimeout(done, ms));
      await page.keyboard.up(key);
    }
    const keys = () => Module.FS.readFile(Module.ccall('tb_recording', 'string'), { encoding: 'utf8' });
    await page.waitForFunction(`(${keys})().endsWith('ESC\\n') && window.tarnblastSound.built`, { timeout: 30000 });
    for (const name of fs.readdirSync(path.join(native, 'data')))
      check(Buffer.from(await page.evaluate((name) => Array.from(Module.FS.readFile(`/data/${name}`)), name)).equals(fs.readFileSync(path.join(native, 'data', name))),
        `the page's ${name} is not the desktop's`);
    const run = fs.mkdtempSync(path.join(tmp, 'run-')), recorded = await page.evaluate(keys);
    check(/^(\d+\* )?S$/m.test(recorded) && /RIGHT$/m.test(recorded), `no game was played:\n${recorded}`);
    fs.writeFileSync(path.join(run, 'keys.txt'), recorded);
    fs.symlinkSync(path.join(native, 'data'), path.join(run, 'data'));
    check(spawnSync(path.join(native, 'tarnblast-replay'), ['--frames-out', 'frames', 'keys.txt'], { cwd: run }).status === 0, 'the runner failed');
    const bmp = fs.readFileSync(path.join(run, 'frames', fs.readdirSync(path.join(run, 'frames')).sort().pop())), at = bmp.readUInt32LE(10);
    const canvas = await page.evaluate(() => Array.from(document.getElementById('screen').getContext('2d').getImageData(0, 0, 320, 200).data));
    const runners = (i) => [2, 1, 0].map((c) => bmp[at + (199 - Math.floor(i / 320)) * 960 + (i % 320) * 3 + c]).join();
    const wrong = [...Array(320 * 200).keys()].find((i) => runners(i) !== canvas.slice(4 * i, 4 * i + 3).join());
    check(wrong === undefined, `pixel ${wrong} is not the runner's`);
    await page.close();
  },
  // A new build served: the visit that finds it still has the old one whole,
  // the next has the new one whole and only its cache is left. A build whose
  // files on the server are not all its own is never kept.
  async update(browser) {
    const page = await browser.newPage(), { dir, url } = await site(), old = hashes(dir);
    // page.css changed, the service worker made again (or not), both dated later.
    const nextBuild = (stamp) => {
      fs.appendFileSync(path.join(dir, 'page.css'), '/* the next build */\n');
      const made = !stamp || spawnSync('cmake', [`-DDIR=${dir}`, `-DFILES=${names.join(',')}`, `-DTEMPLATE=${top}src/platform/web/service-worker.js`, '-P', `${top}cmake/service_worker.cmake`]).status === 0;
      const later = new Date(Date.now() + 60000 * fs.readFileSync(path.join(dir, 'page.css'), 'utf8').split('next build').length);
      for (const name of ['page.css', 'service-worker.js']) fs.utimesSync(path.join(dir, name), later, later);
      check(made, "the next build's service worker was not made");
      return hashes(dir);
    };
    await open(page, url);
    await ready(page);
    const next = nextBuild(true);
    await open(page, url);
    check((await served(page)) === old, 'the visit that found the next build was not served the old one whole');
    await page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration()).waiting, { timeout: 30000 });
    await open(page, url);
    check((await served(page)) === next, 'the visit after was not served the next build whole');
    // Its worker takes over once the old one is idle (at worst after 30 s).
    await page.waitForFunction(async () => (await caches.keys()).length === 1, { timeout: 60000 });
    nextBuild(true);
    nextBuild(false);
    await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      await registration.update();
      const worker = registration.installing;
      if (worker) await new Promise((done) => worker.addEventListener('statechange', () => worker.state === 'redundant' && done()));
    });
    await open(page, url);
    check((await served(page)) === next, 'a build whose files were not all its own was kept');
    await page.close();
  },
};

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', `--user-data-dir=${fs.mkdtempSync(path.join(tmp, 'profile-'))}`],
});
let failed = 0;
for (const [name, test] of Object.entries(tests).filter(([name]) => !only || only === name)) {
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
for (const server of servers) server.close();
fs.rmSync(tmp, { recursive: true, force: true });
process.exit(failed ? 1 : 0);
