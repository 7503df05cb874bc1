// Downloads for the page: every file fetched at once with its progress in bytes, each checked
// against the size (and, where the browser offers SHA-256, the digest) the page was built with, so
// that a file cut short or damaged is named instead of handed to the program. A download that stops
// arriving is given up after a while: the page never waits for ever.
(function(exports) {
'use strict';

// How long a download may go without a byte before it counts as stalled.
const stallMs = 30000;

// Every way a download fails. kind: 'unreachable' (no answer), 'status' (an HTTP error),
// 'interrupted' (the connection broke off), 'stalled', 'short', 'long' or 'damaged' (the bytes
// are not the ones the page was built with); details: what is known of it.
class DownloadError extends Error {
  constructor(file, kind, details = {}) {
    super(`${file}: ${kind}`);
    this.name = 'DownloadError';
    this.file = file;
    this.kind = kind;
    this.details = details;
  }
}

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// Checks bytes against spec ({name, size, sha256}); digest(bytes) resolves to the SHA-256 as an
// ArrayBuffer, or is null where the browser has none (pages served without TLS).
async function verify(spec, bytes, digest) {
  if (bytes.length < spec.size)
    throw new DownloadError(spec.name, 'short', {received: bytes.length, expected: spec.size});
  if (bytes.length > spec.size)
    throw new DownloadError(spec.name, 'long', {received: bytes.length, expected: spec.size});
  if (digest && spec.sha256 && hex(await digest(bytes)) !== spec.sha256)
    throw new DownloadError(spec.name, 'damaged', {});
  return bytes;
}

// Fetches one file into memory. spec: {name, url, size, sha256}; environment: {fetch, setTimeout,
// clearTimeout, digest}; onProgress(bytes so far). cache is the fetch cache mode ('reload' on a
// retry, so that a damaged copy in the browser's cache is not used again). Resolves to a
// Uint8Array of exactly spec.size bytes or rejects with a DownloadError.
async function downloadFile(spec, environment, onProgress = () => {}, cache = 'default') {
  const controller = new AbortController();
  let stalled = false;
  let timer = null;
  const watch = () => {
    environment.clearTimeout(timer);
    timer = environment.setTimeout(() => {
      stalled = true;
      controller.abort();
    }, environment.stallMs || stallMs);
  };
  const bytes = new Uint8Array(spec.size);
  let received = 0;
  watch();
  try {
    let response;
    try {
      response = await environment.fetch(spec.url, {signal: controller.signal, cache});
    } catch (error) {
      throw new DownloadError(spec.name, stalled ? 'stalled' : 'unreachable', {message: String(error)});
    }
    if (!response.ok) {
      if (response.body) response.body.cancel().catch(() => {});
      throw new DownloadError(spec.name, 'status', {status: response.status, statusText: response.statusText});
    }
    const reader = response.body.getReader();
    for (;;) {
      let chunk;
      try {
        chunk = await reader.read();
      } catch (error) {
        throw new DownloadError(spec.name, stalled ? 'stalled' : 'interrupted', {received, expected: spec.size});
      }
      if (chunk.done) break;
      watch();
      if (received + chunk.value.length > spec.size) {
        reader.cancel().catch(() => {});
        throw new DownloadError(spec.name, 'long', {received: received + chunk.value.length, expected: spec.size});
      }
      bytes.set(chunk.value, received);
      received += chunk.value.length;
      onProgress(received);
    }
  } finally {
    environment.clearTimeout(timer);
  }
  return verify(spec, bytes.subarray(0, received), environment.digest);
}

// Fetches every file of specs at once, reporting onProgress(bytes, total) over all of them.
// have maps names to bytes already downloaded (a retry fetches only the others). Resolves to
// {files: Map of name to bytes, failures: [DownloadError]} once every download has ended.
async function downloadAll(specs, environment, onProgress = () => {}, have = new Map(), cache = 'default') {
  const total = specs.reduce((sum, spec) => sum + spec.size, 0);
  const progress = new Map(specs.map((spec) => [spec.name, have.has(spec.name) ? spec.size : 0]));
  const report = () => onProgress(Array.from(progress.values()).reduce((a, b) => a + b, 0), total);
  report();
  const files = new Map(have);
  const failures = [];
  await Promise.all(specs.filter((spec) => !have.has(spec.name)).map((spec) =>
    downloadFile(spec, environment, (bytes) => {
      progress.set(spec.name, bytes);
      report();
    }, cache).then((bytes) => {
      files.set(spec.name, bytes);
    }, (error) => {
      progress.set(spec.name, 0);
      report();
      failures.push(error instanceof DownloadError ? error
        : new DownloadError(spec.name, 'unreachable', {message: String(error)}));
    })));
  failures.sort((a, b) => specs.findIndex((s) => s.name === a.file) - specs.findIndex((s) => s.name === b.file));
  return {files, failures};
}

exports.DownloadError = DownloadError;
exports.verify = verify;
exports.downloadFile = downloadFile;
exports.downloadAll = downloadAll;
})(typeof module === 'object' ? module.exports : (window.orbekPage = window.orbekPage || {}));
