// The game's page in headless Chromium, checked against the replay runner:
//   node page_test.mjs BUILD_WEB_DIR NATIVE_BUILD_DIR [--screenshot PNG] [--only NAME]
// Prints one line per test and exits 1 if any failed.
import { spawnSync, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { bmpPixels, canvasPixels, check, counts, downloaded, frames, hold, lastFrame, native, openPage, option, passes,
  runFolder, runner, runTests, samePixels, tmp, web, write } from './harness.mjs';

const text = (page, id) => page.$eval(`#${id}`, (element) => (element.hidden ? '' : element.textContent));
// Holds P until the status line says (or no longer says) PAUSED, then waits
// for the game to see it let go.
async function holdUntilPaused(page, paused) {
  await page.keyboard.down('KeyP');
  const done = await page.waitForFunction((want) => document.getElementById('status').textContent.includes('PAUSED') === want, { timeout: 5000 }, paused).catch(() => false);
  await page.keyboard.up('KeyP');
  await passes(page, 2);
  check(done, paused ? 'P did not pause' : 'P again did not play on');
}
// A phone's touch screen of width x height CSS pixels, 3 device pixels each.
const phone = (width, height) => ({ viewport: { width, height, isMobile: true, hasTouch: true, deviceScaleFactor: 3 }, userAgent: '' });
// Escape ends the game; then Download keys. Every download the page made, in order.
async function endAndDownloadKeys(page, count) {
  await hold(page, 'Escape', 3);
  await page.waitForFunction(() => !document.getElementById('play-again').hidden);
  await page.click('#download-keys');
  return downloaded(page, count);
}
// Ends the game and downloads its keys, which the runner (with `options`)
// replays to the page's last frame; the download, with its text.
async function endAndReplay(page, options, what) {
  const keys = (await endAndDownloadKeys(page, page.downloads.length + 1)).pop();
  await samePixels(page, bmpPixels(lastFrame(runner(options, keys.file))), what);
  return Object.assign(keys, { text: fs.readFileSync(keys.file, 'utf8') });
}
// A level file as the editor exports it, every cell 0 but those named "row,column".
const levelText = (cells) => [...Array(20).keys()].map((line) => [...Array(512).keys()].slice(line ? 0 : 1)
  .map((column) => ` ${cells[`${line + 1},${column}`] || 0},`.padEnd(14)).join('') + '\r\n').join('');
const replayed = (page) => page.waitForFunction(() => document.body.dataset.replay === 'done', { timeout: 60000 });

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

const tests = {
  // The largest whole scale that fits the window. The passes run and
  // dropped keep to 70 a second by the page's clock: over 300 passes, and
  // over a stall of the page, after which it runs a few and drops the rest.
  async pace(browser) {
    const page = await openPage(browser, '');
    for (const [width, height, scale] of [[1000, 800, 3], [700, 420, 1], [800, 600, 2]]) {
      await page.setViewport({ width, height });
      await page.waitForFunction((w) => document.getElementById('screen').clientWidth === w, { timeout: 2000 }, 320 * scale).catch(() => {});
      const shown = await page.$eval('#screen', (canvas) => [canvas.getBoundingClientRect().width, canvas.getBoundingClientRect().height]);
      check(shown.join() === `${320 * scale},${200 * scale}`, `a ${width} x ${height} window shows the game at ${shown}`);
    }
    const steady = [await counts(page), await passes(page, 300).then(() => counts(page))];
    // The counts at the end of each of the frames after a stall of 500 ms.
    const after = await page.evaluate(async () => {
      const now = () => [window.tarnblastPasses, window.tarnblastDropped, window.tarnblastClock], seen = [now()];
      for (const end = performance.now() + 500; performance.now() < end;);
      while (seen.length < 6) seen.push(await new Promise((done) => requestAnimationFrame(() => done(now()))));
      return seen;
    });
    const apart = ([from, to]) => to.map((value, i) => value - from[i]), [[run, dropped, ms], [stallRun, stallDropped, stallMs]] = [steady, [after[0], after[5]]].map(apart);
    const most = Math.max(...after.slice(1).map((to, i) => apart([after[i], to])[0]));
    const bytes = await page.evaluate(() => performance.getEntries().reduce((sum, entry) => sum + (entry.transferSize || 0), 0));
    const figures = `${((run * 1000) / ms).toFixed(2)} passes/s by the page's clock: ${run} run, ${dropped} dropped in ${ms.toFixed(0)} ms; `
      + `a stall and 5 frames: ${stallRun} run (at most ${most} in a frame), ${stallDropped} dropped in ${stallMs.toFixed(0)} ms; ${bytes} bytes downloaded`;
    console.log(`     ${figures}`);
    check([[run, dropped, ms], [stallRun, stallDropped, stallMs]].every(([r, d, t]) => Math.abs(r + d - (t * 70) / 1000) <= 1.5)
      && most <= 4 && stallDropped > 0 && bytes < 2e6, figures);
  },
  // A replayed script holds its last frame, which is the runner's last frame:
  // one empty pass (the first title frame), a way through level 2, and one
  // pass in the editor on the level file ?level= names. There the file's
  // block and the drop marker beside it show: the marker's cell of the sheet
  // over the block's right half, its mask colour left out.
  async replays(browser) {
    const route = path.join(tmp, 'route.txt'), first = write('first.txt', '\n');
    const level = write('mask.txt', levelText({ '1,1': 1014, '11,16': 1, '5,20': 2, '5,21': 1020 }));
    levels('route', '2', '--out', route);
    for (const [script, query, options] of [[first, '', []], [route, '&warp=2', ['--warp', '2']], [first, '&start-mode=3&level=mask.txt', ['--start-mode', '3', '--level', level]]]) {
      const page = await openPage(browser, `?replay=${path.basename(script)}${query}`, { [path.basename(script)]: script, 'mask.txt': level });
      await replayed(page);
      await samePixels(page, bmpPixels(lastFrame(runner(options, script))), `${path.basename(script)}${query}: the last frame`);
      const [done] = await counts(page), canvas = await canvasPixels(page);
      await frames(page, 6);
      check(done === (await counts(page))[0], 'the page ran on after the replay was done');
        if (!query.includes('level')) continue;
      const sheet = bmpPixels(path.join(native, 'data', 'main.bmp')), pixel = (pixels, width, x, y) => pixels.slice(4 * (y * width + x), 4 * (y * width + x) + 3).join();
      const marker = [...Array(100).keys()].map((i) => [i % 10, Math.floor(i / 10), pixel(sheet, sheet.width, i % 10, 120 + Math.floor(i / 10))]);
      const wrong = marker.filter(([x, y, drawn]) => pixel(canvas, 320, 210 + x, 50 + y) !== (drawn === '255,0,255' ? pixel(sheet, sheet.width, 10 + x, 40 + y) : drawn));
      check(marker.some(([, , drawn]) => drawn === '255,0,255') && !wrong.length, `the marker over the block differs at ${wrong.slice(0, 8).map(([x, y]) => `${x},${y}`)}`);
    }
  },
  // Keys reach the game, the sound starts on the first key, P and a hidden
  // tab pause; a held key lets go when the tab is hidden or the page loses
  // focus; the downloaded recording replays to the page's last frame.
  async keys(browser) {
    const page = await openPage(browser, '');
    check((await text(page, 'status')).includes('ress a key'), 'no "press a key" before the first key');
    await page.evaluate(() => { document.body.dataset.keys = ''; addEventListener('keydown', (e) => (document.body.dataset.keys += ` ${e.code}:${e.defaultPrevented}`)); });
    await hold(page, 'F12', 2, 'F1', 2, 'KeyS', 7, 'Space', 7);
    const prevented = await page.evaluate(() => document.body.dataset.keys);
    check(prevented === ' F12:false F1:true KeyS:true Space:true', `the browser's own keys: ${prevented}`);
    await page.waitForFunction(() => tarnblastSound.buffers.filter(Boolean).length === 3, { timeout: 10000 }).catch(() => {});
    const sound = await page.evaluate(() => [tarnblastSound.context.state, ...tarnblastSound.played, tarnblastSound.buffers.filter(Boolean).length]);
    check(sound[0] === 'running' && sound[1] >= 1 && sound[3] >= 1 && sound[4] === 3, `sound: state, plays of each sample, samples decoded: ${sound}`);
    await holdUntilPaused(page, true);
    await holdUntilPaused(page, false);
    check((await text(page, 'status')) === 'Left and Right walk, Up jumps, Space fires, S starts, P pauses, M mutes, Esc quits.', 'the line of keys');
    const hide = (value) => { Object.defineProperty(document, 'hidden', { value, configurable: true }); document.dispatchEvent(new Event('visibilitychange')); };
    for (const leave of [async () => { await page.evaluate(hide, true); await page.evaluate(hide, false); await passes(page, 35);
      check((await text(page, 'status')).includes('PAUSED'), 'the game plays on after its tab was hidden');
      await holdUntilPaused(page, false); }, () => page.evaluate(() => dispatchEvent(new Event('blur')))]) {
      await page.keyboard.down('ArrowRight');
      await passes(page, 4);
      await leave();
      await passes(page, 12);
      await page.keyboard.up('ArrowRight');
    }
    const keys = await endAndReplay(page, [], 'the recording replayed');
    const runs = keys.text.split('\n').filter((line) => !line.startsWith('#')).slice(0, -1).reduce((all, held) => (all.length && all[all.length - 1][0] === held ? all[all.length - 1][1]++ : all.push([held, 1]), all), []);
    const tail = runs.slice(-5).map(([held, count]) => (held ? held : count >= 10 ? 'let go' : `${count} passes`)).join();
    check(keys.name === 'tarnblast-keys.txt' && runs.some(([held]) => held === 'S') && tail === 'RIGHT,let go,RIGHT,let go,ESC', `recording (${keys.name}): ${tail}`);
  },
  // M silences the shots and the blasts, not only the music: walking right
  // and firing on level 4 blows an enemy up; the page plays every sample the
  // runner's trace of its recording starts, and muted only the music.
  async mute(browser) {
    for (const muted of [false, true]) {
      const page = await openPage(browser, '?warp=4');
      if (muted) await hold(page, 'KeyM', 2);
      await page.keyboard.down('ArrowRight').then(() => hold(page, 'Space', 100)).then(() => page.keyboard.up('ArrowRight'));
      const keys = await endAndReplay(page, ['--warp', '4'], 'the recording replayed');
      const started = fs.readFileSync(path.join(runner(['--warp', '4', '--trace', 'trace.jsonl'], keys.file), 'trace.jsonl'), 'utf8').trim().split('\n').flatMap((line) => JSON.parse(line).sounds);
      const played = await page.evaluate(() => tarnblastSound.played.reduce((sum, count) => sum + count, 0));
      check(started.includes('blast_sound') && played === (muted ? started.filter((name) => name === 'music').length : started.length),
        `${muted ? 'muted' : 'not muted'}: the page played ${played} samples, the runner started ${started.join()}`);
    }
  },
  // The editor's Right Shift: one download per press, held or tapped, equal
  // to the runner's export for the same keys.
  async export(browser) {
    const page = await openPage(browser, '?start-mode=3');
    await hold(page, 'ShiftRight', 28, 'ArrowRight', 21, 'ShiftRight', 6);
    await downloaded(page, 2);
    const files = await endAndDownloadKeys(page, 3);
    check(files.map((d) => d.name).join() === 'level.txt,level.txt,tarnblast-keys.txt', `downloads: ${files.map((d) => d.name)}`);
    const run = runner(['--start-mode', '3'], files[2].file);
    check(fs.readFileSync(path.join(run, 'd:/tilewerks/level.txt')).equals(fs.readFileSync(files[1].file)), "the last export is not the runner's");
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
    await hold(page, 'KeyX', 2);
    await page.click('#edit');
    await inMode(page, true);
    await hold(page, 'Space', 18, 'Enter', 4, 'ArrowDown', 21, 'Space', 2, 'Enter', 4);
    const link = await shared(page), level = unlinked(link);
    check((await asks(page)) && !level.equals(fs.readFileSync(opened)), 'no placement, or leaving does not ask');
    await page.click('#play');
    await inMode(page, false);
    await hold(page, 'KeyS', 7, 'ArrowRight', 14);
    check(await asks(page), 'the play-test dropped the placements');
    await page.click('#edit');
    await hold(page, 'ShiftRight', 4);
    const [exported] = await downloaded(page, 1), said = await text(page, 'message');
    check(exported.name === 'my level.txt' && said.includes('Exported my level.txt') && fs.readFileSync(exported.file).equals(level) && !(await asks(page)), `the export "${said}" is not the level shared, or leaving still asks`);
    const played = await openPage(browser, new URL(link).hash);
    await hold(played, 'KeyS', 7, 'ArrowRight', 28, 'Space', 7).then(() => endAndReplay(played, ['--level', exported.file], 'the link played'));
    const edited = await openPage(browser, new URL(link).hash.replace('#level=', '#edit='));
    await hold(edited, 'KeyX', 2).then(() => inMode(edited, true));
    check(unlinked(await shared(edited)).equals(level), 'the #edit= link opens another level');
  },
  // A refused setting or level file shows the reader's line and the game
  // does not start; a level file opened and refused leaves the game going on.
  async refusals(browser) {
    const damaged = write('damaged.txt', 'x'.repeat(100)), good = path.join(tmp, 'good.txt');
    levels('export', '3', good);
    for (const [query, says] of [['?start-mode=7', '7'], ['?level=damaged.txt', 'damaged.txt'], ['?replay=gone.txt', 'gone.txt: 404']]) {
      const page = await openPage(browser, query, { 'damaged.txt': damaged }), message = await text(page, 'message');
      await frames(page, 6);
      check(message.includes(says) && !(await counts(page))[0], `${query}: "${message}"`);
      }
    const page = await openPage(browser, '');
    for (const [file, refused] of [[damaged, true], [good, false]]) {
      await (await page.$('#level-file')).uploadFile(file);
      const message = await (await page.waitForFunction((name) => document.getElementById('message').textContent.includes(name) && document.getElementById('message').textContent, {}, ` ${path.basename(file)}`)).jsonValue();
      check(refused === message.includes('cannot use'), `${path.basename(file)}: "${message}"`);
      check(await passes(page, 2, 5000).catch(() => false), 'the game stopped');
    }
  },
  // Level files opened together are a pack: S plays the first by name, and
  // walking to its end leads to the second, whose floor lies two rows lower.
  async pack(browser) {
    const dir = fs.mkdtempSync(path.join(tmp, 'pack-')), floors = (row) => Object.fromEntries([...Array(256).keys()].map((n) => [`${row},${2 * n}`, 2]));
    const files = [['a.txt', 15], ['b.txt', 17]].map(([name, row]) => (fs.writeFileSync(path.join(dir, name), levelText({ '1,1': 1014, '11,16': 1, ...floors(row) })), path.join(dir, name)));
    const page = await openPage(browser, '');
    await (await page.$('#level-file')).uploadFile(...files);
    await page.waitForFunction(() => document.getElementById('message').textContent === 'Opened a.txt, b.txt.');
    // Whether anything is drawn left of the player in the two rows from y = top.
    const lit = (top) => document.getElementById('screen').getContext('2d').getImageData(0, top, 140, 20).data.some((v, i) => i % 4 < 3 && v);
    const floor = (row) => page.evaluate(lit, row * 10);
    await hold(page, 'KeyS', 4);
    check((await floor(15)) && !(await floor(17)), "the first file's floor is not shown");
    await page.keyboard.down('ArrowRight');
    await page.waitForFunction(lit, { timeout: 60000 }, 170).catch(() => check(false, "the first file's end did not lead to the second"));
    await page.keyboard.up('ArrowRight');
    await endAndReplay(page, ['--level', dir], 'the pack played');
    check(!(await floor(15)) && (await floor(17)), "the second file's floor is not shown");
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
      const message = await (await page.waitForFunction(() => document.getElementById('message').textContent)).jsonValue();
      const [goesOn, stayed] = [await passes(page, 2, 5000).catch(() => false), await page.evaluate(() => window.stayed)];
      check(goesOn && stayed && (fragment === good) !== message.includes('cannot use the level link'), `${String(fragment).slice(0, 20)}...: "${message}"`);
    }
  },
  // Every link of a gallery served beside the page opens the level it names:
  // Play and Edit links typed over the fragment, each level shared back from
  // the editor as its export; a Watch link is its Play link with a route,
  // which the page replays to the runner's last frame (level 1's, the
  // shortest).
  async gallery(browser) {
    const page = await openPage(browser, ''), [, links] = gallery(page.url());
    check(links.length >= 13 && links.filter(([, kind]) => kind === 'Play').length === 6, `links: ${links.map(([n, kind]) => n + kind)}`);
    await hold(page, 'KeyX', 2);
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
    await replayed(page);
    await samePixels(page, bmpPixels(lastFrame(runner(['--level', level], write('route.txt', zlib.inflateRawSync(Buffer.from(route, 'base64url')))))), 'the route watched');
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
    const recorded = (await endAndReplay(page, [], 'the touches replayed')).text;
    check(/^S$/m.test(recorded) && /^RIGHT SPACE$/m.test(recorded) && /^RIGHT\nLEFT$/m.test(recorded), `recording:\n${recorded}`);
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
    const held = (await endAndReplay(page, [], 'the pad replayed')).text.split('\n').filter((line) => line && !line.startsWith('#')).filter((line, i, all) => line !== all[i - 1]);
    check(held.join() === 'S,RIGHT,LEFT,SPACE,UP,ESC', `keys held: ${held}`);
  },
  // After Escape, Play again and S start the game from its start-up state
  // (its recording replays from there); fullscreen keeps the lines inside.
  async again(browser) {
    const page = await openPage(browser, '');
    await hold(page, 'KeyS', 7).then(() => endAndDownloadKeys(page, 1));
    await Promise.all([page.waitForFunction(() => document.fullscreenElement), page.click('#fullscreen')]);
    await page.click('#play-again');
    await hold(page, 'KeyS', 7, 'ArrowRight', 21);
    await endAndReplay(page, [], 'the game played again');
    await hold(page, 'KeyS', 7).then(() => holdUntilPaused(page, true));
    check(await page.evaluate(() => document.fullscreenElement.contains(document.getElementById('status'))), 'the status line is left out of fullscreen');
  },
  // The address decoded once, the game's own line of keys as bound, and the
  // export offered where the game says it wrote it.
  async address(browser) {
    const page = await openPage(browser, '?start-mode=3&export-path=my%2Blevel.txt&record=a%26b.txt&keys=left=a,right=d');
    await hold(page, 'ShiftRight', 7);
    const [file] = await downloaded(page, 1), shown = await text(page, 'status');
    const written = await page.evaluate(() => ['/my+level.txt', '/a&b.txt'].map((name) => Module.FS.analyzePath(name).exists).join());
    check(written === 'true,true' && file.name === 'my+level.txt' && fs.readFileSync(file.file).equals(Buffer.from(await page.evaluate(() => Array.from(Module.FS.readFile('/my+level.txt'))))), `the files: ${written}`);
    check(shown.startsWith('A, D, Up and Down move the cursor, Enter places'), `the line of keys: ${shown}`);
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
      await replayed(page);
      await page.screenshot({ path: picture });
      }
    const page = await browser.newPage();
    await page.setViewport({ width: 640, height: 660 });
    await page.goto(`file://${gallery('http://127.0.0.1:8000/', '15')[0]}`);
    await page.screenshot({ path: path.join(path.dirname(option('--screenshot')), 'gallery.png') });
  },
};

await runTests(tests, (name) => name === 'screenshot' && !option('--screenshot'));
