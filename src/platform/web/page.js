// The game's page: runs the game's passes at 70 a second by the clock, draws
// each frame into the canvas at the largest whole scale of the screen's own
// pixels that fits, hands the keys, the on-screen controls (on a touch
// screen) and the pads to the game, plays its sound through Web Audio,
// opens level files, level links (#level=, #edit=) and key scripts
// (?replay=), switches between play and the editor, and offers downloads.
// The game itself is tarnblast.js; it builds its own art before the first
// frame and its sound while the title shows (sound_worker.js).
'use strict';

const PASS_MS = 1000 / 70, MAX_PASSES_PER_FRAME = 4;
const SAMPLES = [];  // the sample files by their numbers, as the game names them (tb_sample_file)
// Keys the browser keeps: reload, fullscreen and its developer tools.
const BROWSER_KEYS = new Set(['F5', 'F11', 'F12']);
// The on-screen controls: the label, the game's control it holds (by its
// key-script name; pause and mute by their action's), the side it sits on
// and the modes it shows in. Up and Jump both hold the game's Up.
const TOUCH_CONTROLS = [
  ['Up', 'UP', 'left', 'up'], ['Left', 'LEFT', 'left', 'left'], ['Right', 'RIGHT', 'left', 'right'],
  ['Down', 'DOWN', 'left', 'down'], ['Jump', 'UP', 'right', 'play'], ['Fire', 'SPACE', 'right', 'play'],
  ['Place', 'ENTER', 'right', 'editor'], ['Brush', 'SPACE', 'right', 'editor'],
  ['F1', 'F1', 'right', 'editor small'], ['F2', 'F2', 'right', 'editor small'],
  ['F3', 'F3', 'right', 'editor small'], ['F4', 'F4', 'right', 'editor small'],
  ['Export', 'RSHIFT', 'right', 'editor small'], ['Start', 'S', 'right', 'play small'],
  ['Pause', 'pause', 'right', 'play small'], ['Mute', 'mute', 'right', 'small'],
];
const $ = (id) => document.getElementById(id);
const canvas = $('screen'), context = canvas.getContext('2d');
const query = new URLSearchParams(location.search);
// The most a link's route (&watch=) may inflate to: far more than any route.
const WATCH_LIMIT = 1 << 20;

let game = null, image = null, lastError = '', ended = false, origin = 0, openedLevels = 0, keyHelp = '';
let replayName = query.get('replay'), leaving = false, shownAddress = location.href;
const heldKeys = new Set();
window.tarnblastPasses = 0;  // passes run, and passes dropped after stalls
window.tarnblastDropped = 0;
window.tarnblastClock = 0;  // the clock at the last frame, in ms from the first pass's start
let clockStart = 0;

function say(id, text) {
  const element = $(id);
  if (element.textContent !== text) element.textContent = text;
  element.hidden = !text;
}

