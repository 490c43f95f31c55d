#include "controls/TopWindow.h"

#include <algorithm>
#include <optional>

#include <QCloseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <qdrawutil.h>

#include "controls/ControlUnit.h"
#include "controls/ProgramIcon.h"
#include "controls/picture/Picture.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/Gbk.h"
#include "platform/GuiApp.h"
#include "platform/WindowFrame.h"

namespace vtg::controls {
namespace {

// The frame the window manager drew around the first window that showed one. Later
// windows are made at the right client size straight away instead of settling after
// they appear.
std::optional<QMargins>& rememberedFrame() {
  static std::optional<QMargins> frame;
  return frame;
}

// The text for the title bar and taskbar entry. An empty caption must show nothing, yet
// the toolkit puts the program's name into an empty title and window managers put their
// own stand-in ("Unnamed Window") into one; a lone zero-width space shows as nothing
// and is left alone by both.
QString titleFor(const std::string& captionGbk) {
  if (captionGbk.empty()) return QString(QChar(0x200B));
  return platform::unicodeFromGbk(captionGbk);
}

// How long after showing a window its frame may still arrive and move it to its place.
constexpr int kSettleMs = 2000;

}  // namespace

QRegion shapeRegion(std::uint32_t shape, QSize size) {
  const QRect whole(QPoint(0, 0), size);
  switch (shape) {
    case 1:
      return QRegion(whole, QRegion::Ellipse);
    case 2: {
      // A rounded rectangle: the corners are quarter ellipses of an eighth of the size.
      const int rx = std::max(1, size.width() / 8);
      const int ry = std::max(1, size.height() / 8);
      QRegion r = QRegion(whole.adjusted(rx, 0, -rx, 0)) + QRegion(whole.adjusted(0, ry, 0, -ry));
      for (QPoint corner : {whole.topLeft(), QPoint(whole.right() - 2 * rx + 1, 0),
                            QPoint(0, whole.bottom() - 2 * ry + 1),
                            QPoint(whole.right() - 2 * rx + 1, whole.bottom() - 2 * ry + 1)})
        r += QRegion(QRect(corner, QSize(2 * rx, 2 * ry)), QRegion::Ellipse);
      return r;
    }
    case 3: {
      // A ring: the ellipse less one of half its size in the middle.
      const QRect inner = whole.adjusted(size.width() / 4, size.height() / 4, -size.width() / 4,
                                         -size.height() / 4);
      return QRegion(whole, QRegion::Ellipse) - QRegion(inner, QRegion::Ellipse);
    }
    default:
      return {};
  }
}

Qt::WindowFlags windowFlagsFor(const WindowStyle& style, bool alwaysOnTop) {
  using namespace WindowStyleBit;
  Qt::WindowFlags flags = (style.exStyle & WindowExStyleBit::toolWindow) ? Qt::Tool : Qt::Window;
  // Only what the style asks for: no hint means no such part of the frame.
  flags |= Qt::CustomizeWindowHint;
  if ((style.style & caption) == caption) flags |= Qt::WindowTitleHint;
  if (!(style.style & (border | dialogFrame | thickFrame))) flags |= Qt::FramelessWindowHint;
  if (style.style & systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (style.style & minimiseBox) flags |= Qt::WindowMinimizeButtonHint;
  if (style.style & maximiseBox) flags |= Qt::WindowMaximizeButtonHint;
  if (alwaysOnTop) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

TopWindow* TopWindow::create(const WindowCreateArgs& args) {
  std::optional<WindowProperties> properties = readWindowProperties(args.ownData);
  if (!properties) return nullptr;
  return new TopWindow(args, std::move(*properties));
}

TopWindow::TopWindow(const WindowCreateArgs& args, WindowProperties properties)
    : QWidget(nullptr),
      windowId_(args.windowId),
      unitId_(args.unitId),
      host_(args.host),
      properties_(std::move(properties)),
      style_(composeWindowStyle(properties_, args.stateBits)),
      storedLeft_(args.left),
      storedTop_(args.top),
      storedWidth_(args.width),
      storedHeight_(args.height) {
  installKeyRouting();
  setWindowFlags(windowFlagsFor(style_, properties_.alwaysOnTop));
  // The window paints its whole client area itself, so nothing needs erasing first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The window can hold the focus (it does when no control can), but it is never part
  // of the toolkit's own Tab chain, and a click on its background leaves the focus alone.
  setFocusPolicy(Qt::NoFocus);
  setFont(platform::defaultGuiFont());
  if (style_.style & WindowStyleBit::disabled) setEnabled(false);

  QIcon icon = iconFromIcoFile(properties_.icon);
  setWindowIcon(icon.isNull() ? programIcon() : icon);
  setWindowTitle(titleFor(properties_.caption));

  if (!properties_.backPicture.empty()) backPicture_ = decodePicture(properties_.backPicture);

  applyFrame(rememberedFrame().value_or(QMargins()), true);
  // The first framed window asks the window manager for its frame before it is shown, so
  // that it appears at its right size instead of being fitted to the frame afterwards. It
  // asks once its size is fixed: the manager leaves the resize handle off a window that
  // cannot be resized, which makes the frame thinner.
  if (!rememberedFrame() && !(windowFlags() & Qt::FramelessWindowHint)) {
    rememberedFrame() = platform::frameBeforeShowing(*this);
    if (rememberedFrame()) applyFrame(*rememberedFrame(), true);
  }
  reportedPos_ = pos();
  reportedSize_ = size();
}

TopWindow::~TopWindow() {
  if (!destroyed_) destroyWindow();
}

void TopWindow::setControls(std::vector<ControlSlot> controls) { controls_ = std::move(controls); }

void TopWindow::forgetControl(ControlUnit* control) {
  for (auto& slot : controls_)
    if (slot.unit == control) slot.unit = nullptr;
  if (rememberedFocus_ == control) rememberedFocus_ = nullptr;
}

// ---- Place and size -------------------------------------------------------------------

bool TopWindow::resizable() const { return style_.style & WindowStyleBit::thickFrame; }

// Where the outer top-left corner belongs: centred on the whole primary screen (the
// division truncates, so a window larger than the screen gets a negative coordinate),
// or the stored corner for the "as stored" placement.
QPoint TopWindow::outerTarget() const {
  if (properties_.position == 0) return {storedLeft_, storedTop_};
  const platform::ScreenSize screen = platform::primaryScreenSize();
  return {(screen.width - storedWidth_) / 2, (screen.height - storedHeight_) / 2};
}

// The stored size is the outer size, so the client area is what the frame leaves of it.
void TopWindow::applyFrame(const QMargins& frame, bool placeAgain) {
  assumedFrame_ = frame;
  const QSize client(std::max(1, storedWidth_ - frame.left() - frame.right()),
                     std::max(1, storedHeight_ - frame.top() - frame.bottom()));
  if (resizable())
    resize(client);
  else
    setFixedSize(client);
  if (!placeAgain) return;
  // A top-level window's position is that of its frame. Once the window has a native
  // window of its own (the first one does, to ask for its frame) and the frame is known,
  // the client area is placed inside the frame directly: asked to place the frame, the
  // toolkit then sometimes places the client area there first and only puts it right once
  // the window is shown.
  if (frame.isNull() || !testAttribute(Qt::WA_WState_Created))
    move(outerTarget());
  else
    setGeometry(QRect(outerTarget() + QPoint(frame.left(), frame.top()), size()));
}

// The window manager tells the frame only once the window is on the screen. When it
// differs from the one the window was made for, the client area is fitted again, and
// shortly after showing the window is also put back at its place. The toolkit sometimes
// takes the corner it was given for the client area's rather than the frame's, which
// shows as the client area sitting exactly where the frame belongs; that is put right
// in the same period.
void TopWindow::settleFrame() {
  if (destroyed_ || !isVisible() || isMinimized() || isMaximized() || isFullScreen()) return;
  const QWindow* handle = windowHandle();
  if (!handle) return;
  const QMargins frame = handle->frameMargins();
  const bool placing = sinceShown_.isValid() && sinceShown_.elapsed() < kSettleMs;
  // No frame yet only means the toolkit has not learnt it yet, when the window was made
  // for the frame the window manager announced before showing it.
  const bool unknownYet = frame.isNull() && !assumedFrame_.isNull();
  if (frame != assumedFrame_ && !unknownYet) {
    if (!frame.isNull()) rememberedFrame() = frame;
    applyFrame(frame, placing);
    return;
  }
  if (placing && !frame.isNull() && geometry().topLeft() == outerTarget())
    setGeometry(QRect(outerTarget() + QPoint(frame.left(), frame.top()), size()));
}

void TopWindow::showByPlacement() {
  switch (properties_.position) {
    case 2:
      showMinimized();
      return;
    case 3:
      if (resizable()) {
        showMaximized();
        activate();
        return;
      }
      break;
    default:
      break;
  }
  show();
  activate();
}

bool TopWindow::isMinimisedNow() const { return isMinimized(); }

void TopWindow::restoreFromMinimised() {
  showNormal();
  activate();
}

void TopWindow::activate() {
  raise();
  activateWindow();
}

// ---- Closing --------------------------------------------------------------------------

bool TopWindow::requestClose() {
  if (destroyed_) return true;
  const RaiseResult r = raiseEvent(WindowEvent::closeRequest);
  if (r.handlerCalled && r.value && *r.value == 0) return false;
  destroyWindow();
  return true;
}

// The program treats the window as destroyed at once: event 2, then the loader forgets
// the definition. The widget objects themselves go when control is back in the event
// loop, since a close often starts inside one of their own event handlers.
void TopWindow::destroyWindow() {
  if (destroyed_) return;
  destroyed_ = true;
  raiseEvent(WindowEvent::destroying);
  hide();
  for (auto& slot : std::vector<ControlSlot>(controls_))
    if (slot.unit) slot.unit->releaseFromHost();
  if (host_) host_->windowDestroyed(windowId_);
  host_ = nullptr;
  deleteLater();
}

void TopWindow::closeEvent(QCloseEvent* event) {
  // The platform's own close (close button, Alt+F4, the window menu) goes the same way.
  event->ignore();
  requestClose();
}

RaiseResult TopWindow::raiseEvent(std::int32_t index, std::span<const std::int32_t> args) {
  // Once destruction has begun the window reports only that.
  if (!host_ || (destroyed_ && index != WindowEvent::destroying)) return {};
  return host_->raiseEvent(windowId_, 0, index, args);
}

// ---- Painting -------------------------------------------------------------------------

void TopWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // The button-face colour is looked up at each paint so it follows a theme change.
  painter.fillRect(event->rect(), platform::backgroundColour(properties_.backColour));
  if (backPicture_) drawBackPicture(painter, event->rect());
  if (style_.exStyle & WindowExStyleBit::clientEdge) qDrawWinPanel(&painter, rect(), palette(), true);
}

void TopWindow::drawBackPicture(QPainter& painter, const QRect& area) const {
  const DecodedPicture& picture = *backPicture_;
  const int pw = picture.width();
  const int ph = picture.height();
  if (pw <= 0 || ph <= 0) return;
  switch (properties_.pictureMode) {
    case 1:  // tiled from the top-left corner
      for (int y = area.top() / ph * ph; y <= area.bottom(); y += ph)
        for (int x = area.left() / pw * pw; x <= area.right(); x += pw)
          drawPicture(picture, painter, x, y, -1, -1);
      return;
    case 2: {  // centred, shrunk in proportion when larger than the client area
      const double scale = std::min({1.0, double(width()) / pw, double(height()) / ph});
      const int w = std::max(1, int(pw * scale));
      const int h = std::max(1, int(ph * scale));
      drawPicture(picture, painter, (width() - w) / 2, (height() - h) / 2, w, h);
      return;
    }
    case 3:
      drawPicture(picture, painter, 0, 0, width(), height());
      return;
    default:  // at its own size in the top-left corner
      drawPicture(picture, painter, 0, 0, -1, -1);
      return;
  }
}

// ---- Events reported ------------------------------------------------------------------

void TopWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // The toolkit repeats moves it has already announced (when showing, for one); only a
  // real change counts.
  if (pos() != reportedPos_) {
    reportedPos_ = pos();
    raiseEvent(WindowEvent::moved);
  }
  settleFrame();
}

void TopWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The outlines beyond the ring are not drawn; those windows stay rectangular.
  if (const QRegion outline = shapeRegion(properties_.shape, size()); !outline.isEmpty()) setMask(outline);
  if (size() != reportedSize_) {
    reportedSize_ = size();
    raiseEvent(WindowEvent::resized);
  }
  settleFrame();
}

void TopWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  raiseEvent(WindowEvent::shown);
  sinceShown_.start();
  for (int ms : {0, 50, 200, 500, 1000, kSettleMs - 100})
    QTimer::singleShot(ms, this, &TopWindow::settleFrame);
}

void TopWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) raiseEvent(WindowEvent::hidden);
}

void TopWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || destroyed_) return;
  if (isActiveWindow()) {
    raiseEvent(WindowEvent::activated);
    if (!activatedBefore_) {
      activatedBefore_ = true;
      raiseEvent(WindowEvent::firstActivated);
    }
    giveFocusOnActivation();
  } else {
    // The focus comes back to this control when the window is active again.
    rememberedFocus_ = focusedControl();
    raiseEvent(WindowEvent::deactivated);
  }
}

void TopWindow::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  raiseEvent(CommonEvent::focusGained);
}

void TopWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  raiseEvent(CommonEvent::focusLost);
}

void TopWindow::mousePressEvent(QMouseEvent* event) {
  if (properties_.dragAnywhere && event->button() == Qt::LeftButton && windowHandle() &&
      windowHandle()->startSystemMove())
    return;
  QWidget::mousePressEvent(event);
}

// ---- Focus ----------------------------------------------------------------------------

int TopWindow::slotOf(const ControlUnit* control) const {
  if (!control) return -1;
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i].unit == control) return static_cast<int>(i);
  return -1;
}

