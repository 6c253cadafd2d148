// The browser tests' ground: the site, tessel-replay, pictures on the canvas, an adapter for each engine.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';

// The folder served by Python's web server, as scripts/web.sh does, on a free port of this machine only.
export async function serve(root = process.env.TESSEL_SITE ?? 'build-web/site') {
    const args = ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', root];
    const server = spawn('python3', args, { stdio: ['ignore', 'pipe', 'ignore'] });
    const exited = new Promise((resolve) => server.once('exit', resolve));
    const line = await new Promise((resolve) => server.stdout.once('data', resolve));
    return { url: `http://127.0.0.1:${/port (\d+)/.exec(line)[1]}/`, close: () => server.kill() && exited };
}

// tessel-replay with its script on standard input; its output.
export const replay = (args, lines) => execFileSync(process.env.TESSEL_REPLAY ?? 'build/bin/tessel-replay',
    [...args, '-'], { input: lines.join('\n') });

// tessel-replay's output and every picture it showed, as PNGs.
export function replayFrames(args, lines) {
    const dir = fs.mkdtempSync(`${os.tmpdir()}/tessel-frames-`);
    const out = replay([...args, '--frames', dir], lines).toString();
    const frames = fs.readdirSync(dir).sort().map((name) => fs.readFileSync(`${dir}/${name}`));
    fs.rmSync(dir, { recursive: true });
    return { out, frames };
}
// tessel-replay's first picture, the menu, as a PNG.
export const replayMenu = (args = []) => replayFrames(args, []).frames[0];

// Finds the PNG `reference` on the PNG `shot`, enlarged k times with every pixel an exact k x k block,
// white all around, placed by the first pixel that is not white; null if it is not there.
function findPicture(shot, reference) {
    const WHITE = 0xffffffff;
    const decode = (png) => {
        const { width, height, data } = PNG.sync.read(png);
        const px = new Uint32Array(data.buffer, data.byteOffset, width * height);
        const first = px.findIndex((v) => v !== WHITE);
        const at = (x, y) => (x >= 0 && y >= 0 && x < width && y < height ? px[y * width + x] : WHITE);
        return { size: [width, height], px, at, first: [first % width, Math.floor(first / width)] };
    };
    const [screen, picture] = [decode(shot), decode(reference)], [width] = screen.size;
    for (let k = 1; screen.first[0] >= 0 && k <= 16; k++) {
        const [left, top] = [0, 1].map((i) => screen.first[i] - picture.first[i] * k);
        const enlarged = (x, y) => picture.at(Math.floor((x - left) / k), Math.floor((y - top) / k));
        if (screen.px.every((v, i) => v === enlarged(i % width, Math.floor(i / width)))) return { k, left, top, size: picture.size, screen: screen.size };
    }
    return null;
}

// The RGBA bytes of a PNG in base64, as recordPictures gives them, and a picture it recorded as a PNG.
export const rgbaOf = (png) => Buffer.from(PNG.sync.read(png).data).toString('base64');
export const pngOf = ({ rgba, width }) => PNG.sync.write(Object.assign(new PNG({ width,
    height: Buffer.from(rgba, 'base64').length / 4 / width }), { data: Buffer.from(rgba, 'base64') }));

// Runs before the page's scripts: after every put on the page's picture (which takes the part that changed),
// records the whole picture (RGBA in base64) in shownPictures.
export function recordPutPictures() {
    window.shownPictures = [];
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...args) {
        put.apply(this, args);
        const { data } = this.getImageData(0, 0, this.canvas.width, this.canvas.height);
        let text = '';
        for (let i = 0; i < data.length; i += 8192) text += String.fromCharCode(...data.subarray(i, i + 8192));
        window.shownPictures.push(btoa(text));
    };
}

