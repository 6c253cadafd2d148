// The page's look, settled before anything is drawn: the one chosen on this site in "Tools" > "Look", or
// else the one the system's wishes give by the game's own rule (game/system_look.h), which the build
// writes in here. The page's own colours follow the root's data-look (tessel.css) and theme-color; the
// game's script (tessel.js) draws in the same look, offers the choice and hears of every change.
// A classic script, run in the page's head before its body is painted, so that no other look shows first.
'use strict';
globalThis.tesselLook = (() => {
    const KEY = 'tessel-look';
    const LOOKS = ['classic', 'high-contrast', 'dark']; // in the core's order (core/looks.h)
    const THEME = { classic: '#ffffff', 'high-contrast': '#ffffff', dark: '#121212' };
    const moreContrast = matchMedia('(prefers-contrast: more)');
    const darkScheme = matchMedia('(prefers-color-scheme: dark)');
    const listeners = [];
    // SYSTEM_LOOKS[more contrast][dark], filled in by the build (site.cmake).
    const SYSTEM_LOOKS = /*SYSTEM_LOOKS*/null;

    // Without storage (private browsing) the choice holds for this visit only; anything else stored is none.
    let choice = 'system';
    try {
        const stored = localStorage.getItem(KEY);
        if (LOOKS.includes(stored)) choice = stored;
    } catch {
        // As the system.
    }

    const shown = () => (choice !== 'system' ? choice
        : SYSTEM_LOOKS[Number(moreContrast.matches)][Number(darkScheme.matches)]);

    function apply() {
        const look = shown();
        document.documentElement.dataset.look = look;
        document.querySelector('meta[name="theme-color"]')?.setAttribute('content', THEME[look]);
        for (const listener of listeners) listener(look);
    }

    // 'system' or one of LOOKS.
    function choose(newChoice) {
        choice = LOOKS.includes(newChoice) ? newChoice : 'system';
        try {
            if (choice === 'system') localStorage.removeItem(KEY);
            else localStorage.setItem(KEY, choice);
        } catch {
            // Not kept.
        }
        apply();
    }

    for (const query of [moreContrast, darkScheme]) query.addEventListener('change', () => choice === 'system' && apply());
    apply();
    return {
        LOOKS,
        choice: () => choice,
        shown,
        choose,
        // Calls `listener(look)` whenever the look shown changes (or is chosen again).
        follow: (listener) => listeners.push(listener),
    };
})();
