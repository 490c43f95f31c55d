// The benchmark program's entry: every benchmark in bench/ runs in one process on Qt's
// offscreen platform, with the one application object that widgets need.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/FontConfiguration.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  vtg::platform::useOwnFontConfiguration();  // as the program does
  QApplication app(qtArgc, qtArgv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
