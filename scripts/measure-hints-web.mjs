#!/usr/bin/env node
// Times the hint in the web build (build-web/site) in headless Chromium: for every puzzle, a hint on 100
// fresh scrambles and on 100 boards after 500 random taps, each timed around the module's own call; prints
// the median, the 99th percentile and the longest in milliseconds.
import { launch, serve } from '../tests/web/harness.mjs';

const SITE = process.env.TESSEL_SITE ?? 'build-web/site';
const BOARDS = Number(process.env.BOARDS ?? 100);
// A point inside each puzzle's label on the menu, in menu order, and Quit.
const PUZZLES = { Normal: [90, 70], Uneven: [90, 95], Unmovable: [70, 120], 'Almost Impossible': [30, 145],
    '15 Puzzle': [75, 195], 'Lights out': [65, 220] };
const QUIT = [119, 237];

const [site, browser] = [await serve(SITE), await launch()];
const page = await browser.newPage();
await page.goto(site.url);
const times = await page.evaluate(async ({ puzzles, quit, boards }) => {
    const { default: create } = await import('./tessel-core.js');
    const core = await create({ queuePicture() {} });
    core._TesselStart();
    core._TesselEndSplash();
    let seed = 7;
    const random = (n) => ((seed = (seed * 1103515245 + 12345) % 2147483648) % n);
    const timed = () => {
        const start = performance.now();
        core._TesselHint();
        return performance.now() - start;
    };
    const result = {};
    for (const [name, label] of Object.entries(puzzles)) {
        const scrambled = [], far = [];
        for (let i = 0; i < boards; i++) {
            core._TesselTap(...quit);
            core._TesselTap(...label);
            scrambled.push(timed());
            for (let tap = 0; tap < 500; tap++) core._TesselTap(random(239), 30 + random(190));
            far.push(timed());
        }
        result[name] = { scrambled, far };
    }
    return result;
}, { puzzles: PUZZLES, quit: QUIT, boards: BOARDS });
await browser.close();
await site.close();

const summary = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))].toFixed(1);
    return `${at(0.5).padStart(6)} ${at(0.99).padStart(6)} ${sorted.at(-1).toFixed(1).padStart(6)}`;
};
console.log('hint in Chromium, ms       scrambles: median    p99    max | far boards: median    p99    max');
for (const [name, { scrambled, far }] of Object.entries(times))
    console.log(`${name.padEnd(26)} ${summary(scrambled).padStart(27)} | ${summary(far).padStart(26)}`);
