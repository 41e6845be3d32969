// The help pages promise what the window does: every command a page names
// in «quotes» is a menu or a tool button of the window, and it is enabled.
#include <QAction>
#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include "document/document_file.h"
#include "geometry/construction_method.h"
#include "window_under_test.h"

namespace zelmora {

class HelpPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void pagesNameEnabledCommands_data() {
    QTest::addColumn<QString>("page");
    // Quoted words that name no command of the main window: a folder, the
    // button of a dialog, a caption of the options, a prompt.
    QTest::addColumn<QStringList>("notCommands");
    const QStringList none;
    QTest::newRow("contents") << "Содержание" << none;
    QTest::newRow("new objects") << "Создание новых объектов" << QStringList{"Согласен"};
    QTest::newRow("objects") << "Манипуляции объектами" << QStringList{"Выбранный объект"};
    QTest::newRow("properties") << "Свойства объекта" << none;
    QTest::newRow("picture") << "Работа с рисунком" << none;
    QTest::newRow("files") << "Работа с файлами"
                           << QStringList{"Saves", "Выберите экспортируемую область"};
    QTest::newRow("options") << "Настройка" << QStringList{"Отрезок как прямая"};
    QTest::newRow("keys") << "Функциональные клавиши" << none;
    QTest::newRow("methods") << "Способы задания" << none;
  }

