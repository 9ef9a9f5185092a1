// The explorer's view written out: every preset in all four formats from
// the program, the SVG rasterised against the canvas, the CSV against the
// SVG, the cut lines against the tiles' edges, and what a bad path or
// state gives.
#include "edge_union.h"
#include "explore.h"
#include "export.h"
#include "frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

const std::string PROGRAM = std::string(PROGRAM_DIR) + "/tilings_explore";

Ran explore(const std::vector<std::string> &arguments)
{
    Launch launch;
    launch.command = {PROGRAM};
    launch.command.insert(launch.command.end(), arguments.begin(), arguments.end());
    return run_program(launch, 120);
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.push_back("");
    return parts;
}

// A polygon of the SVG: its id, level, class and points.
struct SvgTile {
    int level, tile_class;
    std::vector<double> points;
};

// The value of the attribute `name` in the element from `at` on.
std::string attribute(const std::string &svg, size_t at, const std::string &name)
{
    const size_t start = svg.find(" " + name + "=\"", at) + name.size() + 3;
    return svg.substr(start, svg.find('"', start) - start);
}

std::map<long, SvgTile> svg_tiles(const std::string &svg)
{
    std::map<long, SvgTile> tiles;
    for (size_t at = svg.find("<polygon "); at != std::string::npos; at = svg.find("<polygon ", at + 1)) {
        SvgTile t = {std::stoi(attribute(svg, at, "data-level")),
                     std::stoi(attribute(svg, at, "data-class")), {}};
        std::string points = attribute(svg, at, "points");
        std::replace(points.begin(), points.end(), ',', ' ');
        std::istringstream in(points);
        for (double v; in >> v;)
            t.points.push_back(v);
        tiles[std::stol(attribute(svg, at, "id").substr(1))] = t;
    }
    return tiles;
}

class Export : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        open_canvas();
    }
};

// Every preset, from the program: the four files, the PDF a page of text
// and vectors, and the CSV's rows the SVG's polygons, each of them a tile
// whose parent is a tile one level up.
TEST_F(Export, EveryPresetGivesAllFourFormatsAndTheCsvHasTheTilesOfTheSvg)
{
    const std::string folder = make_temp_folder();
    for (int i = 0; i < preset_count(); ++i) {
        const Preset &p = preset_at(i);
        const std::string name = std::string(p.program) + " " + std::to_string(p.frame);
        const std::string stem = folder + "/" + p.program + "_" + std::to_string(p.frame);
        const Ran run = explore({"--preset", p.program, "--frame", std::to_string(p.frame), "--svg",
                                 stem + ".svg", "--outline", stem + ".cut.svg", "--csv",
                                 stem + ".csv", "--pdf", stem + ".pdf"});
        ASSERT_EQ(run.status, 0) << name << ": " << run.errors;
        EXPECT_EQ(run.errors, "") << name;
        const std::string pdf = read_file(stem + ".pdf");
        EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u) << name;
        EXPECT_NE(pdf.find(" re f\n"), std::string::npos) << name;
        EXPECT_NE(read_file(stem + ".cut.svg").find("d=\"M"), std::string::npos) << name;

        // The tiles handed are those drawn, and the tiles passed through.
        const std::vector<TileRecord> tiles = state_tiles(p.state);
        EXPECT_EQ(std::count_if(tiles.begin(), tiles.end(), [](const TileRecord &t) { return t.drawn; }),
                  draw_state(p.state))
            << name;

        const std::map<long, SvgTile> svg = svg_tiles(read_file(stem + ".svg"));
        const std::vector<std::string> rows = split(read_file(stem + ".csv"), '\n');
        ASSERT_GE(rows.size(), 3u) << name;
        EXPECT_EQ(rows.size() - 2, svg.size()) << name; // the header, and the last line's end
        const ModelView view = view_of(p.state);
        std::map<long, int> levels;
        for (size_t r = 1; r + 1 < rows.size(); ++r) {
            const std::vector<std::string> cells = split(rows[r], ',');
            ASSERT_GE(cells.size(), 10u) << rows[r];
            const long id = std::stol(cells[0]);
            const auto tile = svg.find(id);
            ASSERT_NE(tile, svg.end()) << name << ": no polygon for " << rows[r];
            EXPECT_EQ(tile->second.level, std::stoi(cells[2])) << rows[r];
            EXPECT_EQ(tile->second.tile_class, std::stoi(cells[3])) << rows[r];
            // Its corners through the view, where the polygon is not cut
            // to the pictures' bounds (a thousand pixels beyond the canvas).
            std::vector<double> corners;
            for (size_t c = 4; c < cells.size(); c += 2) {
                corners.push_back(view.left + view.scale * std::stod(cells[c]));
                corners.push_back(view.base - view.scale * std::stod(cells[c + 1]));
            }
            if (std::all_of(corners.begin(), corners.end(),
                            [](double v) { return v > -999 && v < SCREEN_H + 999; })) {
                ASSERT_EQ(tile->second.points.size(), corners.size()) << rows[r];
                for (size_t c = 0; c < corners.size(); ++c)
                    EXPECT_NEAR(tile->second.points[c], corners[c], 0.0051) << rows[r];
            }
            levels[id] = std::stoi(cells[2]);
            if (cells[1].empty()) {
                EXPECT_EQ(levels[id], 0) << rows[r];
            } else {
                const auto parent = levels.find(std::stol(cells[1]));
                ASSERT_NE(parent, levels.end()) << name << ": the parent comes later: " << rows[r];
                EXPECT_EQ(parent->second + 1, levels[id]) << rows[r];
            }
        }
    }
    // Another run writes the same bytes.
    const Preset &p = preset_at(preset_count() - 1);
    const std::string again = folder + "/again";
    ASSERT_EQ(explore({"--preset", p.program, "--svg", again + ".svg", "--pdf", again + ".pdf"}).status, 0);
    const std::string stem = folder + "/" + p.program + "_" + std::to_string(p.frame);
    EXPECT_EQ(read_file(again + ".svg"), read_file(stem + ".svg"));
    EXPECT_EQ(read_file(again + ".pdf"), read_file(stem + ".pdf"));
    std::filesystem::remove_all(folder);
}

