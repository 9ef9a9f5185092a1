// Drives the window programs' pages in headless Chromium, for web_test.
//
//   node drive_pages.js SITE_DIR OUT_DIR CHECK PROGRAM...
//
// CHECK is what to do with each program's page:
//   sweep     serve SITE_DIR on a port of 127.0.0.1, open the page and step
//             through every frame by key, click, button and tap in turn
//             until the program ends; go back through them all with ←, to
//             the last again with End; run it again; open a link to the
//             last frame; find the page in the gallery; then open the page
//             from the folder (file://) and step through it by keys
//   keys      which keys step and which are the browser's: Tab, Shift+Tab,
//             modifier keys, Ctrl shortcuts, keys outside the player, Enter
//             on a button and on a link; ← → Home End PageUp PageDown
//   address   the address follows the frame; an edited address, Back and
//             Forward; copy link; "Explore this figure"; the gallery's link
//             to the explorer
//   download  the picture downloaded at a frame kept and at the latest one
//   fit       the page at 1280 x 800, 1024 x 650 and on a 390 x 844 touch
//             screen: the picture and controls in the window, 4:3, crisp;
//             44 px controls and tap hints on touch; a tap steps and a
//             pinch does not; full screen; printing
//   errors    the page's sentence when its script is missing (from a
//             folder), damaged, or never arrives
// and, with the program "explore", what to do with the explorer's page:
//   explore_presets  each preset, served (by its address) and from the
//             folder (by the preset list): the canvas it shows
//   explore_inputs   served and from the folder: garbage in the address;
//             the keys, the wheel and a drag against the state they must
//             give; the address following it, Back and Forward, a reload;
//             the download
//   explore_fit      the page at 1280 x 800, 1024 x 650 and on a 390 x 844
//             touch screen, without scrolling sideways; a pinch zooms
//   explore_exports  each export button at a preset of each family and at
//             deep views, each file named for the state
//   explore_announce what the explorer says to a screen reader after a
//             key, a long drag and turns of the wheel
// and, for both languages:
//   words     (any program) each key of the tables in both languages, with
//             the same {names}; each key the built pages and scripts name
//   french    a program's page in French: its title, description and each
//             frame's caption, as the status line and the picture's name
//   languages the switch at frame 3, served and from the folder: the frame
//             stays, in the other language, and the explorer's state;
//             ?lang= first, then the browser's languages, then English
//   accessible (a program, index or explore) in each language: <html
//             lang>, axe-core's serious and critical findings, and every
//             stop of Tab with its focus shown
// It writes canvases as OUT_DIR/LABEL.rgba (800 x 600 x RGBA, row by row)
// and downloads as OUT_DIR/LABEL.png, screenshots of `fit` as
// OUT_DIR/fit_*.png (explore_fit_*.png), and writes to standard output,
// one line each:
//   shown PROGRAM LABEL N       LABEL.rgba (or LABEL.png) is what frame N
//                               (of PROGRAM) showed, or must show
//   frames PROGRAM N            the frames shown before the program ended
//   gallery PROGRAM N           the frame the gallery's picture shows
//   export explore FILE FORMAT PAPER STATE   OUT_DIR/FILE is what the
//                               button (svg, cut, csv, pdf) wrote for STATE
//   timing PROGRAM N BY FROM DRAWN PAINTED WAITED   ms from the input (BY:
//                               key, click, button, tap, back, hash; load,
//                               from the page's start) to frame N on the
//                               canvas, and to the browser's next picture
//                               after it; FROM is program (drawn by it) or
//                               store; WAITED, of DRAWN, the time the input
//                               waited for the page to take it
//   problem PROGRAM TEXT        anything the page did wrong
// Chromium is /usr/bin/chromium unless CHROMIUM names another.
'use strict';
const fs = require('fs');
const path = require('path');
const {serve, launch_browser} = require('./site_server');

const [site_dir, out_dir, check, ...programs] = process.argv.slice(2);
const out = path.resolve(out_dir);
const site = path.resolve(site_dir);
const STEP_TIMEOUT = 20000;
function report(...fields) {
    console.log(fields.join(' '));
}

async function state(page) {
    return page.evaluate(() => {
        const status = document.getElementById('status');
        const focus = document.activeElement;
        return {frame: Number(status.dataset.frame), frames: Number(status.dataset.frames),
                ended: status.dataset.ended, text: status.textContent.trim(),
                ended_shown: !document.getElementById('ended').hidden,
                hash: location.hash, history: history.length,
                focus: focus ? (focus.id || focus.tagName.toLowerCase()) : '',
                in_player: !!(focus && focus.closest('#player'))};
    });
}

async function wait_for_frame(page, n, or_end) {
    await page.waitForFunction(([n, or_end]) => {
        const status = document.getElementById('status');
        return Number(status.dataset.frame) === n || (or_end && status.dataset.ended === 'true');
    }, [n, or_end], {timeout: STEP_TIMEOUT});
}

async function canvas_pixels(page) {
    const base64 = await page.evaluate(() => {
        const canvas = document.getElementById('canvas');
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let text = '';
        for (let i = 0; i < data.length; i += 0x8000)
            text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
        return btoa(text);
    });
    return Buffer.from(base64, 'base64');
}

// Writes the canvas as LABEL.rgba and says which native frame it must be.
async function save_shown(page, program, label, n) {
    const pixels = await canvas_pixels(page);
    fs.writeFileSync(path.join(out, `${label}.rgba`), pixels);
    report('shown', program, label, n);
    return pixels;
}

async function report_timings(page, program) {
    await page.evaluate(() => new Promise(resolve =>
        requestAnimationFrame(() => requestAnimationFrame(resolve))));
    const timings = await page.evaluate(() => Module.tilings.timings);
    for (const t of timings)
        report('timing', program, t.frame, t.by, t.from, t.drawn.toFixed(1),
               t.painted === undefined ? '-' : t.painted.toFixed(1), t.waited.toFixed(1));
}

// The timing of the frame shown last.
async function last_timing(page) {
    return page.evaluate(() => Module.tilings.timings.slice(-1)[0]);
}

async function new_page(browser, options, errors) {
    const context = await browser.newContext(options);
    const page = await context.newPage();
    page.on('pageerror', error => errors.push(error.message));
    return page;
}

function label(program, kind, n) {
    return `${program}_${kind}_${String(n).padStart(2, '0')}`;
}

