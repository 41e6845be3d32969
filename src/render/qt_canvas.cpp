#include "render/qt_canvas.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <limits>
#include <mutex>
#include <numbers>
#include <optional>
#include <thread>
#include <utility>

#include "render/point_glyph_table.h"
#include "render/qt_color.h"
#include "render/soft_pen.h"

namespace zelmora {
namespace {

// A pen wider than this would only fill the picture more slowly.
constexpr int kMaxPenWidth = 255;
static_assert(kMaxPenWidth <= std::numeric_limits<decltype(PaintOp::penWidth)>::max());
// Beyond this size an ellipse is drawn as the arc that can be seen.
constexpr double kHugeEllipseFactor = 4.0;
constexpr int kMaxArcSegments = 20000;
// How far a chord of a one-pixel circle may stray from the true curve.
constexpr double kChordError = 0.25;
// Fewer calls than this are painted in one band: handing them to the other
// core would cost more than it saves.
constexpr std::size_t kCallsWorthTwoBands = 256;
// How many calls the canvas keeps before handing them to the lower band's
// painter while a repaint is still being made.
constexpr std::size_t kCallsPerHandOver = 512;
// How much of the picture the upper band may shrink or grow to, and by how
// much each repaint moves the border towards an even share of the work.
constexpr double kLeastShare = 0.2, kShareStep = 0.01;
// How many calls ahead a label's letters are asked for from memory.
constexpr std::size_t kLabelsAhead = 6;

}  // namespace

std::vector<int> DashLengths(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return {18, 6};
    case PenStyle::Dot:
      return {3, 3};
    case PenStyle::DashDot:
      return {9, 6, 3, 6};
    case PenStyle::DashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

bool ClipSegment(const QRectF& area, QLineF& line) {
  double t0 = 0, t1 = 1;
  const double dx = line.dx(), dy = line.dy();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {line.x1() - area.left(), area.right() - line.x1(), line.y1() - area.top(),
                       area.bottom() - line.y1()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const QPointF start = line.p1();
  line = QLineF(start + t0 * QPointF(dx, dy), start + t1 * QPointF(dx, dy));
  return true;
}

namespace {

// The directions of a polygon's corners, going round once: turning a unit
// vector step by step spares a sine and cosine per corner. The turning is a
// chain of dependent products, and the directions depend on the count
// alone, while a drawing's circles come in a few hundred counts: each thread
// keeps them, up to the counts of circles a few screens wide.
struct CornerTurn {
  std::vector<QPointF> directions;
  double mostDown = 0;  // the most a direction's y changes from one corner to the next
};

const CornerTurn& CornerDirections(int count) {
  constexpr int kKeptCounts = 512;
  thread_local std::vector<CornerTurn> kept(kKeptCounts + 1);
  thread_local CornerTurn last;
  CornerTurn& turn = count <= kKeptCounts ? kept[static_cast<std::size_t>(count)] : last;
  std::vector<QPointF>& directions = turn.directions;
  if (directions.size() == static_cast<std::size_t>(count)) return turn;
  directions.clear();
  const double turnCos = std::cos(2 * std::numbers::pi / count);
  const double turnSin = std::sin(2 * std::numbers::pi / count);
  double ux = 1, uy = 0;
  for (int i = 0; i < count; ++i) {
    directions.emplace_back(ux, uy);
    const double next = ux * turnCos - uy * turnSin;
    uy = uy * turnCos + ux * turnSin;
    ux = next;
  }
  turn.mostDown = 0;
  for (int i = 0; i < count; ++i) {
    const double y = directions[static_cast<std::size_t>(i)].y();
    const double after = directions[static_cast<std::size_t>((i + 1) % count)].y();
    turn.mostDown = std::max(turn.mostDown, std::abs(after - y));
  }
  return turn;
}

// The corners of a polygon that stays within kChordError of the ellipse in
// `box`, going round once.
class EllipseCorners {
 public:
  explicit EllipseCorners(const QRectF& box)
      : centre_(box.center()), rx_(box.width() / 2), ry_(box.height() / 2) {
    const double r = std::max(rx_, ry_);
    const double step = r > kChordError ? 2 * std::acos(1 - kChordError / r) : std::numbers::pi / 2;
    turn_ = &CornerDirections(
        std::clamp(static_cast<int>(std::ceil(2 * std::numbers::pi / step)), 4, kMaxArcSegments));
  }
  int Count() const { return static_cast<int>(turn_->directions.size()); }
  QPointF operator[](int i) const {
    const QPointF& u = turn_->directions[static_cast<std::size_t>(i)];
    return {centre_.x() + rx_ * u.x(), centre_.y() + ry_ * u.y()};
  }
  // The most a corner's y may change from one corner to the next, rounding
  // included.
  double MostDown() const { return ry_ * turn_->mostDown * (1 + 1e-9) + 1e-7; }

 private:
  QPointF centre_;
  double rx_, ry_;
  const CornerTurn* turn_;
};

// The corners of the part of a circle far larger than the picture that lies
// inside it: a polyline of `segments` chords.
struct ArcCorners {
  QPointF centre;
  double radius = 0, start = 0, sweep = 0;
  int segments = 0;

  int Count() const { return segments + 1; }
  QPointF operator[](int i) const {
    const double angle = start + sweep * i / segments;
    return centre + radius * QPointF(std::cos(angle), std::sin(angle));
  }
  // The most a corner's y may change from one corner to the next, rounding
  // included.
  double MostDown() const {
    return radius * std::abs(sweep) / segments * (1 + 1e-9) + radius * 1e-12 + 1e-6;
  }
};

// Calls `corner` with each corner of the polygon, going round once.
template <class F>
void ForEachEllipseCorner(const QRectF& box, F corner) {
  const EllipseCorners corners(box);
  for (int i = 0, count = corners.Count(); i < count; ++i) corner(corners[i]);
}

// The corners handed here lie within a few picture sizes of the picture.
// (A truncation corrected downwards: std::floor is a library call on the
// baseline processor, and a circle of a big drawing has hundreds of corners.)
int RoundHalfUp(double v) {
  const double shifted = v + 0.5;
  const int i = static_cast<int>(shifted);
  return shifted < i ? i - 1 : i;
}

QPoint Nearest(QPointF p) {
  return QPoint(RoundHalfUp(p.x()), RoundHalfUp(p.y()));
}

}  // namespace

QFont LabelFont(const QString& family) {
  QFont font(family.isEmpty() ? QStringLiteral("Times New Roman") : family);
  font.setPixelSize(kLabelFontPixelSize);
  // Crisp letters, as labels on a plain white plane always looked; half the
  // pixels of smoothed ones to draw, too.
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// A second thread that paints the lower band while the caller paints the
// upper one. It lives as long as the canvas: starting a thread per repaint
// would cost as much as the band.
class BandWorker {
 public:
  BandWorker() : thread_([this] { Serve(); }) {}
  ~BandWorker() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }
  void Start(std::function<void()> job) {
    {
      std::lock_guard lock(mutex_);
      job_ = std::move(job);
      done_ = false;
    }
    wake_.notify_one();
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return done_; });
  }

 private:
  void Serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stop_ || job_; });
      if (stop_) return;
      std::function<void()> job = std::move(job_);
      job_ = nullptr;
      lock.unlock();
      job();
      lock.lock();
      done_ = true;
      finished_.notify_one();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_, finished_;
  std::function<void()> job_;
  bool done_ = true, stop_ = false;
  std::thread thread_;  // last: it starts once everything above is ready
};

