// The game's page: runs the game's passes at 70 a second by the clock, draws
// each frame into the canvas at the largest whole scale that fits, hands the
// keys to the game, plays its sound through Web Audio, and opens level files,
// key scripts (?replay=) and downloads. The game itself is tarnblast.js; it
// builds its own art before the first frame and its sound while the title
// shows (sound_worker.js).
'use strict';

const W = 320, H = 200, PASS_MS = 1000 / 70, MAX_PASSES_PER_FRAME = 4;
const SAMPLES = [];  // the sample files by their numbers, as the game names them (tb_sample_file)
// Keys the browser keeps: reload, fullscreen and its developer tools.
const BROWSER_KEYS = new Set(['F5', 'F11', 'F12']);
const $ = (id) => document.getElementById(id);
const canvas = $('screen'), context = canvas.getContext('2d');
const image = context.createImageData(W, H);
const query = new URLSearchParams(location.search);
const replayName = query.get('replay'), editing = query.get('start-mode') === '3';

let game = null, lastError = '', ended = false, origin = 0, openedLevels = 0;
const heldKeys = new Set();
window.tarnblastPasses = 0;  // passes run, and passes dropped after stalls
window.tarnblastDropped = 0;

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

function download(bytes, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// Right Shift held writes the export on every pass: one download per press,
// when the key is let go or after a quiet moment (a replay lets no key go).
let exportPath = null, exportTimer = 0;
function exportWritten(path) {
  exportPath = path;
  clearTimeout(exportTimer);
  exportTimer = setTimeout(offerExport, 400);
}
function offerExport() {
  clearTimeout(exportTimer);
  if (exportPath) download(Module.FS.readFile(exportPath), 'level.txt');
  exportPath = null;
}

function draw() {
  const frame = game.frame();
  image.data.set(Module.HEAPU8.subarray(frame, frame + W * H * 4));
  context.putImageData(image, 0, 0);
}

function showStatus() {
  if (ended) say('status', 'The game has ended (Escape). Reload the page to play again.');
  else if (replayName) say('status', document.body.dataset.replay === 'done'
    ? `Replay of ${replayName} finished.` : `Replaying ${replayName}...`);
  else if (game.paused()) say('status', 'PAUSED - press P');
  else if (!sound.context) say('status', 'Press a key to start (and to hear the game).');
  else say('status', 'Arrows walk and jump, Space fires, S starts, P pauses, M mutes, Esc quits.');
}

// Runs the passes the clock says are due, at most a few after a stall (the
// rest are dropped, so the game never races to catch up), and shows the last.
function tick(now) {
  let due = Math.floor((now - origin) / PASS_MS) - window.tarnblastPasses;
  if (due > MAX_PASSES_PER_FRAME) {
    window.tarnblastDropped += due - MAX_PASSES_PER_FRAME;
    origin += (due - MAX_PASSES_PER_FRAME) * PASS_MS;
    due = MAX_PASSES_PER_FRAME;
  }
  if (due > 0) {
    window.tarnblastPasses += due;
    ended = game.run(due) === 1;
    draw();
    if (!sound.worker) firstFrameShown();
  }
  if (replayName && game.replayDone()) document.body.dataset.replay = 'done';
  showStatus();
  if (!ended && document.body.dataset.replay !== 'done') requestAnimationFrame(tick);
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
  if (!down && event.code === 'ShiftRight') offerExport();
}

function releaseKeys() {
  for (const code of heldKeys) game.key(code, 0);
  heldKeys.clear();
}

// A level file, or several at once (a pack, in a folder of their own),
// written into the game's file system and checked by the game's reader.
async function openLevels(files) {
  if (!game || !files.length) return;
  const folder = `/opened/${++openedLevels}`;
  Module.FS.mkdirTree(folder);
  for (const file of files)
    Module.FS.writeFile(`${folder}/${file.name}`, new Uint8Array(await file.arrayBuffer()));
  const path = files.length === 1 ? `${folder}/${files[0].name}` : folder;
  say('message', game.openLevel(path, editing ? 1 : 0) === 0 ? '' : lastError);
}

function fitCanvas() {
  const full = document.fullscreenElement;
  const room = full ? 0 : $('controls').offsetHeight + $('status').offsetHeight + 40;
  const scale = Math.max(1, Math.floor(Math.min(innerWidth / W, (innerHeight - room) / H)));
  canvas.style.width = `${W * scale}px`;
  canvas.style.height = `${H * scale}px`;
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

// The address's settings go to the game as they are, but for the files the
// page fetched (level=, given as their paths) and replay=, which is the page's.
async function gameQuery() {
  const settings = [];
  for (const part of location.search.slice(1).split('&').filter(Boolean)) {
    const [name, ...rest] = part.split('=');
    const value = decodeURIComponent(rest.join('='));
    if (name === 'level') settings.push(`level=${await fetchToFS(value)}`);
    else if (name !== 'replay') settings.push(`${name}=${value}`);
  }
  return settings.join('&');
}

async function startGame() {
  game = {
    buildImages: Module.cwrap('tb_build_images', null, []),
    sampleFile: Module.cwrap('tb_sample_file', 'string', ['number']),
    start: Module.cwrap('tb_start', 'number', ['string']),
    run: Module.cwrap('tb_run', 'number', ['number']),
    frame: Module.cwrap('tb_frame', 'number', []),
    key: Module.cwrap('tb_key', null, ['string', 'number']),
    hidden: Module.cwrap('tb_hidden', null, ['number']),
    paused: Module.cwrap('tb_paused', 'number', []),
    openLevel: Module.cwrap('tb_open_level', 'number', ['string', 'number']),
    replay: Module.cwrap('tb_replay', 'number', ['string']),
    replayDone: Module.cwrap('tb_replay_done', 'number', []),
    recording: Module.cwrap('tb_recording', 'string', []),
  };
  for (let number = 0; game.sampleFile(number); number++) SAMPLES.push(game.sampleFile(number));
  sound.played = SAMPLES.map(() => 0);  // how often each sample was started
  try {
    game.buildImages();
    if (game.start(await gameQuery()) !== 0 || (replayName && game.replay(await fetchToFS(replayName)) !== 0))
      throw new Error(lastError);
  } catch (error) {
    say('message', error.message);
    say('status', 'The game did not start.');
    return;
  }
  if (sound.context) sound.unlock();  // a key pressed while the page was loading
  draw();
  origin = performance.now();
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
  tbExportWritten: exportWritten,
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
addEventListener('blur', () => game && releaseKeys());
addEventListener('resize', fitCanvas);
document.addEventListener('fullscreenchange', fitCanvas);
document.addEventListener('visibilitychange', () => game && game.hidden(document.hidden ? 1 : 0));
$('fullscreen').onclick = () => $('stage').requestFullscreen();
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
fitCanvas();
loadGame().catch((error) => say('message', `The game could not be loaded: ${error.message}`));
