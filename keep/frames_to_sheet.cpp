// frames_to_sheet: writes a printable sheet of a program's frames, one A4
// landscape page of PDF.
//
//   frames_to_sheet SOURCE.cpp OUTPUT.pdf FRAME.png...
//
// The page shows the figure's title and what it shows, as the program's
// source says them (its opening comment, read with program_notes), and
// every frame in a grid, each with its number and caption. The grid has
// the number of columns that makes the frames largest; each frame is
// printed as an image of its own pixels, scaled without smoothing, so that
// its pixels stay crisp. The text is set in Liberation Sans as text.
//
// Ends with status 1, and one line on standard error, when the notes or
// the frames cannot be read, when the notes caption a different number of
// frames, or when the sheet cannot be written.
#include "frame_files.h"
#include "program_notes.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Sizes in points (1/72 inch).
constexpr double PAGE_WIDTH = 297 / 25.4 * 72; // A4 landscape
constexpr double PAGE_HEIGHT = 210 / 25.4 * 72;
constexpr double MARGIN = 36;
constexpr double TITLE_SIZE = 18;
constexpr double ABOUT_SIZE = 10, ABOUT_LINE = 13;
constexpr double CAPTION_SIZE = 9, CAPTION_LINE = 11;
constexpr double NAME_SIZE = 9;
constexpr double BELOW_TITLE = 8, BELOW_ABOUT = 14;
constexpr double COLUMN_GAP = 14, ROW_GAP = 12, ABOVE_CAPTION = 4;
constexpr double TEXT_GREY = 0.35, FRAME_EDGE_GREY = 0.6;
const char *const TEXT_FONT = "Liberation Sans";
const char *const NAME_FONT = "Liberation Mono";

