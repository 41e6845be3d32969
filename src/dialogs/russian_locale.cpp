#include "dialogs/russian_locale.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zelmora {
namespace {

// The locale categories Qt reads for the system's numbers, dates and
// messages; LC_ALL overrides the others, so it is set too.
constexpr const char* kLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LC_TIME", "LC_NUMERIC"};
constexpr const char* kRussian = "ru_RU.UTF-8";

// Texts of the file dialogs that Qt's Russian translations miss: the type
// column names a folder or a drive with them.
class FileTypeTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    static const QHash<QByteArray, QString> kTypes = {
        {"Folder", QStringLiteral("Папка")}, {"Drive", QStringLiteral("Диск")},
        {"File", QStringLiteral("Файл")},    {"%1 File", QStringLiteral("Файл %1")},
        {"Alias", QStringLiteral("Ярлык")},  {"Shortcut", QStringLiteral("Ярлык")},
    };
    if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
    return kTypes.value(QByteArray(source));
  }
};

}  // namespace

RussianSystemLocale::RussianSystemLocale() {
  for (const char* name : kLocaleVariables) {
    saved_.emplace_back(name, qEnvironmentVariableIsSet(name)
                                  ? std::optional<QByteArray>(qgetenv(name))
                                  : std::nullopt);
    qputenv(name, kRussian);
  }
}

void RussianSystemLocale::Restore() {
  if (!saved_.empty()) (void)QLocale::system();  // read while the variables are Russian
  for (const auto& [name, value] : saved_) {
    if (value) {
      qputenv(name, *value);
    } else {
      qunsetenv(name);
    }
  }
  saved_.clear();
}

void UseRussianInterface(QCoreApplication& app) {
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  QLocale::setDefault(russian);
  auto* translator = new QTranslator(&app);
  // Without the translations (a package left out) the texts stay English;
  // the program works all the same.
  if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
  QCoreApplication::installTranslator(new FileTypeTranslator(&app));
}

}  // namespace zelmora