// Runs in the game page: at the end of every display frame, records the game picture on the canvas (a
// pixel of each k x k block, RGBA in base64) with the frame's time, if it has changed.
export function recordPictures({ k, left, size: [width, height] }) {
    window.pictures = [];
    const context = Object.assign(document.createElement('canvas'), { width, height })
        .getContext('2d', { willReadFrequently: true });
    context.imageSmoothingEnabled = false;
    const requestFrame = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => requestFrame((time) => {
        callback(time);
        context.drawImage(document.getElementById('game'), left, 0, width * k, height * k, 0, 0, width, height);
        const rgba = btoa(Array.from(context.getImageData(0, 0, width, height).data, (v) => String.fromCharCode(v)).join(''));
        if (rgba !== window.pictures.at(-1)?.rgba) window.pictures.push({ t: time, rgba, width });
    });
}

const delay = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// What `probe` gives once it gives something, tried every 200 ms for 10 s.
async function poll(probe, what) {
    for (let tries = 50, value; tries > 0; tries--, await delay(200)) if ((value = await probe())) return value;
    assert.fail(`waited in vain for ${what}`);
}
export const waitFor = (page, fn, arg, what = String(fn)) => poll(() => page.evaluate(fn, arg), what);

// Waits until the canvas shows the PNG `menu` (or another picture); where and at what scale, in device pixels.
export const findMenu = (page, menu, what = 'the menu') =>
    poll(async () => { const shot = await page.shoot(); return shot && findPicture(shot, menu); }, `${what} at a whole scale`);

// The pictures recorded, once there are `count` of them and a moment has passed for any beyond.
export const pictures = (page, count) => waitFor(page, (n) => window.pictures?.length >= n, count).catch(() => {})
    .then(() => delay(300)).then(() => page.evaluate(() => window.pictures));

// Device pixel (dx, dy) of game pixel (x, y) in CSS pixels; on whole CSS pixels, scale - 1 stays on it.
const edge = (page) => (page.whole ? page.scale - 1 : 0);
const cssOf = (page, at, [x, y], dx = edge(page), dy = edge(page)) => [at.left + x * at.k + dx, y * at.k + dy]
    .map((v) => (page.whole ? Math.floor(v / page.scale) : (v + 0.5) / page.scale));
// A tap there; the mouse pressed on game pixel `from`, moved through the others in turn and let go.
export const tapGame = (page, at, point, dx, dy) => page.tap(...cssOf(page, at, point, dx, dy));
export const dragGame = (page, at, [from, ...through]) =>
    page.drag(cssOf(page, at, from), through.map((point) => cssOf(page, at, point)));

// Runs in the page: the CSS pixels of game pixel [x, y]'s middle, the picture centred across the canvas at
// the largest whole scale.
export function gamePoint([x, y]) {
    const canvas = document.getElementById('game'), box = canvas.getBoundingClientRect();
    const k = Math.floor(Math.min(canvas.width / 239, canvas.height / 267));
    const left = Math.floor((canvas.width - 239 * k) / 2);
    return [box.left + (left + (x + 0.5) * k) / devicePixelRatio, box.top + ((y + 0.5) * k) / devicePixelRatio];
}
// A click of a Playwright page's mouse on game pixel `point`.
export const clickGame = async (page, point) => page.mouse.click(...await page.evaluate(gamePoint, point));

// The text of the element with that ID; the note's, once it shows.
export const textOf = (page, id) => page.evaluate((i) => document.getElementById(i).textContent, id);
export const note = (page) => waitFor(page, () => !document.getElementById('note').hidden &&
    document.getElementById('note').textContent, null, 'the note');

// Runs in the page: the board as the screen readers' copy names it, the tile numbers row by row (0 for
// anything else); given `want` (the board as JSON), whether it is that board.
export function mirrorBoard(want) {
    const rows = [...document.querySelectorAll('#mirror [role=row]')]
        .map((row) => [...row.querySelectorAll('[role=gridcell]')].map((c) => parseInt(c.getAttribute('aria-label'), 10) || 0))
        .filter((row) => row.some((n) => n > 0)).map((row) => row.filter((n, i) => i > 0 && i < row.length - 1));
    return want == null ? rows : JSON.stringify(rows) === want;
}
// Row r (from 0) of the board turned `cells` cells to the right.
export const turnedRow = (rows, r, cells) => rows.map((row, i) => (i === r ? row.map((_, c) => row[(((c - cells) % 4) + 4) % 4]) : row));

