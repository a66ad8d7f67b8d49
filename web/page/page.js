// The page: both windows, events to the engine, frames from it.
import { PageWindow } from './window.js';
import { PageButton } from './controls.js';
import { Clock } from './clock.js';
import { virtualKey } from './keys.js';

const WindowGap = 16;
const DeskMargin = 24;

export class Page {
    constructor(engine) {
        this.engine = engine;
        this.desk = document.getElementById('desk');
        this.windows = ['Form2', 'Blokko'].map((name, i) => new PageWindow(this, name, i));
        for (const w of this.windows)
            this.desk.append(w.el);
        this.active = null;
        this.stack = 10;
        this.frameRequested = false;
        this.clock = new Clock((id, at) => this.tick(id, at));
        this.ticks = { 1: 0, 2: 0, 3: 0 };
        // The intervals between each timer's ticks, and when its first tick was due (for the benchmark).
        this.tickTimes = {};
        for (const id of [1, 2, 3])
            this.tickTimes[id] = { firstDue: null, last: null, sum: 0, intervals: 0 };
        this.keys();
        document.getElementById('start-again').addEventListener('click', () => this.start());
        window.addEventListener('resize', () => this.requestFrame());
        this.watchPixelRatio();
    }

    watchPixelRatio() {
        const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
        query.addEventListener('change', () => {
            this.requestFrame();
            this.watchPixelRatio();
        }, { once: true });
    }

    start() {
        document.getElementById('ended').hidden = true;
        for (const w of this.windows)
            w.placed = false;
        this.engine.call.start();
        this.clock.start();
        this.afterEvent(performance.now());
        this.render();
    }

    // After every event: end, timers, then a frame.
    afterEvent(at) {
        const state = this.engine.state();
        if (state.ended) {
            this.end();
            return;
        }
        state.timers.forEach((t, i) => this.clock.mirror(i + 1, t.interval, t.enabled, t.generation, at));
        this.clock.schedule();
        if (state.dirty)
            this.requestFrame();
    }

    tick(id, at) {
        const began = performance.now();
        ++this.ticks[id];
        // Intervals between a timer's ticks while it runs (the time a timer stood stopped left out).
        const seen = this.tickTimes[id];
        const interval = this.clock.timers[id - 1].interval;
        if (seen.last !== null && began - seen.last < 3 * interval) {
            seen.sum += began - seen.last;
            ++seen.intervals;
        }
        if (seen.firstDue === null)
            seen.firstDue = at;
        seen.last = began;
        this.engine.call.tick(id);
        this.afterEvent(at);
    }

    click(window, id) {
        this.engine.call.click(window, id);
        this.afterEvent(performance.now());
    }

    scroll(value) {
        this.engine.call.scroll(value);
        this.afterEvent(performance.now());
    }

    close(index) {
        this.engine.call.close(index);
        this.afterEvent(performance.now());
    }

    end() {
        this.clock.stop();
        for (const w of this.windows)
            w.el.hidden = true;
        const ended = document.getElementById('ended');
        ended.hidden = false;
        document.getElementById('start-again').focus();
    }

    requestFrame() {
        if (this.frameRequested)
            return;
        this.frameRequested = true;
        requestAnimationFrame(() => this.render());
    }

    // Draws what is pending at once; with `afresh`, both windows whole, as after a lost canvas (tests
    // compare the two).
    redraw(afresh) {
        if (afresh)
            for (const w of this.windows)
                w.drawAfresh();
        this.render();
    }

    render() {
        this.frameRequested = false;
        if (this.engine.call.ended())
            return;
        const frame = this.engine.frame();
        const shownBefore = this.windows.map((w) => !w.el.hidden);
        frame.forEach((win, i) => {
            const w = this.windows[i];
            // The window's draw list: a frame brings all of its items, or those the scene says changed.
            const changedItems = win.items;
            if (win.all || !w.items)
                w.items = changedItems.slice();
            else
                for (const item of changedItems)
                    w.items[item.index] = item;
            win.items = w.items;
            if (win.shown)
                w.update(win, this.engine, changedItems);
            else
                w.drawAfresh(); // when shown again
            if (w.el.hidden !== !win.shown)
                w.el.hidden = !win.shown;
        });
        // A window that the program shows is placed (the first time) and becomes the active one.
        this.windows.forEach((w, i) => {
            if (!shownBefore[i] && !w.el.hidden) {
                this.place(w);
                this.activate(w);
            }
        });
        if (this.active && this.active.el.hidden) {
            const other = this.windows.find((w) => !w.el.hidden);
            if (other)
                this.activate(other);
        }
    }

    // The game window in the middle of the desk's top; the difficulty window beside it when both are
    // shown, else where the game window will stand.
    place(w) {
        const game = this.windows[1];
        const deskWidth = Math.max(this.desk.clientWidth, 0);
        const size = w.frameSize();
        if (w === game) {
            if (!w.placed)
                w.moveTo(Math.max(DeskMargin, (deskWidth - size.width) / 2), DeskMargin);
        } else if (!game.el.hidden) {
            const g = { x: game.el.offsetLeft, y: game.el.offsetTop, w: game.frameSize().width };
            if (g.x + g.w + WindowGap + size.width <= deskWidth)
                w.moveTo(g.x + g.w + WindowGap, g.y);
            else if (g.x - WindowGap - size.width >= 0)
                w.moveTo(g.x - WindowGap - size.width, g.y);
            else
                w.moveTo(g.x + 2 * DeskMargin, g.y + 2 * DeskMargin);
        } else {
            w.moveTo(Math.max(DeskMargin, (deskWidth - size.width) / 2), DeskMargin);
        }
        w.placed = true;
    }

    activate(w) {
        if (w.el.hidden)
            return;
        if (this.active !== w) {
            if (this.active)
                this.active.el.classList.remove('active');
            this.active = w;
            w.el.classList.add('active');
            w.el.style.zIndex = String(++this.stack);
        }
        const focusTarget = w.name === 'Form2' ? w.el.querySelector('.scrollbar') : w.client;
        if (focusTarget && !w.el.contains(document.activeElement))
            focusTarget.focus({ preventScroll: true });
    }

    keys() {
        const [form2, game] = this.windows;
        game.client.tabIndex = -1;
        game.client.setAttribute('aria-label', 'Blokko game');
        game.el.addEventListener('keydown', (e) => {
            const code = virtualKey(e.code);
            if (code === 0 || e.ctrlKey || e.altKey || e.metaKey)
                return;
            e.preventDefault();
            this.engine.call.key(code);
            this.afterEvent(performance.now());
            // Enter and Space press the frontmost shown button, as a click would.
            if (code === 13 || code === 32) {
                const button = game.shownButtonsFrontFirst()[0];
                if (button)
                    this.click(game.index, button.id);
            }
        });
        form2.el.addEventListener('keydown', (e) => {
            if (e.key === 'Enter') {
                e.preventDefault();
                const go = [...form2.controls.values()].find((c) => c instanceof PageButton);
                if (go)
                    this.click(form2.index, go.id);
            } else if (e.key === 'Tab') {
                // Tab goes round the window's two controls.
                e.preventDefault();
                const order = [...form2.controls.values()].map((c) => c.el).filter((el) => !el.hidden);
                const at = order.indexOf(document.activeElement);
                const next = order[(at + (e.shiftKey ? order.length - 1 : 1)) % order.length];
                if (next)
                    next.focus();
            }
        });
    }
}