// The lower band of a repaint is painted while the calls are still being
// made: the canvas hands over the calls kept so far every few hundred, and
// the rest when the picture is asked for; the upper band is painted then.
struct QImageCanvas::LowerBand {
  std::mutex mutex;
  std::condition_variable more, caughtUp;
  const PaintOp* calls = nullptr;          // the kept calls, while the painter may read them
  const std::uint8_t* repeated = nullptr;  // with the last calls: those to pass over
  std::size_t handedOver = 0, painted = 0;
  bool ended = false;
  std::chrono::steady_clock::time_point finished;
};

namespace {

constexpr int kStyles = 5;
// The thickest a one-unit pen gets: four picture pixels per unit.
constexpr int kMaxThickness = 4;

// A pattern as long in units on every picture: `thickness` pixels a unit.
const PixelPattern& PatternOf(PenStyle style, int thickness) {
  static const auto patterns = [] {
    std::array<std::array<PixelPattern, kStyles>, kMaxThickness> all;
    for (int t = 1; t <= kMaxThickness; ++t) {
      for (int i = 1; i < kStyles; ++i) {
        std::vector<int> lengths = DashLengths(static_cast<PenStyle>(i));
        for (int& length : lengths) length *= t;
        all[t - 1][i] = MakePixelPattern(lengths);
      }
    }
    return all;
  }();
  const int i = static_cast<int>(style);
  return patterns[std::clamp(thickness, 1, kMaxThickness) - 1][i >= 0 && i < kStyles ? i : 0];
}

// How a repaint is painted: smoothed or not, and how many picture pixels
// make one unit of the plane (a screen's device pixel ratio).
struct PaintLook {
  bool smooth = false;
  double ratio = 1;
  int thickness = 1;  // of a one-unit pen, in pixels
};

PaintLook LookOf(bool smooth, double ratio) {
  return {smooth, ratio, std::clamp(static_cast<int>(std::lround(ratio)), 1, kMaxThickness)};
}

// Paints the kept calls into rows [top, bottom) of the picture. Every
// decision about where a stroke goes is taken on the whole picture, as if
// there were no bands; only the pixels written are cut to the band.
class BandPainter {
 public:
  BandPainter(const PixelRows& rows, const PointGlyphTable* glyphs, const PaintLook& look)
      : rows_(rows),
        whole_(0, 0, rows.width, rows.height),
        glyphs_(glyphs),
        smooth_(look.smooth),
        ratio_(look.ratio),
        thick_(look.thickness),
        shift_(look.smooth ? look.ratio / 2 : (look.ratio - 1) / 2),
        // A soft pen mixes its colour into what lies beneath.
        blended_(look.smooth),
        guarded_(rows.above.bits != nullptr) {}
  ~BandPainter() {
    if (painter_) painter_->end();
  }

  void Paint(const std::vector<PaintOp>& ops) { Paint(ops.data(), ops.size()); }
  Writes Wrote() const {
    return byPainter_ ? Writes::ByPainter : blended_ ? Writes::Blended : Writes::Whole;
  }
  // `repeated`, if not null, marks the calls that a later one paints again.
  void Paint(const PaintOp* ops, std::size_t count, const std::uint8_t* repeated = nullptr) {
    for (std::size_t i = 0; i < count; ++i) {
      if (repeated != nullptr && repeated[i] != 0) continue;
      // The letters lie elsewhere in memory: asking for them some calls
      // ahead hides most of the wait.
      if (i + kLabelsAhead < count) PrefetchLetters(ops[i + kLabelsAhead]);
      const PaintOp& op = ops[i];
      switch (op.kind) {
        case PaintOp::Fill:
          Fill(QRect(QPoint(op.a, op.b), QPoint(op.c, op.d)), op.colour);
          if (guarded_) Settle(QRect(QPoint(op.a, op.b), QPoint(op.c, op.d)));
          break;
        case PaintOp::Rect:
          Rect(op);
          break;
        case PaintOp::Line:
          Line(op);
          break;
        case PaintOp::Ellipse:
          Ellipse(op);
          break;
        case PaintOp::Text:
          if (!InBand(op)) break;
          Text(op);
          if (guarded_) Settle(LabelBox(op));
          break;
        case PaintOp::Glyph:
          Glyph(op);
          if (guarded_) {
            const auto& glyph = *static_cast<const QImage*>(op.item);
            Settle(QRect(op.a, op.b, glyph.width(), glyph.height()));
          }
          break;
      }
    }
  }

