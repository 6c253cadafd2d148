#!/usr/bin/env node
// Times the hint in the web build (build-web/site) in headless Chromium: for every puzzle, a hint on 100
// fresh scrambles and on 100 boards after 500 random taps, each timed around the module's own call; prints
// the median, the 95th percentile and the longest in milliseconds (the first hint of "Almost Impossible"
// builds its tables). Then the page itself, building tables ahead while keys are pressed.
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
const { built, result: times } = await page.evaluate(async ({ puzzles, quit, boards }) => {
    const { default: create } = await import('./tessel-core.js');
    const core = await create({ queuePicture() {} });
    core._TesselStart();
    core._TesselEndSplash();
    // As the page does, the tables of the line puzzles built before the first hint, here at once.
    const start = performance.now();
    while (!core._TesselBuildHintsAhead(1 << 30)) {}
    const built = performance.now() - start;
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
            core._TesselTap(...label);
            scrambled.push(timed());
            for (let tap = 0; tap < 500; tap++) core._TesselTap(random(239), 30 + random(190));
            far.push(timed());
            core._TesselTap(...quit);  // back to the menu (on the menu itself, this point is "Lights out")
        }
        result[name] = { scrambled, far };
    }
    return { built, result };
}, { puzzles: PUZZLES, quit: QUIT, boards: BOARDS });

// The page builds the tables of the line puzzles ahead in idle slices once its splash is over: how
// long that takes, and how long keys pressed meanwhile wait for their picture (the Event Timing API, which
// reports those of 16 ms and more; the first key always).
for (let run = 0; run < 5; run++) {
    const live = await browser.newPage();
    await live.addInitScript(() => {
        window.waits = [];
        new PerformanceObserver((list) => window.waits.push(...list.getEntries()
            .filter((entry) => entry.name === 'keydown').map((entry) => [entry.startTime, entry.duration])))
            .observe({ type: 'event', durationThreshold: 16 });
        new PerformanceObserver((list) => window.waits.push(...list.getEntries()
            .map((entry) => [entry.startTime, entry.duration]))).observe({ type: 'first-input' });
    });
    await live.goto(site.url);
    await live.waitForFunction(() => performance.getEntriesByName('tessel-hint-build').length > 0, null,
        { polling: 5, timeout: 30000 });
    let pressed = 0;
    while (await live.evaluate(() => performance.getEntriesByType('measure').length === 0)) {
        await live.keyboard.press(pressed++ % 2 ? 'ArrowUp' : 'ArrowDown');
        await new Promise((resolve) => setTimeout(resolve, 25));
    }
    const { build, during } = await live.evaluate(() => {
        const [measure] = performance.getEntriesByType('measure');
        const end = measure.startTime + measure.duration;
        return { build: measure.duration,
            during: window.waits.filter(([t]) => t >= measure.startTime && t <= end).map(([, d]) => d) };
    });
    console.log(`tables built ahead: ${build.toFixed(0)} ms after the splash, ${pressed} keys pressed meanwhile, ` +
        `longest wait for a picture ${Math.max(0, ...during).toFixed(0)} ms`);
    await live.close();
}

await browser.close();
await site.close();

const summary = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))].toFixed(1);
    return `${at(0.5).padStart(6)} ${at(0.95).padStart(6)} ${sorted.at(-1).toFixed(1).padStart(6)}`;
};
console.log(`tables of the line puzzles built at once: ${built.toFixed(0)} ms`);
console.log('hint in Chromium, ms       scrambles: median    p95    max | far boards: median    p95    max');
for (const [name, { scrambled, far }] of Object.entries(times))
    console.log(`${name.padEnd(26)} ${summary(scrambled).padStart(27)} | ${summary(far).padStart(26)}`);
