// Every text a pupil reads must be whole: the prompts in the hint strip and
// the captions of every dialog, measured in the fonts the program ships with.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <memory>

#include "dialogs/about_form.h"
#include "dialogs/file_properties_form.h"
#include "dialogs/help_form.h"
#include "dialogs/ins_form.h"
#include "dialogs/msg_form.h"
#include "dialogs/new_circle_form.h"
#include "dialogs/new_line_form.h"
#include "dialogs/new_point_form.h"
#include "dialogs/options_form.h"
#include "dialogs/properties_form.h"
#include "dialogs/spisok_form.h"
#include "render/pack_pixmaps.h"
#include "support/memory_settings_store.h"

namespace zelmora {
namespace {

// Captions start at their layout's indent; what a long text does wrong is
// run up to the far edge of its panel, where it looks cut off even when every
// letter is there.
constexpr int kMarginToFarEdge = 8;

// The horizontal span of `widget`'s text in its own coordinates. Radio
// buttons and check boxes are sized to their contents: their span is the box.
std::pair<int, int> TextSpan(const QWidget& widget) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    return {0, button->sizeHint().width()};
  }
  const auto& label = static_cast<const QLabel&>(widget);
  const int advance = label.fontMetrics().horizontalAdvance(label.text());
  const QRect box = label.contentsRect();
  if (label.alignment() & Qt::AlignRight) return {box.right() + 1 - advance, box.right() + 1};
  if (label.alignment() & Qt::AlignHCenter) {
    const int left = box.left() + (box.width() - advance) / 2;
    return {left, left + advance};
  }
  return {box.left(), box.left() + advance};
}

// The bevelled panel a text sits on (pages and boxes inside it do not count),
// or the window itself.
const QWidget& PanelOf(const QWidget& widget) {
  for (const QWidget* up = widget.parentWidget(); up != nullptr; up = up->parentWidget()) {
    const auto* frame = qobject_cast<const QFrame*>(up);
    if ((frame != nullptr && frame->frameShape() != QFrame::NoFrame) || up->isWindow()) return *up;
  }
  return *widget.window();
}

// What is wrong with the texts of `dialog`, one line per text.
QStringList UnfitTexts(QWidget& dialog) {
  QStringList problems;
  for (QWidget* widget : dialog.findChildren<QWidget*>()) {
    const auto* label = qobject_cast<QLabel*>(widget);
    const bool sizedButton =
        qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget);
    if (label == nullptr && !sizedButton) continue;
    const QString text =
        label != nullptr ? label->text() : static_cast<QAbstractButton*>(widget)->text();
    if (text.trimmed().isEmpty() || Qt::mightBeRichText(text) || text.contains('\n')) continue;
    if (label != nullptr && label->wordWrap()) {
      if (label->heightForWidth(label->width()) > label->height()) {
        problems << QStringLiteral("\"%1\" needs more lines than it has").arg(text);
      }
      continue;
    }
    const auto [left, right] = TextSpan(*widget);
    if (left < 0 || right > widget->width()) {
      problems << QStringLiteral("\"%1\" is %2 px wide in a %3 px box")
                      .arg(text)
                      .arg(right - left)
                      .arg(widget->width());
    }
    const QWidget& panel = PanelOf(*widget);
    const int leftInPanel = widget->mapTo(&panel, QPoint(left, 0)).x();
    const int rightInPanel = widget->mapTo(&panel, QPoint(right, 0)).x();
    if (leftInPanel < 2 || rightInPanel > panel.width() - kMarginToFarEdge) {
      problems << QStringLiteral("\"%1\" runs from %2 to %3 px in a %4 px panel")
                      .arg(text)
                      .arg(leftInPanel)
                      .arg(rightInPanel)
                      .arg(panel.width());
    }
  }
  return problems;
}

}  // namespace

using DialogMaker = std::function<std::unique_ptr<QWidget>()>;

}  // namespace zelmora

Q_DECLARE_METATYPE(zelmora::DialogMaker)

namespace zelmora {

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR))); }

  // Every prompt of the shipped prompt table (the lines under each method's
  // title) in the hint strip, whole and readable.
  void everyPromptFitsTheHintStrip() {
    QFile table(QStringLiteral(ZELMORA_SOURCE_DIR "/data/tables/killer_queen.txt"));
    QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
    const QRegularExpression title(QStringLiteral("^\\d+-"));
    int prompts = 0;
    for (const QString& line : QString::fromUtf8(table.readAll()).split('\n')) {
      if (line.trimmed().isEmpty() || title.match(line).hasMatch()) continue;
      ++prompts;
      const QFont font = THelpForm::PromptFont(line);
      const QRect area = THelpForm::TextArea();
      const QRect needed =
          QFontMetrics(font).boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, line);
      QVERIFY2(area.contains(needed), qPrintable(line));
      QVERIFY2(font.pixelSize() >= 14, qPrintable(line + " is set too small to read"));
    }
    QVERIFY(prompts > 50);
  }

  void dialogTextsFit_data() {
    QTest::addColumn<DialogMaker>("make");
    static MemorySettingsStore store;
    static Settings settings = LoadSettings(store, "/program");
    static DocumentInfo info{"Иванов Иван", {"Задача 1"}};
    static ObjectList objects;
    if (objects.size() == 0) {
      objects.AddPoint();
      objects.AddLine();
      objects.AddCircle();
    }
    auto add = [](const char* name, DialogMaker make) { QTest::newRow(name) << make; };
    add("about", [] { return std::make_unique<TAbForm>(nullptr, DialogContext{}); });
    add("file properties",
        [] { return std::make_unique<TFilePropertiesForm>(nullptr, DialogContext{}, info); });
    add("distance", [] {
      return std::make_unique<TInsForm>(nullptr, DialogContext{}, ParameterKind::Distance);
    });
    add("angle",
        [] { return std::make_unique<TInsForm>(nullptr, DialogContext{}, ParameterKind::Angle); });
    add("message", [] { return std::make_unique<TMsgForm>(nullptr, QStringLiteral("Ошибка")); });
    add("new point", [] { return std::make_unique<TNewPointForm>(nullptr, DialogContext{}); });
    add("new line", [] { return std::make_unique<TNewLineForm>(nullptr, DialogContext{}); });
    add("new circle", [] { return std::make_unique<TNewCircleForm>(nullptr, DialogContext{}); });
    for (auto page : {OptionsPage::kGeneral, OptionsPage::kDefaults}) {
      add(page == OptionsPage::kGeneral ? "options" : "options, defaults", [page] {
        return std::make_unique<TOptionsForm>(nullptr, DialogContext{}, store, settings, page);
      });
    }
    add("point properties",
        [] { return std::make_unique<TPointForm>(nullptr, DialogContext{}, objects, 0); });
    add("line properties",
        [] { return std::make_unique<TLineForm>(nullptr, DialogContext{}, objects, 1); });
    add("circle properties",
        [] { return std::make_unique<TCircleForm>(nullptr, DialogContext{}, objects, 2); });
    add("object list", [] {
      return std::make_unique<TSpisokForm>(nullptr, DialogContext{}, objects, PointIcons{});
    });
  }

  void dialogTextsFit() {
    QFETCH(DialogMaker, make);
    const std::unique_ptr<QWidget> dialog = make();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QStringList problems = UnfitTexts(*dialog);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }
};

}  // namespace zelmora

QTEST_MAIN(zelmora::TextFitTest)
#include "text_fit_test.moc"
