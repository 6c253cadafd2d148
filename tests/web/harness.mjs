// The browser tests' ground: the web folder served, tessel-replay's start picture, pictures found on
// screenshots, and the three engines, each behind one small adapter: Chromium (playwright-core), Firefox
// ESR (puppeteer-core over WebDriver BiDi) and WebKitGTK's MiniBrowser (WebKitWebDriver, plain HTTP).
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
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

// tessel-replay's first picture, the menu, as a PNG.
export function replayMenu() {
    const frames = fs.mkdtempSync(`${os.tmpdir()}/tessel-frames-`);
    execFileSync(process.env.TESSEL_REPLAY ?? 'build/bin/tessel-replay', ['--frames', frames, '/dev/null']);
    const png = fs.readFileSync(`${frames}/00000.png`);
    fs.rmSync(frames, { recursive: true });
    return png;
}

// Finds the PNG `reference` on the PNG `shot`, enlarged k times with every pixel an exact k x k block,
// white all around, placed by the first pixel that is not white; null if it is not there.
export function findPicture(shot, reference) {
    const decode = (png) => {
        const { width, height, data } = PNG.sync.read(png);
        const px = new Uint32Array(data.buffer, data.byteOffset, width * height);
        const first = px.findIndex((v) => v !== WHITE);
        const at = (x, y) => (x >= 0 && y >= 0 && x < width && y < height ? px[y * width + x] : WHITE);
        return { size: [width, height], px, at, first: [first % width, Math.floor(first / width)] };
    };
    const WHITE = 0xffffffff; // opaque, as RGBA
    const [screen, picture] = [decode(shot), decode(reference)], [width] = screen.size;
    for (let k = 1; screen.first[0] >= 0 && k <= 16; k++) {
        const [left, top] = [0, 1].map((i) => screen.first[i] - picture.first[i] * k);
        const enlarged = (x, y) => picture.at(Math.floor((x - left) / k), Math.floor((y - top) / k));
        const found = screen.px.every((v, i) => v === enlarged(i % width, Math.floor(i / width)));
        if (found) return { k, left, top, size: picture.size, screen: screen.size };
    }
    return null;
}

// The RGBA bytes of a PNG in base64, as recordPictures gives them.
export const rgbaOf = (png) => Buffer.from(PNG.sync.read(png).data).toString('base64');

// Runs in the game page: at the end of every display frame, records the game picture on the canvas (a
// pixel of each k x k block, RGBA in base64) with the frame's time, if it has changed.
export function recordPictures({ k, left, size: [width, height] }) {
    window.pictures = [];
    const small = document.createElement('canvas');
    [small.width, small.height] = [width, height];
    const context = small.getContext('2d', { willReadFrequently: true });
    context.imageSmoothingEnabled = false;
    const requestFrame = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => requestFrame((time) => {
        callback(time);
        context.drawImage(document.getElementById('game'), left, 0, width * k, height * k, 0, 0, width, height);
        const bytes = context.getImageData(0, 0, width, height).data;
        const rgba = btoa(Array.from(bytes, (v) => String.fromCharCode(v)).join(''));
        if (rgba !== window.pictures.at(-1)?.rgba) window.pictures.push({ t: time, rgba, width });
    });
}

// The system's Chromium, for the measuring scripts as well.
export function launch() {
    const executablePath = process.env.CHROMIUM ?? '/usr/lib/chromium/chromium';
    return chromium.launch({ executablePath, args: ['--disable-gpu'] });
}

