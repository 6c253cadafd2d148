// The page on a phone's screen in Chromium, with real touch input through the DevTools protocol: the row of
// Undo, Redo and Hint under the picture, and lines dragged with a finger.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import * as h from './harness.mjs';

const NORMAL_LABEL = [100, 75];

// A phone 360 x 740 at 3x with touch as its main pointer, the page loaded and past its splash.
async function openPhone(browser, url) {
    const context = await browser.newContext({ viewport: { width: 360, height: 740 }, deviceScaleFactor: 3,
        isMobile: true, hasTouch: true });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(url);
    await page.waitForFunction(() => document.getElementById('mirror') && !document.getElementById('mirror').hidden);
    const cdp = await context.newCDPSession(page);
    return { context, page, cdp, errors };
}

// CSS pixels of a game point: the picture is centred across the canvas, at the largest whole scale.
async function cssOf(page, [x, y]) {
    return page.evaluate(([gx, gy]) => {
        const canvas = document.getElementById('game'), box = canvas.getBoundingClientRect();
        const k = Math.floor(Math.min(canvas.width / 239, canvas.height / 267));
        const left = Math.floor((canvas.width - 239 * k) / 2);
        return [box.left + (left + (gx + 0.5) * k) / devicePixelRatio, box.top + ((gy + 0.5) * k) / devicePixelRatio];
    }, [x, y]);
}

const touch = (cdp, type, points) => cdp.send('Input.dispatchTouchEvent',
    { type, touchPoints: points.map(([x, y], id) => ({ x, y, id })) });

test('Chromium: a phone\'s Undo, Redo and Hint buttons, and none held sideways', { timeout: 120000 }, async () => {
    const site = await h.serve(), browser = await h.launch();
    try {
        const { context, page, cdp, errors } = await openPhone(browser, site.url);
        const box = (id) => page.evaluate((i) => {
            const e = document.getElementById(i);
            return e.closest('[hidden]') ? null : e.getBoundingClientRect().toJSON();
        }, id);
        const greyed = () => page.evaluate(() => ['undo-button', 'redo-button', 'hint-button']
            .map((id) => document.getElementById(id).disabled));
        // Below the picture, above the bar, at least 48 CSS pixels high, the picture as large as without them.
        const picture = await page.evaluate(() => document.getElementById('game').getBoundingClientRect().toJSON());
        for (const id of ['undo-button', 'redo-button', 'hint-button']) {
            const b = await box(id);
            assert.ok(b && b.height >= 48 && b.top >= picture.top + (267 * 4) / 3 && b.bottom <= 740 - 26, `${id}: ${JSON.stringify(b)}`);
        }
        assert.equal(await page.evaluate(() => { const c = document.getElementById('game'); return Math.floor(Math.min(c.width / 239, c.height / 267)); }), 4, 'the picture still at 4x');
        assert.deepEqual(await greyed(), [true, true, false], 'nothing to take back yet');
        // A move, then each button as a finger taps it: Undo takes it back, Redo plays it again.
        const tapAt = async (point) => {
            await touch(cdp, 'touchStart', [point]);
            await touch(cdp, 'touchEnd', []);
        };
        await tapAt(await cssOf(page, NORMAL_LABEL));
        await page.waitForFunction(() => document.querySelector('#mirror [role=grid]'));
        const tiles = () => page.evaluate(() => [...document.querySelectorAll('#mirror [role=gridcell]')].map((c) => c.getAttribute('aria-label')).join('|'));
        const scrambled = await tiles();
        await tapAt(await cssOf(page, [107, 40])); // column 2 up
        await page.waitForFunction((s) => [...document.querySelectorAll('#mirror [role=gridcell]')].map((c) => c.getAttribute('aria-label')).join('|') !== s, scrambled);
        const moved = await tiles();
        assert.deepEqual(await greyed(), [false, true, false], 'a move to take back');
        const press = async (id) => { const b = await box(id); await tapAt([b.x + b.width / 2, b.y + b.height / 2]); };
        await press('undo-button');
        await page.waitForFunction((s) => [...document.querySelectorAll('#mirror [role=gridcell]')].map((c) => c.getAttribute('aria-label')).join('|') === s, scrambled);
        assert.deepEqual(await greyed(), [true, false, false], 'taken back');
        await press('redo-button');
        await page.waitForFunction((s) => [...document.querySelectorAll('#mirror [role=gridcell]')].map((c) => c.getAttribute('aria-label')).join('|') === s, moved);
        await press('hint-button');
        await page.waitForFunction(() => /^hint: /.test(document.querySelector('[role=status]').textContent));
        // Keyboard order: the game's one Tab stop, then the buttons, then Tools.
        const order = await page.evaluate(() => [...document.querySelectorAll('[tabindex="0"], button:not([disabled])')]
            .filter((e) => !e.closest('[hidden], dialog:not([open])')).map((e) => e.id || 'game'));
        assert.deepEqual(order, ['game', 'undo-button', 'hint-button', 'tools'], 'in the order of the page');
        // Held sideways: the message, and no buttons.
        await page.setViewportSize({ width: 740, height: 360 });
        await page.waitForFunction(() => document.getElementById('thumb').hidden);
        await page.setViewportSize({ width: 360, height: 740 });
        await page.waitForFunction(() => !document.getElementById('thumb').hidden);
        // A short window has no room for them.
        await page.setViewportSize({ width: 360, height: 420 });
        await page.waitForFunction(() => document.getElementById('thumb').hidden);
        assert.deepEqual(errors, []);
        await context.close();
    } finally {
        await browser.close();
        await site.close();
    }
});
