// The offline file's own copy of the program and its data: a page opened from disk may fetch
// nothing, so each file sits in the page itself, gzip-compressed and in base64, in a
// <script type="application/octet-stream" data-file="NAME"> element. gzip's own checksum and the
// size and digest the page was built with find a copy damaged on the way.
(function(exports) {
'use strict';

const download = typeof module === 'object' ? require('./download.js') : window.orbekPage;

// The base64 text of an element as bytes; text that is not base64 counts as damage.
function base64Bytes(name, text, atob) {
  let binary;
  try {
    binary = atob(text.replace(/\s+/g, ''));
  } catch (error) {
    throw new download.DownloadError(name, 'damaged', {message: String(error)});
  }
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// Unpacks one file. spec: {name, size, sha256}; text: its element's content; environment: {atob,
// Blob, Response, DecompressionStream, digest}. Resolves to its bytes or rejects with a
// DownloadError, 'damaged' when the text or its compression does not hold together.
async function unpackEmbedded(spec, text, environment) {
  const packed = base64Bytes(spec.name, text, environment.atob);
  let buffer;
  try {
    const stream = new environment.Blob([packed]).stream()
      .pipeThrough(new environment.DecompressionStream('gzip'));
    buffer = await new environment.Response(stream).arrayBuffer();
  } catch (error) {
    throw new download.DownloadError(spec.name, 'damaged', {message: String(error)});
  }
  return download.verify(spec, new Uint8Array(buffer), environment.digest);
}

// Unpacks every file of specs from the document's elements, as download.downloadAll fetches them:
// resolves to {files, failures}, a missing element counting as a file that cannot be had.
async function unpackAll(specs, document, environment, onProgress = () => {}) {
  const total = specs.reduce((sum, spec) => sum + spec.size, 0);
  let done = 0;
  onProgress(0, total);
  const files = new Map();
  const failures = [];
  for (const spec of specs) {
    const element = document.querySelector(`script[data-file="${spec.name}"]`);
    try {
      if (!element) throw new download.DownloadError(spec.name, 'unreachable', {message: 'not in this file'});
      files.set(spec.name, await unpackEmbedded(spec, element.textContent, environment));
      done += spec.size;
      onProgress(done, total);
    } catch (error) {
      failures.push(error);
    }
  }
  return {files, failures};
}

exports.unpackEmbedded = unpackEmbedded;
exports.unpackAll = unpackAll;
})(typeof module === 'object' ? module.exports : (window.orbekPage = window.orbekPage || {}));
