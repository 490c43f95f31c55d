#include "controls/Button.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionButton>

#include "controls/TopWindow.h"
#include "controls/picture/Picture.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/Gbk.h"
#include "platform/TextDraw.h"

namespace vtg::controls {
namespace {

// The classic, unthemed look: one "Windows" style object shared by every button and set
// on the buttons alone, so nothing else in the program changes its look. The application
// owns it, so it goes when the application does.
QStyle* classicButtonStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = QStyleFactory::create(QStringLiteral("Windows"));
    if (style) style->setParent(QCoreApplication::instance());
  }
  return style;
}

// Pixels between the face's edge and the caption.
constexpr int kCaptionMargin = 2;

ButtonImage imageKind(const DecodedPicture* picture) {
  if (!picture) return ButtonImage::none;
  return isIconLike(*picture) ? ButtonImage::icon : ButtonImage::bitmap;
}

std::uint32_t horizontalTextFlag(std::uint32_t style) {
  switch (style & ButtonStyle::hMask) {
    case ButtonStyle::left: return platform::TextFlag::left;
    case ButtonStyle::right: return platform::TextFlag::right;
    default: return platform::TextFlag::centre;
  }
}

// Where a block of `size` goes inside `area` by the style's alignment bits.
QPoint alignedOrigin(std::uint32_t style, const QRect& area, const QSize& size) {
  int x = area.left() + (area.width() - size.width()) / 2;
  if ((style & ButtonStyle::hMask) == ButtonStyle::left) x = area.left();
  if ((style & ButtonStyle::hMask) == ButtonStyle::right) x = area.right() + 1 - size.width();
  int y = area.top() + (area.height() - size.height()) / 2;
  if ((style & ButtonStyle::vMask) == ButtonStyle::top) y = area.top();
  if ((style & ButtonStyle::vMask) == ButtonStyle::bottom) y = area.bottom() + 1 - size.height();
  return {x, y};
}

}  // namespace

Button* Button::create(const ControlCreateArgs& args) {
  std::optional<ButtonProperties> props = readButtonProperties(args.ownData);
  if (!props) return nullptr;
  // A picture that does not decode leaves the caption in its place.
  std::unique_ptr<DecodedPicture> picture;
  if (!props->picture.empty()) picture = decodePicture(props->picture);
  const std::uint32_t style = composeButtonStyle(*props, args.stateBits, imageKind(picture.get()));
  return new Button(args, std::move(*props), std::move(picture), style);
}

Button::Button(const ControlCreateArgs& args, ButtonProperties props,
               std::unique_ptr<DecodedPicture> picture, std::uint32_t style)
    : QAbstractButton(args.window),
      ControlUnit(args),
      props_(std::move(props)),
      picture_(std::move(picture)),
      buttonStyle_(style) {
  setVisible(false);  // the loader shows it
  if (QStyle* classic = classicButtonStyle()) setStyle(classic);
  setGeometry(args.left, args.top, args.width, args.height);
  // A button never takes its window's font: its own description, else the default GUI font.
  std::optional<QFont> own = platform::fontFromSpec(props_.font);
  font_ = own ? *own : platform::defaultGuiFont();
  setFont(font_.font());
  setEnabled(!(buttonStyle_ & ButtonStyle::disabled));
  // A click gives the focus whether or not the button is a tab stop; the window's Tab
  // handling reads the tab-stop bit itself.
  setFocusPolicy(Qt::StrongFocus);
  // The caption is not set as the Qt text: that would add a Qt shortcut for an "&", and
  // mnemonics are the window's business.
  setAccessibleName(platform::unicodeFromGbk(props_.caption));
  connect(this, &QAbstractButton::clicked, this, [this] { raiseEvent(ButtonEvent::clicked); });
}

Button::~Button() = default;

void Button::fireClick() {
  if (isEnabled()) raiseEvent(ButtonEvent::clicked);
}

// Clicks, in one place. The mouse half is QAbstractButton's: a left press draws the
// button sunken, a release over it clicks, a release elsewhere does not, and the press of
// a double click counts as a press. The keyboard half is Space alone, pressed and released
// while focused. Enter, Esc, Tab and Alt mnemonics belong to the window; a push button
// does not react to them, so they never reach QAbstractButton, whose press keys depend
// on the platform theme. A disabled widget gets no input at all, so it stays silent.
void Button::keyPressEvent(QKeyEvent* event) {
  // Alt+Space is the system menu's, never a press.
  if (event->key() == Qt::Key_Space && !(event->modifiers() & Qt::AltModifier)) {
    QAbstractButton::keyPressEvent(event);
    return;
  }
  event->ignore();
}

