// Watching a solve in the page, in Chromium. A solve (tests/solves/normal.txt), played in tessel-replay,
// opened from its link on a fresh page with a kept game: the very pictures tessel-replay showed as it was
// played, each move's words said as they come, the controls working, and the kept game back after, as it
// was, nothing recorded (every puzzle's solve watched: tests/replay_cli_test.sh). Links refused in one line
// with nothing changed. A link to a board opens tessel-replay's board of that ID, and today's board for a
// pinned date is its board of that date; solved, its link and its result line are given and watched again.
import assert from 'node:assert/strict';
import crypto from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import { test } from 'node:test';
import * as h from './harness.mjs';

const solveLines = (name) => fs.readFileSync(`tests/solves/${name}.txt`, 'utf8').split('\n');
const records = (out) => out.trim().split('\n').map((line) => JSON.parse(line));

// A game of "Normal" one move in, kept as the page keeps it, and its picture.
const work = fs.mkdtempSync(`${os.tmpdir()}/tessel-watching-`);
const keptGame = (() => {
    const { frames } = h.replayFrames(['--look', 'classic'],
        ['tick 4297', 'splash', 'tap 119 77', 'tap 107 40', `keep ${work}/kept`]);
    return { base64: fs.readFileSync(`${work}/kept`).toString('base64'), picture: h.rgbaOf(frames.at(-1)) };
})();
// The game a kept form holds, as tessel-replay resumes it, but for its time (returned apart).
function resumed(base64) {
    fs.writeFileSync(`${work}/resumed`, Buffer.from(base64, 'base64'));
    const { time, line, command, presents, said, ...game } = records(h.replay([], ['splash', `resume ${work}/resumed`]).toString()).at(-1);
    return { game, time };
}

// Runs before the page's scripts: the kept game in storage (if any), and every text the screen readers'
// status region takes, in `window.said`.
function setUp(kept) {
    if (kept) localStorage.setItem('tessel-kept-game', kept);
    window.said = [];
    let last = '';
    new MutationObserver(() => {
        // The same words said again come with a trailing space, or without the one they had.
        const text = document.querySelector('#mirror [role=status]')?.textContent ?? '';
        if (text && text !== last) window.said.push(text.replace(/\u00a0$/, ''));
        last = text;
    }).observe(document, { subtree: true, childList: true, characterData: true });
}


const chromium = h.chromiumSite();
const open = (hash, kept = keptGame.base64, options = {}) => chromium.open({ viewport: { width: 360, height: 740 },
    permissions: ['clipboard-read', 'clipboard-write'], ...options }, hash,
(page) => Promise.all([page.addInitScript(h.recordPutPictures), page.addInitScript(setUp, kept)]));

const watchingState = (page) => page.evaluate(() => {
    const bar = document.getElementById('watching');
    const pause = bar?.querySelector('[data-words^="watch-p"]');
    return bar && !bar.hidden ? { pause: pause.textContent, ended: pause.disabled, counts: document.getElementById('counts').textContent } : null;
});
const waitWatching = (page, what) => h.waitFor(page, () => document.getElementById('watching')?.hidden === false,
    null, `watching ${what}`);
const waitEnded = (page) => h.waitFor(page, () => document.getElementById('watching')?.querySelector('[data-words^="watch-p"]').disabled,
    null, 'the watching at its end');
const lastPicture = (page) => page.evaluate(() => window.shownPictures.at(-1));
// Pictures by their digests, each once where it is shown again at once, short enough to tell apart in a report.
const digest = (rgba) => crypto.createHash('sha256').update(rgba).digest('hex').slice(0, 8);
const dedupe = (pictures) => pictures.map(digest).filter((p, i, all) => p !== all[i - 1]);
const showing = (page, picture, what) => h.waitFor(page, (want) => window.shownPictures.at(-1) === want, picture, what);

