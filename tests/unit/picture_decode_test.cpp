// The shared picture decoder: format recognition by the first six bytes, JPEG through
// libjpeg, BMP at every supported depth, icons and cursors, GIF, PCX, and malformed files
// of every kind rejected. Fixtures are made here: JPEGs by libjpeg, the others byte by byte.

#include "controls/picture/Decoders.h"
#include "controls/picture/Picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "content/EmbeddedFiles.h"

namespace vtg::controls {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putU16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}
void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
  putU16(b, at, v & 0xFFFF);
  putU16(b, at + 2, v >> 16);
}

std::string rgbText(QRgb c) {
  char s[16];
  std::snprintf(s, sizeof s, "#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
  return s;
}

bool near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// ---- JPEG fixtures ---------------------------------------------------------------------

// A JPEG of width x height in `space` (RGB, greyscale or CMYK), quality 100, no chroma
// subsampling so flat areas come back nearly exact.
Bytes encodeJpeg(int width, int height, J_COLOR_SPACE space, const std::function<QRgb(int, int)>& colourAt) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&c, &out, &outSize);
  c.image_width = JDIMENSION(width);
  c.image_height = JDIMENSION(height);
  c.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(std::size_t(width) * c.input_components);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < width; ++x) {
      const QRgb px = colourAt(x, int(c.next_scanline));
      JSAMPLE* s = &row[std::size_t(x) * c.input_components];
      if (space == JCS_GRAYSCALE) {
        s[0] = JSAMPLE(qGray(px));
      } else if (space == JCS_CMYK) {
        s[0] = JSAMPLE(255 - qRed(px)), s[1] = JSAMPLE(255 - qGreen(px)), s[2] = JSAMPLE(255 - qBlue(px)), s[3] = 0;
      } else {
        s[0] = JSAMPLE(qRed(px)), s[1] = JSAMPLE(qGreen(px)), s[2] = JSAMPLE(qBlue(px));
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes bytes(out, out + outSize);
  std::free(out);
  return bytes;
}

// Four flat 8 x 8 quadrants: red, green / blue, white.
QRgb quadrants(int x, int y) {
  static const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
  return colours[(y / 8) * 2 + (x / 8)];
}

// A bare libjpeg decode of the same bytes, for comparison: the pixels a default
// decompression gives, greyscale widened.
QImage bareLibjpegDecode(const Bytes& file) {
  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, file.data(), file.size());
  jpeg_read_header(&d, TRUE);
  jpeg_start_decompress(&d);
  QImage image(int(d.output_width), int(d.output_height), QImage::Format_RGB888);
  std::vector<JSAMPLE> row(std::size_t(d.output_width) * d.output_components);
  while (d.output_scanline < d.output_height) {
    const int y = int(d.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&d, rows, 1);
    std::uint8_t* out = image.scanLine(y);
    for (JDIMENSION x = 0; x < d.output_width; ++x)
      for (int k = 0; k < 3; ++k) out[3 * x + k] = row[x * d.output_components + (d.output_components == 3 ? k : 0)];
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return image;
}

// ---- BMP fixtures ----------------------------------------------------------------------

// A 5 x 3 test picture: odd width so every depth has row padding and part-filled bytes.
constexpr int kBmpW = 5;
constexpr int kBmpH = 3;
const std::array<QRgb, 16> kBmpPalette = {
    qRgb(0, 0, 0),     qRgb(255, 255, 255), qRgb(255, 0, 0),   qRgb(0, 255, 0),
    qRgb(0, 0, 255),   qRgb(255, 255, 0),   qRgb(0, 255, 255), qRgb(255, 0, 255),
    qRgb(128, 0, 0),   qRgb(0, 128, 0),     qRgb(0, 0, 128),   qRgb(128, 128, 0),
    qRgb(0, 128, 128), qRgb(128, 0, 128),   qRgb(192, 192, 192), qRgb(10, 20, 30)};

// The expected colour of (x, y), top row 0, for a picture of `bpp` bits.
QRgb bmpColourAt(int bpp, int x, int y) {
  if (bpp >= 24) return qRgb(40 * x + 1, 60 * y + 2, 7 * x + 11 * y + 3);
  const int colours = bpp == 1 ? 2 : 16;  // 8-bit pictures use the first 16 entries
  return kBmpPalette[std::size_t((x + 2 * y) % colours)];
}

struct BmpSpec {
  int bpp;
  bool topDown;
  std::uint32_t headerSize = 40;  // 40 BITMAPINFOHEADER, 108 V4, 124 V5
  bool explicitColourCount = false;  // colour count written out rather than 0
};

Bytes makeBmp(const BmpSpec& s) {
  const int paletteCount = s.bpp <= 8 ? (s.bpp == 1 ? 2 : 16) : 0;
  // An 8-bit picture with count 0 has a full 256-entry palette in the file.
  const int storedPalette = (s.bpp <= 8 && !s.explicitColourCount) ? (1 << s.bpp) : paletteCount;
  const std::uint32_t stride = ((kBmpW * s.bpp + 31) / 32) * 4;
  const std::uint32_t pixelAt = 14 + s.headerSize + 4 * storedPalette;
  Bytes b(pixelAt + stride * kBmpH, 0);
  b[0] = 'B', b[1] = 'M';
  putU32(b, 2, std::uint32_t(b.size()));
  putU32(b, 10, pixelAt);
  putU32(b, 14, s.headerSize);
  putU32(b, 18, kBmpW);
  putU32(b, 22, std::uint32_t(s.topDown ? -kBmpH : kBmpH));
  putU16(b, 26, 1);
  putU16(b, 28, std::uint32_t(s.bpp));
  putU32(b, 46, s.explicitColourCount ? std::uint32_t(paletteCount) : 0);
  for (int i = 0; i < storedPalette && i < 16; ++i) {
    const std::size_t at = 14 + s.headerSize + 4 * std::size_t(i);
    b[at] = std::uint8_t(qBlue(kBmpPalette[i])), b[at + 1] = std::uint8_t(qGreen(kBmpPalette[i]));
    b[at + 2] = std::uint8_t(qRed(kBmpPalette[i]));
  }
  for (int y = 0; y < kBmpH; ++y) {
    std::uint8_t* row = b.data() + pixelAt + stride * std::uint32_t(s.topDown ? y : kBmpH - 1 - y);
    for (int x = 0; x < kBmpW; ++x) {
      const QRgb c = bmpColourAt(s.bpp, x, y);
      if (s.bpp >= 24) {
        std::uint8_t* px = row + x * (s.bpp / 8);
        px[0] = std::uint8_t(qBlue(c)), px[1] = std::uint8_t(qGreen(c)), px[2] = std::uint8_t(qRed(c));
        if (s.bpp == 32) px[3] = 0x5A;  // unused byte, ignored
        continue;
      }
      const int index = int(std::find(kBmpPalette.begin(), kBmpPalette.end(), c) - kBmpPalette.begin());
      const int bit = x * s.bpp;
      row[bit / 8] |= std::uint8_t(index << (8 - s.bpp - bit % 8));
    }
  }
  return b;
}

// ---- GIF, PCX and ICO fixtures ---------------------------------------------------------

// A GIF with a 4-colour global palette and one image per frame. The LZW stream sends every
// pixel as a literal, with a clear code before every two, so the code width stays 3 bits.
Bytes makeGif(int w, int h, const std::array<QRgb, 4>& palette, const std::vector<Bytes>& frames) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0xF1, 0, 0};
  putU16(b, 6, std::uint32_t(w));
  putU16(b, 8, std::uint32_t(h));
  for (QRgb c : palette) b.insert(b.end(), {std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))});
  for (const Bytes& frame : frames) {
    b.insert(b.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0});  // 100 ms per frame
    b.insert(b.end(), {0x2C, 0, 0, 0, 0, std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(h),
                       std::uint8_t(h >> 8), 0, 2});
    std::vector<int> codes;
    for (std::size_t i = 0; i < frame.size(); ++i) {
      if (i % 2 == 0) codes.push_back(4);  // clear
      codes.push_back(frame[i]);
    }
    codes.push_back(5);  // end of information
    Bytes stream;
    std::uint32_t acc = 0;
    int bits = 0;
    for (int code : codes) {
      acc |= std::uint32_t(code) << bits;
      bits += 3;
      while (bits >= 8) stream.push_back(std::uint8_t(acc)), acc >>= 8, bits -= 8;
    }
    if (bits > 0) stream.push_back(std::uint8_t(acc));
    for (std::size_t at = 0; at < stream.size(); at += 255) {
      const std::size_t n = std::min<std::size_t>(255, stream.size() - at);
      b.push_back(std::uint8_t(n));
      b.insert(b.end(), stream.begin() + long(at), stream.begin() + long(at + n));
    }
    b.push_back(0);
  }
  b.push_back(0x3B);
  return b;
}

