// The web page played in Chromium, Firefox and WebKit: one set of checks, on a desktop with a mouse and,
// where the engine's automation can, on a phone's screen with a finger. Run one engine alone with
// node --test --test-name-pattern=WebKit tests/web/ (or Chromium, Firefox).
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { engines, findPicture, recordPictures, replayMenu, rgbaOf, serve } from './harness.mjs';

// Game pixels: "Normal"'s top-left corner, column 2's up arrow on its board, Quit; that column and row 1.
const NORMAL_LABEL = [86, 65], COLUMN_2_UP = [107, 40], QUIT = [119, 237];
const COLUMN_2 = 95, ROW_1 = 85, CELL = 24;
const TURNED = "Sorry, current release version doesn't support horizontal view mode.";

const menu = replayMenu(), menuRgba = rgbaOf(menu);
const delay = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls a function in the page until it returns something true.
async function waitFor(page, fn, arg, what = String(fn)) {
    for (let tries = 50; tries > 0; tries--, await delay(200)) if (await page.evaluate(fn, arg)) return;
    assert.fail(`waited in vain for ${what}`);
}

// Waits until the canvas shows the menu; where and at what scale, in device pixels.
async function findMenu(page, tries = 30) {
    const shot = await page.shoot(), found = shot ? findPicture(shot, menu) : null;
    if (found || tries === 0) return found ?? assert.fail('the menu is not on the canvas at a whole scale');
    return delay(200).then(() => findMenu(page, tries - 1));
}

// The pictures recorded, once there are `count` of them and a moment has passed for any beyond.
async function pictures(page, count) {
    await waitFor(page, (n) => window.pictures?.length >= n, count).catch(() => {});
    return delay(300).then(() => page.evaluate(() => window.pictures));
}

// The picture with column 2 rolled up by dy game pixels, its top coming round at the bottom.
function rolled({ rgba, width }, dy) {
    const from = Buffer.from(rgba, 'base64'), to = Buffer.from(from);
    const row = (y) => ((ROW_1 + y % (4 * CELL)) * width + COLUMN_2) * 4;
    for (let y = 0; y < 4 * CELL; y++) from.copy(to, row(y), row(y + dy), row(y + dy) + CELL * 4);
    return to.toString('base64');
}

