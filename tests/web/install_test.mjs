// The installed page in headless Chromium: what it downloads, the files it
// builds itself, play with the network cut, and a new build taking the old
// one's place.
//   node install_test.mjs BUILD_WEB_DIR NATIVE_BUILD_DIR [--only NAME]
// Prints one line per test and exits 1 if any failed.
import puppeteer from 'puppeteer-core';
import { spawnSync } from 'node:child_process';
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const args = process.argv.slice(2);
const only = args.includes('--only') ? args[args.indexOf('--only') + 1] : null;
const [web, native] = args.slice(0, 2).map((dir) => path.resolve(dir));
const top = new URL('../..', import.meta.url).pathname;
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnblast-install-'));
const servers = [];
const check = (ok, what) => { if (!ok) throw new Error(what); };
const sha256 = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');
// The page's files as the build lists them, and its service worker.
const pageFiles = [...fs.readFileSync(path.join(web, 'page-files.txt'), 'utf8').split('\n').filter(Boolean), 'service-worker.js'];
// The most a first visit may download, every file the page and its service worker fetch.
const MOST_BYTES = 300 * 1000;

// A copy of the page in a folder of its own, served on a free port as a plain
// static server serves it (with Last-Modified, answering If-Modified-Since),
// counting every byte it sends.
async function site() {
  const dir = fs.mkdtempSync(path.join(tmp, 'site-')), sockets = new Set(), types = { '.html': 'text/html', '.js': 'text/javascript',
    '.css': 'text/css', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };
  for (const name of pageFiles) fs.copyFileSync(path.join(web, name), path.join(dir, name));
  const server = http.createServer((request, response) => {
    const file = path.join(dir, new URL(request.url, 'http://host').pathname.slice(1) || 'index.html');
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    const modified = fs.statSync(file).mtime.toUTCString();
    if (request.headers['if-modified-since'] === modified) return response.writeHead(304).end();
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream', 'Last-Modified': modified });
    response.end(fs.readFileSync(file));
  });
  let closedBytes = 0;
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => (closedBytes += socket.bytesWritten, sockets.delete(socket)));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  servers.push(server);
  const sent = () => closedBytes + [...sockets].reduce((sum, socket) => sum + socket.bytesWritten, 0);
  return { dir, url: `http://127.0.0.1:${server.address().port}/`, sent };
}

// Opens the page and waits for its first frame.
async function open(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => window.tarnblastPasses > 0 || !document.getElementById('message').hidden, { timeout: 30000 });
  check(await page.evaluate(() => window.tarnblastPasses > 0), `the game did not start: ${await page.$eval('#message', (m) => m.textContent)}`);
}
const samplesBuilt = (page) => page.waitForFunction(() => window.tarnblastSound.built, { timeout: 30000 });
const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 30000 });
// What the page is served now for each of its files, by the hash of each.
const servedHashes = (page, names) => page.evaluate(async (names) => {
  const hex = (digest) => [...new Uint8Array(digest)].map((byte) => byte.toString(16).padStart(2, '0')).join('');
  const out = {};
  for (const name of names) out[name] = hex(await crypto.subtle.digest('SHA-256', await (await fetch(name)).arrayBuffer()));
  return out;
}, names);
const filesOf = (dir, names) => Object.fromEntries(names.map((name) => [name, sha256(fs.readFileSync(path.join(dir, name)))]));

// The page's canvas against the desktop runner's last frame for the keys the
// page recorded (a BMP's rows bottom up, as blue, green, red).
async function sameAsRunner(page) {
  const script = path.join(fs.mkdtempSync(path.join(tmp, 'run-')), 'keys.txt');
  fs.writeFileSync(script, await page.evaluate(() => Module.FS.readFile(Module.ccall('tb_recording', 'string'), { encoding: 'utf8' })));
  fs.symlinkSync(path.join(native, 'data'), path.join(path.dirname(script), 'data'));
  const run = spawnSync(path.join(native, 'tarnblast-replay'), ['--frames-out', 'frames', script], { cwd: path.dirname(script) });
  check(run.status === 0, `the runner failed: ${run.stderr}`);
  const frames = path.join(path.dirname(script), 'frames'), bmp = fs.readFileSync(path.join(frames, fs.readdirSync(frames).sort().pop()));
  const canvas = await page.evaluate(() => Array.from(document.getElementById('screen').getContext('2d').getImageData(0, 0, 320, 200).data));
  for (let i = 0; i < 320 * 200; i++) {
    const at = bmp.readUInt32LE(10) + (199 - Math.floor(i / 320)) * 960 + (i % 320) * 3;
    check([bmp[at + 2], bmp[at + 1], bmp[at]].join() === canvas.slice(4 * i, 4 * i + 3).join(), `pixel ${i} differs from the runner's`);
  }
}

