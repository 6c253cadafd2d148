// The page on a phone's screen in Chromium, with real touch input through the DevTools protocol: the row of
// Undo, Redo and Hint under the picture, and lines dragged with a finger.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import * as h from './harness.mjs';

const NORMAL_LABEL = [100, 75];

const chromium = h.chromiumSite();

const cssOf = (page, point) => page.evaluate(h.gamePoint, point);

const touch = (cdp, type, points) => cdp.send('Input.dispatchTouchEvent',
    { type, touchPoints: points.map(([x, y], id) => ({ x, y, id })) });

const board = (page) => page.evaluate(h.mirrorBoard);
const said = (page) => page.evaluate(() => document.querySelector('[role=status]').textContent);
const settled = (page) => page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(resolve, 100)))));
const fingerTap = (cdp, page, point) => touch(cdp, 'touchStart', [point]).then(() => touch(cdp, 'touchEnd', [])).then(() => settled(page));

// A phone 360 x 740 at 3x with touch as its main pointer, the page loaded and past its splash.
test('Chromium: a phone\'s Undo, Redo and Hint buttons; a finger drags a row, a pinch moves nothing, a cancelled drag keeps what it passed',
    { timeout: 120000 }, async () => {
    const { context, page, errors } = await chromium.open({ viewport: { width: 360, height: 740 }, deviceScaleFactor: 3,
        isMobile: true, hasTouch: true });
    await page.waitForFunction(() => document.getElementById('mirror') && !document.getElementById('mirror').hidden);
    const cdp = await context.newCDPSession(page);
    const box = (id) => page.evaluate((i) => {
        const e = document.getElementById(i);
        return e.closest('[hidden]') ? null : e.getBoundingClientRect().toJSON();
    }, id);
    const greyed = () => page.evaluate(() => ['undo-button', 'redo-button', 'hint-button']
        .map((id) => document.getElementById(id).disabled));
    // The buttons below the picture, above the bar, at least 48 CSS pixels high, the picture as large as
    // without them.
    const picture = await page.evaluate(() => document.getElementById('game').getBoundingClientRect().toJSON());
    for (const id of ['undo-button', 'redo-button', 'hint-button']) {
        const b = await box(id);
        assert.ok(b && b.height >= 48 && b.top >= picture.top + (267 * 4) / 3 && b.bottom <= 740 - 26, `${id}: ${JSON.stringify(b)}`);
    }
    assert.equal(await page.evaluate(() => { const c = document.getElementById('game'); return Math.floor(Math.min(c.width / 239, c.height / 267)); }), 4, 'the picture still at 4x');
    assert.deepEqual(await greyed(), [true, true, false], 'nothing to take back yet');

    await fingerTap(cdp, page, await cssOf(page, NORMAL_LABEL));
    await page.waitForFunction(() => document.querySelectorAll('#mirror [role=row]').length === 6);
    const scrambled = await board(page);
    // Row 2's second tile, dragged right by three cells and a bit, in small steps as a finger moves.
    const [x, y] = await cssOf(page, [107, 120]);
    const cell = (24 * 4) / 3; // a cell in CSS pixels at 4x on a 3x screen
    await touch(cdp, 'touchStart', [[x, y]]);
    for (let step = 1; step <= 20; step++) {
        await touch(cdp, 'touchMove', [[x + (step * 3.3 * cell) / 20, y + (step % 3)]]);
        if (step === 4) {
            // Two thirds of a cell on: the row follows the finger, nothing else has changed yet.
            await settled(page);
            assert.deepEqual(await board(page), scrambled, 'no move before a whole cell');
        }
    }
    await touch(cdp, 'touchEnd', []);
    await settled(page);
    const moved = h.turnedRow(scrambled, 1, 3);
    assert.deepEqual(await board(page), moved, 'three cells right');
    assert.equal(await said(page), 'row 2 right', 'said as the arrow\'s tap');
    // A move a cell (tests/drag_test.cpp).
    assert.match(await h.textOf(page, 'counts'), /^3 moves,/);
    assert.deepEqual(await greyed(), [false, true, false], 'moves to take back');

    // Two fingers, one on a tile: the page's zoom, never a move.
    const [ox, oy] = await cssOf(page, [100, 240]);
    await touch(cdp, 'touchStart', [[x, y]]);
    await touch(cdp, 'touchStart', [[x, y], [ox, oy]]);
    for (let step = 1; step <= 10; step++) await touch(cdp, 'touchMove', [[x + step * 6, y], [ox - step * 6, oy + step * 4]]);
    await touch(cdp, 'touchEnd', []);
    await settled(page);
    assert.deepEqual(await board(page), moved, 'the pinch moved nothing');

    // Each button as a finger taps it: Undo takes the last move back, Redo plays it again.
    const press = async (id) => { const b = await box(id); await fingerTap(cdp, page, [b.x + b.width / 2, b.y + b.height / 2]); };
    await press('undo-button');
    assert.deepEqual([await board(page), await greyed()], [h.turnedRow(scrambled, 1, 2), [false, false, false]], 'taken back');
    await press('redo-button');
    assert.deepEqual([await board(page), await greyed()], [moved, [false, true, false]], 'played again');
    await press('hint-button');
    await page.waitForFunction(() => /^hint: /.test(document.querySelector('[role=status]').textContent));
    // Keyboard order: the game's one Tab stop, then the buttons, then Tools.
    const order = await page.evaluate(() => [...document.querySelectorAll('[tabindex="0"], button:not([disabled])')]
        .filter((e) => !e.closest('[hidden], dialog:not([open])')).map((e) => e.id || 'game'));
    assert.deepEqual(order, ['game', 'undo-button', 'hint-button', 'tools'], 'in the order of the page');

    // Cancelled by the system one and a half cells on: the cell passed stays, the rest goes back.
    await touch(cdp, 'touchStart', [[x, y]]);
    for (let step = 1; step <= 6; step++) await touch(cdp, 'touchMove', [[x - (step * 1.6 * cell) / 6, y]]);
    await touch(cdp, 'touchCancel', []);
    await settled(page);
    assert.deepEqual(await board(page), h.turnedRow(scrambled, 1, 2), 'one cell left kept');
    // A short window has no room for the buttons (nor has one held sideways: page.test.mjs).
    await page.setViewportSize({ width: 360, height: 420 });
    await page.waitForFunction(() => document.getElementById('thumb').hidden);
    assert.deepEqual(errors, []);
    await context.close();
});
