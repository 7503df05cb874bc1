// Runs the web GL layer's test page in headless Chromium: passes when the page's title says
// "passed" and every render with a desktop reference (NAME.rgba, 128 x 128 RGBA, top row first,
// in the third folder) matches it but for a few edge pixels. Writes the renders (and the
// references, as NAME-desktop.png) as PNG files into the folder given second.
// Usage: node run-shim-tests.js PAGE_FOLDER [PNG_FOLDER [REFERENCE_FOLDER]]
'use strict';

const fs = require('fs');
const path = require('path');
const driver = require('../driver');

const size = 128;
// Two rasterisers may light different pixels along an edge, never across an area.
const channelTolerance = 3;
const maxDifferingShare = 0.01;

function differingPixels(a, b) {
  let differing = 0;
  for (let i = 0; i < size * size * 4; i += 4) {
    for (let c = 0; c < 3; ++c) {
      if (Math.abs(a[i + c] - b[i + c]) > channelTolerance) {
        ++differing;
        break;
      }
    }
  }
  return differing;
}

// Compares each render that has a reference; true when all are close enough.
function compareWithDesktop(renders, referenceFolder, pngFolder) {
  let passed = true;
  for (const file of fs.readdirSync(referenceFolder).filter((f) => f.endsWith('.rgba')).sort()) {
    const name = file.slice(0, -'.rgba'.length);
    const reference = fs.readFileSync(path.join(referenceFolder, file));
    if (pngFolder) driver.writePng(path.join(pngFolder, `${name}-desktop.png`), size, size, reference);
    if (!renders[name]) {
      console.log(`FAIL ${name}: the page drew no such scene`);
      passed = false;
      continue;
    }
    const share = differingPixels(renders[name], reference) / (size * size);
    const ok = share <= maxDifferingShare;
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${name} matches the desktop's: ${(100 * share).toFixed(2)} % of pixels differ`);
    passed = passed && ok;
  }
  return passed;
}

async function main() {
  const [pageFolder, pngFolder, referenceFolder] = process.argv.slice(2);
  if (!pageFolder) throw new Error('usage: run-shim-tests.js PAGE_FOLDER [PNG_FOLDER [REFERENCE_FOLDER]]');
  const server = await driver.startServer(pageFolder);
  const browser = await driver.launchBrowser();
  try {
    const page = await driver.openPage(browser, server.url);
    const title = await driver.waitForTitle(page, /^(passed|failed)/, 120000);
    const renders = await driver.evaluate(page, () => Module.renders || {});
    if (pngFolder) {
      fs.mkdirSync(pngFolder, { recursive: true });
      for (const [name, rgba] of Object.entries(renders))
        driver.writePng(path.join(pngFolder, `${name}.png`), size, size, rgba);
      await driver.screenshot(page, path.join(pngFolder, 'page.png'), '#canvas');
    }
    const matching = referenceFolder ? compareWithDesktop(renders, referenceFolder, pngFolder) : true;
    console.log(`result: ${title}${matching ? '' : ', pictures differ from the desktop'}`);
    return title === 'passed' && matching ? 0 : 1;
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
