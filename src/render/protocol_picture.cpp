#include "render/protocol_picture.h"

#include <QBuffer>
#include <QSaveFile>

#include "document/protocol_html.h"
#include "geometry/paint.h"
#include "render/qt_canvas.h"

namespace zelmora {
namespace {

constexpr int kMargin = 12;

// The smallest rectangle holding every pixel that is not background.
QRect UsedArea(const QImage& image) {
  const QRgb white = qRgb(255, 255, 255);
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] | 0xff000000u) == white) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

QImage ProtocolPicture(const DrawingSource& source, int maxSide) {
  if (source.surface.isEmpty()) return {};
  QImageCanvas canvas(source.glyphs, source.labelFont);
  canvas.Resize(source.surface);
  PaintDrawing(canvas, source.objects, nullptr, source.context, source.surface.width(),
               source.surface.height());
  const QImage whole = canvas.Image().convertToFormat(QImage::Format_RGB32);
  const QRect used = UsedArea(whole);
  if (used.isEmpty()) return {};
  const QImage cut =
      whole.copy(used.adjusted(-kMargin, -kMargin, kMargin, kMargin).intersected(whole.rect()));
  if (cut.width() <= maxSide && cut.height() <= maxSide) return cut;
  return cut.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QString WriteProtocolHtml(const QString& path, const std::vector<ProtocolRow>& rows,
                          const QString& title, const QImage& picture) {
  std::string source;
  if (!picture.isNull()) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    source = "data:image/png;base64," + png.toBase64().toStdString();
  }
  const std::string page = ProtocolHtml(rows, title.toStdString(), source);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (file.write(page.data(), static_cast<qint64>(page.size())) !=
      static_cast<qint64>(page.size())) {
    const QString error = file.errorString();
    file.cancelWriting();
    return error;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace zelmora
