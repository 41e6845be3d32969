#include "document/document_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

#include "document/cp1251.h"
#include "document/extended_records.h"
#include "document/file_limits.h"
#include "document/line_code.h"
#include "document/record_fields.h"
#include "geometry/construction_method.h"
#include "geometry/graph.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

// ---- Text at the file boundary ----

// Line ends as text files know them: CR LF, LF or a lone CR. A last line
// without an end counts; a final line end opens no empty line.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

std::string FromFileLine(std::string_view stored) {
  return Cp1251ToUtf8(DecodeLine(stored));
}

// Truncation toward zero; NaN and values beyond 64 bits are pinned so that
// whatever is written reads back.
std::int64_t Truncated(double value) {
  if (std::isnan(value)) return 0;
  if (value >= kLargestStoredValue) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kLargestStoredValue) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

// ---- Writing ----

// The geometry group, closed; for a text, its lines follow.
void AppendGeometry(RecordWriter& record, const TGObject& object) {
  auto coordinate = [&record](double value) { record.Field(Truncated(value), ':'); };
  switch (object.Kind()) {
    case kPointKind: {
      const auto& p = static_cast<const TGPoint&>(object);
      coordinate(p.X), coordinate(p.Y);
      break;
    }
    case kLineKind: {
      const auto& l = static_cast<const TGLine&>(object);
      coordinate(l.X1), coordinate(l.Y1), coordinate(l.X2), coordinate(l.Y2);
      record.Field(l.Bounded1, ':'), record.Field(l.Bounded2, ':'), record.Field(l.EndsOff, ':');
      break;
    }
    case kCircleKind: {
      const auto& c = static_cast<const TGCircle&>(object);
      coordinate(c.CX), coordinate(c.CY), coordinate(c.R);
      break;
    }
    case kAngleKind:
      coordinate(static_cast<const TGAngle&>(object).Value);
      break;
    case kLengthKind:
      coordinate(static_cast<const TGLength&>(object).Value);
      break;
    default:
      if (IsExtendedKind(object.Kind())) return WriteExtendedGeometry(record, object);
      break;
  }
  record.End();
}

void AppendRecord(std::string& out, const TGObject& object) {
  RecordWriter record;
  record.Field(object.Kind());
  std::string name = WithoutControlCharacters(object.Name);
  std::replace(name.begin(), name.end(), ';', ',');
  record.Text(ToFileText(name).substr(0, kMaxNameBytes));
  record.Field(PaletteIndex(object.Color));
  record.Field(object.Width);
  record.Field(object.PenStyle);
  record.Field(object.NameVisible);
  record.Field(object.MustDraw);
  record.Field(object.Defined);
  record.Field(object.Hidden);
  record.Field(Number(object.Method));
  AppendGeometry(record, object);
  for (const TGObject* child : object.Children) record.Field(child->Index(), ':');
  record.End();
  for (const TGObject* parent : object.Parents) record.Field(parent->Index(), ':');
  record.End();
  AppendLine(out, record.text());
}

// ---- Reading ----

// The reference groups of one record, linked once every object exists.
struct KeptLinks {
  std::string children;
  std::string parents;
};

void ReadGeometry(RecordParser& in, TGObject& object) {
  auto value = [&in] { return static_cast<double>(in.Number<std::int64_t>("coordinate", ':')); };
  switch (object.Kind()) {
    case kPointKind: {
      auto& p = static_cast<TGPoint&>(object);
      p.X = value(), p.Y = value();
      break;
    }
    case kLineKind: {
      auto& l = static_cast<TGLine&>(object);
      l.X1 = value(), l.Y1 = value(), l.X2 = value(), l.Y2 = value();
      l.Bounded1 = in.Flag("end flag", ':');
      l.Bounded2 = in.Flag("end flag", ':');
      l.EndsOff = in.Flag("end flag", ':');
      break;
    }
    case kCircleKind: {
      auto& c = static_cast<TGCircle&>(object);
      // A radius is a length: a hand-edited minus sign is not a second circle.
      c.CX = value(), c.CY = value(), c.R = std::abs(value());
      break;
    }
    case kAngleKind:
      static_cast<TGAngle&>(object).Value = value();
      break;
    case kLengthKind:
      static_cast<TGLength&>(object).Value = value();
      break;
    default:
      if (IsExtendedKind(object.Kind())) return ReadExtendedGeometry(in, object);
      break;
  }
  if (!in.Field("geometry").empty()) in.Fail("the geometry holds more values than its kind has");
}

