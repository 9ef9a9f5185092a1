#include "export.h"

#include "edge_union.h"
#include "number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace {

// --- Shared by the writers ----------------------------------------------------

// The canvas, and the box the polygons are cut to: far beyond the canvas
// (so that nothing on it changes), near enough for renderers that hold
// coordinates in fixed point (a deep view's large tiles reach billions of
// pixels).
constexpr ClipBox CANVAS = {0, 0, SCREEN_W, SCREEN_H};
constexpr ClipBox POLYGON_BOX = {-1000, -1000, SCREEN_W + 1000, SCREEN_H + 1000};
// The outlines are cut a little beyond the canvas, where a wide stroke
// still reaches it.
constexpr ClipBox OUTLINE_BOX = {-4, -4, SCREEN_W + 4, SCREEN_H + 4};
// The border's line, through the middle of the canvas's outermost pixels.
constexpr ClipBox BORDER = {0.5, 0.5, SCREEN_W - 0.5, SCREEN_H - 0.5};

// v to at most `decimals` decimals, without trailing zeros ("12.5", "-3",
// "0.07").
void put_fixed(std::string &out, double v, int decimals)
{
    double unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    if (!(std::fabs(v) * unit < 9e18)) { // never for the clipped pictures
        out += number_text(v);
        return;
    }
    long long units = std::llround(v * unit);
    if (units < 0) {
        out += '-';
        units = -units;
    }
    const long long whole = static_cast<long long>(unit);
    out += std::to_string(units / whole);
    std::string fraction = std::to_string(whole + units % whole).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        out += "." + fraction;
}

void put_number(std::string &out, double v)
{
    put_fixed(out, v, 2);
}

void put_point(std::string &out, const Point &p)
{
    put_number(out, p.x);
    out += ' ';
    put_number(out, p.y);
}

struct Rgb {
    int r, g, b;
};

Rgb rgb_of(uint32_t word)
{
    Uint8 r, g, b;
    SDL_GetRGB(word, screen->format, &r, &g, &b);
    return {r, g, b};
}

// "#f00" where the colour allows, else "#ff0000".
std::string hex_colour(uint32_t word)
{
    const Rgb c = rgb_of(word);
    const char *const digits = "0123456789abcdef";
    std::string hex = "#";
    if (c.r % 17 == 0 && c.g % 17 == 0 && c.b % 17 == 0) {
        for (const int v : {c.r, c.g, c.b})
            hex += digits[v / 17];
    } else {
        for (const int v : {c.r, c.g, c.b}) {
            hex += digits[v / 16];
            hex += digits[v % 16];
        }
    }
    return hex;
}

Point pixel_of(const ModelView &view, double x, double y)
{
    return {view.left + view.scale * x, view.base - view.scale * y};
}

// The tile's corners in pixels, cut to POLYGON_BOX where they reach beyond
// it.
std::vector<Point> pixel_polygon(const TileRecord &tile, const ModelView &view)
{
    std::vector<Point> polygon;
    bool inside = true;
    for (int i = 0; i < tile.corners; ++i) {
        const Point p = pixel_of(view, tile.x[i], tile.y[i]);
        inside = inside && p.x >= POLYGON_BOX.left && p.x <= POLYGON_BOX.right &&
                 p.y >= POLYGON_BOX.top && p.y <= POLYGON_BOX.bottom;
        polygon.push_back(p);
    }
    return inside ? polygon : clip_polygon(polygon, POLYGON_BOX);
}

// The outlined edges of one colour and width, in pixels.
struct Outlines {
    uint32_t colour;
    int band;
    std::vector<Segment> edges;
};

// The outlines of the tiles, by colour and width in the order first met.
std::vector<Outlines> outlines_of(const std::vector<TileRecord> &tiles, const ModelView &view)
{
    std::vector<Outlines> all;
    for (const TileRecord &tile : tiles) {
        if (!tile.drawn || tile.edges == 0)
            continue;
        auto group = std::find_if(all.begin(), all.end(), [&](const Outlines &o) {
            return o.colour == tile.outline && o.band == tile.band;
        });
        if (group == all.end())
            group = all.insert(all.end(), {tile.outline, tile.band, {}});
        for (int i = 0; i < tile.corners; ++i)
            if (tile.edges >> i & 1) {
                const int j = (i + 1) % tile.corners;
                group->edges.push_back(
                    {pixel_of(view, tile.x[i], tile.y[i]), pixel_of(view, tile.x[j], tile.y[j])});
            }
    }
    return all;
}

