// The web page played in Chromium, Firefox and WebKit, on a desktop and a phone's screen, as far as each engine
// can. One engine alone: node --test --test-name-pattern=WebKit tests/web/
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import { test } from 'node:test';
import * as h from './harness.mjs';

// Game pixels: "Normal"'s top-left corner, column 2's up arrow on its board, Quit; that column and row 1.
const NORMAL_LABEL = [86, 65], COLUMN_2_UP = [107, 40], QUIT = [119, 237];
const COLUMN_2 = 95, ROW_1 = 85, CELL = 24;
const TURNED = "Sorry, current release version doesn't support horizontal view mode.";
const menu = h.replayMenu(), menuRgba = h.rgbaOf(menu);

// The picture with column 2 rolled up by dy game pixels, its top coming round at the bottom.
function rolled({ rgba, width }, dy) {
    const from = Buffer.from(rgba, 'base64'), to = Buffer.from(from);
    const row = (y) => ((ROW_1 + y % (4 * CELL)) * width + COLUMN_2) * 4;
    for (let y = 0; y < 4 * CELL; y++) from.copy(to, row(y), row(y + dy), row(y + dy) + CELL * 4);
    return to.toString('base64');
}

// Puts `value` in the storage once the page has kept its own game on leaving, so that the next load finds it.
const storeOnLeave = (page, value) => page.evaluate(([key, v]) => {
    const store = () => localStorage.setItem(key, v);
    addEventListener('pagehide', store);
    document.addEventListener('visibilitychange', store);
}, [h.KEY, value]);

// Undo, Redo and Hint from the Tools menu and the keys, after one move (`shown` ends with its three pictures).
async function takeBackAndReplay(page, shown, press, greyed) {
    const [board, halfStep, shifted] = shown.slice(-3).map((p) => p.rgba);
    assert.deepEqual(await greyed(), [false, true], 'a move to take back');
    // Undo shows the board as it was; Redo the move's own two frames again.
    const steps = [
        [() => press('#tools').then(() => press('#undo-item')), [board], [true, false]],
        [() => page.key('Control+Shift+Z'), [halfStep, shifted], [false, true]],
        [() => page.key('Control+Z'), [board], [true, false]],
        [() => page.key('Control+Y'), [halfStep, shifted], [false, true]],
        // Greyed: nothing happens, and the menu stays open until Tools is pressed again.
        [() => press('#tools').then(() => press('#redo-item')).then(() => press('#tools')), [], [false, true]],
    ];
    for (const [index, [act, pictures, afterwards]] of steps.entries()) {
        await act();
        const now = await h.pictures(page, shown.length + pictures.length);
        assert.deepEqual(now.slice(shown.length).map((p) => p.rgba), pictures, `step ${index}: the pictures`);
        assert.deepEqual(await greyed(), afterwards, `step ${index}: the items`);
        shown = now;
    }
    // Hint, from the menu and on H: an outline of black and white pixels over the picture, said as a hint to
    // screen readers, and gone with the next action (Ctrl+Z here, which also takes the move back).
    const outlined = (from, to) => {
        const [a, b] = [from, to].map((rgba) => new Uint32Array(Buffer.from(rgba, 'base64').buffer.slice(0)));
        const differing = a.filter((v, i) => v !== b[i]);
        return differing.length > 40 && differing.every((v) => v === 0xff000000 || v === 0xffffffff);
    };
    for (const ask of [() => press('#tools').then(() => press('#hint-item')), () => page.key('h')]) {
        await ask();
        let now = await h.pictures(page, shown.length + 1);
        assert.ok(outlined(now.at(-1).rgba, shifted), 'the hint outlined over the picture');
        await h.waitFor(page, () => /^hint: ./.test(document.querySelector('[role=status]')?.textContent), null, 'a hint said');
        await page.key('Control+Z');
        now = await h.pictures(page, now.length + 1);
        assert.equal(now.at(-1).rgba, board, 'the hint gone with the move taken back');
        await page.key('Control+Y');
        shown = await h.pictures(page, now.length + 2);
    }
    return shown;
}

