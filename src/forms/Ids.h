#pragma once
// Identifiers of window definitions and units, unit kind codes and the unit flag bits.

#include <cstdint>

namespace vtg {

using WindowId = std::uint32_t;
using UnitId = std::uint32_t;

// Bits 0-23 are a serial number, bits 24-31 say what sort of thing is named. A value with
// either an empty serial or empty sort bits 24-27 names nothing, so 0 always means "none".
constexpr bool isValidId(std::uint32_t id) {
  return (id & 0x00FFFFFFu) != 0 && (id & 0x0F000000u) != 0;
}

// The kind of a unit: high 16 bits 1, low 16 bits the kind's number.
namespace KindCode {
inline constexpr std::uint32_t window = 0x00010001;
inline constexpr std::uint32_t PicBox = 0x00010006;
inline constexpr std::uint32_t Label = 0x0001000A;
inline constexpr std::uint32_t Button = 0x0001000B;
}  // namespace KindCode

// Bits of a unit's `flags`.
namespace UnitFlag {
inline constexpr std::uint32_t visible = 0x1;
inline constexpr std::uint32_t disabled = 0x2;
inline constexpr std::uint32_t tabStop = 0x4;
}  // namespace UnitFlag

// The window-style bits that the loader hands to a kind's create for those flags.
namespace StateBit {
inline constexpr std::uint32_t disabled = 0x08000000;  // WS_DISABLED
inline constexpr std::uint32_t tabStop = 0x00010000;   // WS_TABSTOP
}  // namespace StateBit

// Visible is never handed over: every unit is created hidden and shown by the loader.
constexpr std::uint32_t stateBitsFromFlags(std::uint32_t flags) {
  return ((flags & UnitFlag::disabled) ? StateBit::disabled : 0u) |
         ((flags & UnitFlag::tabStop) ? StateBit::tabStop : 0u);
}

}  // namespace vtg