// The border's four sides, clockwise from the top left.
void add_border(std::vector<Segment> &edges)
{
    const Point corners[4] = {{BORDER.left, BORDER.top},
                              {BORDER.right, BORDER.top},
                              {BORDER.right, BORDER.bottom},
                              {BORDER.left, BORDER.bottom}};
    for (int i = 0; i < 4; ++i)
        edges.push_back({corners[i], corners[(i + 1) % 4]});
}

// SVG path data for the paths: "M x y x y ..." each.
void put_paths(std::string &out, const std::vector<std::vector<Point>> &paths)
{
    for (const std::vector<Point> &path : paths) {
        for (size_t i = 0; i < path.size(); ++i) {
            out += i ? " " : "M";
            put_point(out, path[i]);
        }
    }
}

// --- Words ------------------------------------------------------------------

// What a tile's class is, in each colouring.
const char *const CLASS_WORDS[COLOURING_COUNT] = {
    "the chair's orientation, 0 to 3",
    "the chair's orientation, 0 to 3",
    "0 for an equilateral triangle, 1 for a 30-30-120 one",
    "0 for an equilateral triangle, 1 for a 30-30-120 one",
    "0 for an equilateral triangle, 1 for a 30-30-120 one",
    "the triangle's place among its parent's five children, 0 to 4",
    "the triangle's place among its parent's five children, 0 to 4",
    "the size class, the number of small children on the way down, from 0",
    "the triangle's place among its parent's five children, 0 to 4",
    ("the area class, from 0 for the largest area, or -1 where the area matches none "
     "(a tile passed through: the class of its leaves by its small children so far)"),
};

// The size of the first tile, for the scale line.
std::string first_tile_words(const ExploreState &s)
{
    switch (s.family) {
    case CHAIR_FAMILY:
        return "the first chair's side is 1";
    case TRIANGLE_FAMILY:
        return "the first triangle's side is 1";
    default:
        break;
    }
    if (s.colouring == BY_CHILD)
        return "the first triangle's long leg is 799";
    if (s.colouring == BY_AREA)
        return "the first triangle's long leg is 1";
    return "the first triangles' long legs are 100";
}

std::string xml_text(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string svg_head(const ExploreState &s, const std::string &what)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"600\" "
           "viewBox=\"0 0 800 600\">\n<title>" +
           xml_text(state_words(s)) + "</title>\n<desc>" + xml_text(what) +
           " drawn by tilings_explore from the state " + xml_text(state_query(s)) +
           ".</desc>\n";
}

const char *const BORDER_RECT = "<rect x=\"0.5\" y=\"0.5\" width=\"799\" height=\"599\" "
                                "fill=\"none\" stroke=\"#000\"/>\n";

// --- PDF ----------------------------------------------------------------------

// Helvetica's and Helvetica-Bold's widths of the characters 32 to 126, in
// thousandths of the size.
const short HELVETICA[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
const short HELVETICA_BOLD[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722, 722, 667,
    611, 778, 722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 333, 278, 333, 584, 556, 333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556,
    278, 889, 611, 611, 611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
constexpr int MULTIPLY_SIGN = 0xD7; // in WinAnsi, as in Latin-1; 584 wide in both

// UTF-8 text as the single bytes of WinAnsi: Latin-1 as it is, anything
// else as '?'.
std::string win_ansi(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
            out += static_cast<char>(((c & 3) << 6) | (text[++i] & 0x3F));
        } else {
            while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80)
                ++i;
            out += '?';
        }
    }
    return out;
}

double text_width(const std::string &text, bool bold, double size)
{
    double width = 0;
    for (const unsigned char c : text)
        width += c >= 32 && c <= 126 ? (bold ? HELVETICA_BOLD : HELVETICA)[c - 32]
                                     : c == MULTIPLY_SIGN ? 584 : 556;
    return width * size / 1000;
}

