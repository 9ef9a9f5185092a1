// The explorer's state: its families and colourings, home views and
// presets, and the query string that carries it.
#include "explore.h"
#include "number_text.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

const FamilyInfo FAMILIES[FAMILY_COUNT] = {
    {"chair", "The chair", "La chaise"},
    {"triangle", "The equilateral triangle", "Le triangle \u00e9quilat\u00e9ral"},
    {"fivesplit", "The five-way split", "Le d\u00e9coupage en cinq"},
};

const ColouringInfo COLOURINGS[COLOURING_COUNT] = {
    {"orientation", CHAIR_FAMILY, "coloured by orientation",
     "en couleurs selon l'orientation"},
    {"greys", CHAIR_FAMILY, "in greys by orientation", "en gris selon l'orientation"},
    {"shaded", TRIANGLE_FAMILY, "shaded by shape", "en gris selon la forme"},
    {"axis", TRIANGLE_FAMILY, "only the horizontal and vertical edges",
     "seulement les c\u00f4t\u00e9s horizontaux et verticaux"},
    {"midpoint", TRIANGLE_FAMILY, "split at edge midpoints, shaded",
     "d\u00e9coup\u00e9 aux milieux des c\u00f4t\u00e9s, en gris"},
    {"outline", FIVESPLIT_FAMILY, "outlines", "contours"},
    {"levels", FIVESPLIT_FAMILY, "every level over the one before",
     "chaque niveau sur le pr\u00e9c\u00e9dent"},
    {"size", FIVESPLIT_FAMILY, "coloured by size class",
     "en couleurs selon la classe de taille"},
    {"child", FIVESPLIT_FAMILY, "coloured by child index",
     "en couleurs selon le rang parmi les enfants"},
    {"area", FIVESPLIT_FAMILY, "coloured by area class",
     "en couleurs selon la classe d'aire"},
};
namespace {

// The pixel at the canvas centre, where the state's model point lies.
constexpr double CENTRE_COLUMN = SCREEN_W / 2;
constexpr double CENTRE_ROW = SCREEN_H / 2;

// What a figure covers in the model, and the scale its programs draw it at.
struct Figure {
    double left, bottom, right, top; // its bounding box
    double area;                     // the area its tiles cover
    double program_scale;
};

// The five-way colourings draw one of three top triangles: the rectangle
// figures (P1 (0, 0), P2 (100, 0), with the point reflection), the child
// colours' (0, 1), (799, 1), and the area classes' (0, 0), (1, 0).
bool drawn_as_rectangle(ExploreColouring c)
{
    return c == OUTLINES_ONLY || c == ALL_LEVELS || c == BY_SIZE;
}

Figure figure_of(const ExploreState &s)
{
    switch (s.family) {
    case CHAIR_FAMILY:
        return {0, 0, 1, 1, 0.75, 512};
    case TRIANGLE_FAMILY:
        return {0, 0, 1, 0.8660254037844386, 0.4330127018922193, 650};
    default:
        break;
    }
    const double r = s.ratio;
    if (drawn_as_rectangle(s.colouring))
        return {0, std::min(0.0, 100 * r), 100, std::max(0.0, 100 * r), 100 * 100 * std::fabs(r), 7};
    if (s.colouring == BY_CHILD)
        return {0, std::min(1.0, 1 + 799 * r), 799, std::max(1.0, 1 + 799 * r),
                799 * 799 * std::fabs(r) / 2, 1};
    return {0, std::min(0.0, r), 1, std::max(0.0, r), std::fabs(r) / 2, 790};
}

// How many tiles the figure has at a depth (the leaves of one level).
double tiles_at(const ExploreState &s, int depth)
{
    switch (s.family) {
    case CHAIR_FAMILY:
        return std::pow(4.0, depth);
    case TRIANGLE_FAMILY:
        if (s.colouring == MIDPOINT_SPLIT) {
            // Equilateral triangles split into two of their own and two
            // 30-30-120 ones, those into one equilateral and two of their own.
            double m = 1, t = 1;
            for (int d = 0; d < depth; ++d) {
                const double next_m = 2 * m + 2 * t, next_t = m + 2 * t;
                m = next_m;
                t = next_t;
            }
            return m;
        }
        return std::pow(3.0, depth);
    default:
        return std::pow(5.0, depth) * (drawn_as_rectangle(s.colouring) ? 2 : 1);
    }
}

double clamp_to(double v, double low, double high)
{
    return std::max(low, std::min(high, v));
}

} // namespace

