// The page around one window program: the player (the picture and its
// controls) that runs <program>.js on the canvas and steps through its
// frames both ways.
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
// shows. When the program cannot be loaded or started within 10 s, the page
// says so in one sentence (#problem). Module.tilings.timings notes how long
// each frame took to reach the canvas after the input that asked for it
// (by: key, click, tap, button, back, hash) or after the page's start (load),
// and Module.tilings.ahead how long the program took to draw each frame it
// drew ahead.
(function () {
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
    // The time the program has to start, from the page's opening: the page
    // says why it did not within 10 s.
    const START_LIMIT = 9000;

    const kept = [];        // kept[n]: frame n's pixels
    let latest = 0;         // the program's latest frame: the wait it is in
    let shown = 0;          // the frame on the canvas
    let wanted = 1;         // the frame the program is running on to
    let running = true;     // the program is between two waits
    let ahead = false;      // it is drawing the frame after the one on show
    let ended = false;
    let resume = null;      // resolves the program's wait
    let input = null;       // the input that asked for the frame on its way
    let failed = false;
    let start_timer = null;

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
        const text = notes.captions[n - 1] || '';
        return text.charAt(0).toUpperCase() + text.slice(1);
    }
    function address(n) {
        return `${location.href.replace(/#.*$/, '')}#frame=${n}`;
    }

    // The frame number, status line, buttons and address for frame n.
    function show_state(n) {
        const total = frames || latest;
        $('count').textContent = `${n} of ${total}`;
        status.dataset.frame = String(n);
        status.textContent = `Frame ${n} of ${total}: ${caption(n)}`;
        // Marked rather than disabled, so that a button pressed to the end
        // keeps the focus (and the keys with it).
        for (const id of ['first', 'previous'])
            $(id).setAttribute('aria-disabled', String(n <= 1));
        for (const id of ['next', 'last'])
            $(id).setAttribute('aria-disabled', String(ended && n >= latest));
        if (location.hash !== `#frame=${n}`)
            history.replaceState(history.state, '', `#frame=${n}`);
        $('print-frame').textContent = String(n);
        $('print-link').textContent = address(n);
    }

    // Timings, from the input's time stamp (or the page's start) to the
    // frame on the canvas, and to the browser's next picture after it;
    // `from` says whether the program drew it or the page's store held it,
    // and `waited` how long the input waited for the page to take it.
    const tilings = {timings: [], ahead: []};
    let taken = 0;  // when the page took the input on its way
    function note_timing(n, by, since, from) {
        const timing = {frame: n, by, from, drawn: performance.now() - since,
                        waited: since ? taken - since : 0};
        requestAnimationFrame(() => {
            timing.painted = performance.now() - since;
            // The pixels are kept once painted, unless a step comes first;
            // then the next frame is drawn ahead.
            setTimeout(() => {
                keep(n);
                setTimeout(draw_ahead, 0);
            }, 0);
        });
        tilings.timings.push(timing);
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
        if (failed || ended || running || !resume || shown !== latest || !kept[latest] ||
            latest >= frames)
            return;
        ahead = true;
        run_on(latest + 1, 'ahead', performance.now());
    }

    // Shows frame n, kept earlier, at once.
    function show_kept(n, by, since) {
        keep(shown);
        context.putImageData(kept[n], 0, 0);
        shown = n;
        note_timing(n, by, since, 'store');
        show_state(n);
    }

    // The program runs on from its latest frame, with that frame on the
    // canvas, to frame n, passing over the frames before it (or to its end).
    function run_on(n, by, since) {
        if (shown !== latest) {
            keep(shown);
            context.putImageData(kept[latest], 0, 0);
            shown = latest;
        }
        keep(latest);
        wanted = n;
        input = {by, since};
        running = true;
        const go = resume;
        resume = null;
        go();
    }

    // Goes to frame n, asked for by `by` at time `since`.
    function go_to(n, by, since) {
        taken = performance.now();
        n = clamp(n);
        if (latest === 0 || running) {
            // Still loading, or on its way: the program goes on to it.
            wanted = Math.max(wanted, n);
            return;
        }
        if (failed || n === shown)
            return;
        if (n <= latest)
            show_kept(n, by, since);
        else if (!ended)
            run_on(n, by, since);
    }

    function step(delta, by, since) {
        taken = performance.now();
        if (failed || latest === 0 || running)
            return go_to((running ? wanted : shown) + delta, by, since);
        // Next at the last frame ends the program, as a key does in the window.
        if (delta > 0 && shown === latest && !ended && frames && latest >= frames)
            run_on(latest + 1, by, since);
        else
            go_to(shown + delta, by, since);
    }

    tilings.frame = n => {
        started();
        latest = n;
        running = false;
        if (ahead) {
            // Drawn ahead: kept, and the frame on show put back.
            ahead = false;
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
            running = true;
            return true;
        }
        shown = n;
        note_timing(n, input ? input.by : 'load', input ? input.since : 0, 'program');
        show_state(n);
        input = null;
        return false;
    };
    tilings.wait = n => new Promise(resolve => {
        resume = resolve;
    });
    tilings.ended = code => {
        started();
        running = false;
        ended = true;
        input = null;
        keep(latest);
        status.dataset.ended = 'true';
        show_state(shown);
        if (code !== 0)
            status.textContent += ` (the program ended with status ${code})`;
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
        if (!action || event.ctrlKey || event.metaKey || event.altKey || event.shiftKey ||
            event.isComposing)
            return;
        if (event.target.closest('button, a') && (event.key === 'Enter' || event.key === ' '))
            return;
        event.preventDefault();
        ACTIONS[action]('key', event.timeStamp);
    });
    for (const action of Object.keys(ACTIONS))
        $(action).addEventListener('click', event => ACTIONS[action]('button', event.timeStamp));

    // The picture keeps its pointer and touch input from SDL's listeners on
    // the canvas (which would take every touch, and so the pinch); a click
    // or tap on it is next.
    for (const kind of ['touchstart', 'touchend', 'touchmove', 'mousedown', 'mouseup',
                        'mousemove', 'DOMMouseScroll', 'mousewheel', 'wheel', 'mouseout'])
        stage.addEventListener(kind, event => event.stopPropagation(), true);
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
    $('download').addEventListener('click', () => {
        if (!shown)
            return;
        keep(shown);
        const copy = document.createElement('canvas');
        copy.width = canvas.width;
        copy.height = canvas.height;
        copy.getContext('2d').putImageData(kept[shown], 0, 0);
        const name = file_name(shown);
        copy.toBlob(blob => {
            const link = document.createElement('a');
            link.href = URL.createObjectURL(blob);
            link.download = name;
            document.body.appendChild(link);
            link.click();
            link.remove();
            setTimeout(() => URL.revokeObjectURL(link.href), 60000);
        }, 'image/png');
    });

    $('copy').addEventListener('click', () => {
        const link = address(shown || 1);
        const said = text => {
            $('copy').textContent = text;
            setTimeout(() => {
                $('copy').textContent = 'Copy link';
            }, 2000);
        };
        const by_hand = () => {
            const field = document.createElement('textarea');
            field.value = link;
            document.body.appendChild(field);
            field.select();
            const done = document.execCommand('copy');
            field.remove();
            $('copy').focus();
            said(done ? 'Link copied' : 'Copy the address bar');
        };
        if (navigator.clipboard && window.isSecureContext)
            navigator.clipboard.writeText(link).then(() => said('Link copied'), by_hand);
        else
            by_hand();
    });

    // Full screen: the player alone, on the whole screen; Esc leaves.
    $('fullscreen').hidden = !document.fullscreenEnabled;
    $('fullscreen').addEventListener('click', () => {
        if (document.fullscreenElement)
            document.exitFullscreen();
        else
            player.requestFullscreen().then(() => player.focus(), () => {});
    });
    document.addEventListener('fullscreenchange', () => {
        $('fullscreen').textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
        fit();
    });

    // The picture takes the room it has, at 4:3, so that it and its
    // controls fit the window without scrolling: smaller than 800 x 600 as
    // need be, larger by quarters (every pixel then the same size, near
    // enough), never smoothed (site.css).
    function fit() {
        const full = document.fullscreenElement === player;
        const style = getComputedStyle(player);
        const width = (full ? window.innerWidth : player.parentElement.clientWidth) -
                      parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
        const top = full ? 0 : player.getBoundingClientRect().top + window.scrollY;
        const below = player.offsetHeight - stage.offsetHeight;
        const height = window.innerHeight - top - below - (full ? 0 : 4);
        let scale = Math.min(width / 800, height / 600);
        if (scale >= 1)
            scale = Math.floor(scale * 4) / 4;
        const w = Math.max(160, Math.floor(800 * scale));
        // The stage is sized: the canvas's own style is SDL's to set.
        stage.style.width = `${w}px`;
        stage.style.height = `${Math.floor(w * 3 / 4)}px`;
    }
    window.addEventListener('resize', fit);
    fit();

    // Fails in one sentence, saying what is missing and what to do.
    const again = 'copy the whole folder of the pages again, or build them anew with ' +
                  'tools/build_web.sh, and reload this page.';
    function fail(sentence) {
        if (failed || ended)
            return;
        failed = true;
        status.textContent = 'The program could not be run.';
        $('problem').textContent = sentence;
        $('problem').hidden = false;
    }
    start_timer = setTimeout(() => {
        fail(`The program did not start in time: ${again}`);
    }, Math.max(0, START_LIMIT - performance.now()));
    function started() {
        clearTimeout(start_timer);
    }

    window.Module = {
        canvas,
        tilings,
        // SDL listens for keys here, where none ever come: the page decides.
        keyboardListeningElement: document.createElement('div'),
        print: text => console.log(text),
        printErr: text => console.error(text),
        onAbort: what => {
            console.error(what);
            if (latest === 0)
                fail(`The program in ${program}.js could not be started, as that file is ` +
                     `damaged or incomplete: ${again}`);
            else
                fail(`The program stopped at frame ${latest}; reload the page to run it again.`);
        },
    };
    // A script that breaks off (a file cut short) fails as a broken one.
    window.addEventListener('error', event => {
        if (latest === 0)
            window.Module.onAbort(event.message);
    });

    player.focus({preventScroll: true});
    if (typeof WebAssembly !== 'object') {
        fail('This browser cannot run the program, as it lacks WebAssembly: ' +
             'open the page in a current browser.');
        return;
    }
    // The program starts once the labels' font, if it uses one, is there.
    const ready = font ? document.fonts.load(`20px "${font}"`) : Promise.resolve();
    ready.finally(() => {
        const code = document.createElement('script');
        code.src = `${program}.js`;
        code.onerror = () => fail(`The file ${program}.js, which holds the program, is missing ` +
                                  `beside this page: ${again}`);
        document.body.appendChild(code);
    });
})();
