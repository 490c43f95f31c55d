// picgen <outdir>: draws the seven pictures and writes them in the form the program carries them.
// The output is the same, byte for byte, on every run with the same fonts and libraries.

#include "Canvas.h"
#include "JpegFileWriter.h"
#include "Pictures.h"

#include <QGuiApplication>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct PictureJob {
  const char* fileName;
  QImage (*draw)();
  int width;
  int height;
  picgen::JpegForm form;
};

using picgen::ExtraSegment;
using picgen::JfifDensity;

const PictureJob kJobs[] = {
    {"MainPicture.jpg", picgen::drawMainPicture, 709, 366, {94, JfifDensity::Dpi96, ExtraSegment::None}},
    {"BiostarMainPicture.jpg", picgen::drawBiostarMainPicture, 580, 326,
     {100, JfifDensity::AspectOneToOne, ExtraSegment::GdComment}},
    {"BiostarAdvancedPicture.jpg", picgen::drawBiostarAdvancedPicture, 580, 326,
     {100, JfifDensity::AspectOneToOne, ExtraSegment::GdComment}},
    {"MsiMenuPicture.jpg", picgen::drawMsiMenuPicture, 580, 460,
     {100, JfifDensity::AspectOneToOne, ExtraSegment::GdComment}},
    {"MsiCpuFeaturePicture.jpg", picgen::drawMsiCpuFeaturePicture, 580, 486,
     {100, JfifDensity::AspectOneToOne, ExtraSegment::GdComment}},
    {"GigabyteCpuPicture.jpg", picgen::drawGigabyteCpuPicture, 600, 528,
     {80, JfifDensity::AspectOneToOne, ExtraSegment::None}},
    {"AsusCpuPicture.jpg", picgen::drawAsusCpuPicture, 992, 709,
     {94, JfifDensity::Dpi96, ExtraSegment::GdiPlusExif}},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picgen <outdir>\n");
    return 2;
  }
  // Drawing needs no display; the offscreen platform still gives text rendering.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (!picgen::loadFonts()) return 1;

  const std::string outDir = argv[1];
  for (const PictureJob& job : kJobs) {
    const QImage image = job.draw();
    if (image.width() != job.width || image.height() != job.height) {
      std::fprintf(stderr, "picgen: %s drawn as %dx%d\n", job.fileName, image.width(), image.height());
      return 1;
    }
    const auto bytes = picgen::encodeJpeg(image, job.form);
    const std::string path = outDir + "/" + job.fileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "picgen: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s %zu bytes\n", job.fileName, bytes.size());
  }
  return 0;
}
