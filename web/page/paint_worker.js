// The worker that draws the page's canvases (painter.js), off the page's main thread: the page's tasks
// then hold the engine and the controls only, and a tick's drawing never delays a key. The worker has
// no style sheet: it loads the windows' fonts itself before it draws its first frame.
import { Painter } from './painter.js';
import { FontFiles } from './fonts.js'; // made at build time from the one list of fonts

const painter = new Painter((message, transfer) => postMessage(message, transfer));

const fontsLoaded = Promise.all(FontFiles.map(async ({ family, file, weight, style }) => {
    try {
        const face = new FontFace(family, `url(${new URL(`../${file}`, import.meta.url)})`, { weight, style });
        self.fonts.add(face);
        await face.load();
    } catch (error) {
        console.warn(`Blokko draws "${family}" in another font: ${error.message || error}`);
    }
}));

// Messages that come before the fonts wait for them, in order.
const waiting = [];
onmessage = ({ data }) => waiting.push(data);
fontsLoaded.then(() => {
    onmessage = ({ data }) => painter.handle(data);
    for (const message of waiting.splice(0))
        painter.handle(message);
});
