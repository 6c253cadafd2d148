// Tessel in a web page: the game's WebAssembly core (tessel-core.js, built from web/platform.cpp) behind
// one canvas, played with a mouse, a finger or a pen.
//
// Implemented, as the desktop program does it: the splash's seven frames with their hold times before the
// menu takes taps; the taps queued during the splash drained (the first played, the next 20 dropped, any
// beyond played); every picture the game presents shown for at least one display frame, in order, with
// taps waiting until the pictures before them have been shown; the picture at the largest whole number of
// device pixels per game pixel, centred, never smoothed, and taps mapped back through the same scale; the
// landscape message on a device held sideways; play from the keyboard (arrows, Shift+arrows, Enter, Space,
// Escape) with the cursor the core draws over the picture; "Tools" > "Undo" and "Redo" (Ctrl+Z,
// Ctrl+Shift+Z or Ctrl+Y), greyed when there is nothing to take back or play again; "About", the About box
// and Ctrl+A; "Look" (As the system, Classic, High contrast, Dark; look.js), the page and the game drawn in
// it from the first picture; rows and columns dragged with a finger, a pen or the mouse (a second finger
// cancels); Undo, Redo and Hint as buttons under the picture where there is room; installing to a phone's
// home screen and playing offline (sw.js); the moves and time under the picture, standing while the page is
// hidden or the phone sideways; "Statistics" (statistics.js); the I key saying the moves and time.
// Beyond the desktop program:
// the game is kept while the page is hidden and comes back at the next start, since a phone ends pages in
// the background; "Share game" gives a link to the board in play (#normal-4297), through the share sheet
// or copied, and such a link opens that board, asking before it replaces a game with moves; the records
// of two tabs add up; a solve's link (#normal-4297.1.KxAAtQE...) is watched, and "Share solve", "Watch
// solve", "Today's board" and "Share result" are in the Tools menu (watching.js). For screen readers an invisible copy of the screen lies over the canvas (mirror.js),
// updated after every action.
// Not applicable in a browser: Ctrl+Q (a page cannot close its tab) and the single instance (each tab is a
// game of its own). A desktop browser driven by a mouse shows the game whatever its window's shape: its
// screen is never turned, as the desktop program decides by its own window.
import { createHowToPlay } from './how_to_play.js';
import { createMirror } from './mirror.js';
import { createStatistics } from './statistics.js';
import { isSolveLink, refreshWatching, startWatching, watchSolveLink } from './watching.js';

// The height of the row of Undo, Redo and Hint buttons under the picture, in CSS pixels (tessel.css).
const THUMB_HEIGHT = 64;

const canvas = document.getElementById('game');
const context = canvas.getContext('2d', { alpha: false });
const shown = document.createElement('canvas'); // the picture on the screen, one pixel per game pixel
const shownContext = shown.getContext('2d', { alpha: false });
const turnedMessage = document.getElementById('turned');
const tools = document.getElementById('tools');
const undoItem = document.getElementById('undo-item');
const redoItem = document.getElementById('redo-item');
const toolsMenu = document.getElementById('tools-menu');
const about = document.getElementById('about');
const counts = document.getElementById('counts');
const note = document.getElementById('note');
const recordsBox = document.getElementById('statistics');
const thumb = document.getElementById('thumb');
const undoButton = document.getElementById('undo-button');
const redoButton = document.getElementById('redo-button');
// A finger or a pen: a phone or a tablet, whose screen turns. A mouse's screen does not.
const turningScreen = matchMedia('(pointer: coarse)');

const pictures = []; // presented by the game and not shown yet: { image, onShown }
// [x, y] in game pixels (a tap), { press }, { move } (points), 'release', 'cancel', 'undo', 'redo', 'hint' or
// { key } (a number of TesselKey), waiting for the splash or for the pictures before them.
const taps = [];
let core = null;
let mirror = null; // what the screen shows, for screen readers (mirror.js)
let statistics = null; // Tools > Statistics and the log of solves (statistics.js)
let splashStarted = false;
let splashOver = false;
let sized = false;
let anythingShown = false;
let frameRequested = false;
let held = null; // the pointer pressed on the game, while it may drag a line
let heldBox = null; // the canvas's box as that pointer was pressed: a drag neither scrolls nor resizes it

