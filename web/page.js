// The page around one window program: runs <program>.js on the canvas,
// keeps the status line ("frame 3 of 7") and its data-frame, data-frames
// and data-ended attributes up to date, passes over the frames before the
// one a link names (#frame=N), and offers to run the program again once it
// has ended. It also notes how long each frame took to appear after the key
// press or click that asked for it, or after the page's start
// (Module.tilings.timings).
(function () {
    const script = document.currentScript;
    const program = script.dataset.program;
    const font = script.dataset.font;
    const canvas = document.getElementById('canvas');
    // SDL copies the canvas back into the program at every present: the
    // context is made first, kept in memory for reading.
    canvas.getContext('2d', {willReadFrequently: true});
    const status = document.getElementById('status');
    const frames = Number(status.dataset.frames) || 0;
    const asked = /^#frame=(\d+)$/.exec(location.hash);
    let wanted = asked ? Math.max(1, Number(asked[1])) : 1;
    if (frames)
        wanted = Math.min(wanted, frames);

    // The first key press or click since the frame on show appeared.
    let input = null;
    const note_input = event => {
        if (input === null)
            input = {time: event.timeStamp, by: event.type === 'keydown' ? 'key' : 'click'};
    };
    document.addEventListener('keydown', note_input, true);
    canvas.addEventListener('mousedown', note_input, true);

    const tilings = {
        timings: [],
        frame(n) {
            status.textContent = frames ? `frame ${n} of ${frames}` : `frame ${n}`;
            status.dataset.frame = String(n);
            if (n < wanted)
                return true;
            // Drawn: the frame is on the canvas; painted: the browser has
            // made its next picture after it. Timed from the input that
            // asked for the frame, or from the page's start.
            const start = input ? input.time : 0;
            const timing = {frame: n, by: input ? input.by : 'load',
                            drawn: performance.now() - start};
            requestAnimationFrame(() => {
                timing.painted = performance.now() - start;
            });
            tilings.timings.push(timing);
            input = null;
            return false;
        },
        ended(code) {
            status.dataset.ended = 'true';
            if (code !== 0)
                status.textContent += ` (the program ended with status ${code})`;
            document.getElementById('hint').hidden = true;
            document.getElementById('ended').hidden = false;
        },
    };

    window.Module = {
        canvas,
        tilings,
        print: text => console.log(text),
        printErr: text => console.error(text),
        onAbort: what => {
            status.textContent = `The program stopped: ${what}`;
        },
    };

    document.getElementById('again').addEventListener('click', () => {
        location.replace(location.pathname);
    });
    // A link to another frame of the same page starts it anew.
    window.addEventListener('hashchange', () => location.reload());

    // The program starts once the labels' font, if it uses one, is there.
    const ready = font ? document.fonts.load(`1em "${font}"`) : Promise.resolve();
    ready.finally(() => {
        const code = document.createElement('script');
        code.src = `${program}.js`;
        document.body.appendChild(code);
    });
})();
