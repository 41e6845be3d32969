// A repaint starts from the last one's picture, painting again only the
// rows where the calls differ, or the calls a drag changes between layers of
// those it does not: the window must show exactly what a full repaint shows,
// with unchanged objects drawn both under and over moving ones.
#include <QtTest>
#include <map>
#include <optional>
#include <random>

#include "drawing_10k.h"
#include "geometry/object_list.h"
#include "interaction/editor.h"
#include "render/pack_pixmaps.h"
#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"
#include "support/fake_editor_view.h"

using namespace zelmora;

namespace {

constexpr QSize kSurface(320, 220);

class PaintingView : public testing::FakeEditorView {
 public:
  explicit PaintingView(const PointGlyphTable* glyphs) : picture(glyphs) {}
  Canvas& PictureCanvas() override { return picture; }
  QImageCanvas picture;
};

// Free points, midpoints, lines, segments, crossings and circles in random
// order, pens and names: free points come late too, so still objects lie
// above moving ones.
void BuildAtRandom(ObjectList& list, std::mt19937& random, bool widePens) {
  using M = ConstructionMethod;
  auto among = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<TGObject*> points, lines, circles;
  auto pick = [&](const std::vector<TGObject*>& from) { return from[among(0, from.size() - 1)]; };
  auto style = [&](TGObject& o) {
    o.Color = PaletteColor(among(0, 15), kBlack);
    o.Width = widePens && among(0, 3) == 0 ? among(2, 5) : 1;
    o.PenStyle = among(0, 4);
    o.NameVisible = among(0, 1) == 0;
  };
  for (int i = 0; i < 2; ++i) {
    TGPoint& p = list.AddPoint();
    p.X = among(0, kSurface.width());
    p.Y = among(0, kSurface.height());
    list.Complete(p, {}, CodeOf(M::FreePoint));
    points.push_back(&p);
  }
  const int count = among(20, 80);
  for (int i = 0; i < count; ++i) {
    TGObject* made = nullptr;
    switch (among(0, lines.empty() ? 3 : circles.empty() ? 5 : 6)) {
      case 0: {
        TGPoint& p = list.AddPoint();
        p.X = among(0, kSurface.width());
        p.Y = among(0, kSurface.height());
        list.Complete(p, {}, CodeOf(M::FreePoint));
        made = &p;
        break;
      }
      case 1:
        list.Complete(*(made = &list.AddPoint()), {pick(points), pick(points)},
                      CodeOf(M::Midpoint));
        break;
      case 2:
        list.Complete(*(made = &list.AddCircle()), {pick(points), pick(points)},
                      CodeOf(M::CircleByCentreAndPoint));
        circles.push_back(made);
        break;
      case 3:
      case 4:
        list.Complete(*(made = &list.AddLine()), {pick(points), pick(points)},
                      CodeOf(among(0, 1) ? M::LineThroughTwoPoints : M::Segment));
        lines.push_back(made);
        break;
      case 5:
        list.Complete(*(made = &list.AddPoint()), {pick(lines), pick(lines)},
                      CodeOf(M::LinesCrossing));
        break;
      default:
        list.Complete(*(made = &list.AddPoint()), {pick(lines), pick(circles)},
                      CodeOf(M::LineCircleFirst));
        break;
    }
    style(*made);
    if (made->Kind() == points.front()->Kind()) points.push_back(made);
  }
}

// Where two pictures first differ, or an empty string.
QString FirstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return QStringLiteral("sizes differ");
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return QStringLiteral("pixel %1,%2").arg(x).arg(y);
    }
  }
  return {};
}

}  // namespace

class RepaintReuseTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void dragsShowWhatAFullRepaintShows_data();
  void dragsShowWhatAFullRepaintShows();
  void lessonDragsShowWhatAFullRepaintShows_data();
  void lessonDragsShowWhatAFullRepaintShows();
  void cleanupTestCase();

 private:
  std::optional<PointGlyphTable> glyphs_;
  // How often each way of repainting was taken, over every drawing.
  std::map<QImageCanvas::Repainted, int> taken_;
  void Compare(Editor& editor, QImageCanvas& shown, const char* when);
  QImage lastShown_;
  QSize surface_ = kSurface;
};

void RepaintReuseTest::initTestCase() {
  QVERIFY(PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)));
  glyphs_ = PointGlyphTable::FromPack();
  QVERIFY(glyphs_.has_value());
}

void RepaintReuseTest::dragsShowWhatAFullRepaintShows_data() {
  QTest::addColumn<int>("seed");
  for (int seed = 1; seed <= 30; ++seed) QTest::addRow("drawing %d", seed) << seed;
}

// The picture shown must be a whole repaint's, and every pixel that changed
// since the last one must lie in the rows that go to the screen.
void RepaintReuseTest::Compare(Editor& editor, QImageCanvas& shown, const char* when) {
  QImageCanvas whole(&*glyphs_);
  whole.SetSmoothing(shown.Smoothing());
  whole.SetPixelRatio(shown.PixelRatio());
  whole.Resize(surface_);
  editor.Paint(whole);
  const QString difference = FirstDifference(shown.Image(), whole.Image());
  ++taken_[shown.LastRepaint()];
  QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(when, difference)));
  const RowSpan rows = shown.TakeChangedRows();
  for (int y = 0; y < shown.Image().height(); ++y) {
    if (y >= rows.top && y < rows.bottom) continue;
    QVERIFY2(memcmp(shown.Image().constScanLine(y), lastShown_.constScanLine(y),
                    static_cast<std::size_t>(shown.Image().bytesPerLine())) == 0,
             qPrintable(QStringLiteral("%1: row %2 changed unseen").arg(when).arg(y)));
  }
  lastShown_ = shown.Image().copy();
}

