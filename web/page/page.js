// The page: both windows, events to the engine, frames from it.
import { PageWindow } from './window.js';
import { PageButton } from './controls.js';
import { Clock } from './clock.js';
import { TwipsPerPixel } from './engine.js';
import { virtualKey } from './keys.js';
import { arrange, Desk } from './layout.js';
import { TouchControls } from './touch.js';
import { GamepadInput } from './gamepad.js';

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
        this.loads = -1;
        this.ticks = { 1: 0, 2: 0, 3: 0 };
        // The intervals between each timer's ticks, and when its first tick was due (for the benchmark).
        this.tickTimes = {};
        for (const id of [1, 2, 3])
            this.tickTimes[id] = { firstDue: null, last: null, sum: 0, intervals: 0 };
        this.keys();
        document.getElementById('start-again').addEventListener('click', () => this.start());
        this.plan = null;
        this.touch = new TouchControls(this, this.desk);
        this.gamepad = new GamepadInput(this);
        // Turning a device resizes the viewport: the page is laid out again, the game goes on.
        window.addEventListener('resize', () => {
            this.layout();
            this.requestFrame();
        });
        this.watchPixelRatio();
        this.layout();
    }

    get game() {
        return this.windows[1];
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
        this.plan = null;
        this.loads = -1;
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
        if (state.load !== this.loads) {
            this.loads = state.load;
            this.clock.reset();
        }
        state.timers.forEach((t, i) => this.clock.mirror(i + 1, t.interval, t.enabled, at));
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
        frame.forEach((incoming, i) => {
            const w = this.windows[i];
            // The window keeps its items: a frame brings all of them, or those that changed.
            const win = incoming;
            const changedItems = incoming.items;
            if (!incoming.all && w.last) {
                const items = w.last.items;
                for (const item of changedItems)
                    items[item.index] = item;
                win.items = items;
            }
            w.last = win;
            if (win.width > 0)
                w.designed = { width: win.width / TwipsPerPixel, height: win.height / TwipsPerPixel };
            if (win.shown)
                w.update(win, this.engine, changedItems);
            else
                w.drawAfresh(); // when shown again
            if (w.el.hidden !== !win.shown)
                w.el.hidden = !win.shown;
        });
        // A window that the program shows is placed (the first time) and becomes the active one.
        if (this.windows.some((w, i) => !shownBefore[i] && !w.el.hidden))
            this.layout();
        const playing = !this.game.el.hidden;
        if (document.documentElement.classList.contains('playing') !== playing)
            document.documentElement.classList.toggle('playing', playing);
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

    // The windows' scale and places and the controls' places for the viewport as it is now. The
    // shown windows are placed again only when the plan changes (a device turned, controls shown).
    layout() {
        if (!this.touch)
            return;
        const view = { width: document.documentElement.clientWidth, height: window.innerHeight - this.footerHeight() };
        const [form2, game] = this.windows;
        if (!form2.designed)
            return;
        const plan = arrange(view, game.designed && game.outerSize(), form2.outerSize(),
            this.touch.shown ? this.touch.groupSize() : null);
        this.touch.place(plan.pads);
        const changed = JSON.stringify(plan) !== JSON.stringify(this.plan);
        this.plan = plan;
        if (!changed)
            return;
        for (const w of this.windows)
            w.setScale(plan.scale);
        for (const w of this.windows)
            if (!w.el.hidden && w.designed)
                this.place(w, true);
        this.requestFrame();
    }

    footerHeight() {
        const footer = document.querySelector('.credits');
        return footer ? footer.offsetHeight : 0;
    }

    // On a desk: the game window in the middle of the desk's top; the difficulty window beside it when
    // both are shown, else where the game window will stand. Elsewhere, where the plan puts them.
    place(w, again = false) {
        const at = this.plan && !this.plan.desk && (w === this.game ? this.plan.game : this.plan.form2);
        if (at) {
            w.moveTo(at.x, at.y);
            w.placed = true;
            return;
        }
        const game = this.game;
        const deskWidth = Math.max(this.desk.clientWidth, 0);
        const size = w.frameSize();
        if (w === game) {
            if (!w.placed || again)
                w.moveTo(Math.max(Desk.margin, (deskWidth - size.width) / 2), Desk.margin);
        } else if (!game.el.hidden) {
            const g = { x: game.x, y: game.y, w: game.frameSize().width };
            if (g.x + g.w + Desk.gap + size.width <= deskWidth)
                w.moveTo(g.x + g.w + Desk.gap, g.y);
            else if (g.x - Desk.gap - size.width >= 0)
                w.moveTo(g.x - Desk.gap - size.width, g.y);
            else
                w.moveTo(g.x + 2 * Desk.margin, g.y + 2 * Desk.margin);
        } else {
            w.moveTo(Math.max(Desk.margin, (deskWidth - size.width) / 2), Desk.margin);
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

    // Every key the page forwards comes here, whatever sent it: the keyboard, the on-screen controls or
    // a gamepad. `code` is the physical key (KeyboardEvent.code), `key` its text and `repeat` whether it
    // repeats a held key (for the engine, once it takes one). Returns whether the key acted.
    pressKey({ key, code, repeat = false }, target = this.active) {
        if (!target || target.el.hidden)
            return false;
        const [form2, game] = this.windows;
        if (target === form2) {
            if (key === 'Enter') {
                const go = [...form2.controls.values()].find((c) => c instanceof PageButton);
                if (go)
                    this.click(form2.index, go.id);
                return !!go;
            }
            const step = { ArrowLeft: -1, ArrowRight: 1 }[code];
            const bar = [...form2.controls.values()].find((c) => !(c instanceof PageButton));
            if (step && bar)
                bar.set(bar.value + step);
            return !!(step && bar);
        }
        const virtual = virtualKey(code);
        if (virtual === 0)
            return false;
        this.engine.call.key(virtual);
        this.afterEvent(performance.now());
        // Enter and Space press the frontmost shown button, as a click would.
        if (virtual === 13 || virtual === 32) {
            const button = game.shownButtonsFrontFirst()[0];
            if (button)
                this.click(game.index, button.id);
        }
        return true;
    }

    // Whether Enter would press a button of the window.
    hasButtonInFront(w) {
        return w.shownButtonsFrontFirst().length > 0;
    }

    keys() {
        const [form2, game] = this.windows;
        game.client.tabIndex = -1;
        game.client.setAttribute('aria-label', 'Blokko game');
        game.el.addEventListener('keydown', (e) => {
            if (e.ctrlKey || e.altKey || e.metaKey)
                return;
            if (this.pressKey({ key: e.key, code: e.code, repeat: e.repeat }, game))
                e.preventDefault();
        });
        form2.el.addEventListener('keydown', (e) => {
            if (e.key === 'Enter') {
                e.preventDefault();
                this.pressKey({ key: e.key, code: e.code, repeat: e.repeat }, form2);
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
