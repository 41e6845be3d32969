#include "interaction/document_session.h"

#include <filesystem>

namespace zelmora {
namespace {

constexpr const char* kTitle = "Zelmora 2.0";
constexpr const char* kAskBeforeNew = "Сохранить текущий файл перед созданием нового?";
constexpr const char* kAskBeforeOpen = "Сохранить текущий файл перед открытием другого?";
constexpr const char* kAskBeforeExit = "Сохранить текущий файл перед выходом?";

}  // namespace

// Only the menu's own prefix goes: dropping the first "&" anywhere would
// mangle a real path such as "Tom&Jerry.zms", which then could not be opened
// again from the list.
std::string BareRecentCaption(std::string caption) {
  if (caption.size() >= 3 && caption[0] == '&' && caption[2] == ' ') caption.erase(0, 3);
  return caption;
}

DocumentSession::DocumentSession(Editor& editor, DocumentView& view)
    : editor_(editor), view_(view) {
  editor_.AttachDocumentInfo(&info_);
}

std::string DocumentSession::Caption() const {
  return fileName_.empty() ? kTitle : std::string(kTitle) + " - " + fileName_;
}

bool DocumentSession::New() {
  ObjectList& objects = editor_.Objects();
  if (!objects.empty() && !insideOpen_ && objects.Modified()) {
    const Answer answer = view_.Ask(kAskBeforeNew);
    if (answer == Answer::Cancel) return false;
    // Emptying the drawing after a save that did not happen would lose it.
    if (answer == Answer::Yes && !Save()) return false;
  }
  info_ = DocumentInfo{};
  editor_.ClearDrawing();
  fileName_.clear();
  view_.SetCaption(Caption());
  return true;
}

DocumentSession::LoadOutcome DocumentSession::LoadPlane(std::string name) {
  LoadOutcome outcome = LoadOutcome::Cancelled;
  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error)) {
    view_.ShowError(5);
    outcome = LoadOutcome::NotFound;
  } else if (New()) {
    DocumentInfo info;
    const LoadResult result = zelmora::LoadPlane(name, editor_.Objects(), info);
    if (result.ok()) {
      info_ = std::move(info);
      editor_.ResetHistory();
      fileName_ = name;
      view_.SetCaption(Caption());
      editor_.Repaint();
      outcome = LoadOutcome::Loaded;
    } else {
      outcome =
          result.status == LoadStatus::kNotFound ? LoadOutcome::NotFound : LoadOutcome::Unreadable;
    }
  }
  commandLine_ = false;
  return outcome;
}

void DocumentSession::LoadFailed(LoadOutcome outcome) {
  if (outcome != LoadOutcome::Unreadable) return;
  view_.ShowError(1);
  insideOpen_ = true;  // the drawing is already empty: New must not ask again
  New();
  insideOpen_ = false;
}

void DocumentSession::Open() {
  std::string file;
  if (commandLine_) {
    file = commandLineFile_;
  } else {
    insideOpen_ = true;
    ObjectList& objects = editor_.Objects();
    if (!objects.empty() && objects.Modified()) {
      const Answer answer = view_.Ask(kAskBeforeOpen);
      if (answer == Answer::Cancel || (answer == Answer::Yes && !Save())) {
        insideOpen_ = false;
        return;
      }
    }
    const auto chosen = view_.AskOpenPath();
    if (!chosen) {
      insideOpen_ = false;
      return;
    }
    file = *chosen;
  }
  LoadFailed(LoadPlane(file));
  if (fileName_ == file) view_.FileUsed(file);
  UpdateRecent(file);
  insideOpen_ = false;
}

void DocumentSession::OpenCommandLineFile(const std::string& name) {
  commandLine_ = true;
  commandLineFile_ = name;
  Open();
}

void DocumentSession::OpenRecent(int entry) {
  if (entry < 1 || entry > kRecentEntries) return;
  const std::string& caption = recent_[static_cast<std::size_t>(entry - 1)];
  if (caption.size() <= 3) return;
  LoadFailed(LoadPlane(caption.substr(3)));
}

bool DocumentSession::SavePlaneAs(const std::string& name) {
  view_.BeforeSave();
  const SaveResult result = SavePlane(name, editor_.Objects(), info_);
  if (!result.ok) {
    view_.ShowSaveFailed(SaveFailureText(result));
    return false;
  }
  fileName_ = name;
  view_.SetCaption(Caption());
  view_.FileUsed(name);
  return true;
}

bool DocumentSession::Save() {
  ObjectList& objects = editor_.Objects();
  const bool wasModified = objects.Modified();
  objects.ClearModified();
  bool saved = false;
  if (!fileName_.empty()) {
    saved = SavePlaneAs(fileName_);
  } else if (const auto chosen = view_.AskSavePath()) {
    saved = SavePlaneAs(*chosen);
  }
  if (saved) {
    editor_.MarkSaved();
  } else if (wasModified) {
    objects.MarkModified();
  }
  return saved;
}

bool DocumentSession::SaveAs() {
  const auto chosen = view_.AskSavePath();
  return chosen && SavePlaneAs(*chosen);
}

bool DocumentSession::CanClose() {
  if (!editor_.Objects().Modified()) return true;
  switch (view_.Ask(kAskBeforeExit)) {
    case Answer::Cancel:
      return false;
    case Answer::Yes:
      return Save();
    case Answer::No:
      return true;
  }
  return false;
}

void DocumentSession::SetRecent(const RecentCaptions& captions) {
  recent_ = captions;
  ShowRecent();
}

void DocumentSession::UpdateRecent(const std::string& opened) {
  const std::string f = BareRecentCaption(opened);
  auto& e = recent_;
  if (f == BareRecentCaption(e[1])) {
    e[1] = e[0];
    e[0] = f;
  } else if (f == BareRecentCaption(e[2])) {
    e[2] = e[1];
    e[1] = e[0];
    e[0] = f;
  } else if (f == BareRecentCaption(e[3])) {
    e[3] = e[2];
    e[2] = e[1];
    e[1] = e[0];
    e[0] = f;
  } else {
    // Entry 1 is not compared: reopening it pushes a copy down to entry 2.
    e[3] = e[2];
    e[2] = e[1];
    e[1] = e[0];
    e[0] = fileName_;
  }
  ShowRecent();
}

void DocumentSession::ShowRecent() {
  for (int k = 0; k < kRecentEntries; ++k) {
    auto& caption = recent_[static_cast<std::size_t>(k)];
    if (caption.empty()) continue;
    std::string shown = "&";
    shown += std::to_string(k + 1);
    shown += ' ';
    shown += BareRecentCaption(caption);
    caption = std::move(shown);
  }
  view_.ShowRecentFiles(recent_);
}

}  // namespace zelmora