// Key, click, button and tap in turn.
const STEPS = [
    page => page.keyboard.press('ArrowRight'),
    page => page.click('#canvas', {position: {x: 200, y: 150}}),
    page => page.click('#next'),
    page => page.tap('#canvas', {position: {x: 300, y: 100}}),
    page => page.keyboard.press('PageDown'),
];

async function sweep(browser, base, program) {
    const problem = text => report('problem', program, text);
    const errors = [];
    let page = await new_page(browser, {viewport: {width: 1280, height: 800}, hasTouch: true},
                              errors);
    await page.goto(`${base}/${program}.html`);
    await wait_for_frame(page, 1, false);

    const size = await page.evaluate(() => {
        const canvas = document.getElementById('canvas');
        return [canvas.width, canvas.height];
    });
    if (size.join() !== '800,600')
        problem(`the canvas is ${size[0]} x ${size[1]}`);
    const first = await state(page);
    if (!first.in_player)
        problem(`the player does not have the focus when the page opens (${first.focus} has)`);

    // Moving the mouse, turning the wheel and clicking beside the canvas
    // leave the first frame on show.
    await page.mouse.move(300, 300);
    await page.mouse.move(500, 400);
    await page.mouse.wheel(0, 100);
    await page.mouse.click(1270, 790);
    await page.waitForTimeout(300);
    if ((await state(page)).frame !== 1)
        problem('moving the mouse, the wheel or a click beside the canvas moved the page on');
    await page.focus('#player');

    const pixels = [];
    let n = 1;
    for (;;) {
        const now = await state(page);
        if (!now.text.startsWith(`Frame ${n} of ${now.frames}: `))
            problem(`frame ${n}: the status says "${now.text}"`);
        if (now.hash !== `#frame=${n}`)
            problem(`frame ${n}: the address ends in "${now.hash}"`);
        if (now.ended !== 'false' || now.ended_shown)
            problem(`frame ${n}: the page says it has ended before its last wait has`);
        // The next frame is drawn ahead with this one on show, which stays.
        if (n < now.frames)
            await page.waitForFunction(k => Module.tilings.ahead.some(a => a.frame === k), n + 1,
                                       {timeout: STEP_TIMEOUT});
        pixels.push(await save_shown(page, program, label(program, 'served', n), n));
        await STEPS[(n - 1) % STEPS.length](page);
        await wait_for_frame(page, n + 1, true);
        const after = await state(page);
        const {from} = await last_timing(page);
        if (n < now.frames && from !== 'store')
            problem(`frame ${n + 1} was drawn after the step (${from}), not ahead of it`);
        if (after.ended === 'true') {
            if (after.frames !== n)
                problem(`the program ended after ${n} frames; data-frames says ${after.frames}`);
            if (!after.ended_shown)
                problem('after the last frame the page does not say that the program has ended');
            break;
        }
        n += 1;
    }
    report('frames', program, n);

    // Back through every frame, from the page's store, exactly; End again.
    await page.focus('#player');
    for (let k = n - 1; k >= 1; --k) {
        await page.keyboard.press('ArrowLeft');
        await wait_for_frame(page, k, false);
        if (!(await canvas_pixels(page)).equals(pixels[k - 1]))
            problem(`← to frame ${k} shows other pixels than frame ${k} did`);
    }
    if (n > 1) {
        await page.keyboard.press('End');
        await wait_for_frame(page, n, false);
        if (!(await canvas_pixels(page)).equals(pixels[n - 1]))
            problem(`End after the program ended shows other pixels than frame ${n} did`);
    }
    await report_timings(page, program);

    // Running again starts at frame 1 with the same picture.
    await page.click('#again');
    await wait_for_frame(page, 1, false);
    const again = await state(page);
    if (again.ended !== 'false' || !again.text.startsWith(`Frame 1 of ${n}`))
        problem(`run again: the status says "${again.text}", data-ended ${again.ended}`);
    if (!(await canvas_pixels(page)).equals(pixels[0]))
        problem('run again: frame 1 differs from the first run\'s');
    await page.context().close();

    // A link to the last frame opens at it; the next key ends the program.
    page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
    await page.goto(`${base}/${program}.html#frame=${n}`);
    await wait_for_frame(page, n, false);
    const linked = await state(page);
    if (!linked.text.startsWith(`Frame ${n} of ${n}`) || linked.ended !== 'false')
        problem(`#frame=${n}: the status says "${linked.text}", data-ended ${linked.ended}`);
    await save_shown(page, program, `${program}_link`, n);
    await page.keyboard.press('Enter');
    await wait_for_frame(page, n + 1, true);
    if ((await state(page)).ended !== 'true')
        problem(`#frame=${n}: Enter at the last frame does not end the program`);

    // The gallery links the page at the frame its picture shows, says what
    // that picture shows, and names the figure as the page does.
    const title = await page.evaluate(() => [document.title,
                                             document.querySelector('h1').textContent.trim()]);
    if (title[0] !== title[1] || title[0].includes('_'))
        problem(`the page's title "${title[0]}" and heading "${title[1]}" do not name the figure`);
    await page.goto(`${base}/index.html`);
    const entry = await page.evaluate(name => {
        const item = [...document.querySelectorAll('.gallery li')]
                         .find(li => li.querySelector(`a[href^="${name}.html"]`));
        if (!item)
            return null;
        const picture = item.querySelector('img');
        const links = [...item.querySelectorAll('a')].map(a => a.getAttribute('href'));
        return {picture: picture && picture.complete ? picture.naturalWidth : 0,
                alt: picture ? picture.alt : '', links, family: item.closest('section').id,
                heading: item.querySelector('h3').textContent.trim()};
    }, program);
    if (!entry) {
        problem('the gallery does not link the page');
    } else {
        const frame = /#frame=(\d+)$/.exec(entry.links[0]);
        if (entry.picture !== 800)
            problem('the gallery shows no picture of it');
        if (!frame || new Set(entry.links).size !== 1)
            problem(`the gallery's links ${entry.links} do not all open the frame it shows`);
        else
            report('gallery', program, frame[1]);
        if (!frame || !entry.alt.includes(`frame ${frame[1]} of ${n}`) || entry.alt.length < 30)
            problem(`the gallery picture's alt text "${entry.alt}" does not say what it shows`);
        if (entry.heading !== title[1])
            problem(`the gallery calls it "${entry.heading}", the page "${title[1]}"`);
    }
    await page.context().close();

    // From the folder, stepped by keys alone.
    page = await new_page(browser, {viewport: {width: 1024, height: 650}}, errors);
    await page.goto(`file://${site}/${program}.html`);
    await wait_for_frame(page, 1, false);
    const keys = ['Space', 'Enter', 'ArrowRight', 'ArrowDown', 'PageDown'];
    let m = 1;
    for (;;) {
        await save_shown(page, program, label(program, 'file', m), m);
        await page.keyboard.press(keys[(m - 1) % keys.length]);
        await wait_for_frame(page, m + 1, true);
        if ((await state(page)).ended === 'true')
            break;
        m += 1;
    }
    if (m !== n)
        problem(`opened from the folder it shows ${m} frames, served ${n}`);
    await page.context().close();

    for (const error of errors)
        problem(`script error: ${error}`);
}

