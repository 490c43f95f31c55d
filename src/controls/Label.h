#pragma once
// The `Label` unit kind: a child that paints a background (colour, picture or gradient,
// optionally inside an edge or a gradient frame) and then its text, on one line or
// word-wrapped, in its own colour and font. It never takes the focus and raises no event.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QWidget>

#include "controls/ControlUnit.h"
#include "controls/LabelProperties.h"
#include "platform/Fonts.h"
#include "platform/TextDraw.h"

namespace vtg::controls {

class DecodedPicture;

class Label : public QWidget, public ControlUnit {
  Q_OBJECT

 public:
  // Makes the label, hidden; nothing when its property block cannot be read.
  static Label* create(const ControlCreateArgs& args);
  ~Label() override;

  QWidget* widget() override { return this; }
  std::string_view mnemonicText() const override { return props_.text; }

  const LabelProperties& properties() const { return props_; }
  const QFont& textFont() const { return font_.font(); }
  // The layout flags the text is drawn with.
  std::uint32_t textFlags() const { return textFlags_; }
  // The area inside the classic edge, where background and text go.
  QRect clientArea() const;
  // The client area less a gradient frame that is drawn: where the text is laid out.
  QRect textArea() const;
  // The text laid out for the current size (made now if it has not been yet).
  const platform::TextLayout& textLayout() { return layoutFor(textArea().size()); }
  // How many times the text has been laid out; a repaint at an unchanged size adds none.
  int layoutsMade() const { return layoutsMade_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Label(const ControlCreateArgs& args, LabelProperties props);

  // Paints the background picture into `area` and takes what it covers out of `fill`;
  // false when there is no picture to show (none stored, or it would not decode).
  bool paintPicture(QPainter& painter, const QRect& area, const QRegion& dirty, QRegion& fill);
  void paintText(QPainter& painter, const QRect& area);
  const platform::TextLayout& layoutFor(QSize size);
  // The gradient frame's colours when it is drawn; empty when it is not.
  std::vector<QColor> frameColours(const QRect& client) const;

  LabelProperties props_;
  platform::HeldFont font_;
  std::uint32_t textFlags_ = 0;
  std::unique_ptr<DecodedPicture> picture_;  // decoded on the first paint that needs it
  QPixmap tile_;                             // the picture as a tile, for tiled placement
  std::optional<platform::TextLayout> layout_;
  QSize layoutSize_;
  int layoutsMade_ = 0;
};

// The layout flags for the stored alignment and wrap settings.
std::uint32_t labelTextFlags(const LabelProperties& props);

}  // namespace vtg::controls
