#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/object_list.h"

// What the property dialogs of points, lines and circles show and write, and
// which objects the object list window offers. The dialogs only show these
// values and collect the user's; every rule about them lives here.
namespace zelmora {

// The width slider of a property dialog.
struct WidthRange {
  int min = 1;
  int max = 1;
  int keyboardStep = 2;

  int Clamp(int width) const { return width < min ? min : (width > max ? max : width); }
};

// Point sizes 1..7 (the point glyphs there are), pen widths 1..11.
WidthRange WidthRangeOf(int kind);

// A wide pen is always solid: the pen style can be chosen only below width 2.
bool PenStyleSelectable(int width);

// The check box that lets a segment or a ray count as a whole line.
enum class EndsOffBox { kNone, kSegment, kRay };
EndsOffBox EndsOffBoxOf(const TGObject& object);

// The values a property dialog shows and the user confirms.
struct ObjectProperties {
  std::string name;
  zelmora::Color color = kBlack;
  int width = 1;
  int penStyle = 0;
  bool nameVisible = false;
  bool mustDraw = false;
  bool endsOff = false;  // lines only

  bool operator==(const ObjectProperties&) const = default;
};

// The dialog kind of the object at `index` (point, line, circle,
// measurement or text), or
// nothing: no object there, a value object, or a hidden one.
std::optional<int> PropertiesDialogKind(const ObjectList& objects, int index);

// What the dialog opens with: the object's own values, the width brought
// into the slider's range and a wide pen shown solid.
ObjectProperties PropertiesShown(const TGObject& object);

// Why a name cannot be kept: the document file ends a field with ";", a
// line with a line break, and holds Windows-1251 text only.
enum class NameProblem { kNone, kSemicolon, kControlCharacter, kOutsideCharset };
NameProblem CheckName(std::string_view name);
// What the user is told about `problem` (UTF-8); empty for kNone.
std::string NameProblemText(NameProblem problem);

enum class ApplyResult {
  kUnchanged,    // the confirmed values were the object's own
  kChanged,      // written; the drawing is marked modified
  kNameRefused,  // nothing written: see CheckName
  kNoObject,     // the object is gone; nothing written
};

// Writes a confirmed dialog's values into the object at `index`: the name
// cut to 12 characters, the width clamped to the slider's range, a wide pen
// made solid, EndsOff only where the dialog offers its box. A changed EndsOff
// recomputes what is built on the line, since it decides whether points may
// lie beyond the line's ends.
ApplyResult ApplyProperties(ObjectList& objects, int index, const ObjectProperties& confirmed);

// The objects of the object list window, by index in list order: every point,
// line, circle, measurement and text that is not hidden, drawn or not.
std::vector<int> ListedObjects(const ObjectList& objects);

}  // namespace zelmora
