#include "interaction/macro_recording.h"

#include <algorithm>
#include <unordered_set>

#include "document/macro_file.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

void ClearMarks(ObjectList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    list[i].Mark = kMacroNone;
    list[i].MacroMark = false;
  }
}

// Walks from `result` towards the free objects. Each object is entered once:
// any failure ends the whole check, so a second visit could only repeat a
// success, and a lattice of shared parents stays linear.
bool DependsOnArguments(TGObject& result, std::unordered_set<const TGObject*>& seen) {
  std::vector<TGObject*> stack{&result};
  while (!stack.empty()) {
    TGObject* o = stack.back();
    stack.pop_back();
    if (o->Mark == kMacroArgument) {
      o->MacroMark = true;
      continue;
    }
    if (!seen.insert(o).second) continue;
    if (o->Mark != kMacroResult) o->Mark = kMacroIntermediate;
    // A value is stored with the macro; where it came from does not matter.
    if (o->Kind() == kAngleKind || o->Kind() == kLengthKind) continue;
    if (o->Parents.empty()) return false;
    for (auto it = o->Parents.rbegin(); it != o->Parents.rend(); ++it) stack.push_back(*it);
  }
  return true;
}

}  // namespace

void RegisterMacroPick(ObjectList& list, MacroRecording& recording, int index) {
  TGObject* object = list.at(index);
  if (object == nullptr) return;
  if (recording.phase == MacroPhase::Arguments) {
    recording.arguments.push_back(index);
    object->Mark = kMacroArgument;
  } else if (recording.phase == MacroPhase::Results) {
    recording.results.push_back(index);
    object->Mark = kMacroResult;
    object->MacroMark = true;
  }
}

void WithdrawLastArgument(ObjectList& list, MacroRecording& recording) {
  if (recording.arguments.empty()) return;
  const int index = recording.arguments.back();
  recording.arguments.pop_back();
  // The same object may still stand earlier in the list and keeps its role.
  if (std::find(recording.arguments.begin(), recording.arguments.end(), index) !=
      recording.arguments.end()) {
    return;
  }
  if (TGObject* object = list.at(index)) {
    object->Mark = kMacroNone;
    object->MacroMark = false;
  }
}

void CancelRecording(ObjectList& list, MacroRecording& recording) {
  recording = MacroRecording{};
  ClearMarks(list);
}

std::string SuperfluousQuestionText(const std::string& names) {
  return "Макрос содержит \"лишние\" аргументы " + names + ". Удалить?";
}

bool MacroCannotHold(const TGObject& object) {
  return object.Kind() == kMeasureKind || object.Kind() == kTextKind;
}

bool CheckMacro(ObjectList& list, MacroRecording& recording, const SuperfluousQuestion& ask) {
  std::unordered_set<const TGObject*> seen;
  for (int index : recording.results) {
    TGObject* result = list.at(index);
    if (result == nullptr || !DependsOnArguments(*result, seen)) return false;
  }
  std::string names;
  int unused = 0;
  bool anyUsed = false;
  for (int index : recording.arguments) {
    const TGObject* argument = list.at(index);
    if (argument == nullptr) continue;
    if (argument->MacroMark) {
      anyUsed = true;
      continue;
    }
    if (unused++ > 0) names += ';';
    names += argument->Name;
  }
  if (!anyUsed) return false;
  recording.dropSuperfluous = unused > 0 && ask && ask(SuperfluousQuestionText(names));
  return true;
}

SaveResult SaveMacro(ObjectList& list, MacroRecording& recording,
                     const std::filesystem::path& path) {
  if (recording.dropSuperfluous) {
    std::vector<int> kept;
    std::vector<std::string> keptHints;
    for (std::size_t k = 0; k < recording.arguments.size(); ++k) {
      const TGObject* argument = list.at(recording.arguments[k]);
      if (argument == nullptr || !argument->MacroMark) continue;
      kept.push_back(recording.arguments[k]);
      keptHints.push_back(k < recording.hints.size() ? recording.hints[k] : std::string());
    }
    recording.arguments = std::move(kept);
    recording.hints = std::move(keptHints);
  }
  const MacroContent content{recording.name, recording.arguments, recording.hints,
                             recording.renameOnLoad};
  SaveResult saved = SaveMacroFile(path, list, content);
  if (saved.ok) CancelRecording(list, recording);
  return saved;
}

std::string MacroNameFromPath(const std::string& path) {
  const std::string file = std::filesystem::path(path).filename().string();
  const std::size_t length = Utf8Length(file);
  return length <= 4 ? std::string() : Utf8Prefix(file, length - 4);
}

}  // namespace zelmora
