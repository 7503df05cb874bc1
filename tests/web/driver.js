// Headless Chromium for the web build's tests: a static server for one folder on 127.0.0.1, a
// browser page opened on it, waiting for document.title, screenshots, evaluation, PNG files.
// Usage: const driver = require('./driver'); see the functions exported at the end.
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');
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

// Serves folder on 127.0.0.1 at a free port; resolves to { url, close() }.
function startServer(folder) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const urlPath = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const file = path.join(root, urlPath === '/' ? 'index.html' : urlPath);
    if (!file.startsWith(root + path.sep) && file !== root) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, {
        'Content-Type': mimeTypes[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-store',
      });
      response.end(body);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

// Debian's Chromium, headless, WebGL on SwiftShader, audio allowed to start without a click.
// options.softwareCompositing leaves the page to Chromium's software compositor, as headless
// Chromium does unless told otherwise.
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
      '--autoplay-policy=no-user-gesture-required',
      `--window-size=${options.width || 800},${options.height || 600}`,
      ...(options.args || []),
    ],
    defaultViewport: { width: options.width || 800, height: options.height || 600 },
  });
}

// Opens url (with query, an object of parameters) in a new page; console lines go to onConsole.
async function openPage(browser, url, query = {}, onConsole = (line) => console.log(line)) {
  const page = await browser.newPage();
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
  launchBrowser,
  openPage,
  waitForTitle,
  screenshot,
  evaluate,
  writePng,
  readPng,
};
