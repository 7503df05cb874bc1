// The single-file page's embedded files (platform/web/page/embedded.js): unpacked whole, and every
// kind of damage to the text or its compression named as the damage of that file.
'use strict';

const assert = require('node:assert');
const crypto = require('node:crypto');
const zlib = require('node:zlib');
const {test} = require('node:test');
const {unpackEmbedded, unpackAll} = require('../../../platform/web/page/embedded.js');

const bytes = Uint8Array.from({length: 5000}, (_, i) => (i * 31 + (i >> 5)) % 256);
const spec = {name: 'orbek42.wasm', size: bytes.length,
              sha256: crypto.createHash('sha256').update(bytes).digest('hex')};
const packed = zlib.gzipSync(bytes).toString('base64');
const environment = {
  atob, Blob, Response, DecompressionStream,
  digest: async (data) => crypto.createHash('sha256').update(data).digest().buffer,
};

// The same text with one base64 character changed, a few hundred characters in.
function flipped(text, at) {
  const other = text[at] === 'A' ? 'B' : 'A';
  return text.slice(0, at) + other + text.slice(at + 1);
}

test('an embedded file unpacks to its bytes, line breaks and all', async () => {
  assert.deepStrictEqual(await unpackEmbedded(spec, packed, environment), bytes);
  const wrapped = packed.replace(/(.{76})/g, '$1\n');
  assert.deepStrictEqual(await unpackEmbedded(spec, wrapped, environment), bytes);
});

test('damage to an embedded file is reported as damage to that file', async (t) => {
  const gzipped = zlib.gzipSync(bytes);
  const cases = [
    {what: 'a character changed', text: flipped(packed, 400), kind: 'damaged'},
    {what: 'cut short', text: packed.slice(0, packed.length / 2), kind: 'damaged'},
    {what: 'not base64', text: '@@@@', kind: 'damaged'},
    {what: 'not gzip', text: Buffer.from(bytes).toString('base64'), kind: 'damaged'},
    {what: 'another file', text: zlib.gzipSync(bytes.slice(0, 100)).toString('base64'), kind: 'short'},
    {what: 'gzip trailer changed', text: Buffer.concat([gzipped.subarray(0, -8), Buffer.alloc(8)]).toString('base64'),
     kind: 'damaged'},
  ];
  for (const c of cases) {
    await t.test(c.what, () => assert.rejects(unpackEmbedded(spec, c.text, environment),
      (error) => error.file === 'orbek42.wasm' && error.kind === c.kind));
  }
});

test('every file is taken from its element; a missing one is a failure, the others still unpack', async () => {
  const elements = {'orbek42.wasm': {textContent: packed}};
  const document = {querySelector: (selector) => elements[/data-file="([^"]+)"/.exec(selector)[1]] || null};
  const other = {name: 'orbek42.data', size: 10, sha256: ''};
  const progress = [];
  const {files, failures} = await unpackAll([spec, other], document, environment, (n, total) => progress.push([n, total]));
  assert.deepStrictEqual(files.get('orbek42.wasm'), bytes);
  assert.deepStrictEqual(failures.map((f) => [f.file, f.kind]), [['orbek42.data', 'unreachable']]);
  assert.deepStrictEqual(progress, [[0, 5010], [5000, 5010]]);
});
