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

async function main() {
    const server = await serve(site);
    const base = `http://127.0.0.1:${server.address().port}`;
    const browser = await launch_browser();
    const rows = new Map();
    try {
        for (const program of programs) {
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
