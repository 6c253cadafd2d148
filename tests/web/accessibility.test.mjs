// The page as a screen reader reads it in Chromium, Firefox and WebKit, checked against tessel-replay's record
// of the same game and by axe-core; then heard through Orca in Firefox (tests/shell/accessibility_test.py).
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import { test } from 'node:test';
import { promisify } from 'node:util';
import * as h from './harness.mjs';

const PUZZLES = [
    // name, screen code, label's left, top and width on the menu
    ['Normal', 20, 86, 65, 66], ['Uneven', 30, 83, 90, 72], ['Unmovable', 40, 67, 115, 104],
    ['Almost Impossible', 60, 24, 140, 190], ['15 Puzzle', 50, 69, 189, 100], ['Lights out', 3, 61, 214, 116],
];
const menu = h.replayMenu();

// What each cell of the board must be called, from the record alone: [name, left, top] by rows.
function expectedCells(r) {
    const tile = (c, row) => r.tileGrid.tile[c * 6 + row];
    const at = (grid, size, c, row) => [grid.cellLeft[c * size + row], grid.cellTop[c * size + row]];
    const cells = [], board = (cols, rows, name, place = (c, row) => at(r.tileGrid, 6, c, row)) =>
        rows.forEach((row) => cells.push(cols.map((c) => [name(c, row), ...place(c, row)])));
    const span = (from, to) => Array.from({ length: to - from + 1 }, (_, i) => from + i);
    const inside = (v, last) => v >= 1 && v <= last;
    if (r.screen === 20 || r.screen === 40) {
        const [lockedCol, lockedRow] = r.screen === 40 ? [r.fixedColumn, r.fixedRow] : [0, 0];
        board(span(0, 5), span(0, 5), (c, row) => {
            if (inside(c, 4) && inside(row, 4)) return (c === lockedCol && row === lockedRow ? 'locked ' : '') + tile(c, row);
            if (inside(c, 4) && c !== lockedCol) return row === 0 ? 'up arrow' : 'down arrow';
            if (inside(row, 4) && row !== lockedRow) return c === 0 ? 'left arrow' : 'right arrow';
            return 'blank';
        });
    } else if (r.screen === 30) {
        board(span(0, 5), span(0, 6), (c, row) => {
            if (inside(c, 4) && inside(row, 5)) return tile(c, row) === 0 ? 'gap' : String(tile(c, row));
            if (inside(c, 4) && row === 0 && tile(c, 1) === 0) return 'up arrow';
            if (inside(c, 4) && row === 6 && tile(c, 5) === 0) return 'down arrow';
            if (!inside(c, 4) && row >= 2 && row <= 4) return c === 0 ? 'left arrow' : 'right arrow';
            return 'blank';
        }, (c, row) => (row === 6 ? [at(r.tileGrid, 6, c, 5)[0], at(r.tileGrid, 6, c, 5)[1] + 24] : at(r.tileGrid, 6, c, row)));
    } else if (r.screen === 50 || r.screen === 60) {
        board(span(1, 4), span(1, 4), (c, row) => (tile(c, row) === 0 ? 'empty' : String(tile(c, row))));
    } else if (r.screen === 3) {
        board(span(1, 5), span(1, 5), (c, row) => (r.lightGrid.lit[c * 7 + row] ? 'light on' : 'light off'),
            (c, row) => at(r.lightGrid, 7, c, row));
    }
    return cells;
}

// Every item's box in CSS pixels, by selector.
const boxes = (page, selector) => page.evaluate((s) => [...document.querySelectorAll(s)].map((e) => {
    const box = e.getBoundingClientRect(), canvas = document.getElementById('game').getBoundingClientRect();
    return [box.x - canvas.x, box.y - canvas.y, box.width, box.height];
}), selector);

// What the page says once it says `words`.
const said = (page, words, what) => h.waitFor(page, (w) =>
    document.querySelector('#mirror [role=status]').textContent.trim() === w, words, `${words} said ${what}`);

// A screen reader's press on a menu or board button: a click with no pointer on the element.
const press = (page, index) => page.evaluate((i) => document.querySelectorAll('#mirror [role=button]')[i].click(), index);