// The Web Audio player behind the game's sound calls (page_library.js). The
// browser holds sound until the first key press, and the samples come a
// moment after the first frame: the music started before both waits and
// begins then; shots and blasts before them are not heard.
const sound = {
  context: null, built: false, buffers: [], voices: new Map(), lastVoice: 0, played: [],
  unlock() {
    this.context = this.context || new AudioContext();
    this.context.resume();
    if (this.built && !this.decoding) this.decode();
  },
  samplesBuilt() {
    this.built = true;
    if (this.context && !this.decoding) this.decode();
  },
  async decode() {
    this.decoding = true;
    for (const [id, file] of SAMPLES.entries()) {
      const bytes = Module.FS.readFile('/' + file);
      this.buffers[id] = await this.context.decodeAudioData(bytes.buffer).catch(() => null);
    }
    for (const voice of this.voices.values()) if (!voice.held) this.begin(voice);
  },
  play(id, volume, loop) {
    const voice = { number: ++this.lastVoice, id, volume, loop: !!loop, held: false, offset: 0 };
    this.played[id]++;
    if (loop || this.buffers[id]) this.voices.set(voice.number, voice);
    this.begin(voice);
    return voice.number;
  },
  begin(voice) {
    const buffer = this.buffers[voice.id];
    if (!buffer || voice.source) return;
    voice.gain = voice.gain || this.context.createGain();
    voice.gain.gain.value = voice.volume / 255;
    voice.gain.connect(this.context.destination);
    const source = (voice.source = this.context.createBufferSource());
    source.buffer = buffer;
    source.loop = voice.loop;
    source.connect(voice.gain);
    source.start(0, voice.offset % buffer.duration);
    voice.startedAt = this.context.currentTime - voice.offset;
    if (!voice.loop) source.onended = () => this.voices.delete(voice.number);
  },
  stop(id) {
    for (const voice of this.voices.values())
      if (voice.id === id) {
        if (voice.source) voice.source.stop();
        this.voices.delete(voice.number);
      }
  },
  volume(number, volume) {
    const voice = this.voices.get(number);
    if (!voice) return;
    voice.volume = volume;
    if (voice.gain) voice.gain.gain.value = volume / 255;
  },
  // Whether the voice still plays that sample (a held voice counts).
  plays(number, id) {
    const voice = this.voices.get(number);
    return voice && voice.id === id ? 1 : 0;
  },
  // A held voice (the paused music) stops where it is and later goes on from there.
  hold(number, held) {
    const voice = this.voices.get(number);
    if (!voice || voice.held === !!held) return;
    voice.held = !!held;
    if (held && voice.source) {
      voice.offset = this.context.currentTime - voice.startedAt;
      voice.source.stop();
      voice.source = null;
    } else if (!held) this.begin(voice);
  },
};
window.tarnblastSound = sound;

