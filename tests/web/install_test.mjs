// The installed page in headless Chromium: what a first visit downloads, a
// game played with the network cut, the art and sound the page built, and a
// new build taking the old one's place.
//   node install_test.mjs BUILD_WEB_DIR NATIVE_BUILD_DIR [--only NAME]
// Prints one line per test and exits 1 if any failed.
import { spawnSync } from 'node:child_process';
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';
import { bmpPixels, check, hold, lastFrame, native, open, pageFiles as names, runner, runTests, samePixels, site, write } from './harness.mjs';

const top = new URL('../..', import.meta.url).pathname;
const hashes = (dir) => JSON.stringify(names.map((name) => crypto.createHash('sha256').update(fs.readFileSync(path.join(dir, name))).digest('hex')));
// Opens the page and checks that the game started.
const started = async (page, url) => check(await (await open(page, url)).evaluate(() => window.tarnblastPasses > 0), `the game did not start: ${await page.$eval('#message', (m) => m.textContent)}`);
const ready = (page) => page.waitForFunction(() => window.tarnblastSound.built && navigator.serviceWorker.controller, { timeout: 30000 });
// The hashes of the files the page is served now.
const served = (page) => page.evaluate(async (names) => JSON.stringify(await Promise.all(names.map(async (name) =>
  [...new Uint8Array(await crypto.subtle.digest('SHA-256', await (await fetch(name)).arrayBuffer()))].map((b) => b.toString(16).padStart(2, '0')).join('')))), names);

const tests = {
  // A first visit: at most 300,000 bytes sent to the page and its service
  // worker, an installable page; then, the network cut, a game played frame
  // for frame as the desktop runner plays its keys, and the desktop's data/.
  async offline(browser) {
    const page = await browser.newPage(), { url, sent, goOffline } = await site();
    await started(page, url);
    await ready(page);
    check(sent() <= 300000, `${sent()} bytes downloaded by a first visit`);
    const cdp = await page.createCDPSession(), { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    check(!installabilityErrors.length, `not installable: ${JSON.stringify(installabilityErrors)}`);
    await cdp.send('Network.clearBrowserCache').then(goOffline);  // only the service worker's copy is left
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForFunction(() => window.tarnblastPasses > 0, { timeout: 30000 });
    await hold(page, 'KeyS', 7, 'ArrowRight', 42, 'Space', 21, 'ArrowUp', 7, 'Escape', 3);
    const keys = () => Module.FS.readFile(Module.ccall('tb_recording', 'string'), { encoding: 'utf8' });
    await page.waitForFunction(`(${keys})().endsWith('ESC\\n') && window.tarnblastSound.built`, { timeout: 30000 });
    for (const name of fs.readdirSync(path.join(native, 'data')))
      check(Buffer.from(await page.evaluate((name) => Array.from(Module.FS.readFile(`/data/${name}`)), name)).equals(fs.readFileSync(path.join(native, 'data', name))),
        `the page's ${name} is not the desktop's`);
    const recorded = await page.evaluate(keys);
    check(/^(\d+\* )?S$/m.test(recorded) && /RIGHT$/m.test(recorded), `no game was played:\n${recorded}`);
    await samePixels(page, bmpPixels(lastFrame(runner([], write('keys.txt', recorded)))), 'the game played offline');
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
    await started(page, url);
    await ready(page);
    const next = nextBuild(true);
    await started(page, url);
    check((await served(page)) === old, 'the visit that found the next build was not served the old one whole');
    await page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration()).waiting, { timeout: 30000 });
    await started(page, url);
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
    await started(page, url);
    check((await served(page)) === next, 'a build whose files were not all its own was kept');
  },
};

await runTests(tests);
