// The page around the show: the WebGL 2 check, the downloads' progress, the click or tap that starts
// it (sound, full screen), the end button, "Watch again", every failure as a sentence. body's
// data-screen says what shows: loading, ready, playing, ended or failed. For tests, ?autostart=1
// starts at once and ?hold=N stops on frames (program.js); the title then says "ended STATUS" too.
(function(window) {
'use strict';

const page = window.orbekPage;
const document = window.document;
const body = document.body;
const query = new URLSearchParams(window.location.search);
const testing = query.has('autostart') || query.has('hold');
const byId = (id) => document.getElementById(id);

// How long the end button stays after the pointer last moved, and a notice stays up.
const activityMs = 3000;
const noticeMs = 10000;
const escapeKeyCode = 27;

const manifest = JSON.parse(byId('files').textContent);
const files = manifest.files.map((file) => Object.assign({url: `${file.name}?v=${file.sha256.slice(0, 12)}`}, file));
const coarsePointer = window.matchMedia('(pointer: coarse)').matches;

const show = {
  have: new Map(),   // the files downloaded so far: a retry fetches only the others
  factory: null,
  wasm: null,
  instance: null,    // the next instance to play, made while the page waits for the click
  sound: null,       // {context, playing} of the last start
  messages: [],      // the program's message boxes during this showing
  escapeHeld: false,
};

function setScreen(screen) {
  body.dataset.screen = screen;
  // Notices are about the show that plays; the other screens say all there is to say.
  if (screen !== 'playing') byId('notices').replaceChildren();
  const focus = {ready: 'start', ended: 'again', failed: 'action'}[screen];
  if (focus && !byId(focus).hidden) byId(focus).focus({preventScroll: true});
}

function notice(text, ms = noticeMs) {
  const line = document.createElement('p');
  line.textContent = text;
  byId('notices').appendChild(line);
  if (ms > 0) window.setTimeout(() => line.remove(), ms);
}

function progress(bytes, total) {
  byId('progress-fill').style.width = `${total > 0 ? (bytes * 100) / total : 0}%`;
  byId('progress').setAttribute('aria-valuenow', String(Math.floor(total > 0 ? (bytes * 100) / total : 0)));
  byId('progress-text').textContent = page.progressText(bytes, total);
}

// Shows a failure; its button (if any) runs then().
function fail(failure, then) {
  const text = page.describeFailure(failure);
  byId('failure-heading').textContent = text.heading;
  const list = byId('failure-text');
  list.replaceChildren(...text.sentences.map((sentence) => {
    const line = document.createElement('p');
    line.textContent = sentence;
    return line;
  }));
  const action = byId('action');
  action.hidden = !text.action || !then;
  action.textContent = text.action;
  action.onclick = then ? (event) => then(event) : null;
  setScreen('failed');
}

function digest() {
  const subtle = window.crypto && window.crypto.subtle;
  return subtle ? (bytes) => subtle.digest('SHA-256', bytes) : null;
}

async function fetchFiles(cache) {
  if (manifest.offline) {
    const result = await page.unpackAll(files, document, {
      atob: window.atob.bind(window), Blob: window.Blob, Response: window.Response,
      DecompressionStream: window.DecompressionStream, digest: digest(),
    }, progress);
    result.failures.forEach((failure) => { failure.offline = true; });
    return result;
  }
  return page.downloadAll(files, {
    fetch: window.fetch.bind(window), setTimeout: window.setTimeout.bind(window),
    clearTimeout: window.clearTimeout.bind(window), digest: digest(),
  }, progress, show.have, cache);
}

// Downloads what is missing, then compiles the program and makes its first instance.
async function load(cache = 'default') {
  setScreen('loading');
  if (!manifest.offline && window.location.protocol === 'file:') return fail({kind: 'needs-server'});
  const {files: got, failures} = await fetchFiles(cache);
  show.have = got;
  if (failures.length > 0) return fail(failures, () => load('reload'));
  try {
    show.factory = show.factory || page.loadFactory(window, got.get('orbek42.js'));
    if (!show.factory) throw new page.DownloadError('orbek42.js', 'damaged');
  } catch (error) {
    show.have.delete('orbek42.js');
    return fail(error instanceof page.DownloadError ? error : new page.DownloadError('orbek42.js', 'damaged'),
                () => load('reload'));
  }
  try {
    show.wasm = show.wasm || await page.compileProgram(window, got.get('orbek42.wasm'));
  } catch (error) {
    show.have.delete('orbek42.wasm');
    const failure = new page.DownloadError('orbek42.wasm', 'compile', {message: String(error)});
    failure.offline = manifest.offline;
    return fail(failure, () => load('reload'));
  }
  try {
    show.instance = await newInstance();
  } catch (error) {
    return instanceFailed(error);
  }
  setScreen('ready');
  if (query.get('autostart') === '1') start(null);
}

// An instance that could not be made: an abort has said why already; anything else says it here.
function instanceFailed(error) {
  if (body.dataset.screen !== 'failed') aborted(error.message || String(error));
}

function newInstance() {
  show.messages = [];
  return page.createInstance(window, {
    factory: show.factory, wasm: show.wasm, data: show.have.get('orbek42.data'),
    canvas: byId('canvas'), holds: page.holdFrames(query),
    audioContext: null, soundPlaying: undefined,
  }, {onExit: ended, onAbort: aborted, onMessage: programMessage});
}

function enterFullscreen() {
  const root = document.documentElement;
  const request = root.requestFullscreen || root.webkitRequestFullscreen;
  if (!request) return;
  Promise.resolve(request.call(root)).then(() => {
    // A phone shows the 4:3 picture best held sideways, where the browser lets a page ask.
    if (coarsePointer && window.screen.orientation && window.screen.orientation.lock)
      return window.screen.orientation.lock('landscape');
  }).catch(() => {});
}

// The click or tap that starts a showing: sound and full screen are asked for at once, while the
// browser still counts it as the person's gesture, then the program starts. Started without one
// (?autostart=1), the page stays as it is.
async function start(event) {
  if (body.dataset.screen === 'playing') return;
  const context = show.sound && show.sound.context;
  show.sound = page.startSound({
    AudioContext: window.AudioContext || window.webkitAudioContext, context,
    setTimeout: window.setTimeout.bind(window), clearTimeout: window.clearTimeout.bind(window),
  });
  if (event) enterFullscreen();
  setScreen('playing');
  body.dataset.sound = 'starting';
  show.sound.playing.then((on) => {
    body.dataset.sound = on ? 'on' : 'off';
    if (!on && body.dataset.screen === 'playing') notice(page.notices.silent);
  });
  showEndButton();
  let instance = show.instance;
  show.instance = null;
  try {
    instance = instance || await newInstance();
  } catch (error) {
    return instanceFailed(error);
  }
  instance.audioContext = show.sound.context;
  instance.soundPlaying = show.sound.playing;
  window.Module = instance;
  instance.callMain([]);
}

function ended(code) {
  if (testing) document.title = `ended ${code}`;
  body.dataset.exit = String(code);
  releaseEscape();
  if (document.fullscreenElement && document.exitFullscreen) document.exitFullscreen().catch(() => {});
  if (body.dataset.screen === 'failed') return;
  if (code !== 0) return fail({kind: 'exit', code, messages: show.messages}, start);
  setScreen('ended');
}

function aborted(message) {
  releaseEscape();
  fail({kind: 'program', message}, start);
}

function programMessage(line) {
  show.messages.push(line);
  notice(line);
}

// The end button ends the show exactly as the key does: the program reads Escape from its key
// events, held down until the program has ended, as a person would hold it.
function keyEvent(type) {
  const event = new window.KeyboardEvent(type, {key: 'Escape', code: 'Escape', bubbles: true, cancelable: true});
  Object.defineProperty(event, 'keyCode', {get: () => escapeKeyCode});
  Object.defineProperty(event, 'which', {get: () => escapeKeyCode});
  return event;
}

function pressEscape() {
  if (show.escapeHeld || body.dataset.screen !== 'playing') return;
  show.escapeHeld = true;
  window.dispatchEvent(keyEvent('keydown'));
}

function releaseEscape() {
  if (!show.escapeHeld) return;
  show.escapeHeld = false;
  window.dispatchEvent(keyEvent('keyup'));
}

let activityTimer = 0;
function showEndButton() {
  body.classList.add('active');
  window.clearTimeout(activityTimer);
  activityTimer = window.setTimeout(() => body.classList.remove('active'), activityMs);
}

function unexpectedError(message) {
  if (body.dataset.screen !== 'playing') return;
  // The runtime ends a program by throwing its exit status, which is no error.
  if (/ExitStatus|unwind/.test(message)) return;
  aborted(message);
}

// The button, or anywhere else on the ready screen: a big target for a finger.
byId('ready').addEventListener('click', start);
byId('again').addEventListener('click', start);
byId('end').addEventListener('click', (event) => {
  event.stopPropagation();
  pressEscape();
});
for (const type of ['pointermove', 'pointerdown', 'keydown'])
  window.addEventListener(type, showEndButton, {passive: true});
document.addEventListener('fullscreenchange', () => {
  if (document.fullscreenElement && body.dataset.screen === 'playing' && !coarsePointer)
    notice(page.notices.fullscreen, noticeMs / 2);
});
window.addEventListener('error', (event) => unexpectedError(event.message || String(event.error)));
window.addEventListener('unhandledrejection', (event) => unexpectedError(String(event.reason && (event.reason.message || event.reason))));
if (coarsePointer) body.classList.add('touch');

const support = page.webgl2Support(window);
if (support !== 'ok') fail({kind: `webgl2-${support}`});
else load();
})(window);