// Device pixels per game pixel, and the picture's left edge in device pixels: centred, at the largest whole
// scale that fits (game/picture_place.h).
function placement(width = canvas.width, height = canvas.height) {
    return { scale: core._TesselScale(width, height), left: core._TesselLeft(width, height) };
}

// The margins round the picture: the look's ground, as the page's (tessel.css, set by look.js already).
const lookGround = () => getComputedStyle(document.documentElement).getPropertyValue('--ground').trim();
let ground = lookGround();
function paint() {
    context.fillStyle = ground;
    context.fillRect(0, 0, canvas.width, canvas.height);
    if (anythingShown) paintPart(0, 0, shown.width, shown.height);
}
// The rectangle of the picture from game pixel (x, y), on the canvas as paint() places the whole.
function paintPart(x, y, width, height) {
    const { scale, left } = placement();
    context.imageSmoothingEnabled = false;
    context.drawImage(shown, x, y, width, height, left + x * scale, y * scale, width * scale, height * scale);
}

function isTurned() {
    return turningScreen.matches && innerWidth > innerHeight;
}

// One picture per display frame. A tap is played only once every picture before it has been shown, so
// each half-step and turn frame of a move is seen, in order.
function requestFrame() {
    if (frameRequested) return;
    frameRequested = true;
    requestAnimationFrame(onFrame);
}

function play(action) {
    if (action.move) {
        const told = core._TesselMove(...action.move);
        if (told === 0) return; // the line followed the pointer: nothing more to say
        if (told === 1) {
            // A cell passed with the line still held: its words now, the rest of the screen's copy once the
            // line rests, since describing the whole screen at every cell would cost the drag its frames.
            showHistory();
            mirror.say(fromCore(core._TesselTakePlayedWords()));
            showCounts();
            return;
        }
    } else if (action.press) core._TesselPress(...action.press);
    else if (action === 'release') core._TesselRelease();
    else if (action === 'cancel') core._TesselCancel();
    else if (action === 'undo') core._TesselUndo();
    else if (action === 'redo') core._TesselRedo();
    else if (action === 'hint') core._TesselHint();
    else if (action === 'info') core._TesselInfo();
    else if (action.gameId !== undefined) core._TesselPlayGameId(toCore(action.gameId));
    else if (action.key !== undefined) core._TesselKey(action.key);
    else core._TesselTap(...action);
    showHistory();
    mirror.update();
    if (core._TesselRecordsWaiting()) keepRecords(core._TesselWriteRecords);
    statistics?.afterAction();
    showCounts();
    refreshWatching();
}

// Text to and from the core, through its text buffer.
function toCore(text) {
    const bytes = new TextEncoder().encode(text).slice(0, core._TesselTextSize());
    core.HEAPU8.set(bytes, core._TesselTextBuffer());
    return bytes.length;
}
function fromCore(pointer) {
    return new TextDecoder().decode(core.HEAPU8.subarray(pointer, core.HEAPU8.indexOf(0, pointer)));
}

// The page's words from the game's catalogue, by their names (PAGE_WORDS in web/platform.cpp), with their
// arguments; numbers are passed as their digits.
function say(name, ...args) {
    return fromCore(core._TesselSay(toCore([name, ...args].join('\n'))));
}
// Every label of the page, from the names its elements give (data-words): a line break in the words is a
// line break in the label, or a paragraph a line where the element asks for paragraphs.
function fillWords() {
    document.title = say('app-name');
    for (const element of document.querySelectorAll('[data-words]')) {
        const lines = say(element.dataset.words).split('\n');
        if (element.dataset.lines === 'paragraphs') {
            element.replaceChildren(...lines.map((line) => Object.assign(document.createElement('p'), { textContent: line })));
        } else {
            element.replaceChildren(...lines.flatMap((line, i) => (i > 0 ? [document.createElement('br'), line] : [line])));
        }
    }
    for (const item of lookItems) {
        const look = item.dataset.look;
        item.textContent = fromCore(core._TesselLookTitle(tesselLook.LOOKS.indexOf(look)));
    }
}

