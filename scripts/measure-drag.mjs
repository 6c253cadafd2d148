#!/usr/bin/env node
// Measures how long the web page's main thread works for each pointer move while a finger drags a row, in
// headless Chromium on a phone's screen (360 x 740 at 3x, touch) with the CPU slowed four times
// (Emulation.setCPUThrottlingRate), as built in build-web/site (scripts/web.sh --build-only). Each move is
// one touch event, then two display frames: the page's event handler and its frame callbacks (the core
// moving the line, a move played at each whole cell, the picture drawn) are timed in the page; the main
// thread's whole task time (layout, paint and the measuring's own calls included) comes from
// Performance.getMetrics. Prints the mean, the median and the 95th percentile of the first, the mean of the
// second.
import { launch, serve } from '../tests/web/harness.mjs';

const SITE = process.env.TESSEL_SITE ?? 'build-web/site';
const MOVES = Number(process.env.MOVES ?? 300);
const RATE = 4;

// In the page, before its own scripts: every pointermove handler and frame callback timed.
function timeHandlers() {
    window.moveWork = [];
    let current = 0;
    const timed = (fn) => function (...args) {
        const start = performance.now();
        try { return fn.apply(this, args); } finally { current += performance.now() - start; }
    };
    const add = EventTarget.prototype.addEventListener;
    EventTarget.prototype.addEventListener = function (type, listener, options) {
        return add.call(this, type, type === 'pointermove' && typeof listener === 'function' ? timed(listener) : listener, options);
    };
    const frame = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => frame(timed(callback));
    window.endMove = () => { window.moveWork.push(current); current = 0; };
}

const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.min(values.length - 1, Math.floor(values.length * p))];

const site = await serve(SITE), browser = await launch();
try {
    const context = await browser.newContext({ viewport: { width: 360, height: 740 }, deviceScaleFactor: 3,
        isMobile: true, hasTouch: true });
    await context.addInitScript(timeHandlers);
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    await page.goto(site.url);
    await page.waitForFunction(() => document.getElementById('mirror') && !document.getElementById('mirror').hidden);
    const css = (gx, gy) => page.evaluate(([x, y]) => {
        const canvas = document.getElementById('game'), box = canvas.getBoundingClientRect();
        const k = Math.floor(Math.min(canvas.width / 239, canvas.height / 267));
        const left = Math.floor((canvas.width - 239 * k) / 2);
        return [box.left + (left + (x + 0.5) * k) / devicePixelRatio, box.top + ((y + 0.5) * k) / devicePixelRatio, k];
    }, [gx, gy]);
    const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points.map(([x, y]) => ({ x, y })) });
    const frames = () => page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    const [lx, ly] = await css(100, 75);
    await touch('touchStart', [[lx, ly]]);
    await touch('touchEnd', []);
    await page.waitForFunction(() => document.querySelectorAll('#mirror [role=row]').length === 6);
    await cdp.send('Performance.enable');
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: RATE });

    const [x, y, k] = await css(100, 120); // row 2
    const cell = (24 * k) / 3;
    await touch('touchStart', [[x, y]]);
    await frames();
    await page.evaluate(() => window.endMove());
    page.evaluate(() => (window.moveWork = []));
    const taskTime = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
    const before = await taskTime();
    for (let i = 0; i < MOVES; i++) {
        // Three cells right and back, a finger's few pixels a frame.
        const phase = i % 60, along = (phase < 30 ? phase : 60 - phase) * (3 * cell / 30);
        await touch('touchMove', [[x + along, y]]);
        await frames();
        await page.evaluate(() => window.endMove());
    }
    const after = await taskTime();
    await touch('touchEnd', []);
    const work = await page.evaluate(() => window.moveWork);
    const moves = await page.evaluate(() => document.getElementById('undo-button').disabled ? 0 : 1);
    console.log(`Chromium ${browser.version()}, CPU slowed ${RATE}x, phone 360 x 740 at 3x, ${work.length} pointer moves ` +
        `over three cells of row 2 and back${moves ? '' : ' (no move played!)'}:`);
    const mean = work.reduce((sum, w) => sum + w, 0) / work.length;
    console.log(`  the page's handler and frame callbacks a move: mean ${mean.toFixed(2)} ms, median ${percentile(work, 0.5).toFixed(2)} ms, ` +
        `95th percentile ${percentile(work, 0.95).toFixed(2)} ms, longest ${Math.max(...work).toFixed(2)} ms`);
    console.log(`  the main thread's task time a move, all included: mean ${((after - before) * 1000 / MOVES).toFixed(2)} ms`);
    await context.close();
} finally {
    await browser.close();
    await site.close();
}
