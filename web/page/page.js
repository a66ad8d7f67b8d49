// The page: both windows, events to the game, what the game's frames change of the page's elements.
import { PageWindow } from './window.js';
import { forwardKey, keyReport } from './keys.js';
import { keepKeysOnPage } from './focus.js';
import { Help } from './help.js';
import { Announcer } from './announcer.js';
import { arrange, Desk } from './layout.js';
import { TouchControls } from './touch.js';
import { GamepadInput } from './gamepad.js';

const RatioCheck = 1000; // ms

export class Page {
    // `link`: the page's end of the game (link.js).
    constructor(link) {
        this.link = link;
        link.onMessage = (m) => this.receive(m);
        this.desk = document.getElementById('desk');
        this.windows = ['Form2', 'Blokko'].map((name, i) => new PageWindow(this, name, i));
        // Reading and Tab order: the game window, then the difficulty window beside it.
        for (const w of [...this.windows].reverse())
            this.desk.append(w.el);
        this.active = null;
        this.stack = 10;
        this.told = null; // the scale the game was told
        this.onFirstFrame = () => {};
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
            this.tellScale();
        });
        this.watchPixelRatio();
        // The game's clock stands still while no one can see the page.
        document.addEventListener('visibilitychange', () => this.link.send({ type: 'hidden', hidden: document.hidden }));
        this.link.send({ type: 'hidden', hidden: document.hidden });
        this.layout();
    }

    get game() {
        return this.windows[1];
    }

    // A new ratio (a zoom, another screen) has a grid of its own, and the game draws for it. Browsers
    // say so by a media query's change, but not always (an emulated device's ratio changes silently), and
    // no frame of the game passes through the page to notice it: the page also looks once a second.
    watchPixelRatio() {
        let query = null;
        const changed = () => {
            query?.removeEventListener('change', changed);
            query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
            query.addEventListener('change', changed);
            this.snapWindows();
            this.tellScale();
        };
        changed();
        setInterval(() => {
            if (this.scale() !== this.told)
                changed();
        }, RatioCheck);
    }

    snapWindows() {
        for (const w of this.windows)
            w.snapToDevicePixels();
    }

    // The game draws every frame for the screen's ratio times the windows' own scale (both are scaled
    // alike to fit a small view).
    scale() {
        return (window.devicePixelRatio || 1) * this.windows[1].scale;
    }

    tellScale() {
        const scale = this.scale();
        if (scale !== this.told) {
            this.told = scale;
            this.link.send({ type: 'scale', scale, fit: this.windows[1].scale });
        }
    }

    // A new program (with `test`, one for a test's script: tests/parity).
    start(test = false) {
        document.getElementById('ended').hidden = true;
        for (const w of this.windows)
            w.placed = false;
        this.plan = null;
        this.tellScale();
        this.link.send({ type: 'start', test });
    }

    receive(m) {
        switch (m.type) {
        case 'frame':
            this.show(m.windows);
            break;
        case 'ended':
            this.end();
            break;
        case 'first frame':
            this.onFirstFrame();
            break;
        }
    }

    click(window, id) {
        this.link.send({ type: 'click', window, id });
    }

    scroll(value) {
        this.link.send({ type: 'scroll', value });
    }

    // The program says what closing does: the end, or a window hidden.
    close(index) {
        this.link.send({ type: 'close', window: index });
    }

    key(index, e) {
        forwardKey(this.link, index, e, (window, report) => this.link.send({ type: 'key', window, ...report }));
    }

    end() {
        this.announcer.stop();
        for (const w of this.windows)
            w.el.hidden = true;
        document.documentElement.classList.remove('playing'); // the page scrolls again by touch
        this.help.follow(...this.windows);
        const ended = document.getElementById('ended');
        ended.hidden = false;
        document.getElementById('start-again').focus();
    }

    // What a frame changed of the page's elements, by window (null: nothing): captions, labels and
    // controls, the layers' sizes, the windows shown.
    show(frame) {
        const shownBefore = this.windows.map((w) => !w.el.hidden);
        let news = false; // a text or a button changed, or a window came or went
        let cameOrWent = false;
        frame.forEach((win, i) => {
            if (!win)
                return;
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
                w.update(win);
            if (win.shown !== shownBefore[i])
                w.el.hidden = !win.shown;
        });
        if (cameOrWent)
            this.windowsCameOrWent(shownBefore);
        if (news)
            this.help.follow(...this.windows);
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
        this.tellScale();
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

    // Every key the page forwards comes here, whatever sent it: the on-screen controls or a gamepad, as
    // the keyboard would report it ({ key, code, repeat }); the program decides what it means in that
    // window.
    pressKey(input, target = this.active) {
        this.sendTo(target, { type: 'key', ...keyReport(input) });
    }

    // A gamepad's button (its index in the standard mapping), pressed or repeated while held, in the
    // window in front; the program decides what it means there.
    pressPad(button, repeat) {
        this.sendTo(this.active, { type: 'pad', button, repeat });
    }

    // An input for a shown window, to the game.
    sendTo(target, message) {
        if (target && !target.el.hidden)
            this.link.send({ ...message, window: target.index });
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
