// The program's side of the page (index.html): the show clock, which keeps to the page's sound and
// stands still while the page is hidden or a test holds a frame, the frames the show reaches,
// holding a frame for tests, the canvas's displayed size, messages, the cursor and full screen.
// Linked in with --js-library; the page sets Module.holdFrames before the program starts.
mergeInto(LibraryManager.library, {
  // The show clock: performance.now() less the time spent paused, held to the page's sound while
  // it plays. A hidden page pauses the music too (its audio context is suspended), so picture and
  // music stop together whatever the browser does with the page's timers meanwhile. Once the sound
  // runs, the clock keeps to the sound's own clock, to within `tolerance`: a sound server that
  // takes two seconds to start its stream again after a hidden page, or an output whose clock runs
  // a little slow, holds the picture back with the music instead of leaving it ahead for good.
  $pageClock: {
    pausedTotal: 0,
    pausedSince: null,
    reasons: {},
    musicStopped: false,  // the page suspended the music when it was hidden
    tolerance: 15,        // ms the clock may stray from the sound's before it is set back to it
    slack: 50,            // ms without a step after which the sound's clock is taken to stand still
    patience: 5000,       // ms of standing still after which a sound's clock is not followed
    span: 500,            // ms of readings a best reading is kept for (twice that at most)
    correction: 0,        // ms that keeping to the sound has taken off the clock
    offset: null,         // ms from the sound's clock to the show clock, while it is followed
    reading: null,        // the sound's clock as last seen: {seconds, seenAt (unpaused ms)}
    best: null,           // the best recent readings while it moves: {newer, older, since}
    // performance.now() less the time spent paused, in ms.
    unpaused: function() {
      var now = performance.now();
      var paused = pageClock.pausedSince === null ? 0 : now - pageClock.pausedSince;
      return now - pageClock.pausedTotal - paused;
    },
    now: function() {
      var unpaused = pageClock.unpaused();
      pageClock.keepToSound(unpaused);
      return unpaused - pageClock.correction;
    },
    // The sound's clock moves in steps of one output buffer (12 to 20 ms in the browsers here),
    // so a reading is behind the sound by up to one step, by how long ago the step was: of the
    // readings of the last second or so, taken as the sound's clock less the page's, the highest
    // is the nearest. One that has not moved for `slack` stands still, and is taken as it reads. A
    // frame held for a test stops the show but not the music: the clock lets go of the sound then,
    // and takes it up again where the show is once the frame goes.
    keepToSound: function(unpaused) {
      var audio = Module['audioContext'];
      if (!audio || audio.state === 'closed' || pageClock.reasons['held']) {
        pageClock.offset = pageClock.reading = pageClock.best = null;
        return;
      }
      var reading = pageClock.reading;
      if (!reading || reading.seconds !== audio.currentTime)
        reading = pageClock.reading = {seconds: audio.currentTime, seenAt: unpaused};
      var still = unpaused - reading.seenAt;
      if (still > pageClock.patience) {
        pageClock.offset = null;  // a clock that long stopped is no sound that is heard
        return;
      }
      var ahead = reading.seconds * 1000 - unpaused;
      if (audio.state !== 'running' || still > pageClock.slack) {
        pageClock.best = null;  // standing still: taken as it reads
      } else if (!pageClock.best) {
        pageClock.best = {newer: ahead, older: ahead, since: unpaused};
      } else if (unpaused - pageClock.best.since > pageClock.span) {
        pageClock.best = {newer: ahead, older: pageClock.best.newer, since: unpaused};
      } else {
        pageClock.best.newer = Math.max(pageClock.best.newer, ahead);
      }
      var best = pageClock.best;
      var sound = unpaused + (best ? Math.max(best.newer, best.older) : ahead);
      var clock = unpaused - pageClock.correction;
      if (pageClock.offset === null) {
        // Taken up only once the sound runs: a context that never starts is never waited for.
        if (audio.state === 'running') pageClock.offset = clock - sound;
        return;
      }
      var error = clock - (sound + pageClock.offset);
      if (Math.abs(error) > pageClock.tolerance) pageClock.correction += error;
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

  // Gives the browser control for `ms` milliseconds (at least one turn of its event loop), so it
  // shows what was drawn and runs the page's events. Keeps the runtime alive meanwhile and wakes
  // through emscripten's callback wrapper, as emscripten_sleep does.
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

  // A hidden page is the browser's minimised window: the music and the show clock stop with it,
  // and go on together when it is shown again, the clock keeping to the music's as it starts.
  pageVisibilityChanged__deps: ['$pageClock'],
  pageVisibilityChanged: function(hidden) {
    var audio = Module['audioContext'];
    if (hidden) {
      pageClock.pause('hidden');
      // Hidden again while the music was starting: it is stopped again.
      pageClock.musicStopped =
        pageClock.musicStopped || Boolean(audio && audio.state === 'running');
      if (pageClock.musicStopped) audio.suspend();
      return;
    }
    pageClock.resume('hidden');
    if (!pageClock.musicStopped) return;
    pageClock.musicStopped = false;
    audio.resume();
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
  // shown frame went to the browser and Module.shownFrame which was the last, Module.framesSkipped
  // counts those stepped unseen.
  pageShowFrameDone: function(frame, presented) {
    Module['showFrame'] = frame;
    if (presented) {
      (Module['frameTimes'] = Module['frameTimes'] || []).push(performance.now());
      Module['shownFrame'] = frame;
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
