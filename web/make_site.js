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
// JSON, in English and in French. Its frames are the pictures kept beside
// the source (<folder>/<program>_NN.png), which the test suite holds equal
// to the frames the program shows; the gallery shows the largest, the most
// detailed, and links to that frame. A program that opens a TrueType font
// by a name ending in .ttf gets the given font under that name, inside its
// page, so that the page needs nothing fetched (pages opened from a folder
// may fetch nothing).
//
// Each page is written once, in English, and takes its language as it
// opens (strings.js, which each page holds inside it, with its own words:
// the notes it shows, in both languages, as "note.*" keys). The English
// text is written into the page from the same tables, so that it reads
// before its scripts have run.
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');
const {LANGUAGES, STRINGS, filled} = require('./strings.js');

const here = __dirname;

// The families, by folder, in the gallery's order; their headings and
// sentences are the words family.<folder> and family.<folder>.about.
const FAMILIES = ['chair', 'hexagon', 'triangle', 'fivesplit'];

// The language switch, at the top of every page.
const SWITCH = '<nav class="languages" data-t-label="language_label">' +
    '<a href="?lang=en" lang="en" hreflang="en">English</a>' +
    '<span aria-hidden="true"> · </span>' +
    '<a href="?lang=fr" lang="fr" hreflang="fr">Français</a></nav>';

function escape_html(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
        .replace(/"/g, '&quot;');
}

// The notes of the program whose source is `file`: {name, en: {title,
// about, captions}, fr: {...}}; throws, saying why, when they cannot be
// read.
function read_notes(notes_tool, file) {
    let json;
    try {
        json = execFileSync(notes_tool, [file, 'json'],
                            {encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe']});
    } catch (error) {
        throw new Error((error.stderr || '').trim() ||
                        `${notes_tool} ${file} json: ${error.message}`);
    }
    return JSON.parse(json);
}

function kept_pictures(folder, name) {
    const pattern = new RegExp(`^${name}_\\d\\d\\.png$`);
    return fs.readdirSync(folder).filter(file => pattern.test(file)).sort();
}

// A text of the tables in one language, with {name} filled in.
function say(words, key, values = {}) {
    if (!(key in words))
        throw new Error(`no words for "${key}"`);
    return filled(words[key], values);
}

// The page's words in each language (page: {key: {en, fr}}), as its
// #page-words JSON.
function page_words(page) {
    const words = {};
    for (const language of LANGUAGES) {
        words[language] = {};
        for (const [key, both] of Object.entries(page))
            if (both[language])
                words[language][key] = both[language];
    }
    return words;
}

// A JSON text that may stand inside a <script> element.
function script_json(value) {
    return JSON.stringify(value).replace(/</g, '\\u003c');
}

// Fills a page's template: @FIELD@ from `fields`, then the English of
// every marked element (strings.js says how they are marked), from the
// tables and the page's words; and the words and their script into it.
function write_page(file, template, fields, page) {
    const words = page_words(page);
    const english = Object.assign({}, STRINGS.en, words.en);
    const code = fs.readFileSync(path.join(here, 'strings.js'), 'utf8');
    if (/<\/script|<!--/i.test(code))
        throw new Error('strings.js cannot stand inside a <script> element');
    const all = Object.assign({SWITCH, WORDS: script_json(words), STRINGS: code}, fields);
    const html = template
        .replace(/@(\w+)@/g, (whole, key) => all[key])
        .replace(/(<(\w+)\b[^>]*\sdata-t="([^"]+)"[^>]*>)(<\/\2>)/g,
                 (whole, open, tag, key, close) => open + escape_html(say(english, key)) + close)
        .replace(/data-t-(label|title|alt)="([^"]+)"/g, (whole, kind, key) =>
            `${whole} ${kind === 'label' ? 'aria-label' : kind}="${escape_html(say(english, key))}"`);
    fs.writeFileSync(file, html);
}

// Both languages of a text made of a program's notes.
function both(notes, make) {
    const texts = {};
    for (const language of LANGUAGES)
        if (notes[language])
            texts[language] = make(notes[language], STRINGS[language]);
    return texts;
}