// One line on the page for what the designer did: a file exported or
// opened, or why the game refused it. Files are named as the designer named
// them, not by their place in the page's own files.
function tell(text, refused = false) {
  say('message', text.replace(/\/(opened\/\d+|served|edited)\//g, '').replace(/\/opened\/\d+/g, 'of the files opened'));
  $('message').classList.toggle('refused', refused);
}
const fileName = (path) => path.split('/').pop();

function download(bytes, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The game says when it has written its export: on every pass while the
// export key is held. One download per press, once the writes stop, under
// the file's own name; the level then counts as kept.
let exportPath = null, exportWrites = 0;
function fileWritten(path) {
  exportPath = path;
  exportWrites++;
  game.keepLevel();
}
function offerExport() {
  if (!exportPath) return;
  download(Module.FS.readFile(exportPath), fileName(exportPath));
  tell(`Exported ${fileName(exportPath)} (downloaded).`);
  exportPath = null;
}

function draw() {
  const frame = game.frame();
  image.data.set(Module.HEAPU8.subarray(frame, frame + image.data.length));
  context.putImageData(image, 0, 0);
}

function showStatus() {
  $('play-again').hidden = !ended;
  if (ended) say('status', 'The game has ended (Escape).');
  else if (replayName) say('status', document.body.dataset.replay === 'done'
    ? `Replay of ${replayName} finished.` : `Replaying ${replayName}...`);
  else if (game.paused()) say('status', 'PAUSED - press P');
  else if (!sound.context) say('status', 'Press a key to start (and to hear the game).');
  else say('status', keyHelp);
}

// The pads the Gamepad API sees, each as the game's side wants it: its two
// sticks and its buttons, numbered by the standard mapping.
const knownPads = new Set();
function readPads() {
  const pads = navigator.getGamepads ? [...navigator.getGamepads()] : [];
  for (const index of new Set([...knownPads, ...pads.keys()])) {
    const pad = pads[index];
    if (!pad || !pad.connected) {
      if (knownPads.delete(index)) game.pad(index, 0, 0, 0, 0, 0, 0);
      continue;
    }
    knownPads.add(index);
    const buttons = pad.buttons.reduce((bits, button, n) => (n < 32 && button.pressed ? bits | (1 << n) : bits), 0);
    game.pad(index, 1, ...[0, 1, 2, 3].map((n) => pad.axes[n] || 0), buttons);
  }
}

// Runs the passes the clock says are due, at most a few after a stall (the
// rest are dropped, so the game never races to catch up), and shows the last.
// After Escape the game waits for its start key or Play again.
function tick(now) {
  window.tarnblastClock = now - clockStart;
  let due = Math.floor((now - origin) / PASS_MS) - window.tarnblastPasses;
  if (due > MAX_PASSES_PER_FRAME) {
    window.tarnblastDropped += due - MAX_PASSES_PER_FRAME;
    origin += (due - MAX_PASSES_PER_FRAME) * PASS_MS;
    due = MAX_PASSES_PER_FRAME;
  }
  if (due > 0) {
    const writes = exportWrites;
    window.tarnblastPasses += due;
    if (!replayName) readPads();
    ended = game.run(due) === 1;
    if (exportWrites === writes || ended) offerExport();
    draw();
    if (!sound.worker) firstFrameShown();
  }
  if (replayName && game.replayDone()) document.body.dataset.replay = 'done';
  showStatus();
  if (document.body.dataset.replay === 'done') offerExport();
  else requestAnimationFrame(tick);
}

// Whether what the designer did may go: asked while the level being edited
// holds changes not exported.
const mayDrop = () => !game.levelChanged() || confirm('The level you are editing has changes not exported (Right Shift). Drop them?');

// After the game started anew, perhaps in the other mode: its keys, its
// controls and its first frame.
function startedAnew() {
  const editor = game.mode() === 3;
  ended = false;
  keyHelp = game.keyHelp();
  document.body.classList.toggle('editor', editor);
  $('play').setAttribute('aria-pressed', !editor);
  $('edit').setAttribute('aria-pressed', editor);
  $('share-box').hidden = true;
  for (const id of ['play', 'edit']) $(id).hidden = !!replayName;
  draw();
  showStatus();
  fitCanvas();  // the line of keys of the other mode may take more room
}

function playAgain() {
  if (!mayDrop()) return;
  game.playAgain();
  startedAnew();
}

// Play from the editor plays its level as it stands; Edit comes back to it.
function switchMode(toEditor) {
  if (!game || replayName || toEditor === (game.mode() === 3)) return;
  if ((toEditor ? game.edit() : game.playIt()) !== 0) return tell(lastError, true);
  tell(toEditor ? '' : 'Playing the level as it stands: S starts it, Edit goes back to it.');
  startedAnew();
}

function gameKey(event, down) {
  if (BROWSER_KEYS.has(event.code) || event.metaKey || (event.ctrlKey && /^(Key|Digit)/.test(event.code)))
    return;
  event.preventDefault();
  if (down) sound.unlock();
  if (!game || replayName || event.repeat) return;
  if (down) heldKeys.add(event.code);
  else if (!heldKeys.delete(event.code)) return;
  game.key(event.code, down ? 1 : 0);
}

// Fingers on the on-screen controls, by the touch's identifier: a finger
// holds the control it is on, and sliding onto another moves with it.
const fingers = new Map();
let touchedControls = new Set();
function touch(event) {
  if (!document.body.classList.contains('touch')) {
    document.body.classList.add('touch');
    fitCanvas();
  }
  if (event.type === 'touchend') sound.unlock();
  const onGame = event.target.closest && event.target.closest('.touch-pad, canvas');
  for (const point of event.changedTouches) {
    const under = document.elementFromPoint(point.clientX, point.clientY);
    const control = under && under.closest('[data-control]');
    if (event.type === 'touchend' || event.type === 'touchcancel' || !control) fingers.delete(point.identifier);
    else fingers.set(point.identifier, control);
  }
  if (onGame && event.cancelable) event.preventDefault();
  holdTouchedControls(new Set([...fingers.values()]));
}
function holdTouchedControls(held) {
  const names = (controls) => new Set([...controls].map((control) => control.dataset.control));
  const [before, now] = [names(touchedControls), names(held)];
  for (const control of document.querySelectorAll('[data-control]')) control.classList.toggle('held', held.has(control));
  touchedControls = held;
  if (!game || replayName) return;
  for (const name of before) if (!now.has(name)) game.touch(name, 0);
  for (const name of now) if (!before.has(name)) game.touch(name, 1);
}

function releaseKeys() {
  for (const code of heldKeys) game.key(code, 0);
  heldKeys.clear();
  fingers.clear();
  holdTouchedControls(new Set());
}

// A level file, or several at once (a pack, in a folder of their own),
// written into the game's file system and checked by the game's reader.
async function openLevels(files) {
  if (!game || !files.length || !mayDrop()) return;
  const folder = `/opened/${++openedLevels}`;
  Module.FS.mkdirTree(folder);
  for (const file of files)
    Module.FS.writeFile(`${folder}/${file.name}`, new Uint8Array(await file.arrayBuffer()));
  const path = files.length === 1 ? `${folder}/${files[0].name}` : folder;
  if (game.openLevel(path) !== 0) return tell(lastError, true);
  tell(`Opened ${files.map((file) => file.name).join(', ')}.`);
  startedAnew();
}

// Raw deflate by the browser's own streams. Inflating gives null for a
// stream that is damaged, cut, or longer than `limit` bytes.
async function deflateRaw(bytes) {
  return new Uint8Array(await new Response(new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate-raw'))).arrayBuffer());
}
async function inflateRaw(bytes, limit) {
  const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw')).getReader(), parts = [];
  try {
    for (let part, size = 0; !(part = await reader.read()).done; parts.push(part.value))
      if ((size += part.value.length) > limit) return reader.cancel().then(() => null, () => null);
  } catch {
    return null;
  }
  return new Uint8Array(await new Blob(parts).arrayBuffer());
}
// The bytes in the game's buffer, and bytes (or null) handed into it.
function handed(size) {
  const at = game.handed(size);
  return Module.HEAPU8.slice(at, at + size);
}
const hand = (bytes) => bytes && Module.HEAPU8.set(bytes, game.handed(bytes.length));

// The page's address without its settings or fragment: where a link leads.
const pageAddress = () => location.href.split(/[?#]/)[0];

// The level in the address's fragment: #level=... plays it, #edit=... opens
// it in the editor, and &watch=... after it replays the route it carries.
// A link the game refuses leaves the game as it was.
async function openLink(fragment) {
  const [level, ...rest] = fragment.split('&'), watch = new URLSearchParams(rest.join('&')).get('watch');
  const link = pageAddress() + level, size = game.linkPayload(link);
  const packed = size >= 0 && (await inflateRaw(handed(size), game.packedLimit()));
  hand(packed);
  if (size < 0 || game.openLink(link, packed ? 1 : 0) !== 0) return tell(lastError, true);
  tell(level.startsWith('#edit=') ? 'Editing the level of the link.' : 'Opened the level of the link: S plays it.');
  const scriptSize = watch === null ? -1 : game.base64url(watch);
  const script = scriptSize >= 0 && (await inflateRaw(handed(scriptSize), WATCH_LIMIT));
  hand(script);
  if (watch !== null && game.watch(script ? 1 : 0) !== 0) tell(lastError, true);
  else if (watch !== null) replayName = "the level's route";
  startedAnew();
}

// Share: the link of the level as it stands in the editor, on the
// clipboard where the browser allows, and shown to copy by hand.
async function share() {
  const deflated = await deflateRaw(handed(game.packLevel()));
  hand(deflated);
  const link = game.linkOf(pageAddress(), 0), box = $('share-link');
  box.value = link;
  $('share-box').hidden = false;
  fitCanvas();
  box.select();
  const copied = await navigator.clipboard.writeText(link).then(() => true, () => false);
  tell(`${copied ? 'The link is on the clipboard' : 'Copy the link below'} (${link.length} characters).`);
}

// A fragment changed by hand (or by the back button): its level, or the
// page as its address starts it when the fragment holds no level.
async function fragmentChanged() {
  if (!game || location.href === shownAddress) return;
  if (!mayDrop()) return history.replaceState(null, '', shownAddress);
  shownAddress = location.href;
  if (location.hash.length <= 1 || replayName || location.hash.includes('&watch=')) {
    leaving = true;
    return location.reload();
  }
  await openLink(location.hash);
}

// The largest whole scale, in the screen's own pixels, at which the picture
// fits beside the page's other parts: on a touch screen held sideways the
// controls are left and right of the picture, otherwise below it.
function fitCanvas() {
  const ratio = devicePixelRatio || 1, touchScreen = document.body.classList.contains('touch');
  const beside = touchScreen && innerWidth > innerHeight, gap = 8;
  let roomWidth = innerWidth - 2 * gap, roomHeight = innerHeight - ($('stage').offsetHeight - canvas.offsetHeight) - gap;
  if (beside) roomWidth -= $('pad-left').offsetWidth + $('pad-right').offsetWidth;
  else roomHeight -= $('controls').offsetHeight + (touchScreen ? $('pad-right').offsetHeight : 0) + 4 * gap;
  const scale = Math.max(1, Math.floor(Math.min((roomWidth * ratio) / canvas.width, (roomHeight * ratio) / canvas.height)));
  canvas.style.width = `${(canvas.width * scale) / ratio}px`;
  canvas.style.height = `${(canvas.height * scale) / ratio}px`;
}

// A file served beside the page (?replay=, ?level=), copied into the game's
// file system; returns its path there.
async function fetchToFS(name) {
  const response = await fetch(name);
  if (!response.ok) throw new Error(`${name}: ${response.status} ${response.statusText}`);
  Module.FS.mkdirTree('/served');
  const path = `/served/${name.split('/').pop()}`;
  Module.FS.writeFile(path, new Uint8Array(await response.arrayBuffer()));
  return path;
}

function buildTouchControls() {
  for (const [label, control, side, shown] of TOUCH_CONTROLS) {
    const button = document.createElement('button');
    Object.assign(button, { type: 'button', textContent: label, className: shown, tabIndex: -1 });
    button.setAttribute('aria-label', label);
    button.dataset.control = control;
    $(`pad-${side}`).append(button);
  }
}

async function startGame() {
  const call = (name, result, ...args) => Module.cwrap(name, result, args);
  game = {
    buildImages: call('tb_build_images', null), sampleFile: call('tb_sample_file', 'string', 'number'),
    setting: call('tb_setting', null, 'string', 'string'), start: call('tb_start', 'number'),
    playAgain: call('tb_play_again', null), run: call('tb_run', 'number', 'number'),
    width: call('tb_screen_width', 'number'), height: call('tb_screen_height', 'number'),
    frame: call('tb_frame', 'number'), key: call('tb_key', null, 'string', 'number'),
    touch: call('tb_touch', null, 'string', 'number'),
    pad: call('tb_pad', null, 'number', 'number', 'number', 'number', 'number', 'number', 'number'),
    hidden: call('tb_hidden', null, 'number'), paused: call('tb_paused', 'number'),
    mode: call('tb_game_mode', 'number'), openLevel: call('tb_open_level', 'number', 'string'),
    replay: call('tb_replay', 'number', 'string'), replayDone: call('tb_replay_done', 'number'),
    recording: call('tb_recording', 'string'), keyHelp: call('tb_key_help', 'string'),
    playIt: call('tb_play_it', 'number'), edit: call('tb_edit', 'number'),
    keepLevel: call('tb_keep_level', null), levelChanged: call('tb_level_changed', 'number'),
    handed: call('tb_handed', 'number', 'number'), packLevel: call('tb_pack_level', 'number'),
    packedLimit: call('tb_packed_limit', 'number'), linkOf: call('tb_link_of', 'string', 'string', 'number'),
    linkPayload: call('tb_link_payload', 'number', 'string'), openLink: call('tb_open_link', 'number', 'string', 'number'),
    base64url: call('tb_base64url', 'number', 'string'), watch: call('tb_watch', 'number', 'number'),
  };
  for (let number = 0; game.sampleFile(number); number++) SAMPLES.push(game.sampleFile(number));
  sound.played = SAMPLES.map(() => 0);  // how often each sample was started
  const replayFile = query.get('replay');
  try {
    // The address's settings go to the game as they are, decoded once, but
    // for the files the page fetches: level=, given as its path, and replay=,
    // which is the page's. A level link in the fragment comes after them,
    // and a replay plays on it.
    game.buildImages();
    for (const [name, value] of query)
      if (name !== 'replay') game.setting(name, name === 'level' ? await fetchToFS(value) : value);
    if (game.start() !== 0) throw new Error(lastError);
    [canvas.width, canvas.height] = [game.width(), game.height()];
    image = context.createImageData(canvas.width, canvas.height);
    if (location.hash.length > 1) await openLink(location.hash);
    if (replayFile && game.replay(await fetchToFS((replayName = replayFile))) !== 0) throw new Error(lastError);
  } catch (error) {
    tell(error.message, true);
    say('status', 'The game did not start.');
    return;
  }
  startedAnew();
  if (sound.context) sound.unlock();  // a key pressed while the page was loading
  origin = clockStart = performance.now();
  requestAnimationFrame(tick);
}

// The first frame is on the screen: the samples are built now, by a second
// copy of the game's module in a worker (sound_worker.js), and written into
// the game's data/ as the desktop has them.
function firstFrameShown() {
  performance.mark('tarnblast-first-frame');
  // Offline play: the service worker keeps this build of the page.
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('service-worker.js').catch(() => {});
  sound.worker = new Worker(loaded.script);
  sound.worker.onmessage = ({ data }) => {
    sound.worker.terminate();
    if (data.error) return say('message', `The game's sound could not be made: ${data.error}`);
    for (const [name, bytes] of Object.entries(data.files)) Module.FS.writeFile(`/data/${name}`, bytes);
    sound.samplesBuilt();
  };
  sound.worker.postMessage(loaded.wasm);
}

var Module = {
  print: (line) => console.log(line),
  printErr: (line) => {
    lastError = line;
    console.warn(line);
  },
  tbSound: sound,
  tbFileWritten: fileWritten,
  onRuntimeInitialized: startGame,
};

// A file of the game's module, which index.html has asked for already.
async function fetched(name) {
  const early = window.tarnblastFetches && window.tarnblastFetches[name];
  const response = await (early || fetch(name));
  if (!response.ok) throw new Error(`${name}: ${response.status} ${response.statusText}`);
  return response;
}

// The game's module: its script, kept to start the sound worker from too,
// and its wasm, which a plain web server sends as it is: it is served
// gzip-compressed and compiled here while it is still arriving.
const loaded = { script: null, wasm: null };
async function loadGame() {
  const unpacked = (response) => new Response(response.body.pipeThrough(new DecompressionStream('gzip')),
    { headers: { 'Content-Type': 'application/wasm' } });
  const [script, wasm] = await Promise.all([fetched('tarnblast.js').then((response) => response.arrayBuffer()),
    fetched('tarnblast.wasm.gz').then((response) => WebAssembly.compileStreaming(unpacked(response)))]);
  loaded.script = URL.createObjectURL(new Blob([script], { type: 'text/javascript' }));
  loaded.wasm = wasm;
  Module.instantiateWasm = (imports, receive) => {
    WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm));
    return {};
  };
  const element = document.createElement('script');
  element.src = loaded.script;
  document.body.append(element);
}

addEventListener('keydown', (event) => gameKey(event, true));
addEventListener('keyup', (event) => gameKey(event, false));
for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel']) addEventListener(type, touch, { passive: false });
addEventListener('contextmenu', (event) => event.target.closest('.touch-pad, canvas') && event.preventDefault());
addEventListener('blur', () => game && releaseKeys());
addEventListener('resize', fitCanvas);
document.addEventListener('fullscreenchange', fitCanvas);
// A hidden tab pauses the game, which then waits for P.
document.addEventListener('visibilitychange', () => game && game.hidden(document.hidden ? 1 : 0));
$('fullscreen').onclick = () => (document.fullscreenElement ? document.exitFullscreen() : $('game').requestFullscreen());
$('play-again').onclick = playAgain;
$('play').onclick = () => switchMode(false);
$('edit').onclick = () => switchMode(true);
$('share').onclick = () => game && share();
addEventListener('hashchange', fragmentChanged);
// Leaving or reloading the page asks first while the level being edited
// holds changes not exported.
addEventListener('beforeunload', (event) => {
  if (game && !leaving && game.levelChanged()) {
    event.preventDefault();
    event.returnValue = '';
  }
});
$('download-keys').onclick = () => game && download(Module.FS.readFile(game.recording()), 'tarnblast-keys.txt');
$('level-file').onchange = (event) => openLevels([...event.target.files]).then(() => (event.target.value = ''));
addEventListener('dragover', (event) => {
  event.preventDefault();
  document.body.classList.add('dragging');
});
addEventListener('dragleave', () => document.body.classList.remove('dragging'));
addEventListener('drop', (event) => {
  event.preventDefault();
  document.body.classList.remove('dragging');
  openLevels([...event.dataTransfer.files]);
});
buildTouchControls();
fitCanvas();
loadGame().catch((error) => say('message', `The game could not be loaded: ${error.message}`));
