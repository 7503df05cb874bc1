// Timers for the page's tests that run only when a test fires them, so that no test waits for the
// clock: setTimeout and clearTimeout as the page's scripts take them, active() for those set and
// not cleared, fire() to run them all now.
'use strict';

function fakeTimers() {
  const timers = new Map();
  let next = 1;
  return {
    setTimeout: (callback, ms) => { timers.set(next, {callback, ms}); return next++; },
    clearTimeout: (id) => timers.delete(id),
    active: () => Array.from(timers.values()),
    fire: () => {
      const pending = Array.from(timers.values());
      timers.clear();
      pending.forEach((timer) => timer.callback());
    },
  };
}

module.exports = {fakeTimers};
