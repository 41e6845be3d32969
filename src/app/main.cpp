#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStringList>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "dialogs/splash_form.h"
#include "document/data_folders.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"
#include "mainwindow/user_prompts.h"

namespace {

constexpr const char* kUsage = R"(Usage: zelmora [FILE.zms]
Opens the program, with the drawing FILE.zms when one is given.

  --help       shows this text
  --version    shows the version
)";

// Answered before Qt starts, so they work without a display, from a
// terminal or a script. Nothing else on the command line is an option:
// a drawing's name may begin with anything.
bool AnsweredFromCommandLine(int argc, char* argv[]) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("zelmora %s\n", ZELMORA_VERSION);
    return true;
  }
  return false;
}

// Without a display Qt prints a stack of warnings and aborts; one line says
// more. Windows and macOS always have one.
bool DisplayFound(int argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  }
  return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
         qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
  return true;
#endif
}

// The standard buttons of message boxes and file dialogs speak Russian, as
// the rest of the program does.
void LoadQtTranslations(QApplication& app, QTranslator& translator) {
  if (translator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&translator);
  }
}

// Installed, the program folder belongs to the system; the user's own data
// folder then holds what the program writes.
QString UserDataFolder(const QString& programFolder) {
  const std::filesystem::path program = QFile::encodeName(programFolder).toStdString();
  const std::filesystem::path perUser =
      QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
          .toStdString();
  const zelmora::DataFolders folders =
      zelmora::ChooseDataFolders(program, perUser, zelmora::FolderWritable(program));
  if (!folders.problem.empty()) {
    std::fprintf(stderr, "zelmora: %s; the program folder is used instead\n",
                 folders.problem.c_str());
  }
  return QFile::decodeName(QByteArray::fromStdString(folders.user.string()));
}

// The messages of the start (a missing command-line file, a damaged image
// pack) come while the splash is up; it stays above every other window and
// would hide their button, so it goes first.
class StartPrompts : public zelmora::QtUserPrompts {
 public:
  explicit StartPrompts(std::unique_ptr<zelmora::TSplForm>& splash) : splash_(splash) {}

  void Inform(QWidget* parent, const QString& text) override {
    splash_.reset();
    QtUserPrompts::Inform(parent, text);
  }

 private:
  std::unique_ptr<zelmora::TSplForm>& splash_;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (AnsweredFromCommandLine(argc, argv)) return 0;
  if (!DisplayFound(argc, argv)) {
    std::fputs("No display found: set DISPLAY (or run under xvfb-run) to see the window.\n",
               stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QTranslator translator;
  LoadQtTranslations(app, translator);
  QApplication::setPalette(zelmora::ProgramPalette());

  auto splash = std::make_unique<zelmora::TSplForm>();
  splash->ShowNow();

  const QString title = QString::fromUtf8(zelmora::texts::kProgramTitle);
  QApplication::setApplicationName(title);

  StartPrompts prompts(splash);
  zelmora::MainFormOptions options;
  options.programFolder = QCoreApplication::applicationDirPath();
  options.userFolder = UserDataFolder(options.programFolder);
  options.prompts = &prompts;
  // A path with blanks given without quotes arrives in pieces.
  options.commandLineFile = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
  std::unique_ptr<zelmora::TMainForm> form = zelmora::TMainForm::Create(options);
  splash.reset();
  if (!form) return 1;
  form->showMaximized();
  // Without a window manager nobody else gives the window the keyboard.
  form->activateWindow();
  return app.exec();
}
