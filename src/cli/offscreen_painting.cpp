#include "cli/offscreen_painting.h"

#include <QString>
#include <cstdlib>

#include "render/pack_pixmaps.h"

namespace zelmora {

OffscreenPainting::OffscreenPainting(const std::string& programFolder) {
  // Fonts need a GUI application, but nothing here needs a screen.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "zelmora-cli";
  static char* argv[] = {name, nullptr};
  // Qt's own chatter (runtime folders and the like) is no concern of a
  // script; our errors go to stderr as one line.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  application_ = std::make_unique<QGuiApplication>(argc, argv);
  if (PackPixmaps::Load(QString::fromStdString(programFolder)))
    glyphs = PointGlyphTable::FromPack();
}

}  // namespace zelmora