// Each engine opens a page for a device { width, height, scale, touch, coarse } (CSS pixels, device pixels
// per CSS pixel, taps by touch or by a mouse, touch the main pointer so that the page takes it for a phone
// that turns) and gives the same few operations on it: goto, reload, evaluate a
// function with one argument, a PNG of the canvas (null if there is none yet), a tap or click at CSS
// pixels (whole ones only where the engine's `wholeCssPixels`), Ctrl+A, resize, close; `errors`, the
// console's errors and uncaught exceptions, where the engine reports them (else null); `beforeLoad(fn,
// arg)`, a script run before the page's own on every load, where it can; `slowTaps` where 22 taps can
// outlast the splash. All three keep service workers.
const chromiumEngine = {
    name: 'Chromium',
    devices: [{ name: 'desktop, mouse', width: 1280, height: 800, scale: 1, touch: false },
              { name: 'phone, touch', width: 360, height: 740, scale: 3, touch: true, coarse: true }],
    cannot: [],
    async open({ width, height, scale, touch }) {
        const browser = await launch();
        const page = await (await browser.newContext({ viewport: { width, height }, deviceScaleFactor: scale,
            isMobile: touch, hasTouch: touch })).newPage();
        const errors = [];
        page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
        page.on('pageerror', (error) => errors.push(error.message));
        return { version: browser.version(), errors, goto: (url) => page.goto(url), reload: () => page.reload(),
            beforeLoad: (fn, arg) => page.addInitScript(fn, arg), evaluate: (fn, arg) => page.evaluate(fn, arg),
            shoot: () => page.locator('#game').screenshot(),
            tap: (x, y) => (touch ? page.touchscreen.tap(x, y) : page.mouse.click(x, y)),
            ctrlA: () => page.keyboard.press('Control+A'),
            resize: (w, h) => page.setViewportSize({ width: w, height: h }), close: () => browser.close() };
    },
};

const firefoxEngine = {
    name: 'Firefox',
    devices: [{ name: 'desktop, mouse', width: 1280, height: 800, scale: 1, touch: false },
              { name: 'phone screen, touch taps', width: 360, height: 740, scale: 3, touch: true }],
    wholeCssPixels: true, // puppeteer rounds pointer positions
    slowTaps: true,
    cannot: [['the landscape message', 'its automation cannot make touch the main pointer of a phone'],
             ['taps on single device pixels at 3x', 'puppeteer taps on whole CSS pixels'],
             ['the taps made during the splash', 'on a busy machine 22 taps can outlast the splash']],
    async open({ width, height, scale, touch }) {
        const executablePath = process.env.FIREFOX ?? '/usr/lib/firefox-esr/firefox-esr';
        const browser = await puppeteer.launch({ browser: 'firefox', executablePath, headless: true });
        const page = await browser.newPage(), errors = [];
        await page.setViewport({ width, height, deviceScaleFactor: scale });
        page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
        page.on('pageerror', (error) => errors.push(error.message));
        return { version: await browser.version(), errors, goto: (url) => page.goto(url),
            reload: () => page.reload(), beforeLoad: (fn, arg) => page.evaluateOnNewDocument(fn, arg),
            evaluate: (fn, arg) => page.evaluate(fn, arg),
            shoot: async () => Buffer.from(await (await page.$('#game')).screenshot()),
            tap: (x, y) => (touch ? page.touchscreen.tap(x, y) : page.mouse.click(x, y)),
            ctrlA: () => page.keyboard.down('Control').then(() => page.keyboard.press('KeyA'))
                .then(() => page.keyboard.up('Control')),
            resize: (w, h) => page.setViewport({ width: w, height: h, deviceScaleFactor: scale }),
            close: () => browser.close() };
    },
};

async function freePort() {
    const server = net.createServer().listen(0, '127.0.0.1');
    await new Promise((resolve) => server.once('listening', resolve));
    const { port } = server.address();
    return new Promise((resolve) => server.close(() => resolve(port)));
}