// The moves and time under the picture, after every action and while the clock runs.
function showCounts() {
    const text = fromCore(core._TesselCounts());
    if (counts.textContent !== text) counts.textContent = text;
}
// The clock stands while the game cannot be played: the page hidden or the phone held sideways.
function holdClock() {
    if (core && splashOver) core._TesselHoldClock(document.hidden || isTurned() ? 1 : 0);
}

// One line over the page for a few seconds: a game ID refused, a link copied.
let noteTimer = 0;
function showNote(text) {
    note.textContent = text;
    note.hidden = false;
    clearTimeout(noteTimer);
    noteTimer = setTimeout(() => { note.hidden = true; }, 6000);
}

// The records per puzzle, in the site's storage: read at the start and whenever another tab writes them,
// written as a game is solved and cleared, each step as the core says (game/records_store.h).
const RECORDS_KEY = 'tessel-records';
function keepRecords(step) {
    let size = -1;
    try {
        if (step !== core._TesselClearRecords) size = toCore(localStorage.getItem(RECORDS_KEY) ?? '');
    } catch {
        // No storage: the records of this visit only.
    }
    const answer = fromCore(step(size));
    try {
        // "w" and the text to store; "s" or "r" alone: what is stored goes.
        const write = answer.indexOf('w');
        if (write >= 0) localStorage.setItem(RECORDS_KEY, answer.slice(write + 1));
        else if (answer) localStorage.removeItem(RECORDS_KEY);
    } catch {
        // Kept for this visit only.
    }
}
addEventListener('storage', (event) => {
    if (core && event.key === RECORDS_KEY) keepRecords(core._TesselReadRecords);
});
// "Share game": a link to this board, through the phone's share sheet where there is one, else copied.
async function shareGame() {
    showToolsMenu(false);
    const id = fromCore(core._TesselGameId());
    if (!id) {
        showNote(say('no-board-to-share'));
        return;
    }
    const url = `${location.href.split('#')[0]}#${id}`;
    if (navigator.share) {
        try {
            await navigator.share({ title: say('app-name'), text: say('shared-board', id), url });
            return;
        } catch (error) {
            if (error.name === 'AbortError') return;
        }
    }
    try {
        await navigator.clipboard.writeText(url);
        showNote(say('link-copied', url));
    } catch {
        showNote(say('board-link', url));
    }
}

// A link to a board (#normal-4297) starts it once the splash is over, asking first when it would replace
// a game with moves; a link to a solve (#normal-4297.1.KxAAtQE...) watches it (watching.js). An ID or a
// link that is none is told in one line, and the game stays as it was.
function playLinkedGame() {
    if (!location.hash) return;
    let text = location.hash.slice(1);
    try { text = decodeURIComponent(text); } catch { /* as it is */ }
    history.replaceState(null, '', location.pathname + location.search);
    if (isSolveLink(text)) {
        const error = watchSolveLink(text);
        if (error) showNote(error);
        return;
    }
    playGameId(text);
}
function playGameId(text) {
    const error = fromCore(core._TesselCheckGameId(toCore(text)));
    if (error) {
        showNote(error);
        return;
    }
    const moves = core._TesselMoveCount();
    if (moves > 0 && !confirm(say('replace-game', moves, text))) return;
    taps.push({ gameId: text });
    requestFrame();
}
addEventListener('hashchange', () => splashOver && playLinkedGame());

// Undo and Redo are greyed, for assistive technology too, while there is nothing to take back or replay.
function showHistory() {
    const grey = (items, none) => items.forEach((item) => item.disabled !== none && (item.disabled = none));
    grey([undoItem, undoButton], core._TesselUndoCount() === 0);
    grey([redoItem, redoButton], core._TesselRedoCount() === 0);
}

