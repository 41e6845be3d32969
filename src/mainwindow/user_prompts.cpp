#include "mainwindow/user_prompts.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "dialogs/msg_form.h"
#include "mainwindow/main_form_texts.h"
#include "render/picture_export.h"

namespace zelmora {
namespace {

QString DocumentFilter() {
  return QString::fromUtf8(texts::kDocumentFilter);
}

std::optional<QString> RunFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  return chosen.first();
}

}  // namespace

Answer QtUserPrompts::Ask(QWidget* parent, const QString& title, const QString& question) {
  QMessageBox box(QMessageBox::Question, title, question,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

void QtUserPrompts::Inform(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kProgramTitle), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

void QtUserPrompts::ShowError(QWidget* parent, int number, const QString& programFolder) {
  zelmora::ShowError(parent, number, programFolder);
}

std::optional<QString> QtUserPrompts::AskOpenPath(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent, QString(), folder, DocumentFilter());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(dialog);
}

std::optional<QString> QtUserPrompts::AskSavePath(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent, QString::fromUtf8(texts::kSaveDialogTitle), folder, DocumentFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("zms"));
  return RunFileDialog(dialog);
}

std::optional<QString> QtUserPrompts::AskExportPath(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent, QString::fromUtf8(texts::kExportDialogTitle), folder);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = PictureFilters();
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(PictureExtension(0));
  // The dialog itself adds the chosen filter's extension, so that its
  // question about replacing a file asks about the file really written.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    dialog.setDefaultSuffix(PictureExtension(static_cast<int>(filters.indexOf(filter))));
  });
  const std::optional<QString> path = RunFileDialog(dialog);
  if (!path) return std::nullopt;
  return WithPictureExtension(*path,
                              static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
}

std::optional<QString> QtUserPrompts::AskMacroPath(QWidget* parent, const QString& folder,
                                                   bool save) {
  QFileDialog dialog(
      parent, QString::fromUtf8(save ? texts::kMacroSaveDialogTitle : texts::kMacroOpenDialogTitle),
      folder, QString::fromUtf8(texts::kMacroFilter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("zmm"));
  return RunFileDialog(dialog);
}

std::optional<QString> UserPrompts::AskTaskPath(QWidget*, const QString&) {
  return std::nullopt;
}

std::optional<QString> UserPrompts::AskFile(QWidget*, const QString&, const QString&,
                                            const QString&, bool) {
  return std::nullopt;
}

std::optional<QString> UserPrompts::AskFolder(QWidget*, const QString&, const QString&) {
  return std::nullopt;
}

std::optional<QString> QtUserPrompts::AskTaskPath(QWidget* parent, const QString& folder) {
  return AskFile(parent, QStringLiteral("Открыть задачу"), folder,
                 QStringLiteral("Задача Zelmora (*.zmt)"), false);
}

std::optional<QString> QtUserPrompts::AskFile(QWidget* parent, const QString& title,
                                              const QString& folder, const QString& filter,
                                              bool save) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QString suffix = filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0);
  if (save && !suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
  return RunFileDialog(dialog);
}

std::optional<QString> QtUserPrompts::AskFolder(QWidget* parent, const QString& title,
                                                const QString& folder) {
  QFileDialog dialog(parent, title, folder);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  return RunFileDialog(dialog);
}

bool QtUserPrompts::AskYesNo(QWidget* parent, const QString& title, const QString& question) {
  QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No,
                  parent);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

bool QtUserPrompts::OpenUrl(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

int QtUserPrompts::RunDialog(QDialog& dialog) {
  return dialog.exec();
}

}  // namespace zelmora
