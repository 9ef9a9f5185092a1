// Writes the site around the compiled programs: <program>.html for each
// window program, the explorer's page explore.html, the gallery index.html
// grouped by family, the pages' scripts and style, and a picture of each
// program.
//
//   node make_site.js SOURCE_DIR SITE_DIR FOLDER/PROGRAM,... FONT_FILE PROGRAM_NOTES PRESETS_TOOL
//
// PRESETS_TOOL is explore_presets.js, run with node: it prints the
// explorer's presets, the programs' frames it draws exactly, which the
// explorer's page lists and each program page links to from those frames.
//
// What a program says about itself (its title, what it shows, its frames'
// captions) is read from the opening comment of its source
// (<folder>/<program>.cpp) by the native reader of the notes, the command
// PROGRAM_NOTES (build/tools/program_notes, built for this machine), as
// JSON; the pages take the English. Its frames are the pictures kept beside
// the source (<folder>/<program>_NN.png), which the test suite holds equal
// to the frames the program shows; the gallery shows the largest, the most
// detailed, and links to that frame. A program that opens a TrueType font
// by a name ending in .ttf gets the given font under that name, inside its
// page, so that the page needs nothing fetched (pages opened from a folder
// may fetch nothing).
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');

const here = __dirname;

// The families, by folder, in the gallery's order.
const FAMILIES = [
    ['chair', 'The chair',
     'A chair, an L of three squares, splits into four smaller chairs, so it tiles the plane ' +
     'at every scale; these pictures split it, grow it and look closely at it.'],
    ['hexagon', 'The five-fold hexagons',
     'Hexagons with corners of 72° and 144° laid in rings with five-fold symmetry, and the ' +
     'strapwork drawn over them.'],
    ['triangle', 'The equilateral triangle',
     'An equilateral triangle split about its centre and the thirds or midpoints of its ' +
     'edges, again and again, shaded by the shape of each piece.'],
    ['fivesplit', 'The five-way split',
     'A right triangle whose legs are in a fixed ratio splits into five smaller copies of ' +
     'itself; coloured by size, by place or by area, or turned as a pinwheel.'],
];