void set_font(cairo_t *cr, const char *family, double size, bool bold = false)
{
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double text_width(cairo_t *cr, const std::string &text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// `text` broken into lines no wider than `width` in the current font, at
// spaces; a word wider than `width` gets a line of its own.
std::vector<std::string> wrapped(cairo_t *cr, const std::string &text, double width)
{
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (line.empty() || text_width(cr, longer) <= width) {
            line = longer;
        } else {
            lines.push_back(line);
            line = word;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void show_lines(cairo_t *cr, const std::vector<std::string> &lines, double x, double baseline,
                double line_height)
{
    for (const std::string &line : lines) {
        cairo_move_to(cr, x, baseline);
        cairo_show_text(cr, line.c_str());
        baseline += line_height;
    }
}

struct Grid {
    int columns = 1;
    double frame_width = 0; // each frame's printed width
    int caption_lines = 0;  // the most lines a caption takes
};

// The grid of `columns` columns in a `width` x `height` area: the frames as
// wide as their column, or less where the rows would not fit.
Grid grid_of(cairo_t *cr, int columns, const std::vector<std::string> &captions, double width,
             double height, double aspect)
{
    const int rows = (static_cast<int>(captions.size()) + columns - 1) / columns;
    const double column_width = (width - (columns - 1) * COLUMN_GAP) / columns;
    Grid grid{columns, column_width, 0};
    // Narrower frames may need more caption lines, which narrow them again:
    // repeat until the caption lines stay the same.
    for (int tries = 0; tries < 8; ++tries) {
        int lines = 0;
        for (const std::string &caption : captions)
            lines = std::max(lines, static_cast<int>(wrapped(cr, caption, grid.frame_width).size()));
        const double row_height = (height - (rows - 1) * ROW_GAP) / rows;
        const double frame_height = row_height - ABOVE_CAPTION - lines * CAPTION_LINE;
        const double frame_width = std::min(column_width, frame_height * aspect);
        const bool settled = lines == grid.caption_lines && frame_width == grid.frame_width;
        grid.caption_lines = lines;
        grid.frame_width = frame_width;
        if (settled)
            break;
    }
    return grid;
}

void draw_frame(cairo_t *cr, const Picture &frame, double x, double y, double width)
{
    cairo_surface_t *image =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.width, frame.height);
    cairo_surface_flush(image);
    unsigned char *data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int row = 0; row < frame.height; ++row) {
        uint32_t *pixels = reinterpret_cast<uint32_t *>(data + static_cast<size_t>(row) * stride);
        std::copy_n(&frame.rgb[static_cast<size_t>(row) * frame.width], frame.width, pixels);
    }
    cairo_surface_mark_dirty(image);

    const double scale = width / frame.width;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);

    // A hairline round the frame, outside its pixels, so that a white frame
    // shows its edge on white paper.
    const double edge = 0.5;
    cairo_set_line_width(cr, edge);
    cairo_set_source_rgb(cr, FRAME_EDGE_GREY, FRAME_EDGE_GREY, FRAME_EDGE_GREY);
    cairo_rectangle(cr, x - edge / 2, y - edge / 2, width + edge, frame.height * scale + edge);
    cairo_stroke(cr);
}

void draw_sheet(cairo_t *cr, const ProgramNotes &notes, const std::vector<Picture> &frames)
{
    const double width = PAGE_WIDTH - 2 * MARGIN;
    double y = MARGIN;

    set_font(cr, NAME_FONT, NAME_SIZE);
    cairo_set_source_rgb(cr, TEXT_GREY, TEXT_GREY, TEXT_GREY);
    const double name_width = text_width(cr, notes.name);
    cairo_font_extents_t font;
    set_font(cr, TEXT_FONT, TITLE_SIZE, true);
    cairo_font_extents(cr, &font);
    y += font.ascent;
    set_font(cr, NAME_FONT, NAME_SIZE);
    cairo_move_to(cr, PAGE_WIDTH - MARGIN - name_width, y);
    cairo_show_text(cr, notes.name.c_str());

    cairo_set_source_rgb(cr, 0, 0, 0);
    set_font(cr, TEXT_FONT, TITLE_SIZE, true);
    cairo_move_to(cr, MARGIN, y);
    cairo_show_text(cr, notes.en.title.c_str());
    y += font.descent + BELOW_TITLE;

    set_font(cr, TEXT_FONT, ABOUT_SIZE);
    cairo_font_extents(cr, &font);
    const std::vector<std::string> about = wrapped(cr, notes.en.about, width);
    show_lines(cr, about, MARGIN, y + font.ascent, ABOUT_LINE);
    y += about.size() * ABOUT_LINE + BELOW_ABOUT;

    std::vector<std::string> captions;
    for (size_t n = 0; n < notes.en.captions.size(); ++n)
        captions.push_back("Frame " + std::to_string(n + 1) + ": " + notes.en.captions[n]);
    set_font(cr, TEXT_FONT, CAPTION_SIZE);
    cairo_font_extents(cr, &font);
    const double height = PAGE_HEIGHT - MARGIN - y;
    const double aspect = static_cast<double>(frames[0].width) / frames[0].height;
    Grid grid;
    for (int columns = 1; columns <= static_cast<int>(frames.size()); ++columns) {
        const Grid candidate = grid_of(cr, columns, captions, width, height, aspect);
        if (candidate.frame_width > grid.frame_width)
            grid = candidate;
    }
    const double frame_height = grid.frame_width / aspect;
    const double row_pitch = frame_height + ABOVE_CAPTION + grid.caption_lines * CAPTION_LINE + ROW_GAP;
    const double grid_width = grid.columns * grid.frame_width + (grid.columns - 1) * COLUMN_GAP;
    const double left = MARGIN + (width - grid_width) / 2;
    for (size_t n = 0; n < frames.size(); ++n) {
        const double x = left + (n % grid.columns) * (grid.frame_width + COLUMN_GAP);
        const double top = y + (n / grid.columns) * row_pitch;
        draw_frame(cr, frames[n], x, top, grid.frame_width);
        cairo_set_source_rgb(cr, 0, 0, 0);
        set_font(cr, TEXT_FONT, CAPTION_SIZE);
        show_lines(cr, wrapped(cr, captions[n], grid.frame_width), x,
                   top + frame_height + ABOVE_CAPTION + font.ascent, CAPTION_LINE);
    }
}

bool write_sheet(const std::string &path, const ProgramNotes &notes,
                 const std::vector<Picture> &frames, std::string &error)
{
    cairo_surface_t *surface =
        cairo_pdf_surface_create(part_path(path).c_str(), PAGE_WIDTH, PAGE_HEIGHT);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, notes.en.title.c_str());
    cairo_t *cr = cairo_create(surface);
    draw_sheet(cr, notes, frames);
    cairo_show_page(cr);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = part_path(path) + ": " + cairo_status_to_string(status);
        std::remove(part_path(path).c_str());
        return false;
    }
    return move_into_place(path, error);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: frames_to_sheet SOURCE.cpp OUTPUT.pdf FRAME.png...\n");
        return 2;
    }
    ProgramNotes notes;
    std::vector<Picture> frames;
    std::string error;
    bool ok = read_program_notes(argv[1], notes, error) &&
              read_frames(std::vector<std::string>(argv + 3, argv + argc), frames, error);
    if (ok && notes.en.captions.size() != frames.size()) {
        error = std::string(argv[1]) + " captions " + std::to_string(notes.en.captions.size()) +
                " frames, but " + std::to_string(frames.size()) + " were given";
        ok = false;
    }
    if (!ok || !write_sheet(argv[2], notes, frames, error)) {
        std::fprintf(stderr, "frames_to_sheet: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
