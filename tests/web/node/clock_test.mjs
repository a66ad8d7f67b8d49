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
    clock.setHidden(true);
    wakeAt(1000);
    assert.deepEqual(ticks, []);
    clock.setHidden(false); // seen again at 1000: 30 ms to the tick, as when it was hidden
    wakeAt(1029);
    wakeAt(1030);
    assert.deepEqual(ticks, [[1, 1030]]);
    clock.stop();
    wakeAt(2000);
    assert.deepEqual(ticks, [[1, 1030]]);
});

test('a steady timer is woken by one wait that repeats, set afresh when the timer restarts', () => {
    const waits = [];
    const browser = { setTimeout, setInterval, clearTimeout, clearInterval };
    const wait = (repeats) => (call, ms) => waits.push({ call, ms, repeats, live: true }) - 1;
    const clear = (handle) => {
        waits[handle].live = false;
    };
    Object.assign(globalThis, { setTimeout: wait(false), setInterval: wait(true), clearTimeout: clear, clearInterval: clear });
    const comes = (handle, now) => {
        time.now = now;
        waits[handle].call();
    };
    try {
        startClock();
        clock.mirror(1, 50, true, 1, 0);
        clock.schedule(); // started at the event: every 50 ms from it
        comes(0, 51);
        comes(0, 101);
        time.now = 120; // an event between two ticks keeps the wait
        clock.mirror(1, 50, true, 1, 120);
        clock.schedule();
        comes(0, 151);
        clock.mirror(1, 50, true, 2, 160); // restarted
        clock.schedule();
        comes(1, 210);
        time.now = 240; // restarted at an event 40 ms ago: a timeout, then the repeating wait from its wake
        clock.mirror(1, 50, true, 3, 200);
        clock.schedule();
        comes(2, 251);
        comes(3, 301);
        assert.deepEqual(ticks, [[1, 50], [1, 100], [1, 150], [1, 210], [1, 250], [1, 300]]);
        assert.deepEqual(waits.map((w) => [w.ms, w.repeats, w.live]),
            [[50, true, false], [50, true, false], [10, false, true], [50, true, true]]);
        clock.stop();
        assert.ok(!waits[3].live);
    } finally {
        Object.assign(globalThis, browser);
    }
});
