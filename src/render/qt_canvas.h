#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "geometry/canvas.h"
#include "render/label_pictures.h"
#include "render/paint_op.h"
#include "render/picture_layers.h"
#include "render/repeated_calls.h"
#include "render/thin_pen.h"

namespace zelmora {

class PointGlyphTable;
class BandWorker;

// Object name labels: the face is the user's "Name Font" setting.
inline constexpr int kLabelFontPixelSize = 13;
QFont LabelFont(const QString& family);

// The patterns of one-pixel pens, in pixels: ink, gap, ink, gap... Empty for solid.
std::vector<int> DashLengths(PenStyle style);
// Liang-Barsky: the part of the segment inside `area`; false when none is.
bool ClipSegment(const QRectF& area, QLineF& line);

// The off-screen picture of the drawing surface, painted by the objects.
// The calls are kept in order and painted when the picture is asked for
// (Image()): on a machine with two cores the upper and the lower half of the
// picture are painted at the same time, each half clipping every stroke to
// itself, which gives the very pixels one pass over the whole would give.
// One-pixel pens, labels and point glyphs are written straight into the
// picture's memory; wider pens go through a painter.
//
// A repaint that starts by clearing the picture is compared with the last
// one: only the rows where their calls differ are painted again, and when the
// differing calls change at every repaint but keep to a stretch of the list
// (the objects a drag moves), the calls before and after that stretch are
// kept painted in layers under and over it (PictureLayers).
class QImageCanvas : public Canvas {
 public:
  // How the last repaint was painted.
  enum class Repainted { Whole, Unchanged, Rows, Layers };
  // `glyphs` may be null (then points draw nothing); it must outlive the canvas.
  explicit QImageCanvas(const PointGlyphTable* glyphs, const QFont& labelFont = LabelFont({}));
  ~QImageCanvas() override;

  // A new white picture of `size`; what was drawn and not yet painted is dropped.
  void Resize(QSize size);
  void SetLabelFont(const QFont& font);
  // The picture with every call so far painted.
  const QImage& Image();
  // Lines, circles and labels antialiased from the next call on; off, the
  // default, they are the crisp one-pixel strokes the picture always had.
  void SetSmoothing(bool on);
  bool Smoothing() const { return smooth_; }
  // How many pixels of the picture make one unit of the drawing, from the
  // next Resize on: a screen's device pixel ratio. The drawing keeps its
  // units; its lines, letters and glyphs are drawn with the finer pixels.
  void SetPixelRatio(double ratio);
  double PixelRatio() const { return ratio_; }
  // Paints every repaint in `bands` (1 or 2) bands at once; 0, the default,
  // paints a large repaint in two bands when there are two cores. The upper
  // band's share of the rows is `upperShare` or, when 0, found as the
  // repaints go so that both bands finish together.
  void SetBands(int bands, double upperShare = 0);
  // Whether a repaint may start from the last one's picture (the default).
  void SetReuse(bool reuse);
  Repainted LastRepaint() const { return lastRepaint_; }
  // The rows painted since the last call, as one band; empty when none
  // were. The surface copies only those to the screen.
  RowSpan TakeChangedRows();

  void SetPen(Color color, int width, PenStyle style) override;
  void SetFontColor(Color color) override;
  bool BackgroundTransparent() const override { return transparent_; }
  void SetBackgroundTransparent(bool transparent) override { transparent_ = transparent; }
  void FillRect(int left, int top, int right, int bottom, Color color) override;
  void DrawRect(int left, int top, int right, int bottom) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void DrawEllipse(int left, int top, int right, int bottom) override;
  void DrawText(int x, int y, std::string_view text) override;
  TextSize MeasureText(std::string_view text) override;
  void SetTextSize(int pixels) override;
  void DrawPointGlyph(int left, int top, int width, int paletteIndex) override;

 private:
  // Keeps a call with the pen and colours now set.
  void Keep(PaintOp op);
  void PaintKept();
  void PaintStreamed();
  bool PaintChanges();
  Writes PaintCalls(const PixelRows& rows, std::span<const PaintOp> calls,
                    const std::uint8_t* repeated = nullptr);
  bool StartsWithClear() const;
  void EndRepaint();
  void ForgetLastRepaint();
  void Changed(RowSpan rows);
  bool TwoBands(std::size_t calls) const;
  void BeginRepaint();
  void HandOver(bool last);
  void PaintLowerBand(const PixelRows& rows);

  const PointGlyphTable* glyphs_;
  QImage image_;
  QSize pictureSize_;  // image_'s, asked for by every call
  QRgb penColour_ = qRgb(0, 0, 0);
  int penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
  QRgb fontColor_ = qRgb(0, 0, 0);
  bool transparent_ = false;
  QFont labelFont_;
  // The labels' pictures in one text size: measured in the font as given,
  // so that the drawing is laid out alike however it is painted, and drawn
  // in the font as painted (smoothed), when that differs.
  struct TextPictures {
    std::unique_ptr<LabelPictures> measured, drawn;
    LabelPictures& Drawn() { return drawn ? *drawn : *measured; }
    bool Trim();
  };
  TextPictures MakeTextPictures(const QFont& font) const;
  void MakeLabelPictures();

  // A coordinate of the drawing in the picture's pixels.
  int Device(int v) const { return ratio_ == 1 ? v : Scaled(v); }
  int Scaled(int v) const;
  // Whether `r` shares a pixel with the picture.
  bool OnPicture(const QRect& r) const {
    return !r.isEmpty() && r.left() < pictureSize_.width() && r.right() >= 0 &&
           r.top() < pictureSize_.height() && r.bottom() >= 0;
  }
  // The pixels of the units [low, high): from the first to one past the last.
  std::pair<int, int> DeviceSpan(int low, int high) const;

  bool smooth_ = false;
  double ratio_ = 1;
  TextPictures labels_;
  // Texts of other sizes than the labels', one set of pictures per size.
  std::map<int, TextPictures> sizedLabels_;
  TextPictures* textLabels_;   // the set the text calls use now
  int textSize_ = 0;           // its text size; 0 for the labels' own
  std::vector<PaintOp> kept_;  // in the order of the calls
  RepeatedCalls repeated_;     // of a whole repaint's calls
  // The labels of the last repaint in order, with their pictures: the next
  // repaint asks for the same ones in the same order, and comparing with the
  // same call of the last one costs far less than a lookup.
  struct LabelCall {
    QRgb colour;
    int textSize;                   // of the set of pictures, as textSize_
    int touchedTop, touchedBottom;  // the rows its letters and its cleared box may cover
    std::string text;
    const LabelPictures::Picture* picture;
    // The picture's, kept here so that a repaint need not read the picture.
    const PackedMask* mask;
    QRect reach;
  };
  std::vector<LabelCall> lastLabels_;
  std::size_t labelCall_ = 0;
  int bands_ = 0;
  bool fixedShare_ = false;
  double upperShare_ = 0.5;
  std::size_t lastCount_ = 0;  // calls of the last repaint
  struct LowerBand;
  std::unique_ptr<LowerBand> lower_;
  bool streaming_ = false;  // the lower band is being painted as calls come
  int splitRow_ = 0;
  std::unique_ptr<BandWorker> worker_;  // after lower_: its thread reads it
  bool reuse_ = true;
  // The calls of the last repaint, when the picture holds exactly them.
  std::vector<PaintOp> last_;
  bool lastValid_ = false;
  Repainted lastRepaint_ = Repainted::Whole;
  PictureLayers layers_;
  bool layersKept_ = false;
  RowSpan changedRows_;
};

}  // namespace zelmora