// Fails with axe-core's findings on the page (of any engine's adapter or Playwright), named `what`.
export async function noViolations(page, what) {
    const source = fs.readFileSync(new URL('../../node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
    await page.evaluate((axe) => Boolean(window.axe || (0, eval)(axe)), source);
    const violations = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] })
        .then((result) => result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`)));
    assert.deepEqual(violations, [], `axe-core on ${what}`);
}

// Opens the Tools menu of a Playwright page and clicks the items given in turn.
export const tool = async (page, ...items) => {
    for (const item of ['#tools', ...items]) await page.click(item);
};

// Presses tessel-replay's keys ("Shift+Left", "Space") one after the other.
const DOM_KEYS = { Left: 'ArrowLeft', Right: 'ArrowRight', Up: 'ArrowUp', Down: 'ArrowDown' };
export const keys = async (page, names) => {
    for (const name of names) await page.key(name.replace(/\w+$/, (key) => DOM_KEYS[key] ?? key));
};

// As a phone's browser does before it may end the page: the game keeps itself, and `kept` reads it; `stored`
// reads the site's storage under any key.
export const KEY = 'tessel-kept-game';
export const hide = (page) => page.evaluate(() => {
    Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
});
export const stored = (page, key) => page.evaluate((k) => localStorage.getItem(k), key);
export const kept = (page) => stored(page, KEY);

// The system's Chromium, for the measuring scripts as well.
export const launch = () =>
    chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/lib/chromium/chromium', args: ['--disable-gpu'] });

// For a test file: the site served and the system's Chromium, both closed after its last test; `open` gives a
// page of its own (options of a browser context) with its uncaught errors in `errors`, loaded at `hash`.
export function chromiumSite() {
    const shared = {};
    before(async () => [shared.site, shared.browser] = await Promise.all([serve(), launch()]));
    after(() => Promise.all([shared.browser.close(), shared.site.close()]));
    shared.open = async (options, hash = '', setUp = async () => {}) => {
        const context = await shared.browser.newContext(options), page = await context.newPage(), errors = [];
        page.on('pageerror', (error) => errors.push(error.message));
        await setUp(page);
        await page.goto(shared.site.url + (hash && `#${hash}`));
        return { context, page, errors, close: () => context.close() };
    };
    return shared;
}

// Each engine's browser starts once and serves every page opened after it, until a moment after the last one
// closes. `start` gives the browser, with its close().
function shared(start) {
    let browser = null, pages = 0, timer;
    const close = () => [browser.then((b) => b.close(), () => {}), (browser = null)];
    return { get: () => (clearTimeout(timer), pages++, (browser ??= start())),
        release: () => void (--pages === 0 && (timer = setTimeout(close, 1000))) };
}

// Each engine opens a page for a device and gives goto, reload, evaluate(fn, arg), shoot (the canvas as a PNG or
// null), tap (at whole CSS pixels where `whole`), key("Control+Shift+Z"), resize, close, `errors` (null where
// not reported), reopen(url) (the game loaded again on the same profile) and, where it can, beforeLoad(fn, arg).
const DESKTOP = { name: 'desktop, mouse', width: 1280, height: 800, scale: 1, touch: false };

// Playwright's and puppeteer's pages are alike enough for one adapter; `watch` takes in a new page.
function adapt(page, touch, more) {
    const ops = { errors: [], ...more,
        goto: (url) => ops.page.goto(url), reload: () => ops.page.reload(),
        evaluate: (fn, arg) => ops.page.evaluate(fn, arg),
        tap: (x, y) => (touch ? ops.page.touchscreen.tap(x, y) : ops.page.mouse.click(x, y)),
        async drag(from, through) {
            const mouse = ops.page.mouse;
            await mouse.move(...from);
            await mouse.down();
            for (const point of through) await mouse.move(...point);
            await mouse.up();
        },
        watch(p) {
            p.on('console', (message) => message.type() === 'error' && ops.errors.push(message.text()));
            p.on('pageerror', (error) => ops.errors.push(error.message));
            return (ops.page = p);
        } };
    ops.watch(page);
    return ops;
}

