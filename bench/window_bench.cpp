// What the guide's windows cost in process: building the store of definitions, loading
// each window up to its first complete paint, repainting an open window, and laying out
// the longest text. Each is run beside a floor from the toolkit alone (a bare window of
// the same size, the toolkit's own word-wrapped text layout), so the figures can be read
// as ratios from one run on whatever machine.
//
// Counters show what a repaint must not redo: JPEG scanlines decoded and label text
// layouts made, per iteration. A load decodes every picture once; a repaint decodes and
// lays out nothing.

#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <jpeglib.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "content/BiosIntroText.h"
#include "content/Forms.h"
#include "controls/Label.h"
#include "controls/LabelProperties.h"
#include "controls/TopWindow.h"
#include "forms/FormModel.h"
#include "platform/Fonts.h"
#include "platform/Gbk.h"
#include "platform/TextDraw.h"
#include "shell/Program.h"
#include "shell/WindowLoader.h"

// Every call the program makes to read a JPEG scanline comes through here first (the
// program's code is linked into this executable, so this definition wins over the
// shared library's), is counted, and goes on to the library.
namespace {
std::atomic<long> g_scanlinesRead{0};
}

extern "C" JDIMENSION jpeg_read_scanlines(j_decompress_ptr cinfo, JSAMPARRAY scanlines,
                                          JDIMENSION maxLines) {
  using ReadScanlines = JDIMENSION (*)(j_decompress_ptr, JSAMPARRAY, JDIMENSION);
  static const auto real = reinterpret_cast<ReadScanlines>(dlsym(RTLD_NEXT, "jpeg_read_scanlines"));
  const JDIMENSION read = real(cinfo, scanlines, maxLines);
  g_scanlinesRead += static_cast<long>(read);
  return read;
}

namespace vtg {
namespace {

namespace W = content::WindowIds;

struct GuideWindow {
  WindowId id;
  const char* name;
};
constexpr GuideWindow kWindows[] = {
    {W::MainWindow, "MainWindow"},       {W::BiostarGuide, "BiostarGuide"},
    {W::MsiGuide, "MsiGuide"},           {W::GigabyteGuide, "GigabyteGuide"},
    {W::BiosIntro, "BiosIntro"},         {W::AsusGuide, "AsusGuide"},
};

// The size of the main window, for the bare-window floor.
constexpr int kMainWidth = 651;
constexpr int kMainHeight = 693;

FormStore buildStore() {
  auto store = FormStore::build(content::storedForms(), shell::vtguideProgram().resolveHandler);
  if (!store) std::abort();
  return std::move(*store);
}

// A loader over the real definitions. Handlers are never triggered here: nothing clicks.
struct LoaderFixture {
  FormStore store = buildStore();
  shell::WindowLoader loader{store, {}};

