// The replayed construction shows exactly the drawing as it stood after k
// objects, and walking through it changes nothing in the document.
#include <QtTest>
#include <optional>

#include "document/document_file.h"
#include "geometry/construction_method.h"
#include "geometry/paint.h"
#include "interaction/editor.h"
#include "render/pack_pixmaps.h"
#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"
#include "support/fake_editor_view.h"

using namespace zelmora;

namespace {

constexpr int kWidth = 800, kHeight = 600;

const std::string& ExamplePath() {
  static const std::string path = std::string(ZELMORA_BIN_DIR) + "/Saves/Описанная окружность.zms";
  return path;
}

// The fake view with a real picture to paint on.
class PaintingView : public testing::FakeEditorView {
 public:
  explicit PaintingView(const PointGlyphTable* glyphs) : picture(glyphs) {
    picture.Resize(QSize(kWidth, kHeight));
  }
  Canvas& PictureCanvas() override { return picture; }
  QImageCanvas picture;
};

// The example drawing cut after its first `count` objects, painted with the
// newest of them selected.
QImage CutPicture(const PointGlyphTable* glyphs, std::size_t count) {
  ObjectList cut;
  DocumentInfo info;
  if (!LoadPlane(ExamplePath(), cut, info).ok()) return {};
  while (cut.size() > count) cut.DeleteWithDescendants(cut.size() - 1);
  QImageCanvas canvas(glyphs);
  canvas.Resize(QSize(kWidth, kHeight));
  PaintDrawing(canvas, cut, cut.empty() ? nullptr : &cut.back(), {false, kWidth, kHeight}, kWidth,
               kHeight);
  return canvas.Image().copy();
}

}  // namespace

class ReplayTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)));
    glyphs_ = PointGlyphTable::FromPack();
    QVERIFY(glyphs_.has_value());
  }

  void init() {
    view_.emplace(&*glyphs_);
    editor_.emplace(*view_, tables_);
    editor_->Resize(kWidth, kHeight, kWidth, kHeight);
    DocumentInfo info;
    QVERIFY(LoadPlane(ExamplePath(), editor_->Objects(), info).ok());
    editor_->ResetHistory();
    editor_->Objects().ClearModified();
    editor_->SetReplayListener([this] { ++stops_; });
    stops_ = 0;
  }

  void cleanup() {
    editor_.reset();
    view_.reset();
  }

  void eachStepShowsTheDrawingCutAfterIt() {
    const std::size_t count = editor_->Objects().size();
    QCOMPARE(count, std::size_t{10});
    editor_->Repaint();
    const QImage whole = view_->picture.Image().copy();
    for (std::size_t step = 0; step <= count; ++step) {
      editor_->ShowReplayStep(step);
      const QImage replayed = view_->picture.Image().copy();
      QVERIFY2(replayed == CutPicture(&*glyphs_, step), qPrintable(QString::number(step)));
      // Before the last step something is missing; the last shows all, newest in red.
      if (step + 1 < count) QVERIFY(replayed != whole);
    }
  }

  void walkingThroughChangesNothing() {
    const std::string before = WritePlane(editor_->Objects(), {});
    for (std::size_t step : {1, 4, 2, 10, 0, 7}) {
      editor_->ShowReplayStep(step);
      QCOMPARE(WritePlane(editor_->Objects(), {}), before);  // saving saves everything
    }
    editor_->CommitAction();
    QVERIFY(!editor_->Objects().Modified());
    QVERIFY(!editor_->ActionHistory().CanUndo());
    editor_->EndReplay();
    QVERIFY(!editor_->Replay().Active());
    QCOMPARE(stops_, 1);
    QCOMPARE(WritePlane(editor_->Objects(), {}), before);
  }

  // Hovering names only what the step shows: at step 3 nothing passes
  // through O, which lies on m1 (found first) in the whole drawing.
  void theMouseFindsOnlyWhatIsShown() {
    editor_->ShowReplayStep(3);
    editor_->MouseMove({}, 420, 330);
    const QString atStep3 = QString::fromStdString(view_->helpLabel);
    QVERIFY(!atStep3.contains(QStringLiteral("m1")) && !atStep3.contains(QStringLiteral(" O")));
    editor_->MouseMove({}, 260, 400);
    QVERIFY(QString::fromStdString(view_->helpLabel).endsWith(QStringLiteral(" A")));
    editor_->EndReplay();
    editor_->MouseMove({}, 420, 330);
    QVERIFY(QString::fromStdString(view_->helpLabel).endsWith(QStringLiteral(" m1")));
  }

  // A press, a key or a command while replaying acts on the whole drawing.
  void editingFirstShowsTheWholeDrawing() {
    const std::function<void(Editor&)> edits[] = {
        [](Editor& e) { e.KeyDown(Key::Right, {}); },
        [](Editor& e) { e.MouseDown(MouseButton::Left, {}, 5, 5); },
        [](Editor& e) { e.StartCreation(Command::Midpoint); },
        [](Editor& e) {
          e.ObjectSelect(9);
          e.DeleteSelected();
        },
    };
    int expectedStops = 0;
    for (const auto& edit : edits) {
      editor_->ShowReplayStep(3);
      edit(*editor_);
      QVERIFY(!editor_->Replay().Active());
      QCOMPARE(stops_, ++expectedStops);
      editor_->ReturnToNormal();
      editor_->Repaint();
      QImageCanvas whole(&*glyphs_);
      whole.Resize(QSize(kWidth, kHeight));
      PaintDrawing(whole, editor_->Objects(), editor_->Objects().at(editor_->Selected()),
                   editor_->PaintContext(), kWidth, kHeight);
      QVERIFY(view_->picture.Image() == whole.Image());
    }
  }

 private:
  std::optional<PointGlyphTable> glyphs_;
  testing::TableConstructionTables tables_;
  std::optional<PaintingView> view_;
  std::optional<Editor> editor_;
  int stops_ = 0;
};

QTEST_MAIN(ReplayTest)
#include "replay_test.moc"
