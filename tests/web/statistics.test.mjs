// Tools > Statistics on the page in Chromium, at a phone's width: the log of solves kept in the site's storage
// (two writers add up, a log that cannot be read kept under another name, a full storage told once while the
// game plays on, all cleared on request), and the box's chart in each look, its pixels looked at.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { PNG } from 'pngjs';
import * as h from './harness.mjs';

const chromium = h.chromiumSite();
// Boards of Lights out and taps that solve them (found by following hints in tessel-replay).
const SOLVES = {
    'lights-out-1000': [[95, 109], [119, 109], [167, 109], [95, 133], [167, 133], [167, 157]],
    'lights-out-1001': [[119, 85], [143, 85], [167, 85], [71, 133], [167, 157], [71, 181]],
    'lights-out-1002': [[71, 85], [143, 85], [71, 133], [143, 133], [71, 157], [95, 157], [119, 157], [95, 181]],
};
// A solve another copy of the game logged.
const OTHERS = 'tessel solves 1\nnormal 1765250905000 normal-4297 2 300 0 10,20,0 30,40,300\n';
const DAMAGED = 'tessel solves 1\nnormal 5 - 0 0 0\n';

// Starts the board by its link and taps its solve, as a mouse would.
async function solve(page, id) {
    await page.evaluate((hash) => { location.hash = hash; }, id);
    await page.waitForFunction(() => /^0 /.test(document.getElementById('counts').textContent));
    for (const point of SOLVES[id]) await h.clickGame(page, point);
}
const solves = (page) => page.evaluate(() => document.querySelector('.statistics-numbers tbody td').textContent);

// The most frequent colour, and the colours of the chart's lines: its most frequent strong hues.
function coloursOf(png) {
    const { data } = PNG.sync.read(png), counts = new Map();
    for (let i = 0; i < data.length; i += 4) {
        const rgb = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        counts.set(rgb, (counts.get(rgb) ?? 0) + 1);
    }
    const byCount = [...counts].sort((a, b) => b[1] - a[1]).map(([rgb]) => rgb);
    const hued = byCount.filter((rgb) => { const c = [rgb >> 16, (rgb >> 8) & 255, rgb & 255]; return Math.max(...c) - Math.min(...c) > 80; });
    return { ground: byCount[0], lines: hued.slice(0, 2) };
}

test('Chromium: the log of solves in the site\'s storage and its chart', { timeout: 180000 }, async () => {
    const { page, context, errors, close } = await chromium.open({ viewport: { width: 360, height: 740 } }, '',
        (p) => p.addInitScript((others) => {
            if (!sessionStorage.getItem('seeded')) localStorage.setItem('tessel-solves', others);
            sessionStorage.setItem('seeded', '1');
            window.confirm = () => true;
        }, OTHERS));
    await page.waitForFunction(() => document.getElementById('mirror') && !document.getElementById('mirror').hidden);
    // Solves here add to the one another copy stored.
    for (let i = 0; i < 14; i++) await solve(page, Object.keys(SOLVES)[i % 3]);
    await page.waitForFunction(() => localStorage.getItem('tessel-solves')?.split('\n').length === 17);
    assert.match(await h.stored(page, 'tessel-solves'),
        /^tessel solves 1\n(lights-out \d+ lights-out-100[012] [68] \d+ 0 .*\n){14}normal 1765250905000 normal-4297 /);
    await page.evaluate(() => document.getElementById('statistics-item').click());
    const lightsOut = await page.evaluate(() => document.querySelector('#statistics-puzzle').options[0].textContent);
    assert.equal(lightsOut, 'Lights out', 'the shown puzzle first');
    for (const look of ['classic', 'high-contrast', 'dark']) {
        await page.evaluate((l) => globalThis.tesselLook.choose(l), look);
        const chart = page.locator('.statistics-chart');
        const box = await chart.boundingBox();
        assert.ok(box.x >= 0 && box.x + box.width <= 360, `${look}: the chart within the phone's width`);
        assert.ok(await page.evaluate(() => document.getElementById('statistics').scrollWidth <= 360), `${look}: nothing wider`);
        // Drawn in the look's colours, which the game holds to their contrast (tests/looks_test.cpp).
        const { ground, lines } = coloursOf(await chart.screenshot());
        const given = await page.evaluate(() => [document.querySelector('.statistics-chart rect').getAttribute('fill'),
            ...[...document.querySelectorAll('.statistics-chart polyline')].map((line) => line.getAttribute('stroke'))]
            .map((colour) => parseInt(colour.slice(1), 16)));
        assert.deepEqual([ground, ...[...lines].sort()], [given[0], ...given.slice(1).sort()], `${look}: ground and lines`);
    }
    // A screen reader reads the chart's name, the sentence of the averages and the table of solves.
    const read = await page.evaluate(() => [document.querySelector('.statistics-chart').getAttribute('aria-label'),
        document.querySelector('.statistics-sentence').textContent, document.querySelectorAll('.statistics-solves tbody tr').length]);
    assert.match(read[0], /^The times of the last 14 solves/);
    assert.match(read[1], /^14 solves: best time \d/);
    assert.equal(read[2], 14);
    await page.evaluate(() => document.getElementById('statistics').close());

    // Another tab stores a log that cannot be read: this one keeps it aside, whole, and plays on.
    const other = await context.newPage();
    await other.goto(new URL(page.url()).origin + '/manifest.webmanifest');
    await other.evaluate((damaged) => localStorage.setItem('tessel-solves', damaged), DAMAGED).then(() => other.close());
    await page.waitForFunction(() => localStorage.getItem('tessel-solves-unreadable') !== null);
    assert.deepEqual([await h.stored(page, 'tessel-solves-unreadable'), await h.stored(page, 'tessel-solves')], [DAMAGED, null]);
    await solve(page, 'lights-out-1001');
    await page.waitForFunction(() => localStorage.getItem('tessel-solves')?.includes('lights-out-1001'));
    assert.equal(await h.stored(page, 'tessel-solves-unreadable'), DAMAGED, 'never dropped');
    // The storage full: the game plays on and the page says once that solves are not kept.
    await page.evaluate(() => {
        const setItem = Storage.prototype.setItem;
        Storage.prototype.setItem = function (key, value) {
            if (key === 'tessel-solves') throw new DOMException('full', 'QuotaExceededError');
            return setItem.call(this, key, value);
        };
    });
    await solve(page, 'lights-out-1002');
    assert.equal(await h.note(page), 'The browser\'s storage is full: solves are not being kept.');
    await page.evaluate(() => { document.getElementById('note').textContent = ''; });
    await solve(page, 'lights-out-1000');
    await page.waitForFunction(() => document.getElementById('counts').textContent.startsWith('6 moves'));
    assert.equal(await h.textOf(page, 'note'), '', 'told once');
    // The solves are counted still, by the records, which go further than the log (its two since the one it
    // could not read); cleared once asked, the records and the log are gone from the storage too.
    await page.evaluate(() => document.getElementById('statistics-item').click());
    assert.equal(await solves(page), '17');
    assert.match(await h.stored(page, 'tessel-records'), /^tessel records 1\nlights-out 17 \d+ \d+\n$/);
    await page.evaluate(() => [...document.querySelectorAll('#statistics-body button')].find((b) => b.textContent === 'Clear...').click());
    assert.deepEqual([await h.stored(page, 'tessel-records'), await h.stored(page, 'tessel-solves'), await solves(page)],
        [null, null, '0'], 'cleared');
    assert.deepEqual(errors, []);
    await close();
});
