#include "platform/desktop_recent_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace zelmora {
namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// The hrefs of the list's bookmarks, in order; empty when it is no XML.
QStringList Hrefs(const QByteArray& xml) {
  QStringList hrefs;
  QXmlStreamReader in(xml);
  while (!in.atEnd()) {
    in.readNext();
    if (in.isStartElement() && in.name() == QStringLiteral("bookmark")) {
      hrefs << in.attributes().value(QStringLiteral("href")).toString();
    }
  }
  return in.hasError() ? QStringList() : hrefs;
}

constexpr const char* kOtherProgram =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\" "
    "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\""
    " xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <bookmark href=\"file:///home/u/letter.odt\" added=\"2026-01-01T00:00:00Z\"/>\n"
    "  <bookmark href=\"file:///home/u/%D0%A2.zms\" added=\"2026-01-01T00:00:00Z\"/>\n"
    "</xbel>\n";

// A saved or opened drawing is listed last, once, beside other programs'
// files; a list the desktop does not keep, or cannot read, is left alone.
TEST(DesktopRecentFiles, TheDrawingJoinsTheDesktopsListAndNothingElseChanges) {
  QTemporaryDir dir;
  const QString list = dir.filePath(QStringLiteral("recently-used.xbel"));
  const QDateTime when = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
  const QString drawing = QString::fromUtf8("/home/u/Т.zms");

  EXPECT_FALSE(AddToDesktopRecentFiles(list, drawing, "application/x-zelmora-drawing", "Z", when));
  EXPECT_FALSE(QFile::exists(list));

  Write(list, "not a list");
  EXPECT_FALSE(AddToDesktopRecentFiles(list, drawing, "application/x-zelmora-drawing", "Z", when));
  EXPECT_EQ(Read(list), QByteArray("not a list"));

  Write(list, kOtherProgram);
  for (int twice = 0; twice < 2; ++twice) {
    ASSERT_TRUE(AddToDesktopRecentFiles(list, drawing, "application/x-zelmora-drawing", "Z", when));
  }
  EXPECT_EQ(Hrefs(Read(list)), (QStringList{QStringLiteral("file:///home/u/letter.odt"),
                                            QStringLiteral("file:///home/u/%D0%A2.zms")}));
  EXPECT_TRUE(Read(list).contains("application/x-zelmora-drawing"));
}

}  // namespace
}  // namespace zelmora