// Appends one object to `list`; returns what is wrong with the record, or "".
std::string ReadRecord(std::string_view text, std::string_view version, ObjectList& list,
                       std::vector<KeptLinks>& links) {
  RecordParser in(text);
  const int kind = in.Number<int>("kind");
  if (in.failed()) return in.error();
  // Measurements and texts came with version 2.1; an older file holds none.
  const bool known = !IsExtendedKind(kind) || version >= kExtendedVersion;
  TGObject* object = known ? list.AddOfKind(kind) : nullptr;
  if (object == nullptr) return "unknown object kind " + std::to_string(kind);
  object->Name =
      Utf8Prefix(WithoutControlCharacters(Cp1251ToUtf8(in.Field("name"))), kMaxNameLength);
  object->Color = PaletteColor(in.Number<int>("colour"), kBlack);
  object->Width = std::clamp(in.Number<std::int32_t>("width"), 0, kMaxWidth);
  const int penStyle = in.Number<int>("pen style");
  object->PenStyle = penStyle >= 0 && penStyle <= kMaxPenStyle ? penStyle : 0;
  object->NameVisible = in.Flag("name flag");
  object->MustDraw = in.Flag("drawn flag");
  object->Defined = in.Flag("defined flag");
  if (version >= kDocumentVersion) object->Hidden = in.Flag("hidden flag");
  object->Method = MethodCode{in.Number<std::int32_t>("method")};
  ReadGeometry(in, *object);
  KeptLinks kept;
  kept.children = in.Field("children");
  kept.parents = in.Field("parents");
  if (!in.failed() && !in.AtEnd()) in.Fail("text follows the parents");
  links.push_back(std::move(kept));
  return in.error();
}

// Resolves object numbers, each followed by ':'.
std::string LinkGroup(std::string_view group, ObjectList& list, std::vector<TGObject*>& into) {
  // Sized once: a list grown one link at a time keeps up to twice the room,
  // and a large drawing holds tens of thousands of them.
  into.reserve(into.size() + static_cast<std::size_t>(std::count(group.begin(), group.end(), ':')));
  while (!group.empty()) {
    const std::size_t pos = group.find(':');
    if (pos == std::string_view::npos) return "a reference list does not end with ':'";
    const std::string_view number = group.substr(0, pos);
    TGObject* target = list.at(ParseInteger<int>(number).value_or(-1));
    if (target == nullptr) {
      return "refers to object " + Quoted(number) + ", which the file does not hold";
    }
    into.push_back(target);
    group.remove_prefix(pos + 1);
  }
  return {};
}

std::string LinkAll(ObjectList& list, const std::vector<KeptLinks>& links) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::string error = LinkGroup(links[i].parents, list, list[i].Parents);
    if (error.empty()) error = LinkGroup(links[i].children, list, list[i].Children);
    if (!error.empty()) return "object " + std::to_string(i) + ": " + error;
  }
  return {};
}

using Link = std::pair<int, int>;  // parent number, child number

std::string DescribeMismatch(const ObjectList& list, Link link) {
  const TGObject& parent = list[static_cast<std::size_t>(link.first)];
  const TGObject& child = list[static_cast<std::size_t>(link.second)];
  const auto asParent = std::count(child.Parents.begin(), child.Parents.end(), &parent);
  const auto asChild = std::count(parent.Children.begin(), parent.Children.end(), &child);
  return "object " + std::to_string(link.second) + " lists object " + std::to_string(link.first) +
         " among its parents " + std::to_string(asParent) + " time(s), but object " +
         std::to_string(link.first) + " lists it among its children " + std::to_string(asChild) +
         " time(s)";
}

