#pragma once
// The table of control kinds: kind code to create. The loader knows no kind beyond this.

#include <cstdint>

#include "controls/ControlUnit.h"

namespace vtg::controls {

// Creates a control, hidden, or returns nullptr when its settings cannot be read.
using ControlCreateFn = ControlUnit* (*)(const ControlCreateArgs& args);

// The create of a control kind; nullptr when the code names no control kind.
ControlCreateFn controlKind(std::uint32_t kindCode);

}  // namespace vtg::controls
