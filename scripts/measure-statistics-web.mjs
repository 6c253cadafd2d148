#!/usr/bin/env node
// Measures "Tools" > "Statistics" on the web version as built in build-web/site, in headless Chromium at 4x
// CPU slowdown (the DevTools protocol's throttling), on a phone's screen: the time from the click on the
// item to the box laid out and painted, with 1,000 solves in each of the six puzzles stored. Median of
// several runs. (A solve logged is timed natively: bench/statistics_bench.cpp.)
//   node scripts/measure-statistics-web.mjs [LOG]   LOG: a log to show instead, for a look at it
//   SHOTS=DIR writes screenshots of the box in each look there.
import fs from 'node:fs';
import { launch, serve } from '../tests/web/harness.mjs';

const SITE = process.env.TESSEL_SITE ?? 'build-web/site';
const RUNS = 7;
const PUZZLES = ['15-puzzle', 'almost-impossible', 'lights-out', 'normal', 'uneven', 'unmovable'];

// 1,000 solves a puzzle, as the game writes them: newest first, each move a tap on the picture, its times
// adding up to the solve's.
function bigLog() {
    const lines = ['tessel solves 1'];
    const end = Date.UTC(2026, 11, 9);
    for (const name of PUZZLES) {
        for (let i = 0; i < 1000; i++) {
            const moves = 20 + (i * 7) % 30, taps = [];
            let ms = 0;
            for (let m = 0; m < moves; m++) {
                const d = m === 0 ? 0 : 200 + ((i * 31 + m * 17) % 600);
                ms += d;
                taps.push(`107,40,${d}`);
            }
            const id = name === "unmovable" ? `unmovable-1-1-${1000 + i}` : `${name}-${1000 + i}`;
            lines.push(`${name} ${end - i * 600000} ${id} ${moves} ${ms} ${i % 17 === 0 ? 1 : 0} ${taps.join(' ')}`);
        }
    }
    return `${lines.join('\n')}\n`;
}
const log = process.argv[2] ? fs.readFileSync(process.argv[2], 'utf8') : bigLog();
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

const [site, browser] = [await serve(SITE), await launch()];
const opening = [], shown = [];
for (let run = 0; run < RUNS; run++) {
    const context = await browser.newContext({ viewport: { width: 360, height: 740 }, isMobile: true, hasTouch: true });
    const page = await context.newPage();
    await page.addInitScript((text) => {
        if (!sessionStorage.getItem('stored')) localStorage.setItem('tessel-solves', text);
        sessionStorage.setItem('stored', '1');
    }, log);
    await page.goto(site.url);
    await page.waitForFunction(() => document.getElementById('counts') && window.performance.now() > 3000);
    const cdp = await context.newCDPSession(page);
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
    const [built, painted] = await page.evaluate(() => new Promise((resolve) => {
        const start = performance.now();
        document.getElementById('statistics-item').click();
        // Built and laid out: the layout forced at once; painted: the next frame's.
        void document.getElementById('statistics').getBoundingClientRect().height;
        const laidOut = performance.now() - start;
        requestAnimationFrame(() => setTimeout(() => resolve([laidOut, performance.now() - start]), 0));
    }));
    opening.push(built);
    shown.push(painted);
    if (process.env.SHOTS && run === 0) {
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: 1 });
        for (const look of ['classic', 'high-contrast', 'dark']) {
            await page.evaluate((l) => globalThis.tesselLook.choose(l), look);
            await page.screenshot({ path: `${process.env.SHOTS}/web-statistics-${look}.png` });
        }
        await page.evaluate(() => globalThis.tesselLook.choose('system'));
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
    }
    await page.evaluate(() => document.getElementById('statistics').close());
    await context.close();
}
await browser.close();
await site.close();
const report = (name, values) => console.log(`${name}: median ${median(values).toFixed(1)} ms ` +
    `(${Math.min(...values).toFixed(1)} to ${Math.max(...values).toFixed(1)} ms over ${values.length} runs)`);
report('Statistics built and laid out, Chromium at 4x CPU slowdown', opening);
report('Statistics painted (the next frame), Chromium at 4x CPU slowdown', shown);
