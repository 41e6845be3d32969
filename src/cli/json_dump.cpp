#include "cli/json_dump.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "geometry/text_fields.h"

namespace zelmora {
namespace {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// JSON has no infinities or NaN; they show as null.
std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Numbers(const std::vector<TGObject*>& objects) {
  std::string out = "[";
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (i > 0) out += ", ";
    out += std::to_string(objects[i]->Index());
  }
  return out + "]";
}

// Appends `, "key": value` pairs to one JSON object's text.
class Fields {
 public:
  void Add(std::string_view key, const std::string& json) {
    text_ += text_.empty() ? "{" : ", ";
    text_ += Quoted(key) + ": " + json;
  }
  void Add(std::string_view key, double value) { Add(key, Number(value)); }
  void Add(std::string_view key, long long value) { Add(key, std::to_string(value)); }
  void Add(std::string_view key, bool value) { Add(key, std::string(value ? "true" : "false")); }
  std::string Close() const { return text_ + "}"; }

 private:
  std::string text_;
};

void AddGeometry(Fields& fields, const TGObject& object) {
  switch (object.Kind()) {
    case kPointKind: {
      const auto& p = static_cast<const TGPoint&>(object);
      fields.Add("x", p.X), fields.Add("y", p.Y);
      break;
    }
    case kLineKind: {
      const auto& l = static_cast<const TGLine&>(object);
      fields.Add("x1", l.X1), fields.Add("y1", l.Y1), fields.Add("x2", l.X2);
      fields.Add("y2", l.Y2), fields.Add("bounded1", l.Bounded1);
      fields.Add("bounded2", l.Bounded2), fields.Add("endsOff", l.EndsOff);
      break;
    }
    case kCircleKind: {
      const auto& c = static_cast<const TGCircle&>(object);
      fields.Add("cx", c.CX), fields.Add("cy", c.CY), fields.Add("r", c.R);
      break;
    }
    case kAngleKind:
      fields.Add("value", static_cast<const TGAngle&>(object).Value);
      break;
    case kLengthKind:
      fields.Add("value", static_cast<const TGLength&>(object).Value);
      break;
    default:
      break;
  }
}

void AddMeasureOrText(Fields& fields, const TGObject& object, const FieldLookup& lookup) {
  constexpr double kPixelsPerCentimetre = DrawContext{}.pixelsPerCentimetre;
  if (object.Kind() == kMeasureKind) {
    const auto& m = static_cast<const TGMeasure&>(object);
    fields.Add("value", m.Defined && m.HasValue ? Number(m.Value) : "null");
    fields.Add("decimals", static_cast<long long>(m.Decimals));
    fields.Add("centimetres", m.Centimetres);
    fields.Add("caption", Quoted(m.Caption(kPixelsPerCentimetre)));
  } else if (object.Kind() == kTextKind) {
    const auto& t = static_cast<const TGText&>(object);
    fields.Add("x", t.X), fields.Add("y", t.Y);
    fields.Add("fontSize", static_cast<long long>(t.FontSize));
    fields.Add("text", Quoted(t.Text));
    fields.Add("shown", Quoted(FillFields(t.Text, lookup)));
  }
}

std::string ObjectJson(const TGObject& o, const FieldLookup& lookup) {
  Fields fields;
  fields.Add("index", static_cast<long long>(o.Index()));
  fields.Add("kind", static_cast<long long>(o.Kind()));
  fields.Add("name", Quoted(o.Name));
  fields.Add("color", static_cast<long long>(o.Color));
  fields.Add("width", static_cast<long long>(o.Width));
  fields.Add("penStyle", static_cast<long long>(o.PenStyle));
  fields.Add("nameVisible", o.NameVisible);
  fields.Add("mustDraw", o.MustDraw);
  fields.Add("defined", o.Defined);
  fields.Add("hidden", o.Hidden);
  fields.Add("method", static_cast<long long>(o.Method));
  fields.Add("parents", Numbers(o.Parents));
  fields.Add("children", Numbers(o.Children));
  AddGeometry(fields, o);
  AddMeasureOrText(fields, o, lookup);
  return fields.Close();
}

}  // namespace

std::string DumpJson(const ObjectList& list, const DocumentInfo& info) {
  std::string out = "{\"author\": " + Quoted(info.author) + ", \"comment\": [";
  for (std::size_t i = 0; i < info.comment.size(); ++i) {
    out += (i > 0 ? ", " : "") + Quoted(info.comment[i]);
  }
  out += "], \"objects\": [";
  const FieldLookup lookup = MeasureLookup(list, DrawContext{}.pixelsPerCentimetre);
  for (std::size_t i = 0; i < list.size(); ++i) {
    out += (i > 0 ? ",\n  " : "\n  ") + ObjectJson(list[i], lookup);
  }
  out += list.empty() ? "]}\n" : "\n]}\n";
  return out;
}

std::string JsonString(std::string_view text) {
  return Quoted(text);
}

}  // namespace zelmora