const chromiums = shared(launch);
const chromiumEngine = {
    name: 'Chromium',
    devices: [DESKTOP, { name: 'phone, touch', width: 360, height: 740, scale: 3, touch: true, coarse: true }],
    async open({ width, height, scale, touch }) {
        const browser = await chromiums.get(), context = await browser.newContext({ viewport: { width, height },
            deviceScaleFactor: scale, isMobile: touch, hasTouch: touch });
        const ops = adapt(await context.newPage(), touch, { version: browser.version(), scale,
            close: () => context.close().then(chromiums.release),
            beforeLoad: (fn, arg) => context.addInitScript(fn, arg),
            shoot: () => ops.page.locator('#game').screenshot(), key: (combo) => ops.page.keyboard.press(combo),
            resize: (w, h) => ops.page.setViewportSize({ width: w, height: h }),
            reopen: async (url) => ops.watch(await ops.page.close().then(() => context.newPage())).goto(url) });
        return ops;
    },
};

const firefoxes = shared(() => puppeteer.launch({ browser: 'firefox', headless: true,
    executablePath: process.env.FIREFOX ?? '/usr/lib/firefox-esr/firefox-esr' }));
const firefoxEngine = {
    name: 'Firefox',
    devices: [DESKTOP, { name: 'phone screen, touch taps', width: 360, height: 740, scale: 3, touch: true }],
    slowTaps: true,
    cannot: [['the landscape message', 'its automation cannot make touch the main pointer of a phone'],
             ['taps on single device pixels at 3x', 'puppeteer taps on whole CSS pixels'],
             ['the taps made during the splash', 'on a busy machine 22 taps can outlast the splash']],
    async open({ width, height, scale, touch }) {
        const browser = await firefoxes.get(), page = await browser.newPage(), keys = page.keyboard;
        const resize = (w, h) => page.setViewport({ width: w, height: h, deviceScaleFactor: scale });
        await resize(width, height);
        return adapt(page, touch, { version: await browser.version(), scale, whole: true, resize,
            close: () => page.close().then(firefoxes.release),
            beforeLoad: (fn, arg) => page.evaluateOnNewDocument(fn, arg),
            reopen: (url) => page.goto('about:blank').then(() => page.goto(url)),
            shoot: async () => Buffer.from(await (await page.$('#game')).screenshot()),
            async key(combo) {
                const names = combo.split('+'), last = names.pop();
                for (const name of names) await keys.down(name);
                await keys.press(last.length === 1 ? `Key${last.toUpperCase()}` : last === 'Space' ? ' ' : last);
                for (const name of names.reverse()) await keys.up(name);
            } });
    },
};

// WebDriver's codes of the keys the game takes, and of the modifiers.
const WEBDRIVER_KEYS = { ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
    Enter: '\uE007', Space: '\uE00D', Escape: '\uE00C', Control: '\uE009', Shift: '\uE008', Alt: '\uE00A', Tab: '\uE004' };

