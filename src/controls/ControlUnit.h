#pragma once
// The part every control kind shares: its identities, the way it reports events, and the
// few operations the loader needs to place, stack and show it without knowing its kind.

#include <cstdint>
#include <span>
#include <string_view>

#include "controls/UnitHost.h"
#include "forms/Ids.h"

class QWidget;

namespace vtg::controls {

class TopWindow;

// What the loader hands a control kind's create.
struct ControlCreateArgs {
  std::span<const std::uint8_t> ownData;
  std::uint32_t stateBits = 0;  // StateBit::disabled, StateBit::tabStop
  TopWindow* window = nullptr;  // the parent: the window's client area
  int controlId = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  WindowId windowId = 0;
  UnitId unitId = 0;
  UnitHost* host = nullptr;
};

class ControlUnit {
 public:
  explicit ControlUnit(const ControlCreateArgs& args);
  virtual ~ControlUnit();
  ControlUnit(const ControlUnit&) = delete;
  ControlUnit& operator=(const ControlUnit&) = delete;

  virtual QWidget* widget() = 0;

  // Whether the kind can ever take the keyboard focus (only push buttons can).
  virtual bool canTakeFocus() const { return false; }
  // Whether this is a default push button (the window's Enter rule asks).
  virtual bool isDefaultPushButton() const { return false; }
  // The text an Alt mnemonic is looked for in (GBK), for kinds that have one.
  virtual std::string_view mnemonicText() const { return {}; }
  // Reports the kind's principal event as a click would, for Enter and mnemonics.
  virtual void fireClick() {}

  WindowId windowId() const { return windowId_; }
  UnitId unitId() const { return unitId_; }
  int controlId() const { return controlId_; }
  std::uint32_t stateBits() const { return stateBits_; }

  // The unit's platform window is gone for the program: tell the host once, and never
  // speak to it again (the object itself may be deleted later by the event loop).
  void releaseFromHost();

  // Loader operations.
  void stackUnder(ControlUnit* above);  // nullptr: to the top of its siblings
  void showWithoutActivating();
  void hideUnit();

 protected:
  RaiseResult raiseEvent(std::int32_t index, std::span<const std::int32_t> args = {});
  UnitHost* host() const { return host_; }

 private:
  WindowId windowId_;
  UnitId unitId_;
  int controlId_;
  std::uint32_t stateBits_;
  UnitHost* host_;
};

}  // namespace vtg::controls