 private:
  // Labels keep the rows they may touch in c..d.
  bool InBand(const PaintOp& op) const { return op.d >= rows_.top && op.c < rows_.bottom; }

  // After a call that wrote inside `box` of a guarded picture: the layer
  // above takes its pixels back. (Labels and glyphs are small; the pens
  // guard pixel by pixel.)
  void Settle(QRect box) const {
    box = box.intersected(Writable());
    if (box.isEmpty()) return;
    const auto stride =
        static_cast<std::size_t>(rows_.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb)));
    auto* const bits = reinterpret_cast<QRgb*>(rows_.bits);
    const std::uint64_t* const mask = rows_.above.bits;
    for (int y = box.top(); y <= box.bottom(); ++y) {
      const std::size_t first = static_cast<std::size_t>(y) * stride + box.left();
      const std::size_t last = first + static_cast<std::size_t>(box.width()) - 1;
      // The mask a word at a time: most of a label's pixels lie under no line.
      for (std::size_t w = first / 64; w <= last / 64; ++w) {
        std::uint64_t word = mask[w];
        if (w == first / 64) word &= ~std::uint64_t{0} << (first % 64);
        if (w == last / 64 && last % 64 != 63) word &= (std::uint64_t{1} << (last % 64 + 1)) - 1;
        for (; word != 0; word &= word - 1) {
          const std::size_t at = w * 64 + static_cast<std::size_t>(std::countr_zero(word));
          bits[at] = rows_.aboveColours[at];
        }
      }
    }
  }

  static void PrefetchLetters(const PaintOp& op) {
    if (op.kind != PaintOp::Text || op.letters == nullptr) return;
    const char* at = static_cast<const char*>(op.letters);
    __builtin_prefetch(at);
    __builtin_prefetch(at + 64);
    __builtin_prefetch(at + 128);
  }

  // A painter on the band alone, in the picture's coordinates. A dashed
  // line cut short starts `dashOffset` pixels into its pattern.
  QPainter& Painter(const PaintOp& op, double dashOffset = 0) {
    // Whether a painter writes whole opaque pixels is its own business: its
    // strokes stay out of an upper layer.
    byPainter_ = true;
    if (!painter_) {
      band_ = QImage(rows_.bits + rows_.top * rows_.bytesPerLine, rows_.width,
                     rows_.bottom - rows_.top, rows_.bytesPerLine, QImage::Format_RGB32);
      painter_.emplace(&band_);
      painter_->translate(0, -rows_.top);
      if (rows_.left != 0 || rows_.right != rows_.width) painter_->setClipRect(Writable());
      painter_->setBrush(Qt::NoBrush);
      painter_->setRenderHint(QPainter::Antialiasing, smooth_);
    }
    if (!penSet_ || penColour_ != op.colour || penWidth_ != op.penWidth || penStyle_ != op.style ||
        dashOffset != 0) {
      painter_->setPen(PenFor(op, dashOffset));
      penSet_ = true;
      penColour_ = op.colour;
      penWidth_ = op.penWidth;
      penStyle_ = op.style;
    }
    return *painter_;
  }

  QPen PenFor(const PaintOp& op, double dashOffset) const {
    QPen pen(QColor::fromRgb(op.colour), op.penWidth * ratio_);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    if (op.style != PenStyle::Solid) {
      // Only one-pixel pens are dashed, so the pattern's pixels are pen widths.
      QList<qreal> lengths;
      for (const int length : DashLengths(op.style)) lengths.append(length);
      pen.setCapStyle(Qt::FlatCap);
      pen.setDashPattern(lengths);
      pen.setDashOffset(dashOffset);
    }
    return pen;
  }

  // Wide strokes go through the painter, through the middle of the pixels
  // of one unit (a smoothed one through their centres).
  static bool ViaPainter(const PaintOp& op) { return op.penWidth != 1; }
  QPointF Centred(QPointF p) const { return p + QPointF(shift_, shift_); }

  SoftPen Soft(const PaintOp& op, int phase = 0) {
    // A soft pen does not guard its pixels: as good as a painter's.
    if (guarded_) byPainter_ = true;
    return SoftPen(rows_, op.colour, PatternOf(op.style, thick_), thick_, phase);
  }

  ThinPen Pen(const PaintOp& op, int phase = 0) const {
    return ThinPen(rows_, op.colour, PatternOf(op.style, thick_), phase, thick_);
  }

  // How far a stroke's pixels may lie from its line.
  int Reach(const PaintOp& op) const { return op.penWidth * thick_ + 2; }

  // The picture grown by the pen's reach: what lies outside is never seen.
  QRectF VisibleArea(const PaintOp& op) const {
    const double reach = Reach(op);
    return QRectF(whole_).adjusted(-reach, -reach, reach, reach);
  }

  // The part of the picture this painter may write to.
  QRect Writable() const {
    return QRect(rows_.left, rows_.top, rows_.right - rows_.left, rows_.bottom - rows_.top);
  }

  void Fill(QRect box, QRgb colour) {
    box = box.intersected(Writable());
    if (box.isEmpty()) return;
    const qsizetype stride = rows_.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb));
    QRgb* row = reinterpret_cast<QRgb*>(rows_.bits) + box.top() * stride + box.left();
    colour |= 0xFF000000u;
    if (box.width() == rows_.width && stride == rows_.width) {
      std::fill_n(row, static_cast<qsizetype>(box.height()) * stride, colour);
      return;
    }
    for (int y = box.top(); y <= box.bottom(); ++y, row += stride) {
      std::fill_n(row, box.width(), colour);
    }
  }

  void Rect(const PaintOp& op) {
    if (PassesBy(op, std::min(op.b, op.d), std::max(op.b, op.d))) return;
    const double l = std::min(op.a, op.c), t = std::min(op.b, op.d);
    const double r = std::max(op.a, op.c) - 1, b = std::max(op.b, op.d) - 1;
    Stroke(op, {{l, t}, {r, t}, {r, b}, {l, b}}, true);
  }

  // Whether nothing between rows `top` and `bottom`, grown by the pen's
  // reach, falls into the band: every line keeps to the rows of its ends.
  bool PassesBy(const PaintOp& op, int top, int bottom) const {
    const int reach = Reach(op);
    return bottom + reach < rows_.top || top - reach >= rows_.bottom;
  }

  void Line(const PaintOp& op) {
    if (PassesBy(op, std::min(op.b, op.d), std::max(op.b, op.d))) return;
    QLineF line(op.a, op.b, op.c, op.d);
    const QRectF area = VisibleArea(op);
    if (area.contains(line.p1()) && area.contains(line.p2())) {
      if (ViaPainter(op)) {
        Stroke(op, {line.p1(), line.p2()}, false);
        return;
      }
      const QPoint from(op.a, op.b), to(op.c, op.d);
      if (smooth_) {
        SoftPen pen = Soft(op);
        pen.Segment(from, to);
        pen.Dot(to);
        return;
      }
      ThinPen pen = Pen(op);
      pen.Segment(from, to);
      pen.Dot(to);
      return;
    }
    // Far-away ends are cut off here, not left to the drawing code; a pattern
    // keeps its phase so a dashed line does not crawl while it is dragged.
    const QPoint start(op.a, op.b);
    if (!ClipSegment(area, line)) return;
    if (ViaPainter(op)) {
      const double along = QLineF(QPointF(start), line.p1()).length();
      Painter(op, along).drawLine(QLineF(Centred(line.p1()), Centred(line.p2())));
      return;
    }
    const QPoint from = Nearest(line.p1());
    const int phase = std::max(std::abs(from.x() - start.x()), std::abs(from.y() - start.y()));
    if (smooth_) {
      Soft(op, phase).Segment(line.p1(), line.p2());
      return;
    }
    Pen(op, phase).Segment(from, Nearest(line.p2()));
  }

  void Ellipse(const PaintOp& op) {
    const QRectF box = QRectF(QPointF(op.a, op.b), QPointF(op.c - 1, op.d - 1)).normalized();
    if (!VisibleArea(op).intersects(box)) return;
    const double limit = kHugeEllipseFactor * (whole_.width() + whole_.height());
    if (box.width() > limit || box.height() > limit) {
      const std::optional<ArcCorners> arc = VisibleArc(op, box);
      if (!arc) return;
      if (SolidThin(op)) {
        ThinPen pen = Pen(op);
        SolidPolyline(*arc, false, pen);
        return;
      }
      std::vector<QPointF> corners;
      corners.reserve(static_cast<std::size_t>(arc->Count()));
      for (int i = 0; i < arc->Count(); ++i) corners.push_back((*arc)[i]);
      Stroke(op, corners, false);
      return;
    }
    // The other band's circles: every corner of one lies within half a
    // pixel of its box, and a wide pen reaches no further than its width.
    const double reach = op.penWidth * thick_ + 1;
    if (box.bottom() + reach < rows_.top || box.top() - reach >= rows_.bottom) return;
    if (ViaPainter(op)) {
      Painter(op).drawEllipse(box.translated(Centred({})));
      return;
    }
    if (smooth_) {
      SoftPen pen = Soft(op);
      Chords(box, pen, [](QPointF p) { return p; });
    } else if (SolidThin(op)) {
      ThinPen pen = Pen(op);
      SolidPolyline(EllipseCorners(box), true, pen);
    } else {
      ThinPen pen = Pen(op);
      Chords(box, pen, [](QPointF p) { return Nearest(p); });
    }
  }

  // A one-pixel solid pen of crisp pixels, not through the painter.
  bool SolidThin(const PaintOp& op) const {
    return !smooth_ && !ViaPainter(op) && op.style == PenStyle::Solid && thick_ == 1;
  }

  // The chords of a solid one-pixel circle or arc, closed or not. One whose
  // corners both round to rows above the band, or both below, writes
  // nothing here and is passed by before its corners are rounded: most of a
  // circle that reaches into the other band. A corner far from the band
  // tells how many of the next stay on its side: those are not even worked
  // out.
  template <class Corners>
  void SolidPolyline(const Corners& corners, bool closed, ThinPen& pen) const {
    const double top = rows_.top, bottom = rows_.bottom;
    // Rounded as Nearest rounds: -1 above the band, 1 below, 0 within.
    auto side = [top, bottom](double y) {
      const double shifted = y + 0.5;
      return shifted < top ? -1 : shifted >= bottom ? 1 : 0;
    };
    const int count = corners.Count();
    const double stepsPerPixel = 1 / corners.MostDown();
    const QPointF first = corners[0];
    const int firstSide = side(first.y());
    QPointF previous = first;
    int previousSide = firstSide;
    // Nearest(previous), while previous lies in the band.
    QPoint previousPixel = firstSide == 0 ? Nearest(first) : QPoint();
    for (int i = 1; i < count; ++i) {
      QPointF p = corners[i];
      const int at = side(p.y());
      if (at == 0) {
        const QPoint pixel = Nearest(p);
        pen.Segment(previousSide == 0 ? previousPixel : Nearest(previous), pixel);
        previousPixel = pixel;
      } else {
        if (at != previousSide) {
          pen.Segment(previousSide == 0 ? previousPixel : Nearest(previous), Nearest(p));
        }
        // Every corner up to `i + ahead` lies on the same side as this one.
        const double gap = at < 0 ? top - (p.y() + 0.5) : p.y() + 0.5 - bottom;
        const double ahead = std::min(gap * stepsPerPixel, static_cast<double>(count)) - 1;
        if (ahead >= 1) {
          i = std::min(i + static_cast<int>(ahead), count - 1);
          p = corners[i];
        }
      }
      previous = p;
      previousSide = at;
    }
    if (!closed) {
      pen.Dot(Nearest(previous));
    } else if (firstSide == 0 || firstSide != previousSide) {
      pen.Segment(Nearest(previous), Nearest(first));
    }
  }

  // Chord by chord as the corners come: a big drawing has thousands of
  // circles, and collecting their corners first cost a fifth of a repaint.
  // `place` puts a corner where the pen takes it.
  template <class P, class Place>
  static void Chords(const QRectF& box, P& pen, Place place) {
    decltype(place(QPointF())) first, previous;
    bool started = false;
    ForEachEllipseCorner(box, [&](QPointF p) {
      const auto point = place(p);
      if (started) {
        pen.Segment(previous, point);
      } else {
        first = point;
        started = true;
      }
      previous = point;
    });
    pen.Segment(previous, first);
  }

  template <class P, class Place>
  static void Polyline(const std::vector<QPointF>& corners, bool closed, P& pen, Place place) {
    for (std::size_t i = 1; i < corners.size(); ++i) {
      pen.Segment(place(corners[i - 1]), place(corners[i]));
    }
    if (closed) {
      pen.Segment(place(corners.back()), place(corners.front()));
    } else {
      pen.Dot(Nearest(corners.back()));
    }
  }

  void Stroke(const PaintOp& op, const std::vector<QPointF>& corners, bool closed) {
    if (corners.size() < 2) return;
    if (ViaPainter(op)) {
      QPainter& painter = Painter(op);
      QPolygonF polygon(corners.begin(), corners.end());
      polygon.translate(shift_, shift_);
      if (closed) {
        painter.drawPolygon(polygon);
      } else {
        painter.drawPolyline(polygon);
      }
      return;
    }
    if (smooth_) {
      SoftPen pen = Soft(op);
      Polyline(corners, closed, pen, [](QPointF p) { return p; });
    } else {
      ThinPen pen = Pen(op);
      Polyline(corners, closed, pen, [](QPointF p) { return Nearest(p); });
    }
  }

  // A circle far larger than the picture: only the arc inside the picture,
  // as corners of a polyline. The objects draw circles only, so the box is
  // taken as one.
  std::optional<ArcCorners> VisibleArc(const PaintOp& op, const QRectF& box) const {
    const QRectF area = VisibleArea(op);
    const QPointF c = box.center();
    const double r = (box.width() + box.height()) / 4;
    const QPointF corners[4] = {area.topLeft(), area.topRight(), area.bottomLeft(),
                                area.bottomRight()};
    double farthest = 0;
    for (const QPointF& corner : corners) farthest = std::max(farthest, QLineF(c, corner).length());
    const double nearestX = std::clamp(c.x(), area.left(), area.right());
    const double nearestY = std::clamp(c.y(), area.top(), area.bottom());
    const double nearest = QLineF(c, QPointF(nearestX, nearestY)).length();
    // With the centre inside the picture the circle would be small; here it
    // lies outside, so the picture is seen from it under less than half a turn.
    if (r < nearest || r > farthest || nearest == 0) return std::nullopt;
    const double towards = std::atan2(area.center().y() - c.y(), area.center().x() - c.x());
    double from = 0, to = 0;
    for (const QPointF& corner : corners) {
      const double turn = std::remainder(
          std::atan2(corner.y() - c.y(), corner.x() - c.x()) - towards, 2 * std::numbers::pi);
      from = std::min(from, turn);
      to = std::max(to, turn);
    }
    const double length = r * (to - from);
    const int segments = static_cast<int>(std::clamp(length / 2, 2.0, double{kMaxArcSegments}));
    return ArcCorners{c, r, towards + from, to - from, segments};
  }

  void Text(const PaintOp& op) {
    const auto* picture = static_cast<const LabelPictures::Picture*>(op.item);
    if (op.opaque) {
      Fill(QRect(op.a, op.b, picture->size.width, picture->size.height).intersected(whole_),
           qRgb(255, 255, 255));
    }
    if (op.letters != nullptr) {
      BlitMask(rows_, op.a, op.b, *static_cast<const PackedMask*>(op.letters));
    } else {
      BlitInk(rows_, op.a, op.b, picture->ink->Runs(), picture->reach);
      blended_ = true;  // smoothed letters may blend
    }
  }

  void Glyph(const PaintOp& op) {
    if (ratio_ != 1) {
      Disc(op);
      return;
    }
    const auto& glyph = *static_cast<const QImage*>(op.item);
    if (const std::vector<InkRun>* runs = glyphs_->Runs(op.c, op.d)) {
      BlitInk(rows_, op.a, op.b, *runs, glyph.rect());
    } else {
      Painter(op).drawImage(op.a, op.b, glyph);
    }
  }

  PixelRows rows_;
  QRect whole_;
  // A glyph on a picture of more pixels than units: its disc, drawn at the
  // picture's own size rather than the glyph's pixels blown up, and smoothed
  // (a small disc of whole pixels looks square).
  void Disc(const PaintOp& op) {
    const std::optional<GlyphDisc> disc = glyphs_->Disc(op.c, op.d);
    if (!disc) return;
    const QRectF& box = disc->box;
    QPainter& painter = Painter(op);
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc->colour);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawEllipse(QRectF(op.a + box.x() * ratio_, op.b + box.y() * ratio_,
                               box.width() * ratio_, box.height() * ratio_));
    painter.setRenderHint(QPainter::Antialiasing, smooth_);
    painter.setBrush(Qt::NoBrush);
    penSet_ = false;
  }

  const PointGlyphTable* glyphs_;
  bool smooth_;
  double ratio_;
  int thick_;
  double shift_;  // from a unit's first pixel to the middle of its pixels
  QImage band_;
  std::optional<QPainter> painter_;
  bool blended_ = false, byPainter_ = false;
  bool guarded_;
  bool penSet_ = false;
  QRgb penColour_ = 0;
  int penWidth_ = 0;
  PenStyle penStyle_ = PenStyle::Solid;
};

}  // namespace

