// The browser tests' ground: the web folder served on a free port, the system's Chromium, PNG pictures read
// as 0xRRGGBB pixels, and the search for the game's picture on a screenshot.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';

export const WHITE = 0xffffff;
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
    '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json' };

export async function serve(root) {
    const server = http.createServer((request, response) => {
        const file = path.join(root, new URL(request.url, 'http://x').pathname.replace(/\/$/, '/index.html'));
        fs.readFile(file, (error, data) => error ? response.writeHead(404).end()
            : response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] }).end(data));
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const close = () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); });
    return { url: `http://127.0.0.1:${server.address().port}/`, close };
}

export function launch() {
    const args = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-sync',
        '--disable-background-networking', '--disable-component-update'];
    return chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/lib/chromium/chromium', args });
}

export function fromRgb(bytes, width, height, channels = 3) {
    const px = new Uint32Array(width * height);
    for (let i = 0; i < px.length; i++) {
        px[i] = bytes[i * channels] << 16 | bytes[i * channels + 1] << 8 | bytes[i * channels + 2];
    }
    // Pixels outside are white, like the window around the picture.
    const at = (x, y) => x >= 0 && y >= 0 && x < width && y < height ? px[y * width + x] : WHITE;
    return { width, height, px, at };
}

// 8-bit RGB or RGBA, not interlaced: what Chromium and stb write.
export function decodePng(png) {
    // The header chunk comes first: width, height, then the colour type at its tenth byte.
    const [width, height, channels] = [png.readUInt32BE(16), png.readUInt32BE(20), png[25] === 6 ? 4 : 3];
    const idat = [];
    for (let at = 8, size = 0; at < png.length; at += 12 + size) {
        size = png.readUInt32BE(at);
        if (png.toString('latin1', at + 4, at + 8) === 'IDAT') idat.push(png.subarray(at + 8, at + 8 + size));
    }
    const raw = zlib.inflateSync(Buffer.concat(idat)), stride = width * channels;
    const out = Buffer.alloc(height * stride);
    for (let y = 0; y < height; y++) {
        const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1);
        for (let i = 0, at = y * stride; i < stride; i++, at++) {
            const a = i >= channels ? out[at - channels] : 0, b = y > 0 ? out[at - stride] : 0;
            const c = i >= channels && y > 0 ? out[at - stride - channels] : 0;
            const pa = Math.abs(b - c), pb = Math.abs(a - c), pc = Math.abs(a + b - 2 * c);
            out[at] = line[i] + [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
        }
    }
    return fromRgb(out, width, height, channels);
}

// The picture tessel-replay shows at start: the menu, as every front end draws it.
export function replayStartPicture() {
    const frames = fs.mkdtempSync(path.join(os.tmpdir(), 'tessel-frames-'));
    const replay = process.env.TESSEL_REPLAY ?? 'build/bin/tessel-replay';
    execFileSync(replay, ['--frames', frames, '-'], { input: '' });
    const picture = decodePng(fs.readFileSync(path.join(frames, '00000.png')));
    fs.rmSync(frames, { recursive: true });
    return picture;
}

// Finds `reference` in `box` (device pixels) of a screenshot, enlarged k times with every pixel an exact
// k x k block, white all around; placed by the first pixel that is not white. Null if it is not there.
export function findPicture(shot, box, reference) {
    const firstColour = (image, { x, y, width, height }) => {
        for (let at = 0; at < width * height; at++) {
            const [px, py] = [x + at % width, y + Math.floor(at / width)];
            if (image.at(px, py) !== WHITE) return [px, py];
        }
        return [];
    };
    const [sx, sy] = firstColour(shot, box), [rx, ry] = firstColour(reference, { x: 0, y: 0, ...reference });
    for (let k = 1; sx !== undefined && k <= 16; k++) {
        const [left, top] = [sx - rx * k, sy - ry * k];
        const enlarged = (x, y) => reference.at(Math.floor((x - left) / k), Math.floor((y - top) / k));
        let found = true;
        for (let y = box.y; y < box.y + box.height && found; y++) {
            for (let x = box.x; x < box.x + box.width && found; x++) found = shot.at(x, y) === enlarged(x, y);
        }
        if (found) return { k, left, top };
    }
    return null;
}
