#pragma once
// The `window` unit kind: the top-level window of a definition, with its frame, place and
// size, background, the stacking and keyboard handling of its controls, and its closing.

#include <cstdint>
#include <span>
#include <vector>

#include <QWidget>

#include "controls/UnitHost.h"
#include "forms/Ids.h"

namespace vtg::controls {

class ControlUnit;

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

class TopWindow : public QWidget {
  Q_OBJECT

 public:
  // Makes the window, hidden; nothing when its property block cannot be read.
  static TopWindow* create(const WindowCreateArgs& args);
  ~TopWindow() override;

  WindowId windowId() const { return windowId_; }
  UnitId unitId() const { return unitId_; }

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

 protected:
  explicit TopWindow(const WindowCreateArgs& args);
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  RaiseResult raiseEvent(std::int32_t index, std::span<const std::int32_t> args = {});
  void destroyWindow();

  WindowId windowId_;
  UnitId unitId_;
  UnitHost* host_;
  int storedWidth_;
  int storedHeight_;
  std::vector<ControlSlot> controls_;
  bool destroyed_ = false;
  bool activatedBefore_ = false;
};

}  // namespace vtg::controls