test('Chromium: a solve watched from its link as it was played, the kept game back after', { timeout: 120000 }, async () => {
    const { out, frames } = h.replayFrames(['--look', 'classic'], solveLines('normal'));
    const played = records(out);
    const link = played.at(-1).solveLink;
    assert.match(link ?? '', /^normal-[0-9-]+\.1\./, 'the solve\'s link');
    const { page, errors, close } = await open(link);
    await waitWatching(page, 'the link');
    assert.equal(await page.evaluate(() => location.hash), '', 'the link taken from the address');
    // The keys: Space pauses and plays on, the right arrow plays one move and pauses, 4 sets the pace. Paused
    // before axe-core reads the page, which may take longer than the first move's wait on a busy machine.
    await page.keyboard.press('Space');
    assert.deepEqual(await watchingState(page), { pause: 'Play on', ended: false, counts: 'watching 0 of 10 moves, 0:00, paused' });
    await h.noViolations(page, 'the watching and its controls');
    await page.keyboard.press('ArrowRight');
    await h.waitFor(page, () => document.getElementById('counts').textContent.startsWith('watching 1 of 10 moves'), null, 'a move stepped');
    await page.keyboard.press('4');
    await page.keyboard.press('Space');
    assert.match((await watchingState(page)).counts, /^watching 1 of 10 moves, 0:0\d, at four times the pace$/);
    assert.equal(await page.getAttribute('#watching [data-speed="4"]', 'aria-pressed'), 'true', 'the pace shown');
    await waitEnded(page);
    await showing(page, h.rgbaOf(frames.at(-1)), 'its last picture');
    // The pictures since the splash: the kept game, then the watched ones, as tessel-replay played them.
    const shown = dedupe(await page.evaluate(() => window.shownPictures.slice(7)));
    assert.equal(shown[0], digest(keptGame.picture), 'the kept game after the splash');
    assert.deepEqual(shown.slice(1), dedupe(frames.slice(1).map(h.rgbaOf)), 'every picture as played');
    // Each move's words, in order, as tessel-replay says them (a slowed page may play two moves in one timer
    // call, said together).
    const [words, said] = [played.filter((r) => r.command === 'tap').map((r) => r.said), await page.evaluate(() => window.said)]
        .map((texts) => texts.flatMap((text) => text.split(', ')));
    let next = 0;
    for (const part of said) if (part === words[next]) next++;
    assert.equal(next, words.length, `each move said (${JSON.stringify(said)})`);
    // Taps and Undo do nothing to the game in play meanwhile; Stop brings it back as it was, its clock
    // having stood, with nothing recorded.
    assert.equal(await page.isDisabled('#undo-item'), true, 'Undo greyed while watching');
    await page.click('#watching [data-words="watch-stop"]');
    await showing(page, keptGame.picture, 'the kept game shown again');
    assert.equal(await h.textOf(page, 'counts'), '1 move, 0:00');
    await h.hide(page);
    const [before, after] = [resumed(keptGame.base64), resumed(await h.kept(page))];
    assert.deepEqual(after.game, before.game, 'the kept game as it was');
    assert.ok(after.time - before.time < 1000, 'its clock stood while watching');
    assert.equal(await h.stored(page, 'tessel-records'), null, 'nothing recorded');
    assert.deepEqual(errors, []);
    await close();
});

test('Chromium: a link that cannot be watched or played is refused in one line, nothing changed', { timeout: 120000 }, async () => {
    const link = records(h.replay([], solveLines('unmovable')).toString()).at(-1).solveLink;
    const moves = link.split('.1.')[1];
    // One a link cannot be, one whose moves do not solve its board, a game ID that is none (every refusal:
    // tests/solve_link_test.cpp, tests/watch_test.cpp, tests/game_id_test.cpp).
    for (const [bad, says] of [
        ['normal-4297.1.AA', /^solve link 'normal-4297\.1\.AA': move 1 is cut short$/],
        [`unmovable-2026-12-09.1.${moves.slice(0, 4)}`, /^solve link 'unmovable-[^']*': its moves do not solve the board$/],
        ['normal-12x', /^game ID 'normal-12x': the seed/],
    ]) {
        const { page, close } = await open(bad);
        assert.match(await h.note(page), says, bad);
        assert.equal(await lastPicture(page), keptGame.picture, `${bad}: the kept game as it was`);
        assert.equal(await watchingState(page), null, `${bad}: no watching`);
        await close();
    }
    // Pasted in "Watch solve": told in the box, which stays; a good link then watches.
    const { page, close } = await open('');
    await showing(page, keptGame.picture, 'the kept game');
    await h.tool(page, '#watch-solve-item');
    await page.fill('#watch-link', 'normal-4297.1.AA');
    await page.click('#watch-box [type=submit]');
    assert.match(await page.textContent('#watch-box .watch-error'), /move 1 is cut short$/);
    assert.equal(await watchingState(page), null);
    await page.fill('#watch-link', ` ${link} `);
    await page.keyboard.press('Enter');
    await waitWatching(page, 'the pasted link');
    assert.equal(await page.evaluate(() => document.getElementById('watch-box').open), false);
    await close();
});