// A PDF string of WinAnsi text.
std::string pdf_string(const std::string &text)
{
    std::string out = "(";
    for (const unsigned char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            const char octal[5] = {'\\', static_cast<char>('0' + (c >> 6)),
                                   static_cast<char>('0' + ((c >> 3) & 7)),
                                   static_cast<char>('0' + (c & 7)), 0};
            out += octal;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + ")";
}

// Page sizes in points (1/72 inch), landscape.
struct PaperSize {
    const char *name;
    double width, height;
};
constexpr double MM = 72 / 25.4;
const PaperSize PAPERS[3] = {
    {"A4", 297 * MM, 210 * MM}, {"A3", 420 * MM, 297 * MM}, {"A2", 594 * MM, 420 * MM}};

// The sheet's measures, as in the frames' sheets (keep/): in points.
constexpr double MARGIN = 36;
constexpr double TITLE_SIZE = 18, TITLE_ASCENT = 0.718, TITLE_DESCENT = 0.207;
constexpr double QUERY_SIZE = 10, QUERY_ASCENT = 0.718;
constexpr double NAME_SIZE = 9;
constexpr double BELOW_TITLE = 8, BELOW_QUERY = 14, ABOVE_SCALE = 10, SCALE_HEIGHT = 14;
constexpr double TEXT_GREY = 0.35, FRAME_EDGE_GREY = 0.6, FRAME_EDGE = 0.5;

void put_grey(std::string &out, double grey, const char *op)
{
    put_number(out, grey);
    out += ' ';
    out += op;
    out += '\n';
}

void put_colour(std::string &out, uint32_t word, const char *op)
{
    const Rgb c = rgb_of(word);
    for (const int v : {c.r, c.g, c.b}) {
        // Four decimals, so that each channel reads back as its byte.
        put_fixed(out, v / 255.0, 4);
        out += ' ';
    }
    out += op;
    out += '\n';
}

void put_text(std::string &out, const std::string &text, bool bold, double size, double x,
              double y)
{
    out += bold ? "BT /F2 " : "BT /F1 ";
    put_number(out, size);
    out += " Tf ";
    put_number(out, x);
    out += ' ';
    put_number(out, y);
    out += " Td " + pdf_string(text) + " Tj ET\n";
}

// 10 to the power k, as exactly as a double holds it (the same everywhere:
// a product or quotient of whole numbers).
double power_of_ten(int k)
{
    double p = 1;
    for (int i = 0; i < (k < 0 ? -k : k); ++i)
        p *= 10;
    return k < 0 ? 1 / p : p;
}

// The longest scale line of 1, 2 or 5 times a power of ten model units
// that is at most `most` points long at `points` per unit: its length in
// points and in words ("0.05").
double scale_line(double points, double most, std::string &words)
{
    int k = 0;
    while (k > -300 && power_of_ten(k) * points > most)
        --k;
    while (k < 300 && power_of_ten(k + 1) * points <= most)
        ++k;
    int step = 1;
    for (const int s : {5, 2})
        if (s * power_of_ten(k) * points <= most) {
            step = s;
            break;
        }
    // step times 10^k, in decimal.
    if (k >= 0) {
        words = std::to_string(step) + std::string(static_cast<size_t>(k), '0');
    } else {
        words = "0." + std::string(static_cast<size_t>(-k - 1), '0') + std::to_string(step);
    }
    if (k < -6 || k > 6)
        words = std::to_string(step) + "e" + std::to_string(k);
    return step * power_of_ten(k) * points;
}

// The page's content: the words, the framed view and the scale line.
std::string page_content(const ExploreState &s, const PaperSize &paper,
                         const std::vector<TileRecord> &tiles)
{
    std::string out;
    const double width = paper.width - 2 * MARGIN;
    double top = paper.height - MARGIN; // PDF's y grows upwards

    // The title, with the program's name at the right in grey.
    const std::string title = win_ansi(state_words(s));
    const double title_baseline = top - TITLE_ASCENT * TITLE_SIZE;
    put_grey(out, 0, "g");
    put_text(out, title, true, TITLE_SIZE, MARGIN, title_baseline);
    put_grey(out, TEXT_GREY, "g");
    const std::string name = "tilings_explore";
    put_text(out, name, false, NAME_SIZE, paper.width - MARGIN - text_width(name, false, NAME_SIZE),
             title_baseline);
    top = title_baseline - TITLE_DESCENT * TITLE_SIZE - BELOW_TITLE;

    // The state as its address, in grey, smaller where it would not fit.
    const std::string query = win_ansi(state_query(s));
    const double query_size =
        std::min(QUERY_SIZE, QUERY_SIZE * width / std::max(1.0, text_width(query, false, QUERY_SIZE)));
    put_text(out, query, false, query_size, MARGIN, top - QUERY_ASCENT * QUERY_SIZE);
    top -= QUERY_SIZE + BELOW_QUERY;

    // The view, 4:3, as large as the rest of the page allows, centred.
    const double room = top - MARGIN - ABOVE_SCALE - SCALE_HEIGHT;
    const double figure_width = std::min(width, room * SCREEN_W / SCREEN_H);
    const double figure_height = figure_width * SCREEN_H / SCREEN_W;
    const double left = MARGIN + (width - figure_width) / 2;
    const double bottom = top - figure_height;
    const double points_per_pixel = figure_width / SCREEN_W;

    // Its frame: a hairline outside it.
    put_grey(out, FRAME_EDGE_GREY, "G");
    put_number(out, FRAME_EDGE);
    out += " w\n";
    for (const double v : {left - FRAME_EDGE / 2, bottom - FRAME_EDGE / 2,
                           figure_width + FRAME_EDGE, figure_height + FRAME_EDGE}) {
        put_number(out, v);
        out += ' ';
    }
    out += "re S\n";

    // The view in pixel units, rows downwards, cut to its frame.
    out += "q\n";
    for (const double v : {left, bottom, figure_width, figure_height}) {
        put_number(out, v);
        out += ' ';
    }
    out += "re W n\n";
    put_fixed(out, points_per_pixel, 6);
    out += " 0 0 ";
    put_fixed(out, -points_per_pixel, 6);
    out += ' ';
    put_number(out, left);
    out += ' ';
    put_number(out, top);
    out += " cm\n1 g\n0 0 800 600 re f\n";
    const ModelView view = view_of(s);
    uint32_t fill = 0;
    bool fill_set = false;
    for (const TileRecord &tile : tiles) {
        if (!tile.filled)
            continue;
        const std::vector<Point> polygon = pixel_polygon(tile, view);
        if (polygon.size() < 3)
            continue;
        if (!fill_set || tile.fill != fill) {
            put_colour(out, tile.fill, "rg");
            fill = tile.fill;
            fill_set = true;
        }
        for (size_t i = 0; i < polygon.size(); ++i) {
            put_point(out, polygon[i]);
            out += i ? " l " : " m ";
        }
        out += "f\n";
    }
    out += "1 J 1 j\n";
    for (const Outlines &o : outlines_of(tiles, view)) {
        put_colour(out, o.colour, "RG");
        out += std::to_string(2 * o.band + 1) + " w\n";
        for (const std::vector<Point> &path : union_paths(o.edges, OUTLINE_BOX)) {
            for (size_t i = 0; i < path.size(); ++i) {
                put_point(out, path[i]);
                out += i ? " l " : " m ";
            }
            out += "S\n";
        }
    }
    if (s.border)
        out += "0 G 1 w 0 J 0 j 0.5 0.5 799 599 re S\n";
    out += "Q\n";

    // The scale line under the view's left corner, with its length.
    std::string length;
    const double bar = scale_line(view.scale * points_per_pixel, std::min(120.0, figure_width / 3), length);
    const double y = bottom - ABOVE_SCALE - SCALE_HEIGHT / 2;
    out += "0 G 0.75 w 0 J\n";
    const double ends[6][2] = {{left, y},       {left + bar, y}, {left, y - 3},
                               {left, y + 3},   {left + bar, y - 3}, {left + bar, y + 3}};
    for (int i = 0; i < 6; i += 2) {
        put_number(out, ends[i][0]);
        out += ' ';
        put_number(out, ends[i][1]);
        out += " m ";
        put_number(out, ends[i + 1][0]);
        out += ' ';
        put_number(out, ends[i + 1][1]);
        out += " l S\n";
    }
    put_grey(out, TEXT_GREY, "g");
    put_text(out, win_ansi(length + " (" + first_tile_words(s) + ")"), false,
             NAME_SIZE, left + bar + 8, y - 3);
    return out;
}

} // namespace

