#include "controls/picture/Picture.h"

#include <array>

#include <QRect>

#include "controls/picture/Decoders.h"

namespace vtg::controls {

namespace {

using Signature = std::span<const std::uint8_t, 6>;

struct PictureDecoder {
  bool (*recognises)(Signature s);
  std::unique_ptr<DecodedPicture> (*decode)(PictureBytes bytes);
};

// In recognition order: the first row whose signature matches decides the format.
constexpr std::array kDecoders = {
    PictureDecoder{[](Signature s) { return s[0] == 0x42 && s[1] == 0x4D; },  // "BM"
                   decodeBmp},
    PictureDecoder{[](Signature s) { return s[0] == 0xFF && s[1] == 0xD8; }, decodeJpeg},
    PictureDecoder{[](Signature s) {
                     return s[0] == 0 && s[1] == 0 && s[2] == 1 && s[3] == 0 && (s[4] | s[5]);
                   },
                   [](PictureBytes b) { return decodeIconFile(b, PictureFormat::Icon); }},
    PictureDecoder{[](Signature s) {
                     return s[0] == 0 && s[1] == 0 && s[2] == 2 && s[3] == 0 && (s[4] | s[5]);
                   },
                   [](PictureBytes b) { return decodeIconFile(b, PictureFormat::Cursor); }},
    PictureDecoder{[](Signature s) {  // "GIF87a", "GIF89a"
                     return s[0] == 'G' && s[1] == 'I' && s[2] == 'F' && s[3] == '8' &&
                            (s[4] == '7' || s[4] == '9') && s[5] == 'a';
                   },
                   decodeGif},
    PictureDecoder{[](Signature s) { return s[0] == 0x0A && s[1] <= 5 && s[2] == 1 && s[3] == 8; },
                   [](PictureBytes b) { return decodePcx(b, PictureFormat::Pcx8); }},
    PictureDecoder{[](Signature s) { return s[0] == 0x0A && s[1] == 3 && s[2] == 1 && s[3] == 1; },
                   [](PictureBytes b) { return decodePcx(b, PictureFormat::Pcx1); }},
};

}  // namespace

DecodedPicture::~DecodedPicture() { --live_; }

bool DecodedPicture::startAnimation(std::function<void()>) { return false; }

void DecodedPicture::keepTopLeft(int, int) {}

std::unique_ptr<DecodedPicture> decodePicture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 6) return nullptr;
  const Signature signature = bytes.first<6>();
  for (const PictureDecoder& decoder : kDecoders)
    if (decoder.recognises(signature)) return decoder.decode(bytes);
  return nullptr;
}

void drawPicture(const DecodedPicture& picture, QPainter& painter, int x, int y, int width,
                 int height) {
  if (width == -1) width = picture.width();
  if (height == -1) height = picture.height();
  picture.draw(painter, QRect(x, y, width, height));
}

bool isIconLike(const DecodedPicture& picture) {
  return picture.format() == PictureFormat::Icon || picture.format() == PictureFormat::Cursor;
}

}  // namespace vtg::controls
