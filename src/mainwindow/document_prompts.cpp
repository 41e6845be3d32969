#include <QAction>
#include <QFile>

#include "dialogs/dialog_look.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"
#include "platform/desktop_recent_files.h"

// The window's side of the File commands: their questions, file dialogs and
// reports, the caption and the recent-file entries.
namespace zelmora {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Paths travel to the document layer in the file system's own encoding.
std::optional<std::string> LocalPath(const std::optional<QString>& path) {
  if (!path) return std::nullopt;
  return QFile::encodeName(*path).toStdString();
}

}  // namespace

Answer TMainForm::Ask(const std::string& question) {
  return prompts_.Ask(this, Text(texts::kAttentionTitle), QString::fromStdString(question));
}

std::optional<std::string> TMainForm::AskOpenPath() {
  return LocalPath(prompts_.AskOpenPath(this, Context().DrawingsFolder()));
}

std::optional<std::string> TMainForm::AskSavePath() {
  QString folder = Context().DrawingsFolder();
  // An attempt of a task is offered its own name, where opening the task looks for it.
  if (session_->FileName().empty() && !lessonMenu_->AttemptPath().isEmpty()) {
    folder = lessonMenu_->AttemptPath();
  }
  return LocalPath(prompts_.AskSavePath(this, folder));
}

void TMainForm::FileUsed(const std::string& path) {
  AddToDesktopRecentFiles(DesktopRecentFilesPath(),
                          QFile::decodeName(QByteArray::fromStdString(path)),
                          QStringLiteral("application/x-zelmora-drawing"),
                          QString::fromUtf8(texts::kProgramTitle), QDateTime::currentDateTime());
}

void TMainForm::BeforeSave() {
  if (lessonMenu_ != nullptr) lessonMenu_->PutGivensInPlace();
}

void TMainForm::ShowSaveFailed(const std::string& message) {
  // The path inside is in the file system's encoding, the rest UTF-8; on
  // Linux both are UTF-8.
  prompts_.Inform(this, QString::fromStdString(message));
}

void TMainForm::SetCaption(const std::string& caption) {
  setWindowTitle(QFile::decodeName(QByteArray::fromStdString(caption)));
}

void TMainForm::ShowRecentFiles(const RecentCaptions& captions) {
  bool any = false;
  for (std::size_t k = 0; k < captions.size(); ++k) {
    const QString caption = QFile::decodeName(QByteArray::fromStdString(captions[k]));
    QAction* item = recentItems_[k];
    // The caption's own "&1 " marks the entry's key; an "&" inside the path
    // is shown as it is.
    item->setText(caption.left(3) + caption.mid(3).replace('&', QStringLiteral("&&")));
    item->setVisible(!caption.isEmpty());
    any = any || !caption.isEmpty();
  }
  recentSeparator_->setVisible(any);
}

}  // namespace zelmora
