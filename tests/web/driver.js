// Browsers for the web build's tests: a static server for one folder on 127.0.0.1 (which can also
// send a file wrong, for the page's failure tests), the project's own server, headless Chromium and
// Firefox in a window, a page opened on the server, waiting for document.title, screenshots,
// evaluation, PNG files.
// Usage: const driver = require('./driver'); see the functions exported at the end.
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const http = require('http');
const path = require('path');
const readline = require('readline');
const puppeteer = require('puppeteer-core');
const { PNG } = require('pngjs');

const mimeTypes = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.json': 'application/json',
  '.png': 'image/png',
  '.css': 'text/css',
};

// Serves folder on 127.0.0.1 at a free port; resolves to { url, requests, faults, close() }.
// requests lists the paths asked for. faults maps a path ('/orbek42.data') to how it goes wrong:
// 'missing' (404), 'cut' (the connection drops half-way), 'truncated' (half the file, sent whole),
// 'corrupt' (one byte changed) or 'scrambled' (its bytes backwards); tests may change it.
function startServer(folder, faults = {}) {
  const root = path.resolve(folder);
  const requests = [];
  const server = http.createServer((request, response) => {
    const urlPath = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    requests.push(urlPath);
    const file = path.join(root, urlPath === '/' ? 'index.html' : urlPath);
    if (!file.startsWith(root + path.sep) && file !== root) {
      response.writeHead(403).end();
      return;
    }
    const fault = server.faults[urlPath];
    fs.readFile(file, (error, body) => {
      if (error || fault === 'missing') {
        response.writeHead(404).end();
        return;
      }
      const half = body.subarray(0, Math.floor(body.length / 2));
      if (fault === 'corrupt') {
        body = Buffer.from(body);
        body[Math.floor(body.length / 3)] ^= 0x55;
      } else if (fault === 'scrambled') {
        body = Buffer.from(body).reverse();
      }
      response.writeHead(200, {
        'Content-Type': mimeTypes[path.extname(file)] || 'application/octet-stream',
        'Content-Length': fault === 'truncated' ? half.length : body.length,
        'Cache-Control': 'no-store',
      });
      if (fault === 'cut') {
        response.write(half, () => response.socket.destroy());
        return;
      }
      response.end(fault === 'truncated' ? half : body);
    });
  });
  server.faults = faults;
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        requests,
        get faults() { return server.faults; },
        set faults(value) { server.faults = value; },
        close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
      });
    });
  });
}

// The project's server (scripts/web/serve.py, with the precompressed files) for folder at a free
// port; resolves to { url, requests, close() }, requests being the paths it has logged.
function startProjectServer(folder) {
  const script = path.join(__dirname, '../../scripts/web/serve.py');
  const child = childProcess.spawn('python3', [script, folder, '--port', '0'], {stdio: ['ignore', 'pipe', 'pipe']});
  // A test that ends early (process.exit) takes its server with it.
  const stop = () => child.kill();
  process.once('exit', stop);
  const requests = [];
  readline.createInterface({input: child.stderr}).on('line', (line) => {
    const request = /"(?:GET|HEAD) (\S+)/.exec(line);
    if (request) requests.push(new URL(request[1], 'http://127.0.0.1').pathname);
  });
  return new Promise((resolve, reject) => {
    child.once('exit', (code) => reject(new Error(`serve.py ended with status ${code}`)));
    readline.createInterface({input: child.stdout}).once('line', (url) => resolve({
      url,
      requests,
      close: () => new Promise((done) => {
        process.removeListener('exit', stop);
        child.removeAllListeners('exit');
        child.once('exit', () => done());
        child.kill();
      }),
    }));
  });
}

