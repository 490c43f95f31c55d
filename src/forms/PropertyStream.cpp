#include "forms/PropertyStream.h"

#include <cstring>

namespace vtg {

bool PropertyReader::take(std::size_t n, const std::uint8_t*& at) {
  if (!ok_ || n > remaining()) {
    ok_ = false;
    return false;
  }
  at = data_.data() + pos_;
  pos_ += n;
  return true;
}

bool PropertyReader::u32(std::uint32_t& out) {
  const std::uint8_t* p = nullptr;
  if (!take(4, p)) return false;
  out = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
        std::uint32_t(p[3]) << 24;
  return true;
}

bool PropertyReader::i32(std::int32_t& out) {
  std::uint32_t v = 0;
  if (!u32(v)) return false;
  out = static_cast<std::int32_t>(v);
  return true;
}

bool PropertyReader::blob(Bytes& out) {
  std::int32_t count = 0;
  if (!i32(count)) return false;
  out.clear();
  if (count <= 0) return true;
  const std::uint8_t* p = nullptr;
  // The count is checked against what is left before anything is allocated.
  if (!take(static_cast<std::size_t>(count), p)) return false;
  out.assign(p, p + count);
  return true;
}

bool PropertyReader::text(std::string& out) {
  std::int32_t count = 0;
  if (!i32(count)) return false;
  out.clear();
  if (count <= 0) return true;
  const std::uint8_t* p = nullptr;
  if (!take(static_cast<std::size_t>(count), p)) return false;
  const void* nul = std::memchr(p, 0, static_cast<std::size_t>(count));
  const std::size_t len =
      nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - p)
          : static_cast<std::size_t>(count);
  out.assign(reinterpret_cast<const char*>(p), len);
  return true;
}

PropertyWriter& PropertyWriter::u32(std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out_.push_back(std::uint8_t(v >> shift));
  return *this;
}

PropertyWriter& PropertyWriter::i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }

PropertyWriter& PropertyWriter::blob(std::span<const std::uint8_t> bytes) {
  i32(static_cast<std::int32_t>(bytes.size()));
  out_.insert(out_.end(), bytes.begin(), bytes.end());
  return *this;
}

PropertyWriter& PropertyWriter::text(std::string_view gbk) {
  return blob({reinterpret_cast<const std::uint8_t*>(gbk.data()), gbk.size()});
}

}  // namespace vtg
