#include "controls/Frames.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

namespace vtg::controls {

namespace {

// Border styles that have an edge.
constexpr std::uint32_t kSunken = 1;
constexpr std::uint32_t kRaisedDouble = 2;
constexpr std::uint32_t kThinSunken = 3;
constexpr std::uint32_t kRaisedAroundSunken = 4;
constexpr std::uint32_t kThinLine = 5;

constexpr int kSunkenThickness = 2;
constexpr int kRaisedDoubleThickness = 3;

QRect shrunk(const QRect& r, int by) {
  QRect inner = r.adjusted(by, by, -by, -by);
  if (inner.width() < 0) inner.setWidth(0);
  if (inner.height() < 0) inner.setHeight(0);
  return inner;
}

void drawSunken(QPainter& p, const QRect& r, const QPalette& pal) {
  qDrawWinPanel(&p, r, pal, /*sunken=*/true);
}

void drawRaisedDouble(QPainter& p, const QRect& r, const QPalette& pal) {
  qDrawWinPanel(&p, r, pal, /*sunken=*/false);
  qDrawPlainRect(&p, shrunk(r, 2), pal.color(QPalette::Button), 1);
}

}  // namespace

int frameThickness(std::uint32_t border) {
  switch (border) {
    case kSunken: return kSunkenThickness;
    case kRaisedDouble: return kRaisedDoubleThickness;
    case kThinSunken: return 1;
    case kRaisedAroundSunken: return kRaisedDoubleThickness + kSunkenThickness;
    case kThinLine: return 1;
    default: return 0;
  }
}

QRect clientRectFor(const QRect& outer, std::uint32_t border) {
  return shrunk(outer, frameThickness(border));
}

QRect drawClassicFrame(QPainter& painter, const QRect& outer, std::uint32_t border) {
  return drawClassicFrame(painter, outer, border, QGuiApplication::palette());
}

QRect drawClassicFrame(QPainter& painter, const QRect& outer, std::uint32_t border,
                       const QPalette& palette) {
  const int thickness = frameThickness(border);
  if (thickness == 0) return outer;
  // The helpers draw nothing sensible into a rectangle smaller than their edge; such a
  // unit is all edge, shown in the face colour so that no pixel is left unpainted.
  if (outer.width() < 2 * thickness || outer.height() < 2 * thickness) {
    painter.fillRect(outer, palette.color(QPalette::Button));
    return clientRectFor(outer, border);
  }
  painter.save();
  switch (border) {
    case kSunken:
      drawSunken(painter, outer, palette);
      break;
    case kRaisedDouble:
      drawRaisedDouble(painter, outer, palette);
      break;
    case kThinSunken:
      qDrawShadePanel(&painter, outer, palette, /*sunken=*/true, 1);
      break;
    case kRaisedAroundSunken:
      drawRaisedDouble(painter, outer, palette);
      drawSunken(painter, shrunk(outer, kRaisedDoubleThickness), palette);
      break;
    case kThinLine:
      qDrawPlainRect(&painter, outer, Qt::black, 1);
      break;
    default:
      break;
  }
  painter.restore();
  return clientRectFor(outer, border);
}

}  // namespace vtg::controls
