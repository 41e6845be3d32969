#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "geometry/construction_protocol.h"
#include "render/picture_export.h"

namespace zelmora {

// The small picture under a saved or printed protocol: the drawing as the
// surface shows it, cut to the part that holds something and shrunk to fit
// `maxSide` pixels.
QImage ProtocolPicture(const DrawingSource& source, int maxSide = 360);

// The protocol page with the picture inside it as PNG data, written beside
// `path` and renamed over it. Returns an error text, empty on success.
QString WriteProtocolHtml(const QString& path, const std::vector<ProtocolRow>& rows,
                          const QString& title, const QImage& picture);

}  // namespace zelmora
