// The page as a viewer meets it, in headless Chromium or in Firefox (under an X screen and
// tests/web/null_sound.sh): start, end button, Escape, watching again without a download, held
// frames against native stills (Firefox), a phone, loading progress and every failure page, with
// its retry. Screenshots of each screen go to SCREENSHOT_DIR.
// Usage: node page_test.js chromium|firefox WEB_BIN_DIR NATIVE_STILLS_DIR [SCREENSHOT_DIR]
//        node page_test.js --frames    (prints the frames it holds, for the capture tool)
'use strict';

const fs = require('fs');
const path = require('path');
const {pathToFileURL} = require('url');
const driver = require('./driver');
const compare = require('./compareFrames');

// The countdown and the flight: the frames Firefox stops on, compared as the show test compares.
const heldFrames = [100, 1900];
const largestDifferingShare = 0.06;
// Generous: the machine may be busy with builds while the browser plays.
const loadMs = 120000;
const showMs = 60000;

if (process.argv[2] === '--frames') {
  console.log(heldFrames.join(','));
  process.exit(0);
}
const [browserName, webBin, stills, shots = fs.mkdtempSync('/tmp/orbek42-page-')] = process.argv.slice(2);
if (!['chromium', 'firefox'].includes(browserName) || !webBin || !stills) {
  console.error('usage: node page_test.js chromium|firefox WEB_BIN_DIR NATIVE_STILLS_DIR [SCREENSHOT_DIR]');
  process.exit(2);
}
const firefox = browserName === 'firefox';
const failures = [];

