#pragma once

#include <string>
#include <string_view>

#include "interaction/object_properties.h"

// What the property dialogs of measurements and texts show and write.
namespace zelmora {

struct MeasureProperties {
  std::string name;
  zelmora::Color color = kBlack;
  int decimals = 2;
  bool centimetres = true;
  bool mustDraw = true;
  bool operator==(const MeasureProperties&) const = default;
};

struct TextProperties {
  zelmora::Color color = kBlack;
  int fontSize = TGText::kDefaultFontSize;
  std::string text;  // lines separated by '\n'
  bool mustDraw = true;
  bool operator==(const TextProperties&) const = default;
};

inline constexpr int kMinTextSize = 8;
inline constexpr int kMaxTextSize = 72;

MeasureProperties MeasureShown(const TGMeasure& measure);
TextProperties TextShown(const TGText& text);

// Why a text cannot be kept: the file holds Windows-1251 only, and a text of
// nothing would be an object nobody can see or take.
enum class TextProblem { kNone, kEmpty, kOutsideCharset };
TextProblem CheckText(std::string_view text);
std::string TextProblemText(TextProblem problem);

// Write confirmed values into the object at `index` (kNameRefused also for a
// refused text); the decimals are held to 0..3, the size to its range.
ApplyResult ApplyMeasureProperties(ObjectList& objects, int index,
                                   const MeasureProperties& confirmed);
ApplyResult ApplyTextProperties(ObjectList& objects, int index, const TextProperties& confirmed);

}  // namespace zelmora
