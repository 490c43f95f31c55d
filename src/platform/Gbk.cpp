#include "platform/Gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace vtg::platform {
namespace {

// A conversion descriptor for one direction, opened on first use and kept for the thread's
// life: opening one looks the character sets up afresh each time, which cost more than
// converting a short text.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// One conversion through glibc's iconv. A byte sequence that the source charset does
// not have is replaced by `replacement` (empty when encoding: the character is dropped).
std::string convert(const Converter& converter, std::string_view in, std::string_view replacement) {
  if (!converter.ok()) return {};
  iconv_t cd = converter.get();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh start, whatever came before
  std::string out;
  // Short texts (words, lines) convert through a buffer on the stack.
  char small[512];
  std::vector<char> large;
  const std::size_t needed = in.size() * 4 + 16;
  if (needed > sizeof small) large.resize(needed);
  char* const buf = large.empty() ? small : large.data();
  const std::size_t bufSize = large.empty() ? sizeof small : large.size();
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = bufSize;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ (invalid sequence) or EINVAL (cut short at the end): step over one byte.
    out.append(replacement);
    ++src;
    --srcLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace

QString unicodeFromGbk(std::string_view gbk) {
  // Plain ASCII needs no conversion; most labels and every button caption has some, and
  // skipping iconv for pure ASCII keeps layout measurement cheap.
  bool ascii = true;
  for (char c : gbk) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
  thread_local const Converter toUtf8("UTF-8", "GBK");
  const std::string utf8 = convert(toUtf8, gbk, "\xEF\xBF\xBD");
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string gbkFromUtf8(std::string_view utf8) {
  thread_local const Converter toGbk("GBK", "UTF-8");
  return convert(toGbk, utf8, "");
}

}  // namespace vtg::platform
