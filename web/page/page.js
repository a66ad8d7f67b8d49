// The page: both windows, events to the engine, frames from it.
import { PageWindow } from './window.js';
import { Clock } from './clock.js';
import { forwardKey, sendKey } from './keys.js';
import { keepKeysOnPage } from './focus.js';
import { Help } from './help.js';
import { Announcer } from './announcer.js';
import { arrange, Desk } from './layout.js';
import { TouchControls } from './touch.js';
import { GamepadInput } from './gamepad.js';

const DisplayFrame = 1000 / 60; // ms

export class Page {
    constructor(engine) {
        this.engine = engine;
        this.desk = document.getElementById('desk');
        this.windows = ['Form2', 'Blokko'].map((name, i) => new PageWindow(this, name, i));
        // Reading and Tab order: the game window, then the difficulty window beside it.
        for (const w of [...this.windows].reverse())
            this.desk.append(w.el);
        this.active = null;
        this.stack = 10;
        this.frameRequested = false;
        this.frameWaiting = false; // a frame waits for the end of the task or an animation frame
        this.drawn = { frames: 0, at: -Infinity }; // the frames drawn, and when the last one was done
        this.scale = null; // the device pixel ratio the engine was told
        this.clock = new Clock((id, at) => this.tick(id, at), () => this.drawPending(false));
        this.ticks = { 1: 0, 2: 0, 3: 0 };
        // The intervals between each timer's ticks, and when its first tick was due (for the benchmark).
        this.tickTimes = {};
        for (const id of [1, 2, 3])
            this.tickTimes[id] = { firstDue: null, last: null, sum: 0, intervals: 0 };
        this.keys();
        this.help = new Help();
        this.announcer = new Announcer(document.getElementById('announcements'));
        keepKeysOnPage(() => this.giveKeys());
        // The help above the desk grows and shrinks with its text and the zoom, moving the windows below
        // it off the device-pixel grid.
        new ResizeObserver(() => {
            this.layout();
            this.snapWindows();
        }).observe(document.getElementById('help'));
        document.getElementById('start-again').addEventListener('click', () => this.start());
        this.plan = null;
        this.touch = new TouchControls(this, this.desk);
        this.gamepad = new GamepadInput(this);
        // Turning a device resizes the viewport: the page is laid out again, the game goes on.
        window.addEventListener('resize', () => {
            this.layout();
            this.snapWindows();
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
            this.snapWindows();
            this.requestFrame();
            this.watchPixelRatio();
        }, { once: true });
    }

    snapWindows() {
        for (const w of this.windows)
            w.snapToDevicePixels();
    }