// The Undo, Redo and Hint buttons show under the picture when they fit between it and the bar without
// making it smaller: on a phone held upright, not sideways nor in a short window. Their height comes out of
// the canvas's, so the room is measured as if they were gone.
function fitThumb() {
    const height = canvas.clientHeight + (thumb.hidden ? 0 : thumb.offsetHeight);
    const { scale } = placement(canvas.width, height * devicePixelRatio);
    const room = height - (shown.height * scale) / devicePixelRatio;
    const fits = !isTurned() && room >= THUMB_HEIGHT;
    if (thumb.hidden === fits) thumb.hidden = !fits;
}

function onFrame() {
    frameRequested = false;
    if (splashOver && pictures.length === 0 && taps.length > 0) play(taps.shift());
    const picture = pictures.shift();
    if (picture) {
        // Only the part that changed since the picture before is drawn anew.
        const { image, left, top } = picture;
        if (image) {
            shownContext.putImageData(image, left, top);
            if (spareImages.push(image) > SPARE_IMAGES) spareImages.shift();
            if (anythingShown) paintPart(left, top, image.width, image.height);
        }
        if (!anythingShown) {
            performance.mark('tessel-first-frame');
            anythingShown = true;
            paint();
        }
        picture.onShown?.();
    }
    if (pictures.length > 0 || (splashOver && taps.length > 0)) requestFrame();
}

// The hint tables of "Normal", "Unmovable" and "Uneven" are built ahead once the splash is over, a few
// milliseconds at a time while the page is idle, so that neither a first hint nor a tap waits for a whole
// build.
const HINT_BUILD_SLICE_MS = 8;
const whenIdle = (work) => (window.requestIdleCallback ? requestIdleCallback(work) : setTimeout(work, 20));
function buildHintsAhead(deadline) {
    if (performance.getEntriesByName('tessel-hint-build').length === 0) performance.mark('tessel-hint-build');
    const end = performance.now() + Math.min(deadline?.timeRemaining() ?? Infinity, HINT_BUILD_SLICE_MS);
    while (performance.now() < end) {
        if (core._TesselBuildHintsAhead(4096)) {
            performance.measure('tessel-hint-build', 'tessel-hint-build');  // for scripts/measure-hints-web.mjs
            return;
        }
    }
    whenIdle(buildHintsAhead);
}

// Each step's picture stays for its hold time, counted from the display frame that shows it.
function playSplash(step) {
    if (step === core._TesselSplashSteps()) {
        splashOver = true;
        core._TesselEndSplash();
        // The taps made during the splash, drained as the core says (game/splash_end.h).
        taps.splice(0, taps.length, ...taps.filter(() => core._TesselTakesTap()));
        core._TesselEndDrain();
        holdClock();
        playLinkedGame();
        mirror.show(!isTurned(), turnedMessage.textContent);
        mirror.update();
        requestFrame();
        whenIdle(buildHintsAhead);
        return;
    }
    const hold = core._TesselSplashStep(step);
    pictures.at(-1).onShown = () => setTimeout(() => playSplash(step + 1), hold);
    requestFrame();
}

// The game shows while the device is upright; the splash waits for the first time it is, with the canvas
// at its size.
function followOrientation() {
    if (splashOver && turnedMessage.hidden !== !isTurned()) mirror.show(!isTurned(), turnedMessage.textContent);
    turnedMessage.hidden = !isTurned();
    holdClock();
    if (core && sized && !splashStarted && !isTurned()) {
        splashStarted = true;
        playSplash(0);
    }
}

// The game pixel under a pointer, from its place on the canvas in device pixels (game/picture_place.h).
function gamePoint(event, rect = canvas.getBoundingClientRect()) {
    const device = (offset, cssSize, pixels) => (offset * pixels) / cssSize;
    const at = core._TesselGamePixel(device(event.clientX - rect.left, rect.width, canvas.width),
        device(event.clientY - rect.top, rect.height, canvas.height), canvas.width, canvas.height) >>> 0;
    return [at & 0xffff, at >>> 16];
}

