#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/canvas.h"

namespace zelmora::testing {

// A canvas that remembers what was drawn, in order, with the pen and font
// colour in force at the time. Text measures 7 pixels a byte by 16 high.
class RecordingCanvas : public Canvas {
 public:
  enum class Op { Line, Ellipse, Text, Glyph, Fill, Rect };
  struct Call {
    Op op = Op::Line;
    int a = 0, b = 0, c = 0, d = 0;  // line ends, ellipse box; text/glyph: a,b = position
    std::string text;                // text
    int glyphWidth = 0, glyphColorIndex = 0;
    Color penColor = 0, fontColor = 0;
    int penWidth = 0;
    PenStyle penStyle = PenStyle::Solid;
    bool transparent = false;
    int textSize = 0;
  };

  void SetPen(Color color, int width, PenStyle style) override {
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = style;
  }
  void SetFontColor(Color color) override { fontColor_ = color; }
  bool BackgroundTransparent() const override { return transparent_; }
  void SetBackgroundTransparent(bool transparent) override { transparent_ = transparent; }
  void FillRect(int l, int t, int r, int b, Color color) override {
    Add(Op::Fill, l, t, r, b).penColor = color;
  }
  void DrawRect(int l, int t, int r, int b) override { Add(Op::Rect, l, t, r, b); }
  void DrawLine(int x1, int y1, int x2, int y2) override { Add(Op::Line, x1, y1, x2, y2); }
  void DrawEllipse(int l, int t, int r, int b) override { Add(Op::Ellipse, l, t, r, b); }
  void DrawText(int x, int y, std::string_view text) override {
    Add(Op::Text, x, y, 0, 0).text = std::string(text);
  }
  TextSize MeasureText(std::string_view text) override {
    return {static_cast<int>(text.size()) * 7, 16};
  }
  void SetTextSize(int pixels) override { textSize_ = pixels; }
  void DrawPointGlyph(int left, int top, int width, int colorIndex) override {
    Call& call = Add(Op::Glyph, left, top, 0, 0);
    call.glyphWidth = width;
    call.glyphColorIndex = colorIndex;
  }

  std::vector<Call> calls;

 private:
  Call& Add(Op op, int a, int b, int c, int d) {
    Call call;
    call.op = op;
    call.a = a;
    call.b = b;
    call.c = c;
    call.d = d;
    call.penColor = penColor_;
    call.fontColor = fontColor_;
    call.penWidth = penWidth_;
    call.penStyle = penStyle_;
    call.transparent = transparent_;
    call.textSize = textSize_;
    calls.push_back(call);
    return calls.back();
  }

  Color penColor_ = 0, fontColor_ = 0;
  int penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
  bool transparent_ = false;
  int textSize_ = 0;
};

}  // namespace zelmora::testing
