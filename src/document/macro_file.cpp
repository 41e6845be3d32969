#include "document/macro_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <system_error>
#include <utility>

#include "document/cp1251.h"
#include "document/file_limits.h"
#include "document/line_code.h"
#include "document/load_recompute.h"
#include "document/record_fields.h"
#include "geometry/graph.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

constexpr Color kMaxColor = 0xFFFFFF;

// ---- Writing ----

// Windows-1251 on one line and inside one field.
std::string FieldText(std::string_view utf8) {
  return ToFileText(StorableMacroText(utf8));
}

// Halves go to the even neighbour; values beyond 64 bits are pinned so the
// field still reads as a number.
std::int64_t RoundedValue(double value) {
  constexpr double kLimit = 9223372036854775807.0;
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (rounded <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(rounded);
}

double ValueOf(const TGObject& object) {
  if (object.Kind() == kAngleKind) return static_cast<const TGAngle&>(object).Value;
  if (object.Kind() == kLengthKind) return static_cast<const TGLength&>(object).Value;
  return 0.0;
}

// Macro numbers by object: an object standing at several positions keeps the
// last one, so every record names it by that number.
class MacroNumbers {
 public:
  explicit MacroNumbers(const std::vector<const TGObject*>& map) {
    for (std::size_t k = 0; k < map.size(); ++k) numbers_[map[k]] = static_cast<int>(k);
  }
  std::optional<int> Of(const TGObject* object) const {
    const auto it = numbers_.find(object);
    if (it == numbers_.end()) return std::nullopt;
    return it->second;
  }

 private:
  std::map<const TGObject*, int> numbers_;
};

std::string Record(const TGObject& object, const std::string* hint, const MacroNumbers& numbers,
                   std::size_t argumentCount, bool renameOnLoad) {
  RecordWriter record;
  // An argument record carries its prompt in the field of its kind.
  std::string kind = std::to_string(object.Kind());
  if (hint != nullptr) kind += FieldText(*hint);
  record.Text(kind);
  record.Text(renameOnLoad ? std::string() : FieldText(object.Name).substr(0, kMaxNameBytes));
  record.Field(object.NameVisible);
  record.Field(object.Color);
  record.Field(object.Width);
  record.Field(object.PenStyle);
  record.Field(!object.MacroMark);
  record.Field(Number(object.Method));
  if (object.Kind() == kLineKind) {
    const auto& line = static_cast<const TGLine&>(object);
    record.Field(line.Bounded1), record.Field(line.Bounded2), record.Field(line.EndsOff);
  }
  // Only construction records are listed: the applied macro links nothing to
  // objects outside it, and arguments have no parents inside it.
  for (const TGObject* child : object.Children) {
    const auto number = numbers.Of(child);
    if (number && static_cast<std::size_t>(*number) >= argumentCount) record.Field(*number, ':');
  }
  record.End();
  if (hint == nullptr) {
    for (const TGObject* parent : object.Parents) record.Field(numbers.Of(parent).value_or(0), ':');
  }
  record.End();
  if (object.Kind() == kAngleKind || object.Kind() == kLengthKind) {
    record.Field(RoundedValue(ValueOf(object)), ':');
    record.End();
  }
  return record.text();
}

// ---- Reading ----

// One record as application uses it.
struct ParsedRecord {
  int kind = 0;
  std::string hint;  // argument records only
  std::string name;
  bool nameVisible = false;
  Color color = kBlack;
  std::int32_t width = 1;
  int penStyle = 0;
  bool hidden = false;
  MethodCode method{};
  bool bounded1 = false, bounded2 = false, endsOff = false;
  std::vector<int> children;
  std::vector<int> parents;
  std::int64_t value = 0;
};

// The menu reads an argument's kind from its first character alone and its
// hint up to the first ";"; application then skips the fields an argument's
// given object keeps and takes the two reference groups.
std::string ParseArgument(std::string_view line, ParsedRecord& record) {
  if (line.empty() || line[0] < '1' || line[0] > '5') return "an argument record has no kind";
  record.kind = line[0] - '0';
  RecordParser in(line.substr(1));
  record.hint = Cp1251ToUtf8(in.Field("hint"));
  for (const char* skipped :
       {"name", "name flag", "colour", "width", "pen style", "hidden flag", "method"}) {
    in.Field(skipped);
  }
  if (record.kind == kLineKind) {
    for (int i = 0; i < 3; ++i) in.Field("end flags");
  }
  record.children = in.Numbers("children");
  record.parents = in.Numbers("parents");
  if (!in.failed() && !record.parents.empty()) in.Fail("an argument record names parents");
  return in.error();
}

std::string ParseConstruction(std::string_view line, ParsedRecord& record) {
  RecordParser in(line);
  record.kind = in.Number<int>("kind");
  if (!in.failed() && (record.kind < kPointKind || record.kind > kLengthKind)) {
    return "unknown object kind " + std::to_string(record.kind);
  }
  record.name = Utf8Prefix(Cp1251ToUtf8(in.Field("name")), kMaxNameLength);
  record.nameVisible = in.Flag("name flag");
  const auto color = in.Number<std::int64_t>("colour");
  if (!in.failed() && (color < 0 || color > kMaxColor)) in.Fail("the colour is out of range");
  record.color = static_cast<Color>(color);
  record.width = std::clamp(in.Number<std::int32_t>("width"), 0, kMaxWidth);
  const int penStyle = in.Number<int>("pen style");
  record.penStyle = penStyle >= 0 && penStyle <= kMaxPenStyle ? penStyle : 0;
  record.hidden = in.Flag("hidden flag");
  record.method = MethodCode{in.Number<std::int32_t>("method")};
  if (record.kind == kLineKind) {
    record.bounded1 = in.Flag("end flag");
    record.bounded2 = in.Flag("end flag");
    record.endsOff = in.Flag("end flag");
  }
  record.children = in.Numbers("children");
  record.parents = in.Numbers("parents");
  if (record.kind == kAngleKind || record.kind == kLengthKind) {
    const std::string_view value = in.Field("value");
    const auto number = ParseInteger<std::int64_t>(value.substr(0, value.find(':')));
    if (!in.failed() && !number) in.Fail("the value is not a number");
    record.value = number.value_or(0);
  }
  return in.error();
}

struct ParsedMacro {
  std::string name;
  std::size_t argumentCount = 0;
  std::vector<ParsedRecord> records;  // by macro number
  // The links application makes, by macro number.
  std::vector<std::vector<int>> parentsOf;
  std::vector<std::vector<int>> childrenOf;
};

using Link = std::pair<int, int>;  // parent number, child number

// An argument may stand twice in a recording, while the construction records
// name only its last position. A child is linked to an argument record only
// when it names that record among its parents, so Parents and Children
// mirror each other whatever objects the arguments are given.
void ResolveLinks(ParsedMacro& macro) {
  const std::size_t count = macro.records.size();
  macro.parentsOf.assign(count, {});
  macro.childrenOf.assign(count, {});
  for (std::size_t k = 0; k < count; ++k) {
    const ParsedRecord& record = macro.records[k];
    macro.parentsOf[k] = record.parents;
    for (int child : record.children) {
      if (k < macro.argumentCount) {
        const auto& named = macro.records[static_cast<std::size_t>(child)].parents;
        if (std::find(named.begin(), named.end(), static_cast<int>(k)) == named.end()) continue;
      }
      macro.childrenOf[k].push_back(child);
    }
  }
}

// Deletion and the update walk rely on mirrored links without cycles, and
// Recompute on parents of the kinds the method reads.
std::string CheckLinks(const ParsedMacro& macro) {
  const int count = static_cast<int>(macro.records.size());
  const int arguments = static_cast<int>(macro.argumentCount);
  std::vector<Link> fromParents, fromChildren;
  for (int k = 0; k < count; ++k) {
    for (int p : macro.parentsOf[static_cast<std::size_t>(k)]) {
      if (p < 0 || p >= count) return "a record names a parent outside the macro";
      fromParents.emplace_back(p, k);
    }
    for (int c : macro.childrenOf[static_cast<std::size_t>(k)]) {
      if (c < arguments || c >= count) return "a record names a child outside the macro";
      fromChildren.emplace_back(k, c);
    }
  }
  std::sort(fromParents.begin(), fromParents.end());
  std::sort(fromChildren.begin(), fromChildren.end());
  if (fromParents != fromChildren) return "the parents and children of the records disagree";

  // The kinds each method reads, checked on stand-ins of the records' kinds.
  ObjectList scratch;
  for (const ParsedRecord& record : macro.records) scratch.AddOfKind(record.kind);
  for (int k = arguments; k < count; ++k) {
    TGObject& object = scratch[static_cast<std::size_t>(k)];
    object.Method = macro.records[static_cast<std::size_t>(k)].method;
    for (int p : macro.parentsOf[static_cast<std::size_t>(k)]) {
      object.Parents.push_back(&scratch[static_cast<std::size_t>(p)]);
    }
    if (!ParentsFitMethod(object)) {
      return "record " + std::to_string(k) + ": its parents do not fit its method";
    }
  }

  std::vector<std::size_t> waiting(macro.records.size());
  std::vector<int> ready;
  for (int k = 0; k < count; ++k) {
    waiting[static_cast<std::size_t>(k)] = macro.parentsOf[static_cast<std::size_t>(k)].size();
    if (waiting[static_cast<std::size_t>(k)] == 0) ready.push_back(k);
  }
  int done = 0;
  while (!ready.empty()) {
    const int k = ready.back();
    ready.pop_back();
    ++done;
    for (int child : macro.childrenOf[static_cast<std::size_t>(k)]) {
      if (--waiting[static_cast<std::size_t>(child)] == 0) ready.push_back(child);
    }
  }
  if (done < count) return "the records' parents form a cycle";
  return {};
}

// The whole file, checked before anything is built from it.
std::string ParseMacro(std::string_view bytes, ParsedMacro& macro) {
  const std::vector<std::string_view> lines = SplitFileLines(bytes);
  if (lines.size() < 2) return "the file ends before the macro name";
  macro.name = Cp1251ToUtf8(DecodeLine(lines[1]));
  std::size_t next = 2;
  for (;; ++next) {
    if (next >= lines.size()) return "the argument records do not end with \"End\"";
    const std::string line = DecodeLine(lines[next]);
    if (line == kMacroArgumentsEnd) break;
    ParsedRecord record;
    std::string error = ParseArgument(line, record);
    if (!error.empty()) return "line " + std::to_string(next + 1) + ": " + error;
    macro.records.push_back(std::move(record));
  }
  macro.argumentCount = macro.records.size();
  if (macro.argumentCount == 0) return "the macro has no arguments";
  for (++next; next < lines.size(); ++next) {
    ParsedRecord record;
    std::string error = ParseConstruction(DecodeLine(lines[next]), record);
    if (!error.empty()) return "line " + std::to_string(next + 1) + ": " + error;
    macro.records.push_back(std::move(record));
  }
  const int count = static_cast<int>(macro.records.size());
  for (const ParsedRecord& record : macro.records) {
    for (int n : record.children) {
      if (n < 0 || n >= count) return "a record names a child outside the macro";
    }
  }
  ResolveLinks(macro);
  return CheckLinks(macro);
}

void Fill(TGObject& object, const ParsedRecord& record) {
  if (!record.name.empty()) object.Name = record.name;
  object.NameVisible = record.nameVisible;
  object.Color = record.color;
  object.Width = record.width;
  object.PenStyle = record.penStyle;
  object.Hidden = record.hidden;
  object.MustDraw = true;
  object.Method = record.method;
  switch (object.Kind()) {
    case kLineKind: {
      auto& line = static_cast<TGLine&>(object);
      line.Bounded1 = record.bounded1;
      line.Bounded2 = record.bounded2;
      line.EndsOff = record.endsOff;
      break;
    }
    case kAngleKind:
      static_cast<TGAngle&>(object).Value = static_cast<double>(record.value);
      break;
    case kLengthKind:
      static_cast<TGLength&>(object).Value = static_cast<double>(record.value);
      break;
    default:
      break;
  }
}

}  // namespace

