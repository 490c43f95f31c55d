#pragma once
// One decoder per picture format, each in a file of its own. Each gets the whole file
// (at least the six bytes its signature was recognised by) and returns nothing for
// anything it rejects.

#include <cstdint>
#include <memory>
#include <span>

#include <QImage>

#include "controls/picture/Picture.h"

namespace vtg::controls {

using PictureBytes = std::span<const std::uint8_t>;

// Little-endian numbers in a file; the caller has checked that the bytes are there.
inline std::uint32_t u16At(PictureBytes b, std::size_t at) { return b[at] | std::uint32_t(b[at + 1]) << 8; }
inline std::uint32_t u32At(PictureBytes b, std::size_t at) { return u16At(b, at) | u16At(b, at + 2) << 16; }

std::unique_ptr<DecodedPicture> decodeJpeg(PictureBytes bytes);
std::unique_ptr<DecodedPicture> decodeBmp(PictureBytes bytes);
// Icons and cursors share the .ico directory; `format` says which one the file is.
std::unique_ptr<DecodedPicture> decodeIconFile(PictureBytes bytes, PictureFormat format);
std::unique_ptr<DecodedPicture> decodeGif(PictureBytes bytes);
std::unique_ptr<DecodedPicture> decodePcx(PictureBytes bytes, PictureFormat format);

// Which directory entry of an .ico or .cur file is shown: the first one 32 pixels wide
// whose colour count is 16 to 255, else the last; -1 when the directory does not fit.
int chooseIconEntry(PictureBytes bytes);

// How many entries the directory of an .ico or .cur file lists; 0 when it does not fit.
int iconEntryCount(PictureBytes file);
// One entry's image as 32-bit ARGB (see IconImage.cpp for what is read); a null image for
// an entry that is missing, cut short or in a form not read here.
QImage decodeIconImage(PictureBytes file, int entry);

}  // namespace vtg::controls
