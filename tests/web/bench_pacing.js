// Benchmark, not a test: how the browser build keeps pace with its music in headless Chromium.
// For each CPU throttling rate (CDP Emulation.setCPUThrottlingRate): the frames per second, the
// intervals between frames shown (p50, p95, p99), the frames stepped unseen, the main thread's
// busy share (CDP Performance TaskDuration), and the picture's drift against the audio clock:
// where the show is (its frame times 40 ms, plus the time since that frame was shown) less where
// the track is, at the start, at the end and at worst. Then, at 1x, a tab hidden for a while and
// shown again, and the drift after it. Pages from older builds, which publish no Module.shownFrame,
// are measured by the frame the show is at, or by the frames they have shown.
// Usage: node bench_pacing.js [--seconds S] [--rates 1,2,4] [--hide S] [--whole] [--drifts] FOLDER...
//   --whole plays the whole show at 1x (about three minutes) instead of S seconds; --drifts prints
//   the drift sampled each second as well. Run under null_sound.sh for a sound server's clock.
'use strict';

const driver = require('./driver');

function parseArguments(args) {
  const options = {seconds: 40, rates: [1, 2, 4], hide: 15, whole: false, drifts: false, folders: []};
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--seconds') options.seconds = Number(args[++i]);
    else if (args[i] === '--rates') options.rates = args[++i].split(',').map(Number);
    else if (args[i] === '--hide') options.hide = Number(args[++i]);
    else if (args[i] === '--whole') options.whole = true;
    else if (args[i] === '--drifts') options.drifts = true;
    else options.folders.push(args[i]);
  }
  if (options.folders.length === 0 || !(options.seconds > 0)) {
    console.error('usage: node bench_pacing.js [--seconds S] [--rates 1,2,4] [--hide S] [--whole] [--drifts] FOLDER...');
    process.exit(2);
  }
  return options;
}

function percentile(values, share) {
  if (values.length === 0) return NaN;
  const sorted = values.slice().sort((a, b) => a - b);
  return sorted[Math.floor(share * (sorted.length - 1))];
}

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// Where the picture stands against the music now, in seconds (positive: the picture is ahead).
function sampleDrift() {
  const times = Module.frameTimes || [];
  if (typeof Module.musicPosition !== 'function' || times.length === 0) return null;
  const now = performance.now();
  const shownAt = times[times.length - 1];
  // The frame on the screen, and how long it has been there; a frame stepped unseen since then
  // moved the show on, not the picture.
  const frame = typeof Module.shownFrame === 'number' ? Module.shownFrame
    : typeof Module.showFrame === 'number' ? Module.showFrame : times.length - 1;
  const picture = frame * 0.04 + Math.min(now - shownAt, 40) / 1000;
  return {at: now, frame, drift: picture - Module.musicPosition()};
}

async function taskSeconds(cdp) {
  const {metrics} = await cdp.send('Performance.getMetrics');
  return metrics.find((metric) => metric.name === 'TaskDuration').value;
}

// Plays for `seconds` at `rate` and measures.
async function measure(page, cdp, rate, seconds) {
  await cdp.send('Emulation.setCPUThrottlingRate', {rate});
  const start = await page.evaluate(() => ({
    at: performance.now(), shown: (Module.frameTimes || []).length, unseen: Module.framesSkipped || 0,
  }));
  const busyBefore = await taskSeconds(cdp);
  const drifts = [];
  for (let t = 0; t < seconds; ++t) {
    await sleep(1000);
    const sample = await page.evaluate(sampleDrift);
    if (sample) drifts.push(sample.drift);
  }
  const busy = (await taskSeconds(cdp)) - busyBefore;
  const end = await page.evaluate(() => ({
    at: performance.now(), times: Module.frameTimes || [], unseen: Module.framesSkipped || 0,
  }));
  await cdp.send('Emulation.setCPUThrottlingRate', {rate: 1});
  const times = end.times.slice(start.shown);
  const intervals = [];
  for (let i = 1; i < times.length; ++i) intervals.push(times[i] - times[i - 1]);
  const wall = (end.at - start.at) / 1000;
  return {
    rate, seconds: wall, fps: times.length / wall, unseen: end.unseen - start.unseen,
    p50: percentile(intervals, 0.5), p95: percentile(intervals, 0.95), p99: percentile(intervals, 0.99),
    busy: busy / wall, drifts,
  };
}

function report(folder, result, options) {
  if (options.drifts) console.log(`drift each second, ms: ${result.drifts.map((d) => (d * 1000).toFixed(0)).join(' ')}`);
  const d = result.drifts;
  const worst = d.length ? d.reduce((a, b) => (Math.abs(b) > Math.abs(a) ? b : a)) : NaN;
  const ms = (s) => `${(s * 1000).toFixed(0)} ms`;
  console.log(`${folder} at ${result.rate}x over ${result.seconds.toFixed(1)} s: ` +
    `${result.fps.toFixed(2)} fps, intervals p50 ${result.p50.toFixed(1)} ms, p95 ` +
    `${result.p95.toFixed(1)} ms, p99 ${result.p99.toFixed(1)} ms, ${result.unseen} frames ` +
    `stepped unseen, main thread busy ${(result.busy * 100).toFixed(0)} %, drift against the ` +
    `music: ${d.length ? `${ms(d[0])} at the start, ${ms(d[d.length - 1])} at the end, worst ` +
    `${ms(worst)}` : 'not measurable'}`);
}

// Hides the page by bringing another tab to the front, for `seconds`, then shows it again.
async function hideFor(browser, page, seconds) {
  const other = await browser.newPage();
  await other.bringToFront();
  const hidden = await page.evaluate(() => document.visibilityState);
  await sleep(seconds * 1000);
  await page.bringToFront();
  await other.close();
  return hidden;
}

async function benchmark(folder, options) {
  const server = await driver.startProjectServer(folder);
  const browser = await driver.launchBrowser({width: 640, height: 480});
  try {
    const page = await driver.openPage(browser, server.url, {autostart: 1}, () => {});
    const cdp = await page.target().createCDPSession();
    await cdp.send('Performance.enable');
    for (let waited = 0; ; waited += 250) {
      const under = await page.evaluate(() => Boolean(window.Module &&
        (Module.frameTimes || []).length > 25 && typeof Module.musicPosition === 'function'));
      if (under) break;
      if (waited > 120000) throw new Error('the show did not start within two minutes');
      await sleep(250);
    }
    if (options.whole) {
      report(folder, await measure(page, cdp, 1, 168), options);
    } else {
      for (const rate of options.rates) report(folder, await measure(page, cdp, rate, options.seconds), options);
    }
    if (options.hide > 0) {
      const before = await page.evaluate(sampleDrift);
      const state = await hideFor(browser, page, options.hide);
      await sleep(2000);
      const after = await page.evaluate(sampleDrift);
      console.log(`${folder}: hidden (${state}) for ${options.hide} s: drift ` +
        `${before ? (before.drift * 1000).toFixed(0) : '?'} ms before, ` +
        `${after ? (after.drift * 1000).toFixed(0) : '?'} ms two seconds after`);
    }
  } finally {
    await browser.close();
    await server.close();
  }
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  for (const folder of options.folders) await benchmark(folder, options);
}

main().catch((error) => {
  console.log(`FAIL ${error.stack || error}`);
  process.exit(1);
});
