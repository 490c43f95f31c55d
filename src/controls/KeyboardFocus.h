#pragma once
// Keyboard handling shared by every top-level window: key codes, the Tab order, mnemonic
// lookup, and the application-wide filter that lets a window see each key for itself or
// its controls before the control does.

#include <cstdint>
#include <span>
#include <string_view>

#include <Qt>

namespace vtg::controls {

// A key as the window's rules see it: the classic virtual-key number plus modifier bits.
namespace KeyCode {
inline constexpr std::uint32_t tab = 0x09;
inline constexpr std::uint32_t enter = 0x0D;
inline constexpr std::uint32_t escape = 0x1B;
inline constexpr std::uint32_t f1 = 0x70;
inline constexpr std::uint32_t ctrl = 0x2000;
inline constexpr std::uint32_t shift = 0x4000;
inline constexpr std::uint32_t alt = 0x8000;
inline constexpr std::uint32_t modifierMask = ctrl | shift | alt;
}  // namespace KeyCode

// The key code of a key press; 0 for a key that has none. Keypad digits count as digits,
// and Shift+Tab (which arrives as a back-tab key) is Tab with Shift.
std::uint32_t keyCodeFor(int qtKey, Qt::KeyboardModifiers modifiers);

// One control of a window as the Tab order sees it, in unit-list order.
struct TabEntry {
  std::int32_t tabOrder = 0;
  bool candidate = false;  // can take the focus right now
};

// Candidates go by tabOrder ascending, ties from the last unit of the list to the first.
// The next (or previous) candidate after the entry at `from`, which need not be a
// candidate itself; wraps round. -1 when there is no candidate.
int nextInTabOrder(std::span<const TabEntry> entries, int from, bool forward);
// The candidate that comes first in the Tab order, or -1.
int firstInTabOrder(std::span<const TabEntry> entries);

// Whether GBK text marks `ch` (a letter, either case, or a digit) as its mnemonic: an "&"
// right before it. "&&" stands for an ampersand itself and marks nothing.
bool hasMnemonic(std::string_view gbk, char ch);

// Installs, once per run, the filter that hands every key press for a top-level window or
// any of its controls to that window first.
void installKeyRouting();

}  // namespace vtg::controls
