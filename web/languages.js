// The page in the player's language: the one chosen in "Tools" > "Language" and kept on this site, else the
// first of the browser's languages the game speaks (game/languages.h decides), else English. English is
// the game's own; another language's catalogue (lang/LL.cat, the messages the page can say) is fetched
// only when that language is spoken, while the game starts, and a message it lacks stays in English. The
// root's lang and dir follow, so that screen readers take the language's voice and Arabic lays the page's
// controls, menus and dialogs out right to left; the game's picture is drawn as ever.
const KEY = 'tessel-language';

// `core` is the game's module, `toCore` and `fromCore` its text buffer's; `spoken()` is called whenever
// the page speaks another language (or the same again), for its words to be said anew.
export function createLanguages({ core, toCore, fromCore, spoken }) {
    const languages = fromCore(core._TesselLanguages()).split('\n').map((line) => {
        const [code, tag, name, direction] = line.split('\t');
        return { code, tag, name, rtl: direction === 'rtl' };
    });
    const box = document.getElementById('languages');
    const list = document.getElementById('language-list');
    const items = [['system', '', ''], ...languages.map(({ code, tag, name }) => [code, tag, name])]
        .map(([code, tag, name]) => {
            const item = document.createElement('button');
            Object.assign(item, { type: 'button', textContent: name });
            item.setAttribute('role', 'radio');
            item.dataset.language = code;
            // Each language's name in its own voice.
            if (tag) item.lang = tag;
            if (code === 'system') item.dataset.words = 'language-system';
            item.addEventListener('click', () => {
                box.close();
                choose(code);
            });
            return item;
        });
    list.replaceChildren(...items);
    // Up and Down go from language to language, as in any list of choices.
    list.addEventListener('keydown', (event) => {
        const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
        if (!step) return;
        event.preventDefault();
        const at = items.indexOf(document.activeElement);
        items[(at + step + items.length) % items.length].focus();
    });

    // A stored value that names no language counts as none: "As the system".
    let choice = 'system';
    try {
        const stored = localStorage.getItem(KEY);
        if (languages.some(({ code }) => code === stored)) choice = stored;
    } catch {
        // No storage: as the system, for this visit.
    }
    let asked = 0; // the latest language asked for: a slower fetch before it is left unused

    function check() {
        for (const item of items) item.setAttribute('aria-checked', String(item.dataset.language === choice));
    }
    // The core in English only (index.html loads it where English is all that is asked for) speaks nothing
    // else; a choice of another language, or of the system's, loads the page again, the game kept, and
    // index.html then loads the core that can.
    const readsLanguages = Boolean(core._TesselUseLanguage);
    async function speak() {
        const wishes = [choice === 'system' ? '' : choice, ...(navigator.languages ?? [navigator.language])];
        let code = readsLanguages ? fromCore(core._TesselPickLanguage(toCore(wishes.join('\n')))) : 'en';
        const turn = ++asked;
        let bytes = new Uint8Array();
        if (code !== 'en') {
            try {
                const response = await fetch(`lang/${code}.cat`);
                if (!response.ok) throw new Error(`${response.status}`);
                bytes = new Uint8Array(await response.arrayBuffer());
            } catch {
                code = 'en'; // offline before the catalogue was ever kept: English
            }
        }
        if (turn !== asked) return;
        if (readsLanguages) {
            core.HEAPU8.set(bytes, core._TesselCatalogueBuffer(bytes.length));
            // A catalogue that does not read leaves English.
            if (!core._TesselUseLanguage(toCore(code))) code = 'en';
        }
        const language = languages.find((entry) => entry.code === code);
        document.documentElement.lang = language.tag;
        document.documentElement.dir = language.rtl ? 'rtl' : 'ltr';
        check();
        spoken();
    }
    function choose(code) {
        choice = code;
        try {
            if (code === 'system') localStorage.removeItem(KEY);
            else localStorage.setItem(KEY, code);
        } catch {
            // Not kept.
        }
        if (!readsLanguages && code !== 'en') location.reload();
        else speak();
    }
    addEventListener('languagechange', () => choice === 'system' && speak());
    check();
    return {
        // Settles the language at the start; resolves once its words can be said.
        start: speak,
        open() {
            if (!box.open) box.showModal();
            (items.find((item) => item.getAttribute('aria-checked') === 'true') ?? items[0]).focus();
        },
    };
}
