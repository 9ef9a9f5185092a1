// frames_to_sheet: writes a printable sheet of a program's frames, one A4
// landscape page of PDF, in English or in French.
//
//   frames_to_sheet [--lang en|fr] SOURCE.cpp OUTPUT.pdf FRAME.png...
//
// The page shows the figure's title and what it shows, as the program's
// source says them in that language (its opening comment, read with
// program_notes), and every frame in a grid, each with its number and
// caption. The grid has the number of columns that makes the frames
// largest; each frame is printed as an image of its own pixels, scaled
// without smoothing, so that its pixels stay crisp. The text is set in
// Liberation Sans as text, laid out by Pango: wrapped to its width by the
// rules of its language, a word too long for a line broken with a hyphen.
//
// Ends with status 1, and one line on standard error, when the notes or
// the frames cannot be read, when the notes caption a different number of
// frames, or when the sheet cannot be written.
#include "frame_files.h"
#include "program_notes.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Sizes in points (1/72 inch).
constexpr double PAGE_WIDTH = 297 / 25.4 * 72; // A4 landscape
constexpr double PAGE_HEIGHT = 210 / 25.4 * 72;
constexpr double MARGIN = 36;
constexpr double TITLE_SIZE = 18, ABOUT_SIZE = 10, CAPTION_SIZE = 9, NAME_SIZE = 9;
constexpr double BELOW_TITLE = 8, BELOW_ABOUT = 14;
constexpr double COLUMN_GAP = 14, ROW_GAP = 12, ABOVE_CAPTION = 4;
constexpr double TEXT_GREY = 0.35, FRAME_EDGE_GREY = 0.6;
const char *const TEXT_FONT = "Liberation Sans";
const char *const NAME_FONT = "Liberation Mono";

// The language of the text, for Pango's line breaking and hyphens.
std::string text_language = "en";