void Button::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    QAbstractButton::keyReleaseEvent(event);
    return;
  }
  event->ignore();
}

void Button::focusInEvent(QFocusEvent* event) {
  QAbstractButton::focusInEvent(event);
  raiseEvent(CommonEvent::focusGained);
}

void Button::focusOutEvent(QFocusEvent* event) {
  QAbstractButton::focusOutEvent(event);
  raiseEvent(CommonEvent::focusLost);
}

void Button::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyle* s = style();

  QStyleOptionButton option;
  option.initFrom(this);
  option.palette.setColor(QPalette::Button, platform::buttonFaceColour());
  // The outermost shade of the raised edge and the default outline are the classic dark
  // shadow, black; the desktop palette's softer grey blurs the edge into the face.
  option.palette.setColor(QPalette::Shadow, Qt::black);
  option.features = QStyleOptionButton::None;
  // The dark outline of a default button sits outside its raised edge, so the edge is
  // drawn one indicator width in (the "auto default" inset).
  if (isDefaultPushButton())
    option.features |= QStyleOptionButton::DefaultButton | QStyleOptionButton::AutoDefaultButton;
  option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  s->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

  // The face inside the edge; the caption keeps one more pixel clear of the focus
  // rectangle that runs just inside the edge, so neither ever touches the other.
  const QRect face = s->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  QRect captionArea = face.adjusted(kCaptionMargin, kCaptionMargin, -kCaptionMargin, -kCaptionMargin);
  captionArea.setSize(captionArea.size().expandedTo(QSize(0, 0)));  // a button smaller than its edges
  if (isDown())
    captionArea.translate(s->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          s->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  painter.save();
  painter.setClipRect(face);
  if (picture_)
    drawImage(painter, captionArea);
  else
    drawCaption(painter, captionArea, option.palette);
  painter.restore();

  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = s->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
    s->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

// The caption is laid out as one block: a multi-line button wraps it at the width of its
// face (a caption that fits stays one line), each line aligned on its own, and the block
// as a whole placed at the top, middle or bottom. The painter already clips to the face.
void Button::drawCaption(QPainter& painter, const QRect& area, const QPalette& palette) {
  const std::uint32_t layoutFlag = (buttonStyle_ & ButtonStyle::multiline)
                                       ? platform::TextFlag::wordBreak
                                       : platform::TextFlag::singleLine;
  const QFont& captionFont = font();
  if (!captionLayout_ || captionLayoutSize_ != area.size()) {
    captionLayout_ = platform::layoutTextA(props_.caption, area.size(), layoutFlag | horizontalTextFlag(buttonStyle_),
                                           platform::measureFor(captionFont), platform::lineHeightFor(captionFont));
    captionLayoutSize_ = area.size();
  }
  const platform::TextLayout& layout = *captionLayout_;
  const QPoint origin(area.left(), alignedOrigin(buttonStyle_, area, layout.blockSize).y());
  if (isEnabled()) {
    platform::drawTextLayout(painter, captionFont, layout, origin,
                             palette.color(QPalette::Active, QPalette::ButtonText));
    return;
  }
  // Disabled: the classic etched text, the edge's shadow grey over a highlight.
  platform::drawTextLayout(painter, captionFont, layout, origin + QPoint(1, 1),
                           palette.color(QPalette::Light));
  platform::drawTextLayout(painter, captionFont, layout, origin,
                           palette.color(QPalette::Active, QPalette::Dark));
}

void Button::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) captionLayout_.reset();
  QAbstractButton::changeEvent(event);
}

// A picture stands at its own size where the caption would, by the same alignment.
void Button::drawImage(QPainter& painter, const QRect& area) {
  const QSize size(picture_->width(), picture_->height());
  const QPoint at = alignedOrigin(buttonStyle_, area, size);
  drawPicture(*picture_, painter, at.x(), at.y(), size.width(), size.height());
}

}  // namespace vtg::controls
