// Benchmark, not a test: the page's time from navigation to "ready" over Chromium's emulated
// 10 Mbit/s (20 ms round trip, no cache), against the time its bytes need: nominally, and as the
// emulation delivers them to a blank page fetching them at once (it falls short on a busy machine).
// Each folder is served by scripts/web/serve.py, with precompressed files where there are any.
// Usage: node bench_ready.js [--runs N] [--mbit R] FOLDER...   (e.g. build-web/bin)
'use strict';

const driver = require('./driver');

function parseArguments(args) {
  const options = {runs: 3, mbit: 10, folders: []};
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--runs') options.runs = Number(args[++i]);
    else if (args[i] === '--mbit') options.mbit = Number(args[++i]);
    else options.folders.push(args[i]);
  }
  if (options.folders.length === 0 || !(options.runs > 0) || !(options.mbit > 0)) {
    console.error('usage: node bench_ready.js [--runs N] [--mbit R] FOLDER...');
    process.exit(2);
  }
  return options;
}

// Notes the moment the page first offers to start: this page's ready screen, or an older page's
// "click to start".
function watchForReady() {
  const isReady = () => document.body && (document.body.dataset.screen === 'ready' ||
    (document.getElementById('start') || {}).textContent === 'click to start');
  new MutationObserver(() => {
    if (window.readyAt === undefined && isReady()) window.readyAt = performance.now();
  }).observe(document, {subtree: true, childList: true, attributes: true, characterData: true});
}

// A page whose requests go through the emulated connection; transferred() sums their bytes.
async function slowPage(browser, mbit) {
  const page = await browser.newPage();
  const cdp = await page.target().createCDPSession();
  const bytesPerSecond = (mbit * 1e6) / 8;
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', {cacheDisabled: true});
  await cdp.send('Network.emulateNetworkConditions',
                 {offline: false, latency: 20, downloadThroughput: bytesPerSecond, uploadThroughput: bytesPerSecond});
  let bytes = 0;
  cdp.on('Network.loadingFinished', (event) => { bytes += event.encodedDataLength; });
  return {page, transferred: () => bytes, bytesPerSecond};
}

// The page's own files fetched all at once by a blank page: the time the connection needs for them.
async function baseline(browser, url, mbit) {
  const {page} = await slowPage(browser, mbit);
  await page.goto(`${url}orbek42.png`, {waitUntil: 'load'});
  const ms = await page.evaluate(async (base) => {
    const started = performance.now();
    await Promise.all(['', 'orbek42.js', 'orbek42.wasm', 'orbek42.data'].map(
      (name) => fetch(base + name, {cache: 'no-store'}).then((response) => response.arrayBuffer())));
    return performance.now() - started;
  }, url);
  await page.close();
  return ms;
}

async function once(browser, url, mbit) {
  const {page, transferred, bytesPerSecond} = await slowPage(browser, mbit);
  await page.evaluateOnNewDocument(watchForReady);
  await page.goto(url, {waitUntil: 'domcontentloaded'});
  await page.waitForFunction(() => window.readyAt !== undefined, {timeout: 120000, polling: 50});
  const timing = await page.evaluate(() => ({
    ready: window.readyAt,
    firstPaint: (performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime,
  }));
  await page.close();
  return Object.assign(timing, {transferred: transferred(), ideal: (transferred() / bytesPerSecond) * 1000,
                                baseline: await baseline(browser, url, mbit)});
}

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const browser = await driver.launchBrowser();
  try {
    console.log(`time to ready at ${options.mbit} Mbit/s, 20 ms round trip, median of ${options.runs}`);
    for (const folder of options.folders) {
      const server = await driver.startProjectServer(folder);
      const runs = [];
      try {
        for (let i = 0; i < options.runs; ++i) runs.push(await once(browser, server.url, options.mbit));
      } finally {
        await server.close();
      }
      const ready = median(runs.map((r) => r.ready));
      const ideal = median(runs.map((r) => r.ideal));
      const fetched = median(runs.map((r) => r.baseline));
      const paint = median(runs.map((r) => r.firstPaint || NaN));
      const seconds = (ms) => `${(ms / 1000).toFixed(2)} s`;
      const over = (ms) => `${((ready / ms - 1) * 100).toFixed(1)} %`;
      console.log(`${folder}: ${median(runs.map((r) => r.transferred))} bytes served\n` +
                  `  first paint ${seconds(paint)}, ready ${seconds(ready)} (runs ${runs.map((r) => seconds(r.ready)).join(', ')})\n` +
                  `  the bytes alone: ${seconds(ideal)} at the nominal rate (ready ${over(ideal)} later), ` +
                  `${seconds(fetched)} fetched at once through the emulation (ready ${over(fetched)} later)`);
    }
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(error.stack || error);
  process.exit(1);
});