function escape_html(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
        .replace(/"/g, '&quot;');
}

// The notes of the program whose source is `file`, in English: {name,
// title, about, captions}; throws, saying why, when they cannot be read.
function read_notes(notes_tool, file) {
    let json;
    try {
        json = execFileSync(notes_tool, [file, 'json'],
                            {encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe']});
    } catch (error) {
        throw new Error((error.stderr || '').trim() ||
                        `${notes_tool} ${file} json: ${error.message}`);
    }
    const notes = JSON.parse(json);
    return {name: notes.name, ...notes.en};
}

function kept_pictures(folder, name) {
    const pattern = new RegExp(`^${name}_\\d\\d\\.png$`);
    return fs.readdirSync(folder).filter(file => pattern.test(file)).sort();
}

function frame_label(n, frames, notes) {
    return `${notes.title}, frame ${n} of ${frames}: ${notes.captions[n - 1]}`;
}

// A JSON text that may stand inside a <script> element.
function script_json(value) {
    return JSON.stringify(value).replace(/</g, '\\u003c');
}

// The explorer's page: its presets as JSON, and as the options of its list,
// named by the programs' titles.
function write_explorer(site, presets, items) {
    const options = presets.map(p => {
        const item = items.find(i => i.notes.name === p.program);
        const title = item ? item.notes.title : p.program;
        const label = item && item.frames > 1 ? `${title}, frame ${p.frame}` : title;
        return `<option value="${escape_html(p.state)}">${escape_html(label)}</option>`;
    });
    const json = '[' + presets.map(p => script_json(p)).join(',\n') + ']';
    const fields = {PRESETS: json, PRESET_OPTIONS: options.join('\n')};
    const page = fs.readFileSync(path.join(here, 'explore.html'), 'utf8');
    fs.writeFileSync(path.join(site, 'explore.html'),
                     page.replace(/@(\w+)@/g, (all, key) => fields[key]));
}

function write_site(source, site, entries, font, notes_tool, presets_tool) {
    fs.mkdirSync(path.join(site, 'pictures'), {recursive: true});
    for (const file of ['shell.js', 'page.js', 'explorer.js', 'site.css'])
        fs.copyFileSync(path.join(here, file), path.join(site, file));
    const page = fs.readFileSync(path.join(here, 'page.html'), 'utf8');
    const presets = JSON.parse(execFileSync(process.execPath, [presets_tool], {encoding: 'utf8'}));
    const items = [];
    for (const entry of entries.split(',')) {
        const folder = path.join(source, path.dirname(entry));
        const name = path.basename(entry);
        const file = path.join(folder, `${name}.cpp`);
        const code = fs.readFileSync(file, 'utf8');
        const notes = read_notes(notes_tool, file);
        const pictures = kept_pictures(folder, name);
        const frames = pictures.length;
        if (notes.captions.length !== frames)
            throw new Error(`${file}: ${notes.captions.length} frame captions for ${frames} ` +
                            'kept pictures');
        const font_name = /^#include\s*<SDL_ttf\.h>/m.test(code) &&
            (/"([\w.-]+\.ttf)"/.exec(code) || [])[1];
        let font_style = '';
        if (font_name) {
            const inside = fs.readFileSync(font).toString('base64');
            font_style = `<style>@font-face { font-family: "${font_name}"; ` +
                `src: url("data:font/ttf;base64,${inside}") format("truetype"); }</style>`;
            fs.rmSync(path.join(site, font_name), {force: true});
        }
        // The WebAssembly is inside the script now; an older build's goes.
        fs.rmSync(path.join(site, `${name}.wasm`), {force: true});
        // The frames the explorer draws too, by the state it draws them in.
        const explored = {};
        for (const p of presets.filter(p => p.program === name))
            explored[p.frame] = p.state;
        const json = script_json({captions: notes.captions, presets: explored});
        const fields = {PROGRAM: name, TITLE: escape_html(notes.title),
                        DESCRIPTION: escape_html(notes.about), FRAMES: String(frames),
                        FONT: font_style, FONT_NAME: font_name || '', NOTES: json};
        fs.writeFileSync(path.join(site, `${name}.html`),
                         page.replace(/@(\w+)@/g, (all, key) => fields[key]));
        let picture = '', shown = 0;
        if (frames) {
            const size = f => fs.statSync(path.join(folder, f)).size;
            const best = pictures.reduce((a, b) => (size(b) > size(a) ? b : a));
            shown = pictures.indexOf(best) + 1;
            picture = `pictures/${name}.png`;
            fs.copyFileSync(path.join(folder, best), path.join(site, picture));
        }
        items.push({family: path.dirname(entry), notes, frames, picture, shown});
    }
    write_explorer(site, presets, items);
    const item_html = item => {
        const {name, title, about} = item.notes;
        const link = `${name}.html${item.shown ? `#frame=${item.shown}` : ''}`;
        const alt = item.shown ? escape_html(frame_label(item.shown, item.frames, item.notes)) : '';
        return [
            '<li>',
            `  <a href="${link}" tabindex="-1">` +
                (item.picture ? `<img src="${item.picture}" alt="${alt}" width="800" height="600">`
                              : '') + '</a>',
            `  <h3><a href="${link}">${escape_html(title)}</a></h3>`,
            `  <p class="name"><code>${name}</code></p>`,
            `  <p class="about">${escape_html(about)}</p>`,
            `  <p>${item.frames === 1 ? 'One frame' : `${item.frames} frames`}.</p>`,
            '</li>'].join('\n');
    };
    const known = FAMILIES.map(f => f[0]);
    const families = FAMILIES.concat([...new Set(items.map(i => i.family))]
        .filter(f => !known.includes(f)).map(f => [f, f, '']));
    const sections = families.map(([folder, heading, sentence]) => {
        const members = items.filter(item => item.family === folder);
        if (!members.length)
            return '';
        return `<section class="family" id="${folder}">
<h2>${escape_html(heading)}</h2>
${sentence ? `<p>${escape_html(sentence)}</p>\n` : ''}<ul class="gallery">
${members.map(item_html).join('\n')}
</ul>
</section>`;
    }).filter(Boolean).join('\n');
    fs.writeFileSync(path.join(site, 'index.html'), `<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Self-similar tilings</title>
<link rel="stylesheet" href="site.css">
</head>
<body>
<h1>Self-similar tilings</h1>
<p class="intro">Each picture is a tiling of the plane by copies of one shape at smaller and
smaller scales, drawn on an 800 × 600 canvas, some in several frames. Open one, then press →
or click the picture (tap it on a phone) for the next frame, and ← for the one before.</p>
<p class="intro explore"><a href="explore.html">Explore the tilings</a>: the chair, the
triangle and the five-way split at any depth, zoom and leg ratio.</p>
${sections}
</body>
</html>
`);
}

function main() {
    const args = process.argv.slice(2);
    try {
        write_site(...args);
    } catch (error) {
        console.error(`make_site.js: ${error.message}`);
        process.exit(1);
    }
}

main();
