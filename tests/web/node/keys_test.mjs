// The page's keys through the engine's own key function (compiled for node): what the browser reports
// of a key press reaches the program whole, so each layout's keys mean what they mean on the desktop.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { pageModule } from './page_module.mjs';
const { forwardKey } = await import(pageModule('keys.js'));

const createKeyModule = createRequire(import.meta.url)(process.env.BLOKKO_KEY_MODULE);
const keyModule = await createKeyModule();
const gameKeyCode = keyModule.cwrap('key_code', 'number', ['string', 'string', 'number']);

// The engine's side of page_key: the real key function; a key means something when it has a code.
function engine() {
    const seen = [];
    return {
        seen,
        key(window, key, code, repeat, commandHeld) {
            const game = gameKeyCode(key, code, commandHeld);
            seen.push({ window, game, repeat });
            return game !== 0 ? 1 : 0;
        },
    };
}

function keydown(key, code, fields = {}) {
    return {
        key, code, repeat: false, ctrlKey: false, altKey: false, metaKey: false, prevented: false,
        preventDefault() {
            this.prevented = true;
        },
        ...fields,
    };
}

// What the game sees of each key press in the game window.
function gameKeys(presses) {
    const call = engine();
    for (const [key, code] of presses)
        forwardKey(call, 1, keydown(key, code));
    return call.seen.map((s) => s.game);
}

test('the keys under A, S and P act in every layout, and the arrows wherever they are', () => {
    // US; AZERTY (the key labelled Q is Q, the one labelled A turns); Dvorak (S and P off their US
    // places); Russian (the letters under A, S and P).
    assert.deepEqual(gameKeys([['a', 'KeyA'], ['s', 'KeyS'], ['p', 'KeyP']]), [65, 83, 80]);
    assert.deepEqual(gameKeys([['q', 'KeyA'], ['a', 'KeyQ'], ['s', 'KeyS'], ['p', 'KeyP']]), [81, 65, 83, 80]);
    assert.deepEqual(gameKeys([['o', 'KeyS'], ['s', 'Semicolon'], ['p', 'KeyR'], ['a', 'KeyA']]), [79, 83, 80, 65]);
    assert.deepEqual(gameKeys([['\u0444', 'KeyA'], ['\u044b', 'KeyS'], ['\u0437', 'KeyP']]), [65, 83, 80]);
    // The arrows, the keypad's too (Num Lock off), Enter on either place, Space.
    assert.deepEqual(gameKeys([['ArrowLeft', 'ArrowLeft'], ['ArrowRight', 'ArrowRight'], ['ArrowDown', 'ArrowDown'],
        ['ArrowDown', 'Numpad2'], ['Enter', 'Enter'], ['Enter', 'NumpadEnter'], [' ', 'Space']]),
    [37, 39, 40, 40, 13, 13, 32]);
});

test('the window, the repeat and the modifiers go with the key, and only a key that means something is kept from the browser', () => {
    const call = engine();
    const held = keydown('Enter', 'Enter', { repeat: true });
    assert.equal(forwardKey(call, 0, held), true);
    assert.equal(held.prevented, true);
    assert.deepEqual(call.seen.at(-1), { window: 0, game: 13, repeat: 1 });

    // Browser shortcuts stay the browser's.
    for (const modifier of ['ctrlKey', 'altKey', 'metaKey']) {
        const shortcut = keydown('s', 'KeyS', { [modifier]: true });
        assert.equal(forwardKey(call, 1, shortcut), false);
        assert.equal(shortcut.prevented, false);
    }
    // A symbol the game has no key for, or a key the browser reports without names.
    for (const e of [keydown('\u00e9', 'Digit2'), keydown('Dead', 'BracketLeft'), keydown(undefined, undefined)]) {
        assert.equal(forwardKey(call, 1, e), false);
        assert.equal(e.prevented, false);
    }
});
