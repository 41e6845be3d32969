#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "dialogs/dialog_look.h"
#include "document/macro_list.h"
#include "interaction/editor.h"
#include "mainwindow/selection_panel.h"
#include "mainwindow/user_prompts.h"

class QMenu;

namespace zelmora {

// The Macros menu and everything the window does for macros: the list of
// macros behind the menu, adding and setting up entries, and the panel and
// dialogs of a recording.
class MacroMenu : public QObject, public MacroDialogs {
  Q_OBJECT

 public:
  struct Parts {
    QWidget* window = nullptr;
    Editor* editor = nullptr;
    UserPrompts* prompts = nullptr;
    std::function<DialogContext()> context;
    QMenu* menu = nullptr;  // "Макросы", empty
    QWidget* statusBar = nullptr;
    SelectionPanel* panel = nullptr;
    // The window that owns the name dialog of a macro being saved.
    std::function<QWidget*()> nameOwner;
  };
  // `list` is nullopt when the list file could not be read; adding an entry
  // starts a new list then.
  MacroMenu(Parts parts, std::optional<MacroList>& list);

  // Rebuilds the macro items after the three fixed ones.
  void InitialMacroMenu();
  // Which macros may be applied, by file path (a lesson offers those its
  // tools could build); null offers all.
  void SetOffered(std::function<bool(const std::string& path)> offered);
  void AddMacro();
  // A macro file opened from outside (the command line, a double click):
  // offered for the menu under a name the user confirms, and copied into the
  // user's macro folder, so the entry outlives the file it came from.
  void OfferMacroFile(const QString& path);
  void SetUpMenu();
  void ChooseMacro(int entry);
  QString MacrosFolder() const;

  // MacroDialogs
  std::optional<std::string> AskArgumentHint(int kind) override;
  bool AskYesNo(const std::string& title, const std::string& question) override;
  std::optional<std::string> AskMacroPath() override;
  std::string AskMacroName(const std::string& proposed) override;
  void ShowSelectionPanel(int mode) override;
  void ReportFailure(const std::string& text) override;

 private:
  // Reads the macro's name, asks the user for the menu caption and adds the
  // entry; `copy`: of a copy in the user's macro folder.
  void AddToMenu(const QString& chosen, bool copy);
  std::optional<QString> CopyIntoMacrosFolder(const QString& path) const;

  Parts parts_;
  std::optional<MacroList>& list_;
  QAction* separator_ = nullptr;
  std::function<bool(const std::string& path)> offered_;
};

}  // namespace zelmora
