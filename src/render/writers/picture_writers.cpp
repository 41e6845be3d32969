#include <QFileInfo>
#include <array>

#include "render/writers/picture_writer.h"

namespace zelmora {

// Each defined beside its class.
const PictureWriter& BmpWriter();
const PictureWriter& PngWriter();
const PictureWriter& SvgWriter();
const PictureWriter& PdfWriter();
const PictureWriter& TikzWriter();

std::span<const PictureWriter* const> PictureWriters() {
  static const std::array kWriters{
      &BmpWriter(), &PngWriter(), &SvgWriter(), &PdfWriter(), &TikzWriter(),
  };
  return kWriters;
}

QString PictureWriter::Filter() const {
  QStringList patterns;
  for (const QString& extension : Extensions()) patterns.append(QStringLiteral("*.") + extension);
  return Name() + QStringLiteral(" (") + patterns.join(' ') + ')';
}

const PictureWriter* WriterFor(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  for (const PictureWriter* writer : PictureWriters()) {
    if (writer->Extensions().contains(suffix)) return writer;
  }
  return nullptr;
}

}  // namespace zelmora
