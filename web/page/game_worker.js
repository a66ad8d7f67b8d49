// The game's worker (see game.js), started by page/boot.js. It compiles the engine and loads the windows'
// fonts for its canvases (no style sheet reaches a worker) as soon as it runs, then says it is ready and
// hands the page the compiled engine for the page's own instance. Should it not be fit to run the game,
// it says so, and the page runs the game itself.
import { Game } from './game.js';
import { FontFiles } from './fonts.js'; // made at build time from the one list of fonts
import { compile, instantiate } from './instance.js';

let game = null;

async function begin() {
    if (!self.fonts || typeof FontFace !== 'function' || typeof OffscreenCanvas !== 'function')
        throw new Error('no fonts or offscreen canvases in a worker');
    const faces = FontFiles.map((f) => new FontFace(f.family, `url("${new URL(`../${f.file}`, import.meta.url)}")`,
        { weight: f.weight, style: f.style }));
    const loaded = Promise.all(faces.map((face) => face.load().then(() => self.fonts.add(face))));
    const compiled = await compile();
    const [module] = await Promise.all([instantiate(compiled), loaded]);
    game = new Game(module, (message, transfer) => postMessage(message, transfer));
    postMessage({ type: 'ready', compiled });
}

begin().catch((error) => postMessage({ type: 'unfit', reason: String(error?.message ?? error) }));

onmessage = (e) => game.receive(e.data);
