#pragma once
// The push button's stored settings and the platform style they stand for. Pure data and
// arithmetic: no widget is involved, so tests and the fuzzer can call it directly.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "forms/Ids.h"
#include "forms/PropertyStream.h"

namespace vtg::controls {

// "按钮" in GBK: the caption of a button whose block is empty.
inline constexpr std::string_view kDefaultButtonCaption = "\xb0\xb4\xc5\xa5";

// The six settings, in the order of their property index.
struct ButtonProperties {
  Bytes picture;                                  // a picture file; empty = none
  std::uint32_t type = 0;                         // 0 normal, 1 default push button
  std::string caption{kDefaultButtonCaption};     // GBK
  std::uint32_t hAlign = 1;                       // 0 left, 1 centre, anything else right
  std::uint32_t vAlign = 1;                       // 0 top, 1 middle, anything else bottom
  Bytes font;                                     // a 60-byte font description, else none
};

// Reads a property block. The stored order (version, type, hAlign, vAlign, picture, font,
// caption) differs from the index order. An empty block gives the defaults; a version
// above 1 or a block that ends inside a field gives nothing.
std::optional<ButtonProperties> readButtonProperties(std::span<const std::uint8_t> block);

// The bits of the classic window and push-button styles that a button can carry.
namespace ButtonStyle {
inline constexpr std::uint32_t child = 0x40000000;         // WS_CHILD
inline constexpr std::uint32_t clipSiblings = 0x04000000;  // WS_CLIPSIBLINGS
inline constexpr std::uint32_t disabled = StateBit::disabled;  // WS_DISABLED
inline constexpr std::uint32_t tabStop = StateBit::tabStop;    // WS_TABSTOP
inline constexpr std::uint32_t pushButton = 0x0;           // BS_PUSHBUTTON
inline constexpr std::uint32_t defPushButton = 0x1;        // BS_DEFPUSHBUTTON
inline constexpr std::uint32_t typeMask = 0x1F;            // the low five bits: the button type
inline constexpr std::uint32_t icon = 0x40;                // BS_ICON
inline constexpr std::uint32_t bitmap = 0x80;              // BS_BITMAP
inline constexpr std::uint32_t left = 0x100;               // BS_LEFT
inline constexpr std::uint32_t right = 0x200;              // BS_RIGHT
inline constexpr std::uint32_t centre = 0x300;             // BS_CENTER
inline constexpr std::uint32_t hMask = 0x300;
inline constexpr std::uint32_t top = 0x400;                // BS_TOP
inline constexpr std::uint32_t bottom = 0x800;             // BS_BOTTOM
inline constexpr std::uint32_t vcentre = 0xC00;            // BS_VCENTER
inline constexpr std::uint32_t vMask = 0xC00;
inline constexpr std::uint32_t multiline = 0x2000;         // BS_MULTILINE
}  // namespace ButtonStyle

// What the button shows in place of its caption, once its picture has been decoded.
enum class ButtonImage { none, icon, bitmap };

// The style of the button's platform window: always a clipping child with a multi-line
// caption; the state bits handed in (tab stop, disabled); the type, alignments and image.
std::uint32_t composeButtonStyle(const ButtonProperties& props, std::uint32_t stateBits,
                                 ButtonImage image);

// A default push button is one whose type bits say so.
constexpr bool isDefaultPushButtonStyle(std::uint32_t style) {
  return (style & ButtonStyle::typeMask) == ButtonStyle::defPushButton;
}

}  // namespace vtg::controls
