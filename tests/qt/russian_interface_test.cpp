// The program speaks Russian on a system set to English: the file dialogs'
// columns, the standard buttons, and the environment that programs started
// from the window inherit is the user's own again.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/russian_locale.h"

using namespace zelmora;

class RussianInterfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void fileDialogColumnsAreRussian_data();
  void fileDialogColumnsAreRussian();
  void standardButtonsAreRussian();
  void theUsersEnvironmentIsKept();
};

void RussianInterfaceTest::fileDialogColumnsAreRussian_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("shown");
  QTest::newRow("folder type") << "Saves" << 2 << "Папка";
  QTest::newRow("size in bytes") << "a.zms" << 1 << "5 байт";
  QTest::newRow("unknown type") << "a.zms" << 2 << "Неизвестно";
}

// The file dialog shows what this model holds, column by column.
void RussianInterfaceTest::fileDialogColumnsAreRussian() {
  QFETCH(QString, file);
  QFETCH(int, column);
  QFETCH(QString, shown);
  QTemporaryDir folder;
  QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Saves")));
  QFile binary(QDir(folder.path()).filePath(QStringLiteral("a.zms")));
  QVERIFY(binary.open(QIODevice::WriteOnly));
  binary.write(QByteArray("\x01\x02\xff\x00\x07", 5));
  binary.close();
  QFileSystemModel model;
  const QModelIndex root = model.setRootPath(folder.path());
  QTRY_COMPARE(model.rowCount(root), 2);
  const QModelIndex entry = model.index(QDir(folder.path()).filePath(file), column);
  QVERIFY2(model.data(entry).toString().startsWith(shown),
           qPrintable(model.data(entry).toString()));
  // Dates the Russian way: day first, 24 hours.
  const QModelIndex date = model.index(QDir(folder.path()).filePath(file), 3);
  const QDateTime modified = model.lastModified(date);
  QCOMPARE(model.data(date).toString(),
           QLocale(QLocale::Russian).toString(modified, QLocale::ShortFormat));
}

void RussianInterfaceTest::standardButtonsAreRussian() {
  QMessageBox box(QMessageBox::Question, QString(), QString(),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Да"));
  QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Отмена"));
}

void RussianInterfaceTest::theUsersEnvironmentIsKept() {
  QCOMPARE(qgetenv("LC_ALL"), QByteArray("en_US.UTF-8"));
  QVERIFY(!qEnvironmentVariableIsSet("LC_TIME"));
}

// As the program starts: the locale is chosen around the application's birth.
int main(int argc, char** argv) {
  RussianSystemLocale russian;
  QApplication app(argc, argv);
  UseRussianInterface(app);
  russian.Restore();
  RussianInterfaceTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "russian_interface_test.moc"
