// How to play, on the page: the keys (in index.html), and a line that follows the game's state as the
// frame shows it (which window is shown, which button stands in front). The player can hide it; the
// choice lasts for the session.
import { ItemKind as Kind } from './frame_codes.js';

const Hidden = 'blokko-help-hidden';

// What the button in front of the game window does when pressed, by its caption.
const ButtonDoes = { 'Game Over': 'to play again', Pause: 'to play on' };

export class Help {
    constructor() {
        this.toggle = document.getElementById('help-toggle');
        this.body = document.getElementById('help-body');
        this.now = document.getElementById('help-now');
        this.toggle.addEventListener('click', () => {
            this.show(this.body.hidden);
            remember(this.body.hidden);
        });
        this.show(!remembered());
    }

    show(shown) {
        this.body.hidden = !shown;
        this.toggle.textContent = shown ? 'Hide' : 'Show';
        this.toggle.setAttribute('aria-expanded', String(shown));
    }

    // `form2` and `game` are the page's windows after a frame.
    follow(form2, game) {
        let text = '';
        if (!form2.el.hidden) {
            text = 'Choose a difficulty with Left and Right, then press Enter.';
        } else if (!game.el.hidden) {
            // The frame's items are back to front: the last shown button is the one Enter presses.
            const front = game.items.filter((item) => item.kind === Kind.Button && item.visible).pop();
            if (front)
                text = `Press Enter or tap ${front.text} ${ButtonDoes[front.text] ?? 'to go on'}.`;
        }
        if (this.now.textContent !== text)
            this.now.textContent = text;
    }
}

// Storage may be refused (private modes, a policy): the help is then shown at every load.
function remembered() {
    try {
        return sessionStorage.getItem(Hidden) === '1';
    } catch {
        return false;
    }
}

function remember(hidden) {
    try {
        if (hidden)
            sessionStorage.setItem(Hidden, '1');
        else
            sessionStorage.removeItem(Hidden);
    } catch {
        // shown again at the next load
    }
}
