// "Tools" > "How to play" and F1: the shown puzzle's rules and keys, or on the menu each puzzle in a line
// and how to start (game/how_to_play.h), in a box over the whole page like the About box, in the page's
// language. It opens from the menu by finger, mouse or screen reader, and by F1 from the keyboard; Escape
// or its button closes it.

// `core` is the game's module with `fromCore` its text buffer's reader; `opening()` runs before the box
// opens (the Tools menu closes).
export function createHowToPlay({ core, fromCore, opening }) {
    const box = document.getElementById('help');
    const caption = document.getElementById('help-caption');
    const body = document.getElementById('help-body');

    // Said anew whenever it opens and whenever the language changes while it is open.
    function fill() {
        const [title, heading, ...paragraphs] = fromCore(core._TesselHowToPlay()).split('\n');
        caption.textContent = title;
        const parts = paragraphs.map((text) => Object.assign(document.createElement('p'), { textContent: text }));
        if (heading) parts.unshift(Object.assign(document.createElement('h2'), { textContent: heading }));
        body.replaceChildren(...parts);
    }
    function open() {
        opening();
        fill();
        if (!box.open) box.showModal();
        body.scrollTop = 0;
    }
    document.getElementById('help-item').addEventListener('click', open);
    document.addEventListener('keydown', (event) => {
        if (event.key !== 'F1' || event.ctrlKey || event.metaKey || event.altKey || event.shiftKey) return;
        event.preventDefault();
        if (!document.querySelector('dialog[open]')) open();
    });
    return { said: () => box.open && fill() };
}
