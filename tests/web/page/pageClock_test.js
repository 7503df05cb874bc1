// The page's show clock (platform/web/Page.js) against a scripted page: performance.now() and an
// audio context whose clock moves in steps, runs slow, stops while its output starts again, or
// never runs. The clock keeps to a sound that plays, stands still with it, and runs free of one
// that never plays or has stopped for good; a frame held for a test stops it, sound or not.
'use strict';

const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const {test} = require('node:test');

const pageJs = path.join(__dirname, '../../../platform/web/Page.js');

// A page of its own: Page.js's library entries, with its $-objects as the globals they become once
// linked, in a world whose time moves only when the test says.
function scriptedPage() {
  const world = {
    ms: 1000,  // performance.now()
    audio: null,
  };
  const sandbox = {
    LibraryManager: {library: {}},
    performance: {now: () => world.ms},
    Module: {},
    document: {title: ''},
  };
  sandbox.mergeInto = (target, entries) => { sandbox.library = entries; };
  vm.runInNewContext(fs.readFileSync(pageJs, 'utf8'), sandbox, {filename: pageJs});
  sandbox.pageClock = sandbox.library.$pageClock;
  world.library = sandbox.library;
  world.clock = () => sandbox.library.pageClockNow();
  world.pageClock = sandbox.pageClock;
  world.makeSound = (options = {}) => {
    world.audio = sandbox.Module.audioContext = new FakeSound(options);
    return world.audio;
  };
  // Moves time on by `ms` in 1 ms ticks, the sound's clock with it, looking at the show clock every
  // `lookEvery` ms as the main loop does; returns every reading.
  world.run = (ms, lookEvery = 40) => {
    const readings = [];
    for (let tick = 1; tick <= ms; ++tick) {
      world.ms += 1;
      if (world.audio) world.audio.tick(1);
      if (tick % lookEvery === 0) readings.push({ms: world.ms, clock: world.clock(), sound: world.audio && world.audio.heard});
    }
    return readings;
  };
  return world;
}

// An audio context: its clock runs at `rate` while it runs and is not `stalled`, and shows in
// steps of `quantum` seconds. suspend() takes effect after `suspendLag` ms, as it does in a browser.
class FakeSound {
  constructor({state = 'running', rate = 1, quantum = 512 / 44100, suspendLag = 0} = {}) {
    this.state = state;
    this.rate = rate;
    this.quantum = quantum;
    this.suspendLag = suspendLag;
    this.heard = 0;        // seconds, the clock's own value before it is stepped
    this.stalled = false;  // running, but the output has not started: the clock stands still
    this.suspendIn = null;
  }
  get currentTime() { return Math.floor(this.heard / this.quantum) * this.quantum; }
  tick(ms) {
    if (this.suspendIn !== null && (this.suspendIn -= ms) <= 0) {
      this.state = 'suspended';
      this.suspendIn = null;
    }
    if (this.state === 'running' && !this.stalled) this.heard += (ms / 1000) * this.rate;
  }
  suspend() {
    this.suspendIn = this.suspendLag;
    if (this.suspendLag === 0) this.state = 'suspended';
  }
  resume() { this.state = 'running'; }
}

// Where the clock stands against the sound, in ms, from the first reading on.
function leads(readings) {
  const first = readings[0];
  return readings.map((r) => (r.clock - first.clock) - (r.sound - first.sound) * 1000);
}

// The clock may stray from the sound by its tolerance, and by what a slow sound clock slips in a
// second.
const within = 25;

// Once it has seen the sound's steps for a second, that is: the first reading may have been taken
// late in a step.
test('a sound that plays in time, in steps of 12 or 20 ms: the clock is the page\'s own, untouched', () => {
  for (const quantum of [512 / 44100, 896 / 44100]) {
    for (const lookEvery of [40, 13, 3]) {
      const page = scriptedPage();
      page.makeSound({quantum});
      page.clock();
      const readings = page.run(60000, lookEvery).filter((r) => r.ms >= 2000);
      const what = `steps of ${(quantum * 1000).toFixed(1)} ms, looking every ${lookEvery} ms`;
      const start = readings[0];
      for (const r of readings) assert.strictEqual(r.clock - start.clock, r.ms - start.ms, what);
    }
  }
});

