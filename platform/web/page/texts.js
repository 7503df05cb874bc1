// What the page says: the download's progress and a plain sentence for every way the show can fail
// to play, naming the file concerned and what a person can do about it.
(function(exports) {
'use strict';

const roles = {
  'orbek42.js': 'the program\u2019s start-up code (orbek42.js)',
  'orbek42.wasm': 'the program itself (orbek42.wasm)',
  'orbek42.data': 'the show\u2019s models, textures and music (orbek42.data)',
};

const otherWays = [
  'A current desktop browser with graphics acceleration turned on plays it.',
  'The video of the show, a recording made with orbek42-capture, plays anywhere.',
];

function formatBytes(bytes) {
  if (bytes < 1e6) return `${Math.round(bytes / 1e3)} kB`;
  return `${(bytes / 1e6).toFixed(1)} MB`;
}

// "2.1 MB of 6.9 MB · 30 %": the share rounded down, so that 100 % means everything is there.
function progressText(bytes, total) {
  const share = total > 0 ? Math.floor((bytes * 100) / total) : 0;
  return `${formatBytes(bytes)} of ${formatBytes(total)} \u00b7 ${share} %`;
}

function capitalised(text) {
  return text.charAt(0).toUpperCase() + text.slice(1);
}

function downloadSentence(error) {
  const role = roles[error.file] || error.file;
  const d = error.details;
  switch (error.kind) {
    case 'status':
      return `${capitalised(role)} could not be downloaded: the server answered ${d.status}${d.statusText ? ' ' + d.statusText : ''}.`;
    case 'unreachable':
      return `${capitalised(role)} could not be downloaded: the server did not answer.`;
    case 'interrupted':
      return `The download of ${role} broke off after ${formatBytes(d.received)} of ${formatBytes(d.expected)}.`;
    case 'stalled':
      return `The download of ${role} stopped: nothing more arrived for half a minute.`;
    case 'short':
      return `${capitalised(role)} arrived cut short: ${formatBytes(d.received)} of ${formatBytes(d.expected)}.`;
    case 'long':
      return `${capitalised(role)} arrived larger than it should be: it is not the file this page was made with.`;
    case 'compile':
      return `${capitalised(role)} arrived damaged: the browser could not compile it (${d.message}).`;
    default:
      return `${capitalised(role)} arrived damaged: it is not the file this page was made with.`;
  }
}

// What to show for a failure: {heading, sentences, action} with action the button's label, or
// '' when nothing on the page can help. failure is a DownloadError (with offline set for the
// single-file page, whose files cannot be fetched again) or {kind, ...} for the others:
//   'webgl2-missing', 'webgl2-unavailable'    the browser cannot draw the show
//   'needs-server'                            the site's page opened from disk
//   'program' {message}                       the program stopped with an error
//   'exit' {code, messages}                   the program ended with a failure status
function describeFailure(failure) {
  switch (failure.kind) {
    case 'webgl2-missing':
      return {
        heading: 'This browser cannot draw the show',
        sentences: ['It has no WebGL 2, the 3D graphics the show is drawn with.', ...otherWays],
        action: '',
      };
    case 'webgl2-unavailable':
      return {
        heading: 'This browser cannot draw the show',
        sentences: ['It has WebGL 2, the 3D graphics the show is drawn with, but will not start it ' +
                    'here: graphics acceleration is turned off, or the graphics driver is not supported.',
                    ...otherWays],
        action: '',
      };
    case 'needs-server':
      return {
        heading: 'This page needs a web server',
        sentences: ['Opened straight from disk, it may not load the program beside it.',
                    'Serve its folder with any static web server (scripts/serve-web.sh does), or open ' +
                    'the single-file version of the show, orbek42-VERSION.html, which plays from disk.'],
        action: '',
      };
    case 'program':
      return {
        heading: 'The show stopped because of an error',
        sentences: [`The program failed: ${failure.message}.`,
                    'Start it again; if it fails again, another browser may play it.'],
        action: 'Start again',
      };
    case 'exit':
      return {
        heading: 'The show could not go on',
        sentences: [...failure.messages, `The program ended with status ${failure.code}.`],
        action: 'Start again',
      };
    default: {
      const sentences = [].concat(failure).map(downloadSentence);
      const offline = [].concat(failure).some((error) => error.offline);
      if (offline) {
        return {
          heading: 'This file is damaged',
          sentences: [...sentences, 'Download the single-file version of the show again.'],
          action: '',
        };
      }
      return {
        heading: 'The show could not be downloaded',
        sentences: [...sentences, 'Try again; if it keeps failing, the copy on this site is missing or damaged.'],
        action: 'Try again',
      };
    }
  }
}

const notices = {
  silent: 'No sound: this browser could not start its audio output, so the show plays silent.',
  fullscreen: 'In full screen the first Escape only leaves full screen: press it again to end the show.',
};

exports.formatBytes = formatBytes;
exports.progressText = progressText;
exports.describeFailure = describeFailure;
exports.notices = notices;
})(typeof module === 'object' ? module.exports : (window.orbekPage = window.orbekPage || {}));