// Rasterised by librsvg, the SVG shows the canvas wherever the outlines
// (drawn by different rules) have no say.
TEST_F(Export, SvgRasterisedAgreesWithTheCanvas)
{
    if (!on_path("rsvg-convert"))
        GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is missing: tools/install_deps.sh installs it";
    const std::string folder = make_temp_folder();
    for (const char *state : {"preset=chair_grey_zoom", "preset=tri_shaded_zoom",
                              "preset=fivesplit_size_classes", "preset=fivesplit_child_colours_zoom",
                              "family=fivesplit&colour=area&ratio=-0.7&depth=6&zoom=3"}) {
        ASSERT_EQ(explore({"--svg", folder + "/view.svg", state}).status, 0) << state;
        Launch rasterise;
        rasterise.command = {"rsvg-convert", "-w", "800", "-h", "600", folder + "/view.svg", "-o",
                             folder + "/view.png"};
        ASSERT_EQ(run_program(rasterise).status, 0) << state;
        Launch compare;
        compare.command = {std::string(PROGRAM_DIR) + "/tools/svg_agreement", folder + "/view.png", state};
        const Ran agreement = run_program(compare);
        EXPECT_EQ(agreement.status, 0) << state << ": " << agreement.output << agreement.errors;
    }
    std::filesystem::remove_all(folder);
}

// The cut lines' segments, from their SVG path.
std::vector<Segment> cut_segments(const std::string &svg)
{
    std::vector<Segment> segments;
    const size_t start = svg.find(" d=\"") + 4;
    for (const std::string &path : split(svg.substr(start, svg.find('"', start) - start), 'M')) {
        std::istringstream in(path);
        std::vector<Point> points;
        for (Point p; in >> p.x >> p.y;)
            points.push_back(p);
        for (size_t i = 1; i < points.size(); ++i)
            segments.push_back({points[i - 1], points[i]});
    }
    return segments;
}

// The distance from p to the segment's line, and where along the segment
// p lies (0 at its start, 1 at its end).
double line_distance(const Point &p, const Segment &s, double &along)
{
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double length = std::hypot(dx, dy);
    along = ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / (length * length);
    return std::fabs((p.x - s.a.x) * dy - (p.y - s.a.y) * dx) / length;
}

double distance_to(const Point &p, const Segment &s)
{
    double along;
    const double across = line_distance(p, s, along);
    if (along >= 0 && along <= 1)
        return across;
    return std::min(std::hypot(p.x - s.a.x, p.y - s.a.y), std::hypot(p.x - s.b.x, p.y - s.b.y));
}