// The scrambled "Lights out" of tests/keys/lights_out.txt, kept by tessel-replay and brought back by the page,
// solved with that script's keys: the page shows tessel-replay's pictures for them, one after another.
async function playByKeys(t, page, at) {
    const script = fs.readFileSync('tests/keys/lights_out.txt', 'utf8').split('\n');
    const start = script.indexOf('key Enter') + 1;
    // The first key shows the cursor: the board comes back with it hidden.
    const names = ['Right', ...script.slice(start).filter((l) => l.startsWith('key ')).map((l) => l.split(/\s+/)[1])];
    const dir = fs.mkdtempSync(`${os.tmpdir()}/tessel-keys-`);
    t.after(() => fs.rmSync(dir, { recursive: true }));
    h.replay([], [...script.slice(0, start), `keep ${dir}/kept`]);
    h.replay(['--frames', `${dir}/frames`], [`resume ${dir}/kept`, 'splash', ...names.map((k) => `key ${k}`)]);
    const frames = fs.readdirSync(`${dir}/frames`).sort().map((f) => fs.readFileSync(`${dir}/frames/${f}`));
    const expected = frames.slice(2).map(h.rgbaOf).filter((rgba, i, all) => rgba !== all[i - 1]);

    await storeOnLeave(page, fs.readFileSync(`${dir}/kept`).toString('base64'));
    await page.reload();
    await h.findMenu(page, frames[1], 'the kept board');
    await page.evaluate(h.recordPictures, at);
    await h.keys(page, names);
    await h.waitFor(page, (last) => window.pictures.at(-1)?.rgba === last, expected.at(-1), 'the menu at the end');
    const shown = (await page.evaluate(() => window.pictures)).map((p) => p.rgba);
    assert.ok(shown.length === expected.length && shown.every((rgba, i) => rgba === expected[i]), 'tessel-replay\'s pictures');
    // The solve logged in the site's storage (its log and records: statistics.test.mjs).
    assert.match(await h.stored(page, 'tessel-solves'), /^tessel solves 1\nlights-out \d+ lights-out-1000 \d+ \d+ 0 /);
}

