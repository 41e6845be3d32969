#pragma once

#include <QString>
#include <string>
#include <vector>

#include "dialogs/dialog_look.h"
#include "document/document_file.h"

class QLineEdit;
class QPlainTextEdit;

namespace zelmora {

// "Свойства файла": the author line and the comment of the open drawing.
// "Согласен" writes both into the document's info; the drawing itself is
// not changed by it, so it does not count as an unsaved change.
class TFilePropertiesForm : public TZMDialog {
  Q_OBJECT

 public:
  TFilePropertiesForm(QWidget* owner, DialogContext context, DocumentInfo& info);

  QLineEdit* AuthorEdit() const { return author_; }
  QPlainTextEdit* CommentMemo() const { return comment_; }

  void Confirm() override;

 private:
  DocumentInfo& info_;
  QLineEdit* author_ = nullptr;
  QPlainTextEdit* comment_ = nullptr;
};

// The memo's lines as the document keeps them: an empty memo has no lines,
// and the line break after the last line does not start another one.
std::vector<std::string> CommentLines(const QString& memoText);
QString CommentText(const std::vector<std::string>& lines);

}  // namespace zelmora
