// make_icon: makes a program's icon from its kept pictures: the largest of
// them, the most detailed frame, scaled down to fit a square of SIZE
// pixels, each icon pixel the average of the picture's area under it,
// centred on white.
//
//   make_icon SIZE ICON.png PICTURE.png...
//
// Ends with status 1, and one line on standard error, when the picture
// cannot be read or the icon cannot be written.
#include "icon.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    const int size = argc >= 4 ? std::atoi(argv[1]) : 0;
    if (size < 1 || size > 4096) {
        std::fprintf(stderr, "usage: make_icon SIZE ICON.png PICTURE.png...\n");
        return 2;
    }
    const std::string path = largest_picture(std::vector<std::string>(argv + 3, argv + argc));
    Picture picture;
    std::string error;
    if (!read_picture(path, picture, error)) {
        std::fprintf(stderr, "make_icon: cannot read %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    if (!write_picture(argv[2], icon_of(picture, size), error)) {
        std::fprintf(stderr, "make_icon: cannot write %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    return 0;
}
