// The browser tests' ground: the web folder served, the system's Chromium, and what the tests run in pages.
import { spawn } from 'node:child_process';
import { chromium } from 'playwright-core';

// The folder served by Python's web server, as scripts/web.sh does, on a free port of this machine only.
export async function serve(root = process.env.TESSEL_SITE ?? 'build-web/site') {
    const args = ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', root];
    const server = spawn('python3', args, { stdio: ['ignore', 'pipe', 'ignore'] });
    const exited = new Promise((resolve) => server.once('exit', resolve));
    const line = await new Promise((resolve) => server.stdout.once('data', resolve));
    return { url: `http://127.0.0.1:${/port (\d+)/.exec(line)[1]}/`, close: () => server.kill() && exited };
}

export function launch() {
    const executablePath = process.env.CHROMIUM ?? '/usr/lib/chromium/chromium';
    return chromium.launch({ executablePath, args: ['--disable-gpu'] });
}

// Finds the PNG `reference` on the PNG `shot` (both base64), enlarged k times with every pixel an exact
// k x k block, white all around, placed by the first pixel that is not white; null if it is not there.
export async function findPicture({ shot, reference }) {
    const WHITE = 0xffffffff; // opaque, as RGBA
    const decode = async (png) => {
        const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
        const { width, height } = image, canvas = new OffscreenCanvas(width, height).getContext('2d');
        canvas.drawImage(image, 0, 0);
        const px = new Uint32Array(canvas.getImageData(0, 0, width, height).data.buffer);
        const first = px.findIndex((v) => v !== WHITE);
        const at = (x, y) => (x >= 0 && y >= 0 && x < width && y < height ? px[y * width + x] : WHITE);
        return { size: [width, height], px, at, first: [first % width, Math.floor(first / width)] };
    };
    const [screen, picture] = [await decode(shot), await decode(reference)], [width] = screen.size;
    for (let k = 1; screen.first[0] >= 0 && k <= 16; k++) {
        const [left, top] = [0, 1].map((i) => screen.first[i] - picture.first[i] * k);
        const enlarged = (x, y) => picture.at(Math.floor((x - left) / k), Math.floor((y - top) / k));
        const found = screen.px.every((v, i) => v === enlarged(i % width, Math.floor(i / width)));
        if (found) return { k, left, top, size: picture.size, screen: screen.size };
    }
    return null;
}

// Runs in the game page before its own script: at the end of every display frame, records the game picture
// on the canvas (a pixel of each k x k block, RGBA in base64) with the frame's time, if it has changed.
export function recordPictures({ k, left, size: [width, height] }) {
    window.pictures = [];
    const small = new OffscreenCanvas(width, height).getContext('2d', { willReadFrequently: true });
    small.imageSmoothingEnabled = false;
    const requestFrame = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => requestFrame((time) => {
        callback(time);
        small.drawImage(document.getElementById('game'), left, 0, width * k, height * k, 0, 0, width, height);
        const bytes = small.getImageData(0, 0, width, height).data;
        const rgba = btoa(Array.from(bytes, (v) => String.fromCharCode(v)).join(''));
        if (rgba !== window.pictures.at(-1)?.rgba) window.pictures.push({ t: time, rgba, width });
    });
}
