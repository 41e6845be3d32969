#pragma once

#include <QByteArray>
#include <optional>
#include <utility>
#include <vector>

class QCoreApplication;

namespace zelmora {

// The program speaks Russian whatever the system's language. Qt's file
// dialogs write sizes and dates in the system's language, which Qt reads
// from the environment when the application starts; this object sets a
// Russian one for that moment. Made before the application object;
// `Restore` gives the environment back, so that the programs started from
// the window (the browser with the help) keep the user's language.
class RussianSystemLocale {
 public:
  RussianSystemLocale();
  ~RussianSystemLocale() { Restore(); }
  RussianSystemLocale(const RussianSystemLocale&) = delete;
  RussianSystemLocale& operator=(const RussianSystemLocale&) = delete;
  void Restore();

 private:
  std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

// Qt's own texts (the buttons of message boxes, the columns and types of the
// file dialogs) from its Russian translations, and numbers and dates of the
// program's own widgets in the Russian way. Called once, after the
// application object exists and before any window is made; the translations
// live as long as `app`.
void UseRussianInterface(QCoreApplication& app);

}  // namespace zelmora
