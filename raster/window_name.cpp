// The window's name on the desktop: its title, its class and its icon
// (name_window in raster.h), and the language the user reads.
//
// SDL gives the title to X in the locale's character set, which is ASCII
// in a program that never sets its locale, so that accents are lost; and it
// sets no _NET_WM_ICON, the icon that taskbars and window lists show. On X
// both are set here as well: _NET_WM_NAME in UTF-8 and WM_NAME in Latin-1
// (X's STRING), and _NET_WM_ICON. The class is SDL's: it reads it from
// SDL_VIDEO_X11_WMCLASS when it starts its video system.
#include "raster.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What name_window was given before the window opened. Function-local, so
// that each is there, empty, when a program's build names its window
// before main.
std::string &kept_title()
{
    static std::string title;
    return title;
}

struct KeptIcon {
    int width = 0, height = 0;
    std::vector<Uint32> rgb;
};

KeptIcon &kept_icon()
{
    static KeptIcon icon;
    return icon;
}

// The icon SDL was given last. SDL keeps a pointer to it.
SDL_Surface *icon_surface = nullptr;

// The text in Latin-1, each character beyond it (or each byte of malformed
// UTF-8) as '?'.
std::string latin1(const std::string &utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = utf8[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if ((c == 0xc2 || c == 0xc3) && i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xc0) == 0x80) {
            out += static_cast<char>((c & 0x03) << 6 | (utf8[i + 1] & 0x3f));
            i += 2;
        } else {
            out += '?';
            for (++i; i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xc0) == 0x80;)
                ++i;
        }
    }
    return out;
}

// Runs `set` with the X display and the window the window manager sees,
// under SDL's lock; does nothing on a video driver other than X's.
template <typename Set>
void on_x_window(Set set)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11)
        return;
    info.info.x11.lock_func();
    set(info.info.x11.display, info.info.x11.wmwindow);
    XFlush(info.info.x11.display);
    info.info.x11.unlock_func();
}

void show_title(const std::string &title)
{
    SDL_WM_SetCaption(title.c_str(), title.c_str());
    on_x_window([&](Display *display, Window window) {
        const auto set = [&](const char *name, Atom type, const std::string &text) {
            XChangeProperty(display, window, XInternAtom(display, name, False), type, 8,
                            PropModeReplace, reinterpret_cast<const unsigned char *>(text.data()),
                            static_cast<int>(text.size()));
        };
        const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
        set("_NET_WM_NAME", utf8, title);
        set("_NET_WM_ICON_NAME", utf8, title);
        set("WM_NAME", XA_STRING, latin1(title));
        set("WM_ICON_NAME", XA_STRING, latin1(title));
    });
}

void show_icon(const KeptIcon &icon)
{
    SDL_Surface *surface = SDL_CreateRGBSurface(SDL_SWSURFACE, icon.width, icon.height, 32,
                                                0xff0000, 0x00ff00, 0x0000ff, 0);
    if (surface == nullptr)
        return;
    for (int y = 0; y < icon.height; ++y)
        std::memcpy(static_cast<Uint8 *>(surface->pixels) + y * surface->pitch,
                    &icon.rgb[static_cast<size_t>(y) * icon.width], icon.width * sizeof(Uint32));
    // Every pixel shows. (Given no mask, SDL makes one itself, and crashed
    // now and then doing so.)
    std::vector<Uint8> mask(static_cast<size_t>((icon.width + 7) / 8) * icon.height, 0xff);
    SDL_WM_SetIcon(surface, mask.data());
    if (icon_surface != nullptr)
        SDL_FreeSurface(icon_surface);
    icon_surface = surface;

    on_x_window([&](Display *display, Window window) {
        // Width, height, then each pixel as 0xAARRGGBB, one long each.
        std::vector<unsigned long> words = {static_cast<unsigned long>(icon.width),
                                            static_cast<unsigned long>(icon.height)};
        for (const Uint32 pixel : icon.rgb)
            words.push_back(0xff000000ul | pixel);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char *>(words.data()),
                        static_cast<int>(words.size()));
    });
}

// The index among `languages` of the language a locale's name starts with
// ("fr" for "fr_CA.UTF-8@euro"), or -1.
int language_index(const std::string &locale, const char *const *languages, int count)
{
    const std::string language = locale.substr(0, locale.find_first_of("_.@"));
    for (int i = 0; i < count; ++i)
        if (language == languages[i])
            return i;
    return -1;
}

} // namespace

void name_window(const char *title, const char *window_class, const WindowIcon *icon)
{
    if (window_class != nullptr)
        setenv("SDL_VIDEO_X11_WMCLASS", window_class, 1);
    if (title != nullptr)
        kept_title() = title;
    if (icon != nullptr && icon->width > 0 && icon->height > 0)
        kept_icon() = {icon->width, icon->height,
                       std::vector<Uint32>(icon->rgb, icon->rgb + icon->width * icon->height)};
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    if (title != nullptr)
        show_title(kept_title());
    if (icon != nullptr && !kept_icon().rgb.empty())
        show_icon(kept_icon());
}

// For open_canvas(): gives the window the name it was given before it
// opened.
void show_window_name()
{
    if (!kept_title().empty())
        show_title(kept_title());
    if (!kept_icon().rgb.empty())
        show_icon(kept_icon());
}

int user_language(const char *const *languages, int count)
{
    const char *list = std::getenv("LANGUAGE");
    for (std::string rest = list ? list : ""; !rest.empty();) {
        const size_t colon = rest.find(':');
        const int index = language_index(rest.substr(0, colon), languages, count);
        if (index >= 0)
            return index;
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
    }
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *locale = std::getenv(name);
        if (locale != nullptr && *locale != '\0')
            return std::max(0, language_index(locale, languages, count));
    }
    return 0;
}