test('a sound whose clock runs slow or fast: the clock keeps to it, never far off', () => {
  for (const rate of [0.99, 0.992, 1.01]) {
    const page = scriptedPage();
    page.makeSound({rate});
    page.clock();
    const readings = page.run(120000);
    const worst = Math.max(...leads(readings).map(Math.abs));
    assert.ok(worst <= within, `at ${rate} the clock strayed ${worst.toFixed(1)} ms from the sound`);
    // The sound's two minutes, not the page's.
    const [first, last] = [readings[0], readings[readings.length - 1]];
    const shown = last.clock - first.clock;
    assert.ok(Math.abs(shown - (last.ms - first.ms) * rate) <= within, `at ${rate}: ${shown} ms`);
  }
});

test('hidden, then shown while the sound server takes two seconds to start again', () => {
  for (const suspendLag of [0, 30, 250]) {
    const page = scriptedPage();
    const sound = page.makeSound({suspendLag});
    page.clock();
    const before = page.run(5000).pop();
    page.library.pageVisibilityChanged(1);
    const hidden = page.run(15000, 1000);
    assert.ok(hidden.every((r) => r.clock === hidden[0].clock), 'the clock stands still while hidden');
    assert.strictEqual(sound.state, 'suspended');
    page.library.pageVisibilityChanged(0);
    sound.stalled = true;  // the context says it runs, but its clock does not move yet
    // It is seen to stand still once it has not moved for longer than one of its steps could
    // take: until then the clock goes on.
    const stall = page.run(1900, 10);
    const moved = stall[stall.length - 1].clock - before.clock - (sound.heard - before.sound) * 1000;
    assert.ok(moved <= within + 50, `while the sound stood still the clock moved ${moved} ms`);
    sound.stalled = false;
    for (const r of page.run(4000)) {
      const lead = (r.clock - before.clock) - (r.sound - before.sound) * 1000;
      assert.ok(Math.abs(lead) <= within, `${suspendLag} ms to suspend: ${lead.toFixed(1)} ms ahead at ${r.ms}`);
    }
  }
});

test('a sound that never starts, or stops for good: the clock runs free of it', () => {
  const page = scriptedPage();
  page.makeSound({state: 'suspended'});  // no sound device: never runs
  const start = page.clock();
  const readings = page.run(10000);
  assert.strictEqual(readings.pop().clock - start, 10000);

  const stopped = scriptedPage();
  const sound = stopped.makeSound();
  stopped.run(2000);
  sound.stalled = true;  // says it runs, and never moves again
  const standing = stopped.run(8000);
  const stood = standing.filter((r, i) => i > 0 && r.clock === standing[i - 1].clock).length;
  assert.ok(stood * 40 >= 4000 && stood * 40 <= 5200, `stood still for about ${stood * 40} ms`);
  const last = standing.slice(-20);
  assert.strictEqual(last[last.length - 1].clock - last[0].clock, 19 * 40, 'then runs free');
});

test('a held frame stops the clock while the sound plays on; released, it goes on from there', () => {
  const page = scriptedPage();
  page.makeSound();
  page.clock();
  page.run(3000);
  const atHold = page.clock();
  page.library.pageFrameHeld(120, 1);
  const held = page.run(10000);
  assert.ok(held.every((r) => r.clock === atHold), 'stands still while held');
  page.library.pageFrameHeld(120, 0);
  const after = page.run(5000);
  const moved = after[after.length - 1].clock - atHold;
  assert.ok(Math.abs(moved - 5000) <= within, `went on by ${moved} ms, not back to the sound`);
  assert.ok(Math.max(...leads(after).map(Math.abs)) <= within, 'and keeps to the sound again');
});