// Which keys step: only the picture's, only while the player has focus.
async function keys(browser, base, program) {
    const problem = text => report('problem', program, text);
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
    await page.goto(`${base}/${program}.html`);
    await wait_for_frame(page, 1, false);
    const frame = async () => (await state(page)).frame;
    const settle = () => page.waitForTimeout(250);

    for (const key of ['Shift', 'Control', 'Alt', 'Control+Equal', 'Control+Minus',
                       'Control+f', 'Escape', 'Backspace', 'Meta+ArrowRight', 'Shift+Space',
                       'a']) {
        await page.keyboard.press(key);
        await settle();
        if (await frame() !== 1)
            problem(`${key} moved the picture on`);
        await page.focus('#player');
    }

    // Tab goes through the controls to the links, Shift+Tab back to the
    // link above, each with its focus shown; none of it steps.
    const stops = [];
    for (let i = 0; i < 12; ++i) {
        await page.keyboard.press('Tab');
        const stop = await page.evaluate(() => {
            const e = document.activeElement;
            const style = getComputedStyle(e);
            return {name: e.id || `${e.tagName.toLowerCase()} ${e.getAttribute('href') || ''}`,
                    tag: e.tagName, outline: style.outlineStyle !== 'none' &&
                                             parseFloat(style.outlineWidth) >= 2};
        });
        stops.push(stop);
        if (stop.tag === 'A')
            break;
    }
    const names = stops.map(s => s.name).join(', ');
    for (const control of ['first', 'previous', 'next', 'last', 'download', 'copy'])
        if (!stops.some(s => s.name === control))
            problem(`Tab from the player passes over #${control} (${names})`);
    if (stops[stops.length - 1].tag !== 'A')
        problem(`Tab does not reach a link (${names})`);
    for (const s of stops.filter(s => !s.outline))
        problem(`${s.name} shows no focus`);
    await page.focus('#player');
    await page.keyboard.press('Shift+Tab');
    const above = await page.evaluate(() => document.activeElement.tagName);
    if (above !== 'A')
        problem(`Shift+Tab from the player reaches ${above}, not the link above it`);
    if (await frame() !== 1)
        problem('Tab or Shift+Tab moved the picture on');

    // Keys outside the player leave the picture alone.
    await page.click('h1');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('Space');
    await settle();
    if (await frame() !== 1)
        problem('a key with the focus outside the player moved the picture on');

    // The picture's keys, both ways.
    await page.focus('#player');
    const shown = {};
    const press = async (key, n) => {
        await page.keyboard.press(key);
        await wait_for_frame(page, n, false);
        const pixels = await canvas_pixels(page);
        if (shown[n] && !pixels.equals(shown[n]))
            problem(`${key} to frame ${n} shows other pixels than frame ${n} did`);
        shown[n] = shown[n] || pixels;
    };
    await press('ArrowRight', 2);
    await press('Space', 3);
    await press('ArrowLeft', 2);
    await save_shown(page, program, `${program}_keys_back`, 2);
    await press('ArrowDown', 3);
    await press('PageDown', 4);
    await press('PageUp', 3);
    await press('ArrowUp', 2);
    await press('Home', 1);
    await press('End', frame_count(await state(page)));
    const last = (await state(page)).frame;
    await save_shown(page, program, `${program}_keys_end`, last);
    await press('Home', 1);
    await press('Enter', 2);

    // Enter on a button is that button, once.
    await page.focus('#previous');
    await page.keyboard.press('Enter');
    await wait_for_frame(page, 1, false);
    await settle();
    if (await frame() !== 1)
        problem('Enter on the previous button did not go back one frame');
    // Enter on a link follows it.
    await page.focus('a.back');
    await page.keyboard.press('Enter');
    await page.waitForURL(/index\.html$/, {timeout: STEP_TIMEOUT}).catch(() =>
        problem('Enter on "All the tilings" does not open the gallery'));
    for (const error of errors)
        problem(`script error: ${error}`);
    await page.context().close();
}

function frame_count(s) {
    return s.frames;
}

// The address follows the frame, and an edited one leads.
async function address(browser, base, program) {
    const problem = text => report('problem', program, text);
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
    await page.context().grantPermissions(['clipboard-read', 'clipboard-write'],
                                          {origin: base});
    await page.goto(`${base}/${program}.html`);
    await wait_for_frame(page, 1, false);
    const start = await state(page);
    await page.keyboard.press('ArrowRight');
    await wait_for_frame(page, 2, false);
    await page.keyboard.press('ArrowRight');
    await wait_for_frame(page, 3, false);
    let now = await state(page);
    if (now.hash !== '#frame=3')
        problem(`at frame 3 the address ends in "${now.hash}"`);
    if (now.history !== start.history)
        problem('stepping added entries to the history');
    await page.keyboard.press('ArrowLeft');
    await wait_for_frame(page, 2, false);
    if ((await state(page)).hash !== '#frame=2')
        problem('going back does not change the address');

    // An edited address: on to a frame not yet seen, back to one seen.
    await page.evaluate(() => { location.hash = '#frame=5'; });
    await wait_for_frame(page, 5, false);
    await save_shown(page, program, `${program}_hash_on`, 5);
    await page.evaluate(() => { location.hash = '#frame=1'; });
    await wait_for_frame(page, 1, false);
    await page.goBack();
    await wait_for_frame(page, 5, false);
    await save_shown(page, program, `${program}_hash_back`, 5);
    await page.goForward();
    await wait_for_frame(page, 1, false);
    await save_shown(page, program, `${program}_hash_forward`, 1);
    now = await state(page);
    if (!now.text.startsWith('Frame 1 of'))
        problem(`after Forward the status says "${now.text}"`);

    // Copy link copies the address of the frame on show.
    await page.focus('#player');
    await page.keyboard.press('ArrowRight');
    await wait_for_frame(page, 2, false);
    await page.click('#copy');
    await page.waitForTimeout(200);
    const copied = await page.evaluate(() => navigator.clipboard.readText()).catch(e => e.message);
    if (copied !== `${base}/${program}.html#frame=2`)
        problem(`copy link copied "${copied}"`);

    // "Explore this figure" opens the frame on show in the explorer, which
    // draws it as the program does; the gallery links the explorer too.
    await page.click('#explore a');
    await page.waitForFunction(() => Number(document.getElementById('status').dataset.drawn) > 0,
                               null, {timeout: STEP_TIMEOUT});
    await save_shown(page, program, `${program}_explored`, 2);
    await page.goto(`${base}/index.html`);
    if (!await page.$('a[href="explore.html"]'))
        problem('the gallery does not link the explorer');
    for (const error of errors)
        problem(`script error: ${error}`);
    await page.context().close();
}

