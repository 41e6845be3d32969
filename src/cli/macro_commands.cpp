#include "cli/macro_commands.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "cli/json_dump.h"
#include "cli/load_document.h"
#include "cli/number_list.h"
#include "document/document_file.h"
#include "document/text_table.h"
#include "interaction/macro_application.h"
#include "interaction/macro_recording.h"

namespace zelmora {
namespace {

constexpr int kDone = 0;
constexpr int kFileFailed = 1;
constexpr int kBadUsage = 2;

int Usage(const std::string& problem) {
  std::cerr << "zelmora-cli: " << problem << " (see zelmora-cli --help)\n";
  return kBadUsage;
}

int Failed(const std::string& problem) {
  std::cerr << "zelmora-cli: " << problem << "\n";
  return kFileFailed;
}

// The window's text of an error message, from the table next to the program.
std::string ErrorText(const std::string& programFolder, int number) {
  const auto text = TableText(std::filesystem::path(programFolder) / kErrorTableFile, number, 0);
  if (!text || *text == kMissingEntryText) return "error " + std::to_string(number);
  return *text;
}

std::string MissingObject(const std::vector<int>& numbers, const ObjectList& list) {
  for (int n : numbers) {
    if (list.at(n) == nullptr) return "the drawing has no object " + std::to_string(n);
  }
  return {};
}

// What record-macro is told after the drawing and the macro file.
struct RecordOptions {
  std::optional<std::vector<int>> arguments, results;
  std::vector<std::string> hints;
  std::optional<std::string> name;
  bool renameOnLoad = false, dropSuperfluous = false;
};

// Empty when the options are sound, else what is wrong with them.
std::string ParseRecordOptions(const std::vector<std::string>& args, RecordOptions& options) {
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool hasValue = i + 1 < args.size();
    if (option == "--rename-on-load") {
      options.renameOnLoad = true;
    } else if (option == "--drop-superfluous") {
      options.dropSuperfluous = true;
    } else if (option == "--args" || option == "--results") {
      auto numbers = hasValue ? ParseNumbers(args[++i]) : std::nullopt;
      if (!numbers) return option + " needs object numbers like 0,1,2";
      (option == "--args" ? options.arguments : options.results) = std::move(numbers);
    } else if (option == "--hint" || option == "--name") {
      if (!hasValue) return option + " needs a text";
      if (option == "--hint") {
        options.hints.push_back(args[++i]);
      } else {
        options.name = args[++i];
      }
    } else {
      return "unknown option \"" + option + "\"";
    }
  }
  if (!options.arguments || !options.results) return "record-macro needs --args and --results";
  if (options.hints.size() > options.arguments->size()) return "more --hint texts than arguments";
  return {};
}

}  // namespace

int RecordMacroCommand(const std::vector<std::string>& args, const std::string& programFolder) {
  if (args.size() < 2) return Usage("record-macro needs a drawing and a macro file");
  RecordOptions options;
  if (const std::string problem = ParseRecordOptions(args, options); !problem.empty()) {
    return Usage(problem);
  }
  const std::vector<int>& arguments = *options.arguments;
  const std::vector<int>& results = *options.results;
  const std::vector<std::string>& hints = options.hints;

  ObjectList list;
  DocumentInfo info;
  if (!LoadForCommand(args[0], list, info)) return kFileFailed;
  std::string missing = MissingObject(arguments, list);
  if (missing.empty()) missing = MissingObject(results, list);
  if (!missing.empty()) return Usage(missing);
  for (const std::vector<int>* picks : {&arguments, &results}) {
    for (int index : *picks) {
      if (MacroCannotHold(*list.at(index))) return Failed(kMacroRefusesMeasureTextEnglish);
    }
  }

  MacroRecording recording;
  recording.phase = MacroPhase::Arguments;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    RegisterMacroPick(list, recording, arguments[k]);
    recording.hints.push_back(k < hints.size() ? hints[k] : std::string());
  }
  recording.phase = MacroPhase::Results;
  for (int result : results) RegisterMacroPick(list, recording, result);
  const auto dropSuperfluous = [&](const std::string&) { return options.dropSuperfluous; };
  if (!CheckMacro(list, recording, dropSuperfluous)) {
    return Failed(ErrorText(programFolder, kErrorMacroNotDependent));
  }
  recording.phase = MacroPhase::Finished;
  recording.renameOnLoad = options.renameOnLoad;
  recording.name = options.name.value_or(MacroNameFromPath(args[1]));
  const SaveResult saved = SaveMacro(list, recording, args[1]);
  if (!saved.ok) return Failed(saved.error);
  return kDone;
}

int ApplyMacroCommand(const std::vector<std::string>& args, const std::string& programFolder) {
  if (args.size() < 3) return Usage("apply-macro needs a drawing, a macro file and objects");
  const auto given = ParseNumbers(args[2]);
  if (!given) return Usage("the objects must be numbers like 0,1,2");
  std::optional<std::string> saveTo;
  for (std::size_t i = 3; i < args.size(); ++i) {
    if (args[i] != "--save" || i + 1 >= args.size()) {
      return Usage("unknown option \"" + args[i] + "\"");
    }
    saveTo = args[++i];
  }

  ObjectList list;
  DocumentInfo info;
  if (!LoadForCommand(args[0], list, info)) return kFileFailed;
  MacroApplication application;
  const MacroOutcome begun = BeginMacroApplication(args[1], application);
  if (begun.error != 0) {
    return Failed(args[1] + ": " + ErrorText(programFolder, begun.error) + " (" + begun.detail +
                  ")");
  }
  if (given->size() != application.kinds.size()) {
    return Usage("the macro asks for " + std::to_string(application.kinds.size()) + " objects, " +
                 std::to_string(given->size()) + " given");
  }
  static const char* const kKindNames[] = {"", "point", "line", "circle", "angle", "length"};
  for (std::size_t k = 0; k < given->size(); ++k) {
    const TGObject* object = list.at((*given)[k]);
    if (object == nullptr) return Usage("the drawing has no object " + std::to_string((*given)[k]));
    if (object->Kind() != application.kinds[k]) {
      return Usage("object " + std::to_string((*given)[k]) + " is not a " +
                   kKindNames[application.kinds[k]] + ", as argument " + std::to_string(k + 1) +
                   " must be");
    }
  }
  const MacroOutcome applied = ApplyMacro(args[1], list, *given);
  if (applied.error != 0) {
    return Failed(args[1] + ": " + ErrorText(programFolder, applied.error) + " (" + applied.detail +
                  ")");
  }
  if (saveTo) {
    const SaveResult saved = SavePlane(*saveTo, list, info);
    return saved.ok ? kDone : Failed(saved.error);
  }
  std::cout << DumpJson(list, info);
  return std::cout.flush() ? kDone : kFileFailed;
}

}  // namespace zelmora
