#pragma once
// The classic edges that a label or picture box can have outside its client area
// (border styles 1 to 5), drawn with Qt's own helpers for the old unthemed look.
//
//   1  sunken edge                          2 px
//   2  raised double frame                  3 px (a raised 2-px edge and 1 px of button face)
//   3  thin sunken edge                     1 px
//   4  raised frame around a sunken edge    5 px (style 2 outside, style 1 inside)
//   5  thin line                            1 px, in the window-frame colour (black)
//   0, 6 and anything else: no edge, 0 px.

#include <cstdint>

#include <QRect>

class QPainter;
class QPalette;

namespace vtg::controls {

// Pixels that the edge takes on each side of the unit's rectangle.
int frameThickness(std::uint32_t border);

// The client rectangle left inside `outer` once the edge of `border` is taken off; never
// of negative size.
QRect clientRectFor(const QRect& outer, std::uint32_t border);

// Draws the edge of `border` along the inside of `outer` with the application's palette
// and returns the client rectangle inside it. Draws nothing for styles without an edge;
// a rectangle too small for its edge is filled with the face colour.
QRect drawClassicFrame(QPainter& painter, const QRect& outer, std::uint32_t border);

// As above with an explicit palette (tests use a fixed one).
QRect drawClassicFrame(QPainter& painter, const QRect& outer, std::uint32_t border,
                       const QPalette& palette);

}  // namespace vtg::controls