// MiniBrowser on a display of its own, driven by WebKitWebDriver over HTTP; GDK_SCALE sets its device pixels.
const webkitEngine = {
    name: 'WebKit',
    devices: [DESKTOP, { name: 'phone screen at 3x, mouse', width: 360, height: 740, scale: 3, touch: false }],
    cannot: [['touch and the landscape message', 'WebKitWebDriver taps by touch as with a mouse'],
             ['the picture as shown at 3x', 'its screenshots have one pixel per CSS pixel; the canvas is read'],
             ['console errors', 'WebKitWebDriver does not report them'],
             ['the splash and the taps during it', 'WebDriver runs no script before the page\'s own']],
    // One MiniBrowser for each scale, its device pixels being its driver's.
    sessions: {},
    async open({ width, height, scale }) {
        const sessions = (this.sessions[scale] ??= shared(() => this.start(scale))), ops = await sessions.get();
        await ops.resize(width, height);
        return { ...ops, close: sessions.release };
    },
    async start(scale) {
        // Xvfb picks a free display and writes its number to file descriptor 3.
        const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1600x1200x24', '-nolisten', 'tcp'],
            { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
        const display = await new Promise((resolve, reject) => {
            xvfb.stdio[3].once('data', (data) => resolve(String(data).trim()));
            xvfb.once('exit', (code) => reject(new Error(`Xvfb exited with ${code}`)));
        });
        xvfb.stdio[3].unref();
        const probe = net.createServer().listen(0, '127.0.0.1'); // a free port for the driver
        const port = await new Promise((resolve) => probe.once('listening', () => resolve(probe.address().port)));
        await new Promise((resolve) => probe.close(resolve));
        const driver = spawn('WebKitWebDriver', [`--port=${port}`],
            { env: { ...process.env, DISPLAY: `:${display}`, GDK_SCALE: String(scale) }, stdio: 'ignore' });
        for (const child of [xvfb, driver]) child.unref(), process.once('exit', () => child.kill());
        const call = async (method, path, body) => {
            const request = { method, body: JSON.stringify(body), signal: AbortSignal.timeout(30000),
                headers: { 'content-type': 'application/json' } };
            const { value } = await (await fetch(`http://127.0.0.1:${port}${path}`, request)).json();
            if (value?.error) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
            return value;
        };
        await poll(() => call('GET', '/status').then(() => true, () => false), 'WebKitWebDriver');
        const binary = process.env.WEBKIT_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
        const created = await call('POST', '/session', { capabilities: { alwaysMatch:
            { 'webkitgtk:browserOptions': { binary, args: ['--automation'] } } } });
        const session = (method, path, body) => call(method, `/session/${created.sessionId}${path}`, body);
        const actions = (...sources) => session('POST', '/actions', { actions: sources });
        const resize = (w, h) => session('POST', '/window/rect', { width: w, height: h });
        const evaluate = (fn, arg) => session('POST', '/execute/sync',
            { script: `return (${fn})(arguments[0]);`, args: [arg ?? null] });
        const goto = (url) => session('POST', '/url', { url }), { capabilities: caps } = created;
        // The mouse pressed at [x, y], moved through the other points in turn and let go.
        const drag = ([x, y], through) => actions({ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
            { type: 'pointerMove', x, y, origin: 'viewport' }, { type: 'pointerDown', button: 0 },
            ...through.map(([tx, ty]) => ({ type: 'pointerMove', x: tx, y: ty, origin: 'viewport', duration: 20 })),
            { type: 'pointerUp', button: 0 }] });
        return { version: `${caps.browserName} ${caps.browserVersion}`, errors: null, scale, whole: true, resize, evaluate,
            goto, reload: () => session('POST', '/refresh', {}),
            reopen: (url) => goto('about:blank').then(() => goto(url)),
            // The canvas cut from a screenshot of the view (an element's come shifted); at 3x, the canvas read.
            async shoot() {
                const [box, png] = await evaluate((read) => {
                    const canvas = document.getElementById('game'), box = canvas.getBoundingClientRect();
                    const png = read && canvas.width === box.width * devicePixelRatio &&
                        canvas.height === box.height * devicePixelRatio && canvas.toDataURL('image/png');
                    return [[box.x, box.y, box.width, box.height].map(Math.round), png && png.split(',')[1]];
                }, scale > 1);
                if (scale > 1) return png && Buffer.from(png, 'base64');
                const view = PNG.sync.read(Buffer.from(await session('GET', '/screenshot'), 'base64'));
                const canvas = new PNG({ width: box[2], height: box[3] });
                PNG.bitblt(view, canvas, ...box, 0, 0);
                return PNG.sync.write(canvas);
            },
            tap: (x, y) => drag([x, y], []), drag,
            key(combo) {
                const names = combo.split('+').map((name) => WEBDRIVER_KEYS[name] ?? name.toLowerCase());
                const downs = names.map((value) => ({ type: 'keyDown', value }));
                const ups = names.reverse().map((value) => ({ type: 'keyUp', value }));
                return actions({ type: 'key', id: 'keys', actions: [...downs, ...ups] });
            },
            close: () => session('DELETE', '').catch(() => {}).then(() => [driver, xvfb].forEach((c) => c.kill())) };
    },
};

export const engines = [chromiumEngine, firefoxEngine, webkitEngine];
