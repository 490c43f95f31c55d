#include "platform/Gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace vtg::platform {
namespace {

// One conversion through glibc's iconv. A byte sequence that the source charset does
// not have is replaced by `replacement` (empty when encoding: the character is dropped).
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  std::vector<char> buf(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buf.data();
    std::size_t dstLeft = buf.size();
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf.data(), static_cast<std::size_t>(dst - buf.data()));
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ (invalid sequence) or EINVAL (cut short at the end): step over one byte.
    out.append(replacement);
    ++src;
    --srcLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

}  // namespace

QString unicodeFromGbk(std::string_view gbk) {
  // Plain ASCII needs no conversion; most labels and every button caption has some, and
  // skipping iconv for pure ASCII keeps layout measurement cheap.
  bool ascii = true;
  for (char c : gbk) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
  const std::string utf8 = convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD");
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string gbkFromUtf8(std::string_view utf8) { return convert("GBK", "UTF-8", utf8, ""); }

}  // namespace vtg::platform
