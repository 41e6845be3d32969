// Repainting a large drawing into the off-screen picture, and one drag step
// of a point that everything else is built on. Target: a frame (16 ms) each.
// Exporting the whole of it as a vector picture: well under a second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "controls/zm_paint_box.h"
#include "mainwindow/main_form.h"
#include "platform/qt_settings_store.h"
#include "render/picture_export.h"

namespace {

using namespace zelmora;

constexpr int kDescendants = 10000;
constexpr int kBasePoints = 200;
constexpr QSize kWindow(1280, 800);

// A free point P at the centre and, built on it through a chain, 10 000
// objects: labelled points, full lines, segments and circles in turn, each
// reaching towards one of 200 free points spread over the surface.
TGPoint& BuildDrawing(ObjectList& list, int width, int height) {
  TGPoint& root = list.AddPoint();
  root.X = width / 2.0;
  root.Y = height / 2.0;
  list.Complete(root, {}, 0);
  std::vector<TGPoint*> bases;
  for (int i = 0; i < kBasePoints; ++i) {
    TGPoint& b = list.AddPoint();
    b.X = 20 + (i * 97) % (width - 40);
    b.Y = 20 + (i * 61) % (height - 40);
    list.Complete(b, {}, 0);
    bases.push_back(&b);
  }
  TGPoint* last = &root;
  for (int k = 0; k < kDescendants; ++k) {
    TGPoint* base = bases[static_cast<std::size_t>(k % kBasePoints)];
    switch (k % 4) {
      case 0: {
        TGPoint& m = list.AddPoint();
        list.Complete(m, {last, base}, 9);
        last = &m;
        break;
      }
      case 1:
        list.Complete(list.AddLine(), {last, base}, 101);
        break;
      case 2:
        list.Complete(list.AddLine(), {last, base}, 105);
        break;
      default:
        list.Complete(list.AddCircle(), {last, base}, 201);
        break;
    }
  }
  return root;
}

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