// Downloads at a kept frame (after going back) and at the latest.
async function download(browser, base, program) {
    const problem = text => report('problem', program, text);
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800},
                                          acceptDownloads: true}, errors);
    await page.goto(`${base}/${program}.html`);
    await wait_for_frame(page, 1, false);
    for (const key of ['ArrowRight', 'ArrowRight', 'ArrowLeft', 'DOWNLOAD', 'ArrowRight',
                       'DOWNLOAD']) {
        if (key !== 'DOWNLOAD') {
            await page.keyboard.press(key);
            continue;
        }
        const n = (await state(page)).frame;
        const [file] = await Promise.all([page.waitForEvent('download'),
                                          page.click('#download')]);
        const name = `${program}_${String(n).padStart(2, '0')}`;
        if (file.suggestedFilename() !== `${name}.png`)
            problem(`the download at frame ${n} is named ${file.suggestedFilename()}`);
        await file.saveAs(path.join(out, `${name}_download.png`));
        report('shown', program, `${name}_download`, n);
        await page.focus('#player');
    }
    for (const error of errors)
        problem(`script error: ${error}`);
    await page.context().close();
}

// What lies outside the window, of the picture and the controls.
async function outside(page) {
    return page.evaluate(() => {
        const found = [];
        const parts = ['#canvas', '#first', '#previous', '#count', '#next', '#last',
                       '#fullscreen', '#download', '#copy', '#status'];
        for (const selector of parts) {
            const e = document.querySelector(selector);
            if (!e || e.hidden)
                continue;
            const r = e.getBoundingClientRect();
            if (r.width === 0 || r.left < 0 || r.top < 0 || r.right > innerWidth + 0.5 ||
                r.bottom > innerHeight + 0.5)
                found.push(`${selector} at ${Math.round(r.left)},${Math.round(r.top)} ` +
                           `${Math.round(r.width)} x ${Math.round(r.height)}`);
        }
        return found;
    });
}

// The screens the pages must fit.
const SCREENS = [
    {name: 'desktop', options: {viewport: {width: 1280, height: 800}}},
    {name: 'projector', options: {viewport: {width: 1024, height: 650}}},
    {name: 'phone', options: {viewport: {width: 390, height: 844}, deviceScaleFactor: 3,
                              isMobile: true, hasTouch: true}},
];

async function fit(browser, base, program) {
    const problem = text => report('problem', program, text);
    const errors = [];
    for (const screen of SCREENS) {
        const page = await new_page(browser, screen.options, errors);
        const where = text => problem(`${screen.name}: ${text}`);
        await page.goto(`${base}/${program}.html`);
        await wait_for_frame(page, 1, false);
        for (const part of await outside(page))
            where(`${part} is outside the ${screen.options.viewport.width} x ` +
                  `${screen.options.viewport.height} window`);
        const look = await page.evaluate(() => {
            const canvas = document.getElementById('canvas');
            const r = canvas.getBoundingClientRect();
            const small = [...document.querySelectorAll('#player button')].filter(b => {
                const s = b.getBoundingClientRect();
                return !b.hidden && (s.width < 44 || s.height < 44);
            }).map(b => b.id);
            const visible = s => getComputedStyle(document.querySelector(s)).display !== 'none';
            return {width: r.width, height: r.height, rendering: getComputedStyle(canvas).imageRendering,
                    small, taps: visible('#hint .taps'), keys: visible('#hint .keys')};
        });
        if (Math.abs(look.width * 3 - look.height * 4) > 4 || look.width < 300)
            where(`the picture is shown at ${look.width} x ${look.height}`);
        if (look.rendering !== 'pixelated')
            where(`the picture is drawn with image-rendering ${look.rendering}`);
        if (look.small.length)
            where(`buttons smaller than 44 px: ${look.small.join(', ')}`);
        const touch = !!screen.options.hasTouch;
        if (look.taps !== touch || look.keys === touch)
            where(`the hint speaks of ${look.taps ? 'taps' : 'keys'}`);
        await page.screenshot({path: path.join(out, `fit_${screen.name}.png`)});

        if (touch) {
            // A tap steps; a two-finger touch (a pinch) does not.
            await page.tap('#canvas');
            await wait_for_frame(page, 2, false);
            const {by} = await last_timing(page);
            if (by !== 'tap')
                where(`a tap was taken as ${by}`);
            const cdp = await page.context().newCDPSession(page);
            const box = await page.locator('#canvas').boundingBox();
            const at = (dx) => ({x: box.x + box.width / 2 + dx, y: box.y + box.height / 2});
            await cdp.send('Input.dispatchTouchEvent',
                           {type: 'touchStart', touchPoints: [at(-20), at(20)]});
            for (const d of [30, 45, 60])
                await cdp.send('Input.dispatchTouchEvent',
                               {type: 'touchMove', touchPoints: [at(-d), at(d)]});
            await cdp.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
            await page.waitForTimeout(400);
            if ((await state(page)).frame !== 2)
                where('a pinch moved the picture on');
        } else if (screen.name === 'desktop') {
            // Full screen: the picture and controls fill the screen.
            await page.click('#fullscreen');
            await page.waitForFunction(() => document.fullscreenElement !== null,
                                       null, {timeout: 5000}).catch(() => {});
            if (await page.evaluate(() => document.fullscreenElement &&
                                          document.fullscreenElement.id) !== 'player') {
                where('the full-screen button does not show the player on the whole screen');
            } else {
                await page.waitForTimeout(200);
                await page.screenshot({path: path.join(out, 'fit_fullscreen.png')});
                for (const part of await outside(page))
                    where(`full screen: ${part} is outside the screen`);
                await page.click('#fullscreen');
                await page.waitForFunction(() => document.fullscreenElement === null,
                                           null, {timeout: 5000}).catch(() =>
                    where('the button does not leave full screen'));
            }
            // Printing: the picture, title, caption and link only.
            await page.emulateMedia({media: 'print'});
            const printed = await page.evaluate(() => {
                const shown = s => {
                    const e = document.querySelector(s);
                    return !!e && e.getClientRects().length > 0 &&
                           getComputedStyle(e).visibility !== 'hidden';
                };
                return {must: ['h1', '#canvas', '#status', '.link'].filter(s => !shown(s)),
                        must_not: ['.controls', '#hint', '.program', '#ended'].filter(shown),
                        link: document.querySelector('.link').textContent};
            });
            await page.screenshot({path: path.join(out, 'fit_print.png'), fullPage: true});
            if (printed.must.length)
                where(`printing leaves out ${printed.must.join(', ')}`);
            if (printed.must_not.length)
                where(`printing includes ${printed.must_not.join(', ')}`);
            if (!printed.link.includes(`${program}.html#frame=1`))
                where(`the printed link says "${printed.link}"`);
        }
        await page.context().close();
    }
    for (const error of errors)
        problem(`script error: ${error}`);
}

