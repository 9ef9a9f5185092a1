// The explorer in its web page: the state the page shows, the moves on it
// and its drawing, as C functions for the page's script (web/explorer.js).
// The page decides when to draw; each drawing puts the kernel's canvas on
// the page's <canvas> (web/web_canvas.cpp).
//
// Strings handed to the page (the state's query and words, the problems
// line) stay valid until the next call that hands one; so do the bytes of
// a file written out (explore_export), which the page copies at once.
#include "explore.h"
#include "export.h"

#include <emscripten.h>

#include <string>

namespace {

ExploreState shown = default_state(CHAIR_FAMILY);
std::string handed;

const char *hand(std::string text)
{
    handed = std::move(text);
    return handed.c_str();
}

// A JSON string of a fixed name or phrase (no quotes or backslashes).
std::string json_text(const char *text)
{
    return std::string("\"") + text + "\"";
}

// The files the view is written to, in the order of explore_export's
// `format`.
enum ExportFormat { SVG_FILE, CUT_LINES_FILE, CSV_FILE, PDF_FILE };

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void explore_open()
{
    open_canvas();
}

// The families and colourings, as JSON, in English and French:
// {"families": [{"name", "title": {"en", "fr"}}],
//  "colourings": [{"name", "family", "words": {"en", "fr"}}]}.
EMSCRIPTEN_KEEPALIVE const char *explore_catalogue()
{
    const auto both = [](const char *en, const char *fr) {
        return "{\"en\": " + json_text(en) + ", \"fr\": " + json_text(fr) + "}";
    };
    std::string json = "{\"families\": [";
    for (int i = 0; i < FAMILY_COUNT; ++i)
        json += std::string(i ? ", " : "") + "{\"name\": " + json_text(FAMILIES[i].name) +
                ", \"title\": " + both(FAMILIES[i].title, FAMILIES[i].title_fr) + "}";
    json += "], \"colourings\": [";
    for (int i = 0; i < COLOURING_COUNT; ++i)
        json += std::string(i ? ", " : "") + "{\"name\": " + json_text(COLOURINGS[i].name) +
                ", \"family\": " + std::to_string(COLOURINGS[i].family) +
                ", \"words\": " + both(COLOURINGS[i].words, COLOURINGS[i].words_fr) + "}";
    return hand(json + "]}");
}

// Reads a query string (an address's) into the state; gives the line of
// problems, "" when it stood as it was.
EMSCRIPTEN_KEEPALIVE const char *explore_read(const char *query)
{
    std::string problems;
    shown = parse_state(query, problems);
    return hand(problems);
}

EMSCRIPTEN_KEEPALIVE const char *explore_query()
{
    return hand(state_query(shown));
}

// The state in words, in English ("en") or French ("fr").
EMSCRIPTEN_KEEPALIVE const char *explore_words(const char *language)
{
    return hand(state_words(shown, language));
}

EMSCRIPTEN_KEEPALIVE int explore_deepest()
{
    return deepest_depth(shown);
}

EMSCRIPTEN_KEEPALIVE void explore_zoom(double factor, double column, double row)
{
    zoom_about(shown, factor, column, row);
}

EMSCRIPTEN_KEEPALIVE void explore_pan(double columns, double rows)
{
    pan_by(shown, columns, rows);
}

EMSCRIPTEN_KEEPALIVE void explore_step(int steps)
{
    step_depth(shown, steps);
}

EMSCRIPTEN_KEEPALIVE void explore_home()
{
    go_home(shown);
}

EMSCRIPTEN_KEEPALIVE void explore_family(int family)
{
    if (family >= 0 && family < FAMILY_COUNT)
        set_family(shown, static_cast<ExploreFamily>(family));
}

EMSCRIPTEN_KEEPALIVE void explore_colouring(int colouring)
{
    if (colouring >= 0 && colouring < COLOURING_COUNT)
        set_colouring(shown, static_cast<ExploreColouring>(colouring));
}

EMSCRIPTEN_KEEPALIVE void explore_ratio(double ratio)
{
    if (shown.family == FIVESPLIT_FAMILY)
        set_ratio(shown, ratio);
}

EMSCRIPTEN_KEEPALIVE void explore_border(int on)
{
    shown.border = on != 0;
}

// Draws the state and puts it on the page; gives the tiles drawn.
EMSCRIPTEN_KEEPALIVE double explore_draw()
{
    const long tiles = draw_state(shown);
    present();
    return static_cast<double>(tiles);
}

// The view on show written out, byte for byte as tilings_explore writes
// it: `format` 0 SVG, 1 cut lines, 2 CSV, 3 PDF on `paper` (0 A4, 1 A3,
// 2 A2). Gives where the bytes start; explore_export_size says how many.
EMSCRIPTEN_KEEPALIVE const char *explore_export(int format, int paper)
{
    switch (format) {
    case SVG_FILE:
        return hand(export_svg(shown));
    case CUT_LINES_FILE:
        return hand(export_outline(shown));
    case CSV_FILE:
        return hand(export_csv(shown));
    case PDF_FILE:
        return hand(export_pdf(shown, paper == 1 ? PAPER_A3 : paper == 2 ? PAPER_A2 : PAPER_A4));
    default:
        return hand("");
    }
}

EMSCRIPTEN_KEEPALIVE double explore_export_size()
{
    return static_cast<double>(handed.size());
}

} // extern "C"