const std::array<QRgb, 4> kGifPalette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};

// A PCX of one plane, run-length encoded: 8 bits per pixel with `palette` at the end, or
// 1 bit per pixel (version 3, black and white). `rows` hold the stored line bytes.
Bytes makePcx(int bpp, int w, int h, int bytesPerLine, const std::vector<Bytes>& rows, bool withPalette = true) {
  Bytes b(128, 0);
  b[0] = 0x0A, b[1] = bpp == 8 ? 5 : 3, b[2] = 1, b[3] = std::uint8_t(bpp);
  putU16(b, 8, std::uint32_t(w - 1));
  putU16(b, 10, std::uint32_t(h - 1));
  b[65] = 1;
  putU16(b, 66, std::uint32_t(bytesPerLine));
  for (const Bytes& row : rows) {
    for (std::size_t i = 0; i < row.size();) {
      std::size_t run = 1;
      while (i + run < row.size() && row[i + run] == row[i] && run < 63) ++run;
      if (run > 1 || row[i] >= 0xC0) b.insert(b.end(), {std::uint8_t(0xC0 | run), row[i]});
      else b.push_back(row[i]);
      i += run;
    }
  }
  if (bpp == 8 && withPalette) {
    b.push_back(0x0C);
    for (int i = 0; i < 256; ++i) b.insert(b.end(), {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)});
  }
  return b;
}

