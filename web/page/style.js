// Inline styles of the page's elements.

// Styles are written only when they change: a write, even of the same value, costs a style pass.
const written = new WeakMap();
export function setStyle(element, name, value) {
    let styles = written.get(element);
    if (!styles)
        written.set(element, (styles = {}));
    if (styles[name] !== value) {
        styles[name] = value;
        element.style[name] = value;
    }
}
