#pragma once
// The label's stored settings, read from its property block. Pure data: no widget is
// involved, so tests and the fuzzer can call the reader directly.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "forms/PropertyStream.h"

namespace vtg::controls {

// "标签" in GBK: the text of a label whose block is empty.
inline constexpr std::string_view kDefaultLabelText = "\xb1\xea\xc7\xa9";

// The settings in stored order. Values are kept as stored; what a value outside the
// known ones means is decided where it is used (see Label.cpp).
struct LabelProperties {
  std::uint32_t version = 0;
  std::uint32_t effect = 0;             // 0 none, 1 sunken, 2 raised, 3 shadow
  std::int32_t frameWidth = 8;          // gradient frame of border 6, drawn when above 0
  std::uint32_t border = 0;             // 0 none, 1-5 classic edges, 6 gradient frame
  std::uint32_t frameColour1 = 0x00808080;
  std::uint32_t frameColour2 = 0x00FFFFFF;
  std::uint32_t frameColour3 = 0x00808080;
  std::uint32_t textColour = 0x00000000;
  std::uint32_t backColour = 0xFF000000;  // 0xFF000000: the button face, read at each paint
  std::uint32_t pictureMode = 1;        // 0 top-left, 1 tiled, 2 centred and shrunk to fit
  std::uint32_t gradientMode = 0;       // 0 none, 1-8 a direction
  std::uint32_t gradientColour1 = 0x00808080;
  std::uint32_t gradientColour2 = 0x00FFFFFF;
  std::uint32_t gradientColour3 = 0x00808080;
  std::uint32_t hAlign = 0;             // 0 left, 1 centre, 2 right
  std::uint32_t vAlign = 1;             // single line only: 0 top, 1 middle, 2 bottom
  std::uint32_t wordWrap = 0;           // 1 wraps, anything else is one line
  Bytes font;                           // a 60-byte font description, else the default font
  Bytes backPicture;                    // a picture file, empty = none
  std::string text{kDefaultLabelText};  // GBK
  std::string dataSource;               // kept but unused
  std::string dataColumn;               // kept but unused
};

// Reads a property block. An empty block gives the defaults. Versions 0 and 1 end after
// the text, version 2 adds the two data fields; a higher version, or a block that ends
// inside a field, gives nothing. Bytes after the last field are not looked at.
std::optional<LabelProperties> readLabelProperties(std::span<const std::uint8_t> block);

}  // namespace vtg::controls
