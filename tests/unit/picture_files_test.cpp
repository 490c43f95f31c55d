// The seven picture files against the file form the guide fixes for them: marker by marker,
// with the quantisation and Huffman tables recomputed here from the JPEG standard's tables and
// the IJG quality rule, the two metadata segments byte for byte, and a decode through libjpeg.

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Density { Dpi96, AspectOneToOne };
enum class Extra { None, Comment, Exif };

struct PictureRow {
  const char* file;
  int width;
  int height;
  int quality;
  Density density;
  Extra extra;
};

void PrintTo(const PictureRow& row, std::ostream* out) { *out << row.file; }

const PictureRow kPictures[] = {
    {"MainPicture.jpg", 709, 366, 94, Density::Dpi96, Extra::None},
    {"BiostarMainPicture.jpg", 580, 326, 100, Density::AspectOneToOne, Extra::Comment},
    {"BiostarAdvancedPicture.jpg", 580, 326, 100, Density::AspectOneToOne, Extra::Comment},
    {"MsiMenuPicture.jpg", 580, 460, 100, Density::AspectOneToOne, Extra::Comment},
    {"MsiCpuFeaturePicture.jpg", 580, 486, 100, Density::AspectOneToOne, Extra::Comment},
    {"GigabyteCpuPicture.jpg", 600, 528, 80, Density::AspectOneToOne, Extra::None},
    {"AsusCpuPicture.jpg", 992, 709, 94, Density::Dpi96, Extra::Exif},
};

// The 58 bytes of the comment segment are its payload: the text and its line feed.
// On disk the segment is FF FE, the length field 60, then these bytes.
const std::string kGdComment = "CREATOR: gd-jpeg v1.0 (using IJG JPEG v62), quality = 100\n";

// The 88 bytes of the Exif APP1 segment are its payload too (on disk: FF E1,
// the length field 90, then these bytes). One big-endian IFD of five entries, the GDI+ property
// tags for the values of a PNG's gAMA, sRGB and pHYs chunks.
const Bytes kExifPayload = {
    'E', 'x', 'i', 'f', 0, 0,                            // Exif identifier
    'M', 'M', 0x00, 0x2A, 0x00, 0x00, 0x00, 0x08,        // big-endian TIFF, IFD0 at 8
    0x00, 0x05,                                          // five entries
    0x03, 0x01, 0x00, 0x05, 0, 0, 0, 1, 0, 0, 0, 0x4A,   // Gamma, RATIONAL, at offset 74
    0x03, 0x03, 0x00, 0x01, 0, 0, 0, 1, 0, 0, 0, 0,      // SRGBRendering, BYTE 0
    0x51, 0x10, 0x00, 0x01, 0, 0, 0, 1, 1, 0, 0, 0,      // PixelUnits, BYTE 1 (metre)
    0x51, 0x11, 0x00, 0x04, 0, 0, 0, 1, 0, 0, 0x0E, 0xC3,  // PixelsPerUnitX, LONG 3779
    0x51, 0x12, 0x00, 0x04, 0, 0, 0, 1, 0, 0, 0x0E, 0xC3,  // PixelsPerUnitY, LONG 3779
    0, 0, 0, 0,                                          // no next IFD
    0, 0, 0, 22, 0, 0, 0, 10,                            // 22/10 = 2.2
};

// JPEG standard, Annex K.1, in natural (row by row) order.
constexpr std::array<int, 64> kStdLuminance = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kStdChrominance = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// The natural position of the k-th coefficient in zigzag order, the order DQT stores.
constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The IJG quality rule with force_baseline, as a DQT holds it (zigzag order).
Bytes scaledTable(const std::array<int, 64>& standard, int quality) {
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  Bytes table(64);
  for (int k = 0; k < 64; ++k) {
    const int value = (standard[std::size_t(kZigzag[std::size_t(k)])] * scale + 50) / 100;
    table[std::size_t(k)] = std::uint8_t(std::clamp(value, 1, 255));
  }
  return table;
}

