// What the page says (platform/web/page/texts.js, webgl2.js): the progress line, which failures
// offer a retry and name their file, and the WebGL 2 check against browsers with and without it.
'use strict';

const assert = require('node:assert');
const {test} = require('node:test');
const texts = require('../../../platform/web/page/texts.js');
const {DownloadError} = require('../../../platform/web/page/download.js');
const {webgl2Support} = require('../../../platform/web/page/webgl2.js');

test('the progress line gives bytes and a share that reaches 100 % only when all is there', () => {
  const cases = [
    [0, 6577000, '0 kB of 6.6 MB \u00b7 0 %'],
    [999, 6577000, '1 kB of 6.6 MB \u00b7 0 %'],
    [3288500, 6577000, '3.3 MB of 6.6 MB \u00b7 50 %'],
    [6576999, 6577000, '6.6 MB of 6.6 MB \u00b7 99 %'],
    [6577000, 6577000, '6.6 MB of 6.6 MB \u00b7 100 %'],
    [0, 0, '0 kB of 0 kB \u00b7 0 %'],
  ];
  for (const [bytes, total, line] of cases) assert.strictEqual(texts.progressText(bytes, total), line);
});

test('a failed download names each file and what happened to it, and offers to try again', () => {
  const failures = [
    new DownloadError('orbek42.wasm', 'status', {status: 404, statusText: 'Not Found'}),
    new DownloadError('orbek42.data', 'short', {received: 3100000, expected: 6038518}),
  ];
  const text = texts.describeFailure(failures);
  assert.strictEqual(text.action, 'Try again');
  assert.match(text.sentences[0], /orbek42\.wasm.*404 Not Found/);
  assert.match(text.sentences[1], /orbek42\.data.*cut short: 3\.1 MB of 6\.0 MB/);
  const single = texts.describeFailure(new DownloadError('orbek42.js', 'damaged'));
  assert.match(single.sentences[0], /orbek42\.js.*damaged/);
});

test('only what a person can act on gets a button', () => {
  const offline = new DownloadError('orbek42.data', 'damaged');
  offline.offline = true;
  const cases = [
    [{kind: 'webgl2-missing'}, ''],
    [{kind: 'webgl2-unavailable'}, ''],
    [{kind: 'needs-server'}, ''],
    [offline, ''],
    [{kind: 'program', message: 'RuntimeError: unreachable'}, 'Start again'],
    [{kind: 'exit', code: 1, messages: ['ERROR: Can\u2019t Create A GL Rendering Context.']}, 'Start again'],
    [new DownloadError('orbek42.js', 'stalled'), 'Try again'],
  ];
  for (const [failure, action] of cases) assert.strictEqual(texts.describeFailure(failure).action, action, failure.kind);
  const exit = texts.describeFailure(cases[5][0]);
  assert.ok(exit.sentences.some((s) => s.includes('GL Rendering Context')), 'the program\u2019s own message is shown');
  for (const failure of [cases[0][0], cases[1][0]])
    assert.ok(texts.describeFailure(failure).sentences.some((s) => /video of the show/.test(s)));
});

test('WebGL 2: missing, refused or there', () => {
  let lost = 0;
  const windowWith = (getContext, hasType = true) => ({
    WebGL2RenderingContext: hasType ? function() {} : undefined,
    document: {createElement: () => ({getContext})},
  });
  const context = {getExtension: (name) => (name === 'WEBGL_lose_context' ? {loseContext: () => lost++} : null)};
  assert.strictEqual(webgl2Support(windowWith(() => context, false)), 'missing');
  assert.strictEqual(webgl2Support(windowWith(() => null)), 'unavailable');
  assert.strictEqual(webgl2Support(windowWith(() => { throw new Error('blocked'); })), 'unavailable');
  assert.strictEqual(webgl2Support(windowWith((kind) => (kind === 'webgl2' ? context : null))), 'ok');
  assert.strictEqual(lost, 1, 'the test context is given back');
});