QImageCanvas::QImageCanvas(const PointGlyphTable* glyphs, const QFont& labelFont)
    : glyphs_(glyphs),
      labelFont_(labelFont),
      labels_(MakeTextPictures(labelFont)),
      textLabels_(&labels_) {
  SetPen(kBlack, 1, PenStyle::Solid);
}

bool QImageCanvas::TextPictures::Trim() {
  const bool trimmed = measured->Trim();
  return (drawn && drawn->Trim()) || trimmed;
}

QImageCanvas::TextPictures QImageCanvas::MakeTextPictures(const QFont& font) const {
  TextPictures pictures{std::make_unique<LabelPictures>(font), nullptr};
  if (smooth_ || ratio_ != 1) {
    QFont drawn = font;
    if (smooth_) drawn.setStyleStrategy(QFont::PreferAntialias);
    if (ratio_ != 1 && font.pixelSize() > 0) {
      drawn.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * ratio_))));
    }
    pictures.drawn = std::make_unique<LabelPictures>(drawn);
  }
  return pictures;
}

void QImageCanvas::SetPixelRatio(double ratio) {
  if (!(ratio > 0)) ratio = 1;
  if (ratio == ratio_) return;
  PaintKept();
  ratio_ = ratio;
  MakeLabelPictures();
}