// The sentence a page shows when it cannot run its program, and when.
async function errors(browser, base, program) {
    const problem = text => report('problem', program, text);
    const cases = [
        {name: 'missing from the folder', sentence: /\.js\b.*missing.*copy the whole folder/i},
        {name: 'damaged', sentence: /damaged.*copy the whole folder/i},
        {name: 'never arriving', sentence: /did not start in time/i},
    ];
    const folder = path.join(out, 'folder');
    fs.mkdirSync(folder, {recursive: true});
    for (const file of [`${program}.html`, 'shell.js', 'page.js', 'site.css'])
        fs.copyFileSync(path.join(site, file), path.join(folder, file));
    for (const c of cases) {
        const page = await (await browser.newContext()).newPage();
        const started = Date.now();
        if (c.name === 'damaged') {
            await page.route(`**/${program}.js`, async route => {
                const code = fs.readFileSync(path.join(site, `${program}.js`), 'utf8');
                await route.fulfill({contentType: 'text/javascript',
                                     body: code.replace(/AGFzbQ/g, 'AAAAAA')});
            });
        } else if (c.name === 'never arriving') {
            await page.route(`**/${program}.js`, () => {});
        }
        const url = c.name === 'missing from the folder' ? `file://${folder}/${program}.html`
                                                         : `${base}/${program}.html`;
        await page.goto(url, {waitUntil: 'domcontentloaded'});
        const said = await page.waitForFunction(() => {
            const p = document.getElementById('problem');
            return !p.hidden && p.textContent;
        }, null, {timeout: 12000}).then(h => h.jsonValue()).catch(() => null);
        const seconds = (Date.now() - started) / 1000;
        if (!said)
            problem(`${c.name}: the page said nothing within 12 s`);
        else if (!c.sentence.test(said) || /wasm|abort|runtime|cors/i.test(said))
            problem(`${c.name}: the page says "${said}"`);
        else if (seconds > 10.5)
            problem(`${c.name}: the page took ${seconds.toFixed(1)} s to say so`);
        else if ((said.match(/[.!?](\s|$)/g) || []).length !== 1)
            problem(`${c.name}: "${said}" is not one sentence`);
        await page.context().close();
    }
}

// --- The explorer's page ----------------------------------------------------

// The explorer's state as the page shows it; `drawn` pictures so far.
async function explorer(page) {
    return page.evaluate(() => {
        const status = document.getElementById('status');
        const problem = document.getElementById('problem');
        return {state: status.dataset.state, drawn: Number(status.dataset.drawn),
                hash: location.hash, history: history.length,
                problem: problem.hidden ? null : problem.textContent,
                problem_html: problem.children.length};
    });
}

// Does `act`, then waits until the page has drawn what it asked for (a
// page that `loads` anew, its first picture), and the address has followed.
async function explored(page, act, loads = false) {
    const drawn = loads ? 0 : (await explorer(page)).drawn;
    await act();
    await page.waitForFunction(n => Number(document.getElementById('status').dataset.drawn) > n,
                               drawn, {timeout: STEP_TIMEOUT}).catch(async () => {
        const now = await explorer(page);
        throw new Error(`nothing was drawn after ${act.toString().replace(/\s+/g, ' ')} ` +
                        `("${now.state}", ${now.drawn} drawn)`);
    });
    await page.evaluate(() => new Promise(resolve =>
        requestAnimationFrame(() => requestAnimationFrame(resolve))));
    await page.waitForFunction(() => location.hash ===
                                     `#${document.getElementById('status').dataset.state}`,
                               null, {timeout: STEP_TIMEOUT}).catch(async () => {
        const now = await explorer(page);
        throw new Error(`the address "${now.hash}" did not follow the state "${now.state}"`);
    });
    return explorer(page);
}

const ORIGINS = [['served', base => `${base}/explore.html`],
                 ['file', () => `file://${site}/explore.html`]];

async function explore_presets(browser, base) {
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
    for (const [origin, url] of ORIGINS) {
        await explored(page, () => page.goto(url(base)), true);
        const presets = await page.evaluate(() =>
            JSON.parse(document.getElementById('presets').textContent));
        if (presets.length < 25)
            report('problem', 'explore', `only ${presets.length} presets`);
        for (const p of presets) {
            // Served by the address, from the folder by the list (a frame
            // the same as the one before is on show already).
            const by = origin === 'served'
                ? () => page.evaluate(state => { location.hash = state; }, p.state)
                : () => page.selectOption('#preset', p.state);
            const same = (await explorer(page)).state === p.state;
            const now = same ? await explorer(page) : await explored(page, by);
            if (now.state !== p.state || now.problem !== null)
                report('problem', 'explore', `${origin} ${p.program} ${p.frame}: the page shows ` +
                       `"${now.state}" (${now.problem})`);
            await save_shown(page, p.program, `explore_${origin}_${p.program}_${p.frame}`,
                             p.frame);
        }
    }
    for (const error of errors)
        report('problem', 'explore', `script error: ${error}`);
    await page.context().close();
}

