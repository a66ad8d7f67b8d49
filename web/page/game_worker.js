// The game's worker (see game.js). Its first message brings the engine, compiled by the page; the worker
// then loads the windows' fonts for its canvases (no style sheet reaches a worker) and says it is ready.
// Should it not be fit to run the game, it says so, and the page runs the game itself.
import { Game } from './game.js';
import { FontFiles } from './fonts.js'; // made at build time from the one list of fonts
import { instantiate } from './instance.js';

let game = null;

async function begin(compiled) {
    if (!self.fonts || typeof FontFace !== 'function' || typeof OffscreenCanvas !== 'function') {
        postMessage({ type: 'unfit', reason: 'no fonts or offscreen canvases in a worker' });
        return;
    }
    const faces = FontFiles.map((f) => new FontFace(f.family, `url("${new URL(`../${f.file}`, import.meta.url)}")`,
        { weight: f.weight, style: f.style }));
    const [module] = await Promise.all([instantiate(compiled),
        ...faces.map((face) => face.load().then(() => self.fonts.add(face)))]);
    game = new Game(module, (message, transfer) => postMessage(message, transfer));
    postMessage({ type: 'ready' });
}

onmessage = (e) => {
    if (e.data.type === 'engine')
        begin(e.data.compiled).catch((error) => postMessage({ type: 'unfit', reason: String(error?.message ?? error) }));
    else
        game.receive(e.data);
};
