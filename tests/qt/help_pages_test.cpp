// The help pages promise what the window does: every command a page names
// in «quotes» is a menu or a tool button of the window, and it is enabled.
#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

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
};

}  // namespace zelmora

QTEST_MAIN(zelmora::HelpPagesTest)
#include "help_pages_test.moc"
