// The game kept in the page's storage: played, hidden, closed and opened again, it is back after the
// splash and takes taps; whatever else the storage holds, or storage that throws, gives the menu quietly.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { findPicture, launch, recordPictures, replayMenu, serve } from './harness.mjs';

const NORMAL_LABEL = [86, 65], COLUMN_2_UP = [107, 40], COLUMN_2_DOWN = [107, 200], QUIT = [119, 237];
const KEY = 'tessel-kept-game';
const SPLASH_AND_ONE = 8; // the seven splash pictures and the one after them

let browser, site;
before(async () => {
    [browser, site] = [await launch(), await serve()];
});
after(() => Promise.all([browser?.close(), site?.close()]));

// A page of the context that records every picture, with its console errors collected.
async function open(context, problems) {
    const page = await context.newPage();
    page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
    page.on('pageerror', (error) => problems.push(error.message));
    await page.goto(site.url);
    return page;
}

// The pictures recorded, once there are `count` of them and a moment has passed for any beyond.
async function pictures(page, count) {
    await page.waitForFunction((n) => window.pictures?.length >= n, count, { timeout: 10000 }).catch(() => {});
    return page.waitForTimeout(300).then(() => page.evaluate(() => window.pictures.map((p) => p.rgba)));
}

// As a phone's browser does before it may end the page.
const hide = (page) => page.evaluate(() => {
    Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
});

test('a game comes back after the splash; bad storage gives the menu', { timeout: 120000 }, async () => {
    const context = await browser.newContext({ viewport: { width: 480, height: 600 } }), problems = [];
    // Where the picture lies and at what scale, found on a first page once its splash is over.
    const first = await open(context, problems);
    await first.waitForTimeout(3500);
    const at = findPicture(await first.locator('#game').screenshot(), replayMenu());
    assert.ok(at, 'the menu on the first page');
    const tap = (page, [x, y]) => page.mouse.click(at.left + (x + 0.5) * at.k, (y + 0.5) * at.k);
    await context.addInitScript(recordPictures, at);
    await first.close();

    const page = await open(context, problems);
    const menu = (await pictures(page, SPLASH_AND_ONE))[7];
    await tap(page, NORMAL_LABEL);
    await tap(page, COLUMN_2_UP);
    const played = await pictures(page, 11);
    assert.equal(played.length, 11, 'the menu, the board, one shift in two frames');
    await hide(page);
    await page.close();

    const back = await open(context, problems);
    const resumed = await pictures(back, SPLASH_AND_ONE);
    assert.equal(resumed.length, SPLASH_AND_ONE, 'the splash, then one picture');
    assert.equal(resumed[7], played[10], 'the board as it was left');
    await tap(back, COLUMN_2_DOWN);
    assert.equal((await pictures(back, 10))[9], played[8], 'the shift taken back');

    // Quit keeps nothing; what the storage holds then is no kept game of this build.
    const kept = Buffer.from(await back.evaluate((key) => localStorage.getItem(key), KEY), 'base64');
    await tap(back, QUIT);
    await hide(back);
    assert.equal(await back.evaluate((key) => localStorage.getItem(key), KEY), null, 'nothing kept on the menu');
    const otherVersion = Buffer.from(kept).fill(kept[3] + 1, 3, 4);
    const stored = [kept.subarray(0, 200), otherVersion, Buffer.from(kept.map(() => Math.random() * 256))]
        .map((bytes) => bytes.toString('base64')).concat(['%not base64%']);
    for (const value of stored) {
        await back.evaluate(([key, v]) => localStorage.setItem(key, v), [KEY, value]);
        await back.reload();
        assert.equal((await pictures(back, SPLASH_AND_ONE))[7], menu, `the menu for ${value.slice(0, 12)}`);
    }

    // Storage that throws, as in private browsing: the game plays as ever.
    await context.addInitScript(() => Object.defineProperty(window, 'localStorage', {
        get: () => { throw new DOMException('storage is off', 'SecurityError'); },
    }));
    const noStorage = await open(context, problems);
    assert.equal((await pictures(noStorage, SPLASH_AND_ONE))[7], menu);
    await tap(noStorage, NORMAL_LABEL);
    await hide(noStorage);
    assert.equal((await pictures(noStorage, 9)).length, 9, 'the board');
    await context.close();
    assert.deepEqual(problems, []);
});
