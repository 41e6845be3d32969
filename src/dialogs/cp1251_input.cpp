#include "dialogs/cp1251_input.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "document/cp1251.h"

namespace zelmora {

bool FitsCp1251(const QString& text) {
  return FitsCp1251(text.toStdString());
}

QString KeepCp1251(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (const QChar c : text) {
    // A surrogate half is never in Windows-1251, so pairs go as a whole.
    if (FitsCp1251(QString(c))) kept.append(c);
  }
  return kept;
}

Cp1251Validator::Cp1251Validator(bool refuseSemicolon, QObject* parent)
    : QValidator(parent), refuseSemicolon_(refuseSemicolon) {}

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
  if (refuseSemicolon_ && input.contains(QLatin1Char(';'))) return Invalid;
  // A pasted tab or line break has no place in a one-line text.
  for (const QChar c : input) {
    if (c.category() == QChar::Other_Control) return Invalid;
  }
  return FitsCp1251(input) ? Acceptable : Invalid;
}

Cp1251PlainTextEdit::Cp1251PlainTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

void Cp1251PlainTextEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  // Control keys (arrows, Backspace, Enter) carry no printable text.
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
  if (printable && !FitsCp1251(typed)) {
    QApplication::beep();
    emit Refused();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void Cp1251PlainTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (commit.isEmpty() || FitsCp1251(commit)) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  emit Refused();
  QInputMethodEvent kept(event->preeditString(), event->attributes());
  kept.setCommitString(KeepCp1251(commit), event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&kept);
}

void Cp1251PlainTextEdit::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  const QString text = source->text();
  if (!FitsCp1251(text)) {
    QApplication::beep();
    emit Refused();
  }
  // Pasted as plain text: a rich-text paste would bring nothing that the
  // comment can keep anyway.
  insertPlainText(KeepCp1251(text));
}

}  // namespace zelmora
