#!/usr/bin/env node
// node minify.mjs IN OUT: a script (.js) or the style (.css) of the site made small for its download, by
// Debian's terser and clean-css (found through NODE_PATH, as em++'s own optimisers are). A script's local
// names are shortened; what other files and the page see keeps its name: a module's exports, and the
// globals of look.js, which runs as a classic script in the page's head. IN and OUT may be one file.
import fs from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const [input, output] = process.argv.slice(2);
const source = fs.readFileSync(input, 'utf8');

async function minifyScript() {
    const module = /^\s*(import|export)\b/m.test(source);
    const result = await require('terser').minify(source, {
        module, ecma: 2020, compress: { passes: 2 }, mangle: true, format: { comments: false },
    });
    return `${result.code}\n`;
}

function minifyStyle() {
    const result = new (require('clean-css'))({ level: 1 }).minify(source);
    if (result.errors.length > 0) throw new Error(`${input}: ${result.errors[0]}`);
    return `${result.styles}\n`;
}

fs.writeFileSync(output, input.endsWith('.css') ? minifyStyle() : await minifyScript());
