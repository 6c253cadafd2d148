// The page's look in Chromium: from the system's preferences (emulated) and from the choice kept for the
// site, already in the very first picture and the page around it; "Tools" > "Look" switches both at once and
// a screen reader hears it.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import { test } from 'node:test';
import { PNG } from 'pngjs';
import * as h from './harness.mjs';

const GROUND = { classic: [255, 255, 255], 'high-contrast': [255, 255, 255], dark: [18, 18, 18] };
const hex = (rgb) => `#${rgb.map((v) => v.toString(16).padStart(2, '0')).join('')}`;

// tessel-replay's menu in a look, as the RGBA bytes of the canvas's pictures, in base64.
function replayMenu(look) {
    const dir = fs.mkdtempSync(`${os.tmpdir()}/tessel-look-`);
    h.replay(['--look', look, '--frames', dir], []);
    const rgba = Buffer.from(PNG.sync.read(fs.readFileSync(`${dir}/00000.png`)).data).toString('base64');
    fs.rmSync(dir, { recursive: true });
    return rgba;
}
const menus = Object.fromEntries(Object.keys(GROUND).map((look) => [look, replayMenu(look)]));

// Runs before the page's own scripts: records every picture the game puts on its canvas, the colour the
// canvas is first filled with (its margins), and the page's colours when its body is first parsed.
function watchPage(stored) {
    if (stored) localStorage.setItem('tessel-look', stored);
    window.shownPictures = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
        let text = '';
        for (let i = 0; i < image.data.length; i += 8192) text += String.fromCharCode(...image.data.subarray(i, i + 8192));
        window.shownPictures.push(btoa(text));
        return put.call(this, image, ...rest);
    };
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

async function open(browser, url, media, stored = null) {
    const context = await browser.newContext({ viewport: { width: 360, height: 740 } });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.emulateMedia(media);
    await page.addInitScript(watchPage, stored);
    await page.goto(url);
    return { page, errors, close: () => context.close() };
}

const pictureCount = (page, n) => h.waitFor(page, (count) => window.shownPictures.length >= count, n, `${n} pictures`);

test('Chromium: the look from the system and the kept choice, from the first picture on', { timeout: 120000 }, async () => {
    const site = await h.serve();
    const browser = await h.launch();
    try {
        for (const [media, stored, look] of [
            [{ colorScheme: 'light', contrast: 'no-preference' }, null, 'classic'],
            [{ colorScheme: 'dark', contrast: 'no-preference' }, null, 'dark'],
            [{ colorScheme: 'dark', contrast: 'more' }, null, 'high-contrast'],
            [{ colorScheme: 'dark', contrast: 'no-preference' }, 'classic', 'classic'],
            [{ colorScheme: 'light', contrast: 'no-preference' }, 'dark', 'dark'],
            [{ colorScheme: 'light', contrast: 'no-preference' }, 'pink', 'classic'],
        ]) {
            const what = `${JSON.stringify(media)}, kept ${stored}: ${look}`;
            const { page, errors, close } = await open(browser, site.url, media, stored);
            await pictureCount(page, 8);
            const [first, menu] = await page.evaluate(() => [window.shownPictures[0], window.shownPictures[7]]);
            assert.ok(allOf(first, GROUND[look]), `${what}: the first picture, the splash's window, on its ground`);
            assert.equal(menu, menus[look], `${what}: the menu as tessel-replay --look draws it`);
            assert.deepEqual(await page.evaluate(() => [window.firstFill, ...window.firstPage]),
                [hex(GROUND[look]), `rgb(${GROUND[look].join(', ')})`, look === 'dark' ? '#121212' : '#ffffff'],
                `${what}: the margins, the page and its theme-color in the look from the start`);
            assert.deepEqual(errors, []);
            await close();
        }

        // Chosen from the menu: the game and the page switch at once, the item is checked, a screen reader
        // hears it, and the choice is kept. "As the system" follows the system's changes live.
        const { page, close } = await open(browser, site.url, { colorScheme: 'light', contrast: 'no-preference' });
        await pictureCount(page, 8);
        const choose = async (look) => {
            await page.click('#tools');
            await page.click(`#look-items [data-look="${look}"]`);
        };
        await choose('dark');
        await pictureCount(page, 9);
        assert.equal(await page.evaluate(() => window.shownPictures[8]), menus.dark, 'the menu in the dark look');
        assert.deepEqual(await page.evaluate(() => [localStorage.getItem('tessel-look'),
            getComputedStyle(document.body).backgroundColor,
            document.querySelector('#look-items [aria-checked=true]').dataset.look]), ['dark', 'rgb(18, 18, 18)', 'dark']);
        await h.waitFor(page, () => document.querySelector('#mirror [role=status]').textContent.trim() === 'Dark look',
            null, 'the look said');
        await choose('system');
        await pictureCount(page, 10);
        assert.equal(await page.evaluate(() => window.shownPictures[9]), menus.classic, 'as the light system');
        await page.emulateMedia({ colorScheme: 'dark' });
        await pictureCount(page, 11);
        assert.equal(await page.evaluate(() => window.shownPictures[10]), menus.dark, 'following the system');
        assert.equal(await page.evaluate(() => localStorage.getItem('tessel-look')), null, 'nothing kept for it');
        await close();
    } finally {
        await browser.close();
        await site.close();
    }
});
