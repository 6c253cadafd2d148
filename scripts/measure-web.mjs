#!/usr/bin/env node
// Measures the web version as built in build-web/site (scripts/web.sh --build-only): the size of what a
// phone downloads, each file and in all, as stored and compressed (gzip -9 and brotli, as web servers send
// it); and the time from navigation to the first splash frame in headless Chromium, on a first visit (fresh
// profile) and on a repeat visit (files from the service worker), median of several runs. SIZES_ONLY=1
// leaves the times out.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { launch, serve } from '../tests/web/harness.mjs';

const SITE = process.env.TESSEL_SITE ?? 'build-web/site';
const RUNS = 9;

const files = fs.readdirSync(SITE, { recursive: true }).filter((file) => fs.statSync(path.join(SITE, file)).isFile());
// A page in English downloads no catalogue, nor the core that reads them, nor languages.js; a page in
// another language downloads those, its own catalogue only, and tessel-core-languages in place of tessel-core.
const catalogue = (file) => /^(lang[/\\]|tessel-core-languages|languages\.js)/.test(file);
const total = { stored: 0, gzip: 0, brotli: 0 };
console.log('file                      stored     gzip   brotli');
for (const file of files.sort()) {
    const data = fs.readFileSync(path.join(SITE, file));
    const size = { stored: data.length, gzip: zlib.gzipSync(data, { level: 9 }).length,
        brotli: zlib.brotliCompressSync(data).length };
    if (!catalogue(file)) for (const key in total) total[key] += size[key];
    console.log(file.padEnd(24), ...Object.values(size).map((n) => String(n).padStart(8)));
}
console.log('the English page'.padEnd(24), ...Object.values(total).map((n) => String(n).padStart(8)));
console.log(`download in English: ${(total.gzip / 1024).toFixed(1)} KiB with gzip, ${(total.brotli / 1024).toFixed(1)} KiB with brotli; another language adds its lang/ file and languages.js, and takes tessel-core-languages`);

if (process.env.SIZES_ONLY) process.exit(0);

// Milliseconds from the start of the navigation to the page's mark for its first splash frame.
async function firstFrame(page) {
    await page.waitForFunction(() => performance.getEntriesByName('tessel-first-frame').length > 0);
    return page.evaluate(() => performance.getEntriesByName('tessel-first-frame')[0].startTime);
}
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

const [site, browser] = [await serve(SITE), await launch()];
const first = [], repeat = [];
for (let run = 0; run < RUNS; run++) {
    const context = await browser.newContext({ viewport: { width: 360, height: 740 }, deviceScaleFactor: 3,
        isMobile: true, hasTouch: true });
    const page = await context.newPage();
    await page.goto(site.url);
    first.push(await firstFrame(page));
    await page.waitForFunction(() => navigator.serviceWorker.controller);
    await page.reload();
    repeat.push(await firstFrame(page));
    await context.close();
}
await browser.close();
await site.close();
const report = (name, values) => console.log(`first splash frame, ${name}: median ${median(values).toFixed(0)} ms ` +
    `(${Math.min(...values).toFixed(0)} to ${Math.max(...values).toFixed(0)} ms over ${values.length} runs)`);
report('first visit', first);
report('repeat visit', repeat);