async function readThrough(t, engine, device) {
    const site = await h.serve(), page = await engine.open(device);
    t.after(() => Promise.all([page.close(), site.close()]));
    await page.goto(site.url);
    const at = await h.findMenu(page, menu);
    // Picture pixels to CSS pixels relative to the canvas, as the page paints them.
    const css = (...box) => box.map((v, i) => ((i === 0 ? at.left : 0) + v * at.k) / page.scale);
    const near = (actual, expected, what) => assert.ok(actual.length === expected.length &&
        actual.every((box, i) => box.every((v, j) => Math.abs(v - expected[i][j]) < 0.05)),
        `${what}: ${JSON.stringify(actual)} over ${JSON.stringify(expected)}`);

    await h.waitFor(page, () => document.querySelectorAll('#mirror [role=button]').length === 6, null, 'the menu mirrored');
    near(await boxes(page, '#mirror [role=button]'), PUZZLES.map(([, , x, y, w]) => css(x, y, w, 24)), 'menu buttons');
    // One Tab stop for the whole game, on its first item while no cursor shows.
    const tabStops = () => page.evaluate(() => [...document.querySelectorAll('#mirror [tabindex="0"]')]
        .map((e) => e.getAttribute('aria-label').replace(/, (row|column) .*/, '')));
    assert.deepEqual(await tabStops(), ['Normal'], 'the menu: one Tab stop');
    // Tabbed in, the game takes its keys, Enter and Space too; Enter on Tools opens and closes its menu instead.
    await page.key('Tab');
    for (const [keys, words] of [[['Down', 'Down', 'Enter'], 'Uneven started'], [['Escape'], 'menu'],
        [['Space'], 'Uneven started'], [['Escape'], 'menu']]) {
        await h.keys(page, keys);
        await said(page, words, `on ${keys}`);
    }
    await page.evaluate(() => document.getElementById('tools').focus());
    await page.key('Enter');
    await h.waitFor(page, () => !document.getElementById('tools-menu').hidden, null, 'Tools opened by Enter');
    await page.key('Enter');
    await h.noViolations(page, 'the menu');

    for (const [i, [name, screen]] of PUZZLES.entries()) {
        await press(page, i);
        await said(page, `${name} started`, 'on its press');
        // The game's record: the page keeps the game as when hidden, and tessel-replay reads that back.
        await h.hide(page);
        const dir = fs.mkdtempSync(`${os.tmpdir()}/tessel-kept-`);
        fs.writeFileSync(`${dir}/kept`, Buffer.from(await h.kept(page), 'base64'));
        const r = JSON.parse(h.replay([], [`resume ${dir}/kept`]).toString().trim().split('\n').at(-1));
        fs.rmSync(dir, { recursive: true });
        assert.equal(r.screen, screen);
        const expected = expectedCells(r);
        // The cells by rows, as the page names them, without their places ("7, row 2 column 3" is "7").
        const names = await page.evaluate(() => [...document.querySelectorAll('#mirror [role=row]')].map((row) =>
            [...row.querySelectorAll('[role=gridcell]')].map((e) => e.getAttribute('aria-label').replace(/, (row|column) .*/, ''))));
        assert.deepEqual(names, expected.map((row) => row.map(([n]) => n)), `${name}'s cells`);
        near(await boxes(page, '#mirror [role=gridcell]'), expected.flat().map(([, x, y]) => css(x, y, 24, 24)),
            `${name}'s cells over their squares`);
        assert.deepEqual(await tabStops(), [expected[0][0][0]], `${name}: one Tab stop`);
        if (i === 0) await h.noViolations(page, 'a board');
        await press(page, 0);
        await said(page, 'menu', `on Quit in ${name}`);
    }

    await page.key('Control+A');
    await h.waitFor(page, () => document.querySelector('dialog#about').open, null, 'the About box');
    await h.noViolations(page, 'the About box');
}

// On a desktop in every engine, on a phone's screen (where touch exploration finds cells) in Chromium; Orca.
for (const engine of h.engines) {
    for (const device of engine.devices.slice(0, engine.name === 'Chromium' ? 2 : 1)) {
        test(`${engine.name}: the screen read as a screen reader reads it, ${device.name}`, { timeout: 180000 },
            (t) => readThrough(t, engine, device));
    }
}
test('Firefox: heard through Orca, key by key', { timeout: 300000 }, async (t) => {
    const site = await h.serve();
    t.after(() => site.close());
    // Fails with what Orca said.
    await promisify(execFile)('tests/shell/accessibility_test.sh', ['web', process.env.FIREFOX ?? 'firefox-esr', site.url],
        { maxBuffer: 1 << 26 });
});