// JPEG standard, Annex K.3: code counts per length 1..16, then the symbols.
struct HuffmanTable {
  Bytes counts;
  Bytes symbols;
};
Bytes range(int n) {
  Bytes out;
  for (int i = 0; i < n; ++i) out.push_back(std::uint8_t(i));
  return out;
}
const HuffmanTable kDcLuminance = {{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, range(12)};
const HuffmanTable kDcChrominance = {{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, range(12)};
const HuffmanTable kAcLuminance = {
    {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},
    {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07,
     0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0,
     0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28,
     0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49,
     0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,
     0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89,
     0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7,
     0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5,
     0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2,
     0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8,
     0xf9, 0xfa}};
const HuffmanTable kAcChrominance = {
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
    {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71,
     0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0,
     0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26,
     0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48,
     0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68,
     0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87,
     0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5,
     0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
     0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda,
     0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8,
     0xf9, 0xfa}};

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Segment {
  int marker;     // the byte after FF
  Bytes payload;  // after the length field
};

struct ParsedFile {
  std::vector<Segment> segments;  // SOI .. SOS, in file order; SOI with an empty payload
  std::size_t eoiOffset = 0;      // where the first marker after the scan data stands
  int markerAfterScan = -1;
};

// Walks the marker segments up to SOS, then the entropy-coded data to the next marker. Any
// structural fault is a test failure; the result is what was read up to it.
ParsedFile parseMarkers(const Bytes& file) {
  ParsedFile parsed;
  if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) {
    ADD_FAILURE() << "no SOI at the start";
    return parsed;
  }
  parsed.segments.push_back({0xD8, {}});
  std::size_t pos = 2;
  while (true) {
    if (pos + 4 > file.size() || file[pos] != 0xFF) {
      ADD_FAILURE() << "no marker at offset " << pos;
      return parsed;
    }
    const int marker = file[pos + 1];
    const std::size_t length = std::size_t(file[pos + 2]) << 8 | file[pos + 3];
    if (length < 2 || pos + 2 + length > file.size()) {
      ADD_FAILURE() << "bad segment length at offset " << pos;
      return parsed;
    }
    parsed.segments.push_back({marker, Bytes(file.begin() + long(pos + 4), file.begin() + long(pos + 2 + length))});
    pos += 2 + length;
    if (marker == 0xDA) break;
  }
  for (; pos + 1 < file.size(); ++pos) {
    if (file[pos] != 0xFF) continue;
    const int next = file[pos + 1];
    if (next == 0x00) continue;  // a stuffed data byte
    parsed.eoiOffset = pos;
    parsed.markerAfterScan = next;
    break;
  }
  return parsed;
}

class PictureFileTest : public ::testing::TestWithParam<PictureRow> {};

TEST_P(PictureFileTest, HasTheGuidesMarkerSequence) {
  const PictureRow& row = GetParam();
  const Bytes file = readFile(std::string(VTGUIDE_PICTURE_DIR) + "/" + row.file);
  ASSERT_GT(file.size(), 1000u);
  const ParsedFile parsed = parseMarkers(file);

  // Before the frame: SOI, the JFIF APP0, then the one further segment if the row has one; the
  // tables and SOF0, then SOS. Nothing else (no DRI, no Adobe, no second APPn).
  std::vector<int> head;
  for (const Segment& s : parsed.segments) {
    if (s.marker != 0xDB && s.marker != 0xC4) head.push_back(s.marker);
  }
  std::vector<int> expectedHead = {0xD8, 0xE0};
  if (row.extra == Extra::Comment) expectedHead.push_back(0xFE);
  if (row.extra == Extra::Exif) expectedHead.push_back(0xE1);
  expectedHead.push_back(0xC0);
  expectedHead.push_back(0xDA);
  EXPECT_EQ(head, expectedHead);
  ASSERT_GE(parsed.segments.size(), 2u);
  EXPECT_EQ(parsed.segments[1].marker, 0xE0) << "APP0 must follow SOI directly";

  // One scan: the first marker after the scan data is EOI, and it is the file's last two bytes.
  EXPECT_EQ(parsed.markerAfterScan, 0xD9);
  EXPECT_EQ(parsed.eoiOffset, file.size() - 2);
  EXPECT_EQ(file[file.size() - 2], 0xFF);
  EXPECT_EQ(file[file.size() - 1], 0xD9);
}

TEST_P(PictureFileTest, HasJfif101WithTheRowsDensity) {
  const PictureRow& row = GetParam();
  const ParsedFile parsed = parseMarkers(readFile(std::string(VTGUIDE_PICTURE_DIR) + "/" + row.file));
  ASSERT_GE(parsed.segments.size(), 2u);
  const Bytes& app0 = parsed.segments[1].payload;
  const bool dpi = row.density == Density::Dpi96;
  // "JFIF\0", version 1.01, units, X density, Y density, thumbnail 0 x 0.
  const Bytes expected = {'J', 'F', 'I', 'F', 0, 1, 1, std::uint8_t(dpi ? 1 : 0),
                          0, std::uint8_t(dpi ? 96 : 1), 0, std::uint8_t(dpi ? 96 : 1), 0, 0};
  EXPECT_EQ(app0, expected);
}

TEST_P(PictureFileTest, CarriesItsCommentOrExifByteForByte) {
  const PictureRow& row = GetParam();
  const ParsedFile parsed = parseMarkers(readFile(std::string(VTGUIDE_PICTURE_DIR) + "/" + row.file));
  int comments = 0, app1s = 0;
  for (const Segment& s : parsed.segments) {
    if (s.marker == 0xFE) {
      ++comments;
      EXPECT_EQ(s.payload.size(), 58u);
      EXPECT_EQ(std::string(s.payload.begin(), s.payload.end()), kGdComment);
    }
    if (s.marker == 0xE1) {
      ++app1s;
      EXPECT_EQ(s.payload.size(), 88u);
      EXPECT_EQ(s.payload, kExifPayload);
    }
  }
  EXPECT_EQ(comments, row.extra == Extra::Comment ? 1 : 0);
  EXPECT_EQ(app1s, row.extra == Extra::Exif ? 1 : 0);
}

TEST(PictureExif, IsOneBigEndianIfdOfFiveTagsWithoutOrientation) {
  // A check of the expected bytes themselves, so that the literal above says what it claims.
  ASSERT_EQ(kExifPayload.size(), 88u);
  auto u16 = [](std::size_t at) { return int(kExifPayload[at]) << 8 | kExifPayload[at + 1]; };
  auto u32 = [&](std::size_t at) { return long(u16(at)) << 16 | u16(at + 2); };
  const std::size_t tiff = 6;
  ASSERT_EQ(u16(tiff), 0x4D4D);
  ASSERT_EQ(u16(tiff + 2), 42);
  const std::size_t ifd = tiff + std::size_t(u32(tiff + 4));
  ASSERT_EQ(u16(ifd), 5);
  std::map<int, std::pair<int, long>> entries;  // tag -> (type, value or offset)
  int previousTag = -1;
  for (int i = 0; i < 5; ++i) {
    const std::size_t e = ifd + 2 + 12 * std::size_t(i);
    const int tag = u16(e), type = u16(e + 2);
    EXPECT_GT(tag, previousTag) << "IFD entries must be in ascending tag order";
    previousTag = tag;
    EXPECT_EQ(u32(e + 4), 1) << "count of tag " << tag;
    const long value = type == 1 ? kExifPayload[e + 8] : u32(e + 8);
    entries[tag] = {type, value};
  }
  EXPECT_EQ(u32(ifd + 2 + 60), 0) << "no second IFD";
  EXPECT_EQ(entries.count(0x0112), 0u) << "no orientation";
  ASSERT_EQ(entries.count(0x0301), 1u);
  EXPECT_EQ(entries[0x0301].first, 5);
  const std::size_t gamma = tiff + std::size_t(entries[0x0301].second);
  ASSERT_EQ(gamma + 8, kExifPayload.size());
  EXPECT_DOUBLE_EQ(double(u32(gamma)) / double(u32(gamma + 4)), 2.2);
  EXPECT_EQ(entries[0x0303], std::make_pair(1, 0L));     // rendering byte 0
  EXPECT_EQ(entries[0x5110], std::make_pair(1, 1L));     // pixel unit 1: metre
  EXPECT_EQ(entries[0x5111], std::make_pair(4, 3779L));  // pixels per metre, x
  EXPECT_EQ(entries[0x5112], std::make_pair(4, 3779L));  // pixels per metre, y
}

TEST_P(PictureFileTest, UsesTheStandardTablesScaledByItsQuality) {
  const PictureRow& row = GetParam();
  const ParsedFile parsed = parseMarkers(readFile(std::string(VTGUIDE_PICTURE_DIR) + "/" + row.file));
  std::map<int, Bytes> quant;                 // table id -> 64 values, zigzag order
  std::map<int, HuffmanTable> huffman;        // class << 4 | id -> table
  for (const Segment& s : parsed.segments) {
    const Bytes& d = s.payload;
    if (s.marker == 0xDB) {
      for (std::size_t at = 0; at < d.size();) {
        ASSERT_EQ(d[at] >> 4, 0) << "8-bit quantisation values";
        ASSERT_LE(at + 65, d.size());
        EXPECT_EQ(quant.count(d[at] & 15), 0u) << "table defined twice";
        quant[d[at] & 15] = Bytes(d.begin() + long(at + 1), d.begin() + long(at + 65));
        at += 65;
      }
    }
    if (s.marker == 0xC4) {
      for (std::size_t at = 0; at < d.size();) {
        ASSERT_LE(at + 17, d.size());
        HuffmanTable table{Bytes(d.begin() + long(at + 1), d.begin() + long(at + 17)), {}};
        std::size_t n = 0;
        for (std::uint8_t c : table.counts) n += c;
        ASSERT_LE(at + 17 + n, d.size());
        table.symbols.assign(d.begin() + long(at + 17), d.begin() + long(at + 17 + n));
        EXPECT_EQ(huffman.count(d[at]), 0u) << "table defined twice";
        huffman[d[at]] = table;
        at += 17 + n;
      }
    }
  }
  ASSERT_EQ(quant.size(), 2u);
  EXPECT_EQ(quant[0], scaledTable(kStdLuminance, row.quality));
  EXPECT_EQ(quant[1], scaledTable(kStdChrominance, row.quality));
  if (row.quality == 100) {
    EXPECT_EQ(quant[0], Bytes(64, 1));  // quality 100: every value 1
    EXPECT_EQ(quant[1], Bytes(64, 1));
  }

  ASSERT_EQ(huffman.size(), 4u);
  EXPECT_EQ(huffman[0x00].counts, kDcLuminance.counts);
  EXPECT_EQ(huffman[0x00].symbols, kDcLuminance.symbols);
  EXPECT_EQ(huffman[0x01].counts, kDcChrominance.counts);
  EXPECT_EQ(huffman[0x01].symbols, kDcChrominance.symbols);
  EXPECT_EQ(huffman[0x10].counts, kAcLuminance.counts);
  EXPECT_EQ(huffman[0x10].symbols, kAcLuminance.symbols);
  EXPECT_EQ(huffman[0x11].counts, kAcChrominance.counts);
  EXPECT_EQ(huffman[0x11].symbols, kAcChrominance.symbols);
  EXPECT_EQ(kDcLuminance.symbols.size(), 12u);
  EXPECT_EQ(kAcLuminance.symbols.size(), 162u);
  EXPECT_EQ(kAcChrominance.symbols.size(), 162u);
}

TEST_P(PictureFileTest, IsBaseline420OfItsSize) {
  const PictureRow& row = GetParam();
  const ParsedFile parsed = parseMarkers(readFile(std::string(VTGUIDE_PICTURE_DIR) + "/" + row.file));
  const Segment* sof = nullptr;
  const Segment* sos = nullptr;
  for (const Segment& s : parsed.segments) {
    if (s.marker == 0xC0) sof = &s;
    if (s.marker == 0xDA) sos = &s;
  }
  ASSERT_NE(sof, nullptr);
  ASSERT_NE(sos, nullptr);
  const auto w = std::uint8_t(row.width >> 8), wl = std::uint8_t(row.width & 255);
  const auto h = std::uint8_t(row.height >> 8), hl = std::uint8_t(row.height & 255);
  // 8-bit, height, width, three components: Y 2x2 with table 0, Cb and Cr 1x1 with table 1.
  const Bytes expectedSof = {8, h, hl, w, wl, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
  EXPECT_EQ(sof->payload, expectedSof);
  // All three components in the one scan, Y with DC/AC tables 0, Cb and Cr with 1; the full
  // spectral range with no successive approximation.
  const Bytes expectedSos = {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0};
  EXPECT_EQ(sos->payload, expectedSos);
}

struct SilentError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void jumpOnError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<SilentError*>(cinfo->err)->jump, 1); }
void ignoreMessage(j_common_ptr) {}

