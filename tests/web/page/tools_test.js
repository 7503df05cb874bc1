// The page's build tools (platform/web/page/tools): assemble.js makes the site's page and the
// single file from a folder of program files; precompress.js writes .gz and .br copies that
// decode to the originals, the same on every run.
'use strict';

const assert = require('node:assert');
const childProcess = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const {test} = require('node:test');

const tools = path.join(__dirname, '../../../platform/web/page/tools');

function run(tool, args) {
  return childProcess.spawnSync(process.execPath, [path.join(tools, tool), ...args], {encoding: 'utf8'});
}

// A folder like build-web/bin with small stand-ins for the program's files.
function binFolder(files = {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'orbek42-page-'));
  const contents = Object.assign({
    'orbek42.js': 'var Orbek42 = function() {};\n',
    'orbek42.wasm': Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]),
    'orbek42.data': crypto.randomBytes(3000),
    'orbek42.png': Buffer.from('not really a png'),
  }, files);
  for (const [name, data] of Object.entries(contents)) fs.writeFileSync(path.join(dir, name), data);
  return {dir, contents};
}

function manifestOf(html) {
  return JSON.parse(/<script type="application\/json" id="files">(.*?)<\/script>/.exec(html)[1]);
}

test('the site\'s page lists each file with its size and digest, its scripts inlined', () => {
  const {dir, contents} = binFolder();
  const out = path.join(dir, 'index.html');
  const result = run('assemble.js', [dir, out, '--site-url=https://example.org/show/']);
  assert.strictEqual(result.status, 0, result.stderr);
  const html = fs.readFileSync(out, 'utf8');
  const manifest = manifestOf(html);
  assert.strictEqual(manifest.offline, false);
  assert.deepStrictEqual(manifest.files.map((f) => f.name), ['orbek42.js', 'orbek42.wasm', 'orbek42.data']);
  for (const file of manifest.files) {
    assert.strictEqual(file.size, Buffer.from(contents[file.name]).length);
    assert.strictEqual(file.sha256, crypto.createHash('sha256').update(contents[file.name]).digest('hex'));
  }
  assert.doesNotMatch(html, /data-inline|@[A-Z]+@|template:/);
  assert.match(html, /function downloadAll/);
  assert.match(html, /<p id="progress-text">0 kB of 3 kB \u00b7 0 %<\/p>/);
  assert.match(html, /<meta property="og:image" content="https:\/\/example.org\/show\/preview.png">/);
  assert.doesNotMatch(html, /data-file="orbek42/);
});

test('the single file carries every program file and the icon, and no link preview', () => {
  const {dir, contents} = binFolder();
  const out = path.join(dir, 'offline.html');
  const result = run('assemble.js', [dir, out, '--offline']);
  assert.strictEqual(result.status, 0, result.stderr);
  const html = fs.readFileSync(out, 'utf8');
  assert.strictEqual(manifestOf(html).offline, true);
  for (const name of ['orbek42.js', 'orbek42.wasm', 'orbek42.data']) {
    const text = new RegExp(`<script type="application/octet-stream" data-file="${name}">([^<]*)</script>`).exec(html)[1];
    assert.deepStrictEqual(zlib.gunzipSync(Buffer.from(text, 'base64')), Buffer.from(contents[name]), name);
  }
  assert.match(html, new RegExp(`href="data:image/png;base64,${Buffer.from(contents['orbek42.png']).toString('base64')}"`));
  assert.doesNotMatch(html, /og:image|href="orbek42.png"/);
});

test('a script that would end its element early, or a bad address, is refused', () => {
  const {dir} = binFolder({'orbek42.js': 'var s = "</script>";\n'});
  const inline = run('assemble.js', [dir, path.join(dir, 'out.html'), '--offline']);
  assert.strictEqual(inline.status, 0, 'embedded files are base64: any bytes go');
  const {dir: other} = binFolder();
  const address = run('assemble.js', [other, path.join(other, 'out.html'), '--site-url=javascript:alert(1)']);
  assert.notStrictEqual(address.status, 0);
  assert.match(address.stderr, /--site-url/);
  assert.ok(!fs.existsSync(path.join(other, 'out.html')));
});

test('precompressed copies decode to their files, are made again only when stale, and are the same every time', () => {
  const {dir, contents} = binFolder();
  fs.writeFileSync(path.join(dir, 'gone.js.br'), 'left from a file that is no more');
  assert.strictEqual(run('precompress.js', [dir]).status, 0);
  for (const [name, data] of Object.entries(contents)) {
    assert.deepStrictEqual(zlib.gunzipSync(fs.readFileSync(path.join(dir, `${name}.gz`))), Buffer.from(data), name);
    assert.deepStrictEqual(zlib.brotliDecompressSync(fs.readFileSync(path.join(dir, `${name}.br`))), Buffer.from(data), name);
  }
  assert.ok(!fs.existsSync(path.join(dir, 'gone.js.br')));
  const first = fs.readFileSync(path.join(dir, 'orbek42.data.br'));
  const stamp = fs.statSync(path.join(dir, 'orbek42.data.br')).mtimeMs;
  assert.strictEqual(run('precompress.js', [dir]).status, 0);
  assert.strictEqual(fs.statSync(path.join(dir, 'orbek42.data.br')).mtimeMs, stamp, 'an up-to-date copy is left alone');
  fs.rmSync(path.join(dir, 'orbek42.data.br'));
  fs.rmSync(path.join(dir, 'orbek42.data.gz'));
  const gzipFirst = zlib.gzipSync(contents['orbek42.data'], {level: 9});
  assert.strictEqual(run('precompress.js', [dir]).status, 0);
  assert.deepStrictEqual(fs.readFileSync(path.join(dir, 'orbek42.data.br')), first);
  assert.deepStrictEqual(fs.readFileSync(path.join(dir, 'orbek42.data.gz')), gzipFirst, 'gzip without a time in its header');
});
