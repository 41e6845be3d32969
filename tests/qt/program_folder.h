#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "document/macro_list.h"
#include "document/settings.h"
#include "platform/qt_settings_store.h"

namespace zelmora {

// A program folder of a test's own: the data files, help pages and example
// drawings of the build copied into a temporary folder, so that what the
// window writes there at close stays out of the build; and a settings file
// beside it, so the user's own settings are never touched.
class TestProgramFolder {
 public:
  TestProgramFolder() {
    const QDir bin(QStringLiteral(ZELMORA_BIN_DIR));
    for (const QString& file : bin.entryList({QStringLiteral("*.zmr")}, QDir::Files)) {
      // The macro list is not built but written by the program at close: a
      // run from the build folder must not hand its list to the tests.
      if (file == QLatin1String(kMacroListFile)) continue;
      copied_ = QFile::copy(bin.filePath(file), Path(file)) && copied_;
    }
    for (const char* sub : {"Help", "Saves"}) {
      const QString name = QString::fromLatin1(sub);
      QDir(folder_.path()).mkpath(name);
      QDirIterator it(bin.filePath(name), QDir::Files);
      while (it.hasNext()) {
        const QFileInfo source(it.next());
        copied_ = QFile::copy(source.filePath(), Path(name + '/' + source.fileName())) && copied_;
      }
    }
  }

  bool ok() const { return folder_.isValid() && copied_; }
  QString path() const { return folder_.path(); }
  QString Path(const QString& name) const { return folder_.filePath(name); }
  QString SettingsFile() const { return settings_.filePath(QStringLiteral("settings.ini")); }

 private:
  QTemporaryDir folder_;
  QTemporaryDir settings_;
  bool copied_ = true;
};

}  // namespace zelmora
