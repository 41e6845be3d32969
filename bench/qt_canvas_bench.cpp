// Repainting a large drawing into the off-screen picture, and one drag step
// of a point that everything else is built on, as the window takes it: the
// mouse move, the update of the drawing and the repaint. Target: a frame
// (16 ms) each, well below on a drawing of a lesson's kinds of objects.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QSlider>
#include <QTemporaryDir>
#include <memory>

#include "controls/zm_paint_box.h"
#include "dialogs/protocol_form.h"
#include "drawing_10k.h"
#include "mainwindow/main_form.h"
#include "platform/qt_settings_store.h"

namespace {

using namespace zelmora;

constexpr QSize kWindow(1280, 800);
using Builder = TGPoint& (*)(ObjectList& list, int width, int height);

struct Window {
  explicit Window(Builder build, bool smooth = false) {
    // A settings file of its own: the user's settings stay untouched, and
    // the about box of a first run does not stop the measurement.
    store = std::make_unique<QtSettingsStore>(
        settingsFolder.filePath(QStringLiteral("settings.ini")).toStdString());
    store->WriteBool("FirstRun", true);
    store->WriteBool("Smoothing", smooth);
    MainFormOptions options;
    options.programFolder = QStringLiteral(ZELMORA_BIN_DIR);
    options.store = store.get();
    form = TMainForm::Create(options);
    if (!form) return;
    form->resize(kWindow);
    form->show();
    QApplication::processEvents();
    root = &build(form->editor().Objects(), form->PlaneBox()->width(), form->PlaneBox()->height());
    // As if the drawing had just been opened.
    form->editor().ResetHistory();
  }
  QTemporaryDir settingsFolder;
  std::unique_ptr<QtSettingsStore> store;
  std::unique_ptr<TMainForm> form;
  TGPoint* root = nullptr;
};

// The CPU time of the whole process, every thread, in milliseconds: the
// benchmark's own CPU column counts only the thread that runs it, and the
// canvas paints on a second one.
double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Adds up the process CPU time of the measured parts of a benchmark.
class ProcessCpu {
 public:
  void Start() { started_ = ProcessCpuMs(); }
  void Stop() { spent_ += ProcessCpuMs() - started_; }
  void Report(benchmark::State& state) const {
    if (state.iterations() > 0) {
      state.counters["process_cpu_ms"] = spent_ / static_cast<double>(state.iterations());
    }
  }

