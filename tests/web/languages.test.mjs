// The page in the browser's language, in Chromium: German words for a German browser with only the German
// catalogue fetched (in English no catalogue, nor the core that reads them), German chosen on an English
// page, Arabic laid out right to left round the same picture, the choice of
// "Tools" > "Language" kept across a reload (a stored value that names none counts as none), and How to play
// opened by F1 and by the menu in the language spoken.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import * as h from './harness.mjs';

const chromium = h.chromiumSite();
// A phone's screen in the browser's language; `stored` is put in the site's storage first. Every catalogue
// fetched, and the core that reads them, is listed in `fetched`.
async function open(locale, stored = null) {
    const fetched = [];
    const opened = await chromium.open({ viewport: { width: 390, height: 844 }, locale }, '', (page) => Promise.all([
        page.on('request', (request) => /\/(lang\/|tessel-core-languages)/.test(request.url()) && fetched.push(request.url().split('/').at(-1))),
        // Only before the first load: a reload finds what the page kept.
        page.addInitScript((value) => value && !sessionStorage.getItem('stored') &&
            (sessionStorage.setItem('stored', 'yes'), localStorage.setItem('tessel-language', value)), stored)]));
    return { ...opened, fetched };
}
const words = (page, lang, tools) => h.waitFor(page, ([l, t]) => document.documentElement.lang === l &&
    document.getElementById('tools').textContent === t, [lang, tools], `the page in ${lang}`);
const page = (p) => p.evaluate(() => ({ dir: document.documentElement.dir, kept: localStorage.getItem('tessel-language'),
    tools: document.getElementById('tools').getBoundingClientRect().right }));

test('Chromium: the page in the browser\'s language or the one chosen, How to play in it', { timeout: 120000 }, async () => {
    const english = await open('en-GB');
    await words(english.page, 'en', 'Tools');
    assert.deepEqual(english.fetched, [], 'English fetches no catalogue, nor the core that reads them');
    await h.tool(english.page, '#language-item', '#language-list [data-language="de"]');
    await words(english.page, 'de', 'Werkzeuge');
    assert.deepEqual(english.fetched.sort(), ['de.cat', 'tessel-core-languages.js', 'tessel-core-languages.wasm'],
        'German chosen: the page again with the core that reads it');
    await english.close();

    const { page: de, fetched, errors, close } = await open('de-DE', 'klingon');
    await words(de, 'de', 'Werkzeuge');
    assert.deepEqual(fetched.filter((file) => file.endsWith('.cat')), ['de.cat'], 'only its own catalogue');
    await de.keyboard.press('F1');
    await h.waitFor(de, () => document.getElementById('help').open &&
        document.getElementById('help-caption').textContent === 'Spielanleitung' &&
        document.querySelectorAll('#help-body p').length === 7, null, 'How to play on the menu, in German');
    await de.keyboard.press('Escape');
    await h.waitFor(de, () => !document.getElementById('help').open, null, 'How to play closed');

    // Arabic from the menu: right to left, kept, and still so after a reload.
    await h.tool(de, '#language-item', '#language-list [data-language="ar"]');
    await words(de, 'ar', 'أدوات');
    assert.deepEqual(await page(de), { dir: 'rtl', kept: 'ar', tools: 390 }, 'Tools at the right edge');
    await de.reload();
    await words(de, 'ar', 'أدوات');
    await h.tool(de, '#help-item');
    await h.waitFor(de, () => document.getElementById('help-caption').textContent === 'طريقة اللعب', null, 'How to play');
    await de.keyboard.press('Escape');
    await h.tool(de, '#language-item', '#language-list [data-language="system"]');
    await words(de, 'de', 'Werkzeuge');
    assert.deepEqual(await page(de), { dir: 'ltr', kept: null, tools: await de.evaluate(() =>
        document.getElementById('tools').getBoundingClientRect().width) }, 'as the system again: German, left to right');
    assert.deepEqual(errors, []);
    await close();
});
