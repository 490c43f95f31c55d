#pragma once
// The settings of the `window` kind as stored in its property block, and the window style
// they compose. Pure data and arithmetic: no toolkit here, so tests and the fuzzer can
// call it directly.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "forms/PropertyStream.h"

namespace vtg::controls {

struct WindowProperties {
  std::string caption;                   // GBK
  std::uint32_t border = 2;              // 0..6, see composeWindowStyle
  std::uint32_t backColour = 0xFF000000; // 0xFF000000: the button-face colour
  Bytes backPicture;
  std::uint32_t pictureMode = 1;         // 0 natural, 1 tiled, 2 centred and shrunk, 3 stretched
  Bytes backMusic;
  std::uint32_t musicPlayMode = 0;
  bool controlBox = true;
  bool maximiseBox = false;
  bool minimiseBox = false;
  std::uint32_t position = 1;            // 0 stored left/top, 1 centred, 2 minimised, 3 maximised
  bool movable = true;
  Bytes icon;
  bool enterMovesFocus = false;
  bool escCloses = true;
  bool f1OpensHelp = false;
  std::string helpFile;
  std::uint32_t helpContext = 0;
  bool showInTaskbar = true;
  bool dragAnywhere = false;
  std::uint32_t shape = 0;
  bool alwaysOnTop = false;
  bool keepCaptionActive = false;
  std::string className;

  friend bool operator==(const WindowProperties&, const WindowProperties&) = default;
};

inline constexpr std::uint32_t kNewestWindowPropertiesVersion = 6;

// Reads a window's own property block. An empty block gives the defaults; a version above
// the newest one known, or a block that ends inside a field, gives nothing.
std::optional<WindowProperties> readWindowProperties(std::span<const std::uint8_t> block);

// Writes the newest form of the block; content and tests use it to build blocks.
Bytes writeWindowProperties(const WindowProperties& properties);

// Window style bits, with the classic numeric values the stored settings are defined in.
namespace WindowStyleBit {
inline constexpr std::uint32_t clipChildren = 0x02000000;
inline constexpr std::uint32_t caption = 0x00C00000;  // border and dialog frame together
inline constexpr std::uint32_t border = 0x00800000;
inline constexpr std::uint32_t dialogFrame = 0x00400000;
inline constexpr std::uint32_t systemMenu = 0x00080000;
inline constexpr std::uint32_t thickFrame = 0x00040000;
inline constexpr std::uint32_t minimiseBox = 0x00020000;
inline constexpr std::uint32_t maximiseBox = 0x00010000;
inline constexpr std::uint32_t disabled = 0x08000000;
}  // namespace WindowStyleBit

namespace WindowExStyleBit {
inline constexpr std::uint32_t toolWindow = 0x00000080;
inline constexpr std::uint32_t clientEdge = 0x00000200;
}  // namespace WindowExStyleBit

struct WindowStyle {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  friend bool operator==(const WindowStyle&, const WindowStyle&) = default;
};

// The style of a top-level window from its settings and the state bits its unit flags
// gave. With every setting at its default the style is 0x02C80000 and the extended
// style 0.
WindowStyle composeWindowStyle(const WindowProperties& properties, std::uint32_t stateBits);

}  // namespace vtg::controls
