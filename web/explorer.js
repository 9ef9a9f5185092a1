// The explorer's page: the chair, the triangle and the five-way split at
// any depth, zoom and leg ratio, drawn on the canvas by tilings_explore.js
// (explore/explore_web.cpp, the native explorer's code), in the shell it
// shares with the program pages (shell.js).
//
// The state is the address's fragment, a query string such as
// explore.html#family=fivesplit&colour=child&depth=7&ratio=0.7&zoom=8&x=62.625&y=62.375
// (a fragment, so that it works from a folder too). The address follows the
// picture, within a tenth of a second, without adding to the history; an
// edited address, or Back and Forward between such, is drawn as it stands,
// or as the nearest valid state with one line (#problem) saying what was
// changed. Nothing from the address is written into the page but as text.
//
// Every input changes the state at once; the picture is drawn at most once
// an animation frame, from the state as it stands then (the last wins): at
// once when nothing has been drawn since the last frame began, else at the
// next. Keys act while the explorer has the focus, outside its fields:
// PageDown or ] one level deeper, PageUp or [ one up; + or = zoom in 2x,
// - out; the arrows move an eighth of the view; Home goes to the family's
// home view. The wheel zooms about the pointer, a quarter of a doubling a
// notch; a drag moves the view; two fingers move it and pinch about their
// middle.
//
// The picture's name is the state in words, in the page's language
// (strings.js); the status line says it with the number of tiles, and
// #announce says it again, politely, to a screen reader: once a key or
// control has drawn its picture, and once a drag, pinch or turn of the
// wheel has settled (not at every picture on its way). The buttons under
// "Download the tiles" write the state on show out as tilings_explore
// does, byte for byte: SVG, cut lines, tile data (CSV) and PDF on the
// paper chosen, named as the picture is, explore_<family>_<colour>_d<depth>
// (.svg, _cut.svg, .csv, _A4.pdf).
//
// #status carries data-state, the canonical query of the picture on show
// (set once it is on the canvas), and data-drawn, the pictures drawn so
// far. Beside this, and driving none of it, Module.explorer.timings notes
// each drawing: the input that asked first (by: key, wheel, drag, pinch,
// control, hash, load), the time from it to the canvas (drawn) and to the
// next picture (painted), how long it waited for the page to take it
// (waited), the time in the drawing itself (wasm) and with the page's
// status, address and controls brought up to date (handled), the tiles and
// the state.
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
    const $ = id => document.getElementById(id);
    const box = $('explorer'), stage = $('stage'), canvas = $('canvas'), status = $('status');
    const presets = JSON.parse($('presets').textContent);
    const context = canvas.getContext('2d');
    const record = shell.timings();
    const explorer = {timings: record.list};
    let api = null;          // the compiled functions, once started
    let catalogue = null;    // their families and colourings
    let drawn = 0;
    let waiting = null;      // the first input not yet drawn: {by, since}
    let frame_asked = false; // a drawing was made since the last animation frame began

    function bind() {
        const c = (name, returns, args) => Module.cwrap(name, returns, args);
        const number = 'number';
        return {
            open: c('explore_open', null, []),
            catalogue: c('explore_catalogue', 'string', []),
            read: c('explore_read', 'string', ['string']),
            query: c('explore_query', 'string', []),
            words: c('explore_words', 'string', ['string']),
            deepest: c('explore_deepest', number, []),
            zoom: c('explore_zoom', null, [number, number, number]),
            pan: c('explore_pan', null, [number, number]),
            step: c('explore_step', null, [number]),
            home: c('explore_home', null, []),
            family: c('explore_family', null, [number]),
            colouring: c('explore_colouring', null, [number]),
            ratio: c('explore_ratio', null, [number]),
            border: c('explore_border', null, [number]),
            draw: c('explore_draw', number, []),
            export: c('explore_export', number, [number, number]),
            export_size: c('explore_export_size', number, []),
        };
    }

    // The state has changed, by `by` at `since`: drawn now or at the next
    // animation frame.
    function changed(by, since) {
        if (!api)
            return;
        if (by !== 'hash' && by !== 'load')
            $('problem').hidden = true;
        if (!waiting)
            waiting = {by, since, taken: performance.now()};
        if (!frame_asked)
            draw();
    }

    function draw() {
        frame_asked = true;
        requestAnimationFrame(() => {
            frame_asked = false;
            if (waiting && api)
                draw();
        });
        const began = performance.now();
        const tiles = api.draw();
        // On the canvas now.
        const timing = record.note({by: waiting.by, tiles, wasm: performance.now() - began,
                                    waited: waiting.since ? waiting.taken - waiting.since : 0},
                                   waiting.since);
        waiting = null;
        const query = timing.state = api.query();
        drawn += 1;
        status.dataset.state = query;
        status.dataset.drawn = String(drawn);
        shown_tiles = tiles;
        say_state();
        if (settling())
            unsaid = true;
        else
            announce();
        follow(query);
        show_controls(query);
        timing.handled = performance.now() - began;
    }

    // The state on show in words: the picture's name and the status line.
    let shown_tiles = 0;
    function say_state() {
        const said = api.words(words.language);
        delete canvas.dataset.tLabel;
        canvas.setAttribute('aria-label', said);
        delete status.dataset.t;
        status.textContent = shown_tiles === 1
            ? words.t('explorer_status_one', {words: said})
            : words.t('explorer_status', {words: said, tiles: words.number(shown_tiles)});
    }

    // What is on show, to a screen reader, once the gesture that moves it
    // has settled: the pointers are up, the ratio's slider let go, and the
    // wheel has rested WHEEL_REST ms; a picture still to draw says it then.
    const WHEEL_REST = 400;
    let unsaid = false, wheel_timer = null, sliding = false;
    const settling = () => pointers.size > 0 || wheel_timer !== null || sliding;
    function announce() {
        unsaid = false;
        $('announce').textContent = status.textContent;
    }
    function settled() {
        if (!settling() && unsaid && !waiting)
            announce();
    }

    // The address follows the picture, at most every ADDRESS_MS: the
    // browser ignores a page that replaces its address more than 200 times
    // in 10 s, as a drag or the wheel would. The last state always gets
    // there, unless the address changes meanwhile (Back, Forward, an edit):
    // that address is drawn, not written over.
    const ADDRESS_MS = 100;
    let addressed = -Infinity, address_timer = null;
    function follow(query) {
        clearTimeout(address_timer);
        const due = addressed + ADDRESS_MS - performance.now();
        if (due > 0) {
            const from = location.hash;
            address_timer = setTimeout(() => {
                if (location.hash === from)
                    follow(query);
            }, due);
            return;
        }
        addressed = performance.now();
        if (location.hash !== `#${query}`)
            history.replaceState(history.state, '', `#${query}`);
    }

    // The address, as it stands: the state it names, or the nearest valid
    // one and the line saying what was changed.
    function from_address(by, since) {
        const problems = api.read(location.hash);
        $('problem').textContent = problems;
        $('problem').hidden = !problems;
        changed(by, since);
    }

    // --- The controls -------------------------------------------------------

    const pick = both => both[words.language] || both.en;

    function fill(select, items) {
        select.replaceChildren(...items.map(([value, text]) => {
            const option = document.createElement('option');
            option.value = value;
            option.textContent = text;
            return option;
        }));
    }

    function show_controls(query) {
        const state = new URLSearchParams(query);
        const family = catalogue.families.findIndex(f => f.name === state.get('family'));
        if ($('family').value !== String(family) || !$('colour').options.length)
            fill($('colour'), catalogue.colourings.map((c, i) => [i, pick(c.words), c.family])
                                  .filter(c => c[2] === family));
        $('family').value = String(family);
        $('colour').value = String(catalogue.colourings.findIndex(c => c.name ===
                                                                      state.get('colour')));
        $('depth').value = state.get('depth');
        $('depth').max = String(api.deepest());
        $('ratio-group').hidden = !state.has('ratio');
        if (state.has('ratio')) {
            $('ratio').value = state.get('ratio');
            $('ratio-value').textContent = words.number(Number(state.get('ratio')),
                                                        {maximumSignificantDigits: 6});
        }
        $('border').checked = state.get('border') === '1';
        const preset = presets.find(p => p.state === query);
        $('preset').value = preset ? preset.state : '';
    }

    const on = (id, kind, act) => $(id).addEventListener(kind, event => {
        if (api) {
            act(event);
            changed('control', event.timeStamp);
        }
    });
    const depth_now = () => Number(new URLSearchParams(api.query()).get('depth'));
    on('family', 'change', () => api.family(Number($('family').value)));
    on('colour', 'change', () => api.colouring(Number($('colour').value)));
    on('shallower', 'click', () => api.step(-1));
    on('deeper', 'click', () => api.step(1));
    on('depth', 'change', () => {
        const asked = Math.round(Number($('depth').value));
        if ($('depth').value !== '' && Number.isFinite(asked))
            api.step(asked - depth_now());
    });
    on('ratio', 'input', () => {
        sliding = true;
        api.ratio(Number($('ratio').value));
    });
    $('ratio').addEventListener('change', () => {
        sliding = false;
        settled();
    });
    on('zoom-in', 'click', () => api.zoom(2, 400, 300));
    on('zoom-out', 'click', () => api.zoom(0.5, 400, 300));
    on('home', 'click', () => api.home());
    on('border', 'change', () => api.border($('border').checked ? 1 : 0));
    on('preset', 'change', () => {
        if ($('preset').value)
            api.read($('preset').value);
    });

    // --- Keys, the wheel, drags and pinches ---------------------------------

    const KEYS = {
        PageDown: () => api.step(1), ']': () => api.step(1),
        PageUp: () => api.step(-1), '[': () => api.step(-1),
        '+': () => api.zoom(2, 400, 300), '=': () => api.zoom(2, 400, 300),
        '-': () => api.zoom(0.5, 400, 300),
        ArrowLeft: () => api.pan(100, 0), ArrowRight: () => api.pan(-100, 0),
        ArrowUp: () => api.pan(0, 75), ArrowDown: () => api.pan(0, -75),
        Home: () => api.home(),
    };
    box.addEventListener('keydown', event => {
        const act = KEYS[event.key];
        // Shift is part of a character (+ on many keyboards), not of the
        // named keys.
        const typed = event.key.length === 1 && !event.ctrlKey && !event.metaKey && !event.altKey;
        if (!act || !api || !(typed || shell.plain_key(event)) ||
            event.target.closest('input, select, textarea'))
            return;
        event.preventDefault();
        act();
        changed('key', event.timeStamp);
    });

    // A point of the event in the canvas's pixels, however large it is shown.
    function canvas_point(event) {
        const r = canvas.getBoundingClientRect();
        return {x: (event.clientX - r.left) * canvas.width / r.width,
                y: (event.clientY - r.top) * canvas.height / r.height};
    }

    shell.keep_pointer(stage);
    stage.addEventListener('wheel', event => {
        event.preventDefault();
        if (!api || !event.deltaY)
            return;
        const pixels = event.deltaY * [1, 33, 600][event.deltaMode];
        const at = canvas_point(event);
        api.zoom(Math.pow(2, -pixels / 400), at.x, at.y);
        clearTimeout(wheel_timer);
        wheel_timer = setTimeout(() => {
            wheel_timer = null;
            settled();
        }, WHEEL_REST);
        changed('wheel', event.timeStamp);
    }, {capture: true, passive: false});

    const pointers = new Map(); // the pointers down on the picture, where they were last
    stage.addEventListener('pointerdown', event => {
        if (event.pointerType === 'mouse' && event.button !== 0)
            return;
        stage.setPointerCapture(event.pointerId);
        pointers.set(event.pointerId, canvas_point(event));
        box.focus({preventScroll: true});
    });
    stage.addEventListener('pointermove', event => {
        const before = pointers.get(event.pointerId);
        if (!before || !api)
            return;
        const after = canvas_point(event);
        pointers.set(event.pointerId, after);
        if (pointers.size === 1) {
            api.pan(after.x - before.x, after.y - before.y);
            changed('drag', event.timeStamp);
        } else if (pointers.size === 2) {
            // The other finger stays: the middle moves half as far, and the
            // view zooms about it as the fingers part.
            const other = [...pointers].find(([id]) => id !== event.pointerId)[1];
            const apart = p => Math.hypot(p.x - other.x, p.y - other.y);
            const mid = {x: (after.x + other.x) / 2, y: (after.y + other.y) / 2};
            api.pan((after.x - before.x) / 2, (after.y - before.y) / 2);
            if (apart(before) > 0 && apart(after) > 0)
                api.zoom(apart(after) / apart(before), mid.x, mid.y);
            changed('pinch', event.timeStamp);
        }
    });
    for (const kind of ['pointerup', 'pointercancel'])
        stage.addEventListener(kind, event => {
            pointers.delete(event.pointerId);
            settled();
        });

    window.addEventListener('hashchange', event => {
        if (api)
            from_address('hash', event.timeStamp);
    });

    // --- The shell's parts --------------------------------------------------

    const address = () => `${location.href.replace(/#.*$/, '')}#${status.dataset.state}`;
    // The files' name, from the state they show.
    function file_name(query, ending) {
        const state = new URLSearchParams(query);
        return `explore_${state.get('family')}_${state.get('colour')}_d${state.get('depth')}` +
               ending;
    }
    shell.download(() => {
        if (!drawn)
            return null;
        return {picture: context.getImageData(0, 0, canvas.width, canvas.height),
                name: file_name(status.dataset.state, '.png')};
    });

    // The view written out, as tilings_explore's --svg, --outline, --csv
    // and --pdf write it (the order of explore_export's formats).
    const EXPORTS = [['export-svg', '.svg', 'image/svg+xml'],
                     ['export-cut', '_cut.svg', 'image/svg+xml'],
                     ['export-csv', '.csv', 'text/csv'],
                     ['export-pdf', '.pdf', 'application/pdf']];
    EXPORTS.forEach(([id, ending, type], format) => $(id).addEventListener('click', () => {
        if (!api)
            return;
        const paper = $('paper').selectedIndex;
        const start = api.export(format, paper);
        // After the call: the memory may have grown, and HEAPU8 with it.
        const bytes = Module.HEAPU8.slice(start, start + api.export_size());
        const name = file_name(api.query(), id === 'export-pdf'
            ? `_${$('paper').value}${ending}` : ending);
        shell.save(new Blob([bytes], {type}), name);
    }));
    shell.copy_link(address);
    shell.full_screen(box, shell.fit(box, stage, box.querySelector('.controls')));

    const start = shell.start({
        what: 'explorer',
        script: 'tilings_explore.js',
        module: {
            canvas,
            explorer,
            // SDL listens for keys here, where none ever come: the page decides.
            keyboardListeningElement: document.createElement('div'),
            onRuntimeInitialized: () => {
                const functions = bind();
                functions.open();
                catalogue = JSON.parse(functions.catalogue());
                fill($('family'), catalogue.families.map((f, i) => [i, pick(f.title)]));
                api = functions;
                start.started();
                from_address('load', 0);
            },
        },
        failed: () => {
            api = null;
        },
        aborted: () => words.t('explorer_stopped'),
    });

    // A switch of language names the families, colourings and state anew.
    words.on_change(() => {
        if (!api)
            return;
        fill($('family'), catalogue.families.map((f, i) => [i, pick(f.title)]));
        $('colour').replaceChildren();
        show_controls(status.dataset.state);
        say_state();
    });
    box.focus({preventScroll: true});
})();
