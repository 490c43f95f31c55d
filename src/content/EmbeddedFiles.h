#pragma once
// The picture files and the program icon, linked into the program unchanged.

#include <cstdint>
#include <span>

namespace vtg::content {

using FileBytes = std::span<const std::uint8_t>;

// Each picture file, and the property block of the picture box that shows it, which holds
// the file (version 2, no border, button-face background, top-left at natural size,
// animation on, no data binding): the stored definitions refer to those bytes as they are.
FileBytes MainPicture();
FileBytes MainPictureBox();
FileBytes BiostarMainPicture();
FileBytes BiostarMainPictureBox();
FileBytes BiostarAdvancedPicture();
FileBytes BiostarAdvancedPictureBox();
FileBytes MsiMenuPicture();
FileBytes MsiMenuPictureBox();
FileBytes MsiCpuFeaturePicture();
FileBytes MsiCpuFeaturePictureBox();
FileBytes GigabyteCpuPicture();
FileBytes GigabyteCpuPictureBox();
FileBytes AsusCpuPicture();
FileBytes AsusCpuPictureBox();

// "DEFAULT_ICON": a Windows .ico file with 16x16, 32x32 and 48x48 16-colour images.
FileBytes DefaultIcon();

}  // namespace vtg::content
