#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>

#include "dialogs/protocol_form.h"
#include "document/protocol_html.h"
#include "document/protocol_settings.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"
#include "render/protocol_picture.h"

// The construction protocol's window beside the drawing, its printout and
// its page for handing out.
namespace zelmora {
namespace {

constexpr int kGap = 8;
constexpr const char* kHelpPage = "Протокол построения";
const QUrl kPictureName(QStringLiteral("zelmora-drawing.png"));

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// To the right of the main window where the screen has room, else over its
// right part, always whole on the screen.
QRect BesideWindow(const QWidget& main, QSize size) {
  const QScreen* screen =
      main.screen() != nullptr ? main.screen() : QGuiApplication::primaryScreen();
  const QRect frame = main.frameGeometry();
  QRect place(QPoint(frame.right() + kGap, frame.top()), size);
  if (screen == nullptr) return place;
  const QRect area = screen->availableGeometry();
  place.moveRight(std::min(place.right(), area.right()));
  place.moveBottom(std::min(place.bottom(), area.bottom()));
  place.moveTopLeft(QPoint(std::max(place.left(), area.left()), std::max(place.top(), area.top())));
  return place;
}

}  // namespace

QString TMainForm::DocumentTitle() const {
  const std::string& file = session_->FileName();
  if (file.empty()) return Text(texts::kUntitled);
  return QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).completeBaseName();
}

void TMainForm::ShowProtocol() {
  if (protocolForm_ == nullptr) {
    protocolForm_ = std::make_unique<TProtocolForm>(
        this, *editor_, PointIcons{glyphs_.Glyph(1, 0), glyphs_.Glyph(1, kBackgroundColorIndex)});
    connect(protocolForm_.get(), &TProtocolForm::printRequested, this, &TMainForm::PrintProtocol);
    connect(protocolForm_.get(), &TProtocolForm::saveRequested, this, &TMainForm::SaveProtocolHtml);
    connect(protocolForm_.get(), &TProtocolForm::helpRequested, this,
            [this] { zelmora::OpenHelpPage(Context(), Text(kHelpPage)); });
    if (const auto placed = LoadProtocolWindowSettings(store_)) {
      protocolForm_->setGeometry(placed->left, placed->top, placed->width, placed->height);
      protocolForm_->SetStepMs(placed->stepMs);
    } else {
      protocolForm_->setGeometry(BesideWindow(*this, protocolForm_->size()));
    }
  }
  protocolForm_->Refresh();
  protocolForm_->show();
  protocolForm_->raise();
}

// Remembered like the hint window's place: read when the window first
// opens, written when the program ends.
void TMainForm::SaveProtocolPlacement() {
  if (protocolForm_ == nullptr) return;
  const QRect place = protocolForm_->geometry();
  SaveProtocolWindowSettings(
      store_, {place.left(), place.top(), place.width(), place.height(), protocolForm_->StepMs()});
}

void TMainForm::PrintProtocol() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Text(texts::kProtocolDocName).arg(DocumentTitle()));
  QTextDocument page;
  page.addResource(QTextDocument::ImageResource, kPictureName, ProtocolPicture(Source()));
  page.setHtml(QString::fromStdString(ProtocolHtml(BuildProtocol(editor_->Objects()),
                                                   DocumentTitle().toStdString(),
                                                   kPictureName.toString().toStdString())));
  QPrintPreviewDialog preview(&printer, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [&page](QPrinter* device) { page.print(device); });
  prompts_.RunDialog(preview);
}

void TMainForm::SaveProtocolHtml() {
  QFileDialog dialog(this, Text(texts::kProtocolSaveTitle),
                     QDir(QDir::homePath()).filePath(DocumentTitle() + QStringLiteral(".html")),
                     Text(texts::kProtocolSaveFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("html"));
  if (prompts_.RunDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  const QString error = WriteProtocolHtml(path, BuildProtocol(editor_->Objects()), DocumentTitle(),
                                          ProtocolPicture(Source()));
  if (!error.isEmpty()) prompts_.Inform(this, Text(texts::kExportFailed).arg(path, error));
}

}  // namespace zelmora