canvas.addEventListener('pointerdown', (event) => {
    event.preventDefault();
    if (!toolsMenu.hidden) {
        // As with any open menu, the tap that closes it goes no further.
        showToolsMenu(false);
        return;
    }
    if (!core || event.button !== 0) return;
    if (!event.isPrimary || held !== null) {
        // A second finger: the page's zoom, which never moves a line. The drag under way settles back.
        if (held !== null) queueDrag('cancel');
        held = null;
        return;
    }
    // A tap on the game takes the keyboard back from a control such as the Tools button.
    if (document.activeElement !== document.body) document.activeElement?.blur();
    if (!splashOver) {
        queueTap(gamePoint(event));
        return;
    }
    if (isTurned()) return;
    held = event.pointerId;
    heldBox = canvas.getBoundingClientRect();
    canvas.setPointerCapture?.(event.pointerId);
    queueDrag({ press: gamePoint(event, heldBox) });
});
// A press is the tap at its point; held, it may drag a row or a column (game/drag.h). Moves coming faster
// than pictures are shown merge into the last one waiting.
canvas.addEventListener('pointermove', (event) => {
    if (event.pointerId !== held) return;
    const last = taps.at(-1);
    if (last?.move) last.move = gamePoint(event, heldBox);
    else queueDrag({ move: gamePoint(event, heldBox) });
});
const letGo = (action) => (event) => {
    if (event.pointerId !== held) return;
    held = null;
    queueDrag(action);
};
canvas.addEventListener('pointerup', letGo('release'));
// The system took the pointer (a call, a gesture of its own): the moves made stay, the line settles back.
canvas.addEventListener('pointercancel', letGo('cancel'));
canvas.addEventListener('lostpointercapture', letGo('cancel'));
function queueDrag(action) {
    taps.push(action);
    requestFrame();
}
function queueTap(point) {
    if (isTurned()) return;
    taps.push(point);
    if (splashOver) requestFrame();
}
canvas.addEventListener('contextmenu', (event) => event.preventDefault());
document.addEventListener('gesturestart', (event) => event.preventDefault());

// The backing store takes the canvas's size in device pixels. Browsers that can report it exactly do
// (devicePixelContentBoxSize); Chromium's device emulation reports CSS pixels there instead, so a report
// that disagrees with the pixel ratio beyond rounding gives way to the ratio's own figure.
function devicePixels(reported, css) {
    const scaled = css * devicePixelRatio;
    return reported !== undefined && Math.abs(reported - scaled) < 1 ? reported : Math.round(scaled);
}
function sizeCanvas(width, height, device) {
    canvas.width = devicePixels(device?.inlineSize, width);
    canvas.height = devicePixels(device?.blockSize, height);
    sized = true;
    if (core) fitThumb();
    paint();
    mirror?.place();
    followOrientation();
}
const resizeObserver = new ResizeObserver(([entry]) =>
    sizeCanvas(entry.contentRect.width, entry.contentRect.height, entry.devicePixelContentBoxSize?.[0]));
try {
    resizeObserver.observe(canvas, { box: 'device-pixel-content-box' });
} catch {
    // WebKit, under every browser on iPhones and iPads, knows no device-pixel box: the content box times the
    // pixel ratio, exact wherever the ratio is whole. A new ratio (the page zoomed) resizes the window.
    resizeObserver.observe(canvas);
    addEventListener('resize', () => {
        const { width, height } = canvas.getBoundingClientRect();
        sizeCanvas(width, height);
    });
}
addEventListener('resize', followOrientation);
addEventListener('resize', () => core && fitThumb());
turningScreen.addEventListener('change', followOrientation);

function showToolsMenu(open) {
    toolsMenu.hidden = !open;
    tools.setAttribute('aria-expanded', String(open));
}
// The About box, the statistics, How to play or the languages: the game takes no keys or commands meanwhile.
const boxOpen = () => document.querySelector('dialog[open]') !== null;
function openAbout() {
    showToolsMenu(false);
    if (!about.open) about.showModal();
}
// Undo, Redo and Hint wait their turn behind the taps before them; like taps, they do nothing during the
// splash or while the device is held sideways.
function queueCommand(action) {
    showToolsMenu(false);
    if (!core || !splashOver || isTurned() || boxOpen()) return;
    taps.push(action);
    requestFrame();
}