int QImageCanvas::Scaled(int v) const {
  constexpr double kLimit = 1 << 30;  // far beyond any picture, and safe to add to
  return static_cast<int>(std::clamp(std::round(v * ratio_), -kLimit, kLimit));
}

std::pair<int, int> QImageCanvas::DeviceSpan(int low, int high) const {
  if (ratio_ == 1) return {low, high};
  const int from = std::min(low, high), to = std::max(low, high);
  return {Device(from), Device(to - 1) + 1};
}

// Every set of label pictures anew: the kept labels point into the old ones.
void QImageCanvas::MakeLabelPictures() {
  PaintKept();
  // The last repaint's calls may be the same while their pixels are not.
  ForgetLastRepaint();
  lastLabels_.clear();
  sizedLabels_.clear();
  labels_ = MakeTextPictures(labelFont_);
  textLabels_ = &labels_;
  textSize_ = 0;
}

QImageCanvas::~QImageCanvas() {
  if (!streaming_) return;
  HandOver(true);
  worker_->Wait();
}

void QImageCanvas::Resize(QSize size) {
  if (streaming_) PaintKept();  // the lower band's painter writes into the old picture
  labelCall_ = 0;
  ForgetLastRepaint();
  // Another size holds another number of calls: the lists grown for the old
  // one are given back rather than left idle beside the next one's.
  kept_ = std::vector<PaintOp>();
  last_ = std::vector<PaintOp>();
  if (size.isEmpty()) {
    image_ = QImage();
    pictureSize_ = {};
    return;
  }
  image_ = QImage(Device(size.width()), Device(size.height()), QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio_);
  image_.fill(Qt::white);
  pictureSize_ = image_.size();
  Changed({0, image_.height()});
}

