#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "mainwindow/user_prompts.h"

namespace zelmora {

// Answers the main window's questions and dialogs from lists filled in
// advance, and records what the window said, so a test never waits for a
// person. An answer that was not given is Cancel, a cancelled file dialog
// or a cancelled modal dialog.
class ScriptedPrompts : public UserPrompts {
 public:
  Answer Ask(QWidget*, const QString& title, const QString& question) override {
    titles.append(title);
    questions.append(question);
    return Next(answers, Answer::Cancel);
  }
  void Inform(QWidget*, const QString& text) override { messages.append(text); }
  void ShowError(QWidget*, int number, const QString&) override { errors.push_back(number); }
  std::optional<QString> AskOpenPath(QWidget*, const QString& folder) override {
    dialogFolders.append(folder);
    return Next(openPaths, std::optional<QString>());
  }
  std::optional<QString> AskSavePath(QWidget*, const QString& folder) override {
    dialogFolders.append(folder);
    return Next(savePaths, std::optional<QString>());
  }
  std::optional<QString> AskExportPath(QWidget*, const QString& folder) override {
    dialogFolders.append(folder);
    return Next(exportPaths, std::optional<QString>());
  }
  std::optional<QString> AskMacroPath(QWidget*, const QString& folder, bool) override {
    dialogFolders.append(folder);
    return Next(macroPaths, std::optional<QString>());
  }
  std::optional<QString> AskTaskPath(QWidget*, const QString& folder) override {
    dialogFolders.append(folder);
    return Next(taskPaths, std::optional<QString>());
  }
  std::optional<QString> AskFile(QWidget*, const QString&, const QString& folder, const QString&,
                                 bool) override {
    dialogFolders.append(folder);
    return Next(filePaths, std::optional<QString>());
  }
  std::optional<QString> AskFolder(QWidget*, const QString&, const QString& folder) override {
    dialogFolders.append(folder);
    return Next(folders, std::optional<QString>());
  }
  bool AskYesNo(QWidget*, const QString& title, const QString& question) override {
    titles.append(title);
    questions.append(question);
    return Next(answers, Answer::No) == Answer::Yes;
  }
  bool OpenUrl(const QUrl& url) override {
    urls.append(url);
    return urlsOpen;
  }
  int RunDialog(QDialog& dialog) override {
    dialogs.append(QString::fromLatin1(dialog.metaObject()->className()));
    if (!answerDialog) return QDialog::Rejected;
    return answerDialog(dialog);
  }

  std::deque<Answer> answers;
  std::deque<std::optional<QString>> openPaths;
  std::deque<std::optional<QString>> savePaths;
  std::deque<std::optional<QString>> exportPaths;
  std::deque<std::optional<QString>> macroPaths;
  std::deque<std::optional<QString>> taskPaths;
  std::deque<std::optional<QString>> filePaths;
  std::deque<std::optional<QString>> folders;
  bool urlsOpen = true;
  // Plays the user's part in a modal dialog and returns its result.
  std::function<int(QDialog&)> answerDialog;

  QStringList titles;
  QStringList questions;
  QStringList messages;
  std::vector<int> errors;
  QStringList dialogFolders;
  QList<QUrl> urls;
  QStringList dialogs;  // class names of the modal dialogs run

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, const T& fallback) {
    if (queue.empty()) return fallback;
    const T next = queue.front();
    queue.pop_front();
    return next;
  }
};

}  // namespace zelmora
