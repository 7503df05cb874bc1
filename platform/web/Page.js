// The program's side of the page (index.html): the show clock, which stands still while the page
// is hidden or a test holds a frame, the frames the show reaches, holding a frame for tests, the
// canvas's displayed size, showing messages, the cursor and full screen. Linked in with --js-library; the page itself sets
// Module.holdFrames from its address before the program starts (page/program.js).
mergeInto(LibraryManager.library, {
  // performance.now() less the time spent paused. A hidden page pauses the music too (its audio
  // context is suspended), so picture and music stay together whatever the browser does with
  // the page's timers meanwhile.
  $pageClock: {
    pausedTotal: 0,
    pausedSince: null,
    reasons: {},
    musicStopped: false,  // the page suspended the music when it was hidden
    now: function() {
      var now = performance.now();
      var paused = pageClock.pausedSince === null ? 0 : now - pageClock.pausedSince;
      return now - pageClock.pausedTotal - paused;
    },
    pause: function(reason) {
      if (pageClock.reasons[reason]) return;
      pageClock.reasons[reason] = true;
      if (pageClock.pausedSince === null) pageClock.pausedSince = performance.now();
    },
    resume: function(reason) {
      if (!pageClock.reasons[reason]) return;
      delete pageClock.reasons[reason];
      if (Object.keys(pageClock.reasons).length > 0 || pageClock.pausedSince === null) return;
      pageClock.pausedTotal += performance.now() - pageClock.pausedSince;
      pageClock.pausedSince = null;
    },
  },

  pageClockNow__deps: ['$pageClock'],
  pageClockNow: function() {
    return pageClock.now();
  },

  // Gives the browser control for `ms` milliseconds of page time (at least one turn of its event
  // loop), so it shows what was drawn and runs the page's events. Keeps the runtime alive
  // meanwhile and wakes through emscripten's callback wrapper, as emscripten_sleep does.
  pageSleep__deps: ['$callUserCallback', '$runtimeKeepalivePush', '$runtimeKeepalivePop'],
  pageSleep: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      runtimeKeepalivePush();
      setTimeout(function() {
        runtimeKeepalivePop();
        callUserCallback(wakeUp);
      }, Math.max(0, ms));
    });
  },

  // A hidden page is the browser's minimised window: the music and the show clock stop with it.
  // Shown again, both go on, but a sound server may take two seconds to start its stream again
  // while the context already says it runs: for five seconds the clock follows the music's own,
  // standing still while it is more than half a frame ahead, so that the picture waits for it.
  pageVisibilityChanged__deps: ['$pageClock'],
  pageVisibilityChanged: function(hidden) {
    var audio = Module['audioContext'];
    if (hidden) {
      pageClock.pause('hidden');
      // Hidden again while the music was starting: it is stopped again.
      pageClock.musicStopped = pageClock.musicStopped || Boolean(audio && audio.state === 'running');
      if (pageClock.musicStopped) audio.suspend();
      return;
    }
    pageClock.resume('hidden');
    if (!pageClock.musicStopped) return;
    pageClock.musicStopped = false;
    audio.resume();
    var clockFrom = pageClock.now(), musicFrom = audio.currentTime, since = performance.now();
    var follow = function() {
      if (document.hidden || audio.state === 'closed' || performance.now() - since > 5000) {
        pageClock.resume('music');
        return;
      }
      var lead = pageClock.now() - clockFrom - (audio.currentTime - musicFrom) * 1000;
      if (lead > 20) pageClock.pause('music');
      else pageClock.resume('music');
      setTimeout(follow, 5);
    };
    follow();
  },

  // False under node (the unit tests): no page, so no page events to listen to.
  pageExists: function() {
    return typeof document !== 'undefined';
  },

  // The next frame of the show to stop on (counted from 0), or -1 to play the rest of the show.
  // The page's Module.releaseHold() moves on to the one after it.
  pageHoldFrame: function() {
    var frames = Module['holdFrames'];
    return frames && frames.length > 0 ? frames[0] : -1;
  },

  // The show reached a frame: Module.showFrame says which, Module.frameTimes keeps when each
  // shown frame went to the browser, Module.framesSkipped counts those stepped unseen.
  pageShowFrameDone: function(frame, presented) {
    Module['showFrame'] = frame;
    if (presented) {
      (Module['frameTimes'] = Module['frameTimes'] || []).push(performance.now());
    } else {
      Module['framesSkipped'] = (Module['framesSkipped'] || 0) + 1;
    }
  },

  // The show stopped on a frame: tell whoever watches the page which; the show clock stands still
  // until the hold is released.
  pageFrameHeld__deps: ['$pageClock'],
  pageFrameHeld: function(frame, held) {
    if (held) {
      pageClock.pause('held');
      document.title = 'frame ' + frame;
    } else {
      pageClock.resume('held');
    }
  },

  // A message box, never modal: the page shows its line (Module.onMessageBox), and its stderr line
  // reaches the console.
  pageShowMessage: function(text, caption) {
    var line = UTF8ToString(caption) + ': ' + UTF8ToString(text);
    if (Module['onMessageBox']) Module['onMessageBox'](line);
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
