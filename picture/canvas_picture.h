// The canvas as a picture: each pixel's colour as 0xRRGGBB, read through
// the screen's format. The kernel is the one the program links.
#ifndef CANVAS_PICTURE_H
#define CANVAS_PICTURE_H

#include "picture.h"

Picture canvas_picture();

#endif
