#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "interaction/document_session.h"
#include "interaction/editor.h"
#include "interaction/modes/task_pick_mode.h"
#include "mainwindow/user_prompts.h"

class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;

namespace zelmora {

class SelectionPanel;

struct Task;

// The "Уроки" menu and the task panel: a pupil opens a task, builds with
// the tools the lesson allows, and checks the construction. A teacher picks
// a new task's givens and targets on the drawing.
class LessonMenu : public QObject, public TaskPickPort {
  Q_OBJECT

 public:
  struct Parts {
    QMainWindow* window = nullptr;
    Editor* editor = nullptr;
    DocumentSession* session = nullptr;
    UserPrompts* prompts = nullptr;
    QString programFolder;  // its Tasks/ holds the shipped tasks
    QMenu* menu = nullptr;  // "Уроки", empty
    // The bar that replaces the status bar while a task is picked.
    QWidget* statusBar = nullptr;
    SelectionPanel* panel = nullptr;
    // A method's name for the pupil, by its code.
    std::function<std::string(int)> methodName;
    // Offers the macros a file path filter lets through; null: all.
    std::function<void(std::function<bool(const std::string&)>)> offerMacros;
    // The user's own data folder: Saves/ and Tasks/ there.
    std::function<QString()> userFolder;
    // Opens the construction protocol of the drawing (the attempt).
    std::function<void()> showProtocol;
  };
  explicit LessonMenu(Parts parts);
  ~LessonMenu() override;

  // "Открыть задачу…" with a file chosen already (the command line); false
  // when the task could not be read or the user kept the drawing.
  bool OpenTask(const QString& path);
  void ChooseTask();
  void Check();
  void ShowHint();
  void Restart();
  void CloseTask();
  // The teacher's side: a task picked on the drawing, and a class's files
  // graded.
  void CreateTask();
  void GradeWorks();
  // Before an attempt is saved: givens the pupil dragged go back where the
  // task put them, or the teacher's check would not take the file.
  void PutGivensInPlace();
  // After every change of the drawing: the steps on the panel.
  void DrawingChanged();

  void ShowTaskPickBar(TaskPickPhase phase, const std::string& prompt) override;
  void HideTaskPickBar() override;
  std::optional<TaskPickPhase> RefusePicks(const TaskPicks& picks) override;
  void TaskPicked(const TaskPicks& picks) override;

  const Task* CurrentTask() const { return task_.get(); }
  QDockWidget* Panel() const { return panel_; }
  QString ResultText() const;
  // Where an attempt of the open task is saved and looked for: Saves/ and
  // the task's file name; empty without a task.
  QString AttemptPath() const;

 private:
  void BuildPanel();
  void StartAttempt();
  void UpdateItems();
  void OfferToContinue();
  QString UserSubfolder(const char* name) const;
  void SaveCsv(const std::string& csv);

  Parts parts_;
  std::unique_ptr<Task> task_;
  QString taskPath_;
  std::size_t hintsShown_ = 0;
  QDockWidget* panel_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* statement_ = nullptr;
  QLabel* steps_ = nullptr;
  QLabel* result_ = nullptr;
  QLabel* hints_ = nullptr;
  QPushButton* protocol_ = nullptr;  // shown once a check has a result
  QAction* check_ = nullptr;
  QAction* hint_ = nullptr;
  QAction* restart_ = nullptr;
  QAction* close_ = nullptr;
};

}  // namespace zelmora
