// chair_grey_zoom: a detail of a chair of 2,048 pixels split seven times
// into 16,384 chairs of size 16, seen through a black frame along the
// window's edge: only the chairs whose fill seed lies inside the frame are
// filled, in four greys by orientation, which shows the diagonal banding of
// the tiling. Most of the figure lies outside the window.
// One picture; any key or closing the window ends the program.
//
// About[fr]: Un détail d'une chaise de 2 048 pixels découpée sept fois en
// 16 384 chaises de taille 16, vu à travers un cadre noir qui longe le bord
// de la fenêtre : seules les chaises dont le point de départ du remplissage
// se trouve dans le cadre sont remplies, en quatre gris selon leur
// orientation, ce qui fait apparaître les bandes diagonales du pavage.
// L'essentiel de la figure se trouve hors de la fenêtre.
//
// Title: A detail of the chair tiling in greys
// Title[fr]: Un détail du pavage de la chaise, en gris
// Frame 1: 16,384 chairs seen through a framed window, in diagonal bands
// Frame 1[fr]: 16 384 chaises vues à travers une fenêtre encadrée, en bandes diagonales
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
