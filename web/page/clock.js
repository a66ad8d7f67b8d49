// One clock on performance.now() for the engine's three timers.

// Each ticking timer has the time of its next tick. A wake delivers every tick that is due, earliest
// first, each at its own time (a timer that an event restarts counts from the time of that event), so
// a 1 ms or 2 ms timer keeps its rate although the browser wakes the page less often. Ticks missed
// while the page was hidden are not delivered: the clock stands still while no one can see the game,
// and play goes on from where it was when the page is seen again. A timer whose tick is late by more
// than its interval or MaxLag ms (a frame: the page was busy drawing, or the machine was) loses that
// time too, rather than play the missed ticks in a burst.
const MaxLag = 16;
// A timer that ticks at a steady pace (play's, every 50 ms) is woken by a wait that repeats, which the
// browser sets again by itself: setting a timeout for each tick costs the page a call into the browser
// every time. The repeating wait starts at a wake no more than MaxDrift ms after its timer's tick, so
// every tick it brings is at most that late; a timer restarted or late starts it afresh.
const SteadyInterval = 16;
const MaxDrift = 4;

export class Clock {
    // onTick(id, at) delivers a tick; onWoken() follows the ticks of one wake.
    constructor(onTick, onWoken = () => {}) {
        this.onTick = onTick;
        this.onWoken = onWoken;
        this.timers = [1, 2, 3].map((id) => ({ id, interval: 0, ticking: false, due: 0, count: 0, generation: -1 }));
        this.handle = null; // the wait for the tick due at handleDue
        this.handleDue = 0;
        this.repeats = false; // whether the wait is one that repeats
        this.delivering = false; // within a wake, while its ticks are delivered
        this.messagePending = false;
        this.channel = new MessageChannel();
        this.channel.port1.onmessage = () => {
            this.messagePending = false;
            this.wake();
        };
        this.stopped = false;
        this.hidden = false; // the page cannot be seen (it tells the clock: the clock may run in a worker)
        this.hiddenAt = null;
    }

    // Mirrors one engine timer: a new generation (the scene decides when) (re)starts it at `at`.
    mirror(id, interval, enabled, generation, at) {
        const t = this.timers[id - 1];
        if (t.generation === generation)
            return;
        t.generation = generation;
        t.interval = interval;
        t.ticking = enabled && interval > 0;
        if (t.ticking)
            t.due = at + interval;
    }

    stop() {
        this.stopped = true;
        for (const t of this.timers)
            t.ticking = false;
        this.cancel();
    }

    cancel() {
        if (this.handle !== null)
            (this.repeats ? clearInterval : clearTimeout)(this.handle);
        this.handle = null;
        this.repeats = false;
    }

    // A new program: its timers' generations count afresh.
    start() {
        this.stopped = false;
        for (const t of this.timers)
            t.generation = -1;
    }

    next() {
        let first = null;
        for (const t of this.timers)
            if (t.ticking && (!first || t.due < first.due))
                first = t;
        return first;
    }

    // Every event asks for this; a wait already set for the same tick is kept.
    schedule() {
        const first = this.stopped || this.hidden ? null : this.next();
        if (!first) {
            this.cancel();
            return;
        }
        const delay = first.due - performance.now();
        // A tick already due comes by a message, which lets input and drawing in first. Every other wait
        // sleeps: browsers hold nested timeouts to at least 4 ms, so the parade's 1 ms and 2 ms ticks come
        // two or four to a wake, each at its own time, and are drawn a display frame at a time anyway;
        // waiting for each by messages would keep the page busy for the whole parade.
        if (delay <= 0) {
            this.cancel();
            if (!this.messagePending) {
                this.messagePending = true;
                this.channel.port2.postMessage(0);
            }
        } else if (this.handle === null || this.handleDue !== first.due) {
            this.cancel();
            this.handleDue = first.due;
            const interval = first.interval;
            if (interval >= SteadyInterval && interval - delay <= MaxDrift) {
                // Each time it comes, the tick due at handleDue is due; the next brings the one after.
                this.repeats = true;
                this.handle = setInterval(() => {
                    this.handleDue += interval;
                    this.wake();
                }, interval);
            } else {
                // A timeout counts whole milliseconds, dropping the fraction: rounded down, it would
                // wake the page just before the tick, only to wait again.
                this.handle = setTimeout(() => {
                    this.handle = null;
                    this.wake();
                }, Math.ceil(delay));
            }
        }
    }

    wake() {
        if (this.stopped || this.hidden)
            return;
        const now = performance.now();
        for (const t of this.timers)
            if (t.ticking && now - t.due > Math.max(MaxLag, t.interval))
                t.due = now;
        this.delivering = true;
        try {
            for (let t = this.next(); t && t.due <= now && !this.stopped; t = this.next()) {
                const at = t.due;
                t.due += t.interval;
                ++t.count;
                this.onTick(t.id, at);
            }
        } finally {
            this.delivering = false;
        }
        this.onWoken();
        this.schedule();
    }

    shift(by) {
        for (const t of this.timers)
            if (t.ticking)
                t.due += by;
    }

    // The page hidden, or seen again.
    setHidden(hidden) {
        if (hidden === this.hidden)
            return;
        this.hidden = hidden;
        if (hidden) {
            this.hiddenAt = performance.now();
            this.cancel();
        } else {
            if (this.hiddenAt !== null)
                this.shift(performance.now() - this.hiddenAt);
            this.hiddenAt = null;
            this.schedule();
        }
    }
}