// Deletion and the update walk both rely on Parents and Children mirroring
// each other and forming no cycle; Recompute relies on the parents' kinds.
// Every object's children, gathered from the others' Parents in rising order:
// `child[start[i]]` up to `child[start[i + 1]]` for object i. Kept in one
// block, so walking the graph does not chase pointers across the heap.
struct ChildTable {
  std::vector<std::size_t> start;
  std::vector<std::size_t> child;
};

ChildTable ChildrenFromParents(const ObjectList& list) {
  const std::size_t n = list.size();
  ChildTable table{std::vector<std::size_t>(n + 1, 0), {}};
  for (std::size_t i = 0; i < n; ++i) {
    for (const TGObject* p : list[i].Parents)
      ++table.start[static_cast<std::size_t>(p->Index()) + 1];
  }
  for (std::size_t i = 0; i < n; ++i) table.start[i + 1] += table.start[i];
  table.child.resize(table.start[n]);
  std::vector<std::size_t> fill(table.start.begin(), table.start.end() - 1);
  for (std::size_t i = 0; i < n; ++i) {
    for (const TGObject* p : list[i].Parents)
      table.child[fill[static_cast<std::size_t>(p->Index())]++] = i;
  }
  return table;
}

// Whether every parent lists each child as often as the child lists it.
bool LinksAgree(const ObjectList& list, const ChildTable& table) {
  std::vector<std::size_t> children;
  for (std::size_t i = 0; i < list.size(); ++i) {
    children.clear();
    for (const TGObject* c : list[i].Children)
      children.push_back(static_cast<std::size_t>(c->Index()));
    std::sort(children.begin(), children.end());
    if (!std::equal(children.begin(), children.end(), table.child.begin() + table.start[i],
                    table.child.begin() + table.start[i + 1])) {
      return false;
    }
  }
  return true;
}

std::string DescribeFirstMismatch(const ObjectList& list) {
  std::vector<Link> fromParents;
  std::vector<Link> fromChildren;
  for (std::size_t i = 0; i < list.size(); ++i) {
    for (const TGObject* p : list[i].Parents) fromParents.emplace_back(p->Index(), list[i].Index());
    for (const TGObject* c : list[i].Children)
      fromChildren.emplace_back(list[i].Index(), c->Index());
  }
  std::sort(fromParents.begin(), fromParents.end());
  std::sort(fromChildren.begin(), fromChildren.end());
  std::vector<Link> odd;
  std::set_symmetric_difference(fromParents.begin(), fromParents.end(), fromChildren.begin(),
                                fromChildren.end(), std::back_inserter(odd));
  return DescribeMismatch(list, odd.front());
}

std::string CheckGraph(const ObjectList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& object = list[i];
    if (!ParentsFitMethod(object)) {
      return "object " + std::to_string(i) + ": its parents do not fit its method " +
             std::to_string(Number(object.Method));
    }
  }
  const ChildTable table = ChildrenFromParents(list);
  if (!LinksAgree(list, table)) return DescribeFirstMismatch(list);
  // An object whose parents never all come ready lies on, or below, a cycle.
  const std::vector<std::size_t> order = ParentsFirst(list);
  if (order.size() < list.size()) {
    std::vector<bool> ready(list.size());
    for (std::size_t i : order) ready[i] = true;
    const auto stuck = std::find(ready.begin(), ready.end(), false) - ready.begin();
    return "object " + std::to_string(stuck) + " lies on or below a cycle of parents";
  }
  return {};
}

LoadResult Unreadable(std::string detail) {
  return {LoadStatus::kUnreadable, std::move(detail), {}};
}

std::string LinePrefix(std::size_t index) {
  return "line " + std::to_string(index + 1) + ": ";
}

}  // namespace

int LoadResult::ErrorNumber() const {
  switch (status) {
    case LoadStatus::kLoaded:
      return 0;
    case LoadStatus::kNotFound:
      return 5;
    case LoadStatus::kUnreadable:
      return 1;
  }
  return 1;
}