ControlUnit* TopWindow::focusedControl() const {
  const QWidget* focus = focusWidget();
  if (!focus || focus == this) return nullptr;
  for (const ControlSlot& slot : controls_) {
    if (!slot.unit) continue;
    QWidget* w = slot.unit->widget();
    if (w == focus || w->isAncestorOf(focus)) return slot.unit;
  }
  return nullptr;
}

// A control takes part in the Tab order while its kind can take the focus, its tab-stop
// flag is set, and it is visible and enabled right now.
std::vector<TabEntry> TopWindow::tabEntries() const {
  std::vector<TabEntry> entries;
  entries.reserve(controls_.size());
  for (const ControlSlot& slot : controls_) {
    bool candidate = false;
    if (slot.unit && slot.unit->canTakeFocus() && (slot.flags & UnitFlag::tabStop)) {
      const QWidget* w = slot.unit->widget();
      candidate = w->isVisibleTo(this) && w->isEnabled();
    }
    entries.push_back({slot.tabOrder, candidate});
  }
  return entries;
}

void TopWindow::focusSlot(int slot, Qt::FocusReason reason) {
  if (slot < 0 || slot >= static_cast<int>(controls_.size()) || !controls_[std::size_t(slot)].unit) return;
  controls_[std::size_t(slot)].unit->widget()->setFocus(reason);
}