Bytes saveWithQt(const QImage& image, const char* format) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return Bytes(data.begin(), data.end());
}

QImage solid(int w, int h, QRgb c) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(c);
  return image;
}

// ---- Recognition -----------------------------------------------------------------------

struct RecognitionRow {
  const char* name;
  Bytes bytes;
  std::optional<PictureFormat> format;  // nothing: decodePicture returns nullptr
};

TEST(DecodePicture, RecognisesEachFormatByItsFirstSixBytesAndRejectsTheRest) {
  const Bytes jpeg = encodeJpeg(16, 16, JCS_RGB, quadrants);
  const Bytes ico = saveWithQt(solid(32, 32, qRgb(0, 0, 255)), "ico");
  Bytes cur = ico;
  cur[2] = 2;
  Bytes jpegTail = jpeg;
  jpegTail.erase(jpegTail.begin(), jpegTail.begin() + 2);
  const RecognitionRow rows[] = {
      {"jpeg", jpeg, PictureFormat::Jpeg},
      {"bmp", makeBmp({24, false}), PictureFormat::Bmp},
      {"icon", ico, PictureFormat::Icon},
      {"cursor", cur, PictureFormat::Cursor},
      {"gif89a", makeGif(2, 2, kGifPalette, {{0, 1, 2, 3}}), PictureFormat::Gif},
      {"pcx 8 bpp", makePcx(8, 2, 2, 2, {{1, 2}, {3, 4}}), PictureFormat::Pcx8},
      {"pcx 1 bpp", makePcx(1, 8, 1, 2, {{0xF0, 0}}), PictureFormat::Pcx1},
      {"empty", {}, std::nullopt},
      {"five bytes of a jpeg", Bytes(jpeg.begin(), jpeg.begin() + 5), std::nullopt},
      {"FF D8 and garbage", {0xFF, 0xD8, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, std::nullopt},
      {"FF D8 and nothing else of note", {0xFF, 0xD8, 0, 0, 0, 0}, std::nullopt},
      {"FF D8 FF D9", {0xFF, 0xD8, 0xFF, 0xD9, 0, 0}, std::nullopt},
      {"unknown signature", {'P', 'N', 'G', 0, 0, 0, 0, 0}, std::nullopt},
      {"jpeg without its start marker", jpegTail, std::nullopt},
      {"icon with no images", {0, 0, 1, 0, 0, 0, 0, 0}, std::nullopt},
      {"icon directory beyond the file", {0, 0, 1, 0, 5, 0, 32, 32}, std::nullopt},
      {"GIF88a", {'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0}, std::nullopt},
      {"gif signature only", {'G', 'I', 'F', '8', '9', 'a'}, std::nullopt},
      {"pcx with encoding 0", {0x0A, 5, 0, 8, 0, 0, 0, 0}, std::nullopt},
      {"pcx version 6", {0x0A, 6, 1, 8, 0, 0, 0, 0}, std::nullopt},
      {"pcx 1 bpp of version 5", {0x0A, 5, 1, 1, 0, 0, 0, 0}, std::nullopt},
      {"pcx header only", {0x0A, 5, 1, 8, 0, 0, 0, 0}, std::nullopt},
      {"BM and nothing", {'B', 'M', 0, 0, 0, 0}, std::nullopt},
  };
  for (const RecognitionRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::unique_ptr<DecodedPicture> picture = decodePicture(row.bytes);
    ASSERT_EQ(picture != nullptr, row.format.has_value());
    if (!picture) continue;
    EXPECT_EQ(picture->format(), *row.format);
    EXPECT_EQ(isIconLike(*picture), *row.format == PictureFormat::Icon || *row.format == PictureFormat::Cursor);
  }
}

// ---- JPEG ------------------------------------------------------------------------------

TEST(DecodePicture, ColourJpegGivesItsPixelsAsRgb) {
  const std::unique_ptr<DecodedPicture> picture = decodePicture(encodeJpeg(16, 16, JCS_RGB, quadrants));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width(), 16);
  EXPECT_EQ(picture->height(), 16);
  const QImage image = picture->toImage();
  for (auto [x, y] : {std::pair{3, 3}, {12, 3}, {3, 12}, {12, 12}})
    EXPECT_TRUE(near(image.pixel(x, y), quadrants(x, y), 4))
        << x << "," << y << ": " << rgbText(image.pixel(x, y)) << " not near " << rgbText(quadrants(x, y));
}

TEST(DecodePicture, GreyscaleJpegIsWidenedToGrey) {
  const auto grey = [](int x, int) { return qRgb(x * 16, x * 16, x * 16); };
  const Bytes file = encodeJpeg(16, 8, JCS_GRAYSCALE, grey);
  const std::unique_ptr<DecodedPicture> picture = decodePicture(file);
  ASSERT_TRUE(picture);
  const QImage image = picture->toImage();
  const QImage bare = bareLibjpegDecode(file);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      const QRgb px = image.pixel(x, y);
      ASSERT_TRUE(qRed(px) == qGreen(px) && qGreen(px) == qBlue(px)) << x << "," << y << " " << rgbText(px);
      ASSERT_EQ(px, bare.pixel(x, y));
      ASSERT_NEAR(qRed(px), x * 16, 3);
    }
}

TEST(DecodePicture, JpegCutShortStillGivesTheWholePicture) {
  const auto stripes = [](int, int y) { return y < 32 ? qRgb(200, 30, 30) : qRgb(30, 30, 200); };
  const Bytes file = encodeJpeg(32, 64, JCS_RGB, stripes);
  std::size_t scan = 0;  // the first byte of entropy-coded data, after the SOS segment
  for (std::size_t i = 2; i + 3 < file.size() && !scan; ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) scan = i + 2 + (file[i + 2] << 8 | file[i + 3]);
  ASSERT_GT(scan, 0u);
  for (std::size_t keep : {scan, scan + 1, (scan + file.size()) / 2, file.size() - 2}) {
    SCOPED_TRACE(keep);
    const std::unique_ptr<DecodedPicture> picture = decodePicture(Bytes(file.begin(), file.begin() + long(keep)));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 32);
    EXPECT_EQ(picture->height(), 64);
  }
  // Cut after most of the data: the top is as it was.
  const auto picture = decodePicture(Bytes(file.begin(), file.begin() + long(scan + (file.size() - scan) * 3 / 4)));
  ASSERT_TRUE(picture);
  EXPECT_TRUE(near(picture->toImage().pixel(5, 5), qRgb(200, 30, 30), 4));
}