bool ParentsFitMethod(const TGObject& object) {
  if (object.Kind() == kMeasureKind) {
    const MeasurementInfo* info = FindMeasurement(object.Method);
    if (info == nullptr || object.Parents.size() != info->parents.size()) return false;
    for (std::size_t i = 0; i < object.Parents.size(); ++i) {
      if (!FitsMeasurement(object.Method, i, *object.Parents[i])) return false;
    }
    return true;
  }
  const MethodInfo* method = MethodOf(object);
  // Recompute leaves an object of an unknown method as it is, like a free one.
  if (method == nullptr) return object.Parents.empty();
  if (object.Parents.size() != method->parents.size()) return false;
  for (std::size_t i = 0; i < object.Parents.size(); ++i) {
    const TGObject* parent = object.Parents[i];
    if (parent == nullptr || parent->Kind() != method->ParentKind(i)) return false;
  }
  return true;
}

std::string WritePlane(const ObjectList& list, const DocumentInfo& info) {
  std::string out;
  out += kDocumentMagicWord;
  out += ' ';
  out += UsesExtendedKinds(list) ? kExtendedVersion : kDocumentVersion;
  out += kLineEnd;
  AppendLine(out, ToFileText(info.author));
  // A comment line holding line breaks is stored as the lines it shows.
  std::vector<std::string> comment;
  for (const std::string& line : info.comment) {
    const auto pieces = SplitLines(line);
    if (pieces.empty()) comment.emplace_back();
    comment.insert(comment.end(), pieces.begin(), pieces.end());
  }
  AppendLine(out, std::to_string(comment.size()));
  for (const std::string& line : comment) AppendLine(out, ToFileText(line));
  for (std::size_t i = 0; i < list.size(); ++i) AppendRecord(out, list[i]);
  return out;
}

LoadResult ReadPlane(std::string_view bytes, ObjectList& list, DocumentInfo& info,
                     void (*recompute)(ObjectList&)) {
  const std::vector<std::string_view> lines = SplitLines(bytes);
  if (lines.empty()) return Unreadable("the file is empty");
  std::size_t next = 0;
  std::string version;
  if (lines[0].starts_with(kDocumentMagicWord)) {
    const std::size_t start = std::min(lines[0].size(), kDocumentMagicWord.size() + 1);
    version = lines[0].substr(start, 3);
    if (++next == lines.size()) return Unreadable("the file ends before the author");
  }
  DocumentInfo read;
  read.author = FromFileLine(lines[next++]);
  if (next == lines.size()) return Unreadable("the file ends before the comment");
  const auto count = ParseInteger<std::int64_t>(DecodeLine(lines[next]));
  if (!count || *count < 0) return Unreadable(LinePrefix(next) + "the comment count is wrong");
  const std::size_t commentEnd = ++next + static_cast<std::size_t>(*count);
  if (commentEnd > lines.size() || commentEnd < next) {
    return Unreadable("the file ends inside the comment");
  }
  for (; next < commentEnd; ++next) read.comment.push_back(FromFileLine(lines[next]));

  ObjectList loaded;
  loaded.defaults = list.defaults;
  std::vector<KeptLinks> links;
  for (; next < lines.size(); ++next) {
    const std::string error = ReadRecord(DecodeLine(lines[next]), version, loaded, links);
    if (!error.empty()) return Unreadable(LinePrefix(next) + error);
  }
  std::string error = LinkAll(loaded, links);
  if (error.empty()) error = CheckGraph(loaded);
  if (!error.empty()) return Unreadable(error);

  recompute(loaded);
  loaded.ClearModified();
  list.Swap(loaded);
  info = std::move(read);
  return {LoadStatus::kLoaded, {}, Cp1251ToUtf8(version)};
}

SaveResult SavePlane(const std::filesystem::path& path, const ObjectList& list,
                     const DocumentInfo& info) {
  return ReplaceFileContents(path, WritePlane(list, info));
}

std::vector<std::string_view> SplitFileLines(std::string_view bytes) {
  return SplitLines(bytes);
}

LoadResult LoadPlane(const std::filesystem::path& path, ObjectList& list, DocumentInfo& info) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    return {LoadStatus::kNotFound, "no file " + path.string(), {}};
  }
  std::string problem;
  const std::optional<std::string> bytes = ReadWholeFile(path, &problem);
  if (!bytes) return Unreadable(problem);
  return ReadPlane(*bytes, list, info);
}

}  // namespace zelmora
