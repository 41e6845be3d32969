// The program keeps its own light look whatever the desktop's theme: its
// panels are drawn in fixed light colours, so their texts must stay dark.
#include <QApplication>
#include <QLabel>
#include <QToolButton>
#include <cmath>

#include "dialogs/dialog_look.h"

#include "mainwindow/selection_panel.h"
#include "window_under_test.h"

using namespace zelmora;

namespace {

double Luminance(const QColor& colour) {
  auto channel = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What is painted behind `widget`: the colour of the nearest widget that
// fills its background, the window itself at last.
QColor Behind(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (w->autoFillBackground() || w->isWindow()) return w->palette().color(w->backgroundRole());
  }
  return Qt::white;
}

QPalette DarkDesktop() {
  QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
  dark.setColor(QPalette::WindowText, QColor(238, 238, 238));
  dark.setColor(QPalette::Text, QColor(238, 238, 238));
  dark.setColor(QPalette::ButtonText, QColor(238, 238, 238));
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  return dark;
}

}  // namespace

class ThemeTest : public QObject {
  Q_OBJECT

 private slots:
  void statusTextsStayReadable_data() {
    QTest::addColumn<QPalette>("desktop");
    QTest::newRow("light desktop") << QPalette(QColor(239, 239, 239));
    QTest::newRow("dark desktop") << DarkDesktop();
  }

  // The texts of the status bar and the buttons of the selection panel
  // against what is behind them: at least 4.5 to 1, what reading needs.
  // White texts with a black shadow (the hint and the prompt line) have the
  // shadow for their contrast and are left out.
  void statusTextsStayReadable() {
    QFETCH(QPalette, desktop);
    QApplication::setPalette(desktop);
    WindowUnderTest window;
    QVERIFY(window.Start());
    window.Trigger("N57");  // the export shows the selection panel
    QList<QWidget*> texts;
    for (QLabel* label : window.form->StatusBar()->findChildren<QLabel*>()) {
      if (dynamic_cast<ShadowTextLabel*>(label) == nullptr) texts.append(label);
    }
    for (QToolButton* button : window.form->SelectionBar()->findChildren<QToolButton*>()) {
      texts.append(button);
    }
    QVERIFY(texts.size() >= 7);  // the object, X and Y with their values, two buttons
    for (const QWidget* text : texts) {
      const QColor ink = text->palette().color(text->foregroundRole());
      const double contrast = Contrast(ink, Behind(text));
      QVERIFY2(contrast >= 4.5,
               qPrintable(
                   QStringLiteral("%1: %2 to 1").arg(text->objectName()).arg(contrast, 0, 'f', 2)));
    }
  }
};

QTEST_MAIN(ThemeTest)
#include "theme_test.moc"