TEST(DecodePicture, JpegDecodeMatchesABareLibjpegLoopOnEveryContentPicture) {
  for (const content::FileBytes file :
       {content::MainPicture(), content::BiostarMainPicture(), content::BiostarAdvancedPicture(),
        content::MsiMenuPicture(), content::MsiCpuFeaturePicture(), content::GigabyteCpuPicture(),
        content::AsusCpuPicture()}) {
    const Bytes bytes(file.begin(), file.end());
    const std::unique_ptr<DecodedPicture> picture = decodePicture(bytes);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->format(), PictureFormat::Jpeg);
    const QImage bare = bareLibjpegDecode(bytes);
    EXPECT_EQ(picture->toImage().convertToFormat(QImage::Format_RGB888), bare);
  }
}

// A JPEG whose start-of-frame is patched to claim `w` x `h`.
Bytes withClaimedSize(Bytes file, int w, int h) {
  for (std::size_t i = 2; i + 8 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {
      file[i + 5] = std::uint8_t(h >> 8), file[i + 6] = std::uint8_t(h);
      file[i + 7] = std::uint8_t(w >> 8), file[i + 8] = std::uint8_t(w);
      return file;
    }
  ADD_FAILURE() << "no SOF0";
  return file;
}

TEST(DecodePicture, JpegsThatCannotBeShownGiveNothing) {
  const Bytes good = encodeJpeg(16, 16, JCS_RGB, quadrants);
  // Tables only: the header of the real file up to its frame, then the end marker.
  Bytes tablesOnly;
  for (std::size_t i = 0; i + 1 < good.size(); ++i)
    if (good[i] == 0xFF && good[i + 1] == 0xC0) {
      tablesOnly.assign(good.begin(), good.begin() + long(i));
      tablesOnly.insert(tablesOnly.end(), {0xFF, 0xD9});
      break;
    }
  const struct {
    const char* name;
    Bytes bytes;
  } rows[] = {
      {"CMYK", encodeJpeg(16, 16, JCS_CMYK, quadrants)},
      {"claims 65535 x 65535", withClaimedSize(good, 65535, 65535)},
      {"claims 0 wide", withClaimedSize(good, 0, 16)},
      {"tables only", tablesOnly},
      {"header cut inside the frame", Bytes(good.begin(), good.begin() + 160)},
  };
  for (const auto& row : rows) EXPECT_EQ(decodePicture(row.bytes), nullptr) << row.name;
}

// ---- BMP -------------------------------------------------------------------------------

TEST(DecodePicture, BmpOfEverySupportedDepthGivesItsKnownPixels) {
  std::vector<BmpSpec> specs;
  for (int bpp : {1, 4, 8, 24, 32})
    for (bool topDown : {false, true}) specs.push_back({bpp, topDown});
  specs.push_back({8, false, 40, true});    // palette shorter than 256, count given
  specs.push_back({4, true, 124, true});    // BITMAPV5HEADER
  specs.push_back({24, false, 108});        // BITMAPV4HEADER
  for (const BmpSpec& s : specs) {
    SCOPED_TRACE(testing::Message() << s.bpp << " bpp, " << (s.topDown ? "top-down" : "bottom-up")
                                    << ", header " << s.headerSize);
    const std::unique_ptr<DecodedPicture> picture = decodePicture(makeBmp(s));
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->format(), PictureFormat::Bmp);
    ASSERT_EQ(picture->width(), kBmpW);
    ASSERT_EQ(picture->height(), kBmpH);
    const QImage image = picture->toImage();
    for (int y = 0; y < kBmpH; ++y)
      for (int x = 0; x < kBmpW; ++x)
        EXPECT_EQ(rgbText(image.pixel(x, y)), rgbText(bmpColourAt(s.bpp, x, y))) << "at " << x << "," << y;
  }
}