std::string export_svg(const ExploreState &s)
{
    const std::vector<TileRecord> tiles = state_tiles(s);
    const ModelView view = view_of(s);
    std::string out = svg_head(s, std::string("The tiles of the view: data-level is a tile's "
                                              "number of splits from the first tile, data-class ") +
                                      CLASS_WORDS[s.colouring] + ";");
    out += "<rect width=\"800\" height=\"600\" fill=\"#fff\"/>\n";
    for (const bool drawn : {false, true}) {
        out += drawn ? "<g id=\"tiles\" fill=\"none\">\n" : "<g id=\"passed-through\" fill=\"none\">\n";
        for (const TileRecord &tile : tiles) {
            if (tile.drawn != drawn)
                continue;
            out += "<polygon id=\"t" + std::to_string(tile.id) + "\" points=\"";
            const std::vector<Point> polygon = pixel_polygon(tile, view);
            for (size_t i = 0; i < polygon.size(); ++i) {
                if (i)
                    out += ' ';
                put_number(out, polygon[i].x);
                out += ',';
                put_number(out, polygon[i].y);
            }
            out += '"';
            if (tile.filled)
                out += " fill=\"" + hex_colour(tile.fill) + '"';
            out += " data-level=\"" + std::to_string(tile.level) + "\" data-class=\"" +
                   std::to_string(tile.tile_class) + "\"/>\n";
        }
        out += "</g>\n";
    }
    out += "<g id=\"outlines\" fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    for (const Outlines &o : outlines_of(tiles, view)) {
        out += "<path stroke=\"" + hex_colour(o.colour) + "\" stroke-width=\"" +
               std::to_string(2 * o.band + 1) + "\" d=\"";
        put_paths(out, union_paths(o.edges, OUTLINE_BOX));
        out += "\"/>\n";
    }
    out += "</g>\n";
    if (s.border)
        out += BORDER_RECT;
    return out + "</svg>\n";
}

