// The page's start, watched. A classic script, loaded before the engine and the page's modules: it runs
// where modules cannot (a page opened as a file, a server sending the wrong type), checks what the page
// needs before the engine loads, then runs the main module (page/main.js calls blokkoBoot.run). When
// anything fails it says in plain words what went wrong and what to do, for a player and for whoever
// hosts the page; "Loading" never stays for more than 10 s without a reason beside it.
'use strict';
(() => {
    const PATIENCE_MS = 10000;
    const ENGINE = 'blokko-engine.js';
    const WASM = 'blokko-engine.wasm';
    const JS_TYPE = 'text/javascript';
    const WASM_TYPE = 'application/wasm';
    const POLICY = "script-src 'self' 'wasm-unsafe-eval'";

    const loading = document.getElementById('loading');
    // The stylesheet's fallback for when no script runs at all: this script says more, and sooner.
    document.getElementById('stalled')?.remove();
    loading?.classList.add('watched');

    let ran = false; // the main module arrived
    let over = false; // started, or a failure said: nothing more to watch

    const patience = setTimeout(async () => {
        say('Blokko is still loading after 10 seconds: the connection may be slow. If it does not start '
            + 'soon, reload the page.', false);
        const problem = await firstProblem([...engine(), ...modules()]);
        if (problem)
            cannotStart(...problem);
    }, Math.max(0, PATIENCE_MS - performance.now()));

    function say(text, final = true) {
        if (over || !loading?.isConnected)
            return;
        loading.textContent = text;
        loading.setAttribute('role', 'alert');
        if (!final)
            return;
        over = true;
        clearTimeout(patience);
        document.getElementById('desk')?.setAttribute('aria-busy', 'false');
    }

    function cannotStart(problem, remedy) {
        say(`Blokko cannot start: ${problem}. ${remedy}`);
    }

    // What is wrong with a file as the server sends it, in words; null when nothing is.
    async function served(url, type) {
        let response;
        try {
            response = await fetch(url, { cache: 'no-store' });
        } catch {
            return [`the web server does not answer for ${url}`, 'Check that it is running, then reload the page.'];
        }
        if (!response.ok)
            return [`the web server has no ${url} (it answered ${response.status})`,
                'Whoever hosts the page must copy every file of the built page, in its folders.'];
        const sent = (response.headers.get('Content-Type') || 'no type').split(';')[0].trim().toLowerCase();
        const fits = type === JS_TYPE ? /(java|ecma)script$/.test(sent) : sent === type;
        if (!fits) {
            const extension = url.slice(url.lastIndexOf('.'));
            return [`the web server sends ${url} as "${sent}"`,
                `Whoever hosts the page must have it send ${extension} files as ${type}.`];
        }
        return null;
    }

    async function firstProblem(files) {
        for (const [url, type] of files) {
            const problem = await served(url, type);
            if (problem)
                return problem;
        }
        return null;
    }

    const modules = () => [...document.querySelectorAll('script[type="module"][src], link[rel="modulepreload"]')]
        .map((element) => [element.getAttribute('src') || element.getAttribute('href'), JS_TYPE]);
    const engine = () => [[ENGINE, JS_TYPE], [WASM, WASM_TYPE]];

    function policyAllowsWebAssembly() {
        try {
            new WebAssembly.Module(new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0])); // an empty module
            return true;
        } catch {
            return false;
        }
    }

    // What the page needs before anything loads.
    if (location.protocol === 'file:') {
        cannotStart('this page was opened as a file, and a browser runs its scripts only from a web server',
            'Open it from a web server instead: for example, run bash scripts/web.sh in Blokko\'s folder and open '
            + 'http://127.0.0.1:8080/.');
    } else if (typeof WebAssembly !== 'object') {
        cannotStart('this browser has no WebAssembly, or it is turned off',
            'Blokko needs WebAssembly: use a current browser, or turn WebAssembly on in its settings.');
    } else if (!policyAllowsWebAssembly()) {
        cannotStart('this site\'s Content-Security-Policy forbids WebAssembly',
            `Whoever hosts the page must allow it with the policy ${POLICY}.`);
    }

    // The modules run before DOMContentLoaded; if the main one has not by then, it never will.
    document.addEventListener('DOMContentLoaded', async () => {
        if (ran || over)
            return;
        const problem = await firstProblem([...modules(), [ENGINE, JS_TYPE]]);
        if (problem)
            cannotStart(...problem);
        else
            cannotStart('this browser did not run the page\'s scripts',
                'Use a current browser; its console says more.');
    });

    // The game runs in a worker where the page can hand canvases to one (else on the page): started
    // here, it loads beside the page's modules, which take it over with the events it sent meanwhile
    // (page/link.js).
    function startGameWorker() {
        if (over || typeof Worker !== 'function' || typeof OffscreenCanvas !== 'function' ||
            typeof HTMLCanvasElement.prototype.transferControlToOffscreen !== 'function')
            return null;
        try {
            const worker = new Worker('page/game_worker.js', { type: 'module' });
            const early = [];
            worker.onmessage = worker.onerror = (e) => early.push(e);
            return { worker, early };
        } catch {
            return null;
        }
    }

    window.blokkoBoot = {
        worker: startGameWorker(),
        // Runs the page's start unless the page cannot start; a failure of it is explained.
        run(main) {
            ran = true;
            if (over)
                return;
            main().then(() => {
                over = true;
                clearTimeout(patience);
            }, async (error) => {
                console.error(error);
                const problem = await firstProblem(engine());
                // Emscripten's own abort text means nothing to a player.
                const message = String(error?.message ?? error);
                const reason = /^Aborted\(/.test(message) ? 'its engine stopped while loading' : message;
                cannotStart(...(problem || [reason, 'Reload the page; the browser\'s console says more.']));
            });
        },
    };
})();
