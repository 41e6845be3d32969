// Exporting a whole drawing as a vector picture: the time to write the file
// and its size ("bytes"). A 140 000-object drawing is what a long lesson of
// generated constructions reaches; it must write in seconds and stay small
// enough to mail.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <optional>

#include "drawing_10k.h"
#include "render/pack_pixmaps.h"
#include "render/picture_export.h"
#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"

namespace {

using namespace zelmora;

constexpr QSize kSurface(1024, 768);

// Objects of a lesson's kinds (free points, midpoints, lines, crossings and
// circles, every point labelled), or a lattice of labelled midpoints: points
// only, the most a picture writes per object.
struct Drawing {
  Drawing(int count, bool lattice) {
    if (lattice) {
      bench::BuildLattice(objects, count, kSurface.width(), kSurface.height());
    } else {
      bench::BuildMixedDrawingOf(objects, kSurface.width(), kSurface.height(), count);
    }
  }
  ObjectList objects;
};

Drawing& DrawingNumber(std::int64_t number) {
  static Drawing mixed10k(10000, false);
  static Drawing mixed140k(140000, false);
  static Drawing lattice140k(528, true);  // 140 185 points
  return number == 0 ? mixed10k : number == 1 ? mixed140k : lattice140k;
}

const PointGlyphTable* Glyphs() {
  static const std::optional<PointGlyphTable> glyphs =
      PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)) ? PointGlyphTable::FromPack()
                                                         : std::nullopt;
  return glyphs ? &*glyphs : nullptr;
}

void ExportWhole(benchmark::State& state, const char* name) {
  if (Glyphs() == nullptr) return state.SkipWithError("Mustapha.zmr is missing");
  Drawing& drawing = DrawingNumber(state.range(0));
  QTemporaryDir folder;
  const QString path = folder.filePath(QString::fromLatin1(name));
  const QRect whole(QPoint(0, 0), kSurface);
  const DrawingSource source{drawing.objects,
                             DrawContext{false, kSurface.width(), kSurface.height()}, kSurface,
                             Glyphs(), LabelFont({})};
  for (auto _ : state) {
    const QString error = WritePicture(path, *WriterFor(path), whole, {}, source);
    if (!error.isEmpty()) return state.SkipWithError(error.toStdString().c_str());
  }
  state.counters["objects"] = static_cast<double>(drawing.objects.size());
  state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_ExportSvg(benchmark::State& state) {
  ExportWhole(state, "export.svg");
}
BENCHMARK(BM_ExportSvg)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_ExportPdf(benchmark::State& state) {
  ExportWhole(state, "export.pdf");
}
BENCHMARK(BM_ExportPdf)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