TEST(DecodePicture, MalformedBmpsGiveNothing) {
  const Bytes good = makeBmp({8, false, 40, true});
  const Bytes good24 = makeBmp({24, false});
  const auto patched = [](Bytes b, std::size_t at, std::uint32_t value, int width = 4) {
    if (width == 2) putU16(b, at, value); else putU32(b, at, value);
    return b;
  };
  const struct {
    const char* name;
    Bytes bytes;
  } rows[] = {
      {"cut inside the info header", Bytes(good.begin(), good.begin() + 30)},
      {"cut inside the palette", Bytes(good.begin(), good.begin() + 60)},
      {"last row one byte short", Bytes(good.begin(), good.end() - 1)},
      {"core header (12 bytes)", patched(good, 14, 12)},
      {"header size beyond the file", patched(good, 14, 0x7FFFFFF0)},
      {"header size 2^32 - 1", patched(good, 14, 0xFFFFFFFF)},
      {"RLE8", patched(good, 30, 1)},
      {"BI_BITFIELDS", patched(good24, 30, 3)},
      {"16 bits per pixel", patched(good24, 28, 16, 2)},
      {"0 bits per pixel", patched(good24, 28, 0, 2)},
      {"width 0", patched(good, 18, 0)},
      {"negative width", patched(good, 18, std::uint32_t(-5))},
      {"height 0", patched(good, 22, 0)},
      {"height INT_MIN", patched(good, 22, 0x80000000)},
      {"65535 x 65535 in a tiny file", patched(patched(good24, 18, 65535), 22, 65535)},
      {"4000 x 4000 in a tiny file", patched(patched(good24, 18, 4000), 22, 4000)},
      {"1 x 2^31-1", patched(patched(good24, 18, 1), 22, 0x7FFFFFFF)},
      {"2^31-1 x 1", patched(patched(good24, 18, 0x7FFFFFFF), 22, 1)},
      {"pixel offset beyond the file", patched(good, 10, 0xFFFFFFF0)},
      {"pixel offset leaves too little", patched(good, 10, std::uint32_t(good.size() - 4))},
      {"more colours than the depth allows", patched(good, 46, 257)},
      {"colour count beyond the file", patched(good, 46, 255)},
  };
  for (const auto& row : rows) EXPECT_EQ(decodePicture(row.bytes), nullptr) << row.name;
}

// ---- Icons, cursors, GIF, PCX ----------------------------------------------------------

