// Starting the show's sound (platform/web/page/sound.js) with audio contexts that start, start
// late, never start or cannot be made; the deadline is a fake timer the tests fire.
'use strict';

const assert = require('node:assert');
const {test} = require('node:test');
const {startSound} = require('../../../platform/web/page/sound.js');
const {fakeTimers: timers} = require('./fakeTimers.js');

// A context in state, whose resume() does what resume says: 'start' runs it at once, 'later' leaves
// it suspended until start() is called, 'never' leaves it suspended, 'refuse' rejects.
class FakeContext {
  constructor(state = 'suspended', resume = 'start') {
    this.state = state;
    this.resumeDoes = resume;
    this.listeners = new Set();
    this.resumes = 0;
  }
  addEventListener(type, listener) { if (type === 'statechange') this.listeners.add(listener); }
  removeEventListener(type, listener) { this.listeners.delete(listener); }
  start() {
    this.state = 'running';
    this.listeners.forEach((listener) => listener());
  }
  resume() {
    this.resumes++;
    if (this.resumeDoes === 'refuse') return Promise.reject(new Error('not allowed'));
    if (this.resumeDoes === 'start') this.start();
    return Promise.resolve();
  }
}

const settled = () => new Promise((done) => setImmediate(done));

test('whether sound plays, for contexts that do and do not start', async (t) => {
  const cases = [
    {what: 'running already', context: () => new FakeContext('running'), playing: true, fire: false},
    {what: 'started by resume', context: () => new FakeContext('suspended', 'start'), playing: true, fire: false},
    {what: 'suspended for ever (no sound device)', context: () => new FakeContext('suspended', 'never'), playing: false, fire: true},
    {what: 'resume refused', context: () => new FakeContext('suspended', 'refuse'), playing: false, fire: true},
  ];
  for (const c of cases) {
    await t.test(c.what, async () => {
      const clock = timers();
      const context = c.context();
      const sound = startSound({AudioContext: function() { return context; }, setTimeout: clock.setTimeout, clearTimeout: clock.clearTimeout});
      assert.strictEqual(sound.context, context);
      await settled();
      if (c.fire) clock.fire();
      assert.strictEqual(await sound.playing, c.playing);
      assert.strictEqual(clock.active().length, 0, 'no deadline left behind');
      assert.strictEqual(context.listeners.size, 0, 'no listener left behind');
    });
  }
});

test('a context that starts before the deadline plays; the deadline then has no say', async () => {
  const clock = timers();
  const context = new FakeContext('suspended', 'later');
  const sound = startSound({context, setTimeout: clock.setTimeout, clearTimeout: clock.clearTimeout, deadlineMs: 1234});
  await settled();
  assert.strictEqual(clock.active().length, 1);
  context.start();
  assert.strictEqual(await sound.playing, true);
  assert.strictEqual(clock.active().length, 0);
});

test('a context handed over is resumed, not made again', async () => {
  const clock = timers();
  const context = new FakeContext('suspended', 'start');
  const sound = startSound({AudioContext: function() { throw new Error('made again'); }, context,
                            setTimeout: clock.setTimeout, clearTimeout: clock.clearTimeout});
  assert.strictEqual(await sound.playing, true);
  assert.strictEqual(context.resumes, 1);
});

test('no context at all: the show plays silent at once', async (t) => {
  for (const [what, AudioContext] of [['no Web Audio', undefined], ['the constructor throws', function() { throw new Error('no device'); }]]) {
    await t.test(what, async () => {
      const clock = timers();
      const sound = startSound({AudioContext, setTimeout: clock.setTimeout, clearTimeout: clock.clearTimeout});
      assert.strictEqual(sound.context, null);
      assert.strictEqual(await sound.playing, false);
      assert.strictEqual(clock.active().length, 0);
    });
  }
});