// Debian's Chromium, headless, WebGL on SwiftShader, audio allowed to start without a click unless
// options.args sets another --autoplay-policy. options.softwareCompositing leaves the page to
// Chromium's software compositor, as headless Chromium does unless told otherwise.
function launchBrowser(options = {}) {
  // The page composited on SwiftShader too: a software compositor reads every WebGL frame back,
  // stalling the GPU process and warning about it on the page's console.
  const compositing = options.softwareCompositing ? [] : ['--use-angle=swiftshader', '--enable-gpu-compositing'];
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: [
      '--headless=new',
      '--no-sandbox',
      // WebGL on SwiftShader, which newer Chromium wants asked for by name.
      '--enable-unsafe-swiftshader',
      ...compositing,
      `--window-size=${options.width || 800},${options.height || 600}`,
      ...(options.args || []),
      ...((options.args || []).some((arg) => arg.startsWith('--autoplay-policy=')) ? []
        : ['--autoplay-policy=no-user-gesture-required']),
    ],
    defaultViewport: { width: options.width || 800, height: options.height || 600 },
  });
}

// Debian's Firefox ESR in a window (headless Firefox has no WebGL here), so DISPLAY must name an X
// screen, driven over WebDriver BiDi. Sound plays wherever PULSE_SERVER (in options.env, or this
// process's environment) points; audio may start without a click and full screen comes without
// its notice, as for Chromium above.
function launchFirefox(options = {}) {
  const width = options.width || 800;
  const height = options.height || 600;
  return puppeteer.launch({
    product: 'firefox',
    protocol: 'webDriverBiDi',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: false,
    env: options.env || process.env,
    extraPrefsFirefox: {
      'media.autoplay.default': 0,
      'media.autoplay.block-webaudio': false,
      'full-screen-api.warning.timeout': 0,
      'full-screen-api.transition-duration.enter': '0 0',
      'full-screen-api.transition-duration.leave': '0 0',
      ...(options.prefs || {}),
    },
    args: [`--width=${width}`, `--height=${height + 100}`],
    defaultViewport: { width, height },
  });
}

// 'chromium' or 'firefox', with the options of its launcher.
function launch(name, options = {}) {
  return name === 'firefox' ? launchFirefox(options) : launchBrowser(options);
}

// Opens url (with query, an object of parameters) in a new page; console lines go to onConsole.
// prepare(page), when given, runs before the page loads (for scripts that change the browser).
async function openPage(browser, url, query = {}, onConsole = (line) => console.log(line), prepare = null) {
  const page = await browser.newPage();
  if (prepare) await prepare(page);
  page.on('console', (message) => onConsole(message.text()));
  page.on('pageerror', (error) => onConsole(`page error: ${error.message}`));
  const address = new URL(url);
  for (const [key, value] of Object.entries(query)) address.searchParams.set(key, String(value));
  await page.goto(address.toString(), { waitUntil: 'load' });
  return page;
}

// Waits until document.title matches pattern (a RegExp); resolves to the title.
async function waitForTitle(page, pattern, timeoutMs = 60000) {
  await page.waitForFunction(
    (source, flags) => new RegExp(source, flags).test(document.title),
    { timeout: timeoutMs, polling: 100 },
    pattern.source,
    pattern.flags,
  );
  return page.title();
}

function screenshot(page, file, selector) {
  return selector
    ? page.$(selector).then((element) => element.screenshot({ path: file }))
    : page.screenshot({ path: file });
}

function evaluate(page, fn, ...args) {
  return page.evaluate(fn, ...args);
}

// RGBA bytes, rows top first, as a PNG file.
function writePng(file, width, height, rgba) {
  const png = new PNG({ width, height });
  Buffer.from(rgba).copy(png.data);
  fs.writeFileSync(file, PNG.sync.write(png));
}

// { width, height, data } with RGBA bytes, rows top first.
function readPng(file) {
  return PNG.sync.read(fs.readFileSync(file));
}

module.exports = {
  startServer,
  startProjectServer,
  launchBrowser,
  launchFirefox,
  launch,
  openPage,
  waitForTitle,
  screenshot,
  evaluate,
  writePng,
  readPng,
};
