// Renders with the window's own canvases, offscreen, so a worksheet made by
// a script shows what the screen shows.
#include <QImage>
#include <QString>
#include <iostream>
#include <optional>
#include <regex>

#include "cli/offscreen_painting.h"
#include "cli/render_command.h"
#include "document/document_file.h"
#include "document/image_pack.h"
#include "geometry/paint.h"
#include "render/picture_export.h"
#include "render/point_glyph_table.h"
#include "render/protocol_picture.h"
#include "render/qt_canvas.h"

namespace zelmora {
namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;
constexpr int kMaxSide = 16384;
constexpr const char* kUsage =
    "render needs FILE.zms OUT.png|bmp|svg|pdf [--size WxH] [--rect X1 Y1 X2 Y2] "
    "(see zelmora-cli --help)";

int Fail(const std::string& message, int status) {
  std::cerr << "zelmora-cli: " << message << "\n";
  return status;
}

bool ReadCoordinate(const std::string& text, int& value) {
  static const std::regex kInteger(R"(-?\d{1,6})");
  if (!std::regex_match(text, kInteger)) return false;
  value = std::stoi(text);
  return true;
}

}  // namespace

int RenderCommand(const std::vector<std::string>& args, const std::string& programFolder) {
  if (args.size() < 2) return Fail(kUsage, 2);
  int width = kDefaultWidth, height = kDefaultHeight;
  std::optional<QRect> rect;
  for (std::size_t i = 2; i < args.size();) {
    if (args[i] == "--size" && i + 1 < args.size()) {
      std::smatch match;
      if (!std::regex_match(args[i + 1], match, std::regex(R"((\d{1,5})x(\d{1,5}))"))) {
        return Fail("--size takes WIDTHxHEIGHT, for example 800x600", 2);
      }
      width = std::stoi(match[1]);
      height = std::stoi(match[2]);
      if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return Fail("--size must lie between 1x1 and 16384x16384", 2);
      }
      i += 2;
    } else if (args[i] == "--rect" && i + 4 < args.size()) {
      int c[4];
      for (int k = 0; k < 4; ++k) {
        if (!ReadCoordinate(args[i + 1 + static_cast<std::size_t>(k)], c[k])) {
          return Fail("--rect takes four whole numbers X1 Y1 X2 Y2", 2);
        }
      }
      // Corners in any order, as a rectangle is dragged in any direction.
      rect = QRect(QPoint(std::min(c[0], c[2]), std::min(c[1], c[3])),
                   QPoint(std::max(c[0], c[2]) - 1, std::max(c[1], c[3]) - 1));
      i += 5;
    } else {
      return Fail(kUsage, 2);
    }
  }
  const QRect surface(0, 0, width, height);
  const QRect area = rect ? rect->intersected(surface) : surface;
  if (area.isEmpty()) return Fail("--rect leaves nothing of the drawing", 2);
  const QString out = QString::fromStdString(args[1]);
  const std::optional<PictureFormat> format = PictureFormatOf(out);
  if (!format) return Fail("the picture must be a .png, .bmp, .svg or .pdf file", 2);

  ObjectList objects;
  DocumentInfo info;
  const LoadResult loaded = LoadPlane(args[0], objects, info);
  if (loaded.status == LoadStatus::kNotFound) return Fail(args[0] + ": no such file", 1);
  if (!loaded.ok()) return Fail(args[0] + ": unreadable document: " + loaded.detail, 1);

  OffscreenPainting painting(programFolder);
  if (!painting.glyphs) {
    return Fail(std::string(kImagePackFileName) + " next to zelmora-cli is damaged", 1);
  }
  const std::optional<PointGlyphTable>& glyphs = painting.glyphs;

  const DrawContext context{false, width, height};
  QImage picture;
  if (*format == PictureFormat::Bmp || *format == PictureFormat::Png) {
    QImageCanvas canvas(&*glyphs);
    canvas.Resize(surface.size());
    PaintDrawing(canvas, objects, nullptr, context, width, height);
    picture = canvas.Image();
  }
  const DrawingSource source{objects, context, surface.size(), &*glyphs, LabelFont({})};
  const QString error = WritePicture(out, *format, area, picture, source);
  if (!error.isEmpty()) return Fail(args[1] + ": cannot be written: " + error.toStdString(), 1);
  return 0;
}

int WriteProtocolPage(ObjectList& objects, const std::string& title, const std::string& htmlPath,
                      const std::string& programFolder) {
  OffscreenPainting painting(programFolder);
  if (!painting.glyphs) {
    return Fail(std::string(kImagePackFileName) + " next to zelmora-cli is damaged", 1);
  }
  const DrawingSource source{objects,
                             {false, kDefaultWidth, kDefaultHeight},
                             QSize(kDefaultWidth, kDefaultHeight),
                             &*painting.glyphs,
                             LabelFont({})};
  const QImage picture = ProtocolPicture(source);
  const QString error = WriteProtocolHtml(QString::fromStdString(htmlPath), BuildProtocol(objects),
                                          QString::fromStdString(title), picture);
  if (!error.isEmpty()) return Fail(htmlPath + ": cannot be written: " + error.toStdString(), 1);
  return 0;
}

}  // namespace zelmora