async function explore_inputs(browser, base) {
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800},
                                          acceptDownloads: true}, errors);
    for (const [origin, url] of ORIGINS) {
        const problem = text => report('problem', 'explore', `${origin}: ${text}`);
        // Garbage in the address: a picture, and one line of text saying
        // what was changed, which the address then leaves out.
        const garbage = '#family=fivesplit&ratio=nan&zoom=1e999&depth=%3Cb%3E9%3C/b%3E&what=1';
        let now = await explored(page, () => page.goto(url(base) + garbage), true);
        if (!now.problem || /\n/.test(now.problem) || now.problem_html || !now.state)
            problem(`for ${garbage} the page says "${now.problem}", shows "${now.state}"`);
        const reloaded = await explored(page, () => page.reload(), true);
        if (reloaded.state !== now.state || reloaded.problem !== null)
            problem(`reloaded, the page shows "${reloaded.state}" (${reloaded.problem}), ` +
                    `not "${now.state}"`);

        // The keys, wheel and drag from the chair's home view, where a model
        // unit is 512 pixels at zoom 1.
        now = await explored(page, () => page.goto(url(base)), true);
        const history = now.history;
        const value = (s, key) => Number(new URLSearchParams(s.state).get(key));
        const expect = (what, s, want) => {
            for (const [key, v] of Object.entries(want))
                if (Math.abs(value(s, key) - v) > 1e-9 * Math.max(1, Math.abs(v)))
                    problem(`${what}: ${key} is ${value(s, key)}, not ${v} ("${s.state}")`);
            if (s.history !== history)
                problem(`${what}: the history grew to ${s.history} entries`);
        };
        const press = key => explored(page, () => page.keyboard.press(key));
        const steps = [['BracketRight', {depth: 4}], ['BracketLeft', {depth: 3}],
                       ['PageDown', {depth: 4}], ['PageUp', {depth: 3}],
                       ['Equal', {zoom: 2}], ['Shift+Equal', {zoom: 4}], ['Minus', {zoom: 2}],
                       ['ArrowRight', {x: 0.5 + 100 / 1024, y: 0.5}],
                       ['ArrowUp', {x: 0.5 + 100 / 1024, y: 0.5 + 75 / 1024}],
                       ['Home', {zoom: 1, x: 0.5, y: 0.5, depth: 3}]];
        for (const [key, want] of steps)
            expect(key, await press(key), want);
        // The wheel keeps the point under the pointer; a drag moves the view
        // with it.
        const box = await page.locator('#canvas').boundingBox();
        const at = (column, row) => [Math.round(box.x + column * box.width / 800),
                                     Math.round(box.y + row * box.height / 600)];
        const pixel = ([px, py]) => [(px - box.x) * 800 / box.width,
                                     (py - box.y) * 600 / box.height];
        const [wx, wy] = at(600, 150);
        await page.mouse.move(wx, wy);
        now = await explored(page, () => page.mouse.wheel(0, -100));
        const [c, r] = pixel([wx, wy]);
        const zoom = Math.pow(2, 0.25), scale = 512 * zoom;
        expect('a wheel notch', now, {zoom, x: 0.5 + (c - 400) / 512 - (c - 400) / scale,
                                      y: 0.5 - (r - 300) / 512 + (r - 300) / scale});
        // A long drag, of more pictures than the browser lets a page change
        // its address in 10 s: the address still follows.
        const from = at(300, 300), to = at(420, 240);
        const [dx, dy] = [pixel(to)[0] - pixel(from)[0], pixel(to)[1] - pixel(from)[1]];
        const [x, y] = [value(now, 'x'), value(now, 'y')];
        await page.mouse.move(...from);
        now = await explored(page, async () => {
            await page.mouse.down();
            await page.mouse.move(...to, {steps: 250});
            await page.mouse.up();
        });
        expect('a drag', now, {x: x - dx / scale, y: y + dy / scale, zoom});

        // An address edited by hand, Back and Forward.
        const presets = await page.evaluate(() =>
            JSON.parse(document.getElementById('presets').textContent));
        const [a, b] = [presets[0], presets[presets.length - 1]];
        await explored(page, () => page.evaluate(s => { location.hash = s; }, a.state));
        await explored(page, () => page.evaluate(s => { location.hash = s; }, b.state));
        if ((now = await explored(page, () => page.goBack())).state !== a.state)
            problem(`Back shows "${now.state}", not "${a.state}"`);
        if ((now = await explored(page, () => page.goForward())).state !== b.state)
            problem(`Forward shows "${now.state}", not "${b.state}"`);

        // The download at a preset: its program's frame.
        await explored(page, () => page.evaluate(s => { location.hash = s; }, a.state));
        const [file] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
        const q = new URLSearchParams(a.state);
        const name = `explore_${q.get('family')}_${q.get('colour')}_d${q.get('depth')}.png`;
        if (file.suggestedFilename() !== name)
            problem(`the download is named ${file.suggestedFilename()}, not ${name}`);
        await file.saveAs(path.join(out, `explore_${origin}_download.png`));
        report('shown', a.program, `explore_${origin}_download`, a.frame);
    }
    for (const error of errors)
        report('problem', 'explore', `script error: ${error}`);
    await page.context().close();
}

async function explore_fit(browser, base) {
    const errors = [];
    for (const screen of SCREENS) {
        const problem = text => report('problem', 'explore', `${screen.name}: ${text}`);
        const page = await new_page(browser, screen.options, errors);
        // In French, at the colouring with the longest name of all.
        await explored(page, () => page.goto(`${base}/explore.html?lang=fr#family=fivesplit&colour=child`),
                       true);
        // Against the screen's width, not innerWidth: a phone's browser
        // widens its layout to a page wider than the screen.
        const look = await page.evaluate(width => {
            const wide = [...document.querySelectorAll('#canvas, #explorer button, select, input')]
                .filter(e => e.offsetParent && e.getBoundingClientRect().right > width + 0.5)
                .map(e => e.id || e.tagName);
            const r = document.getElementById('canvas').getBoundingClientRect();
            return {wide, scroll: document.documentElement.scrollWidth - width,
                    width: r.width, height: r.height, below: r.bottom > innerHeight};
        }, screen.options.viewport.width);
        if (look.wide.length || look.scroll > 0)
            problem(`wider than the window: ${look.wide.join(', ')} (${look.scroll} px)`);
        if (Math.abs(look.width * 3 - look.height * 4) > 4 || look.width < 300 || look.below)
            problem(`the picture is shown at ${look.width} x ${look.height}`);
        await page.screenshot({path: path.join(out, `explore_fit_${screen.name}.png`)});
        if (screen.options.hasTouch) {
            // Two fingers parting zoom in.
            const cdp = await page.context().newCDPSession(page);
            const box = await page.locator('#canvas').boundingBox();
            const at = dx => ({x: box.x + box.width / 2 + dx, y: box.y + box.height / 2});
            const now = await explored(page, async () => {
                await cdp.send('Input.dispatchTouchEvent',
                               {type: 'touchStart', touchPoints: [at(-20), at(20)]});
                for (const d of [30, 45, 60])
                    await cdp.send('Input.dispatchTouchEvent',
                                   {type: 'touchMove', touchPoints: [at(-d), at(d)]});
                await cdp.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
            });
            const zoom = Number(new URLSearchParams(now.state).get('zoom'));
            if (Math.abs(zoom - 3) > 0.01)
                problem(`a pinch from 40 to 120 px apart zoomed ${zoom} times, not 3`);
        }
        await page.context().close();
    }
    for (const error of errors)
        report('problem', 'explore', `script error: ${error}`);
}

