// The page's keys through the engine's own key function (compiled for node): what the browser reports
// of a key press reaches the program whole, so each layout's keys mean what they mean on the desktop, and
// the page keeps from the browser exactly the keys the game says a window takes.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { pageModule } from './page_module.mjs';
const { forwardKey } = await import(pageModule('keys.js'));
const { GameLink } = await import(pageModule('link.js'));

const createKeyModule = createRequire(import.meta.url)(process.env.BLOKKO_KEY_MODULE);
const keyModule = await createKeyModule();
const gameKeyCode = keyModule.cwrap('key_code', 'number', ['string', 'string', 'number']);

// The page's end of the game with the engine's real key function, and the game's word on which codes
// each window takes: the difficulty window only Enter, the game window every key.
function link() {
    const keys = new GameLink();
    keys.useInstance({ cwrap: () => gameKeyCode });
    keys.taken = new Uint8Array(512);
    keys.taken[13] = 1;
    keys.taken.fill(1, 256 + 1);
    keys.seen = [];
    keys.sendKey = (window, report) => keys.seen.push({
        window, game: gameKeyCode(report.key, report.code, report.commandHeld ? 1 : 0), repeat: report.repeat,
    });
    return keys;
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
    const keys = link();
    for (const [key, code] of presses)
        forwardKey(keys, 1, keydown(key, code), keys.sendKey);
    return keys.seen.map((s) => s.game);
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

test('the window, the repeat and the modifiers go with the key, and only a key taken there is kept from the browser', () => {
    const keys = link();
    const held = keydown('Enter', 'Enter', { repeat: true });
    assert.equal(forwardKey(keys, 0, held, keys.sendKey), true);
    assert.equal(held.prevented, true);
    assert.deepEqual(keys.seen.at(-1), { window: 0, game: 13, repeat: true });
    // The difficulty window takes Enter alone: Space and the letters are the browser's there.
    for (const e of [keydown(' ', 'Space'), keydown('a', 'KeyA')]) {
        assert.equal(forwardKey(keys, 0, e, keys.sendKey), false);
        assert.equal(e.prevented, false);
    }

    // Browser shortcuts stay the browser's.
    for (const modifier of ['ctrlKey', 'altKey', 'metaKey']) {
        const shortcut = keydown('s', 'KeyS', { [modifier]: true });
        assert.equal(forwardKey(keys, 1, shortcut, keys.sendKey), false);
        assert.equal(shortcut.prevented, false);
    }
    // A symbol the game has no key for, or a key the browser reports without names.
    for (const e of [keydown('\u00e9', 'Digit2'), keydown('Dead', 'BracketLeft'), keydown(undefined, undefined)]) {
        assert.equal(forwardKey(keys, 1, e, keys.sendKey), false);
        assert.equal(e.prevented, false);
    }
    assert.equal(keys.seen.length, 1);
});
