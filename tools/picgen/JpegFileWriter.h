#pragma once
// Encodes a drawn picture as a JPEG file of the guide's picture form, through libjpeg.

#include <QImage>

#include <cstdint>
#include <vector>

namespace picgen {

enum class JfifDensity { Dpi96, AspectOneToOne };
enum class ExtraSegment { None, GdComment, GdiPlusExif };

struct JpegForm {
  int quality;            // IJG quality, tables scaled by jpeg_set_quality(quality, force_baseline)
  JfifDensity density;
  ExtraSegment extra;
};

// The payload of the comment segment gd's JPEG writer puts into its files: 58 bytes, which
// is the text and its line feed without the marker and length field.
std::vector<std::uint8_t> gdCommentPayload();

// The payload of the Exif APP1 segment (88 bytes, again without the marker
// and length field): "Exif\0\0", then a big-endian TIFF header and one IFD of five entries.
std::vector<std::uint8_t> gdiPlusExifPayload();

// Baseline 4:2:0 JPEG with the standard Huffman tables, one scan, no restart interval.
std::vector<std::uint8_t> encodeJpeg(const QImage& image, const JpegForm& form);

}  // namespace picgen
