#include "kernel_tests.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

TEST(Canvas, ClearPaintsEveryPixelAndPixelsAreAddressedRowByRow)
{
    fresh_canvas();
    EXPECT_EQ(count_of(white()), SCREEN_W * SCREEN_H);
    const Uint32 *words = static_cast<const Uint32 *>(screen->pixels);
    const int stride = screen->pitch / 4;
    put_pixel(799, 599, ink());
    EXPECT_EQ(words[599 * stride + 799], ink());
    put_pixel(799, 0, ink());
    put_pixel(0, 1, border());
    EXPECT_EQ(words[799], ink());
    EXPECT_EQ(words[stride], border());
    EXPECT_EQ(get_pixel(0, 1), border());
}

TEST(Canvas, PixelsOffTheCanvasAreNeverTouched)
{
    fresh_canvas();
    for (int x : {-1, 800, INT_MIN, INT_MAX})
        for (int y : {-1, 0, 599, 600, INT_MIN, INT_MAX}) {
            put_pixel(x, y, ink());
            put_pixel(y, x, ink());
            EXPECT_EQ(get_pixel(x, y), 0u);
        }
    EXPECT_EQ(count_of(ink()), 0);
}

// A canvas whose rows are not packed: 3,300 bytes apart.
TEST(Canvas, RowsAreFoundThroughThePitch)
{
    SDL_Surface *const window = screen;
    const int pitch = 3300;
    std::vector<Uint8> memory(static_cast<size_t>(pitch) * SCREEN_H + 4, 0xee);
    SDL_Surface *wide = SDL_CreateRGBSurfaceFrom(memory.data(), SCREEN_W, SCREEN_H, 32, pitch,
                                                 0xff0000, 0x00ff00, 0x0000ff, 0);
    ASSERT_NE(wide, nullptr);
    set_canvas(wide);
    clear_canvas(0);
    draw_line(0, 10, 799, 10, 7);
    draw_rect(100, 100, 200, 150, 9);
    flood_fill(150, 120, 5, 9);
    auto word = [&](int x, int y) {
        Uint32 w;
        memcpy(&w, memory.data() + static_cast<size_t>(y) * pitch + 4 * x, 4);
        return w;
    };
    EXPECT_EQ(word(0, 10), 7u);
    EXPECT_EQ(word(799, 10), 7u);
    EXPECT_EQ(word(0, 11), 0u);
    EXPECT_EQ(word(150, 120), 5u);
    EXPECT_EQ(word(101, 101), 5u);
    EXPECT_EQ(word(201, 120), 0u);
    // The gap after each row is left alone.
    EXPECT_EQ(memory[static_cast<size_t>(10) * pitch + 3200], 0xee);
    set_canvas(window);
    SDL_FreeSurface(wide);
}

TEST(Canvas, SurfaceThatMustBeLockedIsLockedWhileDrawing)
{
    SDL_Surface *const window = screen;
    SDL_Surface *rle = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_W, SCREEN_H, 32, 0xff0000,
                                            0x00ff00, 0x0000ff, 0);
    ASSERT_NE(rle, nullptr);
    SDL_SetColorKey(rle, SDL_SRCCOLORKEY | SDL_RLEACCEL, 0x123456);
    // The first blit encodes the surface; from then on it must be locked.
    SDL_Surface *target = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0, 0, 0, 0);
    SDL_BlitSurface(rle, nullptr, target, nullptr);
    SDL_FreeSurface(target);
    ASSERT_TRUE(SDL_MUSTLOCK(rle));
    set_canvas(rle);
    EXPECT_EQ(rle->locked, 1);
    clear_canvas(0xffffff);
    EXPECT_EQ(rle->locked, 1);
    draw_line(0, 0, 799, 599, 0xff);
    EXPECT_EQ(get_pixel(0, 0), 0xffu);
    EXPECT_EQ(get_pixel(799, 599), 0xffu);
    EXPECT_EQ(get_pixel(799, 0), 0xffffffu);
    SDL_UnlockSurface(rle);
    set_canvas(window);
    SDL_FreeSurface(rle);
}

