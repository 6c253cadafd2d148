#!/usr/bin/env node
// Audits the web version as built in build-web/site (scripts/web.sh --build-only) with Lighthouse in the
// system's Chromium, with its mobile and its desktop preset, and prints every audit that fell short, then
// the four scores and the performance metrics as a Markdown table. Not part of the tests.
// Lighthouse (about 130 packages) is fetched by npm on first use, at the pinned version, rather than kept in
// package-lock.json, so that the test command and CI do not install it.
import { execFileSync } from 'node:child_process';
import { serve } from '../tests/web/harness.mjs';

const LIGHTHOUSE = 'lighthouse@12.2.3';
const CATEGORIES = ['performance', 'accessibility', 'best-practices', 'seo'];
const METRICS = ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time',
    'cumulative-layout-shift', 'speed-index'];

const site = await serve(process.env.TESSEL_SITE ?? 'build-web/site');
const results = {};
try {
    for (const preset of ['mobile', 'desktop']) {
        const args = ['exec', '--yes', `--package=${LIGHTHOUSE}`, '--', 'lighthouse', site.url, '--quiet',
            '--output=json', '--chrome-flags=--headless=new --no-sandbox --disable-gpu',
            ...(preset === 'desktop' ? ['--preset=desktop'] : [])];
        const env = { ...process.env, CHROME_PATH: process.env.CHROMIUM ?? '/usr/lib/chromium/chromium' };
        const report = JSON.parse(execFileSync('npm', args, { env, maxBuffer: 1 << 28 }));
        results[preset] = report;
        for (const category of CATEGORIES) {
            for (const { id } of report.categories[category].auditRefs) {
                const audit = report.audits[id];
                if (category !== 'performance' && audit.score !== null && audit.score < 1) {
                    console.log(`${preset}, ${category}: ${id}: ${audit.title} (${audit.score})`);
                }
            }
        }
    }
} finally {
    await site.close();
}

const row = (name, cell) => `| ${name} | ${Object.values(results).map(cell).join(' | ')} |`;
console.log(`\nLighthouse ${results.mobile.lighthouseVersion}, ${results.mobile.environment.hostUserAgent}`);
console.log(`| Lighthouse | mobile | desktop |\n|---|---|---|`);
for (const id of CATEGORIES) console.log(row(results.mobile.categories[id].title, (r) => r.categories[id].score * 100));
for (const id of METRICS) console.log(row(results.mobile.audits[id].title, (r) => r.audits[id].displayValue));
