// Times the pages: how long each frame takes to reach the canvas after the
// input that asks for it, in headless Chromium, at the machine's own speed
// and with the CPU slowed down (as on a school laptop).
//
//   node bench_pages.js SITE_DIR RUNS SLOWDOWN PROGRAM...
//
// Each program's page is opened RUNS times at each speed (1, and SLOWDOWN
// times slower through DevTools' CPU throttling) and stepped to its end,
// by key presses and clicks on the picture in turn, pausing on each frame
// as a reader does (READING_MS); then, where the page can go back, the first
// frame is shown again by the key that goes back.
// Prints one row per program, frame and input: the median of the runs of
// the time to the frame on the canvas ("drawn"), of which the input waited
// for the page to take it ("waited"), and to the browser's next picture
// after it ("painted"), in ms, at each speed. The first frame is
// timed from the page's navigation. Rows by "ahead" give the time the
// program took to draw a frame ahead, while the one before was on show.
//
// The program "explore" is the explorer's page (explore.html): at each
// family's colourings at their home view and deepest offered depth, at each
// preset, and at a zoom of 10^9 (at the deepest depth offered there), it
// times a key (→, an eighth of the view), a wheel notch (in, about a point
// off the centre) and a drag step (12 pixels), each from the state itself,
// RUNS times at each speed, from the input to the picture on the canvas.
// It prints one row per state: the tiles it draws, and at each speed the
// median time of the drawings after the inputs themselves ("draw", in
// WebAssembly, put on the canvas) and of each input to the canvas; then how long each kind of
// input waited for the page to take it (the browser's part), and the
// states slower than a refresh at 60 Hz (16.7 ms; 50 ms with the CPU
// slowed).
'use strict';
const {serve, launch_browser} = require('../tests/web/site_server');

const [site, runs_text, slowdown_text, ...programs] = process.argv.slice(2);
const RUNS = Number(runs_text) || 3;
const SLOWDOWN = Number(slowdown_text) || 4;
const TIMEOUT = 30000;
const READING_MS = 500;

function median(values) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor((sorted.length - 1) / 2)];
}

async function shown(page, n) {
    await page.waitForFunction(n => {
        const status = document.getElementById('status');
        return Number(status.dataset.frame) === n || status.dataset.ended === 'true';
    }, n, {timeout: TIMEOUT});
}

async function painted_timings(page, count) {
    await page.waitForFunction(count => {
        const timings = Module.tilings.timings;
        return timings.length >= count && timings.every(t => t.painted !== undefined);
    }, count, {timeout: TIMEOUT});
    return page.evaluate(() => Module.tilings.timings.map(
        ({frame, by, drawn, waited, painted}) => ({frame, by, drawn, waited, painted})));
}

async function ahead_timings(page) {
    return page.evaluate(() => Module.tilings.ahead.map(
        ({frame, drawn}) => ({frame, by: 'ahead', drawn})));
}

// One run of one page: the timings of every frame shown.
async function run(browser, base, program, slowdown) {
    const page = await browser.newPage({viewport: {width: 1280, height: 900}});
    const session = await page.context().newCDPSession(page);
    await session.send('Emulation.setCPUThrottlingRate', {rate: slowdown});
    await page.goto(`${base}/${program}.html`);
    await shown(page, 1);
    let n = 1;
    for (;;) {
        await painted_timings(page, n);
        await page.waitForTimeout(READING_MS);
        if (n % 2 === 1)
            await page.keyboard.press('ArrowRight');
        else
            await page.click('#canvas', {position: {x: 400, y: 300}});
        await shown(page, n + 1);
        const ended = await page.evaluate(
            () => document.getElementById('status').dataset.ended === 'true');
        if (ended)
            break;
        n += 1;
    }
    let count = n;
    // Back to a frame already seen, where the page keeps them.
    if (n > 1 && await page.evaluate(() => !!document.getElementById('previous'))) {
        await page.keyboard.press('ArrowLeft');
        count += 1;
    }
    const timings = await painted_timings(page, count).catch(() => painted_timings(page, n));
    const ahead = await ahead_timings(page);
    await page.close();
    return [...timings, ...ahead];
}

