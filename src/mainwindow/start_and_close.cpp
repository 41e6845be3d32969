#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "dialogs/about_form.h"
#include "dialogs/help_form.h"
#include "document/image_pack.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"
#include "platform/qt_settings_store.h"
#include "render/pack_pixmaps.h"

// What happens around the window's life: the settings and the data files
// read at start, the first showing and activation, the options dialog, and
// what is written back when the window closes.
namespace zelmora {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace

std::unique_ptr<TMainForm> TMainForm::Create(MainFormOptions options) {
  QApplication::setPalette(ProgramPalette());
  std::unique_ptr<UserPrompts> ownPrompts;
  if (options.prompts == nullptr) ownPrompts = std::make_unique<QtUserPrompts>();
  UserPrompts& prompts = options.prompts != nullptr ? *options.prompts : *ownPrompts;

  // Said once, here: the window then starts with an empty drawing.
  if (!options.commandLineFile.isEmpty() && !QFileInfo(options.commandLineFile).isFile()) {
    prompts.Inform(nullptr, Text(texts::kCommandLineFileMissing));
    options.commandLineFile.clear();
  }
  // A name relative to the folder the program was started from would go into
  // the caption and the recent files, and fail from anywhere else.
  if (!options.commandLineFile.isEmpty()) {
    options.commandLineFile = QFileInfo(options.commandLineFile).absoluteFilePath();
  }

  std::unique_ptr<SettingsStore> ownStore;
  if (options.store == nullptr) ownStore = std::make_unique<QtSettingsStore>();
  SettingsStore& store = options.store != nullptr ? *options.store : *ownStore;
  Settings settings = LoadSettings(store, QFile::encodeName(options.programFolder).toStdString());

  std::optional<PointGlyphTable> glyphs;
  if (PackPixmaps::Load(options.programFolder)) glyphs = PointGlyphTable::FromPack();
  if (!glyphs) {
    prompts.Inform(nullptr, Text(kImagePackDamagedMessage));
    return nullptr;
  }
  return std::unique_ptr<TMainForm>(new TMainForm(std::move(options), std::move(ownStore),
                                                  std::move(ownPrompts), std::move(settings),
                                                  std::move(*glyphs)));
}

// The settings that act at once; the defaults reach only objects made later.
void TMainForm::ApplySettings() {
  canvas_.SetLabelFont(LabelFont(QString::fromStdString(settings_.nameFont)));
  canvas_.SetSmoothing(settings_.smoothing);
  blinkTimer_.setInterval(settings_.timePause);
  editor_->ApplySettings(
      {settings_.feeling, settings_.zoomStep, static_cast<double>(settings_.measureDpi)});
  editor_->Objects().defaults = MakeCreationDefaults(settings_);
}

DialogContext TMainForm::Context() {
  DialogContext context;
  context.programFolder = options_.programFolder;
  context.userFolder = options_.userFolder;
  context.drawingsFolder = options_.drawingsFolder;
  context.showError = [this](int number) { ShowError(number); };
  context.openUrl = [this](const QUrl& url) { return prompts_.OpenUrl(url); };
  context.runModal = [this](QDialog& dialog) { return prompts_.RunDialog(dialog); };
  return context;
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TMainForm::FormShow() {
  hintWindowItem_->setChecked(settings_.helpShow);
  helpForm_->setVisible(settings_.helpShow);
  if (!options_.commandLineFile.isEmpty()) OpenGivenFile(options_.commandLineFile);
}

void TMainForm::OpenGivenFile(const QString& path) {
  if (path.endsWith(QStringLiteral(".zmt"), Qt::CaseInsensitive)) {
    lessonMenu_->OpenTask(path);
  } else if (path.endsWith(QStringLiteral(".zmm"), Qt::CaseInsensitive)) {
    macroMenu_->OfferMacroFile(path);
  } else {
    session_->OpenCommandLineFile(QFile::encodeName(path).toStdString());
  }
}

namespace {

// The one local file a drag carries; empty for anything else.
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
  return data->urls().front().toLocalFile();
}

}  // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenGivenFile(path);
}

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    // Once the activation is over: the about box takes it away again.
    QTimer::singleShot(0, this, &TMainForm::FormActivate);
  }
  return QMainWindow::event(event);
}

void TMainForm::FormActivate() {
  ShowAboutOnFirstRun(this, store_, Context());
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    if (!session_->CanClose()) {
      event->ignore();
      return;
    }
    closed_ = true;
    SaveAtClose();
  }
  helpForm_->hide();
  QMainWindow::closeEvent(event);
}

void TMainForm::SaveAtClose() {
  settings_.recentFiles = session_->Recent();
  settings_.helpFormTop = helpForm_->Top();
  settings_.helpFormLeft = helpForm_->Left();
  settings_.helpShow = hintWindowItem_->isChecked();
  settings_.objectPanel = !objectBar_->isHidden();
  settings_.picturePanel = !pictureBar_->isHidden();
  SaveProtocolPlacement();
  QStringList failures;
  if (!SaveSessionSettings(store_, settings_)) failures << Text(texts::kSettingsNotSaved);
  // A list that could not be read at start is left as it is.
  if (macros_) {
    const QString file = QDir(Context().UserFolder()).filePath(QString::fromLatin1(kMacroListFile));
    if (!SaveMcrFile(LocalPath(file), *macros_)) {
      failures << Text(texts::kMacroListNotSaved).arg(QDir::toNativeSeparators(file));
    }
  }
  if (!failures.isEmpty()) prompts_.Inform(this, failures.join(QLatin1Char('\n')));
}

void TMainForm::OpenOptions(OptionsPage page) {
  TOptionsForm form(this, Context(), store_, settings_, page);
  if (prompts_.RunDialog(form) != QDialog::Accepted) return;
  ApplySettings();
  editor_->Repaint();
  if (!form.Saved()) prompts_.Inform(this, Text(texts::kSettingsNotSaved));
}

}  // namespace zelmora