struct DecodeResult {
  bool ok = false;
  unsigned width = 0, height = 0, components = 0, linesRead = 0;
  long warnings = 0;
};

// Plain C-style so that nothing with a destructor lives across the longjmp.
void decodeWithLibjpeg(const Bytes& file, DecodeResult& result) {
  jpeg_decompress_struct cinfo;
  SilentError error;
  static JSAMPLE row[4096 * 3];
  cinfo.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jumpOnError;
  error.manager.output_message = ignoreMessage;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&cinfo);
    result.ok = false;
    return;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  result.width = cinfo.output_width;
  result.height = cinfo.output_height;
  result.components = unsigned(cinfo.output_components);
  while (cinfo.output_scanline < cinfo.output_height && cinfo.output_width <= 4096) {
    JSAMPROW rows[1] = {row};
    result.linesRead += jpeg_read_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_decompress(&cinfo);
  result.warnings = error.manager.num_warnings;
  jpeg_destroy_decompress(&cinfo);
  result.ok = true;
}

TEST_P(PictureFileTest, DecodesWithLibjpegToItsSize) {
  const PictureRow& row = GetParam();
  DecodeResult result;
  decodeWithLibjpeg(readFile(std::string(VTGUIDE_PICTURE_DIR) + "/" + row.file), result);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.width, unsigned(row.width));
  EXPECT_EQ(result.height, unsigned(row.height));
  EXPECT_EQ(result.components, 3u);
  EXPECT_EQ(result.linesRead, unsigned(row.height));
  EXPECT_EQ(result.warnings, 0);
}

INSTANTIATE_TEST_SUITE_P(GuidePictures, PictureFileTest, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<PictureRow>& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