TEST(DecodePicture, IconEntryIsTheFirst32WideWith16To255ColoursElseTheLast) {
  // Only the directory matters to the choice: width, height, colour count per entry.
  const auto directory = [](std::vector<std::array<std::uint8_t, 3>> entries) {
    Bytes b = {0, 0, 1, 0, std::uint8_t(entries.size()), 0};
    for (const auto& e : entries) {
      Bytes entry(16, 0);
      entry[0] = e[0], entry[1] = e[1], entry[2] = e[2];
      b.insert(b.end(), entry.begin(), entry.end());
    }
    return b;
  };
  const auto cutShort = [](Bytes b) {
    b.pop_back();
    return b;
  };
  const struct {
    const char* name;
    Bytes bytes;
    int entry;
  } rows[] = {
      {"16, 32x16c, 48", directory({{16, 16, 16}, {32, 32, 16}, {48, 48, 16}}), 1},
      {"32 true colour, 32x16c", directory({{32, 32, 0}, {32, 32, 16}}), 1},
      {"32x2c, 32x255c", directory({{32, 32, 2}, {32, 32, 255}}), 1},
      {"no 32 with a palette", directory({{16, 16, 16}, {32, 32, 0}, {48, 48, 16}}), 2},
      {"one entry", directory({{64, 64, 0}}), 0},
      {"two 32x16c", directory({{32, 32, 16}, {32, 32, 16}}), 0},
      {"directory cut short", cutShort(directory({{16, 16, 16}, {32, 32, 16}})), -1},
      {"no entries", directory({}), -1},
  };
  for (const auto& row : rows) EXPECT_EQ(chooseIconEntry(row.bytes), row.entry) << row.name;
}

TEST(DecodePicture, IconAndCursorGiveTheirImage) {
  const Bytes ico = saveWithQt(solid(32, 32, qRgb(0, 0, 255)), "ico");
  Bytes cur = ico;
  cur[2] = 2;
  for (const Bytes& file : {ico, cur}) {
    const std::unique_ptr<DecodedPicture> picture = decodePicture(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 32);
    EXPECT_EQ(picture->height(), 32);
    EXPECT_EQ(rgbText(picture->toImage().pixel(10, 10)), "#0000ff");
  }
}

// A one-image .ico of `bpp` bits per pixel built by hand: a patterned palette or colours,
// a mask that clears every third pixel of a diagonal pattern, and (for 32 bits) an alpha
// channel when `alpha` is set.
Bytes handMadeIcon(int w, int h, int bpp, bool alpha = false) {
  Bytes dib;
  auto u16 = [&](std::uint32_t v) { dib.push_back(std::uint8_t(v)), dib.push_back(std::uint8_t(v >> 8)); };
  auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  u32(40), u32(std::uint32_t(w)), u32(std::uint32_t(2 * h)), u16(1), u16(std::uint32_t(bpp)), u32(0);
  for (int i = 0; i < 5; ++i) u32(0);
  const int colours = bpp <= 8 ? 1 << bpp : 0;
  for (int i = 0; i < colours; ++i) dib.insert(dib.end(), {std::uint8_t(i * 37), std::uint8_t(255 - i * 11), std::uint8_t(i * 5), 0});
  const int colourStride = (w * bpp + 31) / 32 * 4, maskStride = (w + 31) / 32 * 4;
  for (int row = 0; row < h; ++row) {  // bottom-up
    const int y = h - 1 - row;
    Bytes line(std::size_t(colourStride), 0);
    for (int x = 0; x < w; ++x) {
      if (bpp >= 24) {
        const int at = x * bpp / 8;
        line[at] = std::uint8_t(x * 9), line[at + 1] = std::uint8_t(y * 13), line[at + 2] = std::uint8_t(x ^ y);
        if (bpp == 32) line[at + 3] = alpha ? std::uint8_t((x * 31 + y) | 1) : 0;
      } else {
        const int index = (x + 2 * y) % colours, bit = x * bpp;
        line[bit / 8] |= std::uint8_t(index << (8 - bpp - bit % 8));
      }
    }
    dib.insert(dib.end(), line.begin(), line.end());
  }
  for (int row = 0; row < h; ++row) {
    const int y = h - 1 - row;
    Bytes line(std::size_t(maskStride), 0);
    for (int x = 0; x < w; ++x)
      if ((x + y) % 3 == 0) line[x / 8] |= std::uint8_t(0x80 >> (x % 8));
    dib.insert(dib.end(), line.begin(), line.end());
  }
  Bytes file = {0, 0, 1, 0, 1, 0, std::uint8_t(w), std::uint8_t(h), std::uint8_t(colours), 0, 1, 0,
                std::uint8_t(bpp), 0};
  for (const std::uint32_t v : {std::uint32_t(dib.size()), 22u})
    for (int i = 0; i < 4; ++i) file.push_back(std::uint8_t(v >> (8 * i)));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

// Palette icons, the program's own among them, and an icon as Qt writes one. (For 24 and
// 32 bits without alpha Qt's reader ignores the mask, which the platform applies; see the
// next test.)
TEST(DecodePicture, OwnIconReaderGivesWhatQtsReaderGives) {
  struct Row {
    std::string name;
    Bytes file;
  };
  const content::FileBytes program = content::DefaultIcon();
  std::vector<Row> rows = {
      {"the program icon", Bytes(program.begin(), program.end())},
      {"1 bit, 13 x 5", handMadeIcon(13, 5, 1)},
      {"4 bits, 16 x 16", handMadeIcon(16, 16, 4)},
      {"8 bits, 33 x 7", handMadeIcon(33, 7, 8)},
      {"saved by Qt", saveWithQt(solid(24, 24, qRgba(10, 200, 30, 255)), "ico")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const int count = iconEntryCount(row.file);
    ASSERT_GT(count, 0);
    QByteArray data(reinterpret_cast<const char*>(row.file.data()), qsizetype(row.file.size()));
    QBuffer device(&data);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device, "ico");
    for (int i = 0; i < count; ++i) {
      SCOPED_TRACE(i);
      const QImage ours = decodeIconImage(row.file, i);
      ASSERT_TRUE(reader.jumpToImage(i));
      const QImage qts = reader.read().convertToFormat(QImage::Format_ARGB32);
      ASSERT_FALSE(ours.isNull());
      ASSERT_EQ(ours.size(), qts.size());
      int differing = 0;
      for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x) {
          const QRgb a = ours.pixel(x, y), b = qts.pixel(x, y);
          // A clear pixel's colour does not matter.
          if (qAlpha(a) != qAlpha(b) || (qAlpha(a) != 0 && a != b)) ++differing;
        }
      EXPECT_EQ(differing, 0);
    }
  }
}

