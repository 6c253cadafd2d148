// The web page in Chromium, played on a desktop with a mouse and on a phone with a finger.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import { after, before, test } from 'node:test';
import { findPicture, launch, recordPictures, serve } from './harness.mjs';

// Game pixels: "Normal"'s top-left corner, column 2's up arrow on its board, Quit; that column and row 1.
const NORMAL_LABEL = [86, 65], COLUMN_2_UP = [107, 40], QUIT = [119, 237];
const COLUMN_2 = 95, ROW_1 = 85, CELL = 24;
const DESKTOP = { viewport: { width: 1280, height: 800 } };
const PHONE = { viewport: { width: 360, height: 740 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

let browser, menu; // menu: tessel-replay's start picture, a PNG in base64
before(async () => {
    const frames = fs.mkdtempSync(`${os.tmpdir()}/tessel-frames-`);
    execFileSync(process.env.TESSEL_REPLAY ?? 'build/bin/tessel-replay', ['--frames', frames, '/dev/null']);
    [menu, browser] = [fs.readFileSync(`${frames}/00000.png`).toString('base64'), await launch()];
    fs.rmSync(frames, { recursive: true });
});
after(() => browser?.close());

// Waits until the canvas shows the menu; where and at what scale, in device pixels.
async function findMenu(page, tries = 30) {
    const shot = (await page.locator('#game').screenshot()).toString('base64');
    const found = await page.evaluate(findPicture, { shot, reference: menu });
    if (found || tries === 0) return found ?? assert.fail('the menu is not on the canvas at a whole scale');
    return page.waitForTimeout(200).then(() => findMenu(page, tries - 1));
}

// The pictures recorded, once there are `count` of them and a moment has passed for any beyond.
async function pictures(page, count = 0) {
    await page.waitForFunction((n) => window.pictures?.length >= n, count, { timeout: 5000 }).catch(() => {});
    return page.waitForTimeout(300).then(() => page.evaluate(() => window.pictures));
}

// The picture with column 2 rolled up by dy game pixels, its top coming round at the bottom.
function rolled({ rgba, width }, dy) {
    const from = Buffer.from(rgba, 'base64'), to = Buffer.from(from);
    const row = (y) => ((ROW_1 + y % (4 * CELL)) * width + COLUMN_2) * 4;
    for (let y = 0; y < 4 * CELL; y++) from.copy(to, row(y), row(y + dy), row(y + dy) + CELL * 4);
    return to.toString('base64');
}

async function playThrough(t, device) {
    const site = await serve(), context = await browser.newContext(device);
    const page = await context.newPage(), problems = [], ratio = device.deviceScaleFactor ?? 1;
    t.after(() => context.close().then(site.close));
    page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
    page.on('pageerror', (error) => problems.push(error.message));
    await page.goto(site.url);

    // tessel-replay's menu, at the top, centred, white around, every pixel a k x k block, k as large as fits.
    const at = await findMenu(page), [[width, height], [screenWidth, screenHeight]] = [at.size, at.screen];
    assert.ok(at.top === 0 && Math.abs(2 * at.left + width * at.k - screenWidth) <= 1, 'at the top, centred');
    assert.ok(width * (at.k + 1) > screenWidth || height * (at.k + 1) > screenHeight, 'as large as fits');
    // A tap on the device pixel (dx, dy) of game pixel (x, y), (0, 0) being its top-left one.
    const tap = ([x, y], dx = 0, dy = 0) => {
        const [cssX, cssY] = [at.left + x * at.k + dx, y * at.k + dy].map((v) => (v + 0.5) / ratio);
        return device.hasTouch ? page.touchscreen.tap(cssX, cssY) : page.mouse.click(cssX, cssY);
    };

    // With the server gone the page comes back from the service worker's files. Of the taps during the
    // splash the first ("Normal") is played, the next 20 (an arrow) dropped, the last (that arrow) played.
    await page.waitForFunction(() => navigator.serviceWorker.controller, null, { timeout: 10000 });
    await site.close();
    await page.addInitScript(recordPictures, at);
    await page.reload();
    await page.waitForFunction(() => window.pictures?.length >= 2);
    for (const target of [NORMAL_LABEL, ...Array(21).fill(COLUMN_2_UP)]) await tap(target);
    const shown = await pictures(page, 11);
    assert.equal(shown.length, 11, 'seven splash pictures, the menu, the board, one shift in two frames');

    // The emblem fades in from white through greys to black and back out, each held 300 ms, black 600 ms.
    const [splash, [shownMenu, board, halfStep, shifted]] = [shown.slice(0, 7), shown.slice(7)];
    const dark = splash.map((p) => Buffer.from(p.rgba, 'base64').reduce((sum, v) => sum + 255 - v, 0));
    assert.ok(dark[0] === 0 && 0 < dark[1] && dark[1] < dark[2] && dark[2] < dark[3], 'fading in');
    assert.ok([0, 1, 2].every((i) => splash[i].rgba === splash[6 - i].rgba), 'fading out');
    splash.forEach((p, i) => assert.ok(shown[i + 1].t - p.t >= (i === 3 ? 598 : 298), `hold of splash ${i}`));
    assert.equal(halfStep.rgba, rolled(board, CELL / 2), 'half step');
    assert.equal(shifted.rgba, rolled(board, CELL), 'shifted');

    // Quit; then taps one device pixel left of the label and above it do nothing.
    await tap(QUIT);
    await tap([NORMAL_LABEL[0] - 1, NORMAL_LABEL[1]], at.k - 1, 0);
    await tap([NORMAL_LABEL[0], NORMAL_LABEL[1] - 1], 0, at.k - 1);
    const afterQuit = await pictures(page, 12);
    assert.ok(afterQuit.length === 12 && afterQuit[11].rgba === shownMenu.rgba, 'the menu, nothing more');

    if (device.hasTouch) {
        // Held sideways: the message, a tap where "Normal" would be ignored; upright: the game, taking taps.
        await page.setViewportSize({ width: 740, height: 360 });
        await page.getByText("Sorry, current release version doesn't support horizontal view mode").waitFor();
        await page.touchscreen.tap(370, 70);
        await page.setViewportSize(device.viewport);
        await findMenu(page);
        await tap(NORMAL_LABEL);
        assert.equal((await pictures(page, 13)).length, 13, 'only the tap made upright played');
    }

    // The About box opens from the bar and on Ctrl+A, and OK closes it.
    const ok = page.getByRole('dialog', { name: 'About Tessel' }).getByRole('button', { name: 'OK' });
    const close = () => ok.click().then(() => ok.waitFor({ state: 'hidden' }));
    await page.getByText('Tools').click().then(() => page.getByRole('menuitem').click()).then(close);
    await page.keyboard.press('Control+A').then(close);
    assert.deepEqual(problems, []);
}

test('desktop browser, mouse, 1280 x 800', { timeout: 120000 }, (t) => playThrough(t, DESKTOP));
test('phone, touch, 360 x 740 at 3x', { timeout: 120000 }, (t) => playThrough(t, PHONE));