// Every edge drawn lies on the cut lines (its points within the lines' two
// decimals of them), and no two of their segments on one line overlap or
// meet end to end (they would be one). Also in a view where points on one
// line come from floats some thousandths of a pixel apart.
TEST_F(Export, CutLinesCoverEveryEdgeOnceWithoutOverlaps)
{
    constexpr double CLOSE = 0.011;
    for (const char *query :
         {"preset=chair_colour_tiling", "preset=tri_midpoint_steps&frame=5", "preset=tri_axis_edges",
          "preset=fivesplit_pinwheel&frame=3", "preset=fivesplit_child_colours",
          "family=fivesplit&colour=size&ratio=0.3&depth=5&zoom=15&x=30&y=10"}) {
        std::string problems;
        const ExploreState state = parse_state(query, problems);
        const std::vector<Segment> cuts = cut_segments(export_outline(state));
        ASSERT_FALSE(cuts.empty()) << query;
        const ModelView view = view_of(state);
        long edges = 0;
        for (const TileRecord &tile : state_tiles(state))
            for (int i = 0; i < tile.corners; ++i) {
                if (!tile.drawn || !(tile.edges >> i & 1))
                    continue;
                const int j = (i + 1) % tile.corners;
                Segment edge = {{view.left + view.scale * tile.x[i], view.base - view.scale * tile.y[i]},
                                {view.left + view.scale * tile.x[j], view.base - view.scale * tile.y[j]}};
                if (!clip_segment(edge, state.border ? ClipBox{0.5, 0.5, SCREEN_W - 0.5, SCREEN_H - 0.5}
                                                     : ClipBox{0, 0, SCREEN_W, SCREEN_H}) ||
                    std::hypot(edge.b.x - edge.a.x, edge.b.y - edge.a.y) < 0.01)
                    continue;
                ++edges;
                for (const double t : {0.0, 0.2, 0.5, 0.8, 1.0}) {
                    const Point p = {edge.a.x + t * (edge.b.x - edge.a.x), edge.a.y + t * (edge.b.y - edge.a.y)};
                    double best = 1e9;
                    for (const Segment &cut : cuts)
                        best = std::min(best, distance_to(p, cut));
                    ASSERT_LT(best, CLOSE) << query << ": (" << p.x << ", " << p.y << ") is on no cut line";
                }
            }
        EXPECT_GT(edges, 0) << query;
        for (size_t i = 0; i < cuts.size(); ++i)
            for (size_t j = i + 1; j < cuts.size(); ++j) {
                double from, to;
                if (line_distance(cuts[j].a, cuts[i], from) > CLOSE ||
                    line_distance(cuts[j].b, cuts[i], to) > CLOSE)
                    continue;
                const double length = std::hypot(cuts[i].b.x - cuts[i].a.x, cuts[i].b.y - cuts[i].a.y);
                const double shared = std::min(1.0, std::max(from, to)) - std::max(0.0, std::min(from, to));
                ASSERT_LT(shared * length, -CLOSE)
                    << query << ": (" << cuts[i].a.x << ", " << cuts[i].a.y << ")-(" << cuts[i].b.x
                    << ", " << cuts[i].b.y << ") and (" << cuts[j].a.x << ", " << cuts[j].a.y
                    << ")-(" << cuts[j].b.x << ", " << cuts[j].b.y << ") overlap or continue each other";
            }
    }
}

// The PDF, read back with poppler's tools: one landscape page of the
// paper asked for, with the state in words and as its address, and the
// scale line's words.
TEST_F(Export, PdfIsOnePageOfThePaperWithTheStateAndTheScale)
{
    if (!on_path("pdfinfo") || !on_path("pdftotext"))
        GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) is missing: tools/install_deps.sh installs it";
    const std::string folder = make_temp_folder();
    const std::string pdf = folder + "/view.pdf";
    ASSERT_EQ(explore({"--paper", "a3", "--pdf", pdf, "preset=chair_grey_zoom"}).status, 0);
    Launch info;
    info.command = {"pdfinfo", pdf};
    const std::string about = run_program(info).output;
    EXPECT_NE(about.find("Pages:           1\n"), std::string::npos) << about;
    EXPECT_NE(about.find("Page size:       1190.55 x 841.89 pts (A3)"), std::string::npos) << about;
    Launch text;
    text.command = {"pdftotext", pdf, "-"};
    const std::string words = run_program(text).output;
    std::string problems;
    const ExploreState state = parse_state("preset=chair_grey_zoom", problems);
    for (const std::string &expected : {state_words(state), state_query(state),
                                        std::string("0.05 (the first chair's side is 1)")})
        EXPECT_NE(words.find(expected), std::string::npos) << expected << " in " << words;
    std::filesystem::remove_all(folder);
}

// A file that cannot be written, or none given: one line, status 1, and
// nothing left behind; a state that cannot be read: one line, and the
// nearest state written.
TEST_F(Export, BadPathsAndStatesSayWhatWentWrongInOneLine)
{
    const std::string folder = make_temp_folder();
    std::filesystem::create_directory(folder + "/folder");
    const std::pair<std::vector<std::string>, int> runs[] = {
        {{"--svg", folder + "/missing/view.svg"}, 1},
        {{"--csv", folder + "/folder"}, 1},
        {{"--pdf", folder + "/view.pdf", "--outline"}, 1},
        {{"--paper", "A5", "--pdf", folder + "/view.pdf"}, 2},
        {{"--svg", folder + "/view.svg", "family=chair&depth=zz&colour=%3Cb%3E"}, 0},
    };
    for (const auto &[arguments, status] : runs) {
        const Ran run = explore(arguments);
        EXPECT_EQ(run.status, status) << arguments.back() << ": " << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    }
    std::vector<std::string> left;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder", "view.svg"}));
    std::string problems;
    EXPECT_EQ(read_file(folder + "/view.svg"),
              export_svg(parse_state("family=chair&depth=zz&colour=%3Cb%3E", problems)));
    std::filesystem::remove_all(folder);
}

} // namespace
