#pragma once
// Drawing helpers shared by the pictures: the fonts, a character grid for text-mode setup
// screens, small symbols, and the steps that make a flat screen image look photographed.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <cstdint>

namespace picgen {

// Registers the Debian font files (fonts-dejavu-core, fonts-wqy-microhei) by path, so every face
// below is the named file and never a fontconfig fallback. False, with a message, if one is missing.
bool loadFonts();

QFont monoFont(int pixelSize, bool bold, bool antialias, int stretch = 100);  // DejaVu Sans Mono
QFont sansFont(int pixelSize, bool bold, bool antialias, int stretch = 100);  // DejaVu Sans
QFont cjkFont(int pixelSize, bool antialias);                                 // WenQuanYi Micro Hei

// A text-mode screen: cells of cellW x cellH from origin; text sits on a baseline inside its cell.
class TextGrid {
 public:
  TextGrid(QPainter& painter, QPointF origin, qreal cellW, qreal cellH, QFont font);

  void fill(qreal col, qreal row, qreal cols, qreal rows, const QColor& colour);
  void text(qreal col, qreal row, const QString& text, const QColor& colour);
  // Box lines run through the middle of their cells, as the line-drawing characters do.
  void hline(qreal row, qreal col0, qreal col1, const QColor& colour, qreal width = 1);
  void vline(qreal col, qreal row0, qreal row1, const QColor& colour, qreal width = 1);
  void triangle(qreal col, qreal row, const QColor& colour);  // the sub-menu mark "►"

 private:
  QRectF cells(qreal col, qreal row, qreal cols = 1, qreal rows = 1) const;
  void drawArrow(const QRectF& cell, char16_t arrow, const QColor& colour, qreal capHeight);

  QPainter& p_;
  QPointF origin_;
  qreal cellW_, cellH_;
  QFont font_;
  qreal baseline_;
};

// A right-pointing filled triangle inside rect.
void fillTriangleRight(QPainter& p, const QRectF& rect, const QColor& colour);

// The white hand-shaped mouse pointer of setup programs, its fingertip at tip; scale 1 is about
// 16 x 22 pixels.
void drawHandPointer(QPainter& p, QPointF tip, qreal scale);

// A rectangle drawn by hand on a picture: a red (or any) stroke with slightly wobbly corners.
void drawMarkRectangle(QPainter& p, const QRectF& rect, const QColor& colour, qreal width);

// A hand-drawn ellipse around rect: a loop that does not quite close on itself.
void drawHandEllipse(QPainter& p, const QRectF& rect, const QColor& colour, qreal width);

// Maps a flat screen image onto quad (screen corners in the order top-left, top-right,
// bottom-right, bottom-left) of a picture of size, the rest filled with surround.
QImage photographScreen(const QImage& screen, QSize size, const QPolygonF& quad, const QColor& surround);

// The soft fall-off of brightness towards the edges of a photographed screen (strength 0..1).
void darkenEdges(QImage& image, qreal strength);

// Sensor noise of a photograph: deterministic, from seed, at most amplitude levels per channel.
void addNoise(QImage& image, int amplitude, std::uint32_t seed);

}  // namespace picgen
