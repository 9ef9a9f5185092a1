// fivesplit_area_labels: the right triangle with legs 1 and tan 36 degrees
// split three times into 125 triangles of four possible areas. The first
// picture shows the four areas as labels across the top of the black
// frame; after a key press the triangle appears below them, every tile
// filled by its area, from red (the largest) through brown and olive to
// green (the smallest).
// Two pictures; each key press or closing the window moves on, and the
// program ends after the second.
//
// About[fr]: Le triangle rectangle dont les côtés de l'angle droit mesurent
// 1 et tan 36 degrés, découpé trois fois en 125 triangles de quatre aires
// possibles. La première image montre les quatre aires en étiquettes en haut
// du cadre noir ; après un appui sur une touche, le triangle apparaît en
// dessous, chaque pavé rempli selon son aire, du rouge (la plus grande) au
// vert (la plus petite) en passant par le brun et l'olive.
//
// The labels are written with the TrueType font times.ttf, taken from the
// working folder; else from the copy installed with the program
// (share/tilings/times.ttf next to the program's folder, or inside it in
// the build folder); else Liberation Serif where the system's
// fonts-liberation package keeps it (/usr/share/fonts/truetype/liberation/,
// or liberation2/ for its second version). Without a usable font the labels
// are left out, with one line on standard error saying why, and the figure
// is drawn all the same.
//
// Title: A five-way split coloured by tile area
// Title[fr]: Un découpage en cinq colorié selon l'aire des pavés
// Frame 1: the four possible tile areas, as labels
// Frame 1[fr]: les quatre aires possibles des pavés, en étiquettes
// Frame 2: depth 3: 125 tiles coloured by area
// Frame 2[fr]: profondeur 3 : 125 pavés coloriés selon leur aire
#include "five_split_figures.h"

#include <SDL_ttf.h>

#include <climits>
#include <cstdarg>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {


// The levels of the split: the four possible areas are those of 0 to 3
// small children.
constexpr int LEVELS = 3;
constexpr int FONT_SIZE = 20;
const char *const FONT_NAME = "times.ttf";
// Where the copy of the font lies, seen from the program's folder: in the
// build folder, then in an installed tree.
const char *const FONT_COPIES[] = {"share/tilings/times.ttf", "../share/tilings/times.ttf"};
// Where the system keeps the same font, when there is no copy.
const char *const SYSTEM_FONTS[] = {
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf"};

} // namespace

// The leg ratio: tan 36 degrees.
const float E = static_cast<float>(std::tan(0.6283185307179586));

TTF_Font *font;
// Why there is no font, when there is none.
char font_problem[512];
char label_text[32];
SDL_Rect label_rect;

// Adds to font_problem, as far as it holds.
static void add_font_problem(const char *format, ...)
{
    const size_t used = std::strlen(font_problem);
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(font_problem + used, sizeof font_problem - used, format, arguments);
    va_end(arguments);
}

// Opens the font at `path` if there is a file there. Returns true when there
// was one: then either `font` is open or font_problem says why not.
static bool open_font_file(const char *path)
{
    if (access(path, F_OK) != 0)
        return false;
    font = TTF_OpenFont(path, FONT_SIZE);
    if (!font)
        add_font_problem(", nor %s (%s)", path, TTF_GetError());
    return true;
}

// Opens the labels' font: from the working folder, else the first copy
// found from the program's folder, else the first system font found. On
// failure leaves `font` null and says why in font_problem.
static void open_label_font()
{
    font = TTF_OpenFont(FONT_NAME, FONT_SIZE);
    if (font)
        return;
    font_problem[0] = '\0';
    add_font_problem("cannot open %s (%s)", FONT_NAME, TTF_GetError());
    char folder[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", folder, sizeof folder - 1);
    char *slash = nullptr;
    if (n > 0) {
        folder[n] = '\0';
        slash = std::strrchr(folder, '/');
    }
    if (!slash) {
        add_font_problem(", cannot find the program's own folder");
    } else {
        *slash = '\0';
        bool copy_found = false;
        for (const char *copy : FONT_COPIES) {
            char path[PATH_MAX + 64];
            std::snprintf(path, sizeof path, "%s/%s", folder, copy);
            copy_found = open_font_file(path);
            if (copy_found)
                break;
        }
        if (font)
            return;
        if (!copy_found)
            add_font_problem(", there is no copy of it in %s/%s", folder, FONT_COPIES[1]);
    }
    for (const char *path : SYSTEM_FONTS)
        if (open_font_file(path))
            return;
    add_font_problem(", and Liberation Serif is not in %s", SYSTEM_FONTS[0]);
}

// Fills AREAS and writes each area as a label "%3.4f " in black, the labels
// from x = 300 onwards, 70 pixels apart, at y = 15. A label that cannot be
// written is left out, with one line on standard error.
void draw_area_labels()
{
    fill_area_table(E, LEVELS);
    const char *problem = font ? nullptr : font_problem;
    char render_problem[256];
    for (int p = 0; p < area_classes; ++p) {
        std::snprintf(label_text, sizeof label_text, "%3.4f ", AREAS[p]);
        if (!font)
            continue;
        SDL_Surface *text = TTF_RenderText_Solid(font, label_text, SDL_Color{0, 0, 0, 0});
        if (!text) {
            if (!problem) {
                std::snprintf(render_problem, sizeof render_problem, "cannot render \"%s\" (%s)",
                              label_text, TTF_GetError());
                problem = render_problem;
            }
            continue;
        }
        label_rect.x = static_cast<Sint16>(300 + 70 * p);
        label_rect.y = 15;
        // The canvas may be kept locked for drawing; a blit needs it unlocked.
        if (SDL_MUSTLOCK(screen))
            SDL_UnlockSurface(screen);
        SDL_UpperBlit(text, nullptr, screen, &label_rect);
        if (SDL_MUSTLOCK(screen))
            SDL_LockSurface(screen);
        SDL_FreeSurface(text);
    }
    if (problem)
        std::fprintf(stderr, "fivesplit_area_labels: the area labels are left out: %s\n", problem);
}

int main(int, char **)
{
    open_canvas();
    map_five_split_palette();
    clear_canvas(white);
    // The unit leg spans 790 pixels; model y = 0 is row 599.
    five_view = {790, 0, 599};
    draw_frame(black);

    font = nullptr;
    if (TTF_Init() == 0)
        open_label_font();
    else
        std::snprintf(font_problem, sizeof font_problem, "cannot start the font library (%s)",
                      TTF_GetError());
    draw_area_labels();
    present();
    wait_key();

    area_class_triangle(0, 0, 1, 0, E, LEVELS);
    present();
    wait_key();

    if (font)
        TTF_CloseFont(font);
    TTF_Quit();
    return 0;
}
