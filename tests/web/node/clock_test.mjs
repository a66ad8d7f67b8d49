// The page's clock for the engine's timers: every tick due is delivered in time order at its own time,
// a timer late by more than its interval (or a frame) loses the time instead of catching up, and the
// clock stands still while the page is hidden.
import { test, afterEach } from 'node:test';
import assert from 'node:assert/strict';
import { time } from './dom.mjs';
import { pageModule } from './page_module.mjs';
const { Clock } = await import(pageModule('clock.js'));

let clock = null;
const ticks = [];

function startClock() {
    time.now = 0;
    time.messages = 0;
    ticks.length = 0;
    document.hidden = false;
    clock = new Clock((id, at) => ticks.push([id, at]));
    return clock;
}

function wakeAt(now) {
    time.now = now;
    clock.wake();
}

afterEach(() => clock.stop());

test('every tick due is delivered, earliest first, each at its own time', () => {
    startClock();
    clock.mirror(2, 2, true, 1, 0);
    clock.mirror(3, 5, true, 1, 0);
    clock.mirror(1, 50, false, 1, 0); // stopped
    wakeAt(10);
    assert.deepEqual(ticks, [[2, 2], [2, 4], [3, 5], [2, 6], [2, 8], [2, 10], [3, 10]]);
    // Even the parade's short intervals sleep until their tick; one already due comes by a message.
    clock.schedule();
    assert.equal(time.messages, 0);
    time.now = 13;
    clock.schedule();
    assert.equal(time.messages, 1);
    clock.schedule();
    assert.equal(time.messages, 1);
    // A timer of the same generation keeps its time; a new generation restarts it at the event.
    clock.mirror(2, 2, true, 1, 12);
    clock.mirror(3, 6, true, 2, 12);
    wakeAt(18);
    assert.deepEqual(ticks.slice(7), [[2, 12], [2, 14], [2, 16], [2, 18], [3, 18]]);
});

test('a timer late by more than its interval or a frame loses the time', () => {
    startClock();
    clock.mirror(1, 50, true, 1, 0);
    wakeAt(90); // 40 ms late: kept
    wakeAt(220); // 120 ms late: one tick now, not three
    wakeAt(275);
    assert.deepEqual(ticks, [[1, 50], [1, 220], [1, 270]]);
    clock.mirror(1, 0, false, 2, 275);
    clock.mirror(2, 1, true, 1, 275);
    wakeAt(280); // 1 ms ticks 4 ms late: caught up
    wakeAt(300); // 19 ms late, more than a frame: one tick
    assert.deepEqual(ticks.slice(3).map(([, at]) => at), [276, 277, 278, 279, 280, 300]);
});

test('the clock stands still while the page is hidden and after it stops', () => {
    startClock();
    clock.mirror(1, 50, true, 1, 0);
    time.now = 20;
    document.setHidden(true);
    wakeAt(1000);
    assert.deepEqual(ticks, []);
    document.setHidden(false); // seen again at 1000: 30 ms to the tick, as when it was hidden
    wakeAt(1029);
    wakeAt(1030);
    assert.deepEqual(ticks, [[1, 1030]]);
    clock.stop();
    wakeAt(2000);
    assert.deepEqual(ticks, [[1, 1030]]);
});
