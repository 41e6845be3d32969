#include <QIODevice>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/paint.h"
#include "geometry/palette.h"
#include "render/qt_canvas.h"
#include "render/shape_canvas.h"
#include "render/style_names.h"
#include "render/writers/picture_writer.h"

// A tikzpicture for worksheets written in LaTeX: one drawing pixel is
// 0.75 bp (96 to the inch, the size of the PNG on screen), the palette's
// colours by name, and coordinates measured from the picture's corner, so
// that no number comes near the largest length TeX can hold.
namespace zelmora {
namespace {

constexpr double kPointsPerPixel = 0.75;
// A circle larger than this is written as the visible part of a polygon
// whose corners stray from it by at most kArcError pixels: TeX's lengths
// end at 16383 pt.
constexpr double kLargestCircle = 2000;
constexpr double kArcError = 0.05;
constexpr int kMostCorners = 1 << 20;

constexpr std::array<const char*, kPaletteSize> kColourNames = {
    "zmBlack",  "zmMaroon", "zmGreen",  "zmOlive", "zmNavy",    "zmPurple", "zmTeal", "zmGray",
    "zmSilver", "zmLime",   "zmYellow", "zmBlue",  "zmFuchsia", "zmAqua",   "zmRed",  "zmWhite",
};

constexpr const char* kPreamble =
    "% A picture of Zelmora for LaTeX. A document that shows it:\n"
    "%   \\documentclass{article}\n"
    "%   \\usepackage[T2A]{fontenc}\n"
    "%   \\usepackage[utf8]{inputenc}\n"
    "%   \\usepackage[russian]{babel}\n"
    "%   \\usepackage{tikz}\n"
    "%   \\begin{document}\n"
    "%   \\input{this-file.tex}\n"
    "%   \\end{document}\n"
    "% One pixel of the drawing is 0.75 bp; \\resizebox{\\linewidth}{!}{\\input{...}}\n"
    "% fits it to the text's width.\n";

// A length in big points, the inch's 72nd part.
QByteArray Points(double pixels) {
  QByteArray out;
  AppendNumber(out, pixels * kPointsPerPixel);
  return out + "bp";
}

// Letters that mean something to TeX, written so that they print as they are.
QByteArray TexText(const QString& text) {
  QByteArray out;
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '\\':
        out.append("\\textbackslash{}");
        break;
      case '~':
        out.append("\\textasciitilde{}");
        break;
      case '^':
        out.append("\\textasciicircum{}");
        break;
      case '{':
      case '}':
      case '$':
      case '&':
      case '#':
      case '_':
      case '%':
        out.append('\\').append(c.toLatin1());
        break;
      default:
        if (c.unicode() >= 0x20) out.append(QString(c).toUtf8());
    }
  }
  return out;
}

class TikzCanvas : public ShapeCanvas {
 public:
  TikzCanvas(const PointGlyphTable* glyphs, const QFont& labelFont, const QRect& area)
      : ShapeCanvas(glyphs, labelFont, area), corner_(Visible().topLeft()) {}

  QByteArray File(const QSize& size, const QString& title) const;

 protected:
  void PenChanged() override { strokeStyle_.clear(); }
  void AddLine(const QLineF& line) override {
    Begin("\\draw", StrokeStyle());
    Point(line.p1());
    body_.append(" -- ");
    Point(line.p2());
    body_.append(";\n");
  }
  void AddEllipse(const QRectF& box) override;
  void AddRect(const QRectF& box) override {
    Begin("\\draw", StrokeStyle());
    Point(box.topLeft());
    body_.append(" rectangle ");
    Point(box.bottomRight());
    body_.append(";\n");
  }
  void AddFill(const QRectF& box, const QColor& colour) override {
    Begin("\\fill", styles_.NameOf("fill=" + ColourName(colour)));
    Point(box.topLeft());
    body_.append(" rectangle ");
    Point(box.bottomRight());
    body_.append(";\n");
  }
  void AddDisc(const QRectF& box, const QColor& colour) override {
    Begin("\\fill", styles_.NameOf("fill=" + ColourName(colour)));
    Point(box.center());
    Radii(box);
  }
  void AddText(const QPointF& origin, const QString& text, const QColor& colour) override {
    QByteArray font = "\\zmLabelFont";
    if (TextFont().pixelSize() != LabelFont().pixelSize()) {
      const int size = TextFont().pixelSize();
      font = "{\\fontsize{" + Points(size).chopped(2) + "}{" + Points(size * 1.2).chopped(2) +
             "}\\selectfont}";
    }
    Begin("\\node", styles_.NameOf("anchor=base west,inner sep=0pt,font=" + font +
                                   ",text=" + ColourName(colour)));
    body_.append("at ");
    Point(origin);
    body_.append(" {" + TexText(text) + "};\n");
  }

 private:
  const QByteArray& StrokeStyle();
  // The colour's name, defined at the top of the picture.
  QByteArray ColourName(const QColor& colour);
  void Begin(const char* command, const QByteArray& style) {
    body_.append(command).append("[zm").append(style).append("] ");
  }
  // Coordinates from the picture's corner, in pixels.
  void Point(const QPointF& p) {
    body_.append('(');
    AppendNumber(body_, p.x() - corner_.x());
    body_.append(',');
    AppendNumber(body_, p.y() - corner_.y());
    body_.append(')');
  }
  void Radii(const QRectF& box) {
    body_.append(" ellipse[x radius=");
    AppendNumber(body_, box.width() / 2);
    body_.append(",y radius=");
    AppendNumber(body_, box.height() / 2);
    body_.append("];\n");
  }
  void AddPolygon(const QRectF& box);

