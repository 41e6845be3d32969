#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QValidator>

// Typing guards for text that ends up in Windows-1251 files: a character the
// files cannot hold is refused as it is typed, not written as garbage later.
namespace zelmora {

bool FitsCp1251(const QString& text);
// `text` without the characters Windows-1251 cannot hold.
QString KeepCp1251(const QString& text);

// For one-line edits. With `refuseSemicolon` the text may not hold ";",
// which ends a field in the document and macro files.
class Cp1251Validator : public QValidator {
  Q_OBJECT

 public:
  explicit Cp1251Validator(bool refuseSemicolon, QObject* parent = nullptr);
  State validate(QString& input, int& position) const override;

 private:
  bool refuseSemicolon_;
};

// A multi-line edit that drops what Windows-1251 cannot hold from typed and
// pasted text alike.
class Cp1251PlainTextEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit Cp1251PlainTextEdit(QWidget* parent = nullptr);

 signals:
  // Something typed or pasted was dropped.
  void Refused();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace zelmora
