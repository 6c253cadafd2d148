// Game IDs in the page, in Chromium: a link to every puzzle's board (#normal-4297) opens, on a fresh start,
// the very picture tessel-replay shows for that scramble from its menu, with no moves and no time under
// it; a link that is no ID is told in one line and leaves the menu as it was.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import { test } from 'node:test';
import { PNG } from 'pngjs';
import * as h from './harness.mjs';

// The menu labels' middles, in menu order, and the tick counts the scrambles are dealt at.
const LABELS = [[119, 77], [119, 102], [119, 127], [119, 152], [119, 201], [119, 226]];
const TICKS = [4297, 77, 555, 2000004321, 1234, 9];

// tessel-replay's scramble from the menu: its ID and its picture as RGBA in base64.
function scramble([x, y], ticks) {
    const dir = fs.mkdtempSync(`${os.tmpdir()}/tessel-id-`);
    const out = h.replay(['--look', 'classic', '--frames', dir], [`tick ${ticks}`, 'splash', `tap ${x} ${y}`]);
    const id = JSON.parse(out.toString().trim().split('\n').at(-1)).gameId;
    const last = fs.readdirSync(dir).sort().at(-1);
    const rgba = Buffer.from(PNG.sync.read(fs.readFileSync(`${dir}/${last}`)).data).toString('base64');
    fs.rmSync(dir, { recursive: true });
    return { id, rgba };
}

// Runs before the page's scripts: records every picture put on the canvas.
function watchPictures() {
    window.shownPictures = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (image, ...rest) {
        let text = '';
        for (let i = 0; i < image.data.length; i += 8192) text += String.fromCharCode(...image.data.subarray(i, i + 8192));
        window.shownPictures.push(btoa(text));
        return put.call(this, image, ...rest);
    };
}

test('Chromium: a link to every puzzle\'s board opens that very board; one that is no ID is told', { timeout: 180000 }, async () => {
    const site = await h.serve();
    const browser = await h.launch();
    try {
        const open = async (hash) => {
            const context = await browser.newContext({ viewport: { width: 360, height: 740 } });
            const page = await context.newPage();
            await page.emulateMedia({ colorScheme: 'light', contrast: 'no-preference' });
            await page.addInitScript(watchPictures);
            await page.goto(`${site.url}#${hash}`);
            return { page, close: () => context.close() };
        };
        for (let i = 0; i < LABELS.length; i++) {
            const { id, rgba } = scramble(LABELS[i], TICKS[i]);
            assert.ok(id, `an ID for the scramble of label ${i + 1}`);
            const { page, close } = await open(id);
            await h.waitFor(page, (want) => window.shownPictures.includes(want), rgba, `${id}: the scramble's picture`);
            assert.equal(await page.evaluate(() => document.getElementById('counts').textContent), '0 moves, 0:00', id);
            assert.equal(await page.evaluate(() => location.hash), '', `${id}: the link's ID taken away`);
            await close();
        }
        const menu = h.rgbaOf(h.replayMenu());
        const { page, close } = await open('normal-12x');
        await h.waitFor(page, () => !document.getElementById('note').hidden, undefined, 'the note');
        assert.match(await page.evaluate(() => document.getElementById('note').textContent), /^game ID 'normal-12x': the seed/);
        assert.equal(await page.evaluate(() => window.shownPictures.at(-1)), menu, 'the menu, as it was');
        await close();
    } finally {
        await browser.close();
        site.close();
    }
});
