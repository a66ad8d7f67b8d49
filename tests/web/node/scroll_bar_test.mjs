// The difficulty window's scroll bar: arrow keys, Home and End, the arrows and the track step, the
// thumb drags, and every new value stays within the bar's range and goes to the program once.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import './dom.mjs';
import { pageModule } from './page_module.mjs';
const { PageScrollBar } = await import(pageModule('controls.js'));

function scrollBar(value = 1) {
    const page = { scrolled: [], scroll(v) { this.scrolled.push(v); } };
    const bar = new PageScrollBar(page, { name: 'Form2', index: 0, scale: 1 }, { value, min: 1, max: 4, smallChange: 1, largeChange: 1 });
    return { page, bar };
}

test('keys step within the range and tell the program each new value', () => {
    const { page, bar } = scrollBar(1);
    const keys = ['ArrowRight', 'ArrowRight', 'ArrowLeft', 'End', 'ArrowRight', 'Home', 'ArrowLeft', 'Enter'];
    const events = keys.map((key) => bar.el.dispatch('keydown', { key }));
    assert.deepEqual(page.scrolled, [2, 3, 2, 4, 1]);
    assert.equal(bar.value, 1);
    // The bar's keys are its own; Enter is left to the window.
    assert.deepEqual(events.map((e) => e.defaultPrevented), [true, true, true, true, true, true, true, false]);
});

test('the arrows and the track step by one; other buttons do nothing', () => {
    const { page, bar } = scrollBar(2);
    bar.right.dispatch('pointerdown');
    bar.right.dispatch('pointerdown', { button: 2 });
    bar.left.dispatch('pointerdown');
    bar.left.dispatch('pointerdown');
    bar.left.dispatch('pointerdown');
    assert.deepEqual(page.scrolled, [3, 2, 1]);
    bar.thumb.rect = { left: 40, right: 60 };
    bar.track.dispatch('pointerdown', { clientX: 70 });
    bar.track.dispatch('pointerdown', { clientX: 10 });
    // A press on the thumb is a drag, not a step.
    bar.track.dispatch('pointerdown', { clientX: 50, target: bar.thumb });
    assert.deepEqual(page.scrolled, [3, 2, 1, 2, 1]);
    assert.equal(document.activeElement, bar.el);
});

test('the thumb drags across the track, clamped at both ends, until it is let go', () => {
    const { page, bar } = scrollBar(1);
    bar.track.clientWidth = 200;
    bar.thumb.offsetWidth = 50; // 150 px of travel for three steps
    bar.thumb.offsetLeft = 0;
    bar.thumb.dispatch('pointerdown', { clientX: 100 });
    for (const x of [124, 126, 175, 400, 250, 20, 150])
        bar.thumb.dispatch('pointermove', { clientX: x });
    assert.deepEqual(page.scrolled, [2, 3, 4, 1, 2]);
    bar.thumb.dispatch('pointerup');
    bar.thumb.dispatch('pointermove', { clientX: 250 });
    assert.equal(bar.value, 2);
    // The frame's value is the bar's from then on.
    bar.update({ box: { x: 0, y: 0, w: 200, h: 17 }, value: 3, min: 1, max: 4, smallChange: 1, largeChange: 1, visible: true, text: 'Hard' });
    assert.equal(bar.el.getAttribute('aria-valuenow'), '3');
    bar.el.dispatch('keydown', { key: 'ArrowRight' });
    assert.deepEqual(page.scrolled.at(-1), 4);
});
