// The program's side of the page (index.html): waiting for the next animation frame, holding a
// frame for tests, the canvas's displayed size, showing messages, the cursor and full screen.
// Linked in with --js-library; the page itself sets Module.holdFrames from its address before the
// program starts.
mergeInto(LibraryManager.library, {
  // Gives the browser control until it is ready for the next frame, so what was drawn is shown.
  // The wait keeps the runtime alive, and waking goes through emscripten's callback wrapper, so
  // the program ends properly when main returns after it, as it does after emscripten_sleep.
  pageWaitForFrame__deps: ['$callUserCallback', '$runtimeKeepalivePush', '$runtimeKeepalivePop'],
  pageWaitForFrame: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      runtimeKeepalivePush();
      requestAnimationFrame(function() {
        runtimeKeepalivePop();
        callUserCallback(wakeUp);
      });
    });
  },

  // False under node (the unit tests): no page, so no page events to listen to.
  pageExists: function() {
    return typeof document !== 'undefined';
  },

  // The next frame to stop on (counted from 0), or -1 to play the rest of the show. The page's
  // Module.releaseHold() moves on to the one after it.
  pageHoldFrame: function() {
    var frames = Module['holdFrames'];
    return frames && frames.length > 0 ? frames[0] : -1;
  },

  // When each frame went to the browser, in milliseconds, for the page's frame statistics.
  pageFramePresented: function() {
    (Module['frameTimes'] = Module['frameTimes'] || []).push(performance.now());
  },

  // The show stopped on a frame: tell whoever watches the page which.
  pageFrameHeld: function(frame) {
    document.title = 'frame ' + frame;
  },

  // A message box in the page's message area, never modal (its stderr line reaches the console).
  pageShowMessage: function(text, caption) {
    var line = UTF8ToString(caption) + ': ' + UTF8ToString(text);
    var area = document.getElementById('messages');
    if (area) {
      var entry = document.createElement('div');
      entry.textContent = line;
      area.appendChild(entry);
    }
  },

  // Keeps Module.canvasDeviceBox at the canvas's displayed size in whole device pixels, as the
  // browser snaps it to the screen's pixels.
  pageWatchCanvas: function() {
    var canvas = document.getElementById('canvas');
    if (!canvas || typeof ResizeObserver === 'undefined') return;
    var observer = new ResizeObserver(function(entries) {
      var box = entries[entries.length - 1].devicePixelContentBoxSize;
      if (box) Module['canvasDeviceBox'] = [box[0].inlineSize, box[0].blockSize];
    });
    try {
      observer.observe(canvas, { box: 'device-pixel-content-box' });
    } catch (error) {
      // Without that box the size comes from devicePixelRatio alone.
    }
  },

  // The canvas's displayed size in device pixels into *width and *height; false while it has
  // none. Its CSS size times devicePixelRatio, or the snapped box where that agrees with it: an
  // emulated ratio (the developer tools' device mode, the tests) reaches devicePixelRatio only.
  pageCanvasPixels: function(width, height) {
    var canvas = document.getElementById('canvas');
    if (!canvas) return 0;
    var ratio = window.devicePixelRatio || 1;
    var css = canvas.getBoundingClientRect();
    var size = [Math.round(css.width * ratio), Math.round(css.height * ratio)];
    var snapped = Module['canvasDeviceBox'];
    if (snapped && Math.abs(snapped[0] - size[0]) <= 1 && Math.abs(snapped[1] - size[1]) <= 1)
      size = snapped;
    if (!(size[0] > 0) || !(size[1] > 0)) return 0;
    HEAP32[width >> 2] = size[0];
    HEAP32[height >> 2] = size[1];
    return 1;
  },

  pageShowCursor: function(show) {
    var canvas = document.getElementById('canvas');
    if (canvas) canvas.style.cursor = show ? '' : 'none';
  },

  pageLeaveFullscreen: function() {
    if (document.fullscreenElement && document.exitFullscreen) document.exitFullscreen();
  },
});