// Each drawing is dragged by several of its objects, plainly, with Shift and
// by the label (Ctrl); every step and the release are compared with a
// repaint of the whole drawing on a fresh canvas.
void RepaintReuseTest::dragsShowWhatAFullRepaintShows() {
  QFETCH(int, seed);
  surface_ = kSurface;
  std::mt19937 random(static_cast<unsigned>(seed));
  auto among = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  PaintingView view(&*glyphs_);
  view.picture.SetBands(seed % 3, seed % 2 == 0 ? 0.3 : 0);
  // Some drawings smoothed, some on a screen of finer pixels.
  view.picture.SetSmoothing(seed % 4 == 1);
  view.picture.SetPixelRatio(seed % 5 == 2 ? 2 : 1);
  view.picture.Resize(kSurface);
  testing::TableConstructionTables tables;
  Editor editor(view, tables);
  editor.Resize(kSurface.width(), kSurface.height(), kSurface.width() + 40, kSurface.height() + 90);
  // Wide pens go through the painter, which leaves no trace of its pixels:
  // without them a step puts back only the pixels the last one wrote.
  BuildAtRandom(editor.Objects(), random, seed % 2 == 1);
  editor.ResetHistory();
  auto compare = [&](const char* when) { Compare(editor, view.picture, when); };
  int dragged = 0;
  for (int drag = 0; drag < 8; ++drag) {
    const TGObject& o = editor.Objects()[among(0, editor.Objects().size() - 1)];
    const bool label = among(0, 3) == 0;
    // On a point, its label, or anywhere: perhaps on a line or a circle.
    int x = among(0, kSurface.width()), y = among(0, kSurface.height());
    if (label) {
      x = static_cast<int>(o.LabelX()) + 3;
      y = static_cast<int>(o.LabelY()) + 3;
    } else if (const auto* p = dynamic_cast<const TGPoint*>(&o)) {
      x = static_cast<int>(p->X);
      y = static_cast<int>(p->Y);
    }
    const Modifiers press{.shift = among(0, 3) == 0, .ctrl = label};
    editor.MouseDown(MouseButton::Left, press, x, y);
    if (editor.State() != InteractionState::Normal) ++dragged;
    compare("press");
    for (int step = 0; step < 6; ++step) {
      x = std::clamp(x + among(-30, 30), 0, kSurface.width());
      y = std::clamp(y + among(-30, 30), 0, kSurface.height());
      editor.MouseMove({.shift = press.shift, .left = true}, x, y);
      compare("step");
    }
    editor.MouseUp(MouseButton::Left, {}, x, y);
    compare("release");
  }
  QVERIFY2(dragged > 0, "no press took hold of an object");
}

void RepaintReuseTest::lessonDragsShowWhatAFullRepaintShows_data() {
  QTest::addColumn<int>("objects");
  QTest::addColumn<bool>("smooth");
  QTest::addColumn<double>("ratio");
  QTest::addColumn<QSize>("surface");
  for (int objects : {200, 900}) {
    QTest::addRow("%d objects", objects) << objects << false << 1.0 << kSurface;
    // Smoothed strokes and letters blend into what lies beneath them.
    QTest::addRow("%d objects smoothed", objects) << objects << true << 1.0 << kSurface;
    QTest::addRow("%d objects smoothed, finer pixels", objects)
        << objects << true << 2.0 << kSurface;
  }
  // Few pixels change at each step: only those are put back at the next.
  QTest::addRow("900 objects, large surface, small moves")
      << 900 << false << 1.0 << QSize(960, 600);
}

// The free point that a drawing of a lesson's kinds of objects is built on,
// dragged about: the objects built nearest to it move at every step, those
// built late hardly ever, and free points lie under them all.
void RepaintReuseTest::lessonDragsShowWhatAFullRepaintShows() {
  QFETCH(int, objects);
  QFETCH(bool, smooth);
  QFETCH(double, ratio);
  QFETCH(QSize, surface);
  surface_ = surface;
  PaintingView view(&*glyphs_);
  view.picture.SetSmoothing(smooth);
  view.picture.SetPixelRatio(ratio);
  view.picture.Resize(surface);
  testing::TableConstructionTables tables;
  Editor editor(view, tables);
  editor.Resize(surface.width(), surface.height(), surface.width() + 40, surface.height() + 90);
  TGPoint& root =
      bench::BuildMixedDrawingOf(editor.Objects(), surface.width(), surface.height(), objects);
  editor.ResetHistory();
  std::mt19937 random(static_cast<unsigned>(objects));
  const int x = static_cast<int>(root.X), y = static_cast<int>(root.Y);
  editor.MouseDown(MouseButton::Left, {}, x, y);
  Compare(editor, view.picture, "press");
  for (int step = 0; step < 30; ++step) {
    // On the large surface, moves of a few pixels, as a hand makes them.
    const int reach = surface == kSurface ? 1 : 25;
    editor.MouseMove({.left = true},
                     x + std::uniform_int_distribution<int>(-40, 40)(random) / reach,
                     y + std::uniform_int_distribution<int>(-25, 25)(random) / reach);
    Compare(editor, view.picture, "step");
  }
  editor.MouseUp(MouseButton::Left, {}, x, y);
  Compare(editor, view.picture, "release");
}

// A test that never took the shorter ways would prove nothing about them.
void RepaintReuseTest::cleanupTestCase() {
  using R = QImageCanvas::Repainted;
  for (const R way : {R::Whole, R::Unchanged, R::Rows, R::Layers}) {
    QVERIFY2(taken_[way] > 0,
             qPrintable(QStringLiteral("never repainted the %1th way").arg(static_cast<int>(way))));
  }
}

QTEST_MAIN(RepaintReuseTest)
#include "repaint_reuse_test.moc"
