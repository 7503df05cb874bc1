// Whether this browser can draw the show: it needs WebGL 2. Asked before anything is downloaded,
// so that a browser without it gets a sentence instead of seven megabytes and a black canvas.
(function(exports) {
'use strict';

// 'ok'; 'missing' when the browser does not know WebGL 2 at all (too old); 'unavailable' when it
// does but will not give the page a context (graphics acceleration off, or the driver refused).
function webgl2Support(window) {
  if (typeof window.WebGL2RenderingContext === 'undefined') return 'missing';
  let gl = null;
  try {
    gl = window.document.createElement('canvas').getContext('webgl2');
  } catch (error) {
    gl = null;
  }
  if (!gl) return 'unavailable';
  // One context less for the browser to keep: the show makes its own on the page's canvas.
  const loser = gl.getExtension('WEBGL_lose_context');
  if (loser) loser.loseContext();
  return 'ok';
}

exports.webgl2Support = webgl2Support;
})(typeof module === 'object' ? module.exports : (window.orbekPage = window.orbekPage || {}));
