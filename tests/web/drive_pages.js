// Drives window programs' pages in headless Chromium, for web_test.
//
//   node drive_pages.js SITE_DIR OUT_DIR PROGRAM...
//
// Serves SITE_DIR on a port of 127.0.0.1 and, for each program, opens its
// page and steps it through every frame, by key presses and by clicks on
// the canvas in turn, until the program has ended; then runs it again,
// opens a link to its last frame, and looks for it in the gallery. It
// writes each frame's canvas pixels as OUT_DIR/<program>_NN.rgba (800 x 600
// x RGBA, row by row) and the frame a link opens at (#frame=N, N the last
// frame) as OUT_DIR/<program>_link.rgba, and writes to standard output, one
// line each:
//   frames PROGRAM N            the frames shown before the program ended
//   link PROGRAM N              the frame the link named
//   timing PROGRAM N BY DRAWN PAINTED   ms from the key press or click
//                               (BY is key or click; load for the first
//                               frame, timed from the page's start) to
//                               frame N on the canvas, and to the next
//                               picture the browser made after it
//   problem PROGRAM TEXT        anything the page did wrong
// Chromium is /usr/bin/chromium unless CHROMIUM names another.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const {chromium} = require('playwright-core');

const [site, out, ...programs] = process.argv.slice(2);
const STEP_TIMEOUT = 20000;
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.css': 'text/css', '.png': 'image/png', '.ttf': 'font/ttf'};

function serve(root) {
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
        const file = path.join(root, path.normalize(name === '/' ? '/index.html' : name));
        if (!file.startsWith(root + path.sep) || !fs.existsSync(file) ||
            !fs.statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] ||
                                                 'application/octet-stream'});
        fs.createReadStream(file).pipe(response);
    });
    return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function report(...fields) {
    console.log(fields.join(' '));
}

async function page_state(page) {
    return page.evaluate(() => {
        const status = document.getElementById('status');
        return {frame: Number(status.dataset.frame), frames: Number(status.dataset.frames),
                ended: status.dataset.ended, text: status.textContent.trim(),
                ended_shown: !document.getElementById('ended').hidden,
                again: !!document.getElementById('again'),
                gallery: !!document.querySelector('#ended a[href="index.html"]')};
    });
}

// Waits until the page shows frame n (or has ended, with `or_end`).
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

// Pressing a key or clicking the canvas, in turn from frame to frame.
async function advance(page, n) {
    if (n % 2 === 1)
        await page.keyboard.press('Space');
    else
        await page.click('#canvas', {position: {x: 400, y: 300}});
}

async function report_timing(page, program, n) {
    const timing = await page.waitForFunction(
        k => Module.tilings.timings.find(t => t.frame === k && t.painted !== undefined), n,
        {timeout: STEP_TIMEOUT});
    const t = await timing.jsonValue();
    report('timing', program, n, t.by, t.drawn.toFixed(1), t.painted.toFixed(1));
}

async function drive(browser, base, program) {
    const problem = text => report('problem', program, text);
    let page = await browser.newPage({viewport: {width: 1000, height: 900}});
    const errors = [];
    page.on('pageerror', error => errors.push(error.message));
    await page.goto(`${base}/${program}.html`);
    await wait_for_frame(page, 1, false);

    const size = await page.evaluate(() => {
        const canvas = document.getElementById('canvas');
        return [canvas.width, canvas.height, canvas.clientWidth, canvas.clientHeight];
    });
    if (size.join() !== '800,600,800,600')
        problem(`the canvas is ${size[0]} x ${size[1]} shown at ${size[2]} x ${size[3]}`);

    // Moving the mouse, turning the wheel and clicking beside the canvas
    // leave the first frame on show.
    await page.mouse.move(300, 300);
    await page.mouse.move(500, 400);
    await page.mouse.wheel(0, 100);
    await page.mouse.click(950, 850);
    await page.waitForTimeout(300);
    if ((await page_state(page)).frame !== 1)
        problem('moving the mouse, the wheel or a click beside the canvas moved the page on');

    const pixels = [];
    let n = 1;
    for (;;) {
        const state = await page_state(page);
        if (state.text !== `frame ${n} of ${state.frames}`)
            problem(`frame ${n}: the status says "${state.text}"`);
        if (state.ended !== 'false' || state.ended_shown)
            problem(`frame ${n}: the page says it has ended before its last wait has`);
        await report_timing(page, program, n);
        pixels.push(await canvas_pixels(page));
        fs.writeFileSync(path.join(out, `${program}_${String(n).padStart(2, '0')}.rgba`),
                         pixels[n - 1]);
        await advance(page, n);
        await wait_for_frame(page, n + 1, true);
        const after = await page_state(page);
        if (after.ended === 'true') {
            if (after.frames !== n)
                problem(`the program ended after ${n} frames; data-frames says ${after.frames}`);
            if (!after.ended_shown || !after.again || !after.gallery)
                problem('after the last frame the page does not offer to run again and go back');
            break;
        }
        n += 1;
    }
    report('frames', program, n);

    // Running again starts at frame 1 with the same picture.
    await page.click('#again');
    await wait_for_frame(page, 1, false);
    const again = await page_state(page);
    if (again.ended !== 'false' || again.text !== `frame 1 of ${n}`)
        problem(`run again: the status says "${again.text}", data-ended ${again.ended}`);
    if (!(await canvas_pixels(page)).equals(pixels[0]))
        problem('run again: frame 1 differs from the first run\'s');

    // A link to the last frame opens at it; the next key ends the program.
    await page.close();
    page = await browser.newPage();
    page.on('pageerror', error => errors.push(error.message));
    await page.goto(`${base}/${program}.html#frame=${n}`);
    await wait_for_frame(page, n, false);
    const linked = await page_state(page);
    if (linked.text !== `frame ${n} of ${n}` || linked.ended !== 'false')
        problem(`#frame=${n}: the status says "${linked.text}", data-ended ${linked.ended}`);
    fs.writeFileSync(path.join(out, `${program}_link.rgba`), await canvas_pixels(page));
    report('link', program, n);
    await page.keyboard.press('Enter');
    await wait_for_frame(page, n + 1, true);
    if ((await page_state(page)).ended !== 'true')
        problem(`#frame=${n}: a key press at the last frame does not end the program`);

    // The gallery links the page, with the program's picture and what it
    // shows, as the page itself does.
    const about = await page.evaluate(() => document.querySelector('.about').textContent.trim());
    await page.goto(`${base}/index.html`);
    const entry = await page.evaluate(name => {
        const item = [...document.querySelectorAll('.gallery li')]
                         .find(li => li.querySelector(`a[href="${name}.html"]`));
        const picture = item && item.querySelector('img');
        return item && {picture: picture ? [picture.complete, picture.naturalWidth] : null,
                        about: item.querySelector('p').textContent.trim()};
    }, program);
    if (!entry)
        problem('the gallery does not link the page');
    else if (!entry.picture || !entry.picture[0] || entry.picture[1] !== 800)
        problem(`the gallery shows no picture of it (${entry.picture})`);
    else if (!about || entry.about !== about)
        problem(`the gallery says "${entry.about}", the page "${about}"`);

    for (const error of errors)
        problem(`script error: ${error}`);
    await page.close();
}

async function main() {
    const root = path.resolve(site);
    const server = await serve(root);
    const base = `http://127.0.0.1:${server.address().port}`;
    const browser = await chromium.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update',
               '--disable-sync'],
    });
    let status = 0;
    try {
        for (const program of programs) {
            try {
                await drive(browser, base, program);
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
