// Renders with the window's own canvas, offscreen, so a worksheet printed
// from a script shows the same pixels as the screen.
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <iostream>
#include <regex>

#include "cli/render_command.h"
#include "document/document_file.h"
#include "document/image_pack.h"
#include "geometry/paint.h"
#include "render/pack_pixmaps.h"
#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"

namespace zelmora {
namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;
constexpr int kMaxSide = 16384;

int Fail(const std::string& message, int status) {
  std::cerr << "zelmora-cli: " << message << "\n";
  return status;
}

}  // namespace

int RenderCommand(const std::vector<std::string>& args, const std::string& programFolder) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--size")) {
    return Fail("render needs FILE.zms OUT.png|OUT.bmp [--size WxH] (see zelmora-cli --help)", 2);
  }
  int width = kDefaultWidth, height = kDefaultHeight;
  if (args.size() == 4) {
    std::smatch match;
    if (!std::regex_match(args[3], match, std::regex(R"((\d{1,5})x(\d{1,5}))"))) {
      return Fail("--size takes WIDTHxHEIGHT, for example 800x600", 2);
    }
    width = std::stoi(match[1]);
    height = std::stoi(match[2]);
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
      return Fail("--size must lie between 1x1 and 16384x16384", 2);
    }
  }
  const QString out = QString::fromStdString(args[1]);
  const QString suffix = out.section('.', -1).toLower();
  if (suffix != "png" && suffix != "bmp") return Fail("the picture must be a .png or .bmp file", 2);

  ObjectList objects;
  DocumentInfo info;
  const LoadResult loaded = LoadPlane(args[0], objects, info);
  if (loaded.status == LoadStatus::kNotFound) return Fail(args[0] + ": no such file", 1);
  if (!loaded.ok()) return Fail(args[0] + ": unreadable document: " + loaded.detail, 1);

  // Fonts need a GUI application, but nothing here needs a screen.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "zelmora-cli";
  char* argv[] = {name, nullptr};
  // Qt's own chatter (runtime folders and the like) is no concern of a
  // script; our errors go to stderr as one line.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication application(argc, argv);

  std::optional<PointGlyphTable> glyphs;
  if (PackPixmaps::Load(QString::fromStdString(programFolder)))
    glyphs = PointGlyphTable::FromPack();
  if (!glyphs) return Fail(std::string(kImagePackFileName) + " next to zelmora-cli is damaged", 1);

  QImageCanvas canvas(&*glyphs);
  canvas.Resize(QSize(width, height));
  PaintDrawing(canvas, objects, nullptr, DrawContext{false, width, height}, width, height);
  if (!canvas.Image().save(out, suffix.toUpper().toLatin1().constData())) {
    return Fail(args[1] + ": cannot be written", 1);
  }
  return 0;
}

}  // namespace zelmora
