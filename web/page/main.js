// Blokko in the browser. The engine and its scene run in WebAssembly (blokko-engine.js); this page draws
// the scene's items on a canvas per window, places real buttons and the scroll bar where the scene puts
// them, forwards keys, clicks and closes, and drives the engine's three timers from one clock. It holds
// no rule of the game and no rule of how a control looks beyond mapping a scene item to Canvas calls.
// This module loads the engine and the fonts, then draws the first frame.
import { Engine } from './engine.js';
import { Page } from './page.js';

const FontFaces = [
    '700 16px "EB Garamond"', 'italic 700 16px "DejaVu Sans"', '700 16px "Liberation Serif"',
    '700 16px "Liberation Sans"', '700 16px "Dancing Script"', '400 16px "Kaushan Script"',
];

async function main() {
    const [module] = await Promise.all([
        createBlokkoEngine(),
        ...FontFaces.map((f) => document.fonts.load(f)),
    ]);
    const page = new Page(new Engine(module));
    document.getElementById('loading').remove();
    page.start();
    document.getElementById('desk').setAttribute('aria-busy', 'false');
    window.blokkoPage = {
        firstFrame: performance.now(),
        ticks: page.ticks,
        tickTimes: page.tickTimes,
        redraw: (afresh) => page.redraw(afresh),
    };
    performance.mark('blokko-first-frame');
    // Tests only: ?test in the address adds window.blokkoTest, which plays scripts (test_hook.js).
    if (new URLSearchParams(location.search).has('test'))
        (await import('./test_hook.js')).install(page, module);
}

main().catch((error) => {
    const loading = document.getElementById('loading');
    if (loading)
        loading.textContent = `Blokko could not start: ${error.message}`;
    throw error;
});
