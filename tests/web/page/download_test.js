// The page's downloads (platform/web/page/download.js) against real fetch responses made in
// memory: whole, short, long, refused, broken off, damaged and stalled files, and several files
// fetched at once. Timers are fakes the tests fire, so nothing here depends on the clock.
'use strict';

const assert = require('node:assert');
const crypto = require('node:crypto');
const {test} = require('node:test');
const {DownloadError, downloadFile, downloadAll} = require('../../../platform/web/page/download.js');
const {fakeTimers} = require('./fakeTimers.js');

const bytes = Uint8Array.from({length: 1000}, (_, i) => (i * 7) % 256);
const sha256 = (data) => crypto.createHash('sha256').update(data).digest('hex');
const digest = async (data) => crypto.createHash('sha256').update(data).digest().buffer;
const spec = {name: 'orbek42.data', url: 'orbek42.data', size: bytes.length, sha256: sha256(bytes)};

// A response whose body yields chunks one read at a time, then ends, or errors when error is set.
function response(chunks, {status = 200, error = null} = {}) {
  const queue = chunks.slice();
  const body = new ReadableStream({
    pull(controller) {
      if (queue.length > 0) controller.enqueue(queue.shift());
      else if (error) controller.error(error);
      else controller.close();
    },
  }, {highWaterMark: 0});
  return new Response(body, {status});
}

function environment(fetch, timers = fakeTimers()) {
  return {fetch, setTimeout: timers.setTimeout, clearTimeout: timers.clearTimeout, digest};
}

test('a download ends with its bytes or says what went wrong with them', async (t) => {
  const damaged = Uint8Array.from(bytes);
  damaged[500] ^= 1;
  const cases = [
    {what: 'whole, in two chunks', fetch: async () => response([bytes.slice(0, 400), bytes.slice(400)]), bytes},
    {what: 'cut short', fetch: async () => response([bytes.slice(0, 600)]), kind: 'short', details: {received: 600, expected: 1000}},
    {what: 'too long', fetch: async () => response([bytes, bytes.slice(0, 10)]), kind: 'long'},
    {what: 'not found', fetch: async () => response([], {status: 404}), kind: 'status', details: {status: 404}},
    {what: 'no answer', fetch: async () => { throw new TypeError('Failed to fetch'); }, kind: 'unreachable'},
    {what: 'broken off', fetch: async () => response([bytes.slice(0, 300)], {error: new TypeError('network')}),
     kind: 'interrupted', details: {received: 300, expected: 1000}},
    {what: 'damaged', fetch: async () => response([damaged]), kind: 'damaged'},
  ];
  for (const c of cases) {
    await t.test(c.what, async () => {
      const progress = [];
      const result = downloadFile(spec, environment(c.fetch), (n) => progress.push(n));
      if (c.bytes) {
        assert.deepStrictEqual(await result, c.bytes);
        assert.deepStrictEqual(progress, [400, 1000]);
        return;
      }
      await assert.rejects(result, (error) => {
        assert.ok(error instanceof DownloadError);
        assert.strictEqual(error.file, 'orbek42.data');
        assert.strictEqual(error.kind, c.kind);
        for (const [key, value] of Object.entries(c.details || {})) assert.strictEqual(error.details[key], value);
        return true;
      });
    });
  }
});

test('without a digest (no SHA-256 in the browser) the size alone is checked', async () => {
  const damaged = Uint8Array.from(bytes);
  damaged[0] ^= 1;
  const env = Object.assign(environment(async () => response([damaged])), {digest: null});
  assert.deepStrictEqual(await downloadFile(spec, env), damaged);
});

test('a download that stops arriving is given up, and every chunk puts that off', async () => {
  const timers = fakeTimers();
  let push;
  const fetch = async (url, init) => new Response(new ReadableStream({
    start(controller) {
      push = (chunk) => controller.enqueue(chunk);
      init.signal.addEventListener('abort', () => controller.error(new DOMException('aborted', 'AbortError')));
    },
  }));
  const progress = [];
  const result = downloadFile(spec, environment(fetch, timers), (n) => progress.push(n));
  await new Promise((done) => setImmediate(done));
  push(bytes.slice(0, 100));
  await new Promise((done) => setImmediate(done));
  assert.deepStrictEqual(progress, [100]);
  assert.strictEqual(timers.active().length, 1, 'one watch at a time, set again by the chunk');
  timers.fire();
  await assert.rejects(result, (error) => error.kind === 'stalled' && error.file === 'orbek42.data');
  assert.strictEqual(timers.active().length, 0);
});

test('a request with no answer at all is given up too', async () => {
  const timers = fakeTimers();
  const fetch = (url, init) => new Promise((resolve, reject) => {
    init.signal.addEventListener('abort', () => reject(new DOMException('aborted', 'AbortError')));
  });
  const result = downloadFile(spec, environment(fetch, timers));
  timers.fire();
  await assert.rejects(result, (error) => error.kind === 'stalled');
});

test('all files are requested at once, with progress over all of them', async () => {
  const files = {
    'orbek42.js': Uint8Array.from([1, 2, 3]),
    'orbek42.wasm': Uint8Array.from({length: 50}, (_, i) => i),
    'orbek42.data': bytes,
  };
  const specs = Object.entries(files).map(([name, data]) => ({name, url: `${name}?v=1`, size: data.length, sha256: sha256(data)}));
  const requested = [];
  let answer;
  const answered = new Promise((resolve) => { answer = resolve; });
  const fetch = async (url) => {
    requested.push(url);
    await answered;
    return response([files[url.split('?')[0]]]);
  };
  const progress = [];
  const result = downloadAll(specs, environment(fetch), (n, total) => progress.push([n, total]));
  await new Promise((done) => setImmediate(done));
  assert.deepStrictEqual(requested.sort(), ['orbek42.data?v=1', 'orbek42.js?v=1', 'orbek42.wasm?v=1'],
                         'every request is made before any answer arrives');
  answer();
  const {files: got, failures} = await result;
  assert.deepStrictEqual(failures, []);
  for (const [name, data] of Object.entries(files)) assert.deepStrictEqual(got.get(name), data);
  assert.deepStrictEqual(progress[0], [0, 1053]);
  assert.deepStrictEqual(progress[progress.length - 1], [1053, 1053]);
  for (let i = 1; i < progress.length; ++i) assert.ok(progress[i][0] >= progress[i - 1][0]);
});

test('a retry fetches only what failed, past the browser\'s cache, and lists failures in order', async () => {
  const specs = ['orbek42.js', 'orbek42.wasm', 'orbek42.data'].map((name) => ({name, url: name, size: 3, sha256: ''}));
  const calls = [];
  const fetch = async (url, init) => {
    calls.push([url, init.cache]);
    return url === 'orbek42.js' ? response([Uint8Array.from([9, 9, 9])]) : response([], {status: 503});
  };
  const first = await downloadAll(specs, environment(fetch));
  assert.deepStrictEqual(first.failures.map((f) => [f.file, f.kind]), [['orbek42.wasm', 'status'], ['orbek42.data', 'status']]);
  calls.length = 0;
  const progress = [];
  await downloadAll(specs, environment(fetch), (n) => progress.push(n), first.files, 'reload');
  assert.deepStrictEqual(calls.sort(), [['orbek42.data', 'reload'], ['orbek42.wasm', 'reload']]);
  assert.strictEqual(progress[0], 3, 'what is already here counts from the start');
});
