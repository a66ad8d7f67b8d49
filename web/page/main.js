// Blokko in the browser. The engine and its scene run in WebAssembly (blokko-engine.js); this page draws
// the scene's items on a canvas per window, places real buttons and the scroll bar where the scene puts
// them, forwards keys, clicks and closes, and drives the engine's three timers from one clock. It holds
// no rule of the game and no rule of how a control looks beyond mapping a scene item to Canvas calls.
// This module loads the engine and the fonts, draws the first frame, then keeps the page for offline play.
import { Engine } from './engine.js';
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
    const [module] = await Promise.all([
        createBlokkoEngine(),
        ...FontFaces.map((f) => document.fonts.load(f)),
    ]);
    const page = new Page(new Engine(module));
    document.getElementById('loading').remove();
    page.start();
    started = true;
    document.getElementById('desk').setAttribute('aria-busy', 'false');
    window.blokkoPage = {
        firstFrame: performance.now(),
        ticks: page.ticks,
        tickTimes: page.tickTimes,
        drawn: page.drawn,
        redraw: (afresh) => page.redraw(afresh),
    };
    performance.mark('blokko-first-frame');
    keepForOffline();
    // Tests only: ?test in the address adds window.blokkoTest, which plays scripts (test_hook.js).
    if (new URLSearchParams(location.search).has('test'))
        (await import('./test_hook.js')).install(page, module);
}

// page/boot.js watches the start and explains a failure; should it be missing, the page still starts.
if (window.blokkoBoot)
    window.blokkoBoot.run(main);
else
    main();
