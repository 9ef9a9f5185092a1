// chair_grey_zoom: a detail of a chair of 2,048 pixels split seven times
// into 16,384 chairs of size 16, seen through a black frame along the
// window's edge: only the chairs whose fill seed lies inside the frame are
// filled, in four greys by orientation, which shows the diagonal banding of
// the tiling. Most of the figure lies outside the window.
// One picture; any key or closing the window ends the program.
//
// Title: A detail of the chair tiling in greys
// Frame 1: 16,384 chairs seen through a framed window, in diagonal bands
#include "chair.h"

int main(int, char **)
{
    open_canvas();
    const Uint32 white = map_rgb(255, 255, 255);
    map_chair_palette(CHAIR_GREY_RGB);
    clear_canvas(white);

    // The frame closes the chairs cut by the window's edge.
    draw_frame(chair_outline);
    // Spans columns -200 to 1848 and rows -1078 to 970; its notch lies
    // wholly to the right of the window.
    draw_chair_clipped(-200, 970, 2048, 0, 7);

    present();
    wait_key();
    return 0;
}
