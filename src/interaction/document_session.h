#pragma once

#include <array>
#include <optional>
#include <string>

#include "document/document_file.h"
#include "interaction/editor.h"

namespace zelmora {

enum class Answer { Yes, No, Cancel };

inline constexpr int kRecentEntries = 4;
using RecentCaptions = std::array<std::string, kRecentEntries>;

// The window's side of the file commands: questions, file dialogs, errors.
class DocumentView {
 public:
  virtual ~DocumentView() = default;
  // A question titled "Внимание!" with Yes, No and Cancel.
  virtual Answer Ask(const std::string& question) = 0;
  // The Open and Save dialogs (documents, starting in Saves/); nothing when cancelled.
  virtual std::optional<std::string> AskOpenPath() = 0;
  virtual std::optional<std::string> AskSavePath() = 0;
  virtual void ShowError(int number) = 0;
  // The whole message, in Russian, saying why and naming the file.
  virtual void ShowSaveFailed(const std::string& message) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Captions of the recent-file entries, "&1 " .. "&4 " included; empty: hidden.
  virtual void ShowRecentFiles(const RecentCaptions& captions) = 0;
  // A drawing was opened or saved under `path`: the desktop may list it.
  virtual void FileUsed(const std::string& path) {}
  // The drawing is about to be written: the window may bring it into the
  // shape a file is handed in (a lesson's givens where the task put them).
  virtual void BeforeSave() {}
};

// The document around the drawing: its file name, author and comment, the
// recent-file list, and the File commands with their questions.
class DocumentSession {
 public:
  DocumentSession(Editor& editor, DocumentView& view);

  // "Новый"; false when the user cancelled (or the save asked for failed).
  bool New();
  // "Открыть": asks, shows the Open dialog, loads, updates the recent list.
  void Open();
  // "Сохранить"; false when nothing was written. The drawing then stays
  // marked modified, so no later question is skipped.
  bool Save();
  // "Сохранить как"; the modified mark stays as it was.
  bool SaveAs();
  // A recent entry, 1..4, chosen from the menu.
  void OpenRecent(int entry);
  // Opening the file named on the command line, without questions.
  void OpenCommandLineFile(const std::string& name);
  // Before the window closes: false keeps the program running.
  bool CanClose();

  enum class LoadOutcome { Loaded, NotFound, Cancelled, Unreadable };
  LoadOutcome LoadPlane(std::string name);

  const std::string& FileName() const { return fileName_; }
  std::string Caption() const;
  DocumentInfo& Info() { return info_; }
  const RecentCaptions& Recent() const { return recent_; }
  // At start: the captions kept in the settings.
  void SetRecent(const RecentCaptions& captions);

 private:
  bool SavePlaneAs(const std::string& name);
  void UpdateRecent(const std::string& opened);
  void ShowRecent();
  void LoadFailed(LoadOutcome outcome);

  Editor& editor_;
  DocumentView& view_;
  std::string fileName_;
  DocumentInfo info_;
  bool insideOpen_ = false;
  bool commandLine_ = false;
  std::string commandLineFile_;
  RecentCaptions recent_;
};

// The path inside a recent-entry caption: without its "&N " prefix.
std::string BareRecentCaption(std::string caption);

}  // namespace zelmora
