// What the program asks of WebGL, counted for the GL layer's tests and benchmark: draw calls and
// the bytes of buffer uploads. Loaded before the program, so its context gets the counting methods.
'use strict';

window.webglCounts = { draws: 0, uploadedBytes: 0 };

(function() {
  const proto = WebGL2RenderingContext.prototype;
  for (const name of ['drawElements', 'drawArrays']) {
    const original = proto[name];
    proto[name] = function() {
      ++window.webglCounts.draws;
      return original.apply(this, arguments);
    };
  }
  // Emscripten passes (target, heap, usage, offset, length) and (target, offset, heap, offset,
  // length); a size alone allocates without uploading.
  for (const name of ['bufferData', 'bufferSubData']) {
    const original = proto[name];
    proto[name] = function() {
      if (arguments.length >= 5) window.webglCounts.uploadedBytes += arguments[4];
      return original.apply(this, arguments);
    };
  }
})();
