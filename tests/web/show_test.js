// The browser build against the native one, in headless Chromium: one run of the show that stops
// on frames across all five scenes and compares each with orbek42-capture's still of the same
// frame, checks that the music was decoded and plays, and ends with Escape. How well the show
// keeps its pace is for the pacing benchmark (bench_pacing.js) to measure, not for a test.
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

async function main() {
  const server = await driver.startServer(webBin);
  const browser = await driver.launchBrowser({ width: 640, height: 480 });
  try {
    const page = await driver.openPage(browser, server.url, { autostart: 1, hold: heldFrames.join(',') },
      (line) => { if (!/GL Driver|WARNING|TODO|404|fallback to software/.test(line)) console.log(`page: ${line}`); });
    for (const [index, frame] of heldFrames.entries()) {
      await driver.waitForTitle(page, new RegExp(`^frame ${frame}$`), (frame / 25 + 120) * 1000);
      const shot = path.join(shots, `web-${frame}.png`);
      await driver.screenshot(page, shot, '#canvas');
      const native = path.join(stills, `frame-${String(frame).padStart(5, '0')}.png`);
      const share = compare.differingShare(driver.readPng(shot), driver.readPng(native));
      check(share <= largestDifferingShare,
            `frame ${frame}: ${(share * 100).toFixed(2)} % of the pixels differ from the native still`);
      if (index === 0) {
        const audio = await driver.evaluate(page, () => ({
          state: Module.audioContext && Module.audioContext.state, seconds: Module.musicDuration }));
        check(audio.state === 'running', `the audio context runs (${audio.state})`);
        check(Math.abs(audio.seconds - trackSeconds) < 0.1, `the decoded track lasts ${audio.seconds} s`);
      }
      if (index + 1 < heldFrames.length) await driver.evaluate(page, () => Module.releaseHold());
    }
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
  } finally {
    await browser.close();
    await server.close();
  }
  console.log(`screenshots in ${shots}`);
  process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAIL ${error.stack || error}`);
  process.exit(1);
});
