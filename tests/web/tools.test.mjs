// Undo, Redo and Hint in the web page, from the Tools menu and the keys, in Chromium, Firefox and WebKit;
// in Chromium and Firefox, a game kept with its history comes back and Undo goes on. One engine alone:
// node --test --test-name-pattern=WebKit tests/web/
import assert from 'node:assert/strict';
import { test } from 'node:test';
import * as h from './harness.mjs';

const NORMAL_LABEL = [86, 65], COLUMN_2_UP = [107, 40];
const menu = h.replayMenu();

async function takeBackAndReplay(t, engine) {
    const site = await h.serve(), page = await engine.open(engine.devices[0]);
    t.after(() => Promise.all([page.close(), site.close()]));
    await page.goto(site.url);
    const at = await h.findMenu(page, menu);
    await page.evaluate(h.recordPictures, at);
    const tap = (target) => h.tapGame(page, at, target);
    const press = async (selector) => page.tap(...await page.evaluate((s) => {
        const box = document.querySelector(s).getBoundingClientRect();
        return [box.x + box.width / 2, box.y + box.height / 2];
    }, selector));
    // Greyed for everyone, assistive technology included, while there is nothing to take back or replay.
    const greyed = () => page.evaluate(() => ['undo-item', 'redo-item'].map((id) =>
        document.getElementById(id).matches(':disabled')));

    await tap(NORMAL_LABEL);
    assert.deepEqual(await greyed(), [true, true], 'nothing to take back on a new board');
    await tap(COLUMN_2_UP);
    let shown = await h.pictures(page, 3);
    const [board, halfStep, shifted] = shown.map((p) => p.rgba);
    assert.deepEqual(await greyed(), [false, true], 'a move to take back');

    // Each step's pictures: Undo shows the board as it was; Redo the move's own two frames again.
    const steps = [
        [() => press('#tools').then(() => press('#undo-item')), [board], [true, false]],
        [() => page.key('Control+Shift+Z'), [halfStep, shifted], [false, true]],
        [() => page.key('Control+Z'), [board], [true, false]],
        [() => page.key('Control+Z'), [], [true, false]], // the scramble is as far back as it goes
        [() => page.key('Control+Y'), [halfStep, shifted], [false, true]],
        // Greyed: nothing happens, and the menu stays open until Tools is pressed again.
        [() => press('#tools').then(() => press('#redo-item')).then(() => press('#tools')), [], [false, true]],
    ];
    for (const [index, [act, pictures, afterwards]] of steps.entries()) {
        await act();
        const count = shown.length + pictures.length;
        const now = await h.pictures(page, count);
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
        await h.waitFor(page, () => /^hint: ./.test(document.querySelector('[role=status]')?.textContent),
            null, 'the hint said');
        await page.key('Control+Z');
        now = await h.pictures(page, now.length + 1);
        assert.equal(now.at(-1).rgba, board, 'the hint gone with the move taken back');
        await page.key('Control+Y');
        shown = await h.pictures(page, now.length + 2);
        assert.equal(shown.at(-1).rgba, shifted, 'the move played again');
    }

    if (page.reopen && page.beforeLoad) {
        // Kept with its history while hidden: after the next start the move can still be taken back.
        await page.evaluate(() => {
            Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
            document.dispatchEvent(new Event('visibilitychange'));
        });
        await page.beforeLoad(h.recordPictures, at);
        await page.reopen(site.url);
        shown = await h.pictures(page, 8);
        assert.equal(shown[7]?.rgba, shifted, 'the board as it was left, after the splash');
        assert.deepEqual(await greyed(), [false, true], 'the move kept with it');
        await page.key('Control+Z');
        assert.equal((await h.pictures(page, 9))[8]?.rgba, board, 'the move taken back after the restart');
    }
    if (page.errors) assert.deepEqual(page.errors, []);
}

for (const engine of h.engines) {
    test(`${engine.name}: Undo and Redo from the Tools menu and the keys`, { timeout: 120000 },
        (t) => takeBackAndReplay(t, engine));
}
