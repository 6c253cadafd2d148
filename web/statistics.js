// "Tools" > "Statistics" on the page, and the log of solves in the site's storage.
//
// The log is kept under tessel-solves, each step as the core says (game/solve_log.h): read at the start and
// whenever another tab writes it, written after a solve on top of what is stored then, so that two tabs add
// up, and cleared on request. A stored log the core cannot read is kept under tessel-solves-unreadable
// (-2, ...), never dropped. When the storage is full the game plays on, and the page says so once.
//
// The box shows what the core gives for a puzzle (game/statistics_page.h, as JSON): a chooser of puzzles,
// the shown one first; the numbers; their sentence; the chart of the last solves' times with their averages
// of 5 and 12, in SVG, in the look's chart colours; the day's board apart; the table of every solve, each
// with its link to copy and to watch (watching.js), and the best to watch; Export (the CSV downloaded) and
// Clear (asked first).
const SOLVES_KEY = 'tessel-solves';
const SVG = 'http://www.w3.org/2000/svg';
// The chart's own units: it is drawn in these and scaled to the box's width, at most twice.
const CHART_WIDTH = 320, CHART_HEIGHT = 190;
// The rows of the table of solves shown at once; the rest follow a moment later.
const FIRST_ROWS = 12;

export function createStatistics({ core, fromCore, say, showNote, clearRecords, watch }) {
    const box = document.getElementById('statistics');
    const body = document.getElementById('statistics-body');
    let toldFull = false;
    let shownIndex = 0;
    let shown = 0; // the boxes shown, so that rows still to come go only to the one they belong to

    function toLong(text) {
        const bytes = new TextEncoder().encode(text);
        const at = core._TesselLongText(bytes.length);
        core.HEAPU8.set(bytes, at);
        return bytes.length;
    }
    function tellFull() {
        if (toldFull) return;
        toldFull = true;
        showNote(say('solves-not-kept'));
    }
    // What cannot be read goes under a name no other text has, before anything takes its place.
    function setAside(text) {
        for (let n = 1; ; n++) {
            const name = `${SOLVES_KEY}-unreadable${n > 1 ? `-${n}` : ''}`;
            if (localStorage.getItem(name) === null) {
                localStorage.setItem(name, text);
                return;
            }
        }
    }
    // step: 'read', 'write' or 'clear'.
    function keep(step) {
        let stored = null;
        try {
            if (step !== 'clear') stored = localStorage.getItem(SOLVES_KEY) ?? '';
        } catch {
            // No storage: the solves of this visit only.
        }
        const size = stored === null ? -1 : toLong(stored);
        const answer = fromCore(step === 'read' ? core._TesselReadSolves(size)
            : step === 'write' ? core._TesselWriteSolves(size) : core._TesselClearSolves());
        try {
            // "s": what is stored cannot be read; then "w" and the text to store, or "r": none is to be.
            if (answer.startsWith('s') && stored) setAside(stored);
            const write = answer.indexOf('w');
            if (write >= 0) localStorage.setItem(SOLVES_KEY, answer.slice(write + 1));
            else if (answer) localStorage.removeItem(SOLVES_KEY);
        } catch {
            if (stored !== null) tellFull();
        }
    }
    addEventListener('storage', (event) => {
        if (event.key === SOLVES_KEY) {
            keep('read');
            if (box.open) show(shownIndex);
        }
    });

    const element = (name, properties = {}, children = []) => {
        const made = Object.assign(document.createElement(name), properties);
        made.append(...children);
        return made;
    };
    const svg = (name, attributes = {}) => {
        const made = document.createElementNS(SVG, name);
        for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, value);
        return made;
    };

    function chartOf({ times, ao5, ao12, low, high, ticks, caption, key, colours }) {
        const drawing = svg('svg', { viewBox: `0 0 ${CHART_WIDTH} ${CHART_HEIGHT}`, role: 'img', 'aria-label': caption,
            class: 'statistics-chart' });
        drawing.append(svg('rect', { width: CHART_WIDTH, height: CHART_HEIGHT, fill: colours.ground }));
        const left = 44, top = 8, right = CHART_WIDTH - 8, bottom = CHART_HEIGHT - 30;
        const y = (ms) => bottom - ((ms - low) / Math.max(high - low, 1)) * (bottom - top);
        const x = (i) => (times.length < 2 ? (left + right) / 2 : left + ((right - left) * i) / (times.length - 1));
        for (const [value, words] of ticks) {
            drawing.append(svg('line', { x1: left, x2: right, y1: y(value), y2: y(value), stroke: colours.grid }));
            const label = svg('text', { x: left - 4, y: y(value) + 4, 'text-anchor': 'end', fill: colours.text,
                'font-size': 11 });
            label.textContent = words;
            drawing.append(label);
        }
        drawing.append(svg('rect', { x: left, y: top, width: right - left, height: bottom - top, fill: 'none',
            stroke: colours.text }));
        for (const [i, ms] of times.entries())
            drawing.append(svg('circle', { cx: x(i), cy: y(ms), r: 2, fill: colours.single }));
        const line = (values, colour, dashes) => {
            const points = values.flatMap((value, i) => (value === null ? [] : [`${x(i).toFixed(1)},${y(value).toFixed(1)}`]));
            if (points.length > 0) drawing.append(svg('polyline', { points: points.join(' '), fill: 'none', stroke: colour,
                'stroke-width': 2.5, 'stroke-linejoin': 'round', 'stroke-linecap': 'round', ...(dashes ? { 'stroke-dasharray': dashes } : {}) }));
        };
        line(ao5, colours.ao5, null);
        line(ao12, colours.ao12, '6 4');
        // The key under it.
        let at = left;
        const keyY = CHART_HEIGHT - 10;
        for (const [i, words] of key.entries()) {
            const colour = [colours.single, colours.ao5, colours.ao12][i];
            if (i === 0) drawing.append(svg('circle', { cx: at + 8, cy: keyY - 4, r: 3, fill: colour }));
            else drawing.append(svg('line', { x1: at, x2: at + 16, y1: keyY - 4, y2: keyY - 4, stroke: colour, 'stroke-width': 2.5,
                ...(i === 2 ? { 'stroke-dasharray': '6 4' } : {}) }));
            const label = svg('text', { x: at + 20, y: keyY, fill: colours.text, 'font-size': 11 });
            label.textContent = words;
            drawing.append(label);
            at += 20 + words.length * 6 + 10;
        }
        return drawing;
    }

    async function copyLink(link) {
        try {
            await navigator.clipboard.writeText(link);
            showNote(say('link-copied', link));
        } catch {
            showNote(link);
        }
    }

    function exportCsv() {
        const csv = fromCore(core._TesselSolvesCsv());
        const url = URL.createObjectURL(new Blob([csv], { type: 'text/csv' }));
        const link = element('a', { href: url, download: 'tessel-solves.csv' });
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 0);
    }

    function show(index) {
        shownIndex = index;
        const page = JSON.parse(fromCore(core._TesselStatistics(index, FIRST_ROWS)));
        const chooser = element('select', { id: 'statistics-puzzle' },
            page.puzzles.map((name, i) => element('option', { value: String(i), textContent: name, selected: i === index })));
        chooser.addEventListener('change', () => show(Number(chooser.value)));
        const parts = [element('label', { className: 'statistics-chooser' }, [page.labels.puzzle, ' ', chooser])];
        if (page.empty) parts.push(element('p', { textContent: page.empty }));
        const numbers = element('table', { className: 'statistics-numbers' }, [
            element('thead', {}, [element('tr', {}, page.heads.map((head) => element('th', { scope: 'col', textContent: head })))]),
            element('tbody', {}, page.rows.map(([name, time, moves]) => element('tr', {}, [
                element('th', { scope: 'row', textContent: name }), element('td', { textContent: time }),
                element('td', { textContent: moves })]))),
        ]);
        parts.push(numbers, element('p', { className: 'statistics-sentence', textContent: page.sentence }));
        parts.push(chartOf(page.chart));
        if (page.day.length > 0) parts.push(element('p', { textContent: page.day.join(' · ') }));
        const actions = element('div', { className: 'statistics-actions' });
        const button = (words, onClick, disabled = false) => {
            const made = element('button', { type: 'button', textContent: words, disabled });
            made.addEventListener('click', onClick);
            actions.append(made);
        };
        if (watch) button(page.labels.watchBest, () => watchRow(page.best), page.best === null);
        button(page.labels.export, exportCsv);
        button(page.labels.clear, () => {
            if (!confirm(say('statistics-clear-question'))) return;
            clearRecords();
            keep('clear');
            show(shownIndex);
        });
        parts.push(actions);
        // The table of solves: a row each, its link to copy (and to watch, where the page can).
        const rowOf = ([when, moves, time, hints], row) => {
            const cells = [element('td', { textContent: when }), element('td', { textContent: moves }),
                element('td', { textContent: time }), element('td', { textContent: hints })];
            const tools = element('td', { className: 'statistics-row-tools' });
            const share = element('button', { type: 'button', textContent: page.labels.share });
            share.dataset.row = String(row);
            tools.append(share);
            if (watch) {
                const watchButton = element('button', { type: 'button', textContent: page.labels.watch });
                watchButton.dataset.row = String(row);
                watchButton.dataset.watch = '';
                tools.append(watchButton);
            }
            cells.push(tools);
            return element('tr', {}, cells);
        };
        // The first rows at once, the rest just after, so that the box shows without waiting for a long log.
        const tableBody = element('tbody', {}, page.solves.map(rowOf));
        const table = element('table', { className: 'statistics-solves' }, [
            element('caption', { textContent: page.tableName }),
            element('thead', {}, [element('tr', {}, [...page.solveHeads, ''].map((head) => element('th', { scope: 'col', textContent: head })))]),
            tableBody,
        ]);
        const shownNow = shown += 1;
        if (page.solveCount > FIRST_ROWS) {
            setTimeout(() => {
                if (shown !== shownNow) return;
                const more = JSON.parse(fromCore(core._TesselMoreSolves(index, FIRST_ROWS)));
                tableBody.append(...more.map((solve, i) => rowOf(solve, FIRST_ROWS + i)));
            }, 0);
        }
        // One listener for every row's buttons.
        table.addEventListener('click', (event) => {
            const pressed = event.target.closest('button[data-row]');
            if (!pressed) return;
            const row = Number(pressed.dataset.row);
            if (pressed.dataset.watch !== undefined) watchRow(row);
            else copyLink(fromCore(core._TesselLoggedSolveLink(shownIndex, row)));
        });
        if (page.solveCount > 0) parts.push(table);
        body.replaceChildren(...parts);
    }

    function watchRow(row) {
        if (row === null || !watch) return;
        const link = fromCore(core._TesselLoggedSolveLink(shownIndex, row));
        if (!link) return;
        box.close();
        watch(link);
    }

    return {
        // After every action: the solves made since are stored.
        afterAction() {
            if (core._TesselSolvesWaiting()) keep('write');
        },
        read: () => keep('read'),
        open() {
            show(0);
            if (!box.open) box.showModal();
        },
        // The look or the language changed: the box is shown in it.
        refresh() {
            if (box.open) show(shownIndex);
        },
    };
}
