// Benchmark of the browser build's drawing in headless Chromium on SwiftShader (a program, not a
// test: it asserts nothing). For each build folder given (the new one first, then any to compare
// with), the main thread's milliseconds of work per shown frame (median and 99th percentile of the
// browser callbacks in which the program shows a frame: the steps it makes there, drawing and the
// WebGL calls) and the WebGL draw calls per frame, over the show (or its first --frames frames), at
// 640x480 and at 640x480 with device pixel ratio 2 (a 1280x960 canvas where the build follows the
// ratio); the same for scene 2 alone (the most particles); and Chromium's own count of main-thread
// task time per shown frame (CDP Performance metrics). Builds whose loop busy-waits on the wall
// clock for the next frame have that wait taken out: their clock jumps a frame at each reading.
// The frame rate at CPU throttling is bench_pacing.js's to measure. --software-compositing leaves
// the page to Chromium's software compositor, which reads every WebGL frame back.
// Usage: node tests/web/bench_show.js WEB_BIN [OTHER_WEB_BIN ...] [--frames N] [--software-compositing]
'use strict';

const driver = require('./driver');

// Scene 2 by frames shown.
const sceneTwo = { first: 1400, last: 2500 };
const sizes = [{ name: '640x480', pixelRatio: 1 }, { name: '1280x960 (640x480 at ratio 2)', pixelRatio: 2 }];

// Runs in the page before anything else: counts WebGL draws and times each timer and animation
// frame callback, keeping those in which the program showed frames (Module.frameTimes grew).
function instrumentPage() {
  window.benchFrames = [];
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
  Date.now = () => (skipped += 40) + realNow();
  const shown = () => (window.Module && Module.frameTimes ? Module.frameTimes.length : 0);
  const timed = (callback) => function() {
    const drawsBefore = draws;
    const shownBefore = shown();
    const start = performance.now();
    const result = callback.apply(this, arguments);
    const frames = shown() - shownBefore;
    if (frames > 0)
      window.benchFrames.push([(performance.now() - start) / frames, (draws - drawsBefore) / frames, shown()]);
    return result;
  };
  const setTimer = window.setTimeout.bind(window);
  window.setTimeout = (callback, ...rest) => setTimer(typeof callback === 'function' ? timed(callback) : callback, ...rest);
  const requestFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => requestFrame(timed(callback));
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

async function taskSeconds(session) {
  const { metrics } = await session.send('Performance.getMetrics');
  return metrics.find((m) => m.name === 'TaskDuration').value;
}

async function workPerFrame(browser, url, pixelRatio, frameLimit) {
  const page = await browser.newPage();
  await page.setViewport({ width: 640, height: 480, deviceScaleFactor: pixelRatio });
  await page.evaluateOnNewDocument(instrumentPage);
  const session = await page.target().createCDPSession();
  await session.send('Performance.enable');
  await page.goto(`${url}?autostart=1`, { waitUntil: 'load' });
  await waitUntil(page, () => window.benchFrames.length > 30, null, 120000);
  const startFrames = await page.evaluate(() => window.benchFrames.length);
  const startShown = await page.evaluate(() => Module.frameTimes.length);
  const startTasks = await taskSeconds(session);
  await waitUntil(page, (limit) => /^ended/.test(document.title) || Module.frameTimes.length >= limit,
    frameLimit, 1800000);
  const endTasks = await taskSeconds(session);
  const shown = (await page.evaluate(() => Module.frameTimes.length)) - startShown;
  const frames = (await page.evaluate(() => window.benchFrames)).slice(startFrames);
  const canvas = await page.evaluate(() => `${document.getElementById('canvas').width}x${document.getElementById('canvas').height}`);
  await page.close();
  const inSceneTwo = frames.filter((f) => f[2] >= sceneTwo.first && f[2] <= sceneTwo.last);
  return {
    canvas,
    shown,
    median: percentile(frames.map((f) => f[0]), 0.5),
    p99: percentile(frames.map((f) => f[0]), 0.99),
    sceneTwoMedian: percentile(inSceneTwo.map((f) => f[0]), 0.5),
    sceneTwoP99: percentile(inSceneTwo.map((f) => f[0]), 0.99),
    draws: percentile(frames.map((f) => f[1]), 0.5),
    sceneTwoDraws: percentile(inSceneTwo.map((f) => f[1]), 0.5),
    tasksPerFrame: ((endTasks - startTasks) * 1000) / shown,
  };
}

async function main() {
  const args = process.argv.slice(2);
  const frameLimit = args.includes('--frames') ? Number(args[args.indexOf('--frames') + 1]) : 1e9;
  const softwareCompositing = args.includes('--software-compositing');
  const folders = args.filter((a, i) => !a.startsWith('--') && args[i - 1] !== '--frames');
  if (folders.length === 0) throw new Error('usage: bench_show.js WEB_BIN [OTHER_WEB_BIN ...] [--frames N] [--software-compositing]');
  for (const folder of folders) {
    const server = await driver.startServer(folder);
    const browser = await driver.launchBrowser({ width: 640, height: 480, softwareCompositing });
    try {
      console.log(`== ${folder}`);
      for (const size of sizes) {
        const r = await workPerFrame(browser, server.url, size.pixelRatio, frameLimit);
        console.log(`${size.name}: canvas ${r.canvas}, ${r.shown} frames shown: main-thread work per frame ` +
                    `${r.median.toFixed(2)} ms median, ${r.p99.toFixed(2)} ms p99 (scene 2: ` +
                    `${r.sceneTwoMedian.toFixed(2)} ms, ${r.sceneTwoP99.toFixed(2)} ms); WebGL draws per ` +
                    `frame ${r.draws} median (scene 2: ${r.sceneTwoDraws}); main-thread tasks ` +
                    `${r.tasksPerFrame.toFixed(2)} ms per frame shown (CDP)`);
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
