#include "platform/desktop_recent_files.h"

#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <functional>

namespace zelmora {
namespace {

constexpr const char* kBookmarkNs = "http://www.freedesktop.org/standards/desktop-bookmarks";
constexpr const char* kMimeNs = "http://www.freedesktop.org/standards/shared-mime-info";

void WriteBookmark(QXmlStreamWriter& out, const QString& href, const QString& mimeType,
                   const QString& application, const QDateTime& when) {
  const QString stamp = when.toUTC().toString(Qt::ISODate);
  out.writeStartElement(QStringLiteral("bookmark"));
  out.writeAttribute(QStringLiteral("href"), href);
  out.writeAttribute(QStringLiteral("added"), stamp);
  out.writeAttribute(QStringLiteral("modified"), stamp);
  out.writeAttribute(QStringLiteral("visited"), stamp);
  out.writeStartElement(QStringLiteral("info"));
  out.writeStartElement(QStringLiteral("metadata"));
  out.writeAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
  out.writeEmptyElement(QString::fromLatin1(kMimeNs), QStringLiteral("mime-type"));
  out.writeAttribute(QStringLiteral("type"), mimeType);
  out.writeStartElement(QString::fromLatin1(kBookmarkNs), QStringLiteral("applications"));
  out.writeEmptyElement(QString::fromLatin1(kBookmarkNs), QStringLiteral("application"));
  out.writeAttribute(QStringLiteral("name"), application);
  out.writeAttribute(QStringLiteral("exec"), QStringLiteral("'zelmora %u'"));
  out.writeAttribute(QStringLiteral("modified"), stamp);
  out.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
  out.writeEndElement();  // applications
  out.writeEndElement();  // metadata
  out.writeEndElement();  // info
  out.writeEndElement();  // bookmark
}

// Copies `in` to `out`, leaving out an older bookmark of `href` and adding
// the new one as the last child of <xbel>. False when `in` is no XBEL.
bool CopyWithBookmark(QXmlStreamReader& in, QXmlStreamWriter& out, const QString& href,
                      const std::function<void()>& addBookmark) {
  int depth = 0;
  bool sawXbel = false;
  while (!in.atEnd()) {
    in.readNext();
    if (in.isStartElement()) {
      ++depth;
      if (depth == 1) sawXbel = in.name() == QStringLiteral("xbel");
      if (depth == 2 && in.name() == QStringLiteral("bookmark") &&
          in.attributes().value(QStringLiteral("href")) == href) {
        in.skipCurrentElement();
        --depth;
        continue;
      }
    } else if (in.isEndElement()) {
      if (depth == 1 && sawXbel) addBookmark();
      --depth;
    } else if (in.isStartDocument() || in.isEndDocument()) {
      continue;
    }
    out.writeCurrentToken(in);
  }
  return sawXbel && !in.hasError();
}

}  // namespace

QString DesktopRecentFilesPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/recently-used.xbel");
}

bool AddToDesktopRecentFiles(const QString& listPath, const QString& file, const QString& mimeType,
                             const QString& application, const QDateTime& when) {
  QFile list(listPath);
  if (!list.exists() || !list.open(QIODevice::ReadOnly)) return false;
  const QByteArray old = list.readAll();
  list.close();
  const QString href = QString::fromUtf8(QUrl::fromLocalFile(file).toEncoded());
  QByteArray updated;
  QXmlStreamReader in(old);
  QXmlStreamWriter out(&updated);
  out.setAutoFormatting(true);
  out.writeStartDocument();
  const bool ok = CopyWithBookmark(in, out, href,
                                   [&] { WriteBookmark(out, href, mimeType, application, when); });
  out.writeEndDocument();
  if (!ok) return false;
  // Other programs write the list too: replace it whole, never half.
  QSaveFile save(listPath);
  if (!save.open(QIODevice::WriteOnly)) return false;
  save.write(updated);
  return save.commit();
}

}  // namespace zelmora
