// Watching a solve again in the page, and the tools round it: "Share solve", "Watch solve", "Today's board"
// and "Share result" in the Tools menu, a link to a solve (#normal-4297.1.KxAAtQE...) watched, and the
// watching's own controls under the picture. What a solve is, how it plays and every word come from the
// core (game/watch.h, game/solve_link.h, game/day_board.h); this only passes the player's wishes on and shows
// where the watching stands.
//
// Watching never touches the game in play: the core plays the solve on a game of its own, shows its
// pictures and words meanwhile and the game in play's again when it stops. While watching, taps, keys, Undo,
// Redo and Hint do nothing (a tap after the last move stops); Space pauses and plays on, the right arrow
// plays the next move, 1, 2 and 4 set the pace and Escape stops, while the game has the keyboard.

// The watching's timer ticks at least this often, so that its time counts on between moves.
const TICK_MS = 100;

let page = null; // what tessel.js lends: see startWatching
let timer = 0;
let lastTick = 0;
let bar = null;
let pauseButton = null;
let stepButton = null;
let speedButtons = [];
let linkBox = null;
let watchBox = null;

// Starts watching the solve a link holds (the text after a page address's "#", or the link alone), in place
// of the game in play. Returns what is wrong with it in one line, with nothing changed, or '' once watching.
export function watchSolveLink(link) {
    if (!page) return '';
    const { core, toCore, fromCore, mirror } = page;
    const error = fromCore(core._TesselWatchLink(toCore(link)));
    if (error) return error;
    lastTick = performance.now();
    mirror.update();
    refreshWatching();
    page.requestFrame();
    return '';
}

// Whether a link's text is meant as a solve's, not a board's.
export function isSolveLink(text) {
    return Boolean(page?.core._TesselIsSolveLink(page.toCore(text)));
}

// The controls and the timer as the watching now stands; the page calls it after every action it plays.
export function refreshWatching() {
    if (!page) return;
    const { core } = page;
    const state = core._TesselWatching(); // 0 none, 1 playing, 2 paused, 3 ended
    // Named as it shows, in the page's language then.
    if (bar.hidden && state !== 0) bar.setAttribute('aria-label', page.say('watching'));
    if (bar.hidden !== (state === 0)) bar.hidden = state === 0;
    const pauseWords = state === 2 ? 'watch-play-on' : 'watch-pause';
    if (pauseButton.dataset.words !== pauseWords) {
        pauseButton.dataset.words = pauseWords;
        pauseButton.textContent = page.say(pauseWords);
    }
    const ended = state === 3;
    if (ended && (document.activeElement === pauseButton || document.activeElement === stepButton)) {
        bar.querySelector('[data-words="watch-stop"]').focus();
    }
    pauseButton.disabled = ended;
    stepButton.disabled = ended;
    const speed = core._TesselWatchSpeed();
    for (const button of speedButtons) button.setAttribute('aria-pressed', String(Number(button.dataset.speed) === speed));
    page.showHistory();
    page.showCounts();
    clearTimeout(timer);
    if (state === 1) {
        const next = core._TesselMsToNextMove();
        timer = setTimeout(tick, next < 0 ? TICK_MS : Math.min(next, TICK_MS));
    }
}

function tick() {
    const now = performance.now();
    const elapsed = Math.max(0, Math.floor(now - lastTick));
    lastTick += elapsed;
    if (page.core._TesselAdvanceWatch(elapsed)) {
        page.mirror.update();
        page.requestFrame();
    }
    refreshWatching();
}

// Each of the watching's controls, and its key.
function pause() {
    const { core } = page;
    const state = core._TesselWatching();
    if (state !== 1 && state !== 2) return;
    lastTick = performance.now();
    core._TesselPauseWatch(state === 1 ? 1 : 0);
    afterControl();
}
function step() {
    if (page.core._TesselStepWatch()) page.requestFrame();
    afterControl();
}
function setSpeed(speed) {
    page.core._TesselSetWatchSpeed(speed);
    afterControl();
}
function stop() {
    page.core._TesselStopWatch();
    afterControl();
    page.requestFrame();
}
function afterControl() {
    page.mirror.update();
    refreshWatching();
}

function element(tag, attributes = {}, children = []) {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
    node.append(...children);
    if (node.dataset.words) node.textContent = page.say(node.dataset.words);
    return node;
}

// A box over the whole window, as the About box is, with its title and an OK button closing it.
function box(id, caption, body) {
    const dialog = element('dialog', { id, class: 'watch-box', 'aria-labelledby': `${id}-caption` }, [
        element('form', { method: 'dialog' }, [element('header', {}, [
            element('span', { id: `${id}-caption`, 'data-words': caption }),
        ])]),
        element('div', { class: 'watch-body' }, body),
    ]);
    // The keys typed in the box are the box's, not the game's.
    dialog.addEventListener('keydown', (event) => event.stopPropagation());
    document.body.append(dialog);
    dialog.caption = dialog.querySelector(`#${id}-caption`);
    return dialog;
}

// A link or a line to copy by hand, where neither a share sheet nor the clipboard takes it: shown selected.
function showSelectable(caption, text) {
    linkBox.caption.textContent = page.say(caption);
    const field = linkBox.querySelector('input');
    field.value = text;
    if (!linkBox.open) linkBox.showModal();
    field.focus();
    field.select();
}

// Through the share sheet where the browser has one, else the clipboard (said in a note), else shown.
async function give({ text, url }, copied, caption) {
    const given = url ?? text;
    const data = url ? { title: page.say('app-name'), text, url } : { title: page.say('app-name'), text };
    if (navigator.share && navigator.canShare?.(data) !== false) {
        try {
            await navigator.share(data);
            return;
        } catch (error) {
            if (error.name === 'AbortError') return;
        }
    }
    try {
        await navigator.clipboard.writeText(given);
        page.showNote(page.say(copied, given));
    } catch {
        showSelectable(caption, given);
    }
}