// The explorer's page: its presets as JSON, and as the options of its list,
// named by the programs' titles.
function write_explorer(site, presets, items, explorer_notes) {
    const page = {'note.title': both(explorer_notes, n => n.title)};
    const options = presets.map((p, i) => {
        const item = items.find(it => it.notes.name === p.program);
        const notes = item ? item.notes : {en: {title: p.program}};
        page[`note.preset.${i}`] = both(notes, (n, words) =>
            (item && item.frames > 1 ? say(words, 'preset_label', {title: n.title, n: p.frame})
                                     : n.title));
        return `<option value="${escape_html(p.state)}" data-t="note.preset.${i}"></option>`;
    });
    const json = '[' + presets.map(p => script_json(p)).join(',\n') + ']';
    write_page(path.join(site, 'explore.html'),
               fs.readFileSync(path.join(here, 'explore.html'), 'utf8'),
               {PRESETS: json, PRESET_OPTIONS: options.join('\n')}, page);
}

function gallery_item(item, page) {
    const {name} = item.notes;
    const link = `${name}.html${item.shown ? `#frame=${item.shown}` : ''}`;
    page[`note.${name}.title`] = both(item.notes, n => n.title);
    page[`note.${name}.about`] = both(item.notes, n => n.about);
    page[`note.${name}.frames`] = both(item.notes, (n, words) =>
        (item.frames === 1 ? say(words, 'one_frame') : say(words, 'frames', {n: item.frames})));
    let picture = '';
    if (item.picture) {
        page[`note.${name}.alt`] = both(item.notes, (n, words) => say(words, 'frame_label', {
            title: n.title, n: item.shown, total: item.frames, caption: n.captions[item.shown - 1]}));
        picture = `<img src="${item.picture}" data-t-alt="note.${name}.alt" width="800" ` +
                  'height="600">';
    }
    return [
        '<li>',
        `  <a href="${link}" tabindex="-1">${picture}</a>`,
        `  <h3><a href="${link}" data-t="note.${name}.title"></a></h3>`,
        `  <p class="name"><code>${name}</code></p>`,
        `  <p class="about" data-t="note.${name}.about"></p>`,
        `  <p data-t="note.${name}.frames"></p>`,
        '</li>'].join('\n');
}

function write_gallery(site, items) {
    const page = {};
    const families = FAMILIES.concat([...new Set(items.map(i => i.family))]
        .filter(f => !FAMILIES.includes(f)));
    const sections = families.map(folder => {
        const members = items.filter(item => item.family === folder);
        if (!members.length)
            return '';
        const known = `family.${folder}` in STRINGS.en;
        return `<section class="family" id="${folder}">
<h2${known ? ` data-t="family.${folder}">` : `>${escape_html(folder)}`}</h2>
${known ? `<p data-t="family.${folder}.about"></p>\n` : ''}<ul class="gallery">
${members.map(item => gallery_item(item, page)).join('\n')}
</ul>
</section>`;
    }).filter(Boolean).join('\n');
    write_page(path.join(site, 'index.html'), `<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title data-t="site_title"></title>
<link rel="stylesheet" href="site.css">
</head>
<body>
<header>
@SWITCH@
<h1 data-t="site_title"></h1>
</header>
<main>
<p class="intro" data-t="intro"></p>
<p class="intro explore"><a href="explore.html" data-t="explore_link"></a><span data-t="explore_intro"></span></p>
${sections}
</main>
<script type="application/json" id="page-words">@WORDS@</script>
<script>@STRINGS@</script>
</body>
</html>
`, {}, page);
}

function write_site(source, site, entries, font, notes_tool, presets_tool) {
    fs.mkdirSync(path.join(site, 'pictures'), {recursive: true});
    for (const file of ['shell.js', 'page.js', 'explorer.js', 'site.css'])
        fs.copyFileSync(path.join(here, file), path.join(site, file));
    const template = fs.readFileSync(path.join(here, 'page.html'), 'utf8');
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
        for (const language of LANGUAGES)
            if (notes[language] && notes[language].captions.length !== frames)
                throw new Error(`${file}: ${notes[language].captions.length} frame captions ` +
                                `(${language}) for ${frames} kept pictures`);
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
        const page = {'note.title': both(notes, n => n.title),
                      'note.about': both(notes, n => n.about)};
        for (let n = 1; n <= frames; ++n)
            page[`note.caption.${n}`] = both(notes, n_ => n_.captions[n - 1]);
        write_page(path.join(site, `${name}.html`), template,
                   {PROGRAM: name, FRAMES: String(frames), FONT: font_style,
                    FONT_NAME: font_name || '', NOTES: script_json({presets: explored})}, page);
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
    write_explorer(site, presets, items,
                   read_notes(notes_tool, path.join(source, 'explore', 'tilings_explore.cpp')));
    write_gallery(site, items);
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
