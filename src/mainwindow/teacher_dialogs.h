#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "lessons/grading.h"
#include "lessons/task.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace zelmora {

// "Создать задачу…" once the givens and the targets are picked on the
// drawing (`picks` names them): the title, statement, hints, allowed tools
// and budget.
class TaskForm : public QDialog {
  Q_OBJECT

 public:
  TaskForm(QWidget* owner, const QString& picks, const std::function<std::string(int)>& methodName);

  // Everything but the construction, which MakeTask fills.
  void FillTexts(Task& task) const;

  void AllowOnly(const std::vector<ConstructionMethod>& methods);
  QLineEdit* TitleEdit() const { return title_; }

 private:
  QWidget* BuildTools(const std::function<std::string(int)>& methodName);

  QLineEdit* title_ = nullptr;
  QPlainTextEdit* statement_ = nullptr;
  QPlainTextEdit* hints_ = nullptr;
  std::vector<QCheckBox*> methods_;  // one per method, in the method table's order
  QSpinBox* maxSteps_ = nullptr;
  QSpinBox* maxElementary_ = nullptr;
};

// "Проверить работы…": a table of the pupils' files and their results.
class GradesForm : public QDialog {
  Q_OBJECT

 public:
  GradesForm(QWidget* owner, const Task& task, std::vector<GradedAttempt> grades,
             std::function<void(const std::string& csv)> saveCsv);
  QTableWidget* Table() const { return table_; }

 private:
  QTableWidget* table_ = nullptr;
};

}  // namespace zelmora