// `text` laid out in `family` at `size` points, in lines no wider than
// `width` (0: one line). The caller frees it.
PangoLayout *layout_of(cairo_t *cr, const std::string &text, const char *family, double size,
                       double width = 0, bool bold = false)
{
    PangoLayout *layout = pango_cairo_create_layout(cr);
    pango_context_set_language(pango_layout_get_context(layout),
                               pango_language_from_string(text_language.c_str()));
    pango_layout_context_changed(layout);
    PangoFontDescription *font = pango_font_description_new();
    pango_font_description_set_family(font, family);
    pango_font_description_set_weight(font, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    if (width > 0) {
        pango_layout_set_width(layout, pango_units_from_double(width));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    }
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

double height_of(PangoLayout *layout)
{
    int width, height;
    pango_layout_get_size(layout, &width, &height);
    return pango_units_to_double(height);
}

double width_of(PangoLayout *layout)
{
    int width, height;
    pango_layout_get_size(layout, &width, &height);
    return pango_units_to_double(width);
}

// Shows the layout with its top left corner at (x, y), and frees it.
void show(cairo_t *cr, PangoLayout *layout, double x, double y)
{
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

// The height of the tallest caption in lines `width` wide.
double caption_height(cairo_t *cr, const std::vector<std::string> &captions, double width)
{
    double height = 0;
    for (const std::string &caption : captions) {
        PangoLayout *layout = layout_of(cr, caption, TEXT_FONT, CAPTION_SIZE, width);
        height = std::max(height, height_of(layout));
        g_object_unref(layout);
    }
    return height;
}

struct Grid {
    int columns = 1;
    double frame_width = 0;    // each frame's printed width
    double caption_height = 0; // the tallest caption's
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
    // repeat until the captions' height stays the same.
    for (int tries = 0; tries < 8; ++tries) {
        const double captions_height = caption_height(cr, captions, grid.frame_width);
        const double row_height = (height - (rows - 1) * ROW_GAP) / rows;
        const double frame_height = row_height - ABOVE_CAPTION - captions_height;
        const double frame_width = std::min(column_width, frame_height * aspect);
        const bool settled = captions_height == grid.caption_height && frame_width == grid.frame_width;
        grid.caption_height = captions_height;
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

void draw_sheet(cairo_t *cr, const std::string &name, const NotesText &text,
                const std::vector<Picture> &frames)
{
    const double width = PAGE_WIDTH - 2 * MARGIN;
    double y = MARGIN;

    // The title, and the program's name at the right on the same baseline.
    PangoLayout *name_layout = layout_of(cr, name, NAME_FONT, NAME_SIZE);
    const double name_width = width_of(name_layout);
    PangoLayout *title = layout_of(cr, text.title, TEXT_FONT, TITLE_SIZE,
                                   width - name_width - COLUMN_GAP, true);
    const double title_height = height_of(title);
    const double baseline = pango_units_to_double(pango_layout_get_baseline(title));
    cairo_set_source_rgb(cr, TEXT_GREY, TEXT_GREY, TEXT_GREY);
    show(cr, name_layout, PAGE_WIDTH - MARGIN - name_width,
         y + baseline - pango_units_to_double(pango_layout_get_baseline(name_layout)));
    cairo_set_source_rgb(cr, 0, 0, 0);
    show(cr, title, MARGIN, y);
    y += title_height + BELOW_TITLE;

    PangoLayout *about = layout_of(cr, text.about, TEXT_FONT, ABOUT_SIZE, width);
    const double about_height = height_of(about);
    show(cr, about, MARGIN, y);
    y += about_height + BELOW_ABOUT;

    std::vector<std::string> captions;
    for (size_t n = 0; n < text.captions.size(); ++n)
        captions.push_back((text_language == "fr" ? "Image " : "Frame ") + std::to_string(n + 1) +
                           (text_language == "fr" ? "\u00a0: " : ": ") + text.captions[n]);
    const double height = PAGE_HEIGHT - MARGIN - y;
    const double aspect = static_cast<double>(frames[0].width) / frames[0].height;
    Grid grid;
    for (int columns = 1; columns <= static_cast<int>(frames.size()); ++columns) {
        const Grid candidate = grid_of(cr, columns, captions, width, height, aspect);
        if (candidate.frame_width > grid.frame_width)
            grid = candidate;
    }
    const double frame_height = grid.frame_width / aspect;
    const double row_pitch = frame_height + ABOVE_CAPTION + grid.caption_height + ROW_GAP;
    const double grid_width = grid.columns * grid.frame_width + (grid.columns - 1) * COLUMN_GAP;
    const double left = MARGIN + (width - grid_width) / 2;
    for (size_t n = 0; n < frames.size(); ++n) {
        const double x = left + (n % grid.columns) * (grid.frame_width + COLUMN_GAP);
        const double top = y + (n / grid.columns) * row_pitch;
        draw_frame(cr, frames[n], x, top, grid.frame_width);
        cairo_set_source_rgb(cr, 0, 0, 0);
        show(cr, layout_of(cr, captions[n], TEXT_FONT, CAPTION_SIZE, grid.frame_width), x,
             top + frame_height + ABOVE_CAPTION);
    }
}

bool write_sheet(const std::string &path, const std::string &name, const NotesText &text,
                 const std::vector<Picture> &frames, std::string &error)
{
    cairo_surface_t *surface =
        cairo_pdf_surface_create(part_path(path).c_str(), PAGE_WIDTH, PAGE_HEIGHT);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, text.title.c_str());
    cairo_t *cr = cairo_create(surface);
    draw_sheet(cr, name, text, frames);
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
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--lang") {
        text_language = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::vector<std::string> &languages = notes_languages();
    if (args.size() < 3 ||
        std::find(languages.begin(), languages.end(), text_language) == languages.end()) {
        std::fprintf(stderr,
                     "usage: frames_to_sheet [--lang en|fr] SOURCE.cpp OUTPUT.pdf FRAME.png...\n");
        return 2;
    }
    ProgramNotes notes;
    std::vector<Picture> frames;
    std::string error;
    bool ok = read_program_notes(args[0], notes, error) &&
              read_frames(std::vector<std::string>(args.begin() + 2, args.end()), frames, error);
    const NotesText text = notes_in(notes, text_language);
    if (ok && text.captions.size() != frames.size()) {
        error = args[0] + " captions " + std::to_string(text.captions.size()) + " frames, but " +
                std::to_string(frames.size()) + " were given";
        ok = false;
    }
    if (!ok || !write_sheet(args[1], notes.name, text, frames, error)) {
        std::fprintf(stderr, "frames_to_sheet: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