std::string export_outline(const ExploreState &s)
{
    std::vector<Segment> edges;
    for (Outlines &o : outlines_of(state_tiles(s), view_of(s)))
        edges.insert(edges.end(), o.edges.begin(), o.edges.end());
    if (s.border)
        add_border(edges);
    std::string out = svg_head(s, "Cut lines: every edge of the view once,");
    out += "<path fill=\"none\" stroke=\"#000\" stroke-width=\"0.5\" stroke-linecap=\"round\" "
           "stroke-linejoin=\"round\" d=\"";
    put_paths(out, union_paths(edges, s.border ? BORDER : CANVAS));
    return out + "\"/>\n</svg>\n";
}

std::string export_csv(const ExploreState &s)
{
    const std::vector<TileRecord> tiles = state_tiles(s);
    std::string out = "id,parent,level,class";
    const int corners = tiles.empty() ? 3 : tiles[0].corners;
    for (int i = 1; i <= corners; ++i)
        out += ",x" + std::to_string(i) + ",y" + std::to_string(i);
    out += '\n';
    // Neighbouring tiles share corners, and a number's text takes a
    // microsecond or two: each is written once and copied after.
    std::unordered_map<uint64_t, std::string> texts; // by the number's bits
    auto put = [&](double v) {
        out += ',';
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        const auto known = texts.find(bits);
        out += known != texts.end() ? known->second : texts.emplace(bits, number_text(v)).first->second;
    };
    for (const TileRecord &tile : tiles) {
        out += std::to_string(tile.id) + ',' + (tile.parent < 0 ? "" : std::to_string(tile.parent)) +
               ',' + std::to_string(tile.level) + ',' + std::to_string(tile.tile_class);
        for (int i = 0; i < tile.corners; ++i) {
            put(tile.x[i]);
            put(tile.y[i]);
        }
        out += '\n';
    }
    return out;
}

bool read_paper(const std::string &name, Paper &paper)
{
    for (int i = 0; i < 3; ++i) {
        const std::string known = PAPERS[i].name;
        if (name.size() == 2 && std::toupper(static_cast<unsigned char>(name[0])) == known[0] &&
            name[1] == known[1]) {
            paper = static_cast<Paper>(i);
            return true;
        }
    }
    return false;
}

std::string export_pdf(const ExploreState &s, Paper paper_name)
{
    const PaperSize &paper = PAPERS[paper_name];
    const std::string content = page_content(s, paper, state_tiles(s));
    std::string size;
    put_number(size, paper.width);
    size += ' ';
    put_number(size, paper.height);
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + size +
            "] /Resources << /Font << /F1 4 0 R /F2 5 0 R >> >> /Contents 6 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
        "<< /Title " + pdf_string(win_ansi(state_words(s))) + " /Subject " +
            pdf_string(state_query(s)) + " /Creator (tilings_explore) >>",
    };
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < std::size(objects); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = out.size();
    out += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R /Info 7 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}
