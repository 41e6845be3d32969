#pragma once

#include <QString>
#include <QUrl>
#include <optional>

#include "interaction/document_session.h"

class QDialog;
class QWidget;

namespace zelmora {

// Every window the main window opens to ask or tell the user something:
// questions, messages, file dialogs, the desktop's handler of files and
// addresses, and the program's own modal dialogs. The program uses Qt's
// windows (QtUserPrompts); tests answer in advance, so no test waits for a
// person.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // A question with a question icon and Yes, No and Cancel; closing it is Cancel.
  virtual Answer Ask(QWidget* parent, const QString& title, const QString& question) = 0;
  // A plain message with one button.
  virtual void Inform(QWidget* parent, const QString& text) = 0;
  // The error message window with message `number` of the program's table.
  virtual void ShowError(QWidget* parent, int number, const QString& programFolder) = 0;
  // The document dialogs, opening in `folder`; nothing when cancelled.
  virtual std::optional<QString> AskOpenPath(QWidget* parent, const QString& folder) = 0;
  virtual std::optional<QString> AskSavePath(QWidget* parent, const QString& folder) = 0;
  // The export dialog: the picture file to write, its extension settled by
  // the chosen filter when the name has none of its own.
  virtual std::optional<QString> AskExportPath(QWidget* parent, const QString& folder) = 0;
  // The macro dialogs (Open to add a macro, Save to record one), opening in
  // `folder`; nothing when cancelled.
  virtual std::optional<QString> AskMacroPath(QWidget* parent, const QString& folder,
                                              bool save) = 0;
  // The task dialog (Open, lesson tasks), opening in `folder`; nothing when
  // cancelled or where no dialog is offered.
  virtual std::optional<QString> AskTaskPath(QWidget* parent, const QString& folder);
  // Any other file (`filter` as Qt writes it: "Задача Zelmora (*.zmt)"), to
  // open or to save, and a folder; nothing when cancelled or where no dialog
  // is offered.
  virtual std::optional<QString> AskFile(QWidget* parent, const QString& title,
                                         const QString& folder, const QString& filter, bool save);
  virtual std::optional<QString> AskFolder(QWidget* parent, const QString& title,
                                           const QString& folder);
  // A question with a question icon and Yes and No; closing it is No.
  virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& question) = 0;
  // Hands a file or an address to the desktop; false when that failed.
  virtual bool OpenUrl(const QUrl& url) = 0;
  // Runs one of the program's modal dialogs; its result (QDialog::Accepted...).
  virtual int RunDialog(QDialog& dialog) = 0;
};

class QtUserPrompts : public UserPrompts {
 public:
  Answer Ask(QWidget* parent, const QString& title, const QString& question) override;
  void Inform(QWidget* parent, const QString& text) override;
  void ShowError(QWidget* parent, int number, const QString& programFolder) override;
  std::optional<QString> AskOpenPath(QWidget* parent, const QString& folder) override;
  std::optional<QString> AskSavePath(QWidget* parent, const QString& folder) override;
  std::optional<QString> AskExportPath(QWidget* parent, const QString& folder) override;
  std::optional<QString> AskMacroPath(QWidget* parent, const QString& folder, bool save) override;
  std::optional<QString> AskTaskPath(QWidget* parent, const QString& folder) override;
  std::optional<QString> AskFile(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter, bool save) override;
  std::optional<QString> AskFolder(QWidget* parent, const QString& title,
                                   const QString& folder) override;
  bool AskYesNo(QWidget* parent, const QString& title, const QString& question) override;
  bool OpenUrl(const QUrl& url) override;
  int RunDialog(QDialog& dialog) override;
};

}  // namespace zelmora