function check(condition, message) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${browserName}: ${message}`);
  if (!condition) failures.push(message);
}

function quietConsole(line) {
  if (!/GL Driver|WARNING|TODO|404|fallback to software|WebGL|glShadeModel/.test(line)) console.log(`page: ${line}`);
}

function open(browser, url, query = {}, prepare = null) {
  return driver.openPage(browser, url, query, quietConsole, prepare);
}

function waitScreen(page, screen, timeoutMs = showMs) {
  return page.waitForFunction((wanted) => document.body.dataset.screen === wanted, {timeout: timeoutMs, polling: 100}, screen);
}

function state(page) {
  return driver.evaluate(page, () => ({
    screen: document.body.dataset.screen,
    sound: document.body.dataset.sound,
    exit: document.body.dataset.exit,
    fullscreen: !!document.fullscreenElement,
    failure: document.getElementById('failed').innerText,
    notices: document.getElementById('notices').innerText,
  }));
}

// Waits until the instance that plays has presented this many frames.
function waitFrames(page, frames) {
  return page.waitForFunction((n) => window.Module && Module.frameTimes && Module.frameTimes.length >= n,
    {timeout: showMs, polling: 100}, frames);
}

function shot(page, name, selector) {
  return driver.screenshot(page, path.join(shots, `page-${browserName}-${name}.png`), selector);
}

// WCAG's contrast ratio between the text of selector and the panel behind it.
function contrast(page, selector) {
  return driver.evaluate(page, (wanted) => {
    const channels = (colour) => colour.match(/[\d.]+/g).slice(0, 3).map(Number);
    const luminance = (colour) => {
      const [r, g, b] = channels(colour).map((c) => {
        const s = c / 255;
        return s <= 0.03928 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
      });
      return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const text = document.querySelector(wanted);
    const panel = text.closest('.panel');
    const [a, b] = [luminance(getComputedStyle(text).color), luminance(getComputedStyle(panel).backgroundColor)];
    return {ratio: (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05), size: parseFloat(getComputedStyle(text).fontSize)};
  }, selector);
}

// Start by a click, end by the end button, watch again with nothing downloaded, end by Escape.
async function startEndAgain(browser, server) {
  const page = await open(browser, server.url);
  await waitScreen(page, 'ready', loadMs);
  check(!server.requests.includes('/favicon.ico'), `no favicon.ico asked for (${server.requests.join(' ')})`);
  await page.click('#start');
  await waitScreen(page, 'playing');
  await waitFrames(page, 50);
  await page.waitForFunction(() => document.body.dataset.sound !== 'starting', {timeout: 20000});
  check((await state(page)).sound === 'on', 'the click starts the show with sound');
  const downloads = server.requests.length;
  await page.mouse.move(300, 200);
  await page.click('#end');
  await waitScreen(page, 'ended');
  const ended = await driver.evaluate(page, () => ({
    exit: document.body.dataset.exit,
    leftOver: Module.FS.readdir('/tmp').filter((name) => name !== '.' && name !== '..'),
  }));
  check(ended.exit === '0', `the end button ends the program with status 0 (${ended.exit})`);
  check(ended.leftOver.length === 0, `the temporary folder is empty (${ended.leftOver.join(' ')})`);
  const heading = await contrast(page, '#ended h2');
  check(heading.ratio >= 7 && heading.size >= 18,
        `the end screen is readable: contrast ${heading.ratio.toFixed(1)}:1, ${heading.size} px`);
  await shot(page, 'end-screen');

  const firstShowing = await driver.evaluate(page, () => window.Module);
  await page.click('#again');
  await waitScreen(page, 'playing');
  await waitFrames(page, 50);
  check(await driver.evaluate(page, (old) => window.Module !== old, firstShowing), 'watching again makes a new instance');
  check(server.requests.length === downloads, `watching again downloads nothing (${server.requests.slice(downloads).join(' ')})`);
  if ((await state(page)).fullscreen) {
    check((await state(page)).notices.includes('first Escape'), 'the page says what the first Escape does');
  }
  if (firefox && (await state(page)).fullscreen) {
    // The browser's rule: in full screen the first Escape only leaves it. Headless Chromium, with no
    // window to leave, hands that Escape to the page instead.
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.fullscreenElement, {timeout: 10000});
    await new Promise((done) => setTimeout(done, 500));
    check((await state(page)).screen === 'playing', 'leaving full screen does not end the show');
  }
  await page.keyboard.down('Escape');
  await waitScreen(page, 'ended');
  await page.keyboard.up('Escape');
  check((await state(page)).exit === '0', 'Escape ends the second showing with status 0');
  await page.close();
}

// Firefox against the native stills, on the frames it holds, then ends by the end button.
async function heldFramesMatch(browser, server) {
  // The canvas at the stills' own size.
  const page = await open(browser, server.url, {autostart: 1, hold: heldFrames.join(',')},
                          (fresh) => fresh.setViewport({width: 640, height: 480}));
  for (const [index, frame] of heldFrames.entries()) {
    await driver.waitForTitle(page, new RegExp(`^frame ${frame}$`), (frame / 25) * 1000 + loadMs);
    const file = path.join(shots, `page-${browserName}-${frame}.png`);
    await driver.screenshot(page, file, '#canvas');
    const native = path.join(stills, `frame-${String(frame).padStart(5, '0')}.png`);
    const share = compare.differingShare(driver.readPng(file), driver.readPng(native));
    check(share <= largestDifferingShare, `frame ${frame}: ${(share * 100).toFixed(2)} % of the pixels differ from the native still`);
    if (index === 0) check((await state(page)).sound === 'on', 'the audio context runs on the null sink');
    await driver.evaluate(page, () => Module.releaseHold());
  }
  await page.mouse.move(300, 200);
  await page.click('#end');
  await driver.waitForTitle(page, /^ended/, showMs);
  check(await page.title() === 'ended 0', `the end button ends the show (${await page.title()})`);
  await page.close();
}

// A phone: 390x844 at three device pixels a CSS pixel, touch only.
async function phone(browser, server) {
  const page = await browser.newPage();
  await page.emulate({viewport: {width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: false},
                      userAgent: 'Mozilla/5.0 (Linux; Android 14; Phone) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/156.0 Mobile Safari/537.36'});
  page.on('console', (message) => quietConsole(message.text()));
  await page.goto(server.url, {waitUntil: 'load'});
  await waitScreen(page, 'ready', loadMs);
  const layout = await driver.evaluate(page, () => {
    const box = document.getElementById('start').getBoundingClientRect();
    return {width: document.documentElement.clientWidth, button: [box.width, box.height], touch: document.body.classList.contains('touch')};
  });
  check(layout.width === 390, `the page lays out at the phone's width (${layout.width} px)`);
  check(layout.button[0] >= 200 && layout.button[1] >= 48, `the start button is a finger's target (${layout.button.map(Math.round).join('x')} px)`);
  await shot(page, 'phone-ready');
  await page.tap('#start');
  await waitScreen(page, 'playing');
  await waitFrames(page, 50);
  const end = await driver.evaluate(page, () => {
    const button = document.getElementById('end');
    const box = button.getBoundingClientRect();
    return {opacity: Number(getComputedStyle(button).opacity), height: box.height, right: box.right};
  });
  check(end.opacity >= 0.5 && end.height >= 44 && end.right <= 390, `the end button is on screen for a finger (${JSON.stringify(end)})`);
  await shot(page, 'phone-playing');
  await page.tap('#end');
  await waitScreen(page, 'ended');
  check((await state(page)).exit === '0', 'a tap on the end button ends the show with status 0');
  await shot(page, 'phone-end-screen');
  await page.close();
}

