#pragma once
// The `window` unit kind: the top-level window of a definition, with its frame, place and
// size, background, the keyboard handling and focus of its controls, and its closing.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <QElapsedTimer>
#include <QMargins>
#include <QRegion>
#include <QWidget>

#include "controls/KeyboardFocus.h"
#include "controls/UnitHost.h"
#include "controls/WindowProperties.h"
#include "forms/Ids.h"

namespace vtg::controls {

class ControlUnit;
class DecodedPicture;

struct WindowCreateArgs {
  std::span<const std::uint8_t> ownData;
  std::uint32_t stateBits = 0;
  QWidget* owner = nullptr;  // none for every window of this program
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  WindowId windowId = 0;
  UnitId unitId = 0;
  UnitHost* host = nullptr;
};

// A control of the window as the keyboard handling sees it, in unit-list order.
struct ControlSlot {
  ControlUnit* unit = nullptr;
  std::int32_t tabOrder = 0;
  std::uint32_t flags = 0;
};

// The toolkit's window flags for a composed style: title bar, system menu and close
// button, minimise and maximise buttons, tool window, topmost.
Qt::WindowFlags windowFlagsFor(const WindowStyle& style, bool alwaysOnTop);

// The outline of a shaped window of the given size: 1 an ellipse, 2 a rounded rectangle,
// 3 a ring. Empty for a rectangular window (0) and for the outlines not supported.
QRegion shapeRegion(std::uint32_t shape, QSize size);

class TopWindow : public QWidget {
  Q_OBJECT

 public:
  // Makes the window, hidden; nothing when its property block cannot be read.
  static TopWindow* create(const WindowCreateArgs& args);
  ~TopWindow() override;

  WindowId windowId() const { return windowId_; }
  UnitId unitId() const { return unitId_; }
  const WindowProperties& properties() const { return properties_; }
  WindowStyle style() const { return style_; }
  // The outer size the definition stores, frame and title bar included.
  QSize storedOuterSize() const { return {storedWidth_, storedHeight_}; }

  // The controls in unit-list order (positions 1 onwards), once they exist.
  void setControls(std::vector<ControlSlot> controls);
  // A control is going away: forget it.
  void forgetControl(ControlUnit* control);

  // Shows the window at its placement and makes it the active window.
  void showByPlacement();
  bool isMinimisedNow() const;
  void restoreFromMinimised();
  void activate();

  // A close request, as the close button makes it: event 1, then destruction unless a
  // handler refused. Returns whether the window was destroyed.
  bool requestClose();
  // Whether the window has been destroyed (its platform window is gone for the program,
  // even if the object lingers until the event loop deletes it).
  bool destroyed() const { return destroyed_; }

  // The keyboard rules, for the key routing: whether the window takes a key press for
  // itself, and acting on one (true when the key is swallowed).
  bool takesKey(std::uint32_t keyCode) const;
  bool handleKey(std::uint32_t keyCode);

  // The control that has the focus in this window (or would have it on activation);
  // nullptr while the window itself holds it.
  ControlUnit* focusedControl() const;

 protected:
  explicit TopWindow(const WindowCreateArgs& args, WindowProperties properties);
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  enum class KeyAction { passOn, swallow, focusForward, focusBackward, click, close, focusFrom };
  struct KeyDecision {
    KeyAction action = KeyAction::passOn;
    int slot = -1;  // the control the action starts from or acts on
  };
  KeyDecision decideKey(std::uint32_t keyCode) const;

  RaiseResult raiseEvent(std::int32_t index, std::span<const std::int32_t> args = {});
  void destroyWindow();

  std::vector<TabEntry> tabEntries() const;
  int slotOf(const ControlUnit* control) const;
  void focusSlot(int slot, Qt::FocusReason reason);
  void giveFocusOnActivation();

  bool resizable() const;
  QPoint outerTarget() const;
  void applyFrame(const QMargins& frame, bool placeAgain);
  void settleFrame();
  void drawBackPicture(QPainter& painter, const QRect& area) const;

  WindowId windowId_;
  UnitId unitId_;
  UnitHost* host_;
  WindowProperties properties_;
  WindowStyle style_;
  int storedLeft_;
  int storedTop_;
  int storedWidth_;
  int storedHeight_;
  std::unique_ptr<DecodedPicture> backPicture_;
  std::vector<ControlSlot> controls_;
  ControlUnit* rememberedFocus_ = nullptr;
  QMargins assumedFrame_;
  QElapsedTimer sinceShown_;
  QPoint reportedPos_;
  QSize reportedSize_;
  bool destroyed_ = false;
  bool activatedBefore_ = false;
};

}  // namespace vtg::controls