// A preset of each family, a view of 100,000 tiles, and one zoomed a
// million times.
const EXPORTED = ['preset=chair_grey_zoom', 'preset=tri_axis_edges',
                  'preset=fivesplit_child_colours_zoom',
                  'family=triangle&colour=shaded&depth=11&zoom=2.6',
                  'family=fivesplit&colour=child&ratio=0.7&depth=22&zoom=1e6&x=62.6&y=12.3'];
async function explore_exports(browser, base) {
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800},
                                          acceptDownloads: true}, errors);
    await explored(page, () => page.goto(`${base}/explore.html`), true);
    for (const [i, state] of EXPORTED.entries()) {
        const now = await explored(page, () => page.evaluate(s => { location.hash = s; }, state));
        const paper = ['A4', 'A3', 'A2'][i % 3];
        await page.selectOption('#paper', paper);
        const q = new URLSearchParams(now.state);
        const stem = `explore_${q.get('family')}_${q.get('colour')}_d${q.get('depth')}`;
        const names = {svg: '.svg', cut: '_cut.svg', csv: '.csv', pdf: `_${paper}.pdf`};
        for (const [format, ending] of Object.entries(names)) {
            // Chromium drops the eleventh download a page starts within a
            // second.
            await page.waitForTimeout(120);
            const [file] = await Promise.all([page.waitForEvent('download'),
                                              page.click(`#export-${format}`)]);
            if (file.suggestedFilename() !== stem + ending)
                report('problem', 'explore', `${state}: ${format} is named ` +
                       `${file.suggestedFilename()}, not ${stem}${ending}`);
            await file.saveAs(path.join(out, `${i}_${stem}${ending}`));
            report('export', 'explore', `${i}_${stem}${ending}`, format, paper, now.state);
        }
    }
    for (const error of errors)
        report('problem', 'explore', `script error: ${error}`);
    await page.context().close();
}

async function explore_announce(browser, base) {
    const problem = text => report('problem', 'explore', text);
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
    await explored(page, () => page.goto(`${base}/explore.html`), true);
    await page.evaluate(() => {
        const spoken = document.getElementById('announce');
        window.said = [];
        new MutationObserver(records => records.forEach(() => said.push(spoken.textContent)))
            .observe(spoken, {childList: true, characterData: true, subtree: true});
    });
    const heard = async (what, drawn) => {
        await page.waitForTimeout(600);
        const now = await page.evaluate(() => [window.said.splice(0),
            document.getElementById('status').textContent,
            Number(document.getElementById('status').dataset.drawn)]);
        if (now[0].length !== 1 || now[0][0] !== now[1] || now[2] < drawn)
            problem(`${what} drew ${now[2] - drawn + 1} pictures and said ${JSON.stringify(now[0])}`);
    };
    let drawn = (await explorer(page)).drawn;
    await page.keyboard.press('PageDown');
    await heard('a key', drawn + 1);
    const box = await page.locator('#canvas').boundingBox();
    const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
    drawn = (await explorer(page)).drawn;
    await page.mouse.move(x, y);
    await page.mouse.down();
    await page.mouse.move(x + 150, y + 60, {steps: 40});
    await page.waitForTimeout(300);
    if ((await page.evaluate(() => window.said.length)) !== 0)
        problem('the page spoke while the picture was dragged');
    await page.mouse.up();
    await heard('a drag', drawn + 10);
    drawn = (await explorer(page)).drawn;
    for (let i = 0; i < 5; ++i) {
        await page.mouse.wheel(0, -100);
        await page.waitForTimeout(60);
    }
    await heard('five notches of the wheel', drawn + 5);
    for (const error of errors)
        problem(`script error: ${error}`);
    await page.context().close();
}

// --- Both languages, and every reader ----------------------------------------

function words(browser, base, program) {
    const problem = text => report('problem', 'words', text);
    const {LANGUAGES, STRINGS} = require(path.join(__dirname, '..', '..', 'web', 'strings.js'));
    const names = text => (String(text).match(/\{\w+\}/g) || []).sort().join();
    const agree = (where, tables) => {
        for (const key of new Set(LANGUAGES.flatMap(l => Object.keys(tables[l] || {}))))
            for (const l of LANGUAGES)
                if (!tables[l] || !(key in tables[l]))
                    problem(`${where}: "${key}" has no ${l}`);
                else if (names(tables[l][key]) !== names(tables.en[key]))
                    problem(`${where}: "${key}" in ${l} fills in ${names(tables[l][key])}`);
    };
    agree('strings.js', STRINGS);
    for (const file of fs.readdirSync(site).filter(f => f.endsWith('.html'))) {
        const html = fs.readFileSync(path.join(site, file), 'utf8');
        const page = JSON.parse(/id="page-words">(.*?)<\/script>/s.exec(html)[1]);
        agree(file, page);
        // Its own elements' keys, and those its scripts (shell.js, page.js,
        // explorer.js) name.
        const scripts = [...html.matchAll(/<script src="([\w.]+)"/g)]
            .map(m => fs.readFileSync(path.join(site, m[1]), 'utf8')).join('\n');
        const used = [...html.replace(/<script>[^]*?<\/script>/g, '')
                             .matchAll(/data-t(?:-\w+)?="([^"]+)"/g),
                      ...scripts.matchAll(/\b(?:t|say)\('([\w.]+)'/g)].map(m => m[1]);
        for (const key of used)
            for (const l of LANGUAGES)
                if (!(key in STRINGS[l]) && !(key in (page[l] || {})))
                    problem(`${file} says "${key}", which has no ${l}`);
    }
}