void QImageCanvas::SetLabelFont(const QFont& font) {
  labelFont_ = font;
  MakeLabelPictures();
}

void QImageCanvas::SetSmoothing(bool on) {
  if (on == smooth_) return;
  PaintKept();  // what was drawn so far is painted as it was drawn
  smooth_ = on;
  MakeLabelPictures();
}

void QImageCanvas::SetTextSize(int pixels) {
  textSize_ = std::max(pixels, 0);
  if (pixels <= 0) {
    textLabels_ = &labels_;
    return;
  }
  TextPictures& pictures = sizedLabels_[pixels];
  if (pictures.measured == nullptr) {
    QFont font = labelFont_;
    font.setPixelSize(pixels);
    pictures = MakeTextPictures(font);
  }
  textLabels_ = &pictures;
}

const QImage& QImageCanvas::Image() {
  PaintKept();
  return image_;
}

void QImageCanvas::SetBands(int bands, double upperShare) {
  bands_ = std::clamp(bands, 0, 2);
  fixedShare_ = upperShare > 0 && upperShare < 1;
  if (fixedShare_) upperShare_ = upperShare;
}

void QImageCanvas::Keep(PaintOp op) {
  op.style = penStyle_;
  op.penWidth = penWidth_;
  if (op.kind != PaintOp::Fill) op.colour = penColour_;
  if (kept_.empty()) BeginRepaint();
  if (streaming_ && kept_.size() == kept_.capacity()) {
    // Growing moves the calls: first the painter must have finished all it
    // was given, and it reads them only when handed more.
    std::unique_lock lock(lower_->mutex);
    lower_->caughtUp.wait(lock, [this] { return lower_->painted == lower_->handedOver; });
    kept_.push_back(op);
    lower_->calls = kept_.data();
    return;
  }
  kept_.push_back(op);
  if (streaming_ && kept_.size() - lower_->handedOver >= kCallsPerHandOver) HandOver(false);
}

bool QImageCanvas::TwoBands(std::size_t calls) const {
  static const bool twoCores = std::thread::hardware_concurrency() >= 2;
  const bool two = bands_ == 2 || (bands_ == 0 && twoCores && calls >= kCallsWorthTwoBands);
  return two && image_.height() >= 2;
}

void QImageCanvas::BeginRepaint() {
  // The last repaint tells whether this one will be worth two bands.
  if (!TwoBands(lastCount_)) return;
  // A repaint that may reuse the last one is painted once all calls are in;
  // so is one of a drawing that repeats many calls: the lower band would
  // paint those it has been handed before they are known to be repeated.
  if (reuse_ && lastValid_) return;
  if (repeated_.Count() * 4 > lastCount_) return;
  kept_.reserve(lastCount_ + lastCount_ / 4 + 64);
  if (!worker_) worker_ = std::make_unique<BandWorker>();
  if (!lower_) lower_ = std::make_unique<LowerBand>();
  lower_->calls = kept_.data();
  lower_->handedOver = lower_->painted = 0;
  lower_->ended = false;
  const int height = image_.height();
  splitRow_ = std::clamp(static_cast<int>(height * upperShare_ + 0.5), 1, height - 1);
  PixelRows rows = PixelRows::Whole(image_);
  rows.top = splitRow_;
  streaming_ = true;
  worker_->Start([this, rows] { PaintLowerBand(rows); });
}

void QImageCanvas::HandOver(bool last) {
  {
    std::lock_guard lock(lower_->mutex);
    lower_->calls = kept_.data();
    lower_->handedOver = kept_.size();
    lower_->ended = last;
    lower_->repeated = last ? repeated_.Marks() : nullptr;
  }
  lower_->more.notify_one();
}

