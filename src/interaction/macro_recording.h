#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "geometry/object_list.h"

// Recording a macro: the user picks arguments, then results built from them.
// While it runs, an object's Mark is its role (1 argument, 2 result,
// 3 intermediate) and MacroMark says that the macro uses it; outside a
// recording both are 0/false on every object.
namespace zelmora {

enum MacroRole : std::int32_t {
  kMacroNone = 0,
  kMacroArgument = 1,
  kMacroResult = 2,
  kMacroIntermediate = 3
};

enum class MacroPhase { Finished = 0, Arguments = 1, Results = 2 };

struct MacroRecording {
  MacroPhase phase = MacroPhase::Finished;
  std::vector<int> arguments;  // object numbers in the order chosen; may repeat
  std::vector<std::string> hints;
  std::vector<int> results;
  bool dropSuperfluous = false;  // the answer to the superfluous-arguments question
  bool renameOnLoad = false;
  std::string name;
};

// Measurements and texts have no place in a macro file yet: picking one is
// refused with this text (the command line says it in English).
inline constexpr const char* kMacroRefusesMeasureText =
    "Измерения и тексты нельзя включать в макрос: макросы их пока не хранят.";
inline constexpr const char* kMacroRefusesMeasureTextEnglish =
    "measurements and texts cannot be part of a macro yet";
bool MacroCannotHold(const TGObject& object);

// Adds object `index` to the arguments (phase Arguments) or the results.
void RegisterMacroPick(ObjectList& list, MacroRecording& recording, int index);
// Takes back the argument chosen last, when its hint is not confirmed.
void WithdrawLastArgument(ObjectList& list, MacroRecording& recording);
// Empties the recording and clears every object's Mark and MacroMark.
void CancelRecording(ObjectList& list, MacroRecording& recording);

// Asked when some arguments are used by no result: Yes drops them.
using SuperfluousQuestion = std::function<bool(const std::string& question)>;

// Whether every result can be built from the arguments alone, marking each
// object the macro needs as intermediate. A macro that uses no argument at
// all is refused too: there would be nothing to apply it to. On success it
// may ask `ask` about arguments no result uses.
bool CheckMacro(ObjectList& list, MacroRecording& recording, const SuperfluousQuestion& ask);

// The question's text for the names of the unused arguments, ";"-joined.
std::string SuperfluousQuestionText(const std::string& names);

// Writes the checked recording to `path` and, once written, ends its marks.
// A failed write leaves the recording as it was, so it can be saved again.
SaveResult SaveMacro(ObjectList& list, MacroRecording& recording,
                     const std::filesystem::path& path);

// The name a macro file proposes: its file name without the folder and
// without its last four characters (the extension with its dot).
std::string MacroNameFromPath(const std::string& path);

}  // namespace zelmora