void home_view(const ExploreState &s, double &scale, double &x, double &y)
{
    const Figure f = figure_of(s);
    const double width = f.right - f.left, height = f.top - f.bottom;
    scale = std::min({f.program_scale, SCREEN_W / width, (SCREEN_H - 20) / height});
    x = (f.left + f.right) / 2;
    y = (f.bottom + f.top) / 2;
}

namespace {

// A view's numbers within rounding of a whole number are taken to be that
// number: the programs' views are whole numbers of pixels, and a state
// (written in decimal, its zoom relative to a home view) can give them only
// within rounding. A pixel of the scale's last few bits, or a billionth of
// a pixel of the origin, moves nothing else that anyone could see.
double whole_scale(double v)
{
    const double whole = std::round(v);
    return std::fabs(v - whole) <= 4 * DBL_EPSILON * std::fabs(v) ? whole : v;
}

double whole_pixel(double v)
{
    const double whole = std::round(v);
    return std::fabs(v - whole) <= 1e-9 ? whole : v;
}

} // namespace

ModelView view_of(const ExploreState &s)
{
    double home_scale, home_x, home_y;
    home_view(s, home_scale, home_x, home_y);
    const double scale = whole_scale(home_scale * s.zoom);
    return {scale, whole_pixel(CENTRE_COLUMN - scale * s.x), whole_pixel(CENTRE_ROW + scale * s.y)};
}

int deepest_depth(const ExploreState &s)
{
    const Figure f = figure_of(s);
    const double scale = view_of(s).scale;
    const double pixels = f.area * scale * scale;
    int depth = 0;
    while (depth < MAX_DEPTH && pixels / tiles_at(s, depth + 1) >= 2)
        ++depth;
    return depth;
}

ExploreState default_state(ExploreFamily family)
{
    ExploreState s = {family, BY_ORIENTATION, 3, 0.5, 1, 0, 0, false};
    if (family == TRIANGLE_FAMILY) {
        s.colouring = SHADED;
        s.depth = 5;
    } else if (family == FIVESPLIT_FAMILY) {
        s.colouring = OUTLINES_ONLY;
        s.depth = 3;
    }
    double scale;
    home_view(s, scale, s.x, s.y);
    return s;
}

// --- Moving about -----------------------------------------------------------

namespace {

// How far from the figure the canvas centre may go: the figure's own size
// and the canvas's, so that the figure is never far out of sight.
void centre_limits(const ExploreState &s, double &left, double &bottom, double &right, double &top)
{
    const Figure f = figure_of(s);
    const double scale = view_of(s).scale;
    const double reach_x = f.right - f.left + SCREEN_W / scale;
    const double reach_y = f.top - f.bottom + SCREEN_H / scale;
    left = f.left - reach_x;
    right = f.right + reach_x;
    bottom = f.bottom - reach_y;
    top = f.top + reach_y;
}

// Keeps the centre near the figure, the zoom and the depth within their
// limits.
void keep_valid(ExploreState &s)
{
    s.zoom = clamp_to(s.zoom, MIN_ZOOM, MAX_ZOOM);
    double left, bottom, right, top;
    centre_limits(s, left, bottom, right, top);
    s.x = clamp_to(s.x, left, right);
    s.y = clamp_to(s.y, bottom, top);
    s.depth = std::max(0, std::min(s.depth, deepest_depth(s)));
}

} // namespace

