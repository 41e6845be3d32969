// Repainting a large drawing into the off-screen picture, and one drag step
// of a point that everything else is built on. Target: a frame (16 ms) each.
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
using bench::BuildDrawing;

struct Window {
  Window() {
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
    root = &BuildDrawing(form->editor().Objects(), form->PlaneBox()->width(),
                         form->PlaneBox()->height());
  }
  QTemporaryDir settingsFolder;
  std::unique_ptr<QtSettingsStore> store;
  std::unique_ptr<TMainForm> form;
  TGPoint* root = nullptr;
};

Window& TheWindow() {
  static Window window;
  return window;
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

void BM_DragRepaint10k(benchmark::State& state) {
  Window& w = TheWindow();
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
  editor.MouseUp(MouseButton::Left, {}, x, y);
}
BENCHMARK(BM_DragRepaint10k)->Unit(benchmark::kMillisecond);

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
  TheWindow().form.reset();
  benchmark::Shutdown();
  return 0;
}
