#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QStringList>

#include "document/image_pack.h"
#include "document/settings.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"
#include "platform/qt_settings_store.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString title = QString::fromUtf8(zelmora::texts::kProgramTitle);
  QApplication::setApplicationName(title);
  QApplication::setApplicationDisplayName(title);

  zelmora::MainFormOptions options;
  options.programFolder = QCoreApplication::applicationDirPath();
  zelmora::QtSettingsStore store;
  options.settings =
      zelmora::LoadSettings(store, QFile::encodeName(options.programFolder).toStdString());

  std::unique_ptr<zelmora::TMainForm> form = zelmora::TMainForm::Create(options);
  if (!form) {
    QMessageBox::critical(nullptr, title, QString::fromUtf8(zelmora::kImagePackDamagedMessage));
    return 1;
  }
  form->showMaximized();

  // A path with blanks given without quotes arrives in pieces.
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  if (!arguments.isEmpty()) form->OpenDocument(arguments.join(QLatin1Char(' ')));
  return app.exec();
}
