#pragma once
// Turns window definitions into live windows, forgets them when they close, and routes
// every unit event to the handler that its definition binds.

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string_view>
#include <vector>

#include "controls/UnitHost.h"
#include "forms/FormModel.h"

namespace vtg::controls {
class ControlUnit;
class TopWindow;
}  // namespace vtg::controls

namespace vtg::shell {

class WindowLoader : public controls::UnitHost {
 public:
  struct Callbacks {
    // A loaded window has gone and its definition is no longer loaded.
    std::function<void()> windowGone;
    // Dispatch found no definition or unit for an event; does not return in the program.
    std::function<void(std::string_view messageGbk)> fatalError;
  };

  WindowLoader(const FormStore& store, Callbacks callbacks);
  ~WindowLoader() override;
  WindowLoader(const WindowLoader&) = delete;
  WindowLoader& operator=(const WindowLoader&) = delete;

  // Builds and shows the window of a definition, or brings it forward when it is open.
  // False when the definition does not exist or the build failed. This program only
  // ever loads windows without owner and not modal.
  bool LoadWindow(WindowId id);

  controls::RaiseResult RaiseEvent(WindowId window, UnitId unit, std::int32_t index,
                                   std::span<const std::int32_t> args = {});

  bool anyWindowOpen() const;
  // The open window of a definition, if any.
  controls::TopWindow* openWindow(WindowId id) const;

  void suspendEvents() { ++suspension_; }
  void resumeEvents() {
    if (suspension_ > 0) --suspension_;
  }
  int suspensionCount() const { return suspension_; }

  // Destroys every open window, as at shutdown.
  void closeAll();

  // UnitHost
  controls::RaiseResult raiseEvent(WindowId window, UnitId unit, std::int32_t index,
                                   std::span<const std::int32_t> args) override {
    return RaiseEvent(window, unit, index, args);
  }
  void unitGone(WindowId window, UnitId unit) override;
  void windowDestroyed(WindowId window) override;

 private:
  struct LoadedWindow {
    controls::TopWindow* window = nullptr;
    std::vector<controls::ControlUnit*> controls;  // by unit position; [0] unused
    // The values the window was built from. Nothing changes them while the window is open,
    // so the stored definition serves as the window's copy without duplicating its blocks
    // (a guide's pictures alone are over a megabyte); the store outlives every window.
    const FormDefinition* values = nullptr;
  };

  bool build(const FormDefinition& definition);

  const FormStore& store_;
  Callbacks callbacks_;
  std::map<WindowId, LoadedWindow> loaded_;
  int suspension_ = 0;
};

}  // namespace vtg::shell
