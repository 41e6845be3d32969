#include <QIODevice>

#include "geometry/paint.h"
#include "render/shape_canvas.h"
#include "render/style_names.h"
#include "render/writers/picture_writer.h"

// SVG written by hand rather than through a generic painter device: every
// style once in a style sheet, every shape one short element naming it, and
// whole pixels as plain numbers. A drawing of many objects stays a file of
// a few dozen bytes per object.
namespace zelmora {
namespace {

QByteArray Colour(const QColor& colour) {
  return colour.name().toLatin1();
}

void AppendEscaped(QByteArray& out, const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    if (c == '&') {
      out.append("&amp;");
    } else if (c == '<') {
      out.append("&lt;");
    } else if (c == '>') {
      out.append("&gt;");
    } else if (c == '"') {
      out.append("&quot;");
    } else if (c >= 0x20) {
      out.append(QString::fromUcs4(&c, 1).toUtf8());
    }
  }
}

class SvgCanvas : public ShapeCanvas {
 public:
  using ShapeCanvas::ShapeCanvas;

  // The whole file around what was drawn.
  QByteArray File(const QSize& size, const QPointF& shift, const QString& title);

 protected:
  void PenChanged() override { strokeClass_.clear(); }
  void AddLine(const QLineF& line) override {
    Open("path", StrokeClass());
    run_.append(" d=\"M");
    Pair(line.p1());
    run_.append(' ');
    Pair(line.p2());
    run_.append("\"/>\n");
  }
  void AddEllipse(const QRectF& box) override { Ellipse(box, StrokeClass()); }
  void AddRect(const QRectF& box) override { Rect(box, StrokeClass()); }
  void AddFill(const QRectF& box, const QColor& colour) override {
    Rect(box, styles_.NameOf("fill:" + Colour(colour)));
  }
  void AddDisc(const QRectF& box, const QColor& colour) override {
    Ellipse(box, styles_.NameOf("fill:" + Colour(colour)));
  }
  void AddText(const QPointF& origin, const QString& text, const QColor& colour) override {
    QByteArray style = "fill:" + Colour(colour);
    if (TextFont().pixelSize() != LabelFont().pixelSize()) {
      style += ";font-size:" + QByteArray::number(TextFont().pixelSize()) + "px";
    }
    Open("text", styles_.NameOf(style));
    Attribute(" x=\"", origin.x());
    Attribute(" y=\"", origin.y());
    run_.append('>');
    AppendEscaped(run_, text);
    run_.append("</text>\n");
  }

 private:
  const QByteArray& StrokeClass();
  // Starts an element of class `style`. Elements of one class in a row
  // share a group that names it once.
  void Open(const char* element, const QByteArray& style) {
    if (style != runStyle_) EndRun();
    runStyle_ = style;
    run_.append('<').append(element);
    runTags_.push_back(run_.size());
  }
  void EndRun();
  void Attribute(const char* name, double value) {
    run_.append(name);
    AppendNumber(run_, value);
    run_.append('"');
  }
  void Pair(const QPointF& p) {
    AppendNumber(run_, p.x());
    run_.append(' ');
    AppendNumber(run_, p.y());
  }
  void Ellipse(const QRectF& box, const QByteArray& style);
  void Rect(const QRectF& box, const QByteArray& style);