void zoom_about(ExploreState &s, double factor, double column, double row)
{
    const double before = view_of(s).scale;
    const double mx = s.x + (column - CENTRE_COLUMN) / before;
    const double my = s.y - (row - CENTRE_ROW) / before;
    s.zoom = clamp_to(s.zoom * factor, MIN_ZOOM, MAX_ZOOM);
    const double after = view_of(s).scale;
    s.x = mx - (column - CENTRE_COLUMN) / after;
    s.y = my + (row - CENTRE_ROW) / after;
    keep_valid(s);
}

void pan_by(ExploreState &s, double columns, double rows)
{
    const double scale = view_of(s).scale;
    s.x -= columns / scale;
    s.y += rows / scale;
    keep_valid(s);
}

void step_depth(ExploreState &s, int steps)
{
    s.depth = std::max(0, std::min(s.depth + steps, deepest_depth(s)));
}

void go_home(ExploreState &s)
{
    double scale;
    s.zoom = 1;
    home_view(s, scale, s.x, s.y);
    keep_valid(s);
}

void set_colouring(ExploreState &s, ExploreColouring colouring)
{
    const ExploreState before = s;
    if (COLOURINGS[colouring].family != s.family)
        s = default_state(COLOURINGS[colouring].family);
    s.colouring = colouring;
    const bool same_figure = before.family == s.family &&
                             (s.family != FIVESPLIT_FAMILY ||
                              figure_of(before).program_scale == figure_of(s).program_scale);
    if (!same_figure)
        go_home(s);
    keep_valid(s);
}

void set_family(ExploreState &s, ExploreFamily family)
{
    if (family != s.family)
        s = default_state(family);
}

void set_ratio(ExploreState &s, double ratio)
{
    if (!std::isfinite(ratio))
        return;
    const double size = clamp_to(std::fabs(ratio), MIN_RATIO, MAX_RATIO);
    s.ratio = ratio < 0 ? -size : size;
    keep_valid(s);
}

// --- The query string -------------------------------------------------------

namespace {

// A value from the address as it may be quoted back: printable ASCII only,
// cut short.
std::string quoted(const std::string &value)
{
    std::string shown;
    for (const char c : value) {
        if (shown.size() >= 24) {
            shown += "...";
            break;
        }
        shown += std::isalnum(static_cast<unsigned char>(c)) || (c && std::strchr(" .,:+-_/", c)) ? c : '?';
    }
    return "\"" + shown + "\"";
}

// %XX and '+' decoded; a malformed escape is kept as it stands.
std::string decoded(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// A plain decimal number: sign, digits, a point, digits, an exponent. No
// spaces, no hexadecimal, no infinities or NaNs.
bool read_number(const std::string &text, double &v)
{
    size_t i = 0, digits = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        size_t exponent_digits = 0;
        for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            ++exponent_digits;
        if (exponent_digits == 0)
            return false;
    }
    if (i != text.size() || text.size() > 64)
        return false;
    v = std::strtod(text.c_str(), nullptr);
    return true;
}

struct Setting {
    std::string key, value;
};

std::vector<Setting> settings_of(const std::string &query)
{
    std::vector<Setting> settings;
    size_t start = !query.empty() && (query[0] == '?' || query[0] == '#') ? 1 : 0;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        const std::string part = query.substr(start, end - start);
        if (!part.empty()) {
            const size_t equals = part.find('=');
            settings.push_back({decoded(part.substr(0, equals)),
                                equals == std::string::npos ? "" : decoded(part.substr(equals + 1))});
        }
        start = end + 1;
        if (settings.size() > 64)
            break;
    }
    return settings;
}

// The last value given for `key`, if any.
const Setting *find(const std::vector<Setting> &settings, const char *key)
{
    const Setting *found = nullptr;
    for (const Setting &s : settings)
        if (s.key == key)
            found = &s;
    return found;
}

const char *const KNOWN_KEYS[] = {"family", "colour", "depth", "ratio", "zoom",
                                  "x",      "y",      "border", "preset", "frame"};

} // namespace

