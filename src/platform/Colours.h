#pragma once
// Colours as stored (0x00BBGGRR, red in the low byte) and the button-face system colour.

#include <cstdint>

#include <QColor>

namespace vtg::platform {

// The stored value that stands for the platform's button-face colour.
inline constexpr std::uint32_t kButtonFaceColourRef = 0xFF000000;

// The desktop's button-face colour, read afresh each time so it follows a theme change.
QColor buttonFaceColour();

// A stored 0x00BBGGRR value as a colour; the top byte is ignored.
QColor colourFromRef(std::uint32_t ref);

// A background setting: 0xFF000000 means the button face, anything else the RGB value.
QColor backgroundColour(std::uint32_t ref);

}  // namespace vtg::platform