  StyleNames styles_;
  QByteArray strokeClass_;
  QByteArray body_;
  QByteArray run_;  // the elements of the run, without their class
  QByteArray runStyle_;
  std::vector<qsizetype> runTags_;  // where each element's name ends in run_
};

void SvgCanvas::EndRun() {
  // A group costs as much as naming the class in two elements.
  constexpr std::size_t kShortestGroup = 3;
  if (runTags_.size() >= kShortestGroup) {
    body_.append("<g class=\"" + runStyle_ + "\">\n" + run_ + "</g>\n");
  } else {
    const QByteArray name = " class=\"" + runStyle_ + '"';
    qsizetype from = 0;
    for (const qsizetype tagEnd : runTags_) {
      body_.append(run_.mid(from, tagEnd - from) + name);
      from = tagEnd;
    }
    body_.append(run_.mid(from));
  }
  run_.clear();
  runTags_.clear();
}

const QByteArray& SvgCanvas::StrokeClass() {
  if (!strokeClass_.isEmpty()) return strokeClass_;
  const Stroke& pen = Pen();
  QByteArray style = "fill:none;stroke:" + Colour(pen.colour) +
                     ";stroke-width:" + QByteArray::number(pen.width) +
                     ";stroke-linejoin:round;stroke-linecap:";
  if (pen.dashes.empty()) {
    style.append("round");
  } else {
    style.append("butt;stroke-dasharray:");  // a round cap would lengthen every dash
    for (std::size_t i = 0; i < pen.dashes.size(); ++i) {
      if (i > 0) style.append(' ');
      style.append(QByteArray::number(pen.dashes[i]));
    }
  }
  strokeClass_ = styles_.NameOf(style);
  return strokeClass_;
}

void SvgCanvas::Ellipse(const QRectF& box, const QByteArray& style) {
  const bool circle = box.width() == box.height();
  Open(circle ? "circle" : "ellipse", style);
  Attribute(" cx=\"", box.center().x());
  Attribute(" cy=\"", box.center().y());
  if (circle) {
    Attribute(" r=\"", box.width() / 2);
  } else {
    Attribute(" rx=\"", box.width() / 2);
    Attribute(" ry=\"", box.height() / 2);
  }
  run_.append("/>\n");
}

void SvgCanvas::Rect(const QRectF& box, const QByteArray& style) {
  Open("rect", style);
  Attribute(" x=\"", box.x());
  Attribute(" y=\"", box.y());
  Attribute(" width=\"", box.width());
  Attribute(" height=\"", box.height());
  run_.append("/>\n");
}

QByteArray SvgCanvas::File(const QSize& size, const QPointF& shift, const QString& title) {
  EndRun();
  const QByteArray w = QByteArray::number(size.width()), h = QByteArray::number(size.height());
  // Sizes without a unit are CSS pixels, 96 to the inch: the picture opens
  // at the size of the same part exported as PNG.
  QByteArray out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + ' ' + h +
      "\" xml:space=\"preserve\">\n<title>";
  AppendEscaped(out, title);
  out.append("</title>\n<style type=\"text/css\">\ntext{font-family:'");
  AppendEscaped(out, LabelFont().family());
  out.append("';font-size:" + QByteArray::number(LabelFont().pixelSize()) + "px}\n");
  for (const auto& [style, name] : styles_.InOrder()) out.append('.' + name + '{' + style + "}\n");
  out.append("</style>\n<g transform=\"translate(");
  AppendNumber(out, shift.x());
  out.append(' ');
  AppendNumber(out, shift.y());
  out.append(")\">\n" + body_ + "</g>\n</svg>\n");
  return out;
}

class SvgFileWriter : public PictureWriter {
 public:
  QString Name() const override { return QStringLiteral("SVG"); }
  QStringList Extensions() const override { return {QStringLiteral("svg")}; }
  bool Raster() const override { return false; }
  QString Summary() const override {
    return QStringLiteral("shapes that stay sharp at any size, 96 pixels to the inch");
  }
  bool Write(QIODevice& device, const PictureJob& job) const override {
    const DrawingSource& source = job.source;
    SvgCanvas canvas(source.glyphs, source.labelFont, job.area);
    PaintDrawing(canvas, source.objects, nullptr, source.context, source.surface.width(),
                 source.surface.height());
    // The surface pixel (x, y) has its centre at (x + 0.5, y + 0.5) of the page.
    const QPointF shift = QPointF(0.5, 0.5) - QPointF(job.area.topLeft());
    const QByteArray file = canvas.File(job.area.size(), shift, job.title);
    return device.write(file) == file.size();
  }
};

}  // namespace

const PictureWriter& SvgWriter() {
  static const SvgFileWriter writer;
  return writer;
}

}  // namespace zelmora