TEST(DecodePicture, OwnIconReaderTakesTheMaskUnlessTheColoursCarryAlpha) {
  const struct {
    const char* name;
    Bytes file;
    bool maskCounts;
  } rows[] = {
      {"24 bits", handMadeIcon(10, 3, 24), true},
      {"32 bits, alpha all 0", handMadeIcon(9, 4, 32), true},
      {"32 bits with alpha", handMadeIcon(9, 4, 32, true), false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const QImage image = decodeIconImage(row.file, 0);
    ASSERT_FALSE(image.isNull());
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        const int alpha = !row.maskCounts ? ((x * 31 + y) | 1) & 0xFF : (x + y) % 3 == 0 ? 0 : 255;
        EXPECT_EQ(qAlpha(p), alpha) << x << "," << y;
        if (alpha != 0) EXPECT_EQ(p & 0xFFFFFF, qRgb(x ^ y, (y * 13) & 0xFF, (x * 9) & 0xFF) & 0xFFFFFF) << x << "," << y;
      }
  }
}

TEST(DecodePicture, OwnIconReaderRejectsEntriesThatDoNotFit) {
  const Bytes good = handMadeIcon(8, 8, 4);
  auto with = [&](std::size_t at, std::uint8_t value) {
    Bytes b = good;
    b[at] = value;
    return b;
  };
  const struct {
    const char* name;
    Bytes file;
  } rows[] = {
      {"image cut short", Bytes(good.begin(), good.end() - 1)},
      {"offset past the end", with(21, 0x7F)},
      {"odd doubled height", with(22 + 8, 15)},
      {"compressed", with(22 + 16, 1)},
      {"2 bits per pixel", with(22 + 14, 2)},
      {"header size beyond the image", with(22 + 1, 0x10)},
      {"more colours than the depth holds", with(22 + 32, 17)},
  };
  for (const auto& row : rows) EXPECT_TRUE(decodeIconImage(row.file, 0).isNull()) << row.name;
  EXPECT_FALSE(decodeIconImage(good, 0).isNull());
  EXPECT_TRUE(decodeIconImage(good, 1).isNull()) << "an entry the directory does not list";
}

TEST(DecodePicture, GifGivesItsFirstFrame) {
  const std::unique_ptr<DecodedPicture> picture =
      decodePicture(makeGif(3, 2, kGifPalette, {{0, 1, 2, 3, 2, 1}, {3, 3, 3, 3, 3, 3}}));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width(), 3);
  EXPECT_EQ(picture->height(), 2);
  const QImage image = picture->toImage();
  const int expected[6] = {0, 1, 2, 3, 2, 1};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(rgbText(image.pixel(i % 3, i / 3)), rgbText(kGifPalette[std::size_t(expected[i])])) << i;
}

