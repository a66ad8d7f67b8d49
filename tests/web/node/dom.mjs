// Just enough of a browser for the page's modules under node: elements that keep their attributes,
// styles and listeners, a document, and a clock and message channel the test moves by hand.

class ClassList {
    constructor() {
        this.names = new Set();
    }
    add(name) {
        this.names.add(name);
    }
    remove(name) {
        this.names.delete(name);
    }
    contains(name) {
        return this.names.has(name);
    }
}

export class FakeElement {
    constructor(tag) {
        this.tagName = tag.toUpperCase();
        this.children = [];
        this.style = {};
        this.attributes = {};
        this.listeners = {};
        this.classList = new ClassList();
        this.hidden = false;
        this.innerHTML = '';
        // Layout, as a test sets it.
        this.offsetLeft = 0;
        this.offsetWidth = 0;
        this.clientWidth = 0;
        this.rect = { left: 0, right: 0 };
    }
    append(...children) {
        this.children.push(...children);
    }
    setAttribute(name, value) {
        this.attributes[name] = String(value);
    }
    getAttribute(name) {
        return this.attributes[name] ?? null;
    }
    addEventListener(type, listener) {
        (this.listeners[type] ??= []).push(listener);
    }
    focus() {
        document.activeElement = this;
    }
    getBoundingClientRect() {
        return this.rect;
    }
    setPointerCapture() {}

    // Delivers an event of `type` to this element's listeners; returns it (preventDefault marks it).
    dispatch(type, fields = {}) {
        const event = {
            type,
            target: this,
            button: 0,
            pointerId: 1,
            defaultPrevented: false,
            preventDefault() {
                this.defaultPrevented = true;
            },
            stopPropagation() {},
            ...fields,
        };
        for (const listener of this.listeners[type] ?? [])
            listener(event);
        return event;
    }
}

// The clock the page reads (performance.now) and the messages it posts to itself, both by hand.
export const time = { now: 0, messages: 0 };

class FakeChannel {
    constructor() {
        this.port1 = { onmessage: null };
        this.port2 = { postMessage: () => ++time.messages };
    }
}

globalThis.document = {
    activeElement: null,
    createElement: (tag) => new FakeElement(tag),
};
globalThis.MessageChannel = FakeChannel;
Object.defineProperty(globalThis, 'performance', {
    value: { now: () => time.now },
    configurable: true,
    writable: true,
});