test('Chromium: a board\'s link and today\'s board deal tessel-replay\'s boards; solved, its link and result are given', { timeout: 120000 }, async () => {
    const { page, close } = await open('normal-4297', null);
    await page.clock.setFixedTime(new Date('2026-12-09T23:59:30Z'));
    // The board of the link's ID, with no moves and no time, the ID taken from the address (every puzzle's IDs:
    // tests/game_id_test.cpp).
    await showing(page, h.rgbaOf(h.replayFrames(['--look', 'classic'], ['splash', 'game normal-4297']).frames.at(-1)), 'the ID\'s board');
    assert.deepEqual([await h.textOf(page, 'counts'), await page.evaluate(() => location.hash)], ['0 moves, 0:00', '']);
    await h.tool(page, '#todays-board-item');
    const lines = solveLines('normal');
    const { out, frames } = h.replayFrames(['--look', 'classic'], lines.slice(0, lines.indexOf('game normal-2026-12-09') + 1));
    assert.equal(records(out).at(-1).gameId, 'normal-2026-12-09');
    await showing(page, h.rgbaOf(frames.at(-1)), 'the day\'s board as tessel-replay deals it');
    // Before it is solved there is no result nor solve to share.
    await h.tool(page, '#share-result-item');
    assert.equal(await h.note(page), 'Solve today\'s board first: its result can then be shared.');
    for (const point of lines.filter((l) => l.startsWith('tap ')).map((l) => l.split(' ').slice(1).map(Number))) await h.clickGame(page, point);
    await h.waitFor(page, () => document.getElementById('counts').textContent.startsWith('10 moves'), null, 'the board solved');
    await h.tool(page, '#share-result-item');
    const result = await h.waitFor(page, () => document.getElementById('note').textContent.split('\n')[1], null, 'the result line');
    assert.match(result, /^Tessel Normal 2026-12-09: 10 moves, 0:\d\d http:\/\/127\.0\.0\.1:\d+\/#normal-2026-12-09\.1\.[A-Za-z0-9_-]+$/);
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), result, 'the line copied');
    await h.tool(page, '#share-solve-item');
    await h.waitFor(page, () => document.getElementById('note').textContent.startsWith('Link copied: '), null, 'the link copied');
    const url = await page.evaluate(() => navigator.clipboard.readText());
    assert.equal(url, result.split(' ').at(-1), 'the result\'s link is the solve\'s');
    // The link watched on a fresh page ends on the solved board as the page showed it.
    const solved = await lastPicture(page);
    const { page: other, close: closeOther } = await open(url.split('#')[1], null);
    await waitWatching(other, 'the shared solve');
    await other.click('#watching [data-speed="4"]');
    await waitEnded(other);
    await showing(other, solved, 'the watched solve ending as the page showed it');
    await closeOther();
    // On the menu, or with the clock before 2000: told, nothing changed.
    await page.clock.setFixedTime(new Date('1999-12-31T23:59:59Z'));
    await h.tool(page, '#todays-board-item');
    assert.match(await h.note(page), /^The clock reads a date before 2000/);
    assert.equal(await lastPicture(page), solved);
    await close();
});
