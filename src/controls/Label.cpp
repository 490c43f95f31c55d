#include "controls/Label.h"

#include <algorithm>
#include <vector>

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include "controls/Frames.h"
#include "controls/TopWindow.h"
#include "controls/picture/Picture.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/Gbk.h"

namespace vtg::controls {
namespace {

using platform::TextFlag::bottom;
using platform::TextFlag::centre;
using platform::TextFlag::left;
using platform::TextFlag::noClip;
using platform::TextFlag::right;
using platform::TextFlag::singleLine;
using platform::TextFlag::vcentre;
using platform::TextFlag::wordBreak;

constexpr std::uint32_t kGradientFrameBorder = 6;
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kBlack = 0x00000000;

enum Effect : std::uint32_t { kNoEffect = 0, kSunken = 1, kRaised = 2, kShadow = 3 };
enum PictureMode : std::uint32_t { kTopLeft = 0, kTiled = 1, kCentred = 2 };

// The usable colours of a frame or gradient: the stored ones in order, without the
// entries that are marked as left out.
std::vector<QColor> usableColours(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3) {
  std::vector<QColor> colours;
  for (std::uint32_t c : {c1, c2, c3}) {
    if (c != platform::kButtonFaceColourRef) colours.push_back(platform::colourFromRef(c));
  }
  return colours;
}

// The colours in equal segments between `from` and `to`; beyond `to` the last colour.
QLinearGradient blend(const std::vector<QColor>& colours, QPointF from, QPointF to) {
  QLinearGradient g(from, to);
  const qreal last = qreal(colours.size() - 1);
  for (std::size_t i = 0; i < colours.size(); ++i) g.setColorAt(qreal(i) / last, colours[i]);
  g.setSpread(QGradient::PadSpread);
  return g;
}

// The gradient of `mode` 1 to 8 over `r`; the diagonals span twice the smaller side.
QLinearGradient gradientFor(std::uint32_t mode, const QRect& r, const std::vector<QColor>& colours) {
  const QRectF f(r);
  const qreal s = std::min(f.width(), f.height());
  switch (mode) {
    case 1: return blend(colours, f.topLeft(), f.bottomLeft());
    case 2: return blend(colours, f.topLeft(), f.topRight());
    case 3: return blend(colours, f.topLeft(), f.topLeft() + QPointF(s, s));
    case 4: return blend(colours, f.topRight(), f.topRight() + QPointF(-s, s));
    case 5: return blend(colours, f.bottomLeft(), f.topLeft());
    case 6: return blend(colours, f.topRight(), f.topLeft());
    case 7: return blend(colours, f.bottomRight(), f.bottomRight() - QPointF(s, s));
    default: return blend(colours, f.bottomLeft(), f.bottomLeft() + QPointF(s, -s));
  }
}

// Four mitred bands along the inside of `r`: top and bottom blend from top to bottom,
// left and right from left to right.
void drawGradientFrame(QPainter& p, const QRect& r, int frameWidth, const std::vector<QColor>& colours) {
  const int dy = std::min(frameWidth, r.height() / 2);
  const int dx = std::min(frameWidth, r.width() / 2);
  const int l = r.left();
  const int t = r.top();
  const int rt = r.left() + r.width();
  const int b = r.top() + r.height();
  p.save();
  p.setPen(Qt::NoPen);
  p.setRenderHint(QPainter::Antialiasing, false);
  const auto band = [&](QPolygon shape, QPointF from, QPointF to) {
    p.setBrush(blend(colours, from, to));
    p.drawPolygon(shape);
  };
  band(QPolygon({{l, t}, {rt, t}, {rt - dx, t + dy}, {l + dx, t + dy}}), {0.0, qreal(t)}, {0.0, qreal(t + dy)});
  band(QPolygon({{l + dx, b - dy}, {rt - dx, b - dy}, {rt, b}, {l, b}}), {0.0, qreal(b - dy)}, {0.0, qreal(b)});
  band(QPolygon({{l, t}, {l + dx, t + dy}, {l + dx, b - dy}, {l, b}}), {qreal(l), 0.0}, {qreal(l + dx), 0.0});
  band(QPolygon({{rt - dx, t + dy}, {rt, t}, {rt, b}, {rt - dx, b - dy}}), {qreal(rt - dx), 0.0}, {qreal(rt), 0.0});
  p.restore();
}

// A picture of `pw` x `ph` centred in `r`, first shrunk by one factor for both directions
// when it is wider or taller than `r`; sizes are cut to whole pixels.
QRect centredShrunk(const QRect& r, int pw, int ph) {
  int w = pw;
  int h = ph;
  if (pw > r.width() || ph > r.height()) {
    const double factor = std::min(double(r.width()) / pw, double(r.height()) / ph);
    w = static_cast<int>(pw * factor);
    h = static_cast<int>(ph * factor);
  }
  return QRect(r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2, w, h);
}

QRect shrunkBy(const QRect& r, int by) {
  QRect s = r.adjusted(by, by, -by, -by);
  if (s.width() < 0 || s.height() < 0) return QRect(s.topLeft(), QSize(0, 0));
  return s;
}

}  // namespace

std::uint32_t labelTextFlags(const LabelProperties& props) {
  std::uint32_t flags = noClip;
  switch (props.hAlign) {
    case 1: flags |= centre; break;
    case 2: flags |= right; break;
    default: flags |= left; break;
  }
  if (props.wordWrap == 1) {
    flags |= wordBreak | vcentre;
  } else if (props.vAlign == 1) {
    flags |= singleLine | vcentre;
  } else if (props.vAlign == 2) {
    flags |= singleLine | bottom;
  } else {
    flags |= singleLine;
  }
  return flags;
}

Label* Label::create(const ControlCreateArgs& args) {
  std::optional<LabelProperties> props = readLabelProperties(args.ownData);
  if (!props) return nullptr;
  return new Label(args, std::move(*props));
}

Label::Label(const ControlCreateArgs& args, LabelProperties props)
    : QWidget(args.window), ControlUnit(args), props_(std::move(props)) {
  setVisible(false);  // the loader shows it
  setGeometry(args.left, args.top, args.width, args.height);
  // Every pixel is painted here, so Qt need not clear anything first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setEnabled(!(args.stateBits & StateBit::disabled));
  // The font is fixed for the label's life, so it is made once rather than at each paint.
  std::optional<QFont> own = platform::fontFromSpec(props_.font);
  font_ = own ? *own : platform::defaultGuiFont();
  setFont(font_.font());
  textFlags_ = labelTextFlags(props_);
  setAccessibleName(platform::unicodeFromGbk(props_.text));
}

Label::~Label() = default;

QRect Label::clientArea() const { return clientRectFor(rect(), props_.border); }

std::vector<QColor> Label::frameColours(const QRect& client) const {
  if (props_.border != kGradientFrameBorder || props_.frameWidth <= 0 || client.isEmpty()) return {};
  auto colours = usableColours(props_.frameColour1, props_.frameColour2, props_.frameColour3);
  if (colours.size() < 2) colours.clear();  // a frame that is not drawn takes no room
  return colours;
}

QRect Label::textArea() const {
  const QRect client = clientArea();
  return frameColours(client).empty() ? client : shrunkBy(client, props_.frameWidth);
}

void Label::paintEvent(QPaintEvent* event) {
  if (event->region().isEmpty()) return;
  QPainter painter(this);
  QRect area = drawClassicFrame(painter, rect(), props_.border);
  if (const auto colours = frameColours(area); !colours.empty()) {
    drawGradientFrame(painter, area, props_.frameWidth, colours);
    area = shrunkBy(area, props_.frameWidth);
  }

  const QRegion dirty = event->region().intersected(area);
  painter.setClipRegion(dirty);
  QRegion fill = dirty;

  if (!paintPicture(painter, area, dirty, fill) && props_.gradientMode != 0) {
    const auto colours =
        usableColours(props_.gradientColour1, props_.gradientColour2, props_.gradientColour3);
    if (colours.size() >= 2 && props_.gradientMode <= 8 && !area.isEmpty()) {
      painter.fillRect(area, gradientFor(props_.gradientMode, area, colours));
      fill = QRegion();
    }
  }

  // The button face is looked up now, so the label follows a theme change.
  const QColor background = platform::backgroundColour(props_.backColour);
  for (const QRect& r : fill) painter.fillRect(r, background);

  paintText(painter, area);
}

bool Label::paintPicture(QPainter& painter, const QRect& area, const QRegion& dirty, QRegion& fill) {
  if (props_.backPicture.empty()) return false;
  if (!picture_) {
    picture_ = decodePicture(props_.backPicture);
    if (!picture_ || picture_->width() <= 0 || picture_->height() <= 0) {
      // Dropped for good: later paints behave as if there had never been a picture.
      picture_.reset();
      props_.backPicture.clear();
      props_.backPicture.shrink_to_fit();
      return true;
    }
  }
  const int pw = picture_->width();
  const int ph = picture_->height();
  switch (props_.pictureMode) {
    case kTopLeft: {
      const QRect placed(area.topLeft(), QSize(pw, ph));
      drawPicture(*picture_, painter, placed.x(), placed.y(), -1, -1);
      fill -= placed;
      break;
    }
    case kTiled: {
      // One pixmap tiled by the painter: a tiny picture over a large label stays one call,
      // and the clip skips the tiles outside the area to repaint.
      if (tile_.isNull()) tile_ = QPixmap::fromImage(picture_->toImage());
      if (!dirty.isEmpty()) painter.drawTiledPixmap(area, tile_);
      fill = QRegion();
      break;
    }
    case kCentred: {
      const QRect placed = centredShrunk(area, pw, ph);
      if (!placed.isEmpty()) drawPicture(*picture_, painter, placed.x(), placed.y(), placed.width(), placed.height());
      fill -= placed;
      break;
    }
    default:
      break;  // an unknown placement shows no picture, and no gradient either
  }
  return true;
}

const platform::TextLayout& Label::layoutFor(QSize size) {
  if (!layout_ || size != layoutSize_) {
    layout_ = platform::layoutTextA(props_.text, size, textFlags_, platform::measureFor(font_.font()),
                                    platform::lineHeightFor(font_.font()));
    layoutSize_ = size;
    ++layoutsMade_;
  }
  return *layout_;
}

void Label::paintText(QPainter& painter, const QRect& area) {
  if (props_.text.empty()) return;
  // Effects move the whole rectangle, so one layout serves every copy of the text.
  const platform::TextLayout& layout = layoutFor(area.size());
  const auto draw = [&](QPoint at, std::uint32_t colour) {
    platform::drawTextLayout(painter, font_.font(), layout, at, platform::colourFromRef(colour));
  };
  QPoint at = area.topLeft();
  switch (props_.effect) {
    case kSunken:
      draw(at + QPoint(1, 1), kWhite);
      break;
    case kRaised:
      draw(at, kWhite);
      at += QPoint(1, 1);
      break;
    case kShadow:
      draw(at + QPoint(2, 2), kBlack);
      break;
    default:
      break;
  }
  draw(at, props_.textColour);
}

}  // namespace vtg::controls