// Runs on the worker: paints what it is handed until the repaint ends.
void QImageCanvas::PaintLowerBand(const PixelRows& rows) {
  LowerBand& band = *lower_;
  BandPainter painter(rows, glyphs_, LookOf(smooth_, ratio_));
  std::size_t done = 0;
  for (;;) {
    const PaintOp* calls = nullptr;
    const std::uint8_t* repeated = nullptr;
    std::size_t count = 0;
    bool ended = false;
    {
      std::unique_lock lock(band.mutex);
      band.painted = done;
      band.caughtUp.notify_one();
      band.more.wait(lock, [&] { return band.handedOver > done || band.ended; });
      calls = band.calls;
      repeated = band.repeated;
      count = band.handedOver;
      ended = band.ended;
    }
    if (count > done) {
      painter.Paint(calls + done, count - done, repeated != nullptr ? repeated + done : nullptr);
      done = count;
    } else if (ended) {
      break;
    }
  }
  std::lock_guard lock(band.mutex);
  band.painted = done;
  band.finished = std::chrono::steady_clock::now();
}

void QImageCanvas::PaintKept() {
  if (kept_.empty()) return;
  if (streaming_) {
    PaintStreamed();
    lastRepaint_ = Repainted::Whole;
  } else if (!PaintChanges()) {
    repeated_.Mark(kept_, !smooth_);
    PaintCalls(PixelRows::Whole(image_), kept_, repeated_.Marks());
    lastRepaint_ = Repainted::Whole;
  }
  if (lastRepaint_ == Repainted::Whole || lastRepaint_ == Repainted::Layers) {
    Changed({0, image_.height()});
  }
  EndRepaint();
}

void QImageCanvas::Changed(RowSpan rows) {
  if (rows.bottom <= rows.top) return;
  if (changedRows_.bottom <= changedRows_.top) {
    changedRows_ = rows;
    return;
  }
  changedRows_.top = std::min(changedRows_.top, rows.top);
  changedRows_.bottom = std::max(changedRows_.bottom, rows.bottom);
}

RowSpan QImageCanvas::TakeChangedRows() {
  PaintKept();
  return std::exchange(changedRows_, RowSpan{});
}

void QImageCanvas::PaintStreamed() {
  // The lower band has painted some calls already; the rest, and the upper
  // band, may pass over the repeated ones.
  repeated_.Mark(kept_, !smooth_);
  HandOver(true);
  // The lower band reads what lives here: it must be done before this
  // returns, even by an exception.
  struct WaitForLower {
    QImageCanvas& canvas;
    ~WaitForLower() {
      canvas.worker_->Wait();
      canvas.streaming_ = false;
    }
  } waitForLower{*this};
  PixelRows upper = PixelRows::Whole(image_);
  upper.bottom = splitRow_;
  BandPainter(upper, glyphs_, LookOf(smooth_, ratio_))
      .Paint(kept_.data(), kept_.size(), repeated_.Marks());
  const auto upperDone = std::chrono::steady_clock::now();
  worker_->Wait();
  // The band that finished first takes more rows next time: the lower one
  // starts earlier, while the calls are being made.
  if (!fixedShare_) {
    const double step = lower_->finished > upperDone ? kShareStep : -kShareStep;
    upperShare_ = std::clamp(upperShare_ + step, kLeastShare, 1 - kLeastShare);
  }
}

// Paints `calls` into `rows`, in two bands at once when they are many.
Writes QImageCanvas::PaintCalls(const PixelRows& rows, std::span<const PaintOp> calls,
                                const std::uint8_t* repeated) {
  if (calls.empty()) return Writes::Whole;
  if (!TwoBands(calls.size()) || rows.bottom - rows.top < 2) {
    BandPainter painter(rows, glyphs_, LookOf(smooth_, ratio_));
    painter.Paint(calls.data(), calls.size(), repeated);
    return painter.Wrote();
  }
  if (!worker_) worker_ = std::make_unique<BandWorker>();
  PixelRows upper = rows, lower = rows;
  upper.bottom = lower.top = rows.top + (rows.bottom - rows.top) / 2;
  Writes lowerWrote = Writes::Whole;
  worker_->Start([&] {
    BandPainter painter(lower, glyphs_, LookOf(smooth_, ratio_));
    painter.Paint(calls.data(), calls.size(), repeated);
    lowerWrote = painter.Wrote();
  });
  struct WaitForLower {
    BandWorker& worker;
    ~WaitForLower() { worker.Wait(); }
  } waitForLower{*worker_};
  BandPainter painter(upper, glyphs_, LookOf(smooth_, ratio_));
  painter.Paint(calls.data(), calls.size(), repeated);
  worker_->Wait();
  return std::max(painter.Wrote(), lowerWrote);
}

bool QImageCanvas::StartsWithClear() const {
  const PaintOp& first = kept_.front();
  return first.kind == PaintOp::Fill && first.a <= 0 && first.b <= 0 &&
         first.c >= image_.width() - 1 && first.d >= image_.height() - 1;
}