// Pushes the events, then a marker; returns how many events wait_key left.
int events_left_after_wait(std::vector<SDL_Event> events)
{
    SDL_Event marker{};
    marker.type = SDL_USEREVENT;
    events.push_back(marker);
    for (SDL_Event &e : events)
        SDL_PushEvent(&e);
    wait_key();
    int left = 0;
    SDL_Event e;
    while (SDL_PollEvent(&e))
        ++left;
    return left;
}

SDL_Event event_of(Uint8 type)
{
    SDL_Event e{};
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        e.key.keysym.sym = SDLK_SPACE;
    return e;
}

TEST(WaitKey, EndsOnKeyPressOrCloseRequestOnly)
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
    // It passes over motion, buttons, key releases and focus changes and
    // ends at the key press, leaving the marker queued after it.
    EXPECT_EQ(events_left_after_wait({event_of(SDL_MOUSEMOTION), event_of(SDL_MOUSEBUTTONDOWN),
                                      event_of(SDL_MOUSEBUTTONUP), event_of(SDL_KEYUP),
                                      event_of(SDL_ACTIVEEVENT), event_of(SDL_KEYDOWN)}),
              1);
    EXPECT_EQ(events_left_after_wait({event_of(SDL_VIDEOEXPOSE), event_of(SDL_QUIT),
                                      event_of(SDL_KEYDOWN)}),
              2);
}

// LANGUAGE's list first; else the first of LC_ALL, LC_MESSAGES and LANG
// that is set decides, English where it names neither language.
TEST(WindowName, TheUserLanguageIsLanguageThenTheFirstLocaleSet)
{
    const char *const languages[] = {"en", "fr"};
    // LANGUAGE, LC_ALL, LC_MESSAGES, LANG ("-": unset), and the language.
    const std::vector<std::pair<std::vector<const char *>, int>> cases = {
        {{"-", "-", "-", "-"}, 0},           {{"-", "-", "-", "fr_FR.UTF-8"}, 1},
        {{"de:fr_CA", "-", "-", "en_GB"}, 1}, {{"de", "-", "-", "fr_BE@euro"}, 1},
        {{"", "C", "-", "fr_FR.UTF-8"}, 0},  {{"-", "", "fr.UTF-8", "en_US"}, 1},
    };
    const char *const names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (size_t n = 0; n < cases.size(); ++n) {
        for (int i = 0; i < 4; ++i) {
            if (std::string(cases[n].first[i]) == "-")
                unsetenv(names[i]);
            else
                setenv(names[i], cases[n].first[i], 1);
        }
        EXPECT_EQ(user_language(languages, 2), cases[n].second) << "case " << n + 1;
    }
}

// A long double truncates as the x87 truncates it, though the conversion
// goes by way of double: most of all just short of a whole number, where
// the nearest double is that number.
TEST(TruncInt, LongDoubleAsItsOwnConversion)
{
    const long double tiny = 1.0L / (1LL << 60);
    for (const long double v : {0.0L, 0.5L, 599.0L, 599.0L - tiny, 599.0L + tiny, -0.6L,
                                -1.0L + tiny, -1.0L - tiny, -799.0L + tiny, 1e9L - tiny,
                                2147483647.0L - tiny, -2147483647.0L - tiny, tiny, -tiny})
        EXPECT_EQ(trunc_int(v), static_cast<int>(v)) << static_cast<double>(v);
    EXPECT_EQ(trunc_int(1e300L), INT_MAX);
    EXPECT_EQ(trunc_int(-1e300L), INT_MIN);
    EXPECT_EQ(trunc_int(std::numeric_limits<long double>::quiet_NaN()), 0);
}

} // namespace
