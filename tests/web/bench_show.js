// Benchmark of the browser build in headless Chromium on SwiftShader (a program, not a test: it
// asserts nothing). For each build folder given (the new one first, then the one to compare with):
//   - the main thread's milliseconds of work per frame (median and 99th percentile of the animation
//     frame callbacks, in which the program draws a frame) and WebGL draw calls per frame, over the
//     show played frame after frame with the frame limiter's wait taken out, at 640x480 and at
//     640x480 with device pixel ratio 2 (a 1280x960 canvas where the build follows the ratio);
//     also Chromium's own count of main-thread task time per frame (CDP Performance metrics);
//   - the frame rate the paced show holds in scene 2 (the most particles) at CPU throttling 1x, 2x
//     and 4x (CDP Emulation.setCPUThrottlingRate), as steps per second and the 99th percentile of
//     the time between them.
// The work per frame is given over the whole show and over scene 2 alone. --software-compositing
// leaves the page to Chromium's software compositor, which reads every WebGL frame back.
// Usage: node tests/web/bench_show.js WEB_BIN [OTHER_WEB_BIN ...] [--frames N] [--no-throttling]
//                                     [--software-compositing]
'use strict';

const driver = require('./driver');

const pacedStartFrame = 1400;  // well into scene 2, with every trail and both rockets' flames
// Scene 2 by frames presented (those before the music starts, a few dozen, included).
const sceneTwo = { first: 1400, last: 2500 };
const pacedWindowMs = 15000;
const pacedSettleMs = 3000;
const throttleRates = [1, 2, 4];
const sizes = [{ name: '640x480', pixelRatio: 1 }, { name: '1280x960 (640x480 at ratio 2)', pixelRatio: 2 }];

// Runs in the page before anything else: counts WebGL draws, times each animation frame callback
// (the program draws one frame in each), and while window.benchFastForward is set makes the wall
// clock the frame limiter busy-waits on jump 40 ms at each reading, so it never waits.
function instrumentPage() {
  window.benchFrames = [];
  window.benchFastForward = true;
  let draws = 0;
  for (const proto of [WebGLRenderingContext.prototype, WebGL2RenderingContext.prototype]) {
    for (const name of ['drawArrays', 'drawElements']) {
      const original = proto[name];
      proto[name] = function() {
        ++draws;
        return original.apply(this, arguments);
      };
    }
  }
  const realNow = Date.now.bind(Date);
  let skipped = 0;
  Date.now = () => {
    if (window.benchFastForward) skipped += 40;
    return realNow() + skipped;
  };
  const requestFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => requestFrame((time) => {
    const drawsBefore = draws;
    const start = performance.now();
    callback(time);
    const presented = window.Module && Module.frameTimes ? Module.frameTimes.length : 0;
    window.benchFrames.push([performance.now() - start, draws - drawsBefore, presented]);
  });
}

// Polls fn in the page until it returns true: one short evaluation at a time, as a single long
// one would outlast the browser protocol's timeout.
async function waitUntil(page, fn, arg, timeoutMs) {
  const end = Date.now() + timeoutMs;
  while (!(await page.evaluate(fn, arg))) {
    if (Date.now() > end) throw new Error('the show took too long');
    await new Promise((done) => setTimeout(done, 500));
  }
}

function percentile(values, share) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor((sorted.length - 1) * share)] : NaN;
}

async function openShow(browser, url, pixelRatio) {
  const page = await browser.newPage();
  await page.setViewport({ width: 640, height: 480, deviceScaleFactor: pixelRatio });
  await page.evaluateOnNewDocument(instrumentPage);
  const session = await page.target().createCDPSession();
  await session.send('Performance.enable');
  await page.goto(`${url}?autostart=1`, { waitUntil: 'load' });
  return { page, session };
}

async function taskSeconds(session) {
  const { metrics } = await session.send('Performance.getMetrics');
  return metrics.find((m) => m.name === 'TaskDuration').value;
}

