#pragma once
// What a live unit may ask of the program around it. Units raise events with their
// identities and know no handler; the shell's dispatcher implements this.

#include <cstdint>
#include <span>

#include "forms/FormModel.h"
#include "forms/Ids.h"

namespace vtg::controls {

struct RaiseResult {
  bool handlerCalled = false;
  HandlerResult value;  // what the handler returned, if anything
};

class UnitHost {
 public:
  virtual ~UnitHost() = default;
  virtual RaiseResult raiseEvent(WindowId window, UnitId unit, std::int32_t index,
                                 std::span<const std::int32_t> args = {}) = 0;
  // A control's platform window has gone.
  virtual void unitGone(WindowId window, UnitId unit) = 0;
  // A top-level window's platform window has gone: its definition is no longer loaded.
  virtual void windowDestroyed(WindowId window) = 0;
};

// Event indexes of the `window` kind.
namespace WindowEvent {
inline constexpr std::int32_t created = 0;
inline constexpr std::int32_t closeRequest = 1;
inline constexpr std::int32_t destroying = 2;
inline constexpr std::int32_t moved = 3;
inline constexpr std::int32_t resized = 4;
inline constexpr std::int32_t activated = 5;
inline constexpr std::int32_t deactivated = 6;
inline constexpr std::int32_t idle = 7;
inline constexpr std::int32_t firstActivated = 8;
inline constexpr std::int32_t shown = 10;
inline constexpr std::int32_t hidden = 11;
}  // namespace WindowEvent

// Indexes common to every kind.
namespace CommonEvent {
inline constexpr std::int32_t focusGained = -7;
inline constexpr std::int32_t focusLost = -8;
}  // namespace CommonEvent

// Event indexes of the `Button` kind.
namespace ButtonEvent {
inline constexpr std::int32_t clicked = 0;
}

}  // namespace vtg::controls