  void pagesNameEnabledCommands() {
    QFETCH(QString, page);
    QFETCH(QStringList, notCommands);
    WindowUnderTest w;
    QVERIFY(w.Start());
    // Caption -> what the command is, for every menu, menu item and tool button.
    struct Command {
      bool enabled = false;
      QString keys;
    };
    QMap<QString, Command> commands;
    for (QAction* action : w.form->menuBar()->findChildren<QAction*>()) {
      if (action->text().isEmpty()) continue;
      Command& command = commands[action->text().remove('&')];
      command.enabled |= action->isEnabled() && action->isVisible();
      if (!action->shortcut().isEmpty()) command.keys = action->shortcut().toString();
    }
    for (QMenu* menu : w.form->menuBar()->findChildren<QMenu*>()) {
      commands[menu->title().remove('&')].enabled |= menu->menuAction()->isEnabled();
    }
    // A tool button's hint starts with its caption: "Возврат в нормальное состояние.\r\n ...".
    const QRegularExpression hintEnd(QStringLiteral("\\.?[\\r\\n].*$|\\.$"),
                                     QRegularExpression::DotMatchesEverythingOption);
    for (QToolButton* button : w.form->findChildren<QToolButton*>()) {
      for (QString caption : {button->toolTip(), button->text()}) {
        caption.remove(hintEnd);
        if (!caption.isEmpty()) commands[caption].enabled |= button->isEnabled();
      }
    }

    QFile file(w.folder.Path("Help/" + page + ".htm"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString text = QString::fromUtf8(file.readAll());
    const QRegularExpression quoted(QStringLiteral("«([^»]+)»"));
    const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"));
    const QRegularExpression key(QStringLiteral("<kbd>([^<]+)</kbd>(\\+?)"));
    for (auto match = quoted.globalMatch(text); match.hasNext();) {
      const QString caption = match.next().captured(1);
      if (notCommands.contains(caption)) continue;
      QVERIFY2(commands.contains(caption), qPrintable(page + ": no command «" + caption + "»"));
      QVERIFY2(commands[caption].enabled, qPrintable(page + ": «" + caption + "» is disabled"));
    }
    // A table row that gives keys for a menu command gives the command's keys.
    for (auto rows = row.globalMatch(text); rows.hasNext();) {
      const QString cells = rows.next().captured(1);
      QString keys;
      for (auto k = key.globalMatch(cells); k.hasNext();) {
        const auto part = k.next();
        keys += part.captured(1) + part.captured(2);
      }
      for (auto match = quoted.globalMatch(cells); match.hasNext();) {
        const QString caption = match.next().captured(1);
        const QString shortcut = commands.value(caption).keys;
        if (keys.isEmpty() || shortcut.isEmpty()) continue;
        QVERIFY2(keys == shortcut,
                 qPrintable(page + ": «" + caption + "» is " + shortcut + ", not " + keys));
      }
    }
  }

  // Each method's picture shows its built object: the drawing loads with
  // every object defined, and the picture has red ink where the built
  // object lies, not merely somewhere.
  void everyMethodHasAPictureOfItsObject() {
    for (const MethodInfo& method : kMethods) {
      const QString code = QString::number(Number(method.code));
      ObjectList list;
      DocumentInfo info;
      const std::string drawing = ZELMORA_FIGURE_DIR "/" + code.toStdString() + ".zms";
      QVERIFY2(LoadPlane(drawing, list, info).ok(), drawing.c_str());
      const QImage picture(QStringLiteral(ZELMORA_BIN_DIR "/Help/figures/") + code + ".png");
      QVERIFY2(!picture.isNull(), qPrintable(code));
      int built = 0;
      for (std::size_t i = 0; i < list.size(); ++i) {
        const TGObject& object = list[i];
        QVERIFY2(object.Defined, qPrintable(code + ": object " + QString::number(i)));
        if (object.Color != kRed) continue;
        ++built;
        QCOMPARE(object.Method, method.code);
        const QPoint at = SamplePoint(object, picture.rect().center());
        QVERIFY2(HasInk(picture, at, kRed),
                 qPrintable(code + QStringLiteral(": no ink at %1,%2").arg(at.x()).arg(at.y())));
      }
      QVERIFY2(built == 1, qPrintable(code));
    }
  }

  // The before/after pictures show the changed drawing the build saved,
  // every visible object where it now lies, and differ from the picture
  // before the change.
  void changedDrawingsArePictured_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    for (const char* change : {"zoom", "translate", "rotate", "reflect-point", "reflect-line"}) {
      QTest::newRow(change) << "picture" << QStringLiteral("picture-") + change;
    }
    QTest::newRow("macro") << "macro"
                           << "macro-applied";
  }

  void changedDrawingsArePictured() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    const QString pictures = QStringLiteral(ZELMORA_BIN_DIR "/Help/figures/");
    const QImage picture(pictures + after + ".png");
    QVERIFY2(!picture.isNull(), qPrintable(after));
    QVERIFY(picture != QImage(pictures + before + ".png"));
    ObjectList list, original;
    DocumentInfo info;
    const QString drawings = QStringLiteral(ZELMORA_FIGURE_DIR "/");
    QVERIFY(LoadPlane((drawings + after + ".zms").toStdString(), list, info).ok());
    QVERIFY(LoadPlane((drawings + before + ".zms").toStdString(), original, info).ok());
    // A macro adds its results; a change of the picture keeps every object.
    QVERIFY(before == "macro" ? list.size() > original.size() : list.size() == original.size());
    int sampled = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      const TGObject& object = list[i];
      if (object.Hidden || !object.Defined || !object.MustDraw) continue;
      const QPoint at = SamplePoint(object, picture.rect().center());
      if (!picture.rect().contains(at)) continue;
      ++sampled;
      QVERIFY2(HasInk(picture, at, object.Color),
               qPrintable(after + ": no ink of " + QString::fromStdString(object.Name)));
    }
    QVERIFY(sampled >= 4);
  }

  // Pictures and links open from the program folder, and every picture says
  // what it shows to a reader who cannot see it.
  void picturesAndLinksResolve() {
    const QDir help(QStringLiteral(ZELMORA_BIN_DIR "/Help"));
    const QRegularExpression img(QStringLiteral("<img ([^>]*)>"));
    const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""));
    const QRegularExpression alt(QStringLiteral("alt=\"([^\"]+)\""));
    const QRegularExpression href(QStringLiteral("<a href=\"([^\"#]+)"));
    int pictures = 0;
    for (const QString& name : help.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
      QFile file(help.filePath(name));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString text = QString::fromUtf8(file.readAll());
      // Without them a browser may guess another encoding and garble the Russian.
      QVERIFY2(text.startsWith(QStringLiteral("<!DOCTYPE html>")), qPrintable(name));
      QVERIFY2(text.contains(QStringLiteral("<meta charset=\"utf-8\">")), qPrintable(name));
      for (auto m = img.globalMatch(text); m.hasNext(); ++pictures) {
        const QString tag = m.next().captured(1);
        const QString target = src.match(tag).captured(1);
        QVERIFY2(help.exists(target), qPrintable(name + ": " + target));
        QVERIFY2(alt.match(tag).hasMatch(), qPrintable(name + ": no alt for " + target));
      }
      for (auto m = href.globalMatch(text); m.hasNext();) {
        // Links are percent-encoded, as a valid address must be.
        const QString target = QUrl::fromPercentEncoding(m.next().captured(1).toUtf8());
        QVERIFY2(help.exists(target), qPrintable(name + ": " + target));
      }
    }
    QVERIFY(pictures >= static_cast<int>(kMethodCount));
  }

 private:
  static constexpr Color kRed = 0x0000FF;

  // A place on the object near the picture's centre: a point itself, the
  // leftmost point of a circle, the foot of the perpendicular from the centre
  // on a line, kept within a ray's or a segment's bounds.
  static QPoint SamplePoint(const TGObject& object, QPoint centre) {
    if (object.Kind() == kPointKind) {
      const auto& p = static_cast<const TGPoint&>(object);
      return QPoint(qRound(p.X), qRound(p.Y));
    }
    if (object.Kind() == kCircleKind) {
      const auto& c = static_cast<const TGCircle&>(object);
      return QPoint(qRound(c.CX - c.R), qRound(c.CY));
    }
    const auto& l = static_cast<const TGLine&>(object);
    const double dx = l.X2 - l.X1, dy = l.Y2 - l.Y1;
    double t = ((centre.x() - l.X1) * dx + (centre.y() - l.Y1) * dy) / (dx * dx + dy * dy);
    if (l.Bounded1) t = std::max(t, 0.0);
    if (l.Bounded2) t = std::min(t, 1.0);
    return QPoint(qRound(l.X1 + t * dx), qRound(l.Y1 + t * dy));
  }

  // Ink of the object's colour (0x00BBGGRR) within two pixels of `at`.
  static bool HasInk(const QImage& picture, QPoint at, Color color) {
    const int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        const QPoint p = at + QPoint(dx, dy);
        if (!picture.rect().contains(p)) continue;
        const QColor c = picture.pixelColor(p);
        if (std::abs(c.red() - r) + std::abs(c.green() - g) + std::abs(c.blue() - b) < 150) {
          return true;
        }
      }
    }
    return false;
  }
};

}  // namespace zelmora

QTEST_MAIN(zelmora::HelpPagesTest)
#include "help_pages_test.moc"