  QPointF corner_;
  StyleNames styles_;
  QByteArray strokeStyle_;
  std::vector<QByteArray> colours_;  // \definecolor lines, each once
  QByteArray body_;
};

QByteArray TikzCanvas::ColourName(const QColor& colour) {
  const auto rgb = static_cast<Color>(colour.red() | colour.green() << 8 | colour.blue() << 16);
  const int index = PaletteIndex(rgb);
  QByteArray name = index >= 0 ? QByteArray(kColourNames[static_cast<std::size_t>(index)])
                               : "zm" + colour.name().mid(1).toUpper().toLatin1();
  const QByteArray definition =
      "\\definecolor{" + name + "}{RGB}{" + QByteArray::number(colour.red()) + ',' +
      QByteArray::number(colour.green()) + ',' + QByteArray::number(colour.blue()) + "}\n";
  if (std::find(colours_.begin(), colours_.end(), definition) == colours_.end()) {
    colours_.push_back(definition);
  }
  return name;
}

const QByteArray& TikzCanvas::StrokeStyle() {
  if (!strokeStyle_.isEmpty()) return strokeStyle_;
  const Stroke& pen = Pen();
  QByteArray style =
      "draw=" + ColourName(pen.colour) + ",line width=" + Points(pen.width) + ",line cap=";
  if (pen.dashes.empty()) {
    style.append("round");
  } else {
    style.append("butt,dash pattern=");
    for (std::size_t i = 0; i < pen.dashes.size(); ++i) {
      style.append(i % 2 == 0 ? (i == 0 ? "on " : " on ") : " off ");
      style.append(Points(pen.dashes[i]));
    }
  }
  strokeStyle_ = styles_.NameOf(style);
  return strokeStyle_;
}

void TikzCanvas::AddEllipse(const QRectF& box) {
  if (std::max(box.width(), box.height()) / 2 > kLargestCircle) return AddPolygon(box);
  Begin("\\draw", StrokeStyle());
  Point(box.center());
  Radii(box);
}

void TikzCanvas::AddPolygon(const QRectF& box) {
  const double rx = box.width() / 2, ry = box.height() / 2;
  const double step = 2 * std::sqrt(2 * kArcError / std::max(rx, ry));
  const int corners = std::min(kMostCorners, static_cast<int>(2 * std::numbers::pi / step) + 1);
  const QRectF reach =
      Visible().adjusted(-Pen().width - 2, -Pen().width - 2, Pen().width + 2, Pen().width + 2);
  auto corner = [&](int k) {
    const double angle = 2 * std::numbers::pi * k / corners;
    return box.center() + QPointF(rx * std::cos(angle), ry * std::sin(angle));
  };
  bool drawing = false;
  for (int k = 0; k < corners; ++k) {
    QLineF side(corner(k), corner(k + 1));
    if (!ClipSegment(reach, side)) {
      if (drawing) body_.append(";\n");
      drawing = false;
      continue;
    }
    if (!drawing) {
      Begin("\\draw", StrokeStyle());
      Point(side.p1());
    }
    body_.append(" -- ");
    Point(side.p2());
    drawing = side.p2() == corner(k + 1);
    if (!drawing) body_.append(";\n");
  }
  if (drawing) body_.append(";\n");
}

QByteArray TikzCanvas::File(const QSize& size, const QString& title) const {
  QByteArray out = kPreamble;
  out.append("% " + TexText(title) + ": " + QByteArray::number(size.width()) + " x " +
             QByteArray::number(size.height()) + " pixels\n");
  out.append("\\begin{tikzpicture}[x=" + Points(1) + ",y=-" + Points(1) + ",line join=round");
  for (const auto& [style, name] : styles_.InOrder()) {
    out.append(",\n  zm" + name + "/.style={" + style + '}');
  }
  out.append("]\n\\providecommand\\zmLabelFont{\\fontsize{" +
             Points(LabelFont().pixelSize()).chopped(2) + "}{" +
             Points(LabelFont().pixelSize() * 1.2).chopped(2) + "}\\selectfont}\n");
  for (const QByteArray& colour : colours_) out.append(colour);
  const QByteArray box = "(0,0) rectangle (" + QByteArray::number(size.width()) + ',' +
                         QByteArray::number(size.height()) + ");\n";
  out.append("\\useasboundingbox " + box + "\\clip " + box + body_ + "\\end{tikzpicture}\n");
  return out;
}

class TikzFileWriter : public PictureWriter {
 public:
  QString Name() const override { return QStringLiteral("TikZ"); }
  QStringList Extensions() const override { return {QStringLiteral("tex")}; }
  bool Raster() const override { return false; }
  QString Summary() const override {
    return QStringLiteral("a tikzpicture for LaTeX (the preamble it needs is at its top)");
  }
  bool Write(QIODevice& device, const PictureJob& job) const override {
    const DrawingSource& source = job.source;
    TikzCanvas canvas(source.glyphs, source.labelFont, job.area);
    PaintDrawing(canvas, source.objects, nullptr, source.context, source.surface.width(),
                 source.surface.height());
    const QByteArray file = canvas.File(job.area.size(), job.title);
    return device.write(file) == file.size();
  }
};

}  // namespace

const PictureWriter& TikzWriter() {
  static const TikzFileWriter writer;
  return writer;
}

}  // namespace zelmora
