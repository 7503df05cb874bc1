// Sound for the show: the audio context, made or resumed in the click that starts the show
// (browsers let a page make sound only after one), and whether it really plays. Without a sound
// device a context can stay suspended for ever with its clock standing still; once a deadline has
// passed the show goes on silent instead of waiting for it.
(function(exports) {
'use strict';

// From the click: a context that has not started by then is taken to have no output.
const deadlineMs = 5000;

// Starts sound. environment: {AudioContext (the constructor, if the browser has one), context (one
// to resume instead of making another), setTimeout, clearTimeout, deadlineMs}. Returns {context,
// playing}: playing resolves to true once the context runs, or to false when there is no context
// or it has not started by the deadline.
function startSound(environment) {
  let context = environment.context || null;
  if (!context && environment.AudioContext) {
    try {
      context = new environment.AudioContext();
    } catch (error) {
      context = null;
    }
  }
  if (!context) return {context: null, playing: Promise.resolve(false)};
  const playing = new Promise((resolve) => {
    let timer = null;
    const settle = (running) => {
      environment.clearTimeout(timer);
      context.removeEventListener('statechange', onChange);
      resolve(running);
    };
    const onChange = () => {
      if (context.state === 'running') settle(true);
    };
    if (context.state === 'running') return resolve(true);
    context.addEventListener('statechange', onChange);
    timer = environment.setTimeout(() => settle(context.state === 'running'),
                                   environment.deadlineMs || deadlineMs);
    // Resumed at once, still inside the click; a refusal leaves the context suspended, which the
    // deadline then finds.
    let resumed;
    try {
      resumed = context.resume();
    } catch (error) {
      resumed = Promise.reject(error);
    }
    Promise.resolve(resumed).then(onChange, () => {});
  });
  return {context, playing};
}

exports.startSound = startSound;
})(typeof module === 'object' ? module.exports : (window.orbekPage = window.orbekPage || {}));
