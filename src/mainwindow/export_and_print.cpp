#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "geometry/paint.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"

// The picture files of the export and the printed page: both paint what the
// surface shows, the export a rectangle of it, the printer all of it.
namespace zelmora {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

DrawingSource TMainForm::Source() {
  return {editor_->Objects(), editor_->PaintContext(),
          QSize(editor_->SurfaceWidth(), editor_->SurfaceHeight()), &glyphs_,
          LabelFont(QString::fromStdString(settings_.nameFont))};
}

void TMainForm::ShowExportPanel(bool shown) {
  PreparePanels(shown ? PanelMode::Export : PanelMode::Status, *statusBar_, *selectionPanel_);
}

void TMainForm::SetExportPrompt(const std::string& text) {
  selectionPanel_->SetPrompt(QString::fromStdString(text));
}

std::optional<std::string> TMainForm::AskExportPath() {
  if (exportFolder_.isEmpty()) exportFolder_ = QDir::homePath();
  const std::optional<QString> path = prompts_.AskExportPath(this, exportFolder_);
  if (!path) return std::nullopt;
  exportFolder_ = QFileInfo(*path).absolutePath();
  return QFile::encodeName(*path).toStdString();
}

std::string TMainForm::WriteExport(const std::string& path, PixelRect area) {
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  const QRect rect(area.left, area.top, area.width, area.height);
  const PictureWriter* writer = WriterFor(name);
  // A screen of finer pixels shows more than a file of the drawing's units holds.
  const QImage picture = canvas_.PixelRatio() == 1 ? canvas_.Image() : FreshPicture();
  return WritePicture(name, writer != nullptr ? *writer : *PictureWriters().front(), rect, picture,
                      Source())
      .toStdString();
}

void TMainForm::ShowExportFailed(const std::string& path, const std::string& error) {
  prompts_.Inform(this, Text(texts::kExportFailed)
                            .arg(QFile::decodeName(QByteArray::fromStdString(path)),
                                 QString::fromStdString(error)));
}

QImage TMainForm::FreshPicture() {
  const QSize surface(editor_->SurfaceWidth(), editor_->SurfaceHeight());
  QImageCanvas pixels(&glyphs_, LabelFont(QString::fromStdString(settings_.nameFont)));
  pixels.SetSmoothing(settings_.smoothing);
  pixels.Resize(surface);
  PaintDrawing(pixels, editor_->Objects(), nullptr, editor_->PaintContext(), surface.width(),
               surface.height());
  return pixels.Image();
}

void TMainForm::CopyPicture() {
  const QSize surface(editor_->SurfaceWidth(), editor_->SurfaceHeight());
  const std::optional<PixelRect> chosen = editor_->ChosenExportArea();
  const QRect area = chosen ? QRect(chosen->left, chosen->top, chosen->width, chosen->height)
                            : QRect(QPoint(0, 0), surface);
  // Painted afresh: a pasted picture shows neither the selection nor the
  // export's frame.
  const QImage whole = FreshPicture();
  const QImage picture = whole.copy(area);
  auto mime = std::make_unique<QMimeData>();
  mime->setImageData(picture);
  // Word processors take the PNG, drawing programs the SVG.
  const struct {
    const char* file;
    const char* type;
  } kFormats[] = {{"a.png", "image/png"}, {"a.svg", "image/svg+xml"}};
  for (const auto& format : kFormats) {
    const PictureWriter* writer = WriterFor(QString::fromLatin1(format.file));
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (writer != nullptr && writer->Write(bytes, {area, whole, Source(), {}})) {
      mime->setData(QString::fromLatin1(format.type), bytes.data());
    }
  }
  QGuiApplication::clipboard()->setMimeData(mime.release());
}

void TMainForm::PrintDrawing() {
  QPrinter printer(QPrinter::HighResolution);
  const std::string& file = session_->FileName();
  const QString name =
      file.empty() ? Text(texts::kUntitled)
                   : QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).fileName();
  printer.setDocName(name);
  // The surface's proportions decide the page's orientation.
  const QSize surface = QSize(editor_->SurfaceWidth(), editor_->SurfaceHeight());
  printer.setPageOrientation(surface.width() > surface.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
  const QString author = QString::fromStdString(session_->Info().author).trimmed();
  const QString header = Text(texts::kPrintHeader).arg(name) +
                         (author.isEmpty() ? QString() : Text(texts::kPrintAuthor).arg(author));
  QPrintPreviewDialog preview(&printer, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, header](QPrinter* device) {
    // The painter's origin is the printable area's corner.
    const QSize printable = device->pageLayout().paintRectPixels(device->resolution()).size();
    QPainter painter(device);
    DrawingSource source = Source();
    // The strokes of a page are smoothed anyway; its labels as the screen's.
    if (settings_.smoothing) source.labelFont.setStyleStrategy(QFont::PreferAntialias);
    PaintPrintedPage(painter, QRectF(QPointF(0, 0), printable), source, header);
  });
  prompts_.RunDialog(preview);
}

}  // namespace zelmora
