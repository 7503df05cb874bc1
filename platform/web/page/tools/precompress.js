// Writes NAME.gz and NAME.br beside every file of a folder, compressed once at build time at the
// highest settings, for servers that hand them out with Content-Encoding (scripts/serve-web.sh,
// or any static host that looks for them). Brotli comes from node's own zlib. The output depends
// on the bytes only (gzip's header carries no time), so two builds give the same files.
// Usage: node precompress.js DIR
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const {promisify} = require('util');

const gzip = promisify(zlib.gzip);
const brotli = promisify(zlib.brotliCompress);
const variants = ['.gz', '.br'];
const textTypes = new Set(['.html', '.js', '.json', '.css', '.txt', '.svg']);

function compress(file, variant, bytes) {
  if (variant === '.gz') return gzip(bytes, {level: zlib.constants.Z_BEST_COMPRESSION});
  return brotli(bytes, {
    params: {
      [zlib.constants.BROTLI_PARAM_QUALITY]: zlib.constants.BROTLI_MAX_QUALITY,
      [zlib.constants.BROTLI_PARAM_LGWIN]: zlib.constants.BROTLI_MAX_WINDOW_BITS,
      [zlib.constants.BROTLI_PARAM_SIZE_HINT]: bytes.length,
      [zlib.constants.BROTLI_PARAM_MODE]: textTypes.has(path.extname(file))
        ? zlib.constants.BROTLI_MODE_TEXT : zlib.constants.BROTLI_MODE_GENERIC,
    },
  });
}

// A variant older than its file is made again; one whose file is gone is removed.
async function precompress(dir) {
  const names = fs.readdirSync(dir).filter((name) => fs.statSync(path.join(dir, name)).isFile());
  const sources = names.filter((name) => !variants.includes(path.extname(name)));
  for (const name of names) {
    const ext = path.extname(name);
    if (variants.includes(ext) && !sources.includes(name.slice(0, -ext.length))) fs.unlinkSync(path.join(dir, name));
  }
  const jobs = [];
  for (const name of sources) {
    const file = path.join(dir, name);
    const modified = fs.statSync(file).mtimeMs;
    for (const variant of variants) {
      const target = file + variant;
      if (fs.existsSync(target) && fs.statSync(target).mtimeMs >= modified) continue;
      jobs.push(compress(file, variant, fs.readFileSync(file)).then((packed) => {
        fs.writeFileSync(`${target}.tmp`, packed);
        fs.renameSync(`${target}.tmp`, target);
        console.log(`${name}${variant}: ${fs.statSync(file).size} -> ${packed.length} bytes`);
      }));
    }
  }
  await Promise.all(jobs);
}

if (process.argv.length !== 3) {
  console.error('usage: node precompress.js DIR');
  process.exit(2);
}
precompress(process.argv[2]).catch((error) => {
  console.error(`precompress.js: ${error.message}`);
  process.exit(1);
});
