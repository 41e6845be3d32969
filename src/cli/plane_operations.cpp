#include "cli/plane_operations.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "document/document_file.h"
#include "geometry/whole_drawing.h"

namespace zelmora {
namespace {

// The window's zoom keeps its scale between a tenth and ten times.
constexpr double kSmallestZoom = 0.1;
constexpr double kLargestZoom = 10;

template <class T>
bool ParseWhole(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && ptr == end;
}

// Takes one operation's arguments in turn; the first bad one is remembered.
class ArgumentReader {
 public:
  ArgumentReader(const std::vector<std::string>& args, std::size_t& next, std::string& error)
      : args_(args), next_(next), error_(error) {}

  int Integer(std::string_view what) {
    int value = 0;
    Take(what, [&](std::string_view text) { return ParseWhole(text, value); });
    return value;
  }
  // A coordinate: what a document file can hold.
  double Real(std::string_view what) {
    return Between(what, -kLargestStoredValue, kLargestStoredValue);
  }
  double Between(std::string_view what, double low, double high) {
    double value = 0;
    Take(what, [&](std::string_view text) {
      return ParseWhole(text, value) && value >= low && value <= high;
    });
    return value;
  }

 private:
  template <class Parse>
  void Take(std::string_view what, Parse parse) {
    if (!error_.empty()) return;
    const std::string& option = args_[start_ - 1];
    if (next_ >= args_.size()) {
      error_ = option + " needs " + std::string(what);
    } else if (!parse(args_[next_])) {
      error_ = option + ": " + std::string(what) + " \"" + args_[next_] + "\" is not valid";
    }
    ++next_;
  }

  const std::vector<std::string>& args_;
  std::size_t& next_;
  const std::size_t start_ = next_;
  std::string& error_;
};

std::string NoObject(int index, const ObjectList& list) {
  return "no object " + std::to_string(index) + " (the drawing holds " +
         std::to_string(list.size()) + ")";
}

PlaneOperation Move(ArgumentReader& in, bool shift) {
  const int index = in.Integer("an object number");
  const double savedX = in.Real("PX"), savedY = in.Real("PY");
  const int x = in.Integer("X (whole pixels)"), y = in.Integer("Y (whole pixels)");
  return [=](ObjectList& list) -> std::string {
    TGObject* object = list.at(index);
    if (object == nullptr) return NoObject(index, list);
    object->SavedX = savedX;
    object->SavedY = savedY;
    shift ? object->ShiftTo(x, y) : object->DragTo(x, y);
    return {};
  };
}

PlaneOperation Parse(const std::string& option, ArgumentReader& in, std::string& error) {
  if (option == "--drag") return Move(in, false);
  if (option == "--shift") return Move(in, true);
  if (option == "--delete") {
    const int index = in.Integer("an object number");
    return [=](ObjectList& list) -> std::string {
      if (list.at(index) == nullptr) return NoObject(index, list);
      list.DeleteWithDescendants(static_cast<std::size_t>(index));
      return {};
    };
  }
  if (option == "--zoom") {
    const int cx = in.Integer("CX (whole pixels)"), cy = in.Integer("CY (whole pixels)");
    const double factor = in.Between("K (0.1 to 10)", kSmallestZoom, kLargestZoom);
    return [=](ObjectList& list) { return ScaleAll(list, cx, cy, factor), std::string(); };
  }
  // Translation and rotation are given as the mouse drag that makes them in
  // the window, so the command reproduces a pupil's drag to the pixel.
  if (option == "--translate") {
    const int px = in.Integer("PX (whole pixels)"), py = in.Integer("PY (whole pixels)");
    const int x = in.Integer("X (whole pixels)"), y = in.Integer("Y (whole pixels)");
    return [=](ObjectList& list) {
      SaveAllPositions(list);
      TranslateAll(list, x, y, {double(px), double(py), 0, 0});
      return std::string();
    };
  }
  if (option == "--rotate") {
    const int cx = in.Integer("CX (whole pixels)"), cy = in.Integer("CY (whole pixels)");
    const int px = in.Integer("PX (whole pixels)"), py = in.Integer("PY (whole pixels)");
    const int x = in.Integer("X (whole pixels)"), y = in.Integer("Y (whole pixels)");
    return [=](ObjectList& list) {
      SaveAllPositions(list);
      RotateAll(list, x, y, {double(px), double(py), double(cx), double(cy)});
      return std::string();
    };
  }
  if (option == "--reflect-point") {
    const double x = in.Real("PX"), y = in.Real("PY");
    return [=](ObjectList& list) { return ReflectAllInPoint(list, x, y), std::string(); };
  }
  if (option == "--reflect-line") {
    const double x1 = in.Real("X1"), y1 = in.Real("Y1"), x2 = in.Real("X2"), y2 = in.Real("Y2");
    return [=](ObjectList& list) { return ReflectAllInLine(list, x1, y1, x2, y2), std::string(); };
  }
  error = "unknown operation \"" + option + "\"";
  return {};
}

}  // namespace

std::vector<PlaneOperation> ParseOperations(const std::vector<std::string>& args,
                                            std::string& error) {
  std::vector<PlaneOperation> operations;
  for (std::size_t next = 0; next < args.size() && error.empty();) {
    const std::string& option = args[next++];
    ArgumentReader in(args, next, error);
    operations.push_back(Parse(option, in, error));
  }
  if (!error.empty()) operations.clear();
  return operations;
}

}  // namespace zelmora