  ~LoaderFixture() {
    loader.closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

// Paints a window and all its controls into an image of its size, as one complete paint.
void paintInto(QWidget& window, QImage& image) {
  if (image.size() != window.size())
    image = QImage(window.size(), QImage::Format_ARGB32_Premultiplied);
  window.render(&image);
  benchmark::DoNotOptimize(image.constBits());
}

// Gives control to the toolkit once, as the event loop would after a window closes, so
// that posted events and deferred deletions do not pile up across iterations.
void settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The timed steps are functions of their own so that an instruction-level profile can
// be limited to them (valgrind --tool=callgrind --toggle-collect='*repaintOnce*').
[[gnu::noinline]] void repaintOnce(QWidget& window, QImage& image) { paintInto(window, image); }

[[gnu::noinline]] controls::TopWindow* loadAndPaintOnce(shell::WindowLoader& loader, WindowId id,
                                                        QImage& image) {
  if (!loader.LoadWindow(id)) return nullptr;
  controls::TopWindow* window = loader.openWindow(id);
  paintInto(*window, image);
  return window;
}

int layoutsMadeIn(const QWidget& window) {
  int made = 0;
  for (const auto* label : window.findChildren<const controls::Label*>()) made += label->layoutsMade();
  return made;
}

void setPerIterationCounters(benchmark::State& state, long scanlines, long layouts) {
  const auto n = static_cast<double>(state.iterations());
  state.counters["scanlines/iter"] = static_cast<double>(scanlines) / n;
  state.counters["layouts/iter"] = static_cast<double>(layouts) / n;
}

// ---- The store ---------------------------------------------------------------------------

// Floor: only producing the stored definitions, which the store build starts from.
void BM_StoredForms(benchmark::State& state) {
  for (auto _ : state) {
    auto forms = content::storedForms();
    benchmark::DoNotOptimize(forms.data());
  }
}
BENCHMARK(BM_StoredForms)->Unit(benchmark::kMicrosecond);

void BM_BuildFormStore(benchmark::State& state) {
  const auto resolve = shell::vtguideProgram().resolveHandler;
  for (auto _ : state) {
    auto store = FormStore::build(content::storedForms(), resolve);
    benchmark::DoNotOptimize(&store);
  }
}
BENCHMARK(BM_BuildFormStore)->Unit(benchmark::kMicrosecond);

// ---- Loading and painting windows ---------------------------------------------------------

// Floor: a bare top-level window of the main window's size, made, shown, painted once
// and destroyed the same way the loaded windows are below.
void BM_BareWindowFirstPaint(benchmark::State& state) {
  QImage image;
  for (auto _ : state) {
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setFixedSize(kMainWidth, kMainHeight);
    window->show();
    paintInto(*window, image);
    window->hide();
    window->deleteLater();
    settle();
  }
}
BENCHMARK(BM_BareWindowFirstPaint)->Unit(benchmark::kMillisecond);

// Builds the window from its definition, shows it, paints it completely once, then
// closes it and lets the toolkit delete it.
void BM_LoadWindowFirstPaint(benchmark::State& state) {
  const GuideWindow& which = kWindows[state.range(0)];
  state.SetLabel(which.name);
  LoaderFixture fixture;
  QImage image;
  long layouts = 0;
  const long scanlinesBefore = g_scanlinesRead;
  for (auto _ : state) {
    controls::TopWindow* window = loadAndPaintOnce(fixture.loader, which.id, image);
    if (!window) {
      state.SkipWithError("the window did not load");
      break;
    }
    layouts += layoutsMadeIn(*window);
    window->requestClose();
    settle();
  }
  setPerIterationCounters(state, g_scanlinesRead - scanlinesBefore, layouts);
}
BENCHMARK(BM_LoadWindowFirstPaint)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Floor for a repaint: the bare window painted again.
void BM_BareWindowRepaint(benchmark::State& state) {
  QWidget window(nullptr, Qt::Window);
  window.setFixedSize(kMainWidth, kMainHeight);
  window.show();
  QImage image;
  paintInto(window, image);
  for (auto _ : state) paintInto(window, image);
  window.hide();
  settle();
}
BENCHMARK(BM_BareWindowRepaint)->Unit(benchmark::kMicrosecond);

// An open window painted again, completely: the pictures are already decoded and the
// texts already laid out, so this is drawing only.
void BM_RepaintWindow(benchmark::State& state) {
  const GuideWindow& which = kWindows[state.range(0)];
  state.SetLabel(which.name);
  LoaderFixture fixture;
  if (!fixture.loader.LoadWindow(which.id)) {
    state.SkipWithError("the window did not load");
    return;
  }
  controls::TopWindow* window = fixture.loader.openWindow(which.id);
  QImage image;
  paintInto(*window, image);
  settle();
  const long scanlinesBefore = g_scanlinesRead;
  const int layoutsBefore = layoutsMadeIn(*window);
  for (auto _ : state) repaintOnce(*window, image);
  setPerIterationCounters(state, g_scanlinesRead - scanlinesBefore, layoutsMadeIn(*window) - layoutsBefore);
}
BENCHMARK(BM_RepaintWindow)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// ---- Text layout --------------------------------------------------------------------------

// The font and rectangle of the long text of the BIOS introduction, as its label has them.
struct BiosIntroSetting {
  QFont font;
  QRect rect;
};

BiosIntroSetting biosIntroSetting() {
  for (const auto& form : content::storedForms()) {
    if (form.windowId != W::BiosIntro) continue;
    const UnitDefinition& unit = form.units.at(1);
    const auto props = controls::readLabelProperties(unit.ownData);
    const auto font = props ? platform::fontFromSpec(props->font) : std::nullopt;
    if (!font) break;
    return {*font, QRect(0, 0, unit.width, unit.height)};
  }
  std::abort();
}

void BM_LayoutBiosIntroText(benchmark::State& state) {
  const BiosIntroSetting setting = biosIntroSetting();
  const std::string_view text = content::BiosIntroText();
  for (auto _ : state) {
    const QRect r = platform::measureTextA(setting.font, text, setting.rect, platform::TextFlag::wordBreak);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_LayoutBiosIntroText)->Unit(benchmark::kMicrosecond);

// Floor: the toolkit's own word-wrapped layout of the same text, already in Unicode, in
// the same font and rectangle.
void BM_ToolkitLayoutBiosIntroText(benchmark::State& state) {
  const BiosIntroSetting setting = biosIntroSetting();
  const QString text = platform::unicodeFromGbk(content::BiosIntroText());
  for (auto _ : state) {
    const QFontMetrics metrics(setting.font);
    const QRect r = metrics.boundingRect(setting.rect, Qt::TextWordWrap, text);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_ToolkitLayoutBiosIntroText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vtg
