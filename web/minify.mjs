#!/usr/bin/env node
// node minify.mjs IN OUT: the page's script (.js) or style (.css) without its comments and indentation,
// for the site: about a third less to download with gzip. A script is read token by token by acorn (the
// parser em++'s own optimisers use, found through NODE_PATH), so strings, templates and regular
// expressions stay as written; a line break stays wherever one was, so that no statement runs into the
// next. Names are kept: the browser tests and the console read the same script.
import fs from 'node:fs';
import { createRequire } from 'node:module';

const [input, output] = process.argv.slice(2);
const source = fs.readFileSync(input, 'utf8');

function minifyScript() {
    const acorn = createRequire(import.meta.url)('acorn');
    const word = /[\w$\\\u0080-\uffff]/;
    let out = '';
    let last = null;
    const onToken = (token) => {
        if (token.type === acorn.tokTypes.eof) return;
        const text = source.slice(token.start, token.end);
        const gap = last ? source.slice(last.end, token.start) : '';
        if (/[\n\r\u2028\u2029]/.test(gap)) {
            out += '\n';
        } else if (gap !== '') {
            // Two words, `+ +`, `- -`, `/ /` (a comment) and `1 .x` would read as other tokens when joined.
            const before = out.at(-1);
            const joins = (word.test(before) && word.test(text[0])) || (before === text[0] && '+-/'.includes(before)) ||
                (last.type === acorn.tokTypes.num && text[0] === '.');
            if (joins) out += ' ';
        }
        out += text;
        last = token;
    };
    // look.js runs as a classic script in the page's head; the rest are modules.
    const sourceType = /\b(import|export)\b/.test(source) ? 'module' : 'script';
    acorn.parse(source, { ecmaVersion: 'latest', sourceType, onToken });
    return `${out}\n`;
}

function minifyStyle() {
    const code = source.replace(/\/\*[\s\S]*?\*\//g, '');
    if ((code.match(/"[^"\n]*"|'[^'\n]*'/g) ?? []).some((string) => /\s/.test(string)))
        throw new Error(`${input}: a string with spaces in it would lose them`);
    return `${code.replace(/\s+/g, ' ').replace(/ ?([{};,>]) ?/g, '$1').replace(/;}/g, '}')
        .replace(/: /g, ':').trim()}\n`;
}

fs.writeFileSync(output, input.endsWith('.css') ? minifyStyle() : minifyScript());