const tests = {
  // A first visit in a fresh profile: every byte the server sends the page
  // and its service worker, against the most allowed.
  async download(browser) {
    const context = await browser.createBrowserContext(), page = await context.newPage(), { url, sent } = await site();
    await open(page, url);
    await samplesBuilt(page);
    await controlled(page);
    const bytes = sent();
    console.log(`     ${bytes} bytes downloaded by a first visit`);
    check(bytes > 0 && bytes <= MOST_BYTES, `${bytes} bytes downloaded, more than ${MOST_BYTES}`);
    await context.close();
  },
  // The art and sound the page builds are the desktop build's data/, byte for byte.
  async data(browser) {
    const page = await browser.newPage();
    await open(page, (await site()).url);
    await samplesBuilt(page);
    for (const name of fs.readdirSync(path.join(native, 'data'))) {
      const built = Buffer.from(await page.evaluate((name) => Array.from(Module.FS.readFile(`/data/${name}`)), name));
      check(built.equals(fs.readFileSync(path.join(native, 'data', name))), `the page's ${name} is not the desktop's`);
    }
    await page.close();
  },
  // The page can be installed, and after one visit it starts with the network
  // cut and plays a game, frame for frame as the desktop runner plays its
  // keys, with its sound built.
  async offline(browser) {
    const page = await browser.newPage();
    await open(page, (await site()).url);
    await controlled(page);
    await samplesBuilt(page);
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
    await page.waitForFunction(() => Module.FS.readFile(Module.ccall('tb_recording', 'string'), { encoding: 'utf8' }).endsWith('ESC\n'), { timeout: 10000 });
    await samplesBuilt(page);
    await sameAsRunner(page);
    await page.close();
  },
  // A new build served: the visit that finds it still has the old one, whole;
  // the next has the new one, whole, and only its cache is left. A build
  // whose files on the server are not all its own is never kept.
  async update(browser) {
    const page = await browser.newPage(), { dir, url } = await site(), names = pageFiles.slice(0, -1);
    // The next build: page.css changed and the service worker made again,
    // both dated later, as a server tells a newer file.
    const nextBuild = (stamped) => {
      fs.appendFileSync(path.join(dir, 'page.css'), '/* the next build */\n');
      const later = new Date(Date.now() + 60000 * (fs.readFileSync(path.join(dir, 'page.css'), 'utf8').split('next build').length));
      const stamp = stamped && spawnSync('cmake', [`-DDIR=${dir}`, `-DFILES=${names.join(',')}`,
        `-DTEMPLATE=${path.join(top, 'src/platform/web/service-worker.js')}`, '-P', path.join(top, 'cmake/service_worker.cmake')]);
      check(!stamped || stamp.status === 0, `the next build's service worker: ${stamp.stderr}`);
      for (const name of ['page.css', 'service-worker.js']) fs.utimesSync(path.join(dir, name), later, later);
      return filesOf(dir, names);
    };
    const served = async (files, what) => check(JSON.stringify(await servedHashes(page, names)) === JSON.stringify(files), what);
    await open(page, url);
    await controlled(page);
    const old = filesOf(dir, names), next = nextBuild(true);
    await open(page, url);
    await served(old, 'the visit that found the next build was not served the old one whole');
    await page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration()).waiting !== null, { timeout: 30000 });
    await open(page, url);
    await served(next, 'the visit after was not served the next build whole');
    // The next build's worker takes over once the old one is idle (at worst
    // when Chromium's idle timer of 30 s ends), and removes the old cache.
    await page.waitForFunction(async () => (await caches.keys()).length === 1, { timeout: 60000 });
    // A build listed, then page.css changed again on the server: not kept.
    nextBuild(true);
    nextBuild(false);
    await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      await registration.update();
      const worker = registration.installing;
      if (worker) await new Promise((done) => worker.addEventListener('statechange', () => worker.state === 'redundant' && done()));
    });
    await open(page, url);
    await served(next, 'a build whose files were not all its own was kept');
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
  if (only && only !== name) continue;
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