// The loading screen from its first paint, with the connection slowed so that it can be seen.
async function loadingProgress(browser, server) {
  const page = await browser.newPage();
  const cdp = await page.target().createCDPSession();
  await cdp.send('Network.emulateNetworkConditions', {offline: false, latency: 20, downloadThroughput: 1.25e6, uploadThroughput: 1.25e6});
  // The page as sent already holds the line, before any script has run.
  const sent = /<p id="progress-text">([^<]*)<\/p>/.exec(fs.readFileSync(path.join(webBin, 'index.html'), 'utf8'));
  check(sent && /^0 kB of \d+\.\d MB · 0 %$/.test(sent[1]), `the first paint shows the bytes to come (${sent && sent[1]})`);
  await page.goto(server.url, {waitUntil: 'domcontentloaded'});
  await page.waitForFunction(() => /· ([3-6]\d) %/.test(document.getElementById('progress-text').textContent), {timeout: loadMs, polling: 50});
  const middle = await driver.evaluate(page, () => ({
    text: document.getElementById('progress-text').textContent,
    bar: document.getElementById('progress-fill').getBoundingClientRect().width / document.getElementById('progress').getBoundingClientRect().width,
  }));
  check(middle.bar > 0.25 && middle.bar < 0.75, `the bar follows the bytes (${middle.text}, bar ${(middle.bar * 100).toFixed(0)} %)`);
  await shot(page, 'loading');
  await waitScreen(page, 'ready', loadMs);
  await page.close();
}

// Each failure page: what brings it about, what the page must say, and whether its button leads on.
async function failurePages(browser, server, faulty) {
  const noWebGL2Type = (page) => page.evaluateOnNewDocument(() => { delete window.WebGL2RenderingContext; });
  // The check's own canvas gets its context; the page's canvas, where the program draws, none.
  const noCanvasContext = (page) => page.evaluateOnNewDocument(() => {
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function(...args) {
      return this.id === 'canvas' ? null : getContext.apply(this, args);
    };
  });
  // A page on plain HTTP has no SHA-256 to check with: then the browser's compiler finds the damage.
  const noDigest = (page) => page.evaluateOnNewDocument(() => {
    Object.defineProperty(Crypto.prototype, 'subtle', {get: () => undefined});
  });
  const cases = [
    {name: 'no-webgl2', prepare: noWebGL2Type, says: /no WebGL 2.*video of the show/s, button: false, downloads: false},
    {name: 'data-missing', fault: {'/orbek42.data': 'missing'}, says: /orbek42\.data\) could not be downloaded: the server answered 404/, button: true},
    {name: 'data-cut', fault: {'/orbek42.data': 'cut'}, says: /download of .*orbek42\.data\) broke off/, button: true, chromium: true},
    {name: 'data-truncated', fault: {'/orbek42.data': 'truncated'}, says: /orbek42\.data\) arrived cut short: 3\.0 MB of 6\.0 MB/, button: true},
    {name: 'wasm-corrupt', fault: {'/orbek42.wasm': 'corrupt'}, says: /orbek42\.wasm\) arrived damaged/, button: true, chromium: true},
    {name: 'wasm-not-compiling', prepare: noDigest, fault: {'/orbek42.wasm': 'scrambled'},
     says: /orbek42\.wasm\) arrived damaged: the browser could not compile it \(CompileError/, button: true, chromium: true},
    {name: 'no-gl-context', prepare: noCanvasContext, start: true, says: /could not go on.*Can't Create A GL Rendering Context.*status 1/s, button: true, chromium: true},
  ];
  const fromDisk = pathToFileURL(path.resolve(webBin, 'index.html')).href;
  cases.push({name: 'from-disk', url: fromDisk, says: /needs a web server.*orbek42-VERSION\.html/s, button: false});
  for (const c of cases) {
    if (c.chromium && firefox) continue;
    faulty.faults = c.fault || {};
    const before = faulty.requests.length;
    const page = await open(browser, c.url || faulty.url, {}, c.prepare);
    if (c.start) {
      await waitScreen(page, 'ready', loadMs);
      await page.click('#start');
    }
    await waitScreen(page, 'failed', loadMs);
    const now = await state(page);
    check(c.says.test(now.failure), `${c.name}: ${now.failure.replace(/\s+/g, ' ')}`);
    const button = await driver.evaluate(page, () => !document.getElementById('action').hidden);
    check(button === c.button, `${c.name}: ${c.button ? 'a button to try again' : 'no button that cannot help'}`);
    if (c.downloads === false) {
      const asked = faulty.requests.slice(before).filter((p) => /^\/orbek42\.(js|wasm|data)$/.test(p));
      check(asked.length === 0, `${c.name}: nothing downloaded (${asked.join(' ')})`);
    }
    await shot(page, `failed-${c.name}`);
    if (c.fault) {
      // Once the server sends the file whole, the retry button gets the show ready.
      faulty.faults = {};
      await page.click('#action');
      await waitScreen(page, 'ready', loadMs);
      check(true, `${c.name}: the retry gets the show ready`);
    }
    await page.close();
  }
}

