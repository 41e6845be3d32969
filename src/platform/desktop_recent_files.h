#pragma once

#include <QDateTime>
#include <QString>

namespace zelmora {

// The desktop's list of recent files (the shared XBEL file that file
// managers and "Recent" places read). `file` becomes its newest entry, as
// opened by `application` with MIME type `mimeType`. Only a list the desktop
// already keeps is written: where there is none, nothing is created. A list
// that cannot be read as XBEL is left as it is. True when the list now holds
// the file.
bool AddToDesktopRecentFiles(const QString& listPath, const QString& file, const QString& mimeType,
                             const QString& application, const QDateTime& when);

// Where the desktop keeps that list: recently-used.xbel in the user's data folder.
QString DesktopRecentFilesPath();

}  // namespace zelmora