TEST(DecodePicture, PcxGivesItsPixels) {
  // 8 bits: 3 x 2 in lines of 4 bytes (the last one padding); palette entry i is (i, 255-i, i/2).
  const auto pcx8 = decodePicture(makePcx(8, 3, 2, 4, {{7, 7, 0xC5, 0}, {1, 2, 3, 0}}));
  ASSERT_TRUE(pcx8);
  EXPECT_EQ(pcx8->format(), PictureFormat::Pcx8);
  const QImage image8 = pcx8->toImage();
  const int indexes[6] = {7, 7, 0xC5, 1, 2, 3};
  for (int i = 0; i < 6; ++i) {
    const int v = indexes[i];
    EXPECT_EQ(rgbText(image8.pixel(i % 3, i / 3)), rgbText(qRgb(v, 255 - v, v / 2))) << i;
  }
  // 1 bit: 10 x 2, bit set is white.
  const auto pcx1 = decodePicture(makePcx(1, 10, 2, 2, {{0xA0, 0x40}, {0xFF, 0xFF}}));
  ASSERT_TRUE(pcx1);
  EXPECT_EQ(pcx1->format(), PictureFormat::Pcx1);
  const QImage image1 = pcx1->toImage();
  const char* expected[2] = {"1010000001", "1111111111"};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(image1.pixel(x, y) == qRgb(255, 255, 255), expected[y][x] == '1') << x << "," << y;
}

TEST(DecodePicture, MalformedPcxsGiveNothingOrStayInBounds) {
  const Bytes good = makePcx(8, 3, 2, 4, {{7, 7, 7, 0}, {1, 2, 3, 0}});
  const auto patched = [](Bytes b, std::size_t at, std::uint8_t value) {
    b[at] = value;
    return b;
  };
  const struct {
    const char* name;
    Bytes bytes;
  } rows[] = {
      {"no palette marker", makePcx(8, 3, 2, 4, {{7, 7, 7, 0}, {1, 2, 3, 0}}, false)},
      {"line shorter than the width", patched(good, 66, 2)},
      {"two planes", patched(good, 65, 2)},
      {"xmax below xmin", patched(patched(good, 4, 9), 8, 2)},
      {"65535 x 65535 from a few bytes", patched(patched(patched(patched(good, 8, 0xFF), 9, 0xFF), 10, 0xFF), 11, 0xFF)},
      {"header only", Bytes(good.begin(), good.begin() + 128)},
  };
  for (const auto& row : rows) EXPECT_EQ(decodePicture(row.bytes), nullptr) << row.name;
  // Data that ends early leaves the rest black rather than failing.
  Bytes shortData = makePcx(1, 8, 4, 2, {{0xFF, 0xFF}});
  const auto picture = decodePicture(shortData);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->toImage().pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(picture->toImage().pixel(0, 3), qRgb(0, 0, 0));
}

// ---- Hostile files ---------------------------------------------------------------------

// Files built to mislead a reader, and every input that once made a decoder fail under the
// fuzzer (none so far): each must decode without fault, to nothing or to the given size.
TEST(DecodePicture, HostileFilesDecodeSafely) {
  const Bytes gif1x1 = makeGif(1, 1, kGifPalette, {{2}});
  Bytes hugeScreenGif = gif1x1;
  putU16(hugeScreenGif, 6, 65535);
  putU16(hugeScreenGif, 8, 65535);
  Bytes pcxLongRun = makePcx(8, 4, 1, 4, {{9, 9, 9, 9}});
  pcxLongRun.insert(pcxLongRun.begin() + 128, {0xFF, 5});  // a 63-byte run, far past the picture
  const struct {
    const char* name;
    Bytes bytes;
    int width;  // 0: nothing expected
  } rows[] = {
      {"icon entry whose image lies past the end",
       {0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, 40, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}, 0},
      {"icon entry of a 0-byte image", {0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, 0, 0, 0, 0, 22, 0, 0, 0}, 0},
      {"gif of one pixel", gif1x1, 1},
      {"gif claiming a 65535 x 65535 screen", hugeScreenGif, 0},
      {"gif cut after its palette", Bytes(gif1x1.begin(), gif1x1.begin() + 25), 0},
      {"pcx run past the end of the picture", pcxLongRun, 4},
  };
  for (const auto& row : rows) {
    const auto picture = decodePicture(row.bytes);
    EXPECT_EQ(picture ? picture->width() : 0, row.width) << row.name;
  }
}

}  // namespace
}  // namespace vtg::controls
