// What the site's two kinds of page share, around the picture each runs:
// the program pages' player (page.js) and the explorer (explorer.js). It
// loads before either and offers them, as window.page_shell:
//
//   fit(box, stage, aside)   sizes the picture to the window, at 4:3
//   full_screen(box, fit)    the "Full screen" button
//   download(make)           the "Download picture" button: make() gives
//                            {picture: ImageData, name}
//   save(blob, name)         offers the blob as a file of that name
//   copy_link(address)       the "Copy link" button: address() gives the link
//   keep_pointer(stage)      keeps pointer and touch input from SDL
//   plain_key(event)         a key without Ctrl, Cmd, Alt or Shift
//   timings()                a record of how long inputs took to reach the
//                            canvas (beside the behaviour, never driving it)
//   start(options)           loads the compiled script into the page, and
//                            says in one sentence (#problem) when it
//                            cannot be run
// in the page's language (page_words, strings.js).
(function () {
    const $ = id => document.getElementById(id);
    const words = window.page_words;
    // The time the compiled script has to start, from the page's opening:
    // the page says why it did not within 10 s.
    const START_LIMIT = 9000;

    // The picture takes the room it has, at 4:3, so that it and its
    // controls fit the window without scrolling: smaller than 800 x 600 as
    // need be, larger by quarters (every pixel then the same size, near
    // enough), never smoothed (site.css). The controls lie below the
    // picture, or in `aside`, where the page's style puts it beside it.
    const MIN_WIDTH = 400;
    function fit(box, stage, aside) {
        function fit_now() {
            const full = document.fullscreenElement === box;
            const style = getComputedStyle(box);
            const beside = aside && aside.offsetLeft >= stage.offsetLeft + stage.offsetWidth;
            const width = (full ? window.innerWidth : box.parentElement.clientWidth) -
                          parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) -
                          (beside ? aside.offsetLeft + aside.offsetWidth -
                                    stage.offsetLeft - stage.offsetWidth : 0);
            const top = full ? 0 : box.getBoundingClientRect().top + window.scrollY;
            const below = box.offsetHeight -
                          (beside ? Math.max(stage.offsetHeight, aside.offsetHeight)
                                  : stage.offsetHeight);
            const height = window.innerHeight - top - below - (full ? 0 : 4);
            let scale = Math.min(width / 800, height / 600);
            if (scale >= 1)
                scale = Math.floor(scale * 4) / 4;
            // Where the controls cannot all fit below a picture of use (the
            // explorer's on a phone), the picture keeps MIN_WIDTH, or the
            // width there is, and the controls go on below the screen.
            const w = Math.max(160, Math.min(Math.floor(width), MIN_WIDTH), Math.floor(800 * scale));
            // The stage is sized: the canvas's own style is SDL's to set.
            stage.style.width = `${w}px`;
            stage.style.height = `${Math.floor(w * 3 / 4)}px`;
        }
        window.addEventListener('resize', fit_now);
        // Fitted again when the words around the picture change their size
        // (the language, the explorer's lists filled, a line of problems),
        // at the next frame.
        let due = false;
        const observer = new ResizeObserver(() => {
            if (due)
                return;
            due = true;
            requestAnimationFrame(() => {
                due = false;
                fit_now();
            });
        });
        for (const part of box.children)
            if (part !== stage)
                observer.observe(part);
        fit_now();
        return fit_now;
    }

    // Full screen: the box alone, on the whole screen; Esc leaves.
    function full_screen(box, fit_now) {
        const button = $('fullscreen');
        button.hidden = !document.fullscreenEnabled;
        button.addEventListener('click', () => {
            if (document.fullscreenElement)
                document.exitFullscreen();
            else
                box.requestFullscreen().then(() => box.focus(), () => {});
        });
        document.addEventListener('fullscreenchange', () => {
            button.dataset.t = document.fullscreenElement ? 'leave_fullscreen' : 'fullscreen';
            words.apply(button);
            fit_now();
        });
    }

    function save(blob, name) {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        link.download = name;
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }

    // Download: the 800 x 600 pixels as they are, as a PNG file.
    function download(make) {
        $('download').addEventListener('click', () => {
            const made = make();
            if (!made)
                return;
            const copy = document.createElement('canvas');
            copy.width = made.picture.width;
            copy.height = made.picture.height;
            copy.getContext('2d').putImageData(made.picture, 0, 0);
            copy.toBlob(blob => save(blob, made.name), 'image/png');
        });
    }

    function copy_link(address) {
        const button = $('copy');
        button.addEventListener('click', () => {
            const link = address();
            const said = key => {
                button.dataset.t = key;
                words.apply(button);
                setTimeout(() => {
                    button.dataset.t = 'copy';
                    words.apply(button);
                }, 2000);
            };
            const by_hand = () => {
                const field = document.createElement('textarea');
                field.value = link;
                document.body.appendChild(field);
                field.select();
                const done = document.execCommand('copy');
                field.remove();
                button.focus();
                said(done ? 'copied' : 'copy_by_hand');
            };
            if (navigator.clipboard && window.isSecureContext)
                navigator.clipboard.writeText(link).then(() => said('copied'), by_hand);
            else
                by_hand();
        });
    }

    // The picture keeps its pointer and touch input from SDL's listeners on
    // the canvas (which would take every touch, and so the pinch): the
    // page's own listeners go on the stage.
    function keep_pointer(stage) {
        for (const kind of ['touchstart', 'touchend', 'touchmove', 'mousedown', 'mouseup',
                            'mousemove', 'DOMMouseScroll', 'mousewheel', 'wheel', 'mouseout'])
            stage.addEventListener(kind, event => event.stopPropagation(), true);
    }

    function plain_key(event) {
        return !(event.ctrlKey || event.metaKey || event.altKey || event.shiftKey ||
                 event.isComposing);
    }

    // Timings: from the input's time stamp (or the page's start, 0) to the
    // picture on the canvas ("drawn"), and to the browser's next picture
    // after it ("painted"), with whatever else the page notes of it. Only
    // recorded: nothing the page does waits on them.
    function timings() {
        const list = [];
        return {
            list,
            note(entry, since) {
                const timing = Object.assign(entry, {drawn: performance.now() - since});
                requestAnimationFrame(() => {
                    timing.painted = performance.now() - since;
                });
                list.push(timing);
                return timing;
            },
        };
    }

    // Loads `script` (the compiled code, beside the page) with `module` as
    // its Module, once `ready` (a promise) settles. Until options.started()
    // is called, a script that is missing, damaged or slow fails the page
    // in one sentence, naming `what` runs in it ("program", "explorer").
    // Returns {fail, started}; options.aborted() words a stop after the
    // start, options.finished() says when a failure no longer matters, and
    // options.failed() hears of one.
    function start(options) {
        const status = $('status'), problem = $('problem');
        let failed = false, has_started = false;
        // A sentence naming what runs in the page, in the page's language.
        const say = (key, values) => words.t(key, Object.assign({
            what: words.t(`what.${options.what}`), What: words.t(`What.${options.what}`),
            script: options.script, again: words.t('again')}, values));
        function fail(sentence) {
            if (failed || (options.finished && options.finished()))
                return;
            failed = true;
            if (options.failed)
                options.failed();
            delete status.dataset.t;
            status.textContent = say('not_run');
            problem.textContent = sentence;
            problem.hidden = false;
        }
        const timer = setTimeout(() => {
            fail(say('not_in_time'));
        }, Math.max(0, START_LIMIT - performance.now()));
        function started() {
            has_started = true;
            clearTimeout(timer);
        }
        window.Module = Object.assign({
            print: text => console.log(text),
            printErr: text => console.error(text),
            onAbort: what => {
                console.error(what);
                if (!has_started)
                    fail(say('damaged'));
                else
                    fail(options.aborted());
            },
        }, options.module);
        // A script that breaks off (a file cut short) fails as a broken one.
        window.addEventListener('error', event => {
            if (!has_started)
                window.Module.onAbort(event.message);
        });
        const shell = {fail, started};
        if (typeof WebAssembly !== 'object') {
            fail(say('no_webassembly'));
            return shell;
        }
        (options.ready || Promise.resolve()).finally(() => {
            const code = document.createElement('script');
            code.src = options.script;
            code.onerror = () => fail(say('script_missing'));
            document.body.appendChild(code);
        });
        return shell;
    }

    window.page_shell = {fit, full_screen, save, download, copy_link, keep_pointer, plain_key,
                         timings, start};
})();
