// Repainting a large drawing into the off-screen picture, and one drag step
// of a point that everything else is built on, as the window takes it: the
// mouse move, the update of the drawing and the repaint. Target: a frame
// (16 ms) each, well below on a drawing of a lesson's kinds of objects.
// Exporting the whole of it as a vector picture: well under a second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "controls/zm_paint_box.h"
#include "drawing_10k.h"
#include "mainwindow/main_form.h"
#include "platform/qt_settings_store.h"
#include "render/picture_export.h"

namespace {

using namespace zelmora;

constexpr QSize kWindow(1280, 800);
using Builder = TGPoint& (*)(ObjectList& list, int width, int height);

struct Window {
  explicit Window(Builder build) {
    // A settings file of its own: the user's settings stay untouched, and
    // the about box of a first run does not stop the measurement.
    store = std::make_unique<QtSettingsStore>(
        settingsFolder.filePath(QStringLiteral("settings.ini")).toStdString());
    store->WriteBool("FirstRun", true);
    MainFormOptions options;
    options.programFolder = QStringLiteral(ZELMORA_BIN_DIR);
    options.store = store.get();
    form = TMainForm::Create(options);
    if (!form) return;
    form->resize(kWindow);
    form->show();
    QApplication::processEvents();
    root = &build(form->editor().Objects(), form->PlaneBox()->width(), form->PlaneBox()->height());
  }
  QTemporaryDir settingsFolder;
  std::unique_ptr<QtSettingsStore> store;
  std::unique_ptr<TMainForm> form;
  TGPoint* root = nullptr;
};

// Each drawing's window, opened by its first benchmark and closed in main()
// while the application still exists: a window left to static destruction
// outlives it.
std::unique_ptr<Window> openWindows[3];

Window& OpenWindow(std::size_t slot, Builder build) {
  if (!openWindows[slot]) openWindows[slot] = std::make_unique<Window>(build);
  return *openWindows[slot];
}

Window& TheWindow() {
  return OpenWindow(0, bench::BuildDrawing);
}

Window& MixedWindow() {
  return OpenWindow(1, bench::BuildMixedDrawing);
}

Window& LatticeWindow() {
  return OpenWindow(2, bench::BuildLatticeDrawing);
}

void BM_Repaint10k(benchmark::State& state) {
  Window& w = TheWindow();
  if (!w.form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
  for (auto _ : state) {
    w.form->editor().Repaint();
    benchmark::DoNotOptimize(w.form->Picture().constBits());
  }
}
BENCHMARK(BM_Repaint10k)->Unit(benchmark::kMillisecond);

// Mouse moves with the left button held on P, which everything is built on.
void DragRoot(benchmark::State& state, Window& w) {
  if (!w.form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
  Editor& editor = w.form->editor();
  const int x = static_cast<int>(w.root->X), y = static_cast<int>(w.root->Y);
  editor.MouseDown(MouseButton::Left, {}, x, y);
  const Modifiers held{.left = true};
  int step = 0;
  for (auto _ : state) {
    ++step;
    editor.MouseMove(held, x + step % 40, y + step % 25);
    benchmark::DoNotOptimize(w.form->Picture().constBits());
  }
  const bool dragged =
      static_cast<int>(w.root->X) == x + step % 40 && static_cast<int>(w.root->Y) == y + step % 25;
  editor.MouseUp(MouseButton::Left, {}, x, y);
  if (!dragged) state.SkipWithError("the press did not take hold of P");
}

void BM_DragRepaint10k(benchmark::State& state) {
  DragRoot(state, TheWindow());
}
BENCHMARK(BM_DragRepaint10k)->Unit(benchmark::kMillisecond);

void BM_DragStepMixed10k(benchmark::State& state) {
  DragRoot(state, MixedWindow());
}
BENCHMARK(BM_DragStepMixed10k)->Unit(benchmark::kMillisecond);

void BM_DragStepLattice10k(benchmark::State& state) {
  DragRoot(state, LatticeWindow());
}
BENCHMARK(BM_DragStepLattice10k)->Unit(benchmark::kMillisecond);

// The whole surface of the same drawing as a vector picture, file written.
void ExportWhole(benchmark::State& state, const char* name) {
  Window& w = TheWindow();
  if (!w.form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
  const QString path = w.settingsFolder.filePath(QString::fromLatin1(name));
  const QRect whole(QPoint(0, 0), w.form->PlaneBox()->size());
  for (auto _ : state) {
    const QString error = WritePicture(path, *PictureFormatOf(path), whole, {}, w.form->Source());
    if (!error.isEmpty()) return state.SkipWithError(error.toStdString().c_str());
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_ExportSvg10k(benchmark::State& state) {
  ExportWhole(state, "export.svg");
}
BENCHMARK(BM_ExportSvg10k)->Unit(benchmark::kMillisecond);

void BM_ExportPdf10k(benchmark::State& state) {
  ExportWhole(state, "export.pdf");
}
BENCHMARK(BM_ExportPdf10k)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  for (std::unique_ptr<Window>& window : openWindows) window.reset();
  benchmark::Shutdown();
  return 0;
}
