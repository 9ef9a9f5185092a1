#include "recording_kernel.h"

#include "raster.h"

#include <initializer_list>

std::vector<std::string> kernel_calls;
SDL_Surface *screen = nullptr;

static void record(const char *name, std::initializer_list<long long> args)
{
    std::string text = std::string(name) + "(";
    for (const long long *a = args.begin(); a != args.end(); ++a)
        text += (a == args.begin() ? "" : ", ") + std::to_string(*a);
    kernel_calls.push_back(text + ")");
}

std::vector<std::string> calls_named(const std::string &name)
{
    std::vector<std::string> found;
    for (const std::string &call : kernel_calls)
        if (call.compare(0, name.size() + 1, name + "(") == 0)
            found.push_back(call);
    return found;
}

void draw_line(int x0, int y0, int x1, int y1, Uint32 c) { record("draw_line", {x0, y0, x1, y1, c}); }
void draw_rect(int x0, int y0, int x1, int y1, Uint32 c) { record("draw_rect", {x0, y0, x1, y1, c}); }
void draw_frame(Uint32 c) { record("draw_frame", {c}); }
void flood_fill(int x, int y, Uint32 f, Uint32 b) { record("flood_fill", {x, y, f, b}); }
void draw_circle(int x, int y, int r, Uint32 c) { record("draw_circle", {x, y, r, c}); }
void fill_disk(int x, int y, int r, Uint32 c) { record("fill_disk", {x, y, r, c}); }
void draw_thick_line(int x0, int y0, int x1, int y1, int w, Uint32 c)
{
    record("draw_thick_line", {x0, y0, x1, y1, w, c});
}

void open_canvas() { record("open_canvas", {}); }
void set_canvas(SDL_Surface *) { record("set_canvas", {}); }
Uint32 map_rgb(Uint8 r, Uint8 g, Uint8 b) { return Uint32(r) << 16 | Uint32(g) << 8 | b; }
void clear_canvas(Uint32 c) { record("clear_canvas", {c}); }
void present() { record("present", {}); }
void wait_key() { record("wait_key", {}); }
