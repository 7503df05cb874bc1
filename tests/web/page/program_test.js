// Making instances of the program (platform/web/page/program.js): the frames a test holds, one
// compiled WebAssembly module shared by every instance, a data package of each instance's own,
// and an instance that fails while starting reported, not left waiting.
'use strict';

const assert = require('node:assert');
const {test} = require('node:test');
const {holdFrames, createInstance} = require('../../../platform/web/page/program.js');

// The smallest WebAssembly module: the header alone.
const emptyModule = new WebAssembly.Module(Uint8Array.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));

test('the frames to hold come from the address, in order, whole numbers only', () => {
  const cases = [
    ['', []],
    ['hold=100', [100]],
    ['hold=700,100,3900', [100, 700, 3900]],
    ['hold=0,-5,1.5,x,,20', [0, 20]],
    ['autostart=1', []],
  ];
  for (const [search, frames] of cases) assert.deepStrictEqual(holdFrames(new URLSearchParams(search)), frames, search);
});

// A factory that starts as emscripten's does: instantiates through the hook, reads the data
// package, then reports the runtime ready (or, with failAt, aborts there instead).
function fakeFactory(seen, failAt = null) {
  return (module) => new Promise((resolve) => {
    const exports = module.instantiateWasm({}, (instance, compiled) => {
      seen.push({module, instance, compiled, data: new Uint8Array(module.getPreloadedPackage('orbek42.data', 4))});
      if (failAt === 'start') return module.onAbort('Assertion failed');
      module.onRuntimeInitialized();
      resolve(module);
    });
    assert.deepStrictEqual(exports, {}, 'instantiation goes on asynchronously');
  });
}

function parts(factory, extra = {}) {
  return Object.assign({factory, wasm: emptyModule, data: Uint8Array.from([1, 2, 3, 4]),
                        canvas: {}, holds: [100, 700]}, extra);
}

test('every instance shares the compiled program and gets its own copy of the data', async () => {
  const window = {WebAssembly};
  const seen = [];
  const hooks = {onExit() {}, onAbort() {}, onMessage() {}};
  const first = await createInstance(window, parts(fakeFactory(seen)), hooks);
  assert.strictEqual(window.Module, first, 'the instance is window.Module');
  seen[0].data[0] = 99;  // the program writes into its package
  const second = await createInstance(window, parts(fakeFactory(seen)), hooks);
  assert.strictEqual(window.Module, second);
  assert.strictEqual(seen[1].compiled, emptyModule);
  assert.ok(seen[1].instance instanceof WebAssembly.Instance);
  assert.deepStrictEqual(Array.from(seen[1].data), [1, 2, 3, 4], 'the second showing starts from the bytes downloaded');
  first.releaseHold();
  assert.deepStrictEqual(first.holdFrames, [700]);
  assert.deepStrictEqual(second.holdFrames, [100, 700], 'each showing holds every frame again');
});

test('an instance that aborts while starting rejects and says why', async () => {
  const aborted = [];
  const hooks = {onExit() {}, onAbort: (message) => aborted.push(message), onMessage() {}};
  await assert.rejects(createInstance({WebAssembly}, parts(fakeFactory([], 'start')), hooks), /Assertion failed/);
  assert.deepStrictEqual(aborted, ['Assertion failed']);
});

test('a program the browser cannot instantiate rejects', async () => {
  // A module that imports a function the page does not provide.
  const needy = new WebAssembly.Module(Uint8Array.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0,
    1, 4, 1, 0x60, 0, 0, 2, 7, 1, 1, 0x65, 1, 0x66, 0, 0]));
  const hooks = {onExit() {}, onAbort() {}, onMessage() {}};
  await assert.rejects(createInstance({WebAssembly}, parts(fakeFactory([]), {wasm: needy}), hooks), /Import #0/);
});