// An error in the running program is shown on the page, and starting again works.
async function programError(browser, server) {
  const page = await open(browser, server.url);
  await waitScreen(page, 'ready', loadMs);
  await page.click('#start');
  await waitFrames(page, 25);
  // The program reads the page's clock every frame: a clock that breaks is an error in the
  // middle of the show.
  await driver.evaluate(page, () => {
    window.keptNow = performance.now;
    performance.now = () => { throw new Error('the clock broke'); };
  });
  await waitScreen(page, 'failed');
  await driver.evaluate(page, () => { performance.now = window.keptNow; });
  const now = await state(page);
  check(/stopped because of an error.*the clock broke/s.test(now.failure), `program error: ${now.failure.replace(/\s+/g, ' ')}`);
  await shot(page, 'failed-program-error');
  await page.click('#action');
  await waitScreen(page, 'playing');
  await waitFrames(page, 25);
  await page.keyboard.down('Escape');
  await waitScreen(page, 'ended');
  check(true, 'after a program error the show starts again and ends');
  await page.close();
}

// Sound that never starts: Firefox without a sound server, as on a machine with no sound device,
// and Chromium with its audio contexts made to behave the same (it always has an output). The
// show plays silent with a notice and Escape still ends it.
async function noSound(server) {
  const browser = firefox
    ? await driver.launchFirefox({env: Object.assign({}, process.env, {PULSE_SERVER: 'unix:/nonexistent'})})
    : await driver.launchBrowser();
  const suspendedForEver = (page) => page.evaluateOnNewDocument(() => {
    Object.defineProperty(BaseAudioContext.prototype, 'state', {get: () => 'suspended'});
    AudioContext.prototype.resume = () => new Promise(() => {});
  });
  try {
    const page = await open(browser, server.url, {}, firefox ? null : suspendedForEver);
    await waitScreen(page, 'ready', loadMs);
    await page.click('#start');
    await page.waitForFunction(() => document.body.dataset.sound === 'off', {timeout: showMs});
    await waitFrames(page, 50);
    const now = await state(page);
    check(/No sound.*plays silent/.test(now.notices), `no sound: the page says so (${now.notices})`);
    await shot(page, 'no-sound');
    if (firefox && now.fullscreen) {
      // The first Escape leaves full screen (Firefox's rule; headless Chromium has none to leave).
      await page.keyboard.press('Escape');
      await page.waitForFunction(() => !document.fullscreenElement, {timeout: 10000});
    }
    await page.keyboard.down('Escape');
    await waitScreen(page, 'ended');
    check((await state(page)).exit === '0', 'no sound: Escape still ends the show with status 0');
  } finally {
    await browser.close();
  }
}

async function main() {
  fs.mkdirSync(shots, {recursive: true});
  const server = await driver.startProjectServer(webBin);
  const faulty = await driver.startServer(webBin);
  const browser = await driver.launch(browserName, {width: 800, height: 600});
  try {
    await startEndAgain(browser, server);
    if (firefox) {
      await heldFramesMatch(browser, server);
    } else {
      await loadingProgress(browser, server);
      await phone(browser, server);
      await programError(browser, server);
    }
    await failurePages(browser, server, faulty);
  } finally {
    await browser.close();
  }
  await noSound(server);
  await server.close();
  await faulty.close();
  console.log(`screenshots in ${shots}`);
  process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAIL ${browserName}: ${error.stack || error}`);
  process.exit(1);
});