std::string StorableMacroText(std::string_view typed) {
  std::string text(typed);
  // A CR LF pair is one break and becomes one ",".
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += (c == ';' || c == '\r' || c == '\n') ? ',' : c;
  }
  return out;
}

std::string WriteMacro(const ObjectList& list, const MacroContent& content) {
  std::vector<const TGObject*> map;
  for (int number : content.arguments) {
    if (const TGObject* object = list.at(number)) map.push_back(object);
  }
  const std::size_t argumentCount = map.size();
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].Mark == 2 || list[i].Mark == 3) map.push_back(&list[i]);
  }
  const MacroNumbers numbers(map);

  std::string out(kMacroMagic);
  out += kLineEnd;
  AppendLine(out, FieldText(content.name));
  static const std::string kNoHint;
  for (std::size_t k = 0; k < map.size(); ++k) {
    if (k == argumentCount) AppendLine(out, kMacroArgumentsEnd);
    const std::string* hint = nullptr;
    if (k < argumentCount) hint = k < content.hints.size() ? &content.hints[k] : &kNoHint;
    AppendLine(out, Record(*map[k], hint, numbers, argumentCount, content.renameOnLoad));
  }
  if (map.size() == argumentCount) AppendLine(out, kMacroArgumentsEnd);
  return out;
}