// The whole show (or its first frames), frame after frame.
async function workPerFrame(browser, url, pixelRatio, frameLimit) {
  const { page, session } = await openShow(browser, url, pixelRatio);
  await waitUntil(page, () => window.benchFrames.length > 30, null, 120000);
  const startFrames = await page.evaluate(() => window.benchFrames.length);
  const startTasks = await taskSeconds(session);
  await waitUntil(page, (limit) => /^ended/.test(document.title) || window.benchFrames.length >= limit,
    frameLimit, 1800000);
  const endTasks = await taskSeconds(session);
  const frames = (await page.evaluate(() => window.benchFrames)).slice(startFrames);
  const canvas = await page.evaluate(() => `${document.getElementById('canvas').width}x${document.getElementById('canvas').height}`);
  await page.close();
  const times = frames.map((f) => f[0]);
  const sceneTwoTimes = frames.filter((f) => f[2] >= sceneTwo.first && f[2] <= sceneTwo.last).map((f) => f[0]);
  return {
    canvas,
    frames: frames.length,
    median: percentile(times, 0.5),
    p99: percentile(times, 0.99),
    sceneTwoMedian: percentile(sceneTwoTimes, 0.5),
    sceneTwoP99: percentile(sceneTwoTimes, 0.99),
    draws: percentile(frames.map((f) => f[1]), 0.5),
    sceneTwoDraws: percentile(frames.filter((f) => f[2] >= sceneTwo.first && f[2] <= sceneTwo.last).map((f) => f[1]), 0.5),
    tasksPerFrame: ((endTasks - startTasks) * 1000) / frames.length,
  };
}

// The paced show in scene 2 at each throttling rate.
async function pacedRates(browser, url) {
  const { page, session } = await openShow(browser, url, 1);
  await waitUntil(page, (frame) => (Module.frameTimes || []).length >= frame, pacedStartFrame, 600000);
  await page.evaluate(() => { window.benchFastForward = false; });
  const results = [];
  for (const rate of throttleRates) {
    await session.send('Emulation.setCPUThrottlingRate', { rate });
    await new Promise((done) => setTimeout(done, pacedSettleMs));
    const start = await page.evaluate(() => performance.now());
    await new Promise((done) => setTimeout(done, pacedWindowMs));
    const times = (await page.evaluate(() => Module.frameTimes)).filter((t) => t >= start && t < start + pacedWindowMs);
    const gaps = times.slice(1).map((t, i) => t - times[i]);
    results.push({ rate, stepsPerSecond: times.length / (pacedWindowMs / 1000), p99Gap: percentile(gaps, 0.99) });
  }
  await session.send('Emulation.setCPUThrottlingRate', { rate: 1 });
  await page.close();
  return results;
}

async function main() {
  const args = process.argv.slice(2);
  const frameLimit = args.includes('--frames') ? Number(args[args.indexOf('--frames') + 1]) : Infinity;
  const throttling = !args.includes('--no-throttling');
  const softwareCompositing = args.includes('--software-compositing');
  const folders = args.filter((a, i) => !a.startsWith('--') && args[i - 1] !== '--frames');
  if (folders.length === 0) throw new Error('usage: bench_show.js WEB_BIN [OTHER_WEB_BIN ...] [--frames N] [--no-throttling]');
  for (const folder of folders) {
    const server = await driver.startServer(folder);
    const browser = await driver.launchBrowser({ width: 640, height: 480, softwareCompositing });
    try {
      console.log(`== ${folder}`);
      for (const size of sizes) {
        const r = await workPerFrame(browser, server.url, size.pixelRatio, frameLimit);
        console.log(`${size.name}: canvas ${r.canvas}, ${r.frames} frames: main-thread work per frame ` +
                    `${r.median.toFixed(2)} ms median, ${r.p99.toFixed(2)} ms p99 (scene 2: ` +
                    `${r.sceneTwoMedian.toFixed(2)} ms, ${r.sceneTwoP99.toFixed(2)} ms); WebGL draws per ` +
                    `frame ${r.draws} median (scene 2: ${r.sceneTwoDraws}); main-thread tasks ` +
                    `${r.tasksPerFrame.toFixed(2)} ms per frame (CDP)`);
      }
      if (throttling) {
        for (const r of await pacedRates(browser, server.url))
          console.log(`scene 2 paced at CPU throttling ${r.rate}x: ${r.stepsPerSecond.toFixed(2)} frames ` +
                      `per second, p99 time between frames ${r.p99Gap.toFixed(1)} ms`);
      }
    } finally {
      await browser.close();
      await server.close();
    }
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
