#pragma once

#include <optional>
#include <string>

namespace zelmora {

// The window's side of macro recording: the selection panel and the dialogs.
class MacroDialogs {
 public:
  virtual ~MacroDialogs() = default;
  // The hint dialog for an argument of `kind` just chosen; nothing when the
  // argument is withdrawn.
  virtual std::optional<std::string> AskArgumentHint(int kind) = 0;
  virtual bool AskYesNo(const std::string& title, const std::string& question) = 0;
  // The save dialog in the Macros folder; nothing when cancelled.
  virtual std::optional<std::string> AskMacroPath() = 0;
  // The name dialog over `proposed`; closing it keeps `proposed`.
  virtual std::string AskMacroName(const std::string& proposed) = 0;
  // The bottom bar: 0 the status bar, 5 the panel choosing arguments ("Дальше"),
  // 6 the panel choosing results ("Готово").
  virtual void ShowSelectionPanel(int mode) = 0;
  virtual void ReportFailure(const std::string& text) = 0;
};

enum class MacroStep { Continue, Finished, Refused };

}  // namespace zelmora
