// Runs the GL layer's GoogleTest page in headless Chromium and passes on its outcome: the page's
// lines go to stdout, its title says "passed" or "failed: N". The pictures it kept, and the
// desktop's it was compared with, are written as PNG files into the folder given second.
// Usage: node run-ffgl-tests.js PAGE_FOLDER [PNG_FOLDER]
'use strict';

const fs = require('fs');
const path = require('path');
const driver = require('../driver');

const size = 128;

async function main() {
  const [pageFolder, pngFolder] = process.argv.slice(2);
  if (!pageFolder) throw new Error('usage: run-ffgl-tests.js PAGE_FOLDER [PNG_FOLDER]');
  const server = await driver.startServer(pageFolder);
  const browser = await driver.launchBrowser();
  try {
    const page = await driver.openPage(browser, server.url);
    const title = await driver.waitForTitle(page, /^(passed|failed)/, 240000);
    if (pngFolder) {
      fs.mkdirSync(pngFolder, { recursive: true });
      const pictures = await driver.evaluate(page, () => ({
        renders: Module.renders || {},
        desktop: Object.fromEntries(Object.entries(Module.references).map(([k, v]) => [k, Array.from(v)])),
      }));
      for (const [name, rgba] of Object.entries(pictures.renders))
        driver.writePng(path.join(pngFolder, `${name}.png`), size, size, rgba);
      for (const [name, rgba] of Object.entries(pictures.desktop))
        driver.writePng(path.join(pngFolder, `${name}-desktop.png`), size, size, rgba);
    }
    console.log(`result: ${title}`);
    return title === 'passed' ? 0 : 1;
  } finally {
    await browser.close();
    await server.close();
  }
}

main().then(
  (code) => process.exit(code),
  (error) => {
    console.error(error);
    process.exit(1);
  },
);
