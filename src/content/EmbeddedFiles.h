#pragma once
// The picture files and the program icon, linked into the program unchanged.

#include <cstdint>
#include <span>

namespace vtg::content {

using FileBytes = std::span<const std::uint8_t>;

FileBytes MainPicture();
FileBytes BiostarMainPicture();
FileBytes BiostarAdvancedPicture();
FileBytes MsiMenuPicture();
FileBytes MsiCpuFeaturePicture();
FileBytes GigabyteCpuPicture();
FileBytes AsusCpuPicture();

// "DEFAULT_ICON": a Windows .ico file with 16x16, 32x32 and 48x48 16-colour images.
FileBytes DefaultIcon();

}  // namespace vtg::content