// --- The explorer ------------------------------------------------------------

const INPUTS = ['key', 'wheel', 'drag'];

// The states timed: each colouring's home view at its deepest depth (the
// page brings a depth deeper than offered to the deepest), the presets,
// and a zoom of 10^9 away from the figures' corners.
async function explorer_states(page) {
    const {colourings, presets} = await page.evaluate(() => ({
        colourings: JSON.parse(Module.ccall('explore_catalogue', 'string', [], []))
            .colourings.map(c => c.name),
        presets: JSON.parse(document.getElementById('presets').textContent)}));
    const states = colourings.map(c => [`${c} home, deepest`, `colour=${c}&depth=60`]);
    for (const p of presets)
        if (!states.some(s => s[1] === p.state))
            states.push([`${p.program} ${p.frame}`, p.state]);
    const far = [['chair', 'family=chair&x=0.3141592653589793&y=0.2718281828459045'],
                 ['triangle', 'family=triangle&x=0.4142135623730951&y=0.3183098861837907'],
                 ['fivesplit', 'family=fivesplit&colour=child&ratio=0.5&x=222.22222222222223' +
                               '&y=111.11111111111111']];
    for (const [name, state] of far)
        states.push([`${name} zoom 1e9, deepest`, `${state}&zoom=1e9&depth=60`]);
    return states;
}

async function drawn_count(page) {
    return page.evaluate(() => Number(document.getElementById('status').dataset.drawn));
}

// Does `act` and waits for the picture it asks for, and for the address to
// follow it; gives the picture's timing.
async function timed(page, act) {
    const before = await drawn_count(page);
    await act();
    await page.waitForFunction(n => {
        const status = document.getElementById('status');
        return Number(status.dataset.drawn) > n && location.hash === `#${status.dataset.state}`;
    }, before, {timeout: TIMEOUT});
    return page.evaluate(n => Module.explorer.timings[n], before);
}

async function explorer_run(browser, base, slowdown) {
    const page = await browser.newPage({viewport: {width: 1280, height: 900}});
    const session = await page.context().newCDPSession(page);
    await session.send('Emulation.setCPUThrottlingRate', {rate: slowdown});
    await page.goto(`${base}/explore.html`);
    await page.waitForFunction(() => Number(document.getElementById('status').dataset.drawn) > 0,
                               null, {timeout: TIMEOUT});
    const box = await page.locator('#canvas').boundingBox();
    const at = (column, row) => [box.x + column * box.width / 800, box.y + row * box.height / 600];
    const inputs = {
        key: () => page.keyboard.press('ArrowRight'),
        wheel: async () => {
            await page.mouse.move(...at(600, 150));
            await page.mouse.wheel(0, -100);
        },
        drag: async () => {
            await page.mouse.move(...at(400, 300));
            await page.mouse.down();
            await page.mouse.move(...at(412, 300));
        },
    };
    const rows = [];
    for (const [name, state] of await explorer_states(page)) {
        const row = {name, tiles: 0, draws: [], waits: {}};
        for (const input of INPUTS) {
            const times = [];
            row.waits[input] = [];
            for (let r = 0; r < RUNS; ++r) {
                // From the state itself each time, drawn (and so compiled) first.
                row.tiles = (await timed(page, () =>
                    page.evaluate(s => { location.hash = s; }, state))).tiles;
                await page.waitForTimeout(READING_MS / 5);
                const t = await timed(page, inputs[input]);
                await page.mouse.up();
                times.push(t.drawn);
                row.draws.push(t.wasm);
                row.waits[input].push(t.waited);
            }
            row[input] = median(times);
        }
        row.draw = median(row.draws);
        rows.push(row);
    }
    await page.close();
    return rows;
}