// WebKitGTK's MiniBrowser, on a display of its own (Xvfb), spoken to in WebDriver's HTTP requests; GTK's
// GDK_SCALE gives it a screen of several device pixels per CSS pixel.
const webkitEngine = {
    name: 'WebKit',
    devices: [{ name: 'desktop, mouse', width: 1280, height: 800, scale: 1, touch: false },
              { name: 'phone screen at 3x, mouse', width: 360, height: 740, scale: 3, touch: false }],
    wholeCssPixels: true, // WebDriver's pointer positions are whole numbers
    cannot: [['touch and the landscape message', 'WebKitWebDriver taps by touch as with a mouse'],
             ['the picture as shown at 3x', 'its screenshots have one pixel per CSS pixel; the canvas is read'],
             ['console errors', 'WebKitWebDriver does not report them'],
             ['the splash and the taps during it', 'WebDriver runs no script before the page\'s own']],
    async open({ width, height, scale }) {
        // Xvfb picks a free display and writes its number to file descriptor 3.
        const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1600x1200x24', '-nolisten', 'tcp'],
            { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
        const display = await new Promise((resolve, reject) => {
            xvfb.stdio[3].once('data', (data) => resolve(String(data).trim()));
            xvfb.once('exit', (code) => reject(new Error(`Xvfb exited with ${code}`)));
        });
        xvfb.stdio[3].unref();
        const port = await freePort();
        const driver = spawn('WebKitWebDriver', [`--port=${port}`],
            { env: { ...process.env, DISPLAY: `:${display}`, GDK_SCALE: String(scale) }, stdio: 'ignore' });
        // Should a test fail before it closes them, neither keeps the tests waiting, nor outlives them.
        for (const child of [xvfb, driver]) {
            child.unref();
            process.once('exit', () => child.kill());
        }
        const call = async (method, path, body) => {
            const request = { method, body: body && JSON.stringify(body), signal: AbortSignal.timeout(30000),
                headers: { 'content-type': 'application/json' } };
            const response = await fetch(`http://127.0.0.1:${port}${path}`, request).catch((error) => {
                throw new Error(`WebDriver ${method} ${path}: ${error.message}`);
            });
            const { value } = await response.json();
            if (value?.error) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
            return value;
        };
        for (let tries = 100; await call('GET', '/status').then(() => false, () => tries-- > 0);) {
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
        const browserOptions = { binary: process.env.WEBKIT_MINIBROWSER ??
            '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] };
        const created = await call('POST', '/session',
            { capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': browserOptions } } });
        const session = (method, path, body) => call(method, `/session/${created.sessionId}${path}`, body);
        const actions = (...sources) => session('POST', '/actions', { actions: sources });
        const resize = (w, h) => session('POST', '/window/rect', { width: w, height: h });
        await resize(width, height);
        return {
            version: `${created.capabilities.browserName} ${created.capabilities.browserVersion}`, errors: null,
            goto: (url) => session('POST', '/url', { url }), reload: () => session('POST', '/refresh', {}),
            evaluate: (fn, arg) => session('POST', '/execute/sync', { script: `return (${fn})(arguments[0]);`,
                args: [arg ?? null] }),
            // WebKitGTK's screenshots of an element are shifted; the canvas is cut from the whole view. At
            // 3x, where screenshots have one pixel per CSS pixel, its backing store is read instead, if it
            // has one pixel per device pixel.
            async shoot() {
                if (scale > 1) {
                    const png = await this.evaluate(() => {
                        const canvas = document.getElementById('game'), box = canvas.getBoundingClientRect();
                        const exact = canvas.width === box.width * devicePixelRatio &&
                            canvas.height === box.height * devicePixelRatio;
                        return exact && canvas.toDataURL('image/png').split(',')[1];
                    });
                    return png && Buffer.from(png, 'base64');
                }
                const view = PNG.sync.read(Buffer.from(await session('GET', '/screenshot'), 'base64'));
                const [x, y, w, h] = await this.evaluate(() => {
                    const box = document.getElementById('game').getBoundingClientRect();
                    return [box.x, box.y, box.width, box.height].map(Math.round);
                });
                const canvas = new PNG({ width: w, height: h });
                PNG.bitblt(view, canvas, x, y, w, h, 0, 0);
                return PNG.sync.write(canvas);
            },
            tap: (x, y) => actions({ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
                { type: 'pointerMove', x, y, origin: 'viewport' },
                { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }),
            ctrlA: () => actions({ type: 'key', id: 'keys', actions: [{ type: 'keyDown', value: '\uE009' },
                { type: 'keyDown', value: 'a' }, { type: 'keyUp', value: 'a' }, { type: 'keyUp', value: '\uE009' }] }),
            resize,
            async close() {
                await session('DELETE', '').catch(() => {});
                driver.kill();
                xvfb.kill();
            },
        };
    },
};

export const engines = [chromiumEngine, firefoxEngine, webkitEngine];