SaveResult SaveMacroFile(const std::filesystem::path& path, const ObjectList& list,
                         const MacroContent& content) {
  return ReplaceFileContents(path, WriteMacro(list, content));
}

MacroRead ReadMacroHeader(std::string_view bytes) {
  ParsedMacro macro;
  MacroRead read;
  read.detail = ParseMacro(bytes, macro);
  if (!read.detail.empty()) return read;
  MacroHeader header;
  header.name = macro.name;
  for (std::size_t k = 0; k < macro.argumentCount; ++k) {
    header.arguments.push_back({macro.records[k].kind, macro.records[k].hint});
  }
  read.header = std::move(header);
  return read;
}

MacroApplied ApplyMacroBytes(std::string_view bytes, ObjectList& list,
                             const std::vector<TGObject*>& arguments) {
  ParsedMacro macro;
  MacroApplied applied;
  applied.detail = ParseMacro(bytes, macro);
  if (!applied.detail.empty()) return applied;
  if (arguments.size() != macro.argumentCount) {
    applied.detail = "the macro asks for " + std::to_string(macro.argumentCount) + " arguments";
    return applied;
  }
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    if (arguments[k] == nullptr || arguments[k]->Kind() != macro.records[k].kind) {
      applied.detail = "argument " + std::to_string(k) + " is not of the kind the macro asks for";
      return applied;
    }
  }

  for (TGObject* argument : arguments) ChangeLog::Relinking(*argument);
  std::vector<TGObject*> map(arguments);
  for (std::size_t k = macro.argumentCount; k < macro.records.size(); ++k) {
    TGObject* object = list.AddOfKind(macro.records[k].kind);
    Fill(*object, macro.records[k]);
    map.push_back(object);
  }
  for (std::size_t k = 0; k < map.size(); ++k) {
    for (int p : macro.parentsOf[k]) map[k]->Parents.push_back(map[static_cast<std::size_t>(p)]);
    for (int c : macro.childrenOf[k]) map[k]->Children.push_back(map[static_cast<std::size_t>(c)]);
  }
  // One update after linking, as opening does: updating below each new
  // object in turn recomputes a long chain again for every link of it.
  RecomputeLoaded(list);
  list.MarkModified();
  applied.ok = true;
  applied.created = map.size() - arguments.size();
  return applied;
}

std::optional<MacroList> LoadMacroListAtStart(const std::filesystem::path& programFolder) {
  std::error_code ec;
  const std::filesystem::path listFile = programFolder / kMacroListFile;
  if (std::filesystem::exists(listFile, ec) || ec) return LoadMcrFile(listFile);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder / "Macros", ec)) {
    if (entry.path().extension() == ".zmm") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  MacroList list;
  for (const std::filesystem::path& file : files) {
    const auto bytes = ReadMacroFileBytes(file);
    if (!bytes) continue;
    const MacroRead read = ReadMacroHeader(*bytes);
    if (!read.header) continue;
    MacroEntry entry{StorableMacroText(read.header->name), file.string()};
    if (IsStorableMacroEntry(entry)) list.push_back(std::move(entry));
  }
  return list;
}

std::optional<std::string> ReadMacroFileBytes(const std::filesystem::path& path,
                                              std::string* problem) {
  return ReadWholeFile(path, problem);
}

}  // namespace zelmora
