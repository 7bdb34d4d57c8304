// A cold load of the game's page in headless Chromium over a slow network
// (1.6 Mbit/s each way, 150 ms round trips, the browser's cache off), as a
// player on a poor mobile connection meets it: the time from the start of
// the navigation to the first frame of the title, and the bytes on the wire
// by then and once the page has everything it fetches (Network.loadingFinished's
// encodedDataLength, the page's own requests). Each folder is measured
// RUNS times, in turn, and the medians printed.
//   node bench/page_load.mjs [--runs N] DIR...    (folders holding a built page)
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const { default: puppeteer } = await import(require.resolve('puppeteer-core'));
const args = process.argv.slice(2);
const runs = args[0] === '--runs' ? Number(args.splice(0, 2)[1]) : 3;
const dirs = args.map((dir) => path.resolve(dir));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnblast-load-'));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function serve(dir) {
  const port = await new Promise((done) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => { const { port } = probe.address(); probe.close(() => done(port)); });
  });
  const server = spawn('python3', ['-m', 'http.server', '-b', '127.0.0.1', String(port)], { cwd: dir, stdio: 'ignore' });
  while (!(await new Promise((done) => net.connect(port, '127.0.0.1').on('connect', function () { this.end(); done(true); }).on('error', () => done(false)))))
    await new Promise((done) => setTimeout(done, 50));
  return { server, url: `http://127.0.0.1:${port}/` };
}

// One cold load: milliseconds to the first frame, bytes by then, bytes in all.
async function load(browser, url) {
  const context = await browser.createBrowserContext(), page = await context.newPage(), cdp = await page.createCDPSession();
  let bytes = 0;
  cdp.on('Network.loadingFinished', (event) => (bytes += event.encodedDataLength));
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 1.6e6 / 8 });
  await page.goto(url, { waitUntil: 'domcontentloaded', timeout: 60000 });
  const ms = await (await page.waitForFunction(() => window.tarnblastPasses > 0 && performance.now(), { polling: 10, timeout: 60000 })).jsonValue();
  const atFirstFrame = bytes;
  // Everything else the page fetches: the samples (built in a worker from
  // what it has, or in the data package) and nothing after.
  await page.waitForFunction(() => window.tarnblastSound.built !== false, { timeout: 60000 });
  await page.waitForNetworkIdle({ idleTime: 1000, timeout: 60000 });
  await context.close();
  return { ms, atFirstFrame, bytes };
}

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', `--user-data-dir=${tmp}`],
});
const results = dirs.map(() => []);
const sites = [];
for (const dir of dirs) sites.push(await serve(dir));
for (let run = 0; run < runs; run++)
  for (const [i, site] of sites.entries()) results[i].push(await load(browser, site.url));
// The page's goals: the first frame within 2.5 s, at most 300 kB in all.
const verdict = (ok) => (ok ? 'meets target' : 'MISSES TARGET');
for (const [i, dir] of dirs.entries()) {
  const ms = median(results[i].map((r) => r.ms)), bytes = median(results[i].map((r) => r.bytes));
  console.log(`  ${dir}:\n    first title frame after ${(ms / 1000).toFixed(2)} s` +
    ` (runs: ${results[i].map((r) => (r.ms / 1000).toFixed(2)).join(', ')}; target <= 2.5 s): ${verdict(ms <= 2500)}\n` +
    `    ${(median(results[i].map((r) => r.atFirstFrame)) / 1000).toFixed(1)} kB on the wire by then,` +
    ` ${(bytes / 1000).toFixed(1)} kB in all (target <= 300 kB): ${verdict(bytes <= 300000)}`);
}
await browser.close();
for (const site of sites) site.server.kill();
fs.rmSync(tmp, { recursive: true, force: true });