tools.addEventListener('click', () => showToolsMenu(toolsMenu.hidden));
for (const [item, command] of [[undoItem, 'undo'], [redoItem, 'redo'], [undoButton, 'undo'],
    [redoButton, 'redo'], [document.getElementById('hint-item'), 'hint'],
    [document.getElementById('hint-button'), 'hint']]) {
    item.addEventListener('click', () => queueCommand(command));
}
document.getElementById('about-item').addEventListener('click', openAbout);
document.getElementById('share-item').addEventListener('click', shareGame);
document.getElementById('statistics-item').addEventListener('click', () => {
    showToolsMenu(false);
    statistics.open();
});

// "Tools" > "Look": the page, its margins and the game in the look chosen (look.js), its item checked.
const lookItems = [...document.querySelectorAll('#look-items [data-look]')];
function checkLookItem() {
    for (const item of lookItems) item.setAttribute('aria-checked', String(item.dataset.look === tesselLook.choice()));
}
function showLook(look) {
    ground = lookGround();
    checkLookItem();
    core._TesselSetLook(tesselLook.LOOKS.indexOf(look));
    paint();
    requestFrame();
}
for (const item of lookItems) {
    item.addEventListener('click', () => {
        showToolsMenu(false);
        tesselLook.choose(item.dataset.look);
    });
}
document.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
    const key = event.key.toLowerCase();
    const command =
        key === 'a' && event.ctrlKey && !event.shiftKey ? openAbout
        : key === 'z' && !event.shiftKey ? () => queueCommand('undo')
        : (key === 'z' && event.shiftKey) || (key === 'y' && !event.shiftKey) ? () => queueCommand('redo')
        : null;
    if (!command) return;
    event.preventDefault();
    command();
});

// Play from the keyboard: the arrows, Shift with an arrow, Enter, Space and Escape, by the game's names for
// them (game/keys.h), while neither the About box nor the Tools menu is open; then the page does not scroll
// with them. A tap on the game takes the focus back from a control, such as the Tools button after its menu.
// Like taps, they wait their turn and do nothing during the splash or held sideways.
const KEY_NAMES = { ArrowLeft: 'Left', ArrowRight: 'Right', ArrowUp: 'Up', ArrowDown: 'Down', Enter: 'Enter', ' ': 'Space',
    Escape: 'Escape' };
document.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey || boxOpen() || !toolsMenu.hidden) return;
    if (event.key.toLowerCase() === 'i' && !event.shiftKey) {
        // The moves and time, said by a screen reader; nothing else changes.
        event.preventDefault();
        queueCommand('info');
        return;
    }
    if (event.key.toLowerCase() === 'h' && !event.shiftKey) {
        event.preventDefault();
        queueCommand('hint');
        return;
    }
    const name = KEY_NAMES[event.key];
    if (name === undefined || !core) return;
    const key = core._TesselKeyPressed(toCore(name), event.shiftKey ? 1 : 0);
    if (key < 0) return;
    // A focused control keeps Enter and Space, which press it; the arrows and Escape it has no use for. The
    // mirror's elements are the game's own Tab stop, not controls: they take every key the game takes.
    const page = [document.body, document.documentElement, canvas].includes(event.target) ||
        Boolean(event.target.closest?.('#mirror'));
    if (!page && (name === 'Enter' || name === 'Space')) return;
    event.preventDefault();
    if (!splashOver || isTurned()) return;
    taps.push({ key });
    requestFrame();
});

// The game is kept in the page's storage whenever the page is hidden, since a phone may end a page in the
// background to take back its memory; the next start shows it after the splash instead of the menu. A game
// on the menu keeps nothing. Without storage (private browsing, disabled, full) nothing is kept, and a
// stored string that is not a sound kept game of this build is refused by the core.
const KEPT_GAME_KEY = 'tessel-kept-game';

