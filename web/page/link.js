// The page's end of the game (game.js): in a worker where the page can hand its canvases to one, else on
// the page itself, behind the same messages, delivered in order. The link also answers a key at once, in
// the key's own event, as the page must (only then can it keep the browser from acting on the key): the
// engine's key rule, run in the page's own instance of the engine, gives the key's game key code, and
// the game said after its last event which codes each window takes. A key whose meaning the game's very
// next event changes is decided as it stood before that event.
import { compile, instantiate } from './instance.js';

export class GameLink {
    // `started`: the game's worker and the events it sent so far ({ worker, early }: page/boot.js started
    // it), or null. Resolves once the game is ready, in the worker, else on the page, with the page's own
    // instance of the engine.
    static async open(started) {
        const link = new GameLink();
        if (started) {
            const { worker, early } = started;
            const reason = await link.inWorker(worker, early);
            if (reason === null)
                return link;
            console.warn(`Blokko plays on the page itself: its worker could not run the game (${reason})`);
            worker.terminate();
        }
        await link.onPage(await instantiate(await compile()));
        return link;
    }

    constructor() {
        this.keyCode = null; // the engine's key rule, from the page's instance
        this.taken = new Uint8Array(512); // by window, then game key code: whether the program takes it
        this.onMessage = () => {}; // the page's handler of the game's messages
        this.requests = new Map();
        this.nextRequest = 1;
        this.send = null; // send(message, transfer)
        this.handsCanvases = false;
    }

    // New canvas layers of a window for the game to draw on: handed over to a worker, or shared on the page.
    giveLayers(window, canvases) {
        const given = this.handsCanvases ? canvases.map((canvas) => canvas.transferControlToOffscreen()) : canvases;
        this.send({ type: 'layers', window, canvases: given }, this.handsCanvases ? given : []);
    }

    // The engine's key rule, from the page's instance of it.
    useInstance(instance) {
        this.keyCode = instance.cwrap('page_key_code', 'number', ['string', 'string', 'number']);
    }

    // Resolves to null once the worker's game is ready, or to why it is not.
    inWorker(worker, early) {
        return new Promise((resolve) => {
            worker.onerror = (e) => {
                e.preventDefault?.();
                resolve(e.message || 'it did not load');
            };
            worker.onmessage = async (e) => {
                if (e.data.type === 'ready') {
                    try {
                        this.useInstance(await instantiate(e.data.compiled));
                    } catch (error) {
                        resolve(`the page could not use its engine: ${error.message ?? error}`);
                        return;
                    }
                    worker.onmessage = (m) => this.receive(m.data);
                    worker.onerror = (m) => console.error(`Blokko's game stopped: ${m.message}`);
                    this.send = (message, transfer = []) => worker.postMessage(message, transfer);
                    this.handsCanvases = true;
                    resolve(null);
                } else if (e.data.type === 'unfit') {
                    resolve(e.data.reason);
                }
            };
            for (const e of early)
                (e.type === 'error' ? worker.onerror : worker.onmessage)(e);
        });
    }

    // The game on the page: the same messages, each delivered at the end of the task that sent it. Its
    // modules load only then: a page whose game runs in a worker does without them.
    async onPage(instance) {
        this.useInstance(instance);
        const { Game } = await import('./game.js');
        const game = new Game(instance, (message) => queueMicrotask(() => this.receive(message)));
        this.send = (message) => queueMicrotask(() => game.receive(message));
    }

    receive(m) {
        if (m.type === 'keys') {
            this.taken = m.taken;
        } else if (m.type === 'answer') {
            const resolve = this.requests.get(m.id);
            this.requests.delete(m.id);
            resolve(this.onPageClock(m));
        } else {
            this.onMessage(m);
        }
    }

    // The game key code of a key as the page reports it ({ key, code, commandHeld }), and whether the
    // program takes it in that window now.
    takes(window, report) {
        const code = this.keyCode(report.key, report.code, report.commandHeld ? 1 : 0);
        return code > 0 && code < 256 && this.taken[window * 256 + code] !== 0;
    }

    // Asks the game something; resolves to its answer, with the game's counts.
    request(type, fields = {}) {
        const id = this.nextRequest++;
        return new Promise((resolve) => {
            this.requests.set(id, resolve);
            this.send({ type, id, ...fields });
        });
    }

    // An answer's times on the page's clock: a worker's clock starts when the worker does.
    onPageClock(answer) {
        const by = answer.origin - performance.timeOrigin;
        const at = (t) => (t === null ? null : t + by);
        const tickTimes = {};
        for (const [id, t] of Object.entries(answer.tickTimes))
            tickTimes[id] = { ...t, firstDue: at(t.firstDue), last: at(t.last) };
        return {
            ...answer, tickTimes,
            drawn: { ...answer.drawn, at: answer.drawn.frames ? at(answer.drawn.at) : null, first: at(answer.drawn.first) },
        };
    }
}
