// The web page in Chromium, on a desktop viewport with a mouse and a phone viewport with a finger: scale and
// place, splash and drain, every frame of a move, exact taps, landscape, About, play with no network.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { decodePng, findPicture, fromRgb, launch, replayStartPicture, serve } from './harness.mjs';

const SITE = process.env.TESSEL_SITE ?? 'build-web/site';
const DESKTOP = { viewport: { width: 1280, height: 800 } };
const PHONE = { viewport: { width: 360, height: 740 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
// Game pixels the taps aim at: the top-left corner of "Normal" on the menu, a point above column 2 of the
// "Normal" board (its up arrow), the Quit button. Column 2 of that board and the top of its row 1.
const NORMAL_LABEL = [86, 65], COLUMN_2_UP = [107, 40], QUIT = [119, 237];
const COLUMN_2 = 95, ROW_1 = 85, CELL = 24, HALF = 12;

let browser, menu;
before(async () => [browser, menu] = [await launch(), replayStartPicture()]);
after(() => browser?.close());

// At the end of every display frame the page asks for, records the game picture on the canvas (the centre
// pixel of each k x k block) and the frame's time, when it differs from the one recorded before.
function recordPictures({ k, left, width, height }) {
    window.pictures = [];
    const requestFrame = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => requestFrame((time) => {
        callback(time);
        const canvas = document.querySelector('canvas').getContext('2d');
        const data = canvas.getImageData(left, 0, width * k, height * k).data;
        const rgb = new Uint8Array(width * height * 3);
        for (let i = 0; i < width * height; i++) {
            const at = ((Math.floor(i / width) * k + (k >> 1)) * width * k + (i % width) * k + (k >> 1)) * 4;
            rgb.set(data.subarray(at, at + 3), i * 3);
        }
        const last = window.pictures.at(-1)?.rgb;
        if (!last || rgb.some((value, i) => value !== last[i])) window.pictures.push({ t: time, rgb });
    });
}

// The pictures recorded, once there are `count` of them and a moment has passed for any beyond.
async function pictures(page, count = 0) {
    await page.waitForFunction((n) => window.pictures?.length >= n, count, { timeout: 5000 }).catch(() => {});
    await page.waitForTimeout(300);
    const recorded = await page.evaluate(() => window.pictures.map(({ t, rgb }) =>
        ({ t, rgb: btoa(Array.from(rgb, (value) => String.fromCharCode(value)).join('')) })));
    const picture = (rgb) => fromRgb(Buffer.from(rgb, 'base64'), menu.width, menu.height);
    return recorded.map(({ t, rgb }) => ({ t, ...picture(rgb) }));
}

const same = (a, b) => a.px.every((value, i) => value === b.px[i]);
const darkness = (p) => p.px.reduce((sum, v) => sum + 765 - (v >> 16) - (v >> 8 & 255) - (v & 255), 0);
// Whether `a` shows over the rectangle (x, y, w, h) what `b` shows over the same one moved down by dy.
function sameArea(a, b, x, y, w, h, dy = 0) {
    return Array.from({ length: w * h }, (_, i) => [x + i % w, y + (i / w | 0)])
        .every(([col, row]) => a.at(col, row) === b.at(col, row + dy));
}

// Waits until a screenshot shows the menu: where and at what scale, in device pixels; null if it never does.
async function findMenu(page, device) {
    const ratio = device.deviceScaleFactor ?? 1;
    const css = await page.locator('#game').boundingBox();
    const box = Object.fromEntries(Object.entries(css).map(([key, v]) => [key, Math.round(v * ratio)]));
    for (let tries = 0; ; tries++) {
        const found = findPicture(decodePng(await page.screenshot()), box, menu);
        if (found || tries === 30) return found && { ...found, box, ratio };
        await page.waitForTimeout(200);
    }
}

// A tap on the device pixel (dx, dy) of game pixel (x, y), (0, 0) being its top-left one.
function tap(page, device, at, [x, y], dx = 0, dy = 0) {
    const [cssX, cssY] = [at.left + x * at.k + dx, at.top + y * at.k + dy].map((v) => (v + 0.5) / at.ratio);
    return device.hasTouch ? page.touchscreen.tap(cssX, cssY) : page.mouse.click(cssX, cssY);
}

async function playThrough(t, device, phone) {
    const [site, context] = [await serve(SITE), await browser.newContext(device)];
    t.after(() => context.close().then(site.close));
    const page = await context.newPage(), problems = [];
    page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
    page.on('pageerror', (error) => problems.push(error.message));
    await page.goto(site.url);

    // The menu, whatever the viewport's shape: tessel-replay's start picture, every game pixel an exact
    // k x k block, k the largest whole number that fits, at the top, centred, white around.
    const at = await findMenu(page, device);
    assert.ok(at, "the menu is tessel-replay's start picture at a whole scale");
    assert.equal(at.top, at.box.y);
    assert.ok(Math.abs(2 * (at.left - at.box.x) - (at.box.width - menu.width * at.k)) <= 1, 'centred');
    assert.ok(menu.width * (at.k + 1) > at.box.width || menu.height * (at.k + 1) > at.box.height, 'largest');

    // From the start again, recording every picture. Of the taps made during the splash the first (on
    // "Normal") is played, the next 20 (on an arrow) are dropped, the last (on the same arrow) is played.
    const geometry = { k: at.k, left: at.left - at.box.x, width: menu.width, height: menu.height };
    await page.addInitScript(recordPictures, geometry);
    await page.reload();
    await page.waitForFunction(() => window.pictures?.length >= 2);
    await tap(page, device, at, NORMAL_LABEL);
    for (let i = 0; i < 21; i++) await tap(page, device, at, COLUMN_2_UP);
    assert.ok(await page.evaluate(() => window.pictures.length < 7), 'the taps were made during the splash');
    const shown = await pictures(page, 11);
    assert.equal(shown.length, 11, 'seven splash pictures, the menu, the board, one shift in two frames');

    // The emblem fades in and out through the same greys, each held 300 ms, black 600 ms.
    const [splash, [shownMenu, board, halfStep, shifted]] = [shown.slice(0, 7), shown.slice(7)];
    const dark = splash.map(darkness);
    assert.ok(dark[0] === 0 && dark[6] === 0 && 0 < dark[1] && dark[1] < dark[2] && dark[2] < dark[3]);
    assert.ok(same(splash[1], splash[5]) && same(splash[2], splash[4]));
    splash.forEach((p, i) => assert.ok(shown[i + 1].t - p.t >= (i === 3 ? 598 : 298), `hold of splash ${i}`));
    assert.ok(same(shownMenu, menu) && !same(board, menu));

    // The half-step frame, column 2 half a cell up, comes before the final board, where the column's tiles
    // have moved up one cell and the first has come round to the bottom; nothing else has changed.
    assert.ok(sameArea(halfStep, board, COLUMN_2, ROW_1, CELL, 3 * CELL + HALF, HALF), 'half step');
    for (let row = 0; row < 4; row++) {
        const dy = ((row + 1) % 4 - row) * CELL;
        assert.ok(sameArea(shifted, board, COLUMN_2, ROW_1 + row * CELL, CELL, CELL, dy), `row ${row + 1}`);
    }
    assert.ok(sameArea(shifted, board, 0, 0, COLUMN_2, menu.height), 'left of the column');
    assert.ok(sameArea(shifted, board, COLUMN_2 + CELL, 0, menu.width, menu.height), 'right of the column');

    // Quit; then taps one device pixel beside the label (left of it, above it) do nothing.
    await tap(page, device, at, QUIT);
    await tap(page, device, at, [NORMAL_LABEL[0] - 1, NORMAL_LABEL[1]], at.k - 1, 0);
    await tap(page, device, at, [NORMAL_LABEL[0], NORMAL_LABEL[1] - 1], 0, at.k - 1);
    const afterQuit = await pictures(page, 12);
    assert.ok(afterQuit.length === 12 && same(afterQuit[11], menu));

    if (phone) {
        // Held sideways: the message alone, taps ignored; upright again: the game as it was, taking taps.
        await page.setViewportSize({ width: 740, height: 360 });
        await page.getByText('Sorry, current release version').waitFor();
        assert.ok(await page.getByText(" doesn't support horizontal view mode.").isVisible());
        await page.touchscreen.tap(100, 100);
        await page.setViewportSize(device.viewport);
        assert.ok(await findMenu(page, device));
        await tap(page, device, at, NORMAL_LABEL);
        assert.equal((await pictures(page, 13)).length, 13, 'only the tap made upright played');
    }

    // The About box from the bar and on Ctrl+A; OK closes it, and no tap on it reaches the game.
    const about = page.getByRole('dialog', { name: 'About Tessel' });
    const fromBar = () => page.getByText('Tools').click().then(() => page.getByRole('menuitem').click());
    const count = (await pictures(page)).length;
    for (const open of [fromBar, () => page.keyboard.press('Control+A')]) {
        await open();
        await about.waitFor();
        assert.ok(await about.getByText('Tessel Version 1.0').isVisible());
        await about.getByRole('button', { name: 'OK' }).click();
        await about.waitFor({ state: 'hidden' });
    }
    assert.equal((await pictures(page)).length, count);
    assert.deepEqual(problems, []);

    // With the server gone the page comes back from what the service worker kept, up to the menu.
    await page.waitForFunction(() => navigator.serviceWorker.controller, null, { timeout: 10000 });
    await site.close();
    await page.reload();
    assert.ok(await findMenu(page, device));
}

test('desktop browser, mouse, 1280 x 800', { timeout: 120000 }, (t) => playThrough(t, DESKTOP, false));
test('phone, touch, 360 x 740 at 3x', { timeout: 120000 }, (t) => playThrough(t, PHONE, true));
