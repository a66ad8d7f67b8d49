// The engine's WebAssembly, compiled once by the page; the page and the game's worker each make an
// instance of it (the page's answers keys at once; the worker's runs the game).
import createBlokkoEngine from '../blokko-engine.js';

const Wasm = new URL('../blokko-engine.wasm', import.meta.url);

// Compiled while it downloads, where the server sends it as application/wasm; else once it is whole.
export async function compile() {
    try {
        return await WebAssembly.compileStreaming(fetch(Wasm, { credentials: 'same-origin' }));
    } catch {
        const response = await fetch(Wasm, { credentials: 'same-origin' });
        if (!response.ok)
            throw new Error(`blokko-engine.wasm could not be loaded (the server answered ${response.status})`);
        return WebAssembly.compile(await response.arrayBuffer());
    }
}

export function instantiate(compiled) {
    return new Promise((resolve, reject) => {
        createBlokkoEngine({
            instantiateWasm(imports, done) {
                WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled), reject);
                return {};
            },
        }).then(resolve, reject);
    });
}
