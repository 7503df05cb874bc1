// The web decoder library's browser half: the audio context decodes the MP3 file and plays it
// through a buffer source; reports go back through mp3ReportFromPage. Linked in with --js-library.
// The page hands over its context (Module.audioContext, made in the click) and Module.soundPlaying:
// when that resolves false (no sound device) a play ends at once and the show runs silent.
mergeInto(LibraryManager.library, {
  $webAudio: {
    track: null,     // {path, buffer} of the last file decoded
    plays: [],       // plays under way: {source, window, timer, startedAt, offset, stopped}
    // The context, or null where the browser cannot make one.
    context: function() {
      if (!Module['audioContext']) {
        var Context = window.AudioContext || window.webkitAudioContext;
        try {
          Module['audioContext'] = Context ? new Context() : null;
        } catch (e) {
          Module['audioContext'] = null;
        }
      }
      return Module['audioContext'];
    },
    // The decoded track for a path, decoding it once; calls back with null when it cannot be.
    decode: function(path, done) {
      if (webAudio.track && webAudio.track.path === path) return done(webAudio.track.buffer);
      var bytes;
      try {
        bytes = FS.readFile(path);
      } catch (e) {
        return done(null);
      }
      if (!webAudio.context()) return done(null);
      var copy = bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength);
      webAudio.context().decodeAudioData(copy).then(function(buffer) {
        webAudio.track = {path: path, buffer: buffer};
        Module['musicDuration'] = buffer.duration;
        done(buffer);
      }, function() {
        done(null);
      });
    },
    report: function(play, message) {
      var context = webAudio.context();
      var ms = Math.max(0, Math.round((context.currentTime - play.startedAt + play.offset) * 1000));
      Module['_mp3ReportFromPage'](play.window, message, ms);
    },
    // The end report is the last one of a play: nothing follows it.
    finish: function(play) {
      if (play.finished) return;
      play.finished = true;
      if (play.timer) clearInterval(play.timer);
      var at = webAudio.plays.indexOf(play);
      if (at >= 0) webAudio.plays.splice(at, 1);
      Module['_mp3ReportFromPage'](play.window, 12002, 0);
    },
    startSource: function(play, offset) {
      var context = webAudio.context();
      var source = context.createBufferSource();
      source.buffer = play.buffer;
      source.connect(context.destination);
      source.onended = function() {
        if (play.source === source) webAudio.finish(play);
      };
      play.source = source;
      play.offset = offset;
      play.startedAt = context.currentTime;
      source.start(0, offset);
      // Where the track is now, in seconds, for whoever measures the picture against it.
      Module['musicPosition'] = function() {
        return context.currentTime - play.startedAt + play.offset;
      };
    },
  },

  // Decodes the track (waiting for it, with the runtime kept alive meanwhile) and writes its
  // length in seconds, rate and channels.
  webAudioDescribe__deps: ['$webAudio', '$callUserCallback', '$runtimeKeepalivePush', '$runtimeKeepalivePop'],
  webAudioDescribe: function(path, seconds, sampleRate, channels) {
    var name = UTF8ToString(path);
    return Asyncify.handleSleep(function(wakeUp) {
      runtimeKeepalivePush();
      webAudio.decode(name, function(buffer) {
        runtimeKeepalivePop();
        if (buffer) {
          HEAPF64[seconds >> 3] = buffer.duration;
          HEAPU32[sampleRate >> 2] = buffer.sampleRate;
          HEAPU32[channels >> 2] = buffer.numberOfChannels;
        }
        callUserCallback(function() { wakeUp(buffer ? 1 : 0); });
      });
    });
  },

  // Starts playing and returns at once; reports follow from the browser's event loop.
  webAudioPlay__deps: ['$webAudio'],
  webAudioPlay: function(path, window) {
    var play = {window: window, source: null, timer: 0, startedAt: 0, offset: 0, stopped: false,
                finished: false, buffer: null};
    webAudio.plays.push(play);
    webAudio.decode(UTF8ToString(path), function(buffer) {
      if (!buffer || play.stopped) return webAudio.finish(play);
      Promise.resolve(Module['soundPlaying']).then(function(playing) {
        if (playing === false || play.stopped) return webAudio.finish(play);
        var context = webAudio.context();
        if (context.state === 'suspended') context.resume();
        play.buffer = buffer;
        try {
          webAudio.startSource(play, 0);
        } catch (e) {
          return webAudio.finish(play);
        }
        webAudio.report(play, 12000);
        play.timer = setInterval(function() { webAudio.report(play, 12000); }, 250);
      });
    });
  },

  // Stops every play; each ends with its end report. 1 if one was under way.
  webAudioStop__deps: ['$webAudio'],
  webAudioStop: function() {
    var plays = webAudio.plays.slice();
    var context = Module['audioContext'];
    plays.forEach(function(play) {
      play.stopped = true;
      if (play.source) {
        play.source.stop();  // its ended event sends the end report
        // A context that does not run (its device gone) sends no ended event: report it here.
        if (!context || context.state !== 'running') webAudio.finish(play);
      }
    });
    return plays.length > 0 ? 1 : 0;
  },

  webAudioSeek__deps: ['$webAudio'],
  webAudioSeek: function(ms) {
    var moved = 0;
    webAudio.plays.forEach(function(play) {
      if (!play.source || play.stopped) return;
      var old = play.source;
      webAudio.startSource(play, Math.min(ms / 1000, play.buffer.duration));
      old.stop();
      moved = 1;
    });
    return moved;
  },
});
