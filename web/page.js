// The page around one window program: the player (the picture and its
// controls) that runs <program>.js on the canvas and steps through its
// frames both ways, in the shell it shares with the explorer (shell.js).
//
// Keys act only while the player has focus: next is → ↓ Space PageDown
// Enter, previous ← ↑ PageUp, first Home, last End; a key with Ctrl, Cmd,
// Alt or Shift, and every other key, is left to the browser, and so are
// Enter and Space on the player's own buttons. A click or tap on the picture is next;
// a pinch zooms, as on any page. SDL is given none of these inputs.
//
// Each frame's pixels are kept as it is shown, so that going back (or
// forward again, up to the program's latest frame) shows them at once. A
// step beyond the latest frame runs the program on, passing over frames
// until it reaches the one asked for, as a link (#frame=N) does. The
// program runs on only while its latest frame is on the canvas, or from it
// to the next frame ahead of time: once a frame is painted and kept, the
// program draws the next one (never past its last), which is kept without
// being shown, so that next shows it at once. The address
// follows the frame on show (#frame=N), and Back and Forward after an
// edited address go to the frame it names.
//
// The status line (#status: data-frame, the frame on show; data-frames, the
// program's frames; data-ended) says which frame is on show and what it
// shows, politely to a screen reader, once a step; the picture's name is
// the frame's caption. The words are the page's language's (strings.js),
// and a switch of language says the frame on show again in the other.
// When the program cannot be loaded or started within 10 s, the page
// says so in one sentence (#problem). Where the frame on show is one of the
// explorer's presets, "Explore this figure" opens it there. Beside all
// this, and driving none of it, Module.tilings.timings notes how long
// each frame took to reach the canvas after the input that asked for it
// (by: key, click, tap, button, back, hash) or after the page's start (load),
// and Module.tilings.ahead how long the program took to draw each frame it
// drew ahead.
(function () {
    const shell = window.page_shell;
    const words = window.page_words;
    if (!shell) {
        // The page's shell, beside it, did not load.
        const problem = document.getElementById('problem');
        problem.textContent = words.t('shell_missing');
        problem.hidden = false;
        return;
    }
    const script = document.currentScript;
    const program = script.dataset.program;
    const font = script.dataset.font;
    const notes = JSON.parse(document.getElementById('notes').textContent);
    const $ = id => document.getElementById(id);
    const player = $('player'), stage = $('stage'), canvas = $('canvas'), status = $('status');
    // SDL reads the canvas back when it draws a label on it: the context is
    // made first, kept in memory for reading.
    const context = canvas.getContext('2d', {willReadFrequently: true});
    const frames = Number(status.dataset.frames) || 0;

    const kept = [];        // kept[n]: frame n's pixels
    let latest = 0;         // the program's latest frame: the wait it is in
    let shown = 0;          // the frame on the canvas
    let wanted = 1;         // the frame the program is running on to
    // What the program is doing:
    //   loading   not yet at its first wait
    //   running   on to frame `wanted`, as asked, passing over the frames before it
    //   ahead     drawing the frame after the one on show, unasked
    //   waiting   at its latest frame's wait, which `resume` ends
    //   ended     main has returned
    //   failed    it could not be loaded or started, or it stopped
    let phase = 'loading';
    let resume = null;      // ends the program's wait
    let input = null;       // the input that asked for the frame on its way
    let ended_with = 0;     // the status main returned
    const busy = () => phase === 'loading' || phase === 'running' || phase === 'ahead';

    function frame_from_hash() {
        const asked = /^#frame=(\d+)$/.exec(location.hash);
        return asked ? clamp(Number(asked[1])) : null;
    }
    function clamp(n) {
        n = Math.max(1, n);
        return frames ? Math.min(n, frames) : n;
    }
    wanted = frame_from_hash() || 1;

    function file_name(n) {
        return `${program}_${String(n).padStart(2, '0')}.png`;
    }
    function caption(n) {
        const text = words.t(`note.caption.${n}`);
        return text.charAt(0).toUpperCase() + text.slice(1);
    }
    function address(n) {
        return `${location.href.replace(/#.*$/, '')}#frame=${n}`;
    }

    // The frame number, status line, picture's name, buttons and address
    // for frame n.
    function show_state(n) {
        const total = frames || latest;
        const numbers = {n: words.number(n), total: words.number(total)};
        $('count').textContent = words.t('count', numbers);
        status.dataset.frame = String(n);
        delete status.dataset.t;
        const said = words.t('frame_status', Object.assign({caption: caption(n)}, numbers));
        status.textContent = phase === 'ended' && ended_with !== 0
            ? words.t('ended_status', {status: said, code: ended_with}) : said;
        delete canvas.dataset.tLabel;
        canvas.setAttribute('aria-label', caption(n));
        // Marked rather than disabled, so that a button pressed to the end
        // keeps the focus (and the keys with it).
        for (const id of ['first', 'previous'])
            $(id).setAttribute('aria-disabled', String(n <= 1));
        for (const id of ['next', 'last'])
            $(id).setAttribute('aria-disabled', String(phase === 'ended' && n >= latest));
        if (location.hash !== `#frame=${n}`)
            history.replaceState(history.state, '', `#frame=${n}`);
        $('print-link').textContent = words.t('print_link', {title: words.t('note.title'),
                                                             n: numbers.n, link: address(n)});
        const preset = (notes.presets || {})[n];
        $('explore').hidden = !preset;
        if (preset) {
            const link = $('explore').firstElementChild;
            link.dataset.href = `explore.html#${preset}`;
            words.apply(link);
        }
    }
    words.on_change(() => {
        if (shown)
            show_state(shown);
    });

    // The timings: `from` says whether the program drew the frame or the
    // page's store held it, and `waited` how long the input waited for the
    // page to take it.
    const tilings = {ahead: []};
    const record = shell.timings();
    tilings.timings = record.list;
    let taken = 0;  // when the page took the input on its way
    function note_timing(n, by, since, from) {
        record.note({frame: n, by, from, waited: since ? taken - since : 0}, since);
    }

    // Once frame n is painted, its pixels are kept, unless a step comes
    // first; then the next frame is drawn ahead.
    function after_paint(n) {
        requestAnimationFrame(() => {
            setTimeout(() => {
                keep(n);
                setTimeout(draw_ahead, 0);
            }, 0);
        });
    }

    // A copy of the pixels the program presented last, from its memory,
    // where they stay as they are while it waits.
    function presented() {
        const picture = tilings.picture;
        return new ImageData(new Uint8ClampedArray(picture.data), picture.width, picture.height);
    }

    // Keeps the program's latest frame, while it is on the canvas.
    function keep(n) {
        if (!kept[n] && shown === n && n === latest)
            kept[n] = presented();
    }

    // The program draws the frame after its latest, which is on show and
    // kept, and keeps it (tilings.frame), unless it has drawn its last.
    function draw_ahead() {
        if (phase !== 'waiting' || shown !== latest || !kept[latest] || latest >= frames)
            return;
        run_on(latest + 1, 'ahead', performance.now());
    }

    // Shows frame n, kept earlier, at once.
    function show_kept(n, by, since) {
        keep(shown);
        context.putImageData(kept[n], 0, 0);
        shown = n;
        note_timing(n, by, since, 'store');
        after_paint(n);
        show_state(n);
    }

    // The program runs on from its latest frame, with that frame on the
    // canvas, to frame n, passing over the frames before it (or to its end);
    // `by` 'ahead' draws frame n unseen.
    function run_on(n, by, since) {
        if (shown !== latest) {
            keep(shown);
            context.putImageData(kept[latest], 0, 0);
            shown = latest;
        }
        keep(latest);
        wanted = n;
        input = {by, since};
        phase = by === 'ahead' ? 'ahead' : 'running';
        const go = resume;
        resume = null;
        go();
    }

    // Goes to frame n, asked for by `by` at time `since`.
    function go_to(n, by, since) {
        taken = performance.now();
        n = clamp(n);
        if (busy()) {
            // Still loading, or on its way: the program goes on to it.
            wanted = Math.max(wanted, n);
            return;
        }
        if (phase === 'failed' || n === shown)
            return;
        if (n <= latest)
            show_kept(n, by, since);
        else if (phase !== 'ended')
            run_on(n, by, since);
    }

    function step(delta, by, since) {
        taken = performance.now();
        if (phase !== 'waiting' && phase !== 'ended')
            return go_to((busy() ? wanted : shown) + delta, by, since);
        // Next at the last frame ends the program, as a key does in the window.
        if (delta > 0 && shown === latest && phase === 'waiting' && frames && latest >= frames)
            run_on(latest + 1, by, since);
        else
            go_to(shown + delta, by, since);
    }

    tilings.frame = n => {
        start.started();
        latest = n;
        if (phase === 'ahead') {
            // Drawn ahead: kept, and the frame on show put back.
            kept[n] = presented();
            context.putImageData(kept[shown], 0, 0);
            tilings.ahead.push({frame: n, drawn: performance.now() - input.since});
            input = null;
            return false;
        }
        if (n < wanted) {
            // Passed over: kept now, as the program draws on at once.
            shown = n;
            kept[n] = presented();
            phase = 'running';
            return true;
        }
        shown = n;
        note_timing(n, input ? input.by : 'load', input ? input.since : 0, 'program');
        after_paint(n);
        show_state(n);
        input = null;
        return false;
    };
    tilings.wait = n => new Promise(resolve => {
        resume = resolve;
        if (phase !== 'failed')
            phase = 'waiting';
    });
    tilings.ended = code => {
        start.started();
        phase = 'ended';
        input = null;
        keep(latest);
        status.dataset.ended = 'true';
        ended_with = code;
        show_state(shown);
        $('hint').hidden = true;
        $('ended').hidden = false;
    };

    // Keys, only while the player has focus. Going back is timed as such,
    // whatever asked for it.
    const KEYS = {ArrowRight: 'next', ArrowDown: 'next', ' ': 'next', PageDown: 'next',
                  Enter: 'next', ArrowLeft: 'previous', ArrowUp: 'previous',
                  PageUp: 'previous', Home: 'first', End: 'last'};
    const ACTIONS = {
        next: (by, since) => step(1, by, since),
        previous: (by, since) => step(-1, 'back', since),
        first: (by, since) => go_to(1, 'back', since),
        last: (by, since) => go_to(frames || latest, by, since),
    };
    player.addEventListener('keydown', event => {
        const action = KEYS[event.key];
        if (!action || !shell.plain_key(event))
            return;
        if (event.target.closest('button, a') && (event.key === 'Enter' || event.key === ' '))
            return;
        event.preventDefault();
        ACTIONS[action]('key', event.timeStamp);
    });
    for (const action of Object.keys(ACTIONS))
        $(action).addEventListener('click', event => ACTIONS[action]('button', event.timeStamp));

    // A click or tap on the picture is next.
    shell.keep_pointer(stage);
    canvas.addEventListener('click', event => {
        if (event.button === 0)
            step(1, event.pointerType === 'touch' ? 'tap' : 'click', event.timeStamp);
    });

    // A hand-edited address, or Back and Forward between such addresses.
    window.addEventListener('hashchange', event => {
        const n = frame_from_hash();
        if (n !== null)
            go_to(n, n < shown ? 'back' : 'hash', event.timeStamp);
    });

    $('again').addEventListener('click', () => {
        location.replace(location.href.replace(/#.*$/, ''));
    });

    // Download: the frame on show, the 800 x 600 pixels as they are.
    shell.download(() => {
        if (!shown)
            return null;
        keep(shown);
        return {picture: kept[shown], name: file_name(shown)};
    });
    shell.copy_link(() => address(shown || 1));
    shell.full_screen(player, shell.fit(player, stage));

    const start = shell.start({
        what: 'program',
        script: `${program}.js`,
        // SDL listens for keys here, where none ever come: the page decides.
        module: {canvas, tilings, keyboardListeningElement: document.createElement('div')},
        // The program starts once the labels' font, if it uses one, is there.
        ready: font ? document.fonts.load(`20px "${font}"`) : null,
        finished: () => phase === 'ended',
        failed: () => {
            phase = 'failed';
        },
        aborted: () => words.t('stopped', {n: words.number(latest)}),
    });
    player.focus({preventScroll: true});
})();
