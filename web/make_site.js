// Writes the site around the compiled programs: <program>.html for each
// window program, the gallery index.html, the pages' script and style,
// a picture of each program and the labels' font.
//
//   node make_site.js SOURCE_DIR SITE_DIR FOLDER/PROGRAM,... FONT_FILE
//
// What a program shows is the opening comment of its source
// (<folder>/<program>.cpp: "// <program>: ..."), less its last sentences
// when they start a line of their own, which say how the window program
// steps and ends. Its frames are the pictures kept beside the source
// (<folder>/<program>_NN.png), which the test suite holds equal to the
// frames the program shows; the gallery shows the largest, the most
// detailed. A program that opens a TrueType font by a name ending in .ttf
// gets the given font under that name, served with its page.
'use strict';
const fs = require('fs');
const path = require('path');

const [source, site, entries, font] = process.argv.slice(2);
const here = __dirname;

function escape_html(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
        .replace(/"/g, '&quot;');
}

// The opening comment's first paragraph, as groups of lines: a group starts
// where the line before ends a sentence.
function describe(name, code) {
    const lines = [];
    for (const line of code.split('\n')) {
        const comment = /^\/\/ ?(.*)$/.exec(line);
        if (!comment || comment[1].trim() === '')
            break;
        lines.push(comment[1].trim());
    }
    if (!lines.length || !lines[0].startsWith(`${name}:`))
        return '';
    lines[0] = lines[0].slice(name.length + 1).trim();
    const groups = [];
    let ends_sentence = true;
    for (const line of lines) {
        if (ends_sentence)
            groups.push([]);
        groups[groups.length - 1].push(line);
        ends_sentence = line.endsWith('.');
    }
    if (groups.length > 1)
        groups.pop();
    const text = groups.map(group => group.join(' ')).join(' ');
    return text.charAt(0).toUpperCase() + text.slice(1);
}

function kept_pictures(folder, name) {
    const pattern = new RegExp(`^${name}_\\d\\d\\.png$`);
    return fs.readdirSync(folder).filter(file => pattern.test(file)).sort();
}

function main() {
    fs.mkdirSync(path.join(site, 'pictures'), {recursive: true});
    for (const file of ['page.js', 'site.css'])
        fs.copyFileSync(path.join(here, file), path.join(site, file));
    const page = fs.readFileSync(path.join(here, 'page.html'), 'utf8');
    const items = [];
    for (const entry of entries.split(',')) {
        const folder = path.join(source, path.dirname(entry));
        const name = path.basename(entry);
        const code = fs.readFileSync(path.join(folder, `${name}.cpp`), 'utf8');
        const about = escape_html(describe(name, code));
        const pictures = kept_pictures(folder, name);
        const frames = pictures.length;
        const font_name = /^#include\s*<SDL_ttf\.h>/m.test(code) &&
            (/"([\w.-]+\.ttf)"/.exec(code) || [])[1];
        let font_style = '';
        if (font_name) {
            fs.copyFileSync(font, path.join(site, font_name));
            font_style = `<style>@font-face { font-family: "${font_name}"; ` +
                `src: url("${font_name}"); }</style>`;
        }
        const fields = {PROGRAM: name, DESCRIPTION: about, FRAMES: String(frames),
                        FONT: font_style, FONT_NAME: font_name || ''};
        fs.writeFileSync(path.join(site, `${name}.html`),
                         page.replace(/@(\w+)@/g, (all, key) => fields[key]));
        let picture = '';
        if (frames) {
            const size = file => fs.statSync(path.join(folder, file)).size;
            const best = pictures.reduce((a, b) => (size(b) > size(a) ? b : a));
            picture = `pictures/${name}.png`;
            fs.copyFileSync(path.join(folder, best), path.join(site, picture));
        }
        items.push({name, about, frames, picture});
    }
    const list = items.map(item => [
        '<li>',
        `  <a href="${item.name}.html">` +
            (item.picture ? `<img src="${item.picture}" alt="" width="400" height="300">` : '') +
            '</a>',
        `  <h2><a href="${item.name}.html">${item.name}</a></h2>`,
        `  <p>${item.about}</p>`,
        `  <p>${item.frames === 1 ? 'One frame' : `${item.frames} frames`}.</p>`,
        '</li>'].join('\n')).join('\n');
    fs.writeFileSync(path.join(site, 'index.html'), `<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Self-similar tilings</title>
<link rel="stylesheet" href="site.css">
</head>
<body>
<h1>Self-similar tilings</h1>
<p>Each program draws a tiling of the plane on an 800 × 600 canvas, some in
several frames. Open one, then press any key or click the picture for its
next frame.</p>
<ul class="gallery">
${list}
</ul>
</body>
</html>
`);
}

main();