async function playThrough(t, engine, device) {
    const site = await h.serve(), page = await engine.open(device);
    t.after(() => Promise.all([page.close(), site.close()]));
    t.diagnostic(`${engine.name}: ${await page.version}`);
    await page.goto(site.url);
    const desktop = device === engine.devices[0];

    // tessel-replay's menu, at the top, centred, every pixel a k x k block, k as large as fits.
    let at = await h.findMenu(page, menu);
    const [[width, height], [screenWidth, screenHeight]] = [at.size, at.screen];
    assert.ok(at.top === 0 && Math.abs(2 * at.left + width * at.k - screenWidth) <= 1, 'at the top, centred');
    assert.ok(width * (at.k + 1) > screenWidth || height * (at.k + 1) > screenHeight, 'as large as fits');
    const tap = (target, dx, dy) => h.tapGame(page, at, target, dx, dy);
    const press = async (selector) => page.tap(...await page.evaluate((s) => {
        const box = document.querySelector(s).getBoundingClientRect();
        return [box.x + box.width / 2, box.y + box.height / 2];
    }, selector));
    const greyed = () => page.evaluate(() => ['undo-item', 'redo-item'].map((id) =>
        document.getElementById(id).matches(':disabled')));

    // With the server gone the page comes back from the service worker's files.
    await h.waitFor(page, () => Boolean(navigator.serviceWorker.controller), null, 'the service worker');
    await site.close();
    let shown;
    if (page.beforeLoad) {
        // Of the taps during the splash the first ("Normal") is played, the next 20 (an arrow) dropped, the
        // last (that arrow) played. Where 22 taps take longer than the splash, two follow it.
        await page.beforeLoad(h.recordPictures, at);
        await page.reload();
        await h.waitFor(page, (n) => window.pictures?.length >= n, engine.slowTaps ? 8 : 2);
        const arrows = Array(engine.slowTaps ? 1 : 21).fill(COLUMN_2_UP);
        for (const target of [NORMAL_LABEL, ...arrows]) await tap(target);
        shown = await h.pictures(page, 11);
        assert.equal(shown.length, 11, 'seven splash pictures, the menu, the board, one shift in two frames');
        // The emblem fades in from white through greys to black and back out, each held 300 ms, black 600.
        const dark = shown.map((p) => Buffer.from(p.rgba, 'base64').reduce((sum, v) => sum + 255 - v, 0));
        assert.ok(dark[0] === 0 && 0 < dark[1] && dark[1] < dark[2] && dark[2] < dark[3], 'fading in');
        assert.ok([0, 1, 2].every((i) => shown[i].rgba === shown[6 - i].rgba), 'fading out');
        for (let i = 0; i < 7; i++) assert.ok(shown[i + 1].t - shown[i].t >= (i === 3 ? 598 : 298), `hold ${i}`);
        assert.equal(shown[7].rgba, menuRgba, 'the menu after the splash');
    } else {
        await page.reload();
        at = await h.findMenu(page, menu);
        await page.evaluate(h.recordPictures, at);
        for (const target of [NORMAL_LABEL, COLUMN_2_UP]) await tap(target);
        shown = await h.pictures(page, 3);
        assert.equal(shown.length, 3, 'the board, one shift in two frames');
    }
    const [board, halfStep, shifted] = shown.slice(-3);
    assert.equal(halfStep.rgba, rolled(board, CELL / 2), 'half step');
    assert.equal(shifted.rgba, rolled(board, CELL), 'shifted');
    if (desktop) shown = await takeBackAndReplay(page, shown, press, greyed);
    let kept;
    if (!device.coarse) {
        // Hidden, left and loaded again, as after a phone has ended the page: the board as left, its move with it.
        await h.hide(page);
        kept = Buffer.from(await h.kept(page), 'base64');
        await page.reopen(site.url);
        const count = page.beforeLoad ? 8 : 0;
        if (!count) await h.findMenu(page, h.pngOf(shifted), 'the board as left').then(() => page.evaluate(h.recordPictures, at));
        shown = await h.pictures(page, count);
        assert.ok(shown.length === count && (!count || shown[7].rgba === shifted.rgba), 'the splash, then the board as left');
        assert.deepEqual(await greyed(), [false, true], 'the move kept with it');
        await page.key('Control+Z');
        shown = await h.pictures(page, count + 1);
        assert.equal(shown[count]?.rgba, board.rgba, 'the move taken back after the restart');
    }
    if (desktop) {
        // The mouse takes row 2 by its second tile and drags it three cells and a bit to the right, in small
        // steps: the row stands three cells on, three moves made (a move a cell: tests/drag_test.cpp; fingers:
        // touch.test.mjs).
        const scrambled = await page.evaluate(h.mirrorBoard);
        const steps = Array.from({ length: 12 }, (_, i) => [107 + Math.round(((i + 1) * 3.3 * CELL) / 12), 120 + (i % 2)]);
        await h.dragGame(page, at, [[107, 120], ...steps]);
        await h.waitFor(page, h.mirrorBoard, JSON.stringify(h.turnedRow(scrambled, 1, 3)), 'row 2 three cells right');
        await h.waitFor(page, () => /^3 moves,/.test(document.getElementById('counts').textContent), null, 'three moves');
        shown = await h.pictures(page, 0);
    }

    // Quit; then taps one device pixel (where taps are that fine) off the label do nothing, and nothing is kept.
    await tap(QUIT);
    await tap([NORMAL_LABEL[0] - 1, NORMAL_LABEL[1]], at.k - 1);
    await tap([NORMAL_LABEL[0], NORMAL_LABEL[1] - 1], undefined, at.k - 1);
    const afterQuit = await h.pictures(page, shown.length + 1);
    assert.ok(afterQuit.length === shown.length + 1 && afterQuit.at(-1).rgba === menuRgba, 'the menu, nothing more');
    await h.hide(page);
    assert.equal(await h.kept(page), null, 'nothing kept');

    if (device.coarse) {
        // Held sideways: the message, no Undo, Redo and Hint buttons, a tap where "Normal" would be ignored;
        // upright: the game and its buttons, taking taps. Screen readers hear the message, and find no game under it.
        await page.resize(device.height, device.width);
        await h.waitFor(page, (text) => document.getElementById('turned').checkVisibility() &&
            !document.querySelector('#mirror [role=button]').checkVisibility() && document.getElementById('thumb').hidden &&
            document.querySelector('#mirror [role=status]').textContent.trim() === text, TURNED, 'the message shown, said');
        await page.tap(device.height / 2, 70);
        await page.resize(device.width, device.height);
        await h.findMenu(page, menu);
        assert.equal(await page.evaluate(() => document.getElementById('thumb').hidden), false, 'the buttons back');
        await tap(NORMAL_LABEL);
        const count = afterQuit.length + 1;
        assert.equal((await h.pictures(page, count)).length, count, 'only the tap upright');
        assert.deepEqual(await greyed(), [true, true], 'nothing to take back on a new board');
    }

    // The About box opens from the bar (on Ctrl+A: accessibility.test.mjs), and OK closes it.
    const aboutOpen = (open) => document.querySelector('dialog#about').open === open;
    await press('#tools').then(() => press('#about-item'));
    await h.waitFor(page, aboutOpen, true, 'the About box');
    await press('#about button[value=ok]');
    await h.waitFor(page, aboutOpen, false, 'the About box closed');
    if (desktop) await playByKeys(t, page, at);
    if (kept && engine.name === 'Chromium') {
        // Whatever else the storage holds gives the menu (checked in one engine: what the core refuses,
        // tests/kept_game_test.cpp; what is no base64, the page).
        for (const value of [kept.subarray(0, 200).toString('base64'), '%not base64%']) {
            await storeOnLeave(page, value);
            await page.reload();
            assert.equal((await h.pictures(page, 8))[7]?.rgba, menuRgba, `the menu for ${value.slice(0, 12)}`);
        }
        // Storage that throws, as in private browsing: the game plays as ever.
        await page.beforeLoad(() => Object.defineProperty(window, 'localStorage',
            { get() { throw new DOMException('storage is off', 'SecurityError'); } }));
        await page.reopen(site.url);
        assert.equal((await h.pictures(page, 8))[7]?.rgba, menuRgba, 'the menu without storage');
        await tap(NORMAL_LABEL);
        await h.hide(page);
        assert.equal((await h.pictures(page, 9)).length, 9, 'the board');
    }
    if (page.errors) assert.deepEqual(page.errors, []);
}

for (const engine of h.engines) {
    for (const device of engine.devices) {
        const name = `${engine.name}: ${device.name}, ${device.width} x ${device.height} at ${device.scale}x`;
        test(name, { timeout: 240000 }, (t) => playThrough(t, engine, device));
    }
    for (const [what, why] of engine.cannot ?? []) test(`${engine.name} cannot check: ${what}`, { skip: why }, () => {});
}
