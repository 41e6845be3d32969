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

// "png|bmp|svg|...", every extension of every writer.
std::string Extensions(const char* separator) {
  QStringList all;
  for (const PictureWriter* writer : PictureWriters()) all += writer->Extensions();
  return all.join(QString::fromLatin1(separator)).toStdString();
}

std::string Usage() {
  return "render needs FILE.zms OUT." + Extensions("|") +
         " [--size WxH] [--rect X1 Y1 X2 Y2] [--smooth] (see zelmora-cli --help)";
}

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

struct RenderRequest {
  std::string document;
  QString out;
  const PictureWriter* writer = nullptr;
  QSize surface{kDefaultWidth, kDefaultHeight};
  QRect area;
  bool smooth = false;
};

// Reads "--size WxH" at args[i]; an error text, empty when it was fine.
std::string ReadSize(const std::string& text, QSize& size) {
  std::smatch match;
  if (!std::regex_match(text, match, std::regex(R"((\d{1,5})x(\d{1,5}))"))) {
    return "--size takes WIDTHxHEIGHT, for example 800x600";
  }
  size = QSize(std::stoi(match[1]), std::stoi(match[2]));
  if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSide ||
      size.height() > kMaxSide) {
    return "--size must lie between 1x1 and 16384x16384";
  }
  return {};
}

// Reads the four corners after "--rect" at args[at].
std::string ReadRect(const std::vector<std::string>& args, std::size_t at, QRect& rect) {
  int c[4];
  for (std::size_t k = 0; k < 4; ++k) {
    if (!ReadCoordinate(args[at + k], c[k])) return "--rect takes four whole numbers X1 Y1 X2 Y2";
  }
  // Corners in any order, as a rectangle is dragged in any direction.
  rect = QRect(QPoint(std::min(c[0], c[2]), std::min(c[1], c[3])),
               QPoint(std::max(c[0], c[2]) - 1, std::max(c[1], c[3]) - 1));
  return {};
}

// The request of the command line, or the usage error to report.
std::string ReadRequest(const std::vector<std::string>& args, RenderRequest& request) {
  if (args.size() < 2) return Usage();
  std::optional<QRect> rect;
  for (std::size_t i = 2; i < args.size();) {
    std::string error;
    if (args[i] == "--size" && i + 1 < args.size()) {
      error = ReadSize(args[i + 1], request.surface);
      i += 2;
    } else if (args[i] == "--rect" && i + 4 < args.size()) {
      error = ReadRect(args, i + 1, rect.emplace());
      i += 5;
    } else if (args[i] == "--smooth") {
      request.smooth = true;
      ++i;
    } else {
      error = Usage();
    }
    if (!error.empty()) return error;
  }
  const QRect surface(QPoint(0, 0), request.surface);
  request.area = rect ? rect->intersected(surface) : surface;
  if (request.area.isEmpty()) return "--rect leaves nothing of the drawing";
  request.document = args[0];
  request.out = QString::fromStdString(args[1]);
  request.writer = WriterFor(request.out);
  if (request.writer == nullptr) return "the picture must be a ." + Extensions(", .") + " file";
  return {};
}

// What needs a GUI application: fonts, the glyphs and the painting.
int Render(const RenderRequest& request, ObjectList& objects, const std::string& programFolder) {
  OffscreenPainting painting(programFolder);
  if (!painting.glyphs) {
    return Fail(std::string(kImagePackFileName) + " next to zelmora-cli is damaged", 1);
  }
  const std::optional<PointGlyphTable>& glyphs = painting.glyphs;
  const int width = request.surface.width(), height = request.surface.height();
  const DrawContext context{false, width, height};
  QImage picture;
  if (request.writer->Raster()) {
    QImageCanvas canvas(&*glyphs);
    canvas.SetSmoothing(request.smooth);
    canvas.Resize(request.surface);
    PaintDrawing(canvas, objects, nullptr, context, width, height);
    picture = canvas.Image();
  }
  const DrawingSource source{objects, context, request.surface, &*glyphs, LabelFont({})};
  const QString error = WritePicture(request.out, *request.writer, request.area, picture, source);
  if (!error.isEmpty()) {
    return Fail(request.out.toStdString() + ": cannot be written: " + error.toStdString(), 1);
  }
  return 0;
}

}  // namespace

std::string RenderHelp() {
  std::string help = "      OUT's extension chooses the format:\n";
  for (const PictureWriter* writer : PictureWriters()) {
    help += "        ." + writer->Extensions().join(QStringLiteral(", .")).toStdString() + "  " +
            writer->Name().toStdString() + ", " + writer->Summary().toStdString() + "\n";
  }
  return help;
}

int RenderCommand(const std::vector<std::string>& args, const std::string& programFolder) {
  RenderRequest request;
  if (const std::string error = ReadRequest(args, request); !error.empty()) return Fail(error, 2);
  ObjectList objects;
  DocumentInfo info;
  const LoadResult loaded = LoadPlane(request.document, objects, info);
  if (loaded.status == LoadStatus::kNotFound) return Fail(args[0] + ": no such file", 1);
  if (!loaded.ok()) return Fail(args[0] + ": unreadable document: " + loaded.detail, 1);

  return Render(request, objects, programFolder);
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
