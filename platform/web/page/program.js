// The program as the page runs it: its JavaScript evaluated once, its WebAssembly compiled once,
// and a fresh instance for every showing made from those and its own copy of the data package, so
// that watching again downloads nothing. The instance that plays is window.Module, where the
// tests and the console find it.
(function(exports) {
'use strict';

// The frames a test asks the show to stop on (?hold=100,700), in order.
function holdFrames(query) {
  return (query.get('hold') || '').split(',').filter(Boolean).map(Number)
    .filter((frame) => Number.isInteger(frame) && frame >= 0)
    .sort((a, b) => a - b);
}

// Runs orbek42.js (its bytes) in the page; returns the factory it defines, or null when the text
// did not define one (it is not the program this page was made with).
function loadFactory(window, bytes) {
  const script = window.document.createElement('script');
  script.textContent = new window.TextDecoder().decode(bytes);
  window.document.head.appendChild(script);
  script.remove();
  return typeof window.Orbek42 === 'function' ? window.Orbek42 : null;
}

// Compiles orbek42.wasm once for every instance; rejects with the browser's reason when the bytes
// are not a program it can run.
function compileProgram(window, bytes) {
  return window.WebAssembly.compile(bytes);
}

// Makes an instance and resolves to its Module once the runtime is ready for callMain. parts:
// {factory, wasm (compiled), data (orbek42.data's bytes), canvas, holds, audioContext,
// soundPlaying (a promise of whether sound plays)}; hooks: {onExit(code), onAbort(message),
// onMessage(line)}.
function createInstance(window, parts, hooks) {
  return new Promise((resolve, reject) => {
    const module = {
      canvas: parts.canvas,
      holdFrames: parts.holds.slice(),
      releaseHold() {
        module.holdFrames.shift();
      },
      audioContext: parts.audioContext,
      soundPlaying: parts.soundPlaying,
      onMessageBox: hooks.onMessage,
      instantiateWasm(imports, receive) {
        window.WebAssembly.instantiate(parts.wasm, imports).then(
          (instance) => receive(instance, parts.wasm),
          (error) => reject(error));
        return {};
      },
      // The data package is read in place: each instance gets a copy of its own.
      getPreloadedPackage() {
        return parts.data.slice().buffer;
      },
      onRuntimeInitialized() {
        resolve(module);
      },
      onAbort(what) {
        hooks.onAbort(String(what));
        reject(new Error(String(what)));
      },
      onExit(code) {
        hooks.onExit(code);
      },
    };
    window.Module = module;
    Promise.resolve(parts.factory(module)).catch(reject);
  });
}

exports.holdFrames = holdFrames;
exports.loadFactory = loadFactory;
exports.compileProgram = compileProgram;
exports.createInstance = createInstance;
})(typeof module === 'object' ? module.exports : (window.orbekPage = window.orbekPage || {}));
