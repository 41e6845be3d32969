#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <memory>

#include "dialogs/splash_form.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"
#include "mainwindow/user_prompts.h"

namespace {

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
  if (!DisplayFound(argc, argv)) {
    std::fputs("No display found: set DISPLAY (or run under xvfb-run) to see the window.\n",
               stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QTranslator translator;
  LoadQtTranslations(app, translator);

  auto splash = std::make_unique<zelmora::TSplForm>();
  splash->ShowNow();

  const QString title = QString::fromUtf8(zelmora::texts::kProgramTitle);
  QApplication::setApplicationName(title);

  StartPrompts prompts(splash);
  zelmora::MainFormOptions options;
  options.programFolder = QCoreApplication::applicationDirPath();
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
