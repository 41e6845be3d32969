#include "document/extended_records.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zelmora {
namespace {

constexpr int kMinFontSize = 6, kMaxFontSize = 200;
// Label offsets beyond this come only from damaged files.
constexpr std::int64_t kMaxOffset = 100000;

std::string FullPrecision(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

double ParseScale(RecordParser& in) {
  const std::string_view text = in.Field("scale", ':');
  double value = 0;
  const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (!in.failed() && (error != std::errc() || ptr != text.data() + text.size())) {
    in.Fail("the scale " + Quoted(text) + " is not a number");
  }
  // Zooms stay within 0.1..10 at a time; far beyond that only damage remains.
  return std::isfinite(value) && value > 0 ? std::clamp(value, 1e-9, 1e9) : 1.0;
}

double Offset(RecordParser& in) {
  return static_cast<double>(
      std::clamp(in.Number<std::int64_t>("label offset", ':'), -kMaxOffset, kMaxOffset));
}

}  // namespace

bool IsExtendedKind(int kind) {
  return kind == kMeasureKind || kind == kTextKind;
}

bool UsesExtendedKinds(const ObjectList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (IsExtendedKind(list[i].Kind())) return true;
  }
  return false;
}

void WriteExtendedGeometry(RecordWriter& record, const TGObject& object) {
  if (object.Kind() == kMeasureKind) {
    const auto& m = static_cast<const TGMeasure&>(object);
    record.Field(m.Decimals, ':');
    record.Field(m.Centimetres, ':');
    record.Text(FullPrecision(m.Scale), ':');
    record.Field(static_cast<std::int64_t>(std::clamp<double>(m.LabelOffsetX, -1e5, 1e5)), ':');
    record.Field(static_cast<std::int64_t>(std::clamp<double>(m.LabelOffsetY, -1e5, 1e5)), ':');
    record.End();
  } else if (object.Kind() == kTextKind) {
    const auto& t = static_cast<const TGText&>(object);
    record.Field(static_cast<std::int64_t>(std::clamp<double>(t.X, -1e15, 1e15)), ':');
    record.Field(static_cast<std::int64_t>(std::clamp<double>(t.Y, -1e15, 1e15)), ':');
    record.Field(t.FontSize, ':');
    record.End();
    record.Text(ToFileText(EscapeTextField(t.Text)));
  }
}

void ReadExtendedGeometry(RecordParser& in, TGObject& object) {
  if (object.Kind() == kMeasureKind) {
    auto& m = static_cast<TGMeasure&>(object);
    m.Decimals = std::clamp(in.Number<int>("decimals", ':'), 0, 3);
    m.Centimetres = in.Flag("unit flag", ':');
    m.Scale = ParseScale(in);
    m.LabelOffsetX = Offset(in);
    m.LabelOffsetY = Offset(in);
  } else if (object.Kind() == kTextKind) {
    auto& t = static_cast<TGText&>(object);
    t.X = static_cast<double>(in.Number<std::int64_t>("coordinate", ':'));
    t.Y = static_cast<double>(in.Number<std::int64_t>("coordinate", ':'));
    t.FontSize = std::clamp(in.Number<int>("font size", ':'), kMinFontSize, kMaxFontSize);
  }
  if (!in.Field("geometry").empty()) in.Fail("the geometry holds more values than its kind has");
  if (object.Kind() == kTextKind) {
    static_cast<TGText&>(object).Text = UnescapeTextField(Cp1251ToUtf8(in.Field("text")));
  }
}

std::string EscapeTextField(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == ';') {
      out += "\\s";
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeTextField(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 's' ? ';' : next;
  }
  return out;
}

}  // namespace zelmora