async function playThrough(t, engine, device) {
    const site = await serve();
    t.after(site.close);
    const page = await engine.open(device);
    t.after(page.close);
    t.diagnostic(`${engine.name}: ${await page.version}`);
    await page.goto(site.url);

    // tessel-replay's menu, at the top, centred, white around, every pixel a k x k block, k as large as fits.
    let at = await findMenu(page);
    const [[width, height], [screenWidth, screenHeight]] = [at.size, at.screen];
    assert.ok(at.top === 0 && Math.abs(2 * at.left + width * at.k - screenWidth) <= 1, 'at the top, centred');
    assert.ok(width * (at.k + 1) > screenWidth || height * (at.k + 1) > screenHeight, 'as large as fits');
    // A tap on the device pixel (dx, dy) of game pixel (x, y), (0, 0) being its top-left one. Where an
    // engine taps on whole CSS pixels only, a tap lands up to grain - 1 device pixels before its aim, so
    // offsets of at least grain - 1 keep it on the game pixel.
    const grain = engine.wholeCssPixels ? device.scale : 1;
    const tap = ([x, y], dx = grain - 1, dy = grain - 1) => page.tap(...[at.left + x * at.k + dx, y * at.k + dy]
        .map((v) => (engine.wholeCssPixels ? Math.floor(v / device.scale) : (v + 0.5) / device.scale)));
    // A click or tap in the middle of an element of the page.
    const press = async (selector) => page.tap(...await page.evaluate((s) => {
        const box = document.querySelector(s).getBoundingClientRect();
        return [box.x + box.width / 2, box.y + box.height / 2];
    }, selector));

    // With the server gone the page comes back from the service worker's files.
    await waitFor(page, () => Boolean(navigator.serviceWorker.controller), null, 'the service worker');
    await site.close();
    let shown;
    if (page.beforeLoad) {
        // Of the taps during the splash the first ("Normal") is played, the next 20 (an arrow) dropped, the
        // last (that arrow) played. Where 22 taps take longer than the splash, two follow it.
        await page.beforeLoad(recordPictures, at);
        await page.reload();
        await waitFor(page, (n) => window.pictures?.length >= n, engine.slowTaps ? 8 : 2);
        const arrows = engine.slowTaps ? 1 : 21;
        for (const target of [NORMAL_LABEL, ...Array(arrows).fill(COLUMN_2_UP)]) await tap(target);
        shown = await pictures(page, 11);
        assert.equal(shown.length, 11, 'seven splash pictures, the menu, the board, one shift in two frames');
        // The emblem fades in from white through greys to black and back out, each held 300 ms, black 600.
        const splash = shown.slice(0, 7);
        const dark = splash.map((p) => Buffer.from(p.rgba, 'base64').reduce((sum, v) => sum + 255 - v, 0));
        assert.ok(dark[0] === 0 && 0 < dark[1] && dark[1] < dark[2] && dark[2] < dark[3], 'fading in');
        assert.ok([0, 1, 2].every((i) => splash[i].rgba === splash[6 - i].rgba), 'fading out');
        splash.forEach((p, i) => assert.ok(shown[i + 1].t - p.t >= (i === 3 ? 598 : 298), `hold of splash ${i}`));
        assert.equal(shown[7].rgba, menuRgba, 'the menu after the splash');
    } else {
        await page.reload();
        at = await findMenu(page);
        await page.evaluate(recordPictures, at);
        for (const target of [NORMAL_LABEL, COLUMN_2_UP]) await tap(target);
        shown = await pictures(page, 3);
        assert.equal(shown.length, 3, 'the board, one shift in two frames');
    }
    const [board, halfStep, shifted] = shown.slice(-3);
    assert.equal(halfStep.rgba, rolled(board, CELL / 2), 'half step');
    assert.equal(shifted.rgba, rolled(board, CELL), 'shifted');

    // Quit; then taps just left of the label and just above it (by one device pixel where taps are that
    // fine) do nothing.
    await tap(QUIT);
    await tap([NORMAL_LABEL[0] - 1, NORMAL_LABEL[1]], at.k - 1);
    await tap([NORMAL_LABEL[0], NORMAL_LABEL[1] - 1], undefined, at.k - 1);
    const afterQuit = await pictures(page, shown.length + 1);
    assert.ok(afterQuit.length === shown.length + 1 && afterQuit.at(-1).rgba === menuRgba, 'the menu, nothing more');

    if (device.coarse) {
        // Held sideways: the message, a tap where "Normal" would be ignored; upright: the game, taking taps.
        const turned = () => document.getElementById('turned').checkVisibility() &&
            document.getElementById('turned').innerText.replace(/\s+/g, ' ');
        await page.resize(device.height, device.width);
        await waitFor(page, turned, null, 'the landscape message');
        assert.equal(await page.evaluate(turned), TURNED);
        await page.tap(device.height / 2, 70);
        await page.resize(device.width, device.height);
        await findMenu(page);
        await tap(NORMAL_LABEL);
        assert.equal((await pictures(page, afterQuit.length + 1)).length, afterQuit.length + 1, 'only the tap upright');
    }

    // The About box opens from the bar and on Ctrl+A, and OK closes it.
    const aboutOpen = (open) => document.querySelector('dialog#about').open === open &&
        document.getElementById('about-caption').textContent === 'About Tessel';
    for (const open of [() => press('#tools').then(() => press('#about-item')), () => page.ctrlA()]) {
        await open();
        await waitFor(page, aboutOpen, true, 'the About box');
        await press('#about button[value=ok]');
        await waitFor(page, aboutOpen, false, 'the About box closed');
    }
    if (page.errors) assert.deepEqual(page.errors, []);
}

for (const engine of engines) {
    for (const device of engine.devices) {
        const name = `${engine.name}: ${device.name}, ${device.width} x ${device.height} at ${device.scale}x`;
        test(name, { timeout: 120000 }, (t) => playThrough(t, engine, device));
    }
    for (const [what, why] of engine.cannot) test(`${engine.name} cannot check: ${what}`, { skip: why }, () => {});
}
