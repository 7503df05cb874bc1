// The program's side of the page (index.html): waiting for the next animation frame, holding a
// frame for tests, showing messages, the cursor and full screen. Linked in with --js-library; the
// page itself sets Module.holdFrames from its address before the program starts (page/program.js).
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

  // A message box, never modal: the page shows its line (Module.onMessageBox), and its stderr line
  // reaches the console.
  pageShowMessage: function(text, caption) {
    var line = UTF8ToString(caption) + ': ' + UTF8ToString(text);
    if (Module['onMessageBox']) Module['onMessageBox'](line);
  },

  pageShowCursor: function(show) {
    var canvas = document.getElementById('canvas');
    if (canvas) canvas.style.cursor = show ? '' : 'none';
  },

  pageLeaveFullscreen: function() {
    if (document.fullscreenElement && document.exitFullscreen) document.exitFullscreen();
  },
});
