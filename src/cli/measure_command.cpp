#include "cli/measure_command.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>
#include <string_view>

#include "cli/load_document.h"
#include "cli/plane_operations.h"
#include "document/record_fields.h"

namespace zelmora {
namespace {

constexpr int kDone = 0;
constexpr int kFileFailed = 1;
constexpr int kBadUsage = 2;

struct MeasureWord {
  std::string_view word;
  Measurement what;
};
constexpr MeasureWord kWords[] = {
    {"distance", Measurement::Distance},      {"length", Measurement::Length},
    {"radius", Measurement::Radius},          {"angle", Measurement::Angle},
    {"angle-lines", Measurement::LinesAngle},
};

int Usage(const std::string& problem) {
  std::cerr << "zelmora-cli: " << problem << " (see zelmora-cli --help)\n";
  return kBadUsage;
}

std::string Shortest(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// The measured objects, checked against what the measurement takes.
std::optional<std::vector<TGObject*>> Objects(const std::vector<std::string>& numbers,
                                              ObjectList& list, MethodCode code, int& status) {
  std::vector<TGObject*> objects;
  for (std::size_t slot = 0; slot < numbers.size(); ++slot) {
    TGObject* object = list.at(ParseInteger<int>(numbers[slot]).value_or(-1));
    if (object == nullptr) {
      status = Usage("no object " + numbers[slot] + " in the drawing");
      return std::nullopt;
    }
    if (!FitsMeasurement(code, slot, *object)) {
      status = Usage("object " + numbers[slot] + " is of the wrong kind for this measurement");
      return std::nullopt;
    }
    objects.push_back(object);
  }
  return objects;
}

}  // namespace

int MeasureCommand(const std::vector<std::string>& args) {
  if (args.size() < 2) return Usage("measure needs a drawing and what to measure");
  const MeasureWord* word = nullptr;
  for (const MeasureWord& w : kWords) {
    if (args[1] == w.word) word = &w;
  }
  if (word == nullptr) return Usage("cannot measure \"" + args[1] + "\"");
  const MethodCode code = CodeOf(word->what);
  const std::size_t count = FindMeasurement(code)->parents.size();
  if (args.size() < 2 + count)
    return Usage(args[1] + " needs " + std::to_string(count) + " objects");
  const std::vector<std::string> numbers(args.begin() + 2, args.begin() + 2 + count);
  std::string error;
  const auto operations = ParseOperations({args.begin() + 2 + count, args.end()}, error);
  if (!error.empty()) return Usage(error);

  ObjectList list;
  DocumentInfo info;
  if (!LoadForCommand(args[0], list, info)) return kFileFailed;
  int status = kDone;
  const auto objects = Objects(numbers, list, code, status);
  if (!objects) return status;
  for (const PlaneOperation& operation : operations) {
    error = operation(list);
    if (!error.empty()) return Usage(error);
  }
  // A deleted object takes its measurement with it.
  std::size_t alive = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    alive += static_cast<std::size_t>(std::count(objects->begin(), objects->end(), &list[i]));
  }
  TGMeasure measure;
  measure.Method = code;
  if (alive == objects->size()) measure.Parents = *objects;
  measure.Recompute();
  std::cout << (measure.Defined && measure.HasValue ? Shortest(measure.Value) : "undefined")
            << "\n";
  return std::cout.flush() ? kDone : kFileFailed;
}

}  // namespace zelmora
