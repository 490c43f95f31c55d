// decodePicture on each of the seven pictures, side by side with a bare libjpeg loop on the
// same bytes (memory source, default parameters but for the program's 32-bit output, one
// scan line at a time into a buffer).
// The decoder should cost no more than about 5% over the bare loop.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <jpeglib.h>
#include <QtGlobal>

#include <memory>
#include <string>

#include "content/EmbeddedFiles.h"
#include "controls/picture/Picture.h"

namespace {

using vtg::content::FileBytes;

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kScreenColourSpace = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kScreenColourSpace = JCS_EXT_ARGB;
#endif

struct NamedPicture {
  const char* name;
  FileBytes (*bytes)();
};

const NamedPicture kPictures[] = {
    {"MainPicture", vtg::content::MainPicture},
    {"BiostarMainPicture", vtg::content::BiostarMainPicture},
    {"BiostarAdvancedPicture", vtg::content::BiostarAdvancedPicture},
    {"MsiMenuPicture", vtg::content::MsiMenuPicture},
    {"MsiCpuFeaturePicture", vtg::content::MsiCpuFeaturePicture},
    {"GigabyteCpuPicture", vtg::content::GigabyteCpuPicture},
    {"AsusCpuPicture", vtg::content::AsusCpuPicture},
};

void decodeThroughDecodePicture(benchmark::State& state, FileBytes file) {
  for (auto _ : state) {
    auto picture = vtg::controls::decodePicture(file);
    if (!picture) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(picture.get());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void decodeThroughBareLibjpeg(benchmark::State& state, FileBytes file) {
  for (auto _ : state) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    // The same 32-bit output the program keeps and draws from.
    cinfo.out_color_space = kScreenColourSpace;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(cinfo.output_width) * cinfo.output_components;
    std::unique_ptr<JSAMPLE[]> pixels(new JSAMPLE[stride * cinfo.output_height]);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = pixels.get() + stride * cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels.get());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

// Registered in pairs so each picture's two figures stand next to each other.
const bool kRegistered = [] {
  for (const NamedPicture& picture : kPictures) {
    benchmark::RegisterBenchmark((std::string("decodePicture/") + picture.name).c_str(),
                                 decodeThroughDecodePicture, picture.bytes())
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("bareLibjpeg/") + picture.name).c_str(),
                                 decodeThroughBareLibjpeg, picture.bytes())
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
