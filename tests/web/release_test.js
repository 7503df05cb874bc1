// The web release as a viewer gets it: the zip's folder served as a static site (by the project's
// server, which hands out its precompressed files), and the single file opened straight from disk
// in Chromium and in Firefox. Each holds a frame of the show that must match the native still.
// Run under an X screen and tests/web/null_sound.sh, for Firefox.
// Usage: node release_test.js SITE_DIR SINGLE_FILE NATIVE_STILLS_DIR [SCREENSHOT_DIR]
//        node release_test.js --frames    (prints the frame it holds, for the capture tool)
'use strict';

const fs = require('fs');
const path = require('path');
const {pathToFileURL} = require('url');
const zlib = require('zlib');
const driver = require('./driver');
const compare = require('./compareFrames');

const frame = 100;
const largestDifferingShare = 0.06;
const timeoutMs = 120000;

if (process.argv[2] === '--frames') {
  console.log(frame);
  process.exit(0);
}
const [site, singleFile, stills, shots = fs.mkdtempSync('/tmp/orbek42-release-')] = process.argv.slice(2);
if (!site || !singleFile || !stills) {
  console.error('usage: node release_test.js SITE_DIR SINGLE_FILE NATIVE_STILLS_DIR [SCREENSHOT_DIR]');
  process.exit(2);
}
const failures = [];

function check(condition, message) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${message}`);
  if (!condition) failures.push(message);
}

// Every file of the site has copies that decode to it, as a static host hands them out.
function precompressedCopies() {
  const names = fs.readdirSync(site).filter((name) => !/\.(br|gz)$/.test(name));
  for (const name of names) {
    const original = fs.readFileSync(path.join(site, name));
    const gzip = zlib.gunzipSync(fs.readFileSync(path.join(site, `${name}.gz`)));
    const brotli = zlib.brotliDecompressSync(fs.readFileSync(path.join(site, `${name}.br`)));
    check(original.equals(gzip) && original.equals(brotli), `${name}.gz and ${name}.br decode to ${name}`);
  }
}

// Opens url in browserName at the stills' size and holds the frame; returns the page.
async function holdFrame(browserName, url, what, onResponse = null) {
  const browser = await driver.launch(browserName, {width: 640, height: 480});
  try {
    const page = await driver.openPage(browser, url, {autostart: 1, hold: frame},
      (line) => { if (/error|fail/i.test(line) && !/GL Driver/.test(line)) console.log(`page: ${line}`); },
      onResponse ? (fresh) => { fresh.on('response', onResponse); } : null);
    await driver.waitForTitle(page, new RegExp(`^frame ${frame}$`), timeoutMs);
    const file = path.join(shots, `release-${browserName}-${what}.png`);
    await driver.screenshot(page, file, '#canvas');
    const native = path.join(stills, `frame-${String(frame).padStart(5, '0')}.png`);
    const share = compare.differingShare(driver.readPng(file), driver.readPng(native));
    check(share <= largestDifferingShare,
          `${what} in ${browserName}: frame ${frame} held, ${(share * 100).toFixed(2)} % of the pixels differ`);
  } finally {
    await browser.close();
  }
}

async function main() {
  fs.mkdirSync(shots, {recursive: true});
  precompressedCopies();
  const server = await driver.startProjectServer(site);
  const encodings = {};
  try {
    await holdFrame('chromium', server.url, 'site', (response) => {
      encodings[new URL(response.url()).pathname] = response.headers()['content-encoding'];
    });
  } finally {
    await server.close();
  }
  for (const name of ['orbek42.js', 'orbek42.wasm', 'orbek42.data'])
    check(encodings[`/${name}`] === 'br', `${name} came brotli-compressed (${encodings[`/${name}`]})`);
  const address = pathToFileURL(path.resolve(singleFile)).href;
  await holdFrame('chromium', address, 'single-file');
  await holdFrame('firefox', address, 'single-file');
  console.log(`screenshots in ${shots}`);
  process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAIL ${error.stack || error}`);
  process.exit(1);
});
