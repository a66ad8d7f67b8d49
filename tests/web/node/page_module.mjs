// The page's modules as the site has them, beside those made at build time (ctest sets BLOKKO_PAGE).
import { pathToFileURL } from 'node:url';
import path from 'node:path';

export function pageModule(name) {
    const folder = process.env.BLOKKO_PAGE;
    if (!folder)
        throw new Error('BLOKKO_PAGE is not set: run the tests through ctest');
    return pathToFileURL(path.join(folder, name)).href;
}
