// Runs the web GL layer's test page in headless Chromium: passes when the page's title says
// "passed". Writes the renders the page kept as PNG files into the folder given second.
// Usage: node run-shim-tests.js PAGE_FOLDER [PNG_FOLDER]
'use strict';

const fs = require('fs');
const path = require('path');
const driver = require('../driver');

async function main() {
  const [pageFolder, pngFolder] = process.argv.slice(2);
  if (!pageFolder) throw new Error('usage: run-shim-tests.js PAGE_FOLDER [PNG_FOLDER]');
  const server = await driver.startServer(pageFolder);
  const browser = await driver.launchBrowser();
  try {
    const page = await driver.openPage(browser, server.url);
    const title = await driver.waitForTitle(page, /^(passed|failed)/, 120000);
    if (pngFolder) {
      fs.mkdirSync(pngFolder, { recursive: true });
      const renders = await driver.evaluate(page, () => Module.renders || {});
      for (const [name, rgba] of Object.entries(renders))
        driver.writePng(path.join(pngFolder, `${name}.png`), 128, 128, rgba);
      await driver.screenshot(page, path.join(pngFolder, 'page.png'), '#canvas');
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
