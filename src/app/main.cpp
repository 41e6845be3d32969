#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "dialogs/dialog_look.h"
#include "dialogs/russian_locale.h"
#include "dialogs/splash_form.h"
#include "document/data_folders.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"
#include "mainwindow/user_prompts.h"

namespace {

constexpr const char* kUsage = R"(Usage: zelmora [FILE.zms | MACRO.zmm]
Opens the program, with the drawing FILE.zms when one is given; a macro
MACRO.zmm is offered for the Macros menu.

  --help       shows this text
  --version    shows the version
  --           ends the options: a file name that begins with "-" follows
)";

constexpr int kBadUsage = 2;

// Qt's own options, which QApplication takes off the command line, and
// whether each is followed by a value.
struct QtOption {
  const char* name;
  bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"-platform", true},        {"-platformpluginpath", true},
    {"-platformtheme", true},   {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true},
    {"-qwindowtitle", true},    {"-display", true},
    {"-geometry", true},        {"-style", true},
    {"-stylesheet", true},      {"-session", true},
    {"-reverse", false},        {"-widgetcount", false},
    {"-nograb", false},         {"-dograb", false},
    {"-sync", false},
};

// The options Qt does not take: an unknown option or a Qt option without
// its value. Empty when the command line is sound.
std::string UnknownOption(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") return {};
    if (arg.empty() || arg[0] != '-') continue;
    const auto qt = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                 [&](const QtOption& o) { return arg == o.name; });
    if (qt == std::end(kQtOptions) || (qt->takesValue && ++i >= argc)) return std::string(arg);
  }
  return {};
}

// Answered before Qt starts, so they work without a display, from a
// terminal or a script. -1: go on and start the window.
int AnswerFromCommandLine(int argc, char* argv[]) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("zelmora %s\n", ZELMORA_VERSION);
    return 0;
  }
  if (const std::string unknown = UnknownOption(argc, argv); !unknown.empty()) {
    std::fprintf(stderr, "zelmora: unknown option \"%s\"\n", unknown.c_str());
    std::fputs(kUsage, stderr);
    return kBadUsage;
  }
  return -1;
}

// The file named on the command line, after Qt took its options. A path
// with blanks given without quotes arrives in pieces.
QString CommandLineFile() {
  QStringList words = QCoreApplication::arguments().mid(1);
  if (!words.isEmpty() && words.front() == QLatin1String("--")) words.removeFirst();
  return words.join(QLatin1Char(' '));
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

// Installed, the program folder belongs to the system; the user's own data
// folder then holds what the program writes.
std::filesystem::path LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString FromLocalPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

void ChooseUserFolders(zelmora::MainFormOptions& options) {
  const std::filesystem::path program = LocalPath(options.programFolder);
  const zelmora::DataFolders folders = zelmora::ChooseDataFolders(
      program, LocalPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
      zelmora::ProgramFolderIsOwn(program),
      LocalPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
  if (!folders.problem.empty()) {
    std::fprintf(stderr, "zelmora: %s; the program folder is used instead\n",
                 folders.problem.c_str());
  }
  options.userFolder = FromLocalPath(folders.user);
  options.drawingsFolder = FromLocalPath(folders.drawings);
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    // Read as PNG outright: a file whose format is guessed first has every
    // image plugin loaded to look at it, which costs more than the icon.
    icon.addPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/icons/%1.png").arg(size), "PNG")));
  }
  return icon;
}

// Blocks of 512 KiB and more get pages of their own, given back when freed.
// Left to itself the allocator raises that bound to the largest block freed
// so far; the lists a large drawing grows while it is opened and painted
// then leave holes in the heap that stay resident (a megabyte on 20 000
// objects). The bound stays above the blocks a smoothed drag makes and
// frees at every step, and up to 8 MiB freed at the heap's top is kept for
// the next step: fresh pages at every step would slow the drag.
void KeepLargeBlocksApart() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 512 * 1024);
  mallopt(M_TRIM_THRESHOLD, 8 * 1024 * 1024);
#endif
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
  KeepLargeBlocksApart();
  if (const int status = AnswerFromCommandLine(argc, argv); status >= 0) return status;
  if (!DisplayFound(argc, argv)) {
    std::fputs("No display found: set DISPLAY (or run under xvfb-run) to see the window.\n",
               stderr);
    return 1;
  }
  zelmora::RussianSystemLocale russianLocale;
  QApplication app(argc, argv);
  zelmora::UseRussianInterface(app);
  russianLocale.Restore();
  QApplication::setPalette(zelmora::ProgramPalette());

  const QString title = QString::fromUtf8(zelmora::texts::kProgramTitle);
  QApplication::setApplicationName(title);
  // The desktop matches the window to its menu entry by these (Wayland by
  // the file name, X11 by the window class, which follows the name above:
  // "Zelmora 2.0"). Set before the first window, which fixes the class.
  QGuiApplication::setDesktopFileName(QStringLiteral("zelmora"));
  QApplication::setWindowIcon(ProgramIcon());

  auto splash = std::make_unique<zelmora::TSplForm>();
  splash->ShowNow();

  StartPrompts prompts(splash);
  zelmora::MainFormOptions options;
  options.programFolder = QCoreApplication::applicationDirPath();
  ChooseUserFolders(options);
  options.prompts = &prompts;
  options.commandLineFile = CommandLineFile();
  std::unique_ptr<zelmora::TMainForm> form = zelmora::TMainForm::Create(options);
  splash.reset();
  if (!form) return 1;
  form->showMaximized();
  // Without a window manager nobody else gives the window the keyboard.
  form->activateWindow();
  return app.exec();
}