// Paints what differs from the last repaint, when that spares enough to be
// worth the comparison; false when the whole picture is left to paint.
bool QImageCanvas::PaintChanges() {
  if (!reuse_ || !lastValid_ || !StartsWithClear()) return false;
  if (SameCalls(kept_, last_)) {
    lastRepaint_ = Repainted::Unchanged;
    return true;
  }
  auto paint = [this](const PixelRows& rows, std::span<const PaintOp> calls) {
    return PaintCalls(rows, calls);
  };
  if (layersKept_ && layers_.Fit(kept_)) {
    layers_.Paint(image_, kept_, paint);
    lastRepaint_ = Repainted::Layers;
    return true;
  }
  const int height = image_.height();
  const RepaintDiff diff = CompareRepaints(last_, kept_, image_.size(), kept_.size() / 4, ratio_);
  if (diff.tooMany) return false;
  if (diff.damagedPixels <= std::int64_t{height} * image_.width() / 2) {
    for (const DamagedBox& box : diff.damage) {
      PixelRows rows = PixelRows::Whole(image_);
      rows.top = box.rows.top;
      rows.bottom = box.rows.bottom;
      // Only thin pens, labels and glyphs keep to columns; a soft pen's
      // pixels go across the whole rows.
      if (!smooth_) {
        rows.left = box.left;
        rows.right = box.right;
      }
      BandPainter(rows, glyphs_, LookOf(smooth_, ratio_)).Paint(kept_);
      Changed(box.rows);
    }
    lastRepaint_ = Repainted::Rows;
    return true;
  }
  const std::optional<LayerPlan> plan = PlanLayers(diff.changed, kept_.size());
  if (!plan) return false;
  layers_.Build(image_, kept_, *plan, paint);
  layersKept_ = true;
  lastRepaint_ = Repainted::Layers;
  return true;
}

void QImageCanvas::EndRepaint() {
  if (lastRepaint_ == Repainted::Whole && layersKept_) {
    layers_.Clear();
    layersKept_ = false;
  }
  lastCount_ = kept_.size();
  // Calls drawn over the picture without clearing it first (a blink) leave
  // a picture that no list of calls describes.
  lastValid_ = reuse_ && StartsWithClear();
  std::swap(last_, kept_);
  kept_.clear();
  labelCall_ = 0;
  bool trimmed = labels_.Trim();
  for (auto& [size, pictures] : sizedLabels_) trimmed = pictures.Trim() || trimmed;
  if (trimmed) {
    // The kept calls point at the pictures that went.
    lastLabels_.clear();
    ForgetLastRepaint();
  }
}

void QImageCanvas::ForgetLastRepaint() {
  lastValid_ = false;
  last_.clear();
  layers_.Clear();
  layersKept_ = false;
}

void QImageCanvas::SetReuse(bool reuse) {
  reuse_ = reuse;
  if (!reuse) ForgetLastRepaint();
}

void QImageCanvas::SetPen(Color color, int width, PenStyle style) {
  penWidth_ = std::clamp(width, 1, kMaxPenWidth);
  penColour_ = ToRgb(color);
  // Patterns exist for one-pixel pens only; a wider pen draws solid, so a
  // dashed line made wider turns solid and keeps its style for width 1.
  penStyle_ = penWidth_ == 1 ? style : PenStyle::Solid;
}

void QImageCanvas::SetFontColor(Color color) {
  fontColor_ = ToRgb(color);
}

void QImageCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  if (image_.isNull()) return;
  // Whole units: from the first unit's first pixel to the last one's last.
  const int x0 = Device(std::min(left, right)), x1 = Device(std::max(left, right));
  const int y0 = Device(std::min(top, bottom)), y1 = Device(std::max(top, bottom));
  const QRect box = QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1)).intersected(image_.rect());
  if (box.isEmpty()) return;
  Keep({.kind = PaintOp::Fill,
        .colour = ToRgb(color),
        .a = box.left(),
        .b = box.top(),
        .c = box.right(),
        .d = box.bottom()});
}

void QImageCanvas::DrawRect(int left, int top, int right, int bottom) {
  if (image_.isNull()) return;
  const auto [a, c] = DeviceSpan(left, right);
  const auto [b, d] = DeviceSpan(top, bottom);
  Keep({.kind = PaintOp::Rect, .a = a, .b = b, .c = c, .d = d});
}

void QImageCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (image_.isNull()) return;
  Keep({.kind = PaintOp::Line, .a = Device(x1), .b = Device(y1), .c = Device(x2), .d = Device(y2)});
}

void QImageCanvas::DrawEllipse(int left, int top, int right, int bottom) {
  if (image_.isNull()) return;
  const auto [a, c] = DeviceSpan(left, right);
  const auto [b, d] = DeviceSpan(top, bottom);
  Keep({.kind = PaintOp::Ellipse, .a = a, .b = b, .c = c, .d = d});
}

void QImageCanvas::DrawText(int unitX, int unitY, std::string_view text) {
  if (image_.isNull() || text.empty()) return;
  const int x = Device(unitX), y = Device(unitY);
  if (x >= image_.width() || y >= image_.height()) return;
  const std::size_t call = labelCall_++;
  if (call == lastLabels_.size()) lastLabels_.push_back({});
  LabelCall& last = lastLabels_[call];
  if (last.picture == nullptr || last.colour != fontColor_ || last.text != text ||
      last.textSize != textSize_) {
    const LabelPictures::Picture& picture = textLabels_->Drawn().Get(text, fontColor_);
    const QRect letters = picture.mask == nullptr ? picture.reach : picture.mask->box;
    const QRect touched = letters | QRect(0, 0, picture.size.width, picture.size.height);
    last = {fontColor_,        textSize_, touched.top(), touched.bottom(),
            std::string(text), &picture,  picture.mask,  picture.reach};
  }
  if (!OnPicture(last.reach.translated(x, y))) return;
  Keep({.kind = PaintOp::Text,
        .opaque = !transparent_,
        .a = x,
        .b = y,
        .c = y + last.touchedTop,
        .d = y + last.touchedBottom,
        .item = last.picture,
        .letters = last.mask});
}

TextSize QImageCanvas::MeasureText(std::string_view text) {
  return textLabels_->measured->Measure(text);
}

void QImageCanvas::DrawPointGlyph(int unitLeft, int unitTop, int width, int paletteIndex) {
  if (image_.isNull() || glyphs_ == nullptr) return;
  const QImage& glyph = glyphs_->Glyph(width, paletteIndex);
  const int left = Device(unitLeft), top = Device(unitTop);
  const QSize size(Device(glyph.width()), Device(glyph.height()));
  if (glyph.isNull() || !OnPicture(QRect(QPoint(left, top), size))) return;
  Keep(
      {.kind = PaintOp::Glyph, .a = left, .b = top, .c = width, .d = paletteIndex, .item = &glyph});
}

}  // namespace zelmora