async function french(browser, base, program) {
    const problem = text => report('problem', program, text);
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
    await page.goto(`${base}/${program}.html?lang=fr`);
    await wait_for_frame(page, 1, false);
    const notes = await page.evaluate(() =>
        JSON.parse(document.getElementById('page-words').textContent).fr);
    const head = await page.evaluate(() => [document.title, document.querySelector('h1').textContent,
                                            document.querySelector('.about').textContent]);
    if (!notes['note.title'] || !notes['note.about'] ||
        head.join('|') !== [notes['note.title'], notes['note.title'], notes['note.about']].join('|'))
        problem(`in French the page says ${JSON.stringify(head)}`);
    for (let n = 1; ; ++n) {
        const s = await state(page);
        const caption = notes[`note.caption.${n}`] || '';
        const said = caption.charAt(0).toUpperCase() + caption.slice(1);
        const name = await page.getAttribute('#canvas', 'aria-label');
        if (!caption || s.text !== `Image ${n} sur ${s.frames}\u00a0: ${said}` || name !== said)
            problem(`frame ${n} in French: "${s.text}", the picture named "${name}"`);
        if (n >= s.frames)
            break;
        await page.keyboard.press('ArrowRight');
        await wait_for_frame(page, n + 1, false);
    }
    for (const error of errors)
        problem(`script error: ${error}`);
    await page.context().close();
}

async function languages(browser, base, program) {
    const problem = text => report('problem', program, text);
    const errors = [];
    const switch_to = async (page, language) => {
        await page.click(`nav.languages a[lang="${language}"]`);
        await page.waitForFunction(l => document.documentElement.lang === l, language);
    };
    for (const [origin, root] of [['served', base], ['file', `file://${site}`]]) {
        const where = text => problem(`${origin}: ${text}`);
        const page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
        await page.goto(`${root}/${program}.html#frame=3`);
        await wait_for_frame(page, 3, false);
        const before = await state(page);
        await switch_to(page, 'fr');
        const after = await state(page);
        const search = await page.evaluate(() => location.search);
        if (after.frame !== 3 || !after.text.startsWith('Image 3 sur') || after.hash !== '#frame=3' ||
            search !== '?lang=fr' || after.history !== before.history)
            where(`in French: "${after.text}" at ${search}${after.hash}, ${after.history} entries`);
        await save_shown(page, program, `${program}_${origin}_fr`, 3);
        if (await page.getAttribute('a.back', 'href') !== 'index.html?lang=fr')
            where('the link to the gallery does not keep the language');
        await switch_to(page, 'en');
        if (!(await state(page)).text.startsWith('Frame 3 of'))
            where(`back in English the status says "${(await state(page)).text}"`);

        // The explorer's state stays; its words and numbers are French.
        await explored(page, () => page.goto(`${root}/explore.html#preset=fivesplit_size_classes`),
                       true);
        const english = await page.evaluate(() => document.getElementById('status').textContent);
        await switch_to(page, 'fr');
        const now = await page.evaluate(() => [document.getElementById('status').dataset.state,
            document.getElementById('canvas').getAttribute('aria-label'),
            document.getElementById('status').textContent, location.hash,
            document.getElementById('ratio-value').textContent]);
        const tiles = Number(/: ([\d,]+) tiles\.$/.exec(english)[1].replace(/,/g, ''));
        const count = new Intl.NumberFormat('fr').format(tiles);
        if (now[3] !== `#${now[0]}` || !/^Le découpage en cinq, .*rapport des côtés 0,8, profondeur 5/
            .test(now[1]) || now[2] !== `${now[1]}\u00a0: ${count} pavés.` || now[4] !== '0,8')
            where(`the explorer in French: ${JSON.stringify(now)}`);
        await page.context().close();
    }
    // ?lang= first, then the browser's languages, then English.
    for (const [locale, query, want] of [['fr-FR', '', 'fr'], ['fr-CA', '?lang=en', 'en'],
                                         ['de-DE', '', 'en'], ['en-GB', '?lang=fr', 'fr']]) {
        const page = await new_page(browser, {locale}, errors);
        await page.goto(`${base}/index.html${query}`);
        const lang = await page.evaluate(() => document.documentElement.lang);
        if (lang !== want)
            problem(`a browser in ${locale} opens index.html${query} in ${lang}`);
        await page.context().close();
    }
    for (const error of errors)
        problem(`script error: ${error}`);
}

async function accessible(browser, base, name) {
    const problem = text => report('problem', name, text);
    const errors = [];
    const page = await new_page(browser, {viewport: {width: 1280, height: 800}}, errors);
    const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
    for (const language of ['en', 'fr']) {
        await page.goto(`${base}/${name}.html?lang=${language}`);
        if (name === 'explore')
            await explored(page, () => null, true);
        else if (name !== 'index')
            await wait_for_frame(page, 1, false);
        if (await page.evaluate(() => document.documentElement.lang) !== language)
            problem(`?lang=${language}: <html lang> is not ${language}`);
        await page.addScriptTag({content: axe});
        const found = await page.evaluate(() => axe.run(document, {resultTypes: ['violations']}));
        for (const v of found.violations.filter(v => ['serious', 'critical'].includes(v.impact)))
            problem(`${language}: axe finds "${v.help}" (${v.impact}) at ` +
                    v.nodes.map(n => n.target.join(' ')).join(', '));
        // Every stop of Tab shows the focus, until it leaves the page.
        const seen = new Set();
        for (let i = 0; i < 100; ++i) {
            await page.keyboard.press('Tab');
            const stop = await page.evaluate(() => {
                const e = document.activeElement;
                if (!e || e === document.body)
                    return null;
                const style = getComputedStyle(e);
                return {at: [...document.querySelectorAll('*')].indexOf(e),
                        name: e.id || e.getAttribute('href') || e.tagName,
                        shown: style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2};
            });
            if (!stop || seen.has(stop.at))
                break;
            seen.add(stop.at);
            if (!stop.shown)
                problem(`${language}: ${stop.name} shows no focus`);
        }
    }
    for (const error of errors)
        problem(`script error: ${error}`);
    await page.context().close();
}

const CHECKS = {sweep, keys, address, download, fit, errors, explore_presets, explore_inputs,
                explore_fit, explore_exports, explore_announce, words, french, languages,
                accessible};

async function main() {
    const server = await serve(site);
    const base = `http://127.0.0.1:${server.address().port}`;
    const browser = await launch_browser(check.startsWith('explore'));
    let status = 0;
    try {
        for (const program of programs) {
            try {
                await CHECKS[check](browser, base, program);
            } catch (error) {
                report('problem', program, error.message.split('\n')[0]);
                status = 1;
            }
        }
    } finally {
        await browser.close();
        server.close();
    }
    process.exit(status);
}

main();
