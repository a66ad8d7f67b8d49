// Where the two windows and the on-screen controls stand, for a viewport of any size. Where the
// designed layout fits (a desk), it is kept: the page places the windows as it always has. Elsewhere
// the windows are scaled down whole, by one factor for both, in whichever arrangement lets them stay
// largest; the controls keep their size, since a finger does not shrink.

export const Desk = { margin: 24, gap: 16 };
const Compact = { margin: 8, gap: 8 };

// view: the viewport's usable size; game, form2: each window's outer size at its designed size (the
// game window's is null until the program first loads it); pad: the size of one group of controls laid
// out in a row ({ long, short }), or null while the controls are not shown.
// Returns { desk, scale, game, form2, pads }: the windows' places and each group's place and whether
// it stands as a row or a column, in CSS pixels of the page.
export function arrange(view, game, form2, pad) {
    if (fitsDesk(view, game, form2, pad))
        return deskPlan(view, game, pad);
    if (!game) {
        // Before the first game: the difficulty window alone, where the game window will stand; the
        // controls, which have nothing to steer yet, wait.
        const m = Compact.margin;
        const scale = Math.max(0.01, Math.min(1, (view.width - 2 * m) / form2.width, (view.height - 2 * m) / form2.height));
        return { desk: false, scale, game: null, form2: { x: centred(view, form2.width * scale), y: m }, pads: null };
    }
    const sized = game;
    // A viewport too small for the controls themselves (below the smallest phone): the windows at least.
    const best = bestPlan(compactPlans(sized, form2, pad), view) || bestPlan(compactPlans(sized, form2, null), view);
    const scale = best ? best.scale : Math.min(1, view.width / form2.width);
    const place = best ? best.candidate.place : compactPlans(sized, form2, null)[0].place;
    return { desk: false, scale, ...place(scale, view) };
}

function bestPlan(candidates, view) {
    let best = null;
    for (const candidate of candidates) {
        const scale = largestScale(candidate.limits, view);
        if (scale !== null && (!best || scale > best.scale + 1e-9))
            best = { scale, candidate };
    }
    return best;
}

function fitsDesk(view, game, form2, pad) {
    if (!game)
        return view.width >= 2 * Desk.margin + form2.width && view.height >= 2 * Desk.margin + form2.height;
    const width = 2 * Desk.margin + game.width + Desk.gap + form2.width;
    const height = 2 * Desk.margin + game.height + (pad ? Desk.gap + pad.short : 0);
    return view.width >= width && view.height >= height && (!pad || 2 * pad.long + Desk.gap <= game.width);
}

// The page places the windows as on a desk; the controls stand in a row under the game window's place.
function deskPlan(view, game, pad) {
    const plan = { desk: true, scale: 1, game: null, form2: null, pads: null };
    if (pad && game) {
        const x = Math.max(Desk.margin, (view.width - game.width) / 2);
        const y = Desk.margin + game.height + Desk.gap;
        plan.pads = [{ x, y, column: false }, { x: x + game.width - pad.long, y, column: false }];
    }
    return plan;
}

// Each arrangement: limits a, b, room meaning a * scale + b <= room (room 'width' or 'height'), and
// where everything goes at a scale.
function compactPlans(game, form2, pad) {
    const { margin: m, gap } = Compact;
    const plans = [];
    const pads = pad ? [
        // The two groups side by side, or one above the other when that is too wide.
        { width: 2 * pad.long + gap, height: pad.short, at: (x, y) => [[x, y], [x + pad.long + gap, y]] },
        { width: pad.long, height: 2 * pad.short + gap, at: (x, y) => [[x, y], [x, y + pad.short + gap]] },
    ] : [{ width: 0, height: 0, at: () => null }];
    const padsAt = (block, x, y, column) => block.at(x, y) && block.at(x, y).map(([px, py]) => ({ x: px, y: py, column }));
    const below = pad ? gap : 0;
    for (const block of pads) {
        // The windows side by side, the controls under the game window.
        plans.push({
            limits: [[game.width + form2.width, 2 * m + gap, 'width'], [0, 2 * m + block.width, 'width'],
                [game.height, 2 * m + below + block.height, 'height'], [form2.height, 2 * m, 'height']],
            place: (s, view) => {
                const x = centred(view, (game.width + form2.width) * s + gap);
                const padX = Math.min(Math.max(m, x + (game.width * s - block.width) / 2), view.width - m - block.width);
                return {
                    game: { x, y: m }, form2: { x: x + game.width * s + gap, y: m },
                    pads: padsAt(block, padX, m + game.height * s + below, false),
                };
            },
        });
        // One above the other: the game window, the controls, the difficulty window.
        plans.push({
            limits: [[game.width, 2 * m, 'width'], [form2.width, 2 * m, 'width'], [0, 2 * m + block.width, 'width'],
                [game.height + form2.height, 2 * m + gap + below + block.height, 'height']],
            place: (s, view) => {
                const padY = m + game.height * s + below;
                return {
                    game: { x: centred(view, game.width * s), y: m },
                    form2: { x: centred(view, form2.width * s), y: padY + block.height + gap },
                    pads: padsAt(block, centred(view, block.width), padY, false),
                };
            },
        });
    }
    // The smallest screens: the difficulty window in front of the game window, as on a desk too narrow
    // for both side by side (the next game waits behind it while the player chooses).
    const block = pads[pads.length - 1];
    plans.push({
        limits: [[game.width, 2 * m, 'width'], [form2.width, 2 * m, 'width'], [0, 2 * m + block.width, 'width'],
            [game.height, 2 * m + below + block.height, 'height']],
        place: (s, view) => {
            const x = centred(view, game.width * s);
            return {
                game: { x, y: m }, form2: { x: centred(view, form2.width * s), y: m + (game.height - form2.height) * s / 2 },
                pads: padsAt(block, centred(view, block.width), m + game.height * s + below, false),
            };
        },
    });
    if (pad) {
        // A group on each side of the game window, as the hands hold a landscape phone; the difficulty
        // window beside them.
        const side = pad.short + gap;
        plans.push({
            limits: [[game.width + form2.width, 2 * m + 2 * side + gap, 'width'],
                [game.height, 2 * m, 'height'], [form2.height, 2 * m, 'height'], [0, 2 * m + pad.long, 'height']],
            place: (s, view) => {
                const x = centred(view, 2 * side + (game.width + form2.width) * s + gap);
                const gameX = x + side;
                const padY = m + Math.max(0, (game.height * s - pad.long) / 2);
                return {
                    game: { x: gameX, y: m }, form2: { x: gameX + game.width * s + side + gap, y: m },
                    pads: [{ x, y: padY, column: true }, { x: gameX + game.width * s + gap, y: padY, column: true }],
                };
            },
        });
    }
    return plans;
}

function centred(view, width) {
    return Math.max(Compact.margin, (view.width - width) / 2);
}

// The largest scale up to 1 that meets every limit; null when a limit cannot be met at any scale.
function largestScale(limits, view) {
    let scale = 1;
    for (const [a, b, room] of limits) {
        const space = view[room] - b;
        if (space < 0)
            return null;
        if (a > 0)
            scale = Math.min(scale, space / a);
    }
    return scale > 0 ? scale : null;
}