ExploreState parse_state(const std::string &query, std::string &problems)
{
    std::vector<std::string> changed;
    const std::vector<Setting> settings = settings_of(query);
    for (const Setting &s : settings)
        if (std::find_if(std::begin(KNOWN_KEYS), std::end(KNOWN_KEYS),
                         [&](const char *k) { return s.key == k; }) == std::end(KNOWN_KEYS))
            changed.push_back("the setting " + quoted(s.key) + " is not one of the explorer's");

    // A preset first: the settings given beside it change it.
    ExploreState state = default_state(CHAIR_FAMILY);
    bool from_preset = false;
    if (const Setting *p = find(settings, "preset")) {
        const Setting *f = find(settings, "frame");
        double asked = 1;
        bool frame_read = !f || read_number(f->value, asked);
        int best = -1;
        for (int i = 0; i < preset_count(); ++i) {
            const Preset &candidate = preset_at(i);
            if (p->value != candidate.program)
                continue;
            if (best < 0 || std::fabs(candidate.frame - asked) < std::fabs(preset_at(best).frame - asked))
                best = i;
        }
        if (best < 0) {
            changed.push_back("there is no preset " + quoted(p->value));
        } else {
            state = preset_at(best).state;
            from_preset = true;
            if (!frame_read || (f && preset_at(best).frame != asked))
                changed.push_back("frame " + quoted(f->value) + " of " + p->value +
                                  " is not a preset, so frame " +
                                  std::to_string(preset_at(best).frame));
        }
    } else if (find(settings, "frame")) {
        changed.push_back("frame is read only with a preset");
    }

    // The family, and its colouring, which may name the family itself.
    const Setting *family = find(settings, "family");
    const Setting *colour = find(settings, "colour");
    int family_index = -1, colour_index = -1;
    for (int i = 0; family && i < FAMILY_COUNT; ++i)
        if (family->value == FAMILIES[i].name)
            family_index = i;
    for (int i = 0; colour && i < COLOURING_COUNT; ++i)
        if (colour->value == COLOURINGS[i].name)
            colour_index = i;
    if (family && family_index < 0)
        changed.push_back("there is no family " + quoted(family->value));
    if (family_index < 0 && colour_index >= 0)
        family_index = COLOURINGS[colour_index].family;
    if (family_index >= 0 && family_index != state.family)
        state = default_state(static_cast<ExploreFamily>(family_index));
    if (colour && colour_index < 0) {
        changed.push_back("there is no colouring " + quoted(colour->value) + ", so " +
                          COLOURINGS[state.colouring].name);
    } else if (colour_index >= 0 && COLOURINGS[colour_index].family != state.family) {
        changed.push_back("the colouring " + std::string(COLOURINGS[colour_index].name) +
                          " is not one of the " + FAMILIES[state.family].name + "'s, so " +
                          COLOURINGS[state.colouring].name);
    } else if (colour_index >= 0 && colour_index != state.colouring) {
        set_colouring(state, static_cast<ExploreColouring>(colour_index));
    }

    // A setting's number, if it is one; else the line saying what is kept.
    auto read_setting = [&](const Setting &s, double &v, const std::string &kept) {
        if (read_number(s.value, v) && std::isfinite(v))
            return true;
        changed.push_back(s.key + " " + quoted(s.value) + " is not a number, so " + kept);
        return false;
    };
    auto out_of_range = [&](const Setting &s, const std::string &so) {
        changed.push_back(s.key + " " + quoted(s.value) + " is out of range, so " + so);
    };
    auto number = [&](const char *key, double &into, double low, double high) {
        const Setting *s = find(settings, key);
        double v;
        if (!s || !read_setting(*s, v, number_text(into)))
            return;
        into = clamp_to(v, low, high);
        if (into != v)
            out_of_range(*s, number_text(into));
    };

    if (const Setting *r = find(settings, "ratio")) {
        double v;
        if (state.family != FIVESPLIT_FAMILY) {
            changed.push_back("only the five-way split has a ratio");
        } else if (read_setting(*r, v, number_text(state.ratio))) {
            set_ratio(state, v);
            if (state.ratio != v)
                out_of_range(*r, number_text(state.ratio));
        }
    }

    // The view: the centre and zoom given, or the home view's.
    double home_scale, home_x, home_y;
    home_view(state, home_scale, home_x, home_y);
    if (!from_preset) {
        state.zoom = 1;
        state.x = home_x;
        state.y = home_y;
    }
    number("zoom", state.zoom, MIN_ZOOM, MAX_ZOOM);
    {
        double left, bottom, right, top;
        centre_limits(state, left, bottom, right, top);
        number("x", state.x, left, right);
        number("y", state.y, bottom, top);
    }

    if (const Setting *b = find(settings, "border")) {
        if (b->value == "1" || b->value == "0")
            state.border = b->value == "1";
        else
            changed.push_back("border " + quoted(b->value) + " is neither 0 nor 1, so " +
                              (state.border ? "1" : "0"));
    }

    const int deepest = deepest_depth(state);
    if (const Setting *d = find(settings, "depth")) {
        double v;
        if (read_setting(*d, v, std::to_string(std::min(state.depth, deepest)))) {
            const double whole = std::round(v);
            const int depth = static_cast<int>(clamp_to(whole, 0, deepest));
            if (whole != v || depth != whole)
                changed.push_back("depth " + quoted(d->value) +
                                  (whole > deepest ? " is deeper than this view offers, so "
                                                   : " is not a depth, so ") +
                                  std::to_string(depth));
            state.depth = depth;
        }
    }
    state.depth = std::max(0, std::min(state.depth, deepest));

    problems.clear();
    for (size_t i = 0; i < changed.size(); ++i)
        problems += (i ? "; " : "") + changed[i];
    if (!problems.empty())
        problems = "Changed: " + problems + ".";
    return state;
}