async function bench_explorer(browser, base) {
    const fast = await explorer_run(browser, base, 1);
    const slow = await explorer_run(browser, base, SLOWDOWN);
    const columns = ['draw', ...INPUTS];
    console.log(['state', 'tiles', ...columns.map(i => `${i} ms`),
                 ...columns.map(i => `${i} x${SLOWDOWN} ms`)].join('\t'));
    const missed = [];
    fast.forEach((row, i) => {
        const times = [...columns.map(k => row[k]), ...columns.map(k => slow[i][k])];
        console.log([row.name, row.tiles, ...times.map(t => t.toFixed(1))].join('\t'));
        const worst = Math.max(...INPUTS.map(k => row[k]));
        const worst_slow = Math.max(...INPUTS.map(k => slow[i][k]));
        if (worst > 16.7 || worst_slow > 50)
            missed.push(`${row.name} (${worst.toFixed(1)} ms, ${worst_slow.toFixed(1)} ms ` +
                        `x${SLOWDOWN})`);
    });
    for (const input of INPUTS) {
        const waited = rows => median(rows.flatMap(row => row.waits[input])).toFixed(1);
        console.log(`a ${input} waited for the page ${waited(fast)} ms (median), ` +
                    `${waited(slow)} ms x${SLOWDOWN}`);
    }
    console.log(`explorer states over 16.7 ms (or 50 ms x${SLOWDOWN}): ` +
                `${missed.length ? missed.join('; ') : 'none'}`);
}

async function main() {
    const server = await serve(site);
    const base = `http://127.0.0.1:${server.address().port}`;
    const browser = await launch_browser();
    const rows = new Map();
    try {
        if (programs.includes('explore'))
            await bench_explorer(browser, base);
        for (const program of programs.filter(p => p !== 'explore')) {
            for (const slowdown of [1, SLOWDOWN]) {
                for (let r = 0; r < RUNS; ++r) {
                    for (const t of await run(browser, base, program, slowdown)) {
                        const key = `${program} ${t.frame} ${t.by}`;
                        if (!rows.has(key))
                            rows.set(key, {1: [], [SLOWDOWN]: []});
                        rows.get(key)[slowdown].push(t);
                    }
                }
            }
        }
    } finally {
        await browser.close();
        server.close();
    }
    if (!rows.size)
        return;
    const ms = (list, key) => (list[0][key] === undefined ? '-'
                                                          : median(list.map(t => t[key])).toFixed(1));
    const cell = list => (list.length ? [ms(list, 'drawn'), ms(list, 'waited'), ms(list, 'painted')]
                                      : ['-', '-', '-']);
    console.log(['program', 'frame', 'by', 'drawn', 'waited', 'painted', `drawn x${SLOWDOWN}`,
                 `waited x${SLOWDOWN}`, `painted x${SLOWDOWN}`].join('\t'));
    let worst = {1: 0, [SLOWDOWN]: 0};
    let worst_ahead = {1: 0, [SLOWDOWN]: 0};
    for (const [key, row] of rows) {
        const [program, frame, by] = key.split(' ');
        const fast = cell(row[1]), slow = cell(row[SLOWDOWN]);
        console.log([program, frame, by, ...fast, ...slow].join('\t'));
        const slowest = by === 'ahead' ? worst_ahead : worst;
        if (by !== 'load') {
            slowest[1] = Math.max(slowest[1], Number(fast[0]) || 0);
            slowest[SLOWDOWN] = Math.max(slowest[SLOWDOWN], Number(slow[0]) || 0);
        }
    }
    console.log(`slowest step to the canvas: ${worst[1].toFixed(1)} ms, ` +
                `${worst[SLOWDOWN].toFixed(1)} ms with the CPU ${SLOWDOWN}x slower`);
    console.log(`slowest frame drawn ahead: ${worst_ahead[1].toFixed(1)} ms, ` +
                `${worst_ahead[SLOWDOWN].toFixed(1)} ms with the CPU ${SLOWDOWN}x slower`);
}

main().catch(error => {
    console.error(`bench_pages: ${error.message.split('\n')[0]}`);
    process.exit(1);
});
