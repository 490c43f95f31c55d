#pragma once
// The little-endian stream that every unit kind's property block is stored in.
//
// Numbers are 32 bits. A blob is a signed 32-bit byte count followed by that many bytes;
// a count of 0 or less means empty and no bytes follow. A text is a blob of GBK bytes
// without terminator, cut at its first NUL. Any read past the end fails, and a reader
// that failed once keeps failing, so a kind can read all its fields and check once.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vtg {

using Bytes = std::vector<std::uint8_t>;

class PropertyReader {
 public:
  explicit PropertyReader(std::span<const std::uint8_t> data) : data_(data) {}

  bool u32(std::uint32_t& out);
  bool i32(std::int32_t& out);
  bool blob(Bytes& out);
  bool text(std::string& out);

  bool ok() const { return ok_; }
  std::size_t remaining() const { return data_.size() - pos_; }

 private:
  bool take(std::size_t n, const std::uint8_t*& at);

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

class PropertyWriter {
 public:
  PropertyWriter& u32(std::uint32_t v);
  PropertyWriter& i32(std::int32_t v);
  PropertyWriter& blob(std::span<const std::uint8_t> bytes);
  PropertyWriter& text(std::string_view gbk);

  const Bytes& bytes() const& { return out_; }
  Bytes bytes() && { return std::move(out_); }

 private:
  Bytes out_;
};

}  // namespace vtg
