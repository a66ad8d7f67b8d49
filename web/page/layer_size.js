// The size of a window's canvas layers for a frame drawn whole: the backing store, which the game sets
// where it draws, and the CSS box, which the page sets on the element. `fit` is the window's own scale
// (below 1 where the view is too small for it).
export function layerSize(win, fit) {
    if (fit === 1) {
        // As many CSS pixels as the backing store has device pixels: mapped 1:1, never resampled, even
        // where the window's size times the ratio is not whole (432 px at 1.1).
        return {
            width: win.deviceWidth, height: win.deviceHeight,
            cssWidth: win.deviceWidth / win.scale, cssHeight: win.deviceHeight / win.scale,
        };
    }
    // A scaled window's canvas covers its client area in whole CSS pixels, its backing store the
    // device's pixels of those, drawn at the device pixel ratio times the window's scale.
    const ratio = win.scale / fit;
    const cssWidth = Math.ceil(win.cssWidth * fit - 1 / 256);
    const cssHeight = Math.ceil(win.cssHeight * fit - 1 / 256);
    return {
        width: Math.round(cssWidth * ratio), height: Math.round(cssHeight * ratio),
        cssWidth: scaledLength(cssWidth, fit), cssHeight: scaledLength(cssHeight, fit),
    };
}

// The length to give an element inside a window scaled by `scale` for it to lay out as `pixels` CSS
// pixels, which the browser keeps to a 64th: a 128th more, so that its rounding, up or down, lands there.
export function scaledLength(pixels, scale) {
    return (pixels + 1 / 128) / scale;
}
