// The explorer's view written out, from the tiles its drawing hands over
// (state_tiles): as an SVG picture, as cut lines for a laser cutter or pen
// plotter, as a table of tile data, and as a one-page PDF. Each writer is a
// function of the state alone, its bytes the same on every run and every
// machine: no clock, no locale, no font but the PDF reader's own
// Helvetica. The canvas must be open (the colours are its pixel words).
//
// The pictures lie in the canvas's pixel space, 800 x 600, with each model
// point at its unrounded pixel position through the state's view, written
// to two decimals.
#ifndef EXPORT_H
#define EXPORT_H

#include "explore.h"

#include <string>

// The SVG picture: one <polygon> per tile (data-level, data-class), filled
// as on the canvas, in drawing order; the tiles passed through on the way
// down in a group of their own, unfilled and unstroked; the outlines in a
// layer of their own above them; the black border if the state has one.
std::string export_svg(const ExploreState &state);

// Cut lines, as SVG: only strokes, the union of the outlined edges within
// the canvas (and the border, if the state has one), each stretch once, in
// as few paths as practical, in an order that keeps the pen's travel short
// (edge_union.h).
std::string export_outline(const ExploreState &state);

// The tiles as CSV: a header row, then one row per tile in id order:
// id,parent,level,class,x1,y1,... in model coordinates, each number in its
// shortest round-trip form; the first tile's parent is empty.
std::string export_csv(const ExploreState &state);

enum Paper { PAPER_A4, PAPER_A3, PAPER_A2 };
// "A4", "A3" or "A2" (in either case); false for anything else.
bool read_paper(const std::string &name, Paper &paper);

// One landscape page of PDF: the state in words as its title, its address
// and a scale line in grey, and the view, framed, as vector polygons and
// strokes.
std::string export_pdf(const ExploreState &state, Paper paper);

#endif