    start() {
        document.getElementById('ended').hidden = true;
        for (const w of this.windows)
            w.placed = false;
        this.engine.call.start();
        this.clock.start();
        this.plan = null;
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

    // The program says what closing does: the end, or a window hidden (drawn at the next frame).
    close(index) {
        if (this.engine.call.close(index))
            this.end();
        else
            this.afterEvent(performance.now());
    }

    key(index, e) {
        if (forwardKey(this.engine.call, index, e))
            this.afterEvent(performance.now());
    }

    end() {
        this.clock.stop();
        this.announcer.stop();
        for (const w of this.windows)
            w.el.hidden = true;
        document.documentElement.classList.remove('playing'); // the page scrolls again by touch
        this.help.follow(...this.windows);
        const ended = document.getElementById('ended');
        ended.hidden = false;
        document.getElementById('start-again').focus();
    }

    // A frame is drawn at the end of the task whose events changed the scene, once however many ticks
    // it ran: the canvases are desynchronized, so what is drawn is shown without waiting for the page's
    // paint cycle, and an animation frame of its own would cost a task per tick (a sixth of the page's
    // CPU in play, the README's bench). The clock's ticks are drawn as soon as a wake has delivered
    // them; other events' changes at the end of their task. Ticks closer together than the screen shows
    // (the parade's, 2 ms apart) share the next animation frame.
    requestFrame() {
        if (this.frameRequested)
            return;
        this.frameRequested = true;
        if (!this.clock.delivering)
            this.drawPending(true);
    }

    // Draws the frame asked for: at once, at the end of this task, or at the next animation frame.
    drawPending(endOfTask) {
        if (!this.frameRequested || this.frameWaiting)
            return;
        const soon = performance.now() - this.drawn.at < DisplayFrame;
        if (!soon && !endOfTask) {
            this.render();
            return;
        }
        this.frameWaiting = true;
        const draw = () => {
            this.frameWaiting = false;
            if (this.frameRequested)
                this.render();
        };
        if (soon)
            requestAnimationFrame(draw);
        else
            queueMicrotask(draw);
    }

    // Draws what is pending at once; with `afresh`, both windows whole, as after a lost canvas (tests
    // compare the two).
    redraw(afresh) {
        if (afresh && !this.engine.call.ended())
            this.engine.call.drawAfresh();
        this.render();
    }

    render() {
        this.frameRequested = false;
        if (this.engine.call.ended())
            return;
        // The engine lays out every frame for the screen's ratio times the windows' own scale (both are
        // scaled alike to fit a small view); a new one sends both windows whole.
        const scale = (window.devicePixelRatio || 1) * this.windows[1].scale;
        if (scale !== this.scale) {
            this.scale = scale;
            this.engine.call.setScale(scale);
        }
        const frame = this.engine.frame();
        const shownBefore = this.windows.map((w) => !w.el.hidden);
        let news = false; // a text or a button changed, or a window came or went
        let cameOrWent = false;
        frame.forEach((win, i) => {
            const w = this.windows[i];
            if (win.caption !== null)
                w.setCaption(win.caption);
            // The frame brings the window's labels and controls when any of them changed.
            const told = win.items !== null;
            if (told)
                w.items = win.items;
            if (win.shown && told && w === this.game)
                this.announcer.follow(win);
            cameOrWent = cameOrWent || win.shown !== shownBefore[i];
            news = news || told || cameOrWent;
            if (win.width > 0)
                w.designed = { width: win.cssWidth, height: win.cssHeight };
            if (win.shown)
                w.update(win, this.engine);
            if (win.shown !== shownBefore[i])
                w.el.hidden = !win.shown;
        });
        if (cameOrWent)
            this.windowsCameOrWent(shownBefore);
        if (news)
            this.help.follow(...this.windows);
        ++this.drawn.frames;
        this.drawn.at = performance.now();
    }

    // A window that the program shows is placed (the first time) and becomes the active one; one that
    // it hides gives the keys to the other.
    windowsCameOrWent(shownBefore) {
        if (this.windows.some((w, i) => !shownBefore[i] && !w.el.hidden))
            this.layout();
        document.documentElement.classList.toggle('playing', !this.game.el.hidden);
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
        // The desk's share of the view: the help above it and the footer below take the rest.
        const help = document.getElementById('help');
        const view = {
            width: document.documentElement.clientWidth,
            height: window.innerHeight - this.footerHeight() - (help ? help.offsetHeight : 0),
        };
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
    // both are shown, else where the game window will stand; where the view has room for both side by
    // side but not beside the game window where it stands, the game window steps aside as far as needed.
    // Elsewhere, where the plan puts them.
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
            else
                w.snapToDevicePixels(); // the ratio may have changed while it was hidden
        } else if (!game.el.hidden) {
            const g = { x: game.x, y: game.y, w: game.frameSize().width };
            const room = Math.min(deskWidth, document.documentElement.clientWidth);
            const both = g.w + Desk.gap + size.width;
            if (g.x + g.w + Desk.gap + size.width <= room) {
                w.moveTo(g.x + g.w + Desk.gap, g.y);
            } else if (g.x - Desk.gap - size.width >= 0) {
                w.moveTo(g.x - Desk.gap - size.width, g.y);
            } else if (both <= room) {
                const x = Math.max(0, room - both - Desk.margin);
                game.moveTo(x, g.y);
                w.moveTo(x + g.w + Desk.gap, g.y);
            } else {
                w.moveTo(g.x + 2 * Desk.margin, g.y + 2 * Desk.margin);
            }
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

    // The keys back to the active window (the end notice's button once the program has ended).
    giveKeys() {
        const ended = document.getElementById('ended');
        if (!ended.hidden)
            document.getElementById('start-again').focus({ preventScroll: true });
        else if (this.active)
            this.activate(this.active);
    }

    // Every key the page forwards comes here, whatever sent it: the keyboard, the on-screen controls or
    // a gamepad, as the keyboard would report it ({ key, code, repeat }); the program decides what it
    // means in that window. Returns whether it meant anything.
    pressKey(input, target = this.active) {
        return this.send(target, () => sendKey(this.engine.call, target.index, input));
    }

    // A gamepad's button (its index in the standard mapping), pressed or repeated while held, in the
    // window in front; the program decides what it means there. Returns whether it meant anything.
    pressPad(button, repeat) {
        const target = this.active;
        return this.send(target, () => this.engine.call.pad(target.index, button, repeat ? 1 : 0) !== 0);
    }

    // An input for a shown window: `send` hands it to the program and says whether it meant anything.
    send(target, send) {
        if (!target || target.el.hidden)
            return false;
        const meant = send();
        if (meant)
            this.afterEvent(performance.now());
        return meant;
    }

    keys() {
        const [form2, game] = this.windows;
        // The game's keys go to its client area, which Tab reaches; a screen reader passes every key
        // through to it (an application) and reads the keys from the help as its description.
        game.client.tabIndex = 0;
        game.client.setAttribute('role', 'application');
        game.client.setAttribute('aria-label', 'Blokko game');
        game.client.setAttribute('aria-describedby', 'help-keys help-buttons');
        for (const w of [game, form2])
            w.el.addEventListener('keydown', (e) => {
                if (e.key !== 'Tab') // Tab goes on to the next control of the page
                    this.key(w.index, e);
            });
    }
}