const pageAddress = () => `${location.href.split('#')[0]}#`;

function shareSolve() {
    page.showToolsMenu(false);
    const { core, fromCore } = page;
    const answer = fromCore(core._TesselSolveLink());
    if (answer[0] !== 'L') {
        page.showNote(answer.slice(1));
        return;
    }
    const id = fromCore(core._TesselGameId());
    give({ text: page.say('shared-solve', id), url: pageAddress() + answer.slice(1) }, 'link-copied', 'solve-title');
}

function shareResult() {
    page.showToolsMenu(false);
    const answer = page.fromCore(page.core._TesselResultLine(page.toCore(pageAddress())));
    if (answer[0] !== 'L') {
        page.showNote(answer.slice(1));
        return;
    }
    give({ text: answer.slice(1) }, 'result-copied', 'result-title');
}

function todaysBoard() {
    page.showToolsMenu(false);
    const answer = page.fromCore(page.core._TesselTodaysBoard());
    if (answer[0] === 'I') page.playGameId(answer.slice(1));
    else page.showNote(answer.slice(1));
}

function askForLink() {
    page.showToolsMenu(false);
    watchBox.querySelector('input').value = '';
    watchBox.querySelector('.watch-error').textContent = '';
    if (!watchBox.open) watchBox.showModal();
}

// The keys of the watching, while the game has the keyboard (a focused control keeps Space, which presses
// it) and no box or menu is open.
const WATCH_KEYS = { ' ': pause, ArrowRight: step, 1: () => setSpeed(1), 2: () => setSpeed(2), 4: () => setSpeed(4),
    Escape: stop };
function watchKey(event) {
    const action = WATCH_KEYS[event.key];
    if (!action || !page || page.core._TesselWatching() === 0) return;
    if (event.ctrlKey || event.metaKey || event.altKey || event.shiftKey) return;
    if (document.querySelector('dialog[open]') || !page.toolsMenuHidden()) return;
    const onGame = [document.body, document.documentElement, page.canvas].includes(event.target) ||
        Boolean(event.target.closest?.('#mirror'));
    if (!onGame && event.key === ' ') return;
    event.preventDefault();
    event.stopImmediatePropagation();
    action();
}

// `lent` is what the page lends: core, toCore, fromCore, say, mirror, canvas, requestFrame, showNote,
// showCounts, showHistory, showToolsMenu(open), toolsMenuHidden(), playGameId(id) (asks before replacing a
// game with moves). Builds the watching's controls and the boxes, and takes the Tools menu's items.
export function startWatching(lent) {
    page = lent;
    // A landmark of its own, its buttons each a Tab stop.
    bar = element('section', { id: 'watching', hidden: '' });
    pauseButton = element('button', { type: 'button', 'aria-keyshortcuts': 'Space', 'data-words': 'watch-pause' });
    stepButton = element('button', { type: 'button', 'aria-keyshortcuts': 'ArrowRight', 'data-words': 'watch-step' });
    speedButtons = [[1, 'watch-own-pace'], [2, 'watch-twice'], [4, 'watch-four-times']].map(([speed, words]) =>
        element('button', { type: 'button', 'aria-keyshortcuts': String(speed), 'aria-pressed': 'false',
            'data-speed': speed, 'data-words': words }));
    const stopButton = element('button', { type: 'button', 'aria-keyshortcuts': 'Escape', 'data-words': 'watch-stop' });
    bar.append(pauseButton, stepButton, ...speedButtons, stopButton);
    pauseButton.addEventListener('click', pause);
    stepButton.addEventListener('click', step);
    for (const button of speedButtons) button.addEventListener('click', () => setSpeed(Number(button.dataset.speed)));
    stopButton.addEventListener('click', stop);
    document.getElementById('bar').before(bar);

    const close = element('button', { type: 'button', 'data-words': 'ok' });
    linkBox = box('link-box', 'solve-title', [
        element('input', { type: 'text', readonly: '', spellcheck: 'false', 'aria-labelledby': 'link-box-caption' }),
        element('div', { class: 'watch-buttons' }, [close]),
    ]);
    close.addEventListener('click', () => linkBox.close());

    const field = element('input', { id: 'watch-link', type: 'text', autocomplete: 'off', spellcheck: 'false',
        autocapitalize: 'off', enterkeyhint: 'go' });
    const error = element('p', { class: 'watch-error', role: 'alert' });
    const cancel = element('button', { type: 'button', 'data-words': 'cancel' });
    const ok = element('button', { type: 'submit', 'data-words': 'ok' });
    const form = element('form', {}, [element('label', { for: 'watch-link', 'data-words': 'ask-solve-link' }), field,
        error, element('div', { class: 'watch-buttons' }, [cancel, ok])]);
    watchBox = box('watch-box', 'solve-title', [form]);
    cancel.addEventListener('click', () => watchBox.close());
    form.addEventListener('submit', (event) => {
        event.preventDefault();
        const refused = watchSolveLink(field.value);
        if (refused) error.textContent = refused;
        else watchBox.close();
    });

    for (const [id, action] of [['share-solve-item', shareSolve], ['watch-solve-item', askForLink],
        ['todays-board-item', todaysBoard], ['share-result-item', shareResult]]) {
        document.getElementById(id).addEventListener('click', action);
    }
    document.addEventListener('keydown', watchKey, true);
    // The watching stands while the page is hidden (the core pauses it): its controls say so.
    document.addEventListener('visibilitychange', refreshWatching);
}