function keepGame() {
    if (!core) return;
    const size = core._TesselKeep();
    const bytes = core.HEAPU8.subarray(core._TesselKeptBuffer(), core._TesselKeptBuffer() + size);
    try {
        if (size === 0) localStorage.removeItem(KEPT_GAME_KEY);
        else localStorage.setItem(KEPT_GAME_KEY, btoa(Array.from(bytes, (b) => String.fromCharCode(b)).join('')));
    } catch {
        // Nothing is kept.
    }
}

function resumeKeptGame() {
    try {
        const text = atob(localStorage.getItem(KEPT_GAME_KEY) ?? '');
        if (text.length === 0 || text.length > core._TesselKeptSize()) return;
        core.HEAPU8.set(Uint8Array.from(text, (c) => c.charCodeAt(0)), core._TesselKeptBuffer());
        core._TesselResume(text.length);
    } catch {
        // No storage, or not base64: the menu, as at a first start.
    }
}
document.addEventListener('visibilitychange', () => {
    holdClock();
    if (document.visibilityState === 'hidden') keepGame();
});
addEventListener('pagehide', keepGame);

// Each picture comes as the part that changed since the one before (none when nothing did), copied out of the
// core's memory into an ImageData of its size, shown once and then used again: a new one for every
// picture costs more than drawing it, on a slow phone several milliseconds.
const spareImages = [], SPARE_IMAGES = 8;
// The core index.html chose: tessel-core, or tessel-core-languages for a page that may speak another language.
const { default: createTesselCore } = await import(`./${globalThis.tesselCore ?? 'tessel-core'}.js`);
core = await createTesselCore({ queuePicture: (pixels, left, top, width, height) => {
    let image = null;
    if (width > 0) {
        const spare = spareImages.findIndex((i) => i.width === width && i.height === height);
        image = spare >= 0 ? spareImages[spare] : new ImageData(width, height);
        if (spare >= 0) spareImages[spare] = spareImages.at(-1), spareImages.pop();
        image.data.set(pixels);
    }
    pictures.push({ image, left, top });
} });
fillWords();
shown.width = core._TesselWidth();
shown.height = core._TesselHeight();
core._TesselStart(tesselLook.LOOKS.indexOf(tesselLook.shown()));
mirror = createMirror({ core, canvas, placement, tap: queueTap });
startWatching({ core, toCore, fromCore, say, mirror, canvas, requestFrame, showNote, showCounts, showHistory,
    showToolsMenu, toolsMenuHidden: () => toolsMenu.hidden, playGameId });
// The page's words in the player's language once its catalogue is in, the picture meanwhile as ever.
const howToPlay = createHowToPlay({ core, fromCore, opening: () => showToolsMenu(false) });
// A page that may speak another language loads languages.js at once, one in English when Tools > Language
// opens.
let languages = null;
const loadLanguages = async () => languages ??= (await import('./languages.js')).createLanguages({ core, toCore, fromCore,
    spoken: () => {
        fillWords();
        showCounts();
        howToPlay.said();
        statistics?.refresh();
        if (splashOver) mirror.update();
    } });
document.getElementById('language-item').addEventListener('click', async () => {
    showToolsMenu(false);
    (await loadLanguages()).open();
});
if (globalThis.tesselCore === 'tessel-core-languages') loadLanguages().then((loaded) => loaded.start());
checkLookItem();
tesselLook.follow((look) => {
    showLook(look);
    statistics.refresh();
    mirror.say(fromCore(core._TesselSaidLook(tesselLook.LOOKS.indexOf(look))));
});
resumeKeptGame();
keepRecords(core._TesselReadRecords);
statistics = createStatistics({ core, fromCore, say, showNote, clearRecords: () => keepRecords(core._TesselClearRecords),
    watch: (link) => {
        const error = watchSolveLink(link);
        if (error) showNote(error);
    } });
statistics.read();
showHistory();
setInterval(showCounts, 250);
fitThumb();
followOrientation();
// Without a service worker (a private window, say) the game plays as well, only not offline.
navigator.serviceWorker?.register('sw.js').catch(() => {});