 private:
  double started_ = 0, spent_ = 0;
};

// Each drawing's window, opened by its first benchmark and closed in main()
// while the application still exists: a window left to static destruction
// outlives it.
std::unique_ptr<Window> openWindows[6];

Window& OpenWindow(std::size_t slot, Builder build, bool smooth = false) {
  if (!openWindows[slot]) openWindows[slot] = std::make_unique<Window>(build, smooth);
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

// The mixed drawing with "Сглаживание" on.
Window& SmoothMixedWindow() {
  return OpenWindow(3, bench::BuildMixedDrawing, true);
}

Window& SmallMixedWindow() {
  return OpenWindow(4, [](ObjectList& list, int width, int height) -> TGPoint& {
    return bench::BuildMixedDrawingOf(list, width, height, 1000);
  });
}

Window& SmallSmoothMixedWindow() {
  return OpenWindow(
      5,
      [](ObjectList& list, int width, int height) -> TGPoint& {
        return bench::BuildMixedDrawingOf(list, width, height, 1000);
      },
      true);
}

// The whole picture painted again: a repaint that may start from the last
// one's picture would find nothing changed and paint nothing.
void RepaintWhole(benchmark::State& state, Window& w) {
  if (!w.form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
  w.form->ImageCanvas().SetReuse(false);
  ProcessCpu cpu;
  cpu.Start();
  for (auto _ : state) {
    w.form->editor().Repaint();
    benchmark::DoNotOptimize(w.form->Picture().constBits());
  }
  cpu.Stop();
  cpu.Report(state);
  w.form->ImageCanvas().SetReuse(true);
}

// The chain of midpoints settles into a cycle, so most of this drawing's
// lines and circles coincide with earlier ones.
void BM_Repaint10k(benchmark::State& state) {
  RepaintWhole(state, TheWindow());
}
BENCHMARK(BM_Repaint10k)->Unit(benchmark::kMillisecond);

// Figures that do not coincide.
void BM_RepaintMixed10k(benchmark::State& state) {
  RepaintWhole(state, MixedWindow());
}
BENCHMARK(BM_RepaintMixed10k)->Unit(benchmark::kMillisecond);

// The first repaint of 10 000 named points in a window just opened: every
// name is drawn for the first time. A window of its own each time, so that
// nothing is left from the last.
void BM_FirstPaint10k(benchmark::State& state) {
  ProcessCpu cpu;
  for (auto _ : state) {
    state.PauseTiming();
    auto w = std::make_unique<Window>(bench::BuildNamedPoints);
    if (!w->form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
    state.ResumeTiming();
    cpu.Start();
    w->form->editor().Repaint();
    benchmark::DoNotOptimize(w->form->Picture().constBits());
    cpu.Stop();
    state.PauseTiming();
    w.reset();
    state.ResumeTiming();
  }
  cpu.Report(state);
}
BENCHMARK(BM_FirstPaint10k)->Unit(benchmark::kMillisecond);

// Mouse moves with the left button held on P, which everything is built on.
void DragRoot(benchmark::State& state, Window& w) {
  if (!w.form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
  Editor& editor = w.form->editor();
  const int x = static_cast<int>(w.root->X), y = static_cast<int>(w.root->Y);
  editor.MouseDown(MouseButton::Left, {}, x, y);
  const Modifiers held{.left = true};
  int step = 0;
  ProcessCpu cpu;
  cpu.Start();
  for (auto _ : state) {
    ++step;
    editor.MouseMove(held, x + step % 40, y + step % 25);
    benchmark::DoNotOptimize(w.form->Picture().constBits());
  }
  cpu.Stop();
  cpu.Report(state);
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

void BM_DragStepMixed10kSmooth(benchmark::State& state) {
  DragRoot(state, SmoothMixedWindow());
}
BENCHMARK(BM_DragStepMixed10kSmooth)->Unit(benchmark::kMillisecond);

void BM_DragStepMixed1k(benchmark::State& state) {
  DragRoot(state, SmallMixedWindow());
}
BENCHMARK(BM_DragStepMixed1k)->Unit(benchmark::kMillisecond);

void BM_DragStepMixed1kSmooth(benchmark::State& state) {
  DragRoot(state, SmallSmoothMixedWindow());
}
BENCHMARK(BM_DragStepMixed1kSmooth)->Unit(benchmark::kMillisecond);

void BM_DragStepLattice10k(benchmark::State& state) {
  DragRoot(state, LatticeWindow());
}
BENCHMARK(BM_DragStepLattice10k)->Unit(benchmark::kMillisecond);

// A press on P and a release after a one-pixel drag, of which one is
// measured (the other is not); every release records a drag of the whole
// drawing.
void PressAndRelease(benchmark::State& state, bool timePress) {
  Window& w = MixedWindow();
  if (!w.form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
  Editor& editor = w.form->editor();
  const Modifiers held{.left = true};
  ProcessCpu cpu;
  int step = 0;
  for (auto _ : state) {
    const int x = static_cast<int>(w.root->X), y = static_cast<int>(w.root->Y);
    const int to = x + (++step % 2 == 0 ? 1 : -1);
    if (timePress) {
      cpu.Start();
      editor.MouseDown(MouseButton::Left, {}, x, y);
      cpu.Stop();
      state.PauseTiming();
      editor.MouseMove(held, to, y);
      editor.MouseUp(MouseButton::Left, {}, to, y);
      state.ResumeTiming();
    } else {
      state.PauseTiming();
      editor.MouseDown(MouseButton::Left, {}, x, y);
      editor.MouseMove(held, to, y);
      state.ResumeTiming();
      cpu.Start();
      editor.MouseUp(MouseButton::Left, {}, to, y);
      cpu.Stop();
    }
    if (static_cast<int>(w.root->X) != to) return state.SkipWithError("the press missed P");
  }
  cpu.Report(state);
}

void BM_PressMixed10k(benchmark::State& state) {
  PressAndRelease(state, true);
}
BENCHMARK(BM_PressMixed10k)->Unit(benchmark::kMillisecond);

void BM_ReleaseMixed10k(benchmark::State& state) {
  PressAndRelease(state, false);
}
BENCHMARK(BM_ReleaseMixed10k)->Unit(benchmark::kMillisecond);

// One replay step near the end of the mixed drawing, as the protocol
// window's slider takes it: the step, the controls and the repaint of the
// first 9 998 or 9 999 objects. Target: less than a drag step on it.
void BM_ReplayStepMixed10k(benchmark::State& state) {
  Window& w = MixedWindow();
  if (!w.form) return state.SkipWithError("Mustapha.zmr is missing next to the benchmark");
  w.form->ShowProtocol();
  QSlider* slider = w.form->ProtocolWindow()->Slider();
  const int last = static_cast<int>(w.form->editor().Objects().size());
  int step = 0;
  ProcessCpu cpu;
  for (auto _ : state) {
    cpu.Start();
    slider->setValue(last - 1 - (++step % 2));
    benchmark::DoNotOptimize(w.form->Picture().constBits());
    cpu.Stop();
  }
  cpu.Report(state);
  const bool replayed = w.form->editor().Replay().Active();
  w.form->ProtocolWindow()->close();
  if (!replayed) state.SkipWithError("the slider did not start the replay");
}
BENCHMARK(BM_ReplayStepMixed10k)->Unit(benchmark::kMillisecond);

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