std::string state_query(const ExploreState &s)
{
    std::string q = std::string("family=") + FAMILIES[s.family].name + "&colour=" +
                    COLOURINGS[s.colouring].name + "&depth=" + std::to_string(s.depth);
    if (s.family == FIVESPLIT_FAMILY)
        q += "&ratio=" + number_text(s.ratio);
    q += "&zoom=" + number_text(s.zoom) + "&x=" + number_text(s.x) + "&y=" + number_text(s.y);
    if (s.border)
        q += "&border=1";
    return q;
}

std::string number_words(double v, const std::string &language, int digits)
{
    const bool french = language == "fr";
    char text[64];
    if (v == std::round(v) && std::fabs(v) < 1e15) {
        std::snprintf(text, sizeof text, "%.0f", v);
    } else {
        std::snprintf(text, sizeof text, "%.*g", digits, v);
        if (std::strchr(text, 'e') && std::fabs(v) < 1e15)
            std::snprintf(text, sizeof text, "%.0f", std::stod(text));
    }
    std::string plain(text), out;
    const size_t point = plain.find('.');
    const std::string whole = plain.substr(0, point);
    const size_t first = whole[0] == '-' ? 1 : 0;
    const size_t count = whole.size() - first;
    for (size_t i = 0; i < whole.size(); ++i) {
        out += whole[i];
        const size_t left = whole.size() - 1 - i;
        if (i >= first && count >= 4 && left > 0 && left % 3 == 0)
            out += french ? "\u202f" : ",";
    }
    if (point != std::string::npos)
        out += (french ? "," : ".") + plain.substr(point + 1);
    return out;
}

std::string state_words(const ExploreState &s, const std::string &language)
{
    const bool french = language == "fr";
    std::string words = std::string(french ? FAMILIES[s.family].title_fr : FAMILIES[s.family].title) +
                        ", " +
                        (french ? COLOURINGS[s.colouring].words_fr : COLOURINGS[s.colouring].words);
    if (s.family == FIVESPLIT_FAMILY)
        words += std::string(french ? ", rapport des c\u00f4t\u00e9s " : ", leg ratio ") +
                 number_words(s.ratio, language, 6);
    words += std::string(french ? ", profondeur " : ", depth ") + std::to_string(s.depth);
    if (s.zoom != 1)
        words += french ? ", grossi " + number_words(s.zoom, language) + " fois"
                        : ", zoomed " + number_words(s.zoom, language) + "\u00d7";
    return words;
}

