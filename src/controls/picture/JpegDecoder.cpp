// JPEG through IJG libjpeg's decompression interface. libjpeg reports a fatal error by
// calling error_exit, which must not return; it jumps back to decodeJpegInto, the one
// function that spans setjmp and longjmp. Nothing with a destructor lives in it, so the
// jump skips no C++ clean-up, and every path out destroys the decompression object.

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "controls/picture/Decoders.h"
#include "controls/picture/RasterPicture.h"

namespace vtg::controls {

namespace {

struct JpegErrors {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to this
  std::jmp_buf backToDecoder;
};

// The source hands libjpeg all the stored bytes it has not yet had, pointing into them
// rather than copying. Once they run out it supplies an end-of-image marker, so a file cut
// short still yields a whole picture (libjpeg fills the rest); no bytes at all is fatal.
// Handing them over in small windows (4096 bytes) costs libjpeg-turbo 3-7% on our pictures:
// its fast Huffman path needs 512 bytes per block of an MCU in the buffer (3072 for 4:2:0),
// which a small window holds only at the start of each step.
constexpr JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

struct ByteSource {
  jpeg_source_mgr manager;
  const std::uint8_t* data;
  std::size_t size;
  std::size_t next;
};

void noOutput(j_common_ptr) {}
void noEmit(j_common_ptr, int) {}
void noFormat(j_common_ptr, char* buffer) { buffer[0] = '\0'; }

[[noreturn]] void leaveDecoder(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->backToDecoder, 1);
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<ByteSource*>(cinfo->src);
  if (src->next >= src->size) {
    if (src->next == 0) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->manager.next_input_byte = kEndOfImage;
    src->manager.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
  }
  const std::size_t step = src->size - src->next;
  src->manager.next_input_byte = src->data + src->next;
  src->manager.bytes_in_buffer = step;
  src->next += step;
  return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  while (static_cast<unsigned long>(count) > src->bytes_in_buffer) {
    count -= static_cast<long>(src->bytes_in_buffer);
    fillInput(cinfo);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

// libjpeg-turbo writes the pixels straight in the screen's 32-bit form (QImage's RGB32:
// one native-endian 0xffRRGGBB word a pixel), grey pictures included, so the picture is
// kept once, in the form it is drawn from, and never converted.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kDeviceColourSpace = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kDeviceColourSpace = JCS_EXT_ARGB;
#endif
constexpr int kDeviceBytesPerPixel = 4;

struct JpegResult {
  unsigned char* pixels;  // malloc'd width x height 32-bit pixels, rows unpadded
  int width;
  int height;
  int bytesPerLine;
};

bool decodeJpegInto(const std::uint8_t* data, std::size_t size, JpegResult* result) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegErrors errors;
  ByteSource source;
  result->pixels = nullptr;

  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = leaveDecoder;
  errors.manager.output_message = noOutput;
  errors.manager.emit_message = noEmit;
  errors.manager.format_message = noFormat;
  if (setjmp(errors.backToDecoder)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(result->pixels);
    result->pixels = nullptr;
    return false;
  }

  jpeg_create_decompress(&cinfo);
  source.manager.init_source = initSource;
  source.manager.fill_input_buffer = fillInput;
  source.manager.skip_input_data = skipInput;
  source.manager.resync_to_restart = jpeg_resync_to_restart;
  source.manager.term_source = termSource;
  source.manager.next_input_byte = nullptr;
  source.manager.bytes_in_buffer = 0;
  source.data = data;
  source.size = size;
  source.next = 0;
  cinfo.src = &source.manager;

  jpeg_read_header(&cinfo, TRUE);
  // Only what the default output gives as 3 or 1 components is converted (not CMYK).
  if ((cinfo.out_color_space != JCS_RGB && cinfo.out_color_space != JCS_GRAYSCALE) ||
      !pictureSizeAllowed(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = kDeviceColourSpace;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != kDeviceBytesPerPixel ||
      !pictureSizeAllowed(cinfo.output_width, cinfo.output_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  result->width = static_cast<int>(cinfo.output_width);
  result->height = static_cast<int>(cinfo.output_height);
  result->bytesPerLine = result->width * kDeviceBytesPerPixel;
  result->pixels = static_cast<unsigned char*>(
      std::malloc(static_cast<std::size_t>(result->bytesPerLine) * result->height));
  if (!result->pixels) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }

  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = result->pixels + std::size_t(cinfo.output_scanline) * result->bytesPerLine;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
      jpeg_destroy_decompress(&cinfo);
      std::free(result->pixels);
      result->pixels = nullptr;
      return false;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

std::unique_ptr<DecodedPicture> decodeJpeg(PictureBytes bytes) {
  JpegResult result{};
  if (!decodeJpegInto(bytes.data(), bytes.size(), &result)) return nullptr;
  // The image takes the decoded rows over as they are; no copy.
  QImage image(result.pixels, result.width, result.height, result.bytesPerLine,
               QImage::Format_RGB32, [](void* p) { std::free(p); }, result.pixels);
  if (image.isNull()) {
    std::free(result.pixels);
    return nullptr;
  }
  return std::make_unique<RasterPicture>(PictureFormat::Jpeg, std::move(image));
}

}  // namespace vtg::controls
