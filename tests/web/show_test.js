// The browser build against the native one, in headless Chromium: a run of the show that stops
// on frames across all five scenes and compares each with orbek42-capture's still of the same
// frame, checks that the music was decoded and plays, and ends with Escape; and at the same time a
// second run at device pixel ratio 2, whose 1280x960 frames are compared with the capture tool's
// 1280x960 stills (in NATIVE_STILLS_DIR/1280x960). Neither run may put a warning or an error on
// the console. How well the show keeps its pace is for the pacing benchmark (bench_pacing.js).
// Usage: node show_test.js WEB_BIN_DIR NATIVE_STILLS_DIR [SCREENSHOT_DIR]
//        node show_test.js --frames    (prints the frames it holds, for the capture tool)
'use strict';

const fs = require('fs');
const path = require('path');
const driver = require('./driver');
const compare = require('./compareFrames');

// One frame in each scene (the countdown, the tunnel, the flight, the flag, the end).
const heldFrames = [100, 700, 1900, 2650, 3100, 3900];
// Particles are seeded from the clock, so their pixels differ between any two runs, native or not;
// at these frames they cover at most about 4 % of the picture (measured: 0.0 to 3.4 %). A missing
// object, a wrong texture or a camera a frame off changes far more than that.
const largestDifferingShare = 0.06;
const trackSeconds = 176.5;
// Away from the particles, the two pictures differ by filtering and rounding only: 28 dB is a
// root-mean-square difference of 10 steps a channel, which a misplaced edge or texture exceeds.
const smallestPsnr = 28;
// The second run: the page's 640x480 at device pixel ratio 2, which the canvas follows.
const sharp = { pixelRatio: 2, folder: '1280x960' };

if (process.argv[2] === '--frames') {
  console.log(heldFrames.join(','));
  process.exit(0);
}
const [webBin, stills, shots = fs.mkdtempSync('/tmp/orbek42-web-')] = process.argv.slice(2);
const failures = [];

function check(condition, message) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${message}`);
  if (!condition) failures.push(message);
}

// Opens the show in a page of browser at the device pixel ratio given, holding heldFrames, with
// every console line printed and the warnings and errors kept in consoleProblems.
async function openShow(browser, url, pixelRatio, consoleProblems) {
  const page = await browser.newPage();
  await page.setViewport({ width: 640, height: 480, deviceScaleFactor: pixelRatio });
  page.on('console', (message) => {
    const line = `page (ratio ${pixelRatio}): ${message.type()}: ${message.text()}`;
    console.log(line);
    if (['warn', 'warning', 'error'].includes(message.type())) consoleProblems.push(line);
  });
  page.on('pageerror', (error) => consoleProblems.push(`page error: ${error.message}`));
  const address = new URL(url);
  address.searchParams.set('autostart', '1');
  address.searchParams.set('hold', heldFrames.join(','));
  await page.goto(address.toString(), { waitUntil: 'load' });
  return page;
}

// Waits for a held frame and compares the canvas with the native still of it; with psnrMargin,
// also their PSNR away from the particles (and psnrMargin pixels round each).
async function compareHeldFrame(page, frame, stillFolder, shotName, psnrMargin) {
  await driver.waitForTitle(page, new RegExp(`^frame ${frame}$`), (frame / 25 + 120) * 1000);
  const shot = path.join(shots, shotName);
  await driver.screenshot(page, shot, '#canvas');
  const web = driver.readPng(shot);
  const native = driver.readPng(path.join(stillFolder, `frame-${String(frame).padStart(5, '0')}.png`));
  const share = compare.differingShare(web, native);
  check(share <= largestDifferingShare,
        `frame ${frame} at ${web.width}x${web.height}: ${(share * 100).toFixed(2)} % of the pixels ` +
        'differ from the native still');
  if (psnrMargin === undefined) return;
  const away = compare.psnrAwayFromParticles(web, native, psnrMargin);
  check(away.psnr >= smallestPsnr,
        `frame ${frame} at ${web.width}x${web.height}: PSNR ${away.psnr.toFixed(1)} dB away from the ` +
        `particles (${(away.leftOut * 100).toFixed(2)} % of the pixels left out)`);
}

// Compares every held frame with its still, releasing each hold but the last; afterEach(index)
// runs after each comparison.
async function compareHeldFrames(page, stillFolder, shotPrefix, psnrMargin, afterEach = async () => {}) {
  for (const [index, frame] of heldFrames.entries()) {
    await compareHeldFrame(page, frame, stillFolder, `${shotPrefix}${frame}.png`, psnrMargin);
    await afterEach(index);
    if (index + 1 < heldFrames.length) await driver.evaluate(page, () => Module.releaseHold());
  }
}

// The first run: at 640x480, the music checked at the first held frame, ended by Escape.
async function plainRun(browser, url, consoleProblems) {
  const page = await openShow(browser, url, 1, consoleProblems);
  await compareHeldFrames(page, stills, 'web-', undefined, async (index) => {
    if (index > 0) return;
    const audio = await driver.evaluate(page, () => ({
      state: Module.audioContext && Module.audioContext.state, seconds: Module.musicDuration }));
    check(audio.state === 'running', `the audio context runs (${audio.state})`);
    check(Math.abs(audio.seconds - trackSeconds) < 0.1, `the decoded track lasts ${audio.seconds} s`);
  });
  // Escape is held until the loop has seen it, as a person's key press would be.
  await driver.evaluate(page, () => Module.releaseHold());
  await page.keyboard.down('Escape');
  await driver.waitForTitle(page, /^ended/, 30000).catch(async (error) => {
    console.log(await driver.evaluate(page, () => JSON.stringify({ title: document.title, frames: Module.frameTimes.length })));
    throw error;
  });
  await page.keyboard.up('Escape');
  const ending = await driver.evaluate(page, () => ({
    title: document.title,
    leftOver: Module.FS.readdir('/tmp').filter((name) => name !== '.' && name !== '..'),
  }));
  check(ending.title === 'ended 0', `Escape ends the program with status 0 (${ending.title})`);
  check(ending.leftOver.length === 0, `the temporary folder is empty (${ending.leftOver.join(' ')})`);
}

// The second run: the canvas's drawing buffer follows its displayed size in device pixels,
// 1280x960 here.
async function sharpRun(browser, url, consoleProblems) {
  const page = await openShow(browser, url, sharp.pixelRatio, consoleProblems);
  await compareHeldFrames(page, path.join(stills, sharp.folder), `web-${sharp.folder}-`,
                          2 * sharp.pixelRatio);
}

// Both runs play at once, each in a browser of its own (a page of its own window, so that neither
// is a hidden tab): a frame is held whatever the machine's load, so neither run's comparisons
// depend on the other.
async function main() {
  const server = await driver.startServer(webBin);
  const browsers = await Promise.all([1, 2].map(() => driver.launchBrowser({ width: 640, height: 480 })));
  const consoleProblems = [];
  try {
    await Promise.all([plainRun(browsers[0], server.url, consoleProblems),
                       sharpRun(browsers[1], server.url, consoleProblems)]);
    check(consoleProblems.length === 0,
          `no warning or error on the console (${consoleProblems.length}${consoleProblems.length ? ': ' +
          consoleProblems.slice(0, 5).join(' | ') : ''})`);
  } finally {
    await Promise.all(browsers.map((browser) => browser.close()));
    await server.close();
  }
  console.log(`screenshots in ${shots}`);
  process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAIL ${error.stack || error}`);
  process.exit(1);
});
