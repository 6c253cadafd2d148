// What a fresh page shows, in Chromium: the look, from the system's preferences (emulated) and from the choice
// kept for the site, already in the very first picture and the page around it; "Tools" > "Look" switches both
// at once and a screen reader hears it. (Links to boards: watching.test.mjs.)
import assert from 'node:assert/strict';
import { test } from 'node:test';
import * as h from './harness.mjs';

const GROUND = { classic: [255, 255, 255], 'high-contrast': [255, 255, 255], dark: [18, 18, 18] };
const hex = (rgb) => `#${rgb.map((v) => v.toString(16).padStart(2, '0')).join('')}`;
const menus = Object.fromEntries(Object.keys(GROUND).map((look) => [look, h.rgbaOf(h.replayMenu(['--look', look]))]));
const LIGHT = { colorScheme: 'light', contrast: 'no-preference' };

// Runs before the page's own scripts: records every picture the game puts on its canvas, the colour the
// canvas is first filled with (its margins), and the page's colours when its body is first parsed.
function watchPage(stored) {
    if (stored) localStorage.setItem('tessel-look', stored);
    const fill = CanvasRenderingContext2D.prototype.fillRect;
    CanvasRenderingContext2D.prototype.fillRect = function (...args) {
        window.firstFill ??= this.fillStyle;
        return fill.apply(this, args);
    };
    document.addEventListener('DOMContentLoaded', () => {
        window.firstPage = [getComputedStyle(document.body).backgroundColor,
            document.querySelector('meta[name=theme-color]').content];
    });
}

// Every pixel of a picture (RGBA in base64) in one colour.
const allOf = (rgba, [r, g, b]) => Buffer.from(rgba, 'base64').every((v, i) => v === [r, g, b, 255][i % 4]);

const chromium = h.chromiumSite();
const open = (media = LIGHT, stored = null) => chromium.open({ viewport: { width: 360, height: 740 } }, '',
    (page) => Promise.all([page.emulateMedia(media), page.addInitScript(h.recordPutPictures), page.addInitScript(watchPage, stored)]));

const pictureCount = (page, n) => h.waitFor(page, (count) => window.shownPictures.length >= count, n, `${n} pictures`);
const shown = (page, i) => page.evaluate((n) => window.shownPictures[n], i);

test('Chromium: the look from the system and the kept choice, from the first picture on', { timeout: 120000 }, async () => {
    for (const [media, stored, look] of [
        [LIGHT, null, 'classic'],
        [{ colorScheme: 'dark', contrast: 'no-preference' }, null, 'dark'],
        [{ colorScheme: 'dark', contrast: 'more' }, null, 'high-contrast'],
        [{ colorScheme: 'dark', contrast: 'no-preference' }, 'classic', 'classic'],
        [LIGHT, 'dark', 'dark'],
        [LIGHT, 'pink', 'classic'],
    ]) {
        const what = `${JSON.stringify(media)}, kept ${stored}: ${look}`;
        const { page, errors, close } = await open(media, stored);
        await pictureCount(page, 8);
        assert.ok(allOf(await shown(page, 0), GROUND[look]), `${what}: the first picture, the splash's window, on its ground`);
        assert.equal(await shown(page, 7), menus[look], `${what}: the menu as tessel-replay --look draws it`);
        assert.deepEqual(await page.evaluate(() => [window.firstFill, ...window.firstPage]),
            [hex(GROUND[look]), `rgb(${GROUND[look].join(', ')})`, look === 'dark' ? '#121212' : '#ffffff'],
            `${what}: the margins, the page and its theme-color in the look from the start`);
        assert.deepEqual(errors, []);
        await close();
    }

    // Chosen from the menu: the game and the page switch at once, the item is checked, a screen reader
    // hears it, and the choice is kept. "As the system" follows the system's changes live.
    const { page, close } = await open();
    await pictureCount(page, 8);
    const choose = (look) => h.tool(page, `#look-items [data-look="${look}"]`);
    await choose('dark');
    await pictureCount(page, 9);
    assert.equal(await shown(page, 8), menus.dark, 'the menu in the dark look');
    assert.deepEqual(await page.evaluate(() => [localStorage.getItem('tessel-look'), getComputedStyle(document.body).backgroundColor,
        document.querySelector('#look-items [aria-checked=true]').dataset.look]), ['dark', 'rgb(18, 18, 18)', 'dark']);
    await h.waitFor(page, () => document.querySelector('#mirror [role=status]').textContent.trim() === 'Dark look',
        null, 'the look said');
    await choose('system');
    await pictureCount(page, 10);
    assert.equal(await shown(page, 9), menus.classic, 'as the light system');
    await page.emulateMedia({ colorScheme: 'dark' });
    await pictureCount(page, 11);
    assert.equal(await shown(page, 10), menus.dark, 'following the system');
    assert.equal(await h.stored(page, 'tessel-look'), null, 'nothing kept for it');
    await close();
});