// On activation the window takes the focus itself first, then hands it to the control
// it remembers, or else to the first control in the Tab order, or keeps it.
void TopWindow::giveFocusOnActivation() {
  setFocus(Qt::ActiveWindowFocusReason);
  int target = slotOf(rememberedFocus_);
  rememberedFocus_ = nullptr;
  if (target >= 0) {
    const QWidget* w = controls_[std::size_t(target)].unit->widget();
    if (!w->isVisibleTo(this) || !w->isEnabled()) target = -1;
  }
  if (target < 0) target = firstInTabOrder(tabEntries());
  focusSlot(target, Qt::ActiveWindowFocusReason);
}

// ---- Keys -----------------------------------------------------------------------------

TopWindow::KeyDecision TopWindow::decideKey(std::uint32_t keyCode) const {
  if (destroyed_ || keyCode == 0) return {};
  const ControlUnit* focused = focusedControl();
  const int focusedSlot = slotOf(focused);
  // Moving on from the window itself does nothing; the key is still the window's.
  const KeyDecision moveOn = focusedSlot >= 0 ? KeyDecision{KeyAction::focusForward, focusedSlot}
                                              : KeyDecision{KeyAction::swallow};

  if (keyCode == KeyCode::tab) return moveOn;
  if (keyCode == (KeyCode::shift | KeyCode::tab))
    return focusedSlot >= 0 ? KeyDecision{KeyAction::focusBackward, focusedSlot}
                            : KeyDecision{KeyAction::swallow};

  if (keyCode == KeyCode::enter) {
    if (focused && focused->isDefaultPushButton()) return {KeyAction::click, focusedSlot};
    if (properties_.enterMovesFocus) return moveOn;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      ControlUnit* unit = controls_[i].unit;
      if (unit && unit->isDefaultPushButton() && unit->widget()->isEnabled())
        return {KeyAction::click, static_cast<int>(i)};
    }
    return {};
  }

  if (keyCode == KeyCode::escape) return properties_.escCloses ? KeyDecision{KeyAction::close} : KeyDecision{};
  // F1 would open the help file; no window here has one, and none is supported.
  if (keyCode == KeyCode::f1) return {};

  // Alt with a letter or digit, and neither Ctrl nor Shift: a mnemonic.
  const std::uint32_t key = keyCode & 0xFF;
  const bool letterOrDigit = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
  if ((keyCode & KeyCode::modifierMask) == KeyCode::alt && (keyCode & ~KeyCode::modifierMask) == key &&
      letterOrDigit) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      ControlUnit* unit = controls_[i].unit;
      if (!unit) continue;
      const QWidget* w = unit->widget();
      if (!w->isVisibleTo(this) || !w->isEnabled()) continue;
      if (!hasMnemonic(unit->mnemonicText(), static_cast<char>(key))) continue;
      // Push buttons are the kind that takes the focus; a label hands it on instead.
      return {unit->canTakeFocus() ? KeyAction::click : KeyAction::focusFrom, static_cast<int>(i)};
    }
  }
  return {};
}

bool TopWindow::takesKey(std::uint32_t keyCode) const {
  return decideKey(keyCode).action != KeyAction::passOn;
}

bool TopWindow::handleKey(std::uint32_t keyCode) {
  const KeyDecision d = decideKey(keyCode);
  switch (d.action) {
    case KeyAction::passOn:
      return false;
    case KeyAction::swallow:
      return true;
    case KeyAction::focusForward:
    case KeyAction::focusFrom:
      focusSlot(nextInTabOrder(tabEntries(), d.slot, true), Qt::TabFocusReason);
      return true;
    case KeyAction::focusBackward:
      focusSlot(nextInTabOrder(tabEntries(), d.slot, false), Qt::BacktabFocusReason);
      return true;
    case KeyAction::click:
      controls_[std::size_t(d.slot)].unit->fireClick();
      return true;
    case KeyAction::close:
      requestClose();
      return true;
  }
  return false;
}

}  // namespace vtg::controls
