#include "JpegFileWriter.h"

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace picgen {

std::vector<std::uint8_t> gdCommentPayload() {
  // gd writes the text with its line feed through jpeg_write_marker, so the 58 bytes are the
  // payload; the segment on disk is FF FE, the length 60 (0x003C), then these 58 bytes.
  constexpr std::string_view text = "CREATOR: gd-jpeg v1.0 (using IJG JPEG v62), quality = 100\n";
  static_assert(text.size() == 58);
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> gdiPlusExifPayload() {
  // The five values are those a PNG's gAMA, sRGB and pHYs chunks carry. GDI+ keeps them as
  // property items and writes them into IFD0 of the Exif segment when it saves a JPEG, under its
  // own tags, which Exif readers know by these names:
  //   0x0301 Gamma           RATIONAL 22/10 (2.2), the only value that needs room outside the entry
  //   0x0303 SRGBRendering   BYTE 0 (perceptual rendering intent)
  //   0x5110 PixelUnits      BYTE 1 (metre)
  //   0x5111 PixelsPerUnitX  LONG 3779 (96 dpi)
  //   0x5112 PixelsPerUnitY  LONG 3779
  // Standard TIFF resolution tags would not do: XResolution and YResolution are RATIONALs (16
  // more bytes) and ResolutionUnit has no metre. Layout, offsets from the TIFF header:
  //   0 header "MM", 42, IFD0 at 8; 8 entry count; 10 five entries; 70 next-IFD 0; 74 the gamma
  //   rational; 82 end. With "Exif\0\0" in front that makes 88 bytes, counted as
  //   the payload (the segment on disk is FF E1, the length 90, then the 88 bytes), the same way
  //   as the 58 of the comment.
  std::vector<std::uint8_t> out;
  auto u16 = [&](unsigned v) { out.push_back(std::uint8_t(v >> 8)); out.push_back(std::uint8_t(v)); };
  auto u32 = [&](unsigned v) { u16(v >> 16); u16(v & 0xFFFF); };
  auto entry = [&](unsigned tag, unsigned type, unsigned count) { u16(tag); u16(type); u32(count); };
  constexpr unsigned BYTE = 1, LONG = 4, RATIONAL = 5;

  for (char c : std::string_view("Exif\0\0", 6)) out.push_back(std::uint8_t(c));
  out.insert(out.end(), {'M', 'M'});
  u16(42);
  u32(8);
  u16(5);
  entry(0x0301, RATIONAL, 1); u32(74);
  entry(0x0303, BYTE, 1);     out.insert(out.end(), {0, 0, 0, 0});
  entry(0x5110, BYTE, 1);     out.insert(out.end(), {1, 0, 0, 0});
  entry(0x5111, LONG, 1);     u32(3779);
  entry(0x5112, LONG, 1);     u32(3779);
  u32(0);
  u32(22); u32(10);
  if (out.size() != 88) std::abort();
  return out;
}

namespace {

[[noreturn]] void failEncoding(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);
  std::fprintf(stderr, "picgen: libjpeg: %s\n", message);
  std::exit(1);
}

}  // namespace

std::vector<std::uint8_t> encodeJpeg(const QImage& image, const JpegForm& form) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jerr.error_exit = failEncoding;
  jpeg_create_compress(&cinfo);

  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);

  cinfo.image_width = JDIMENSION(rgb.width());
  cinfo.image_height = JDIMENSION(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);  // YCbCr, standard Huffman tables, baseline, JFIF header
  jpeg_set_quality(&cinfo, form.quality, TRUE);

  // Spelled out although they are the defaults: the pictures' form fixes each of them.
  cinfo.optimize_coding = FALSE;
  cinfo.arith_code = FALSE;
  cinfo.restart_interval = 0;
  cinfo.restart_in_rows = 0;
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.comp_info[0].h_samp_factor = 2;
  cinfo.comp_info[0].v_samp_factor = 2;
  for (int c = 1; c < 3; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  cinfo.write_JFIF_header = TRUE;
  cinfo.JFIF_major_version = 1;
  cinfo.JFIF_minor_version = 1;
  cinfo.write_Adobe_marker = FALSE;
  if (form.density == JfifDensity::Dpi96) {
    cinfo.density_unit = 1;
    cinfo.X_density = 96;
    cinfo.Y_density = 96;
  } else {
    cinfo.density_unit = 0;
    cinfo.X_density = 1;
    cinfo.Y_density = 1;
  }

  jpeg_start_compress(&cinfo, TRUE);  // writes SOI and the JFIF APP0
  if (form.extra == ExtraSegment::GdComment) {
    const auto payload = gdCommentPayload();
    jpeg_write_marker(&cinfo, JPEG_COM, payload.data(), unsigned(payload.size()));
  } else if (form.extra == ExtraSegment::GdiPlusExif) {
    const auto payload = gdiPlusExifPayload();
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, payload.data(), unsigned(payload.size()));
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);

  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

}  // namespace picgen
