// Blokko in the browser. The engine and its scene run in WebAssembly (blokko-engine.js), in a worker
// that also keeps the game's timers and draws its frames on a canvas per window layer (game.js); this
// page places real buttons and the scroll bar where the scene puts them, keeps the labels' texts for
// screen readers, and forwards keys, clicks and closes. It holds no rule of the game and no rule of how a
// control looks beyond mapping a scene item to an element.
// This module loads the engine and the fonts, starts the game, then keeps the page for offline play.
import { GameLink } from './link.js';
import { Page } from './page.js';
import { FontFaces } from './fonts.js'; // made at build time from the one list of fonts

// A page that an earlier build's service worker served is reloaded if a new build's worker takes over
// before the first frame: its files may already come from the new cache, and must not mix.
const servedByWorker = !!navigator.serviceWorker?.controller;
let started = false;
navigator.serviceWorker?.addEventListener('controllerchange', () => {
    if (servedByWorker && !started)
        location.reload();
});

// Offline play, once the page runs: the worker keeps every file of the page. It needs a secure context
// (https, or a server on this machine); elsewhere the page still plays, online only.
function keepForOffline() {
    if (!navigator.serviceWorker)
        return;
    navigator.serviceWorker.register('service-worker.js')
        .catch((error) => console.warn(`Blokko will not play offline: ${error.message}`));
}

async function main() {
    const [link] = await Promise.all([GameLink.open(window.blokkoBoot?.worker ?? null),
        ...FontFaces.map((f) => document.fonts.load(f))]);
    const page = new Page(link);
    const drawn = new Promise((resolve) => { page.onFirstFrame = resolve; });
    document.getElementById('loading').remove();
    page.start();
    await drawn;
    started = true;
    document.getElementById('desk').setAttribute('aria-busy', 'false');
    const request = (type, fields) => page.link.request(type, fields);
    const windowIndex = (name) => page.windows.findIndex((w) => w.name === name);
    window.blokkoPage = {
        firstFrame: performance.now(),
        // The game's counts (for tests and the benchmark): { ticks, tickTimes, drawn }, times on the
        // page's clock.
        stats: () => request('sync'),
        // A window's layers as drawn change by change and as drawn afresh, as data URLs.
        compareAfresh: async (name) => {
            const { changes, afresh } = await request('compare', { window: windowIndex(name) });
            return [changes.map(dataUrl), afresh.map(dataUrl)];
        },
        // A copy of a window's canvas layer (0 the bottom one) as the game drew it, as a canvas of the
        // page: the game's own may be out of the page's reach.
        layer: async (name, layer = 0) => {
            const { bitmap } = await request('copy', { window: windowIndex(name), layer });
            return bitmap && onCanvas(bitmap);
        },
    };
    performance.mark('blokko-first-frame');
    keepForOffline();
    // Tests only: ?test in the address adds window.blokkoTest, which plays scripts (test_hook.js).
    if (new URLSearchParams(location.search).has('test'))
        (await import('./test_hook.js')).install(page);
}

// Tests' copies of the game's layers.
function onCanvas(bitmap) {
    const copy = document.createElement('canvas');
    copy.width = bitmap.width;
    copy.height = bitmap.height;
    copy.getContext('2d').drawImage(bitmap, 0, 0);
    return copy;
}

function dataUrl(bitmap) {
    return onCanvas(bitmap).toDataURL();
}

// page/boot.js watches the start and explains a failure; should it be missing, the page still starts.
if (window.blokkoBoot)
    window.blokkoBoot.run(main);
else
    main();
