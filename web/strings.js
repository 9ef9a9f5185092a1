// The pages' own words, in English and in French, and the choice between
// them. Every sentence the gallery, the program pages and the explorer say
// themselves is here, once per language; what the programs say of
// themselves (their titles, descriptions and captions) comes from their
// sources' notes, which the site's writer (make_site.js) hands each page
// as its page words, in both languages, under keys beginning "note.".
//
// The language is the address's ?lang=en or ?lang=fr; without it, the
// first of the browser's preferred languages (navigator.languages) that is
// English or French; else English. The site's writer writes each page
// once, in English, from these tables, and the page takes its language as
// it opens: every element marked data-t="key" gets the key's text,
// data-t-label its aria-label, data-t-title its title and data-t-alt its
// alt. The switch ("English · Français", nav.languages) changes the
// language in place, so that the frame on show, the explorer's state and
// the address's fragment stay as they are; the address then carries
// ?lang=, and so do the links to the other pages. Numbers are written as
// the language writes them ("0,5" and "1 024" in French).
//
// A text's {name} is filled in by the page. The site's writer reads the
// tables with require(); in a page this script offers window.page_words:
//   language              "en" or "fr"
//   t(key, values)        the key's text, with {name} from values
//   number(v, options)    v as the language writes it (Intl.NumberFormat)
//   apply(root)           fills the marked elements of root, itself too
//   link(href)            a link to another page, in this language
//   on_change(listener)   listener(language) after each switch
(function () {
    'use strict';
    const LANGUAGES = ['en', 'fr'];
    // French puts a no-break space before a colon.
    const STRINGS = {
        en: {
            language_label: 'Language',
            all_tilings: 'All the tilings',
            fullscreen: 'Full screen',
            leave_fullscreen: 'Leave full screen',
            download: 'Download picture',
            copy: 'Copy link',
            copied: 'Link copied',
            copy_by_hand: 'Copy the address bar',
            // What runs in a page, for the sentences when it cannot.
            'what.program': 'the program',
            'what.explorer': 'the explorer',
            'What.program': 'The program',
            'What.explorer': 'The explorer',
            not_run: '{What} could not be run.',
            again: 'copy the whole folder of the pages again, or build them anew with ' +
                   'tools/build_web.sh, and reload this page.',
            not_in_time: '{What} did not start in time: {again}',
            damaged: '{What} in {script} could not be started, as that file is damaged or ' +
                     'incomplete: {again}',
            no_webassembly: 'This browser cannot run {what}, as it lacks WebAssembly: open the ' +
                            'page in a current browser.',
            script_missing: 'The file {script}, which holds {what}, is missing beside this ' +
                            'page: {again}',
            shell_missing: 'The file shell.js is missing beside this page: copy the whole ' +
                           'folder of the pages again, and reload this page.',

            // The gallery.
            site_title: 'Self-similar tilings',
            intro: 'Each picture is a tiling of the plane by copies of one shape at smaller ' +
                   'and smaller scales, drawn on an 800 × 600 canvas, some in several frames. ' +
                   'Open one, then press → or click the picture (tap it on a phone) for the ' +
                   'next frame, and ← for the one before.',
            explore_link: 'Explore the tilings',
            explore_intro: ': the chair, the triangle and the five-way split at any depth, ' +
                           'zoom and leg ratio.',
            'family.chair': 'The chair',
            'family.chair.about': 'A chair, an L of three squares, splits into four smaller ' +
                'chairs, so it tiles the plane at every scale; these pictures split it, grow ' +
                'it and look closely at it.',
            'family.hexagon': 'The five-fold hexagons',
            'family.hexagon.about': 'Hexagons with corners of 72° and 144° laid in rings with ' +
                'five-fold symmetry, and the strapwork drawn over them.',
            'family.triangle': 'The equilateral triangle',
            'family.triangle.about': 'An equilateral triangle split about its centre and the ' +
                'thirds or midpoints of its edges, again and again, shaded by the shape of ' +
                'each piece.',
            'family.fivesplit': 'The five-way split',
            'family.fivesplit.about': 'A right triangle whose legs are in a fixed ratio splits ' +
                'into five smaller copies of itself; coloured by size, by place or by area, ' +
                'or turned as a pinwheel.',
            one_frame: 'One frame.',
            frames: '{n} frames.',
            frame_label: '{title}, frame {n} of {total}: {caption}',

            // A program's page.
            the_program: 'The program',
            explore_this: 'Explore this figure',
            player_label: 'The picture and its controls: the arrow keys step through the ' +
                          'frames',
            picture_label: '{title}: the picture, 800 × 600 pixels',
            first: 'First frame',
            first_key: 'First frame (Home)',
            previous: 'Previous frame',
            previous_key: 'Previous frame (←)',
            next: 'Next frame',
            next_key: 'Next frame (→)',
            last: 'Last frame',
            last_key: 'Last frame (End)',
            count: '{n} of {total}',
            frame_status: 'Frame {n} of {total}: {caption}',
            loading_program: 'Loading the program…',
            ended_status: '{status} (the program ended with status {code})',
            stopped: 'The program stopped at frame {n}; reload the page to run it again.',
            hint_keys: '→, Space or a click on the picture shows the next frame; ← the one ' +
                       'before; Home and End the first and the last.',
            hint_taps: 'Tap the picture for the next frame; the buttons go back, or to the ' +
                       'first or last frame. Pinch to zoom.',
            ended: 'The program has ended: its last frame stays on the canvas, and the ' +
                   'buttons still go back.',
            run_again: 'Run it again',
            back_to_gallery: 'Back to the gallery',
            print_link: '{title}, frame {n}: {link}',

            // The explorer.
            explorer_lead: 'The chair, the triangle and the five-way split at any depth, ' +
                           'zoom and leg ratio',
            explorer_label: 'The picture and its controls: PageDown and PageUp go deeper and ' +
                            'back, + and - zoom, the arrows move',
            tiling_label: 'The tiling, 800 × 600 pixels',
            family: 'Family',
            colouring: 'Colouring',
            depth: 'Depth',
            shallower: 'One level up',
            shallower_key: 'One level up (PageUp or [)',
            deeper: 'One level deeper',
            deeper_key: 'One level deeper (PageDown or ])',
            ratio: 'Leg ratio',
            zoom_out: 'Zoom out',
            zoom_out_key: 'Zoom out (-)',
            zoom_out_short: 'Zoom −',
            zoom_in: 'Zoom in',
            zoom_in_key: 'Zoom in (+)',
            zoom_in_short: 'Zoom +',
            home: 'Reset',
            home_key: 'The family\'s home view (Home)',
            border: 'Border',
            preset: 'Preset',
            choose_preset: 'Choose a program\'s frame…',
            preset_label: '{title}, frame {n}',
            tiles_label: 'Download the tiles',
            export_svg: 'SVG',
            export_svg_key: 'The tiles as an SVG picture',
            export_cut: 'Cut lines',
            export_cut_key: 'Every edge once, as SVG, for a laser cutter or a pen plotter',
            export_csv: 'Tile data (CSV)',
            export_csv_key: 'Each tile\'s id, parent, level, class and corners, as CSV',
            export_pdf: 'PDF',
            export_pdf_key: 'The view on one landscape page, as vector polygons',
            paper: 'Paper',
            loading_explorer: 'Loading the explorer…',
            explorer_status: '{words}: {tiles} tiles.',
            explorer_status_one: '{words}: 1 tile.',
            explorer_stopped: 'The explorer stopped: reload the page to start it again.',
            explorer_hint_keys: 'PageDown or ] goes one level deeper, PageUp or [ one up; + ' +
                'or = zooms in, - out, and the wheel zooms about the pointer; the arrows or a ' +
                'drag move the view; Home goes back to the family\'s home view.',
            explorer_hint_taps: 'Drag to move the view and pinch to zoom; the buttons go ' +
                                'deeper or back.',
            explorer_about: 'Each tiling is drawn by the same routines as the programs\' ' +
                'pictures, so that at a program\'s settings (a preset) the picture is that ' +
                'program\'s frame, pixel for pixel. The address follows the picture: copy it ' +
                'to share what you see. The buttons under "Download the tiles" write the ' +
                'view out, the same files as tilings_explore writes.',
        },
        fr: {
            language_label: 'Langue',
            all_tilings: 'Tous les pavages',
            fullscreen: 'Plein écran',
            leave_fullscreen: 'Quitter le plein écran',
            download: 'Télécharger l\'image',
            copy: 'Copier le lien',
            copied: 'Lien copié',
            copy_by_hand: 'Copiez la barre d\'adresse',
            'what.program': 'le programme',
            'what.explorer': 'l\'explorateur',
            'What.program': 'Le programme',
            'What.explorer': 'L\'explorateur',
            not_run: '{What} n\'a pas pu être lancé.',
            again: 'copiez de nouveau tout le dossier des pages, ou reconstruisez-les avec ' +
                   'tools/build_web.sh, puis rechargez cette page.',
            not_in_time: '{What} n\'a pas démarré à temps\u00a0: {again}',
            damaged: '{What} contenu dans {script} n\'a pas pu démarrer, car ce fichier est ' +
                     'abîmé ou incomplet\u00a0: {again}',
            no_webassembly: 'Ce navigateur ne peut pas faire tourner {what}, faute de ' +
                            'WebAssembly\u00a0: ouvrez la page dans un navigateur récent.',
            script_missing: 'Le fichier {script}, qui contient {what}, manque à côté de cette ' +
                            'page\u00a0: {again}',
            shell_missing: 'Le fichier shell.js manque à côté de cette page\u00a0: copiez de ' +
                           'nouveau tout le dossier des pages, puis rechargez cette page.',

            site_title: 'Pavages autosimilaires',
            intro: 'Chaque image est un pavage du plan par des copies d\'une même forme, de ' +
                   'plus en plus petites, tracé sur un canevas de 800 × 600, parfois en ' +
                   'plusieurs images. Ouvrez-en une, puis appuyez sur → ou cliquez sur l\'image ' +
                   '(touchez-la sur un téléphone) pour l\'image suivante, et sur ← pour la ' +
                   'précédente.',
            explore_link: 'Explorer les pavages',
            explore_intro: '\u00a0: la chaise, le triangle et le découpage en cinq à toute ' +
                           'profondeur, tout grossissement et tout rapport des côtés.',
            'family.chair': 'La chaise',
            'family.chair.about': 'Une chaise, un L de trois carrés, se découpe en quatre ' +
                'chaises plus petites\u00a0; elle pave donc le plan à toutes les échelles. Ces ' +
                'images la découpent, la font grandir et l\'examinent de près.',
            'family.hexagon': 'Les hexagones à symétrie d\'ordre cinq',
            'family.hexagon.about': 'Des hexagones aux angles de 72° et 144° disposés en ' +
                'anneaux avec une symétrie d\'ordre cinq, et les entrelacs tracés par-dessus.',
            'family.triangle': 'Le triangle équilatéral',
            'family.triangle.about': 'Un triangle équilatéral découpé autour de son centre et ' +
                'des tiers ou des milieux de ses côtés, encore et encore, chaque morceau ombré ' +
                'selon sa forme.',
            'family.fivesplit': 'Le découpage en cinq',
            'family.fivesplit.about': 'Un triangle rectangle aux côtés dans un rapport fixe se ' +
                'découpe en cinq copies plus petites de lui-même\u00a0; colorié selon la taille, ' +
                'la place ou l\'aire, ou tourné en moulinet.',
            one_frame: 'Une image.',
            frames: '{n} images.',
            frame_label: '{title}, image {n} sur {total}\u00a0: {caption}',

            the_program: 'Le programme',
            explore_this: 'Explorer cette figure',
            player_label: 'L\'image et ses commandes\u00a0: les flèches passent d\'une image à ' +
                          'l\'autre',
            picture_label: '{title}\u00a0: l\'image, 800 × 600 pixels',
            first: 'Première image',
            first_key: 'Première image (Début)',
            previous: 'Image précédente',
            previous_key: 'Image précédente (←)',
            next: 'Image suivante',
            next_key: 'Image suivante (→)',
            last: 'Dernière image',
            last_key: 'Dernière image (Fin)',
            count: '{n} sur {total}',
            frame_status: 'Image {n} sur {total}\u00a0: {caption}',
            loading_program: 'Chargement du programme…',
            ended_status: '{status} (le programme s\'est terminé avec le code {code})',
            stopped: 'Le programme s\'est arrêté à l\'image {n}\u00a0; rechargez la page pour le ' +
                     'relancer.',
            hint_keys: '→, Espace ou un clic sur l\'image montre l\'image suivante\u00a0; ← la ' +
                       'précédente\u00a0; Début et Fin la première et la dernière.',
            hint_taps: 'Touchez l\'image pour passer à la suivante\u00a0; les boutons reviennent ' +
                       'en arrière, ou vont à la première ou à la dernière image. Pincez pour ' +
                       'zoomer.',
            ended: 'Le programme est terminé\u00a0: sa dernière image reste affichée, et les ' +
                   'boutons permettent encore de revenir en arrière.',
            run_again: 'Le relancer',
            back_to_gallery: 'Retour à la galerie',
            print_link: '{title}, image {n}\u00a0: {link}',

            explorer_lead: 'La chaise, le triangle et le découpage en cinq à toute profondeur, ' +
                           'tout grossissement et tout rapport des côtés',
            explorer_label: 'L\'image et ses commandes\u00a0: Pg suiv et Pg préc descendent et ' +
                            'remontent d\'un niveau, + et - zooment, les flèches déplacent',
            tiling_label: 'Le pavage, 800 × 600 pixels',
            family: 'Famille',
            colouring: 'Coloration',
            depth: 'Profondeur',
            shallower: 'Un niveau plus haut',
            shallower_key: 'Un niveau plus haut (Pg préc ou [)',
            deeper: 'Un niveau plus profond',
            deeper_key: 'Un niveau plus profond (Pg suiv ou ])',
            ratio: 'Rapport des côtés',
            zoom_out: 'Zoom arrière',
            zoom_out_key: 'Zoom arrière (-)',
            zoom_out_short: 'Zoom −',
            zoom_in: 'Zoom avant',
            zoom_in_key: 'Zoom avant (+)',
            zoom_in_short: 'Zoom +',
            home: 'Vue de départ',
            home_key: 'La vue de départ de la famille (Début)',
            border: 'Cadre',
            preset: 'Préréglage',
            choose_preset: 'Choisir l\'image d\'un programme…',
            preset_label: '{title}, image {n}',
            tiles_label: 'Télécharger les pavés',
            export_svg: 'SVG',
            export_svg_key: 'Les pavés en image SVG',
            export_cut: 'Lignes de découpe',
            export_cut_key: 'Chaque côté une seule fois, en SVG, pour une découpeuse laser ou ' +
                            'un traceur',
            export_csv: 'Données des pavés (CSV)',
            export_csv_key: 'Le numéro, le parent, le niveau, la classe et les sommets de ' +
                            'chaque pavé, en CSV',
            export_pdf: 'PDF',
            export_pdf_key: 'La vue sur une page à l\'italienne, en polygones vectoriels',
            paper: 'Papier',
            loading_explorer: 'Chargement de l\'explorateur…',
            explorer_status: '{words}\u00a0: {tiles} pavés.',
            explorer_status_one: '{words}\u00a0: 1 pavé.',
            explorer_stopped: 'L\'explorateur s\'est arrêté\u00a0: rechargez la page pour le ' +
                              'relancer.',
            explorer_hint_keys: 'Pg suiv ou ] descend d\'un niveau, Pg préc ou [ remonte\u00a0; + ' +
                'ou = zoome, - dézoome, et la molette zoome autour du pointeur\u00a0; les flèches ' +
                'ou un glisser déplacent la vue\u00a0; Début revient à la vue de départ de la ' +
                'famille.',
            explorer_hint_taps: 'Faites glisser pour déplacer la vue et pincez pour zoomer\u00a0; ' +
                                'les boutons descendent ou remontent d\'un niveau.',
            explorer_about: 'Chaque pavage est tracé par les mêmes routines que les images des ' +
                'programmes, si bien qu\'aux réglages d\'un programme (un préréglage) l\'image ' +
                'est exactement celle de ce programme, pixel pour pixel. L\'adresse suit ' +
                'l\'image\u00a0: copiez-la pour partager ce que vous voyez. Les boutons sous ' +
                '«\u00a0Télécharger les pavés\u00a0» écrivent la vue dans les mêmes fichiers que ' +
                'tilings_explore.',
        },
    };

    // A text with its {name}s filled in from values (those not given kept).
    const filled = (text, values) =>
        String(text).replace(/\{(\w+)\}/g, (all, name) => (name in values ? String(values[name]) : all));

    if (typeof document === 'undefined') {
        // The site's writer.
        module.exports = {LANGUAGES, STRINGS, filled};
        return;
    }

    const page = JSON.parse((document.getElementById('page-words') || {}).textContent || '{}');
    const tables = {};
    for (const l of LANGUAGES)
        tables[l] = Object.assign({}, STRINGS[l], page[l]);

    function chosen() {
        const asked = new URLSearchParams(location.search).get('lang');
        if (LANGUAGES.includes(asked))
            return asked;
        for (const preferred of navigator.languages || [navigator.language || '']) {
            const base = String(preferred).toLowerCase().split('-')[0];
            if (LANGUAGES.includes(base))
                return base;
        }
        return 'en';
    }

    const words = {language: chosen()};
    const listeners = [];

    words.t = (key, values = {}) => {
        const text = key in tables[words.language] ? tables[words.language][key]
                                                   : tables.en[key];
        return filled(text === undefined ? key : text, values);
    };

    words.number = (v, options) => new Intl.NumberFormat(words.language, options).format(v);

    // Links to the other pages carry the language once the address does.
    words.link = href => {
        const language = new URLSearchParams(location.search).get('lang');
        if (!LANGUAGES.includes(language) || /^[a-z]+:|^[?#]/i.test(href))
            return href;
        const [file, fragment] = href.split('#');
        return `${file.split('?')[0]}?lang=${language}${fragment === undefined ? '' : `#${fragment}`}`;
    };

    const ATTRIBUTES = [['tLabel', 'aria-label'], ['tTitle', 'title'], ['tAlt', 'alt']];
    words.apply = (root = document) => {
        const marked = [...root.querySelectorAll('[data-t], [data-t-label], [data-t-title], ' +
                                                  '[data-t-alt], a[href]')];
        if (root.matches && root.matches('[data-t], [data-t-label], [data-t-title], a[href]'))
            marked.push(root);
        for (const e of marked) {
            if (e.dataset.t)
                e.textContent = words.t(e.dataset.t);
            for (const [key, attribute] of ATTRIBUTES)
                if (e.dataset[key])
                    e.setAttribute(attribute, words.t(e.dataset[key]));
            if (e.tagName === 'A' && !e.closest('nav.languages')) {
                e.dataset.href = e.dataset.href || e.getAttribute('href');
                e.setAttribute('href', words.link(e.dataset.href));
            }
        }
    };

    words.on_change = listener => listeners.push(listener);

    function show_language() {
        document.documentElement.lang = words.language;
        for (const a of document.querySelectorAll('nav.languages a')) {
            if (a.lang === words.language)
                a.setAttribute('aria-current', 'true');
            else
                a.removeAttribute('aria-current');
        }
    }

    // The switch: the page in the other language, as it stands.
    function switch_to(language) {
        words.language = language;
        try {
            history.replaceState(history.state, '', `?lang=${language}${location.hash}`);
        } catch (error) {
            // An address the browser will not rewrite: the page is opened in
            // that language instead, at the same fragment.
            location.replace(`?lang=${language}${location.hash}`);
            return;
        }
        show_language();
        words.apply();
        for (const listener of listeners)
            listener(language);
    }
    for (const a of document.querySelectorAll('nav.languages a'))
        a.addEventListener('click', event => {
            event.preventDefault();
            if (a.lang !== words.language)
                switch_to(a.lang);
        });

    show_language();
    if (words.language !== 'en' || location.search)
        words.apply();
    window.page_words = words;
})();