// --- Presets ----------------------------------------------------------------

namespace {

// The state whose view is `view`, as far as doubles can say it: view_of
// gives back the program's scale, left and base exactly, as it takes
// values within rounding of whole numbers to be whole.
ExploreState state_with_view(ExploreState s, const ModelView &view)
{
    double home_scale, home_x, home_y;
    home_view(s, home_scale, home_x, home_y);
    s.zoom = view.scale / home_scale;
    s.x = (CENTRE_COLUMN - view.left) / view.scale;
    s.y = (view.base - CENTRE_ROW) / view.scale;
    return s;
}

std::vector<Preset> make_presets()
{
    std::vector<Preset> presets;
    auto add = [&](const char *program, int frame, ExploreFamily family, ExploreColouring colouring,
                   int depth, double ratio, bool border, ModelView view) {
        ExploreState s = {family, colouring, depth, ratio, 1, 0, 0, border};
        presets.push_back({program, frame, state_with_view(s, view)});
    };
    add("chair_colour_tiling", 1, CHAIR_FAMILY, BY_ORIENTATION, 3, 0.5, false, {512, 20, 570});
    add("chair_grey_square", 1, CHAIR_FAMILY, IN_GREYS, 5, 0.5, false, {512, 20, 570});
    // Each step of the growth is the chair of twice the size split once more.
    for (int frame = 1; frame <= 7; ++frame) {
        const int n = std::min(frame, 6) - 1;
        add("chair_growth", frame, CHAIR_FAMILY, BY_ORIENTATION, n, 0.5, false,
            {18.0 * (1 << n), 100, 585});
    }
    add("chair_grey_zoom", 1, CHAIR_FAMILY, IN_GREYS, 7, 0.5, true, {2048, -200, 970});
    add("tri_axis_edges", 1, TRIANGLE_FAMILY, AXIS_EDGES_ONLY, 9, 0.5, true, {3000, -400, 700});
    // The frame lines are drawn once, before the first depth.
    for (int frame = 1; frame <= 7; ++frame)
        add("tri_shaded_steps", frame, TRIANGLE_FAMILY, SHADED, frame, 0.5, frame == 1,
            {650, 10, 590});
    add("tri_shaded_zoom", 1, TRIANGLE_FAMILY, SHADED, 10, 0.5, true, {4000, -400, 700});
    for (int frame = 1; frame <= 7; ++frame)
        add("tri_midpoint_steps", frame, TRIANGLE_FAMILY, MIDPOINT_SPLIT, frame - 1, 0.5,
            frame == 1, {650, 10, 595});
    for (int frame = 1; frame <= 5; ++frame)
        add("fivesplit_pinwheel", frame, FIVESPLIT_FAMILY, ALL_LEVELS, std::min(frame, 4), 0.5,
            false, {7, 10, 590});
    add("fivesplit_size_classes", 1, FIVESPLIT_FAMILY, BY_SIZE, 5, 0.8, false, {7, 10, 590});
    add("fivesplit_child_colours_zoom", 1, FIVESPLIT_FAMILY, BY_CHILD, 7, 0.7, true,
        {8, -101, 799});
    add("fivesplit_child_colours", 1, FIVESPLIT_FAMILY, BY_CHILD, 4, 0.5, true, {1, 0, 480});
    return presets;
}

const std::vector<Preset> &presets()
{
    static const std::vector<Preset> all = make_presets();
    return all;
}

} // namespace

int preset_count()
{
    return static_cast<int>(presets().size());
}

const Preset &preset_at(int i)
{
    return presets()[i];
}

std::string presets_json()
{
    std::string json = "[";
    for (int i = 0; i < preset_count(); ++i) {
        const Preset &p = preset_at(i);
        json += std::string(i ? ",\n" : "") + "{\"program\": \"" + p.program +
                "\", \"frame\": " + std::to_string(p.frame) + ", \"state\": \"" +
                state_query(p.state) + "\"}";
    }
    return json + "]";
}
