// What the canvas shows, for screen readers: an invisible copy of the screen laid over the picture. The
// menu is six buttons; a board is a grid of rows and cells named by what they hold, each cell exactly over
// its painted square, so that touch exploration finds the cell under the finger. A screen reader's
// activation plays a tap at the cell's middle; the game stays one Tab stop, its focus on the cursor. A
// polite status region says what each move did. The mirror takes no pointer: mouse, finger and pen taps
// pass through to the canvas as before.

// The core describes the screen as screen readers get it, names, groups and places (game/accessible_screen.h),
// as JSON (TesselScreenText in web/platform.cpp); items are [name, x, y, width, height, tapX, tapY] in
// picture pixels, a cell's name spoken with its place ("7, row 2 column 3").
const NAME = 0, X = 1, Y = 2, WIDTH = 3, HEIGHT = 4, TAP_X = 5, TAP_Y = 6;

// Changing the page costs its layout again, at every move of a drag: only what differs is written.
function setLabel(node, label) {
    if (node.getAttribute('aria-label') !== label) node.setAttribute('aria-label', label);
}
function setText(node, text) {
    if (node.textContent !== text) node.textContent = text;
}

function element(tag, attributes = {}, text = '') {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
    node.textContent = text;
    return node;
}

// `core` is the game's module; `canvas` the picture, `placement()` its scale and left edge in device pixels
// as the page paints it; `tap([x, y])` plays a tap at a point of the picture, queued as any other.
export function createMirror({ core, canvas, placement, tap }) {
    const root = element('main', { id: 'mirror', hidden: '' });
    const title = element('h1', { class: 'unseen' });
    const status = element('div', { role: 'status', 'aria-live': 'polite', class: 'unseen' });
    const banner = element('p', { class: 'unseen', hidden: '' });
    const items = element('div');
    root.append(title, banner, items, status);
    canvas.after(root);

    let shape = ''; // the screen whose elements stand: its name, grid size and button names
    let buttons = [], cells = [], rows = [];
    let screen = null;
    let saidLast = '';
    let cursorShown = false;

    // A screen reader's activation arrives as a click on the element itself: a pointer never gets here,
    // its taps pass through to the canvas.
    items.addEventListener('click', (event) => {
        const item = event.target.closest('[data-index]');
        if (!item || !screen) return;
        const list = item.dataset.kind === 'cell' ? screen.cells : screen.buttons;
        const found = list[Number(item.dataset.index)];
        if (found) tap([found[TAP_X], found[TAP_Y]]);
    });

    function build() {
        items.replaceChildren();
        buttons = screen.buttons.map((_, index) =>
            element('div', { role: 'button', tabindex: '-1', 'data-kind': 'button', 'data-index': index }));
        rows = [];
        cells = [];
        if (screen.group === 'grid') {
            const grid = element('div', { role: 'grid', 'aria-label': screen.groupName,
                'aria-rowcount': screen.rows, 'aria-colcount': screen.columns });
            for (let r = 0; r < screen.rows; r++) {
                const row = element('div', { role: 'row', 'aria-rowindex': r + 1 });
                for (let c = 0; c < screen.columns; c++) {
                    const index = r * screen.columns + c;
                    cells.push(row.appendChild(element('div', { role: 'gridcell', tabindex: '-1',
                        'aria-colindex': c + 1, 'data-kind': 'cell', 'data-index': index })));
                }
                rows.push(grid.appendChild(row));
            }
            items.append(grid, ...buttons);
        } else {
            // A toolbar: a screen reader leaves the arrows to the game there, as in the grid.
            const toolbar = element('div', { role: 'toolbar', 'aria-label': screen.groupName, 'aria-orientation': 'vertical' });
            toolbar.append(...buttons);
            items.append(toolbar);
        }
    }

    // Every element over its rectangle of the picture, in CSS pixels, as the page paints it now.
    function place() {
        if (!screen || canvas.width === 0) return;
        const box = canvas.getBoundingClientRect();
        const { scale, left } = placement();
        const [kx, ky] = [box.width / canvas.width, box.height / canvas.height];
        Object.assign(root.style, { left: `${box.left}px`, top: `${box.top}px`,
            width: `${box.width}px`, height: `${box.height}px` });
        const put = (node, item, [ox, oy] = [0, 0]) => Object.assign(node.style, {
            left: `${(left + item[X] * scale) * kx - ox}px`, top: `${item[Y] * scale * ky - oy}px`,
            width: `${item[WIDTH] * scale * kx}px`, height: `${item[HEIGHT] * scale * ky}px` });
        screen.buttons.forEach((item, i) => put(buttons[i], item));
        rows.forEach((row, r) => {
            const first = screen.cells[r * screen.columns], last = screen.cells[(r + 1) * screen.columns - 1];
            const span = [first[NAME], first[X], first[Y], last[X] + last[WIDTH] - first[X], first[HEIGHT]];
            put(row, span);
            const origin = [(left + first[X] * scale) * kx, first[Y] * scale * ky];
            for (let c = 0; c < screen.columns; c++) put(cells[r * screen.columns + c], screen.cells[r * screen.columns + c], origin);
        });
    }

    function say(words) {
        if (!words) return;
        // The same words twice are still news: a trailing space that comes and goes makes them new text.
        saidLast = saidLast === words ? `${words}\u00a0` : words;
        status.textContent = saidLast;
    }

    // After every action: names, the cursor's focus and the words for what changed.
    function update() {
        const text = core._TesselScreenText();
        const end = core.HEAPU8.indexOf(0, text);
        screen = JSON.parse(new TextDecoder().decode(core.HEAPU8.subarray(text, end)));
        const newShape = JSON.stringify([screen.name, screen.columns, screen.rows, screen.buttons.map((b) => b[NAME])]);
        const hadFocus = root.contains(document.activeElement);
        // Where the elements stand changes with the screen's shape alone (and the canvas's size, which places
        // them itself): placing them asks the page for its layout, too slow to do at every move of a drag.
        const reshaped = newShape !== shape;
        if (reshaped) {
            shape = newShape;
            build();
        }
        setText(title, screen.name);
        setText(banner, screen.banner);
        if (banner.hidden !== !screen.banner) banner.hidden = !screen.banner;
        screen.buttons.forEach((item, i) => setLabel(buttons[i], item[NAME]));
        screen.cells.forEach((item, i) => setLabel(cells[i], item[NAME]));
        // One Tab stop: the cursor's element, or the first until the cursor shows.
        const [kind, index] = screen.focus ?? [cells.length > 0 ? 'cell' : 'button', 0];
        const target = (kind === 'cell' ? cells : buttons)[index];
        for (const nodes of [buttons, cells]) {
            for (const node of nodes) if (node.tabIndex !== (node === target ? 0 : -1)) node.tabIndex = node === target ? 0 : -1;
        }
        // The cursor showing on the element that has the focus already moves no focus: it is said instead.
        if (hadFocus && target && document.activeElement === target && screen.focus && !cursorShown) {
            say(target.getAttribute('aria-label'));
        }
        cursorShown = Boolean(screen.focus);
        if (hadFocus && target && document.activeElement !== target) target.focus({ preventScroll: true });
        if (reshaped) place();
        say(screen.said);
    }

    // Shown once the splash is over; hidden with the game while the device lies sideways, when the
    // message is said instead.
    function show(visible, message = '') {
        root.hidden = false;
        items.hidden = !visible;
        if (!visible) say(message);
    }

    return { update, place, show, say };
}
