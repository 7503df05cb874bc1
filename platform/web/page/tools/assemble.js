// Makes the demo's page from its template (../index.html) at build time: the page's scripts
// inlined, the program's files listed with their sizes and SHA-256 digests, the first progress
// line written out. With --offline it makes the single file that plays from disk instead: the
// files themselves embedded (gzip, base64) and the icon as a data: address.
// Usage: node assemble.js BIN_DIR OUT_FILE [--offline] [--site-url=URL]
'use strict';

const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const texts = require('../texts.js');

const pageDir = path.join(__dirname, '..');
const programFiles = ['orbek42.js', 'orbek42.wasm', 'orbek42.data'];

function fail(message) {
  console.error(`assemble.js: ${message}`);
  process.exit(1);
}

function parseArguments(args) {
  const options = {offline: false, siteUrl: ''};
  const positional = [];
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--offline') options.offline = true;
    else if (args[i].startsWith('--site-url=')) options.siteUrl = args[i].slice('--site-url='.length);
    else if (args[i].startsWith('--')) fail(`unknown option ${args[i]}`);
    else positional.push(args[i]);
  }
  if (positional.length !== 2) fail('usage: node assemble.js BIN_DIR OUT_FILE [--offline] [--site-url=URL]');
  [options.binDir, options.output] = positional;
  // An absolute address for the preview image, which link previews want; a relative one otherwise.
  if (options.siteUrl && !/^https?:\/\/[^\s"<>]+\/$/.test(options.siteUrl)) fail('--site-url wants an http(s) address ending in /');
  return options;
}

// Text that goes inside a <script> element must not end it early.
function scriptText(name, text) {
  if (/<\/script/i.test(text)) fail(`${name} contains "</script", which would end its element`);
  return text;
}

function assemble(options) {
  let html = fs.readFileSync(path.join(pageDir, 'index.html'), 'utf8');
  const contents = new Map(programFiles.map((name) => [name, fs.readFileSync(path.join(options.binDir, name))]));
  const files = programFiles.map((name) => ({
    name,
    size: contents.get(name).length,
    sha256: crypto.createHash('sha256').update(contents.get(name)).digest('hex'),
  }));
  const total = files.reduce((sum, file) => sum + file.size, 0);

  html = html.replace(/<!-- template:[\s\S]*?-->/, '<!-- ORBEK42, made by platform/web/page/tools/assemble.js. ' +
    'MIT licence, Copyright (c) 2026 the ORBEK42 authors. -->');
  html = html.replace(/<script data-inline src="([\w.-]+)"><\/script>/g, (whole, name) =>
    `<script>\n${scriptText(name, fs.readFileSync(path.join(pageDir, name), 'utf8'))}</script>`);
  html = html.replace('@PROGRESS@', texts.progressText(0, total));
  html = html.replace('@SITE@', options.siteUrl);
  let embedded = '';
  if (options.offline) {
    html = html.replace(/<!-- preview:[\s\S]*?<!-- \/preview -->\n/, '');
    const icon = fs.readFileSync(path.join(options.binDir, 'orbek42.png')).toString('base64');
    html = html.split('href="orbek42.png"').join(`href="data:image/png;base64,${icon}"`);
    embedded = programFiles.map((name) =>
      `<script type="application/octet-stream" data-file="${name}">` +
      `${zlib.gzipSync(contents.get(name), {level: 9}).toString('base64')}</script>\n`).join('');
  }
  const manifest = scriptText('the file list', JSON.stringify({offline: options.offline, files}));
  html = html.replace('<script type="application/json" id="files">@FILES@</script>\n',
                      `<script type="application/json" id="files">${manifest}</script>\n${embedded}`);
  if (/@(FILES|PROGRESS|SITE)@|<script data-inline/.test(html)) fail('the template holds a placeholder this tool does not fill');
  const temporary = `${options.output}.tmp`;
  fs.writeFileSync(temporary, html);
  fs.renameSync(temporary, options.output);
}

assemble(parseArguments(process.argv.slice(2)));
