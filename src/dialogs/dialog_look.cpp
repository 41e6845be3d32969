#include "dialogs/dialog_look.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "document/data_folders.h"
#include "document/image_pack.h"
#include "document/text_table.h"
#include "render/pack_pixmaps.h"

namespace zelmora {

void DialogContext::ShowError(int number) const {
  if (showError) {
    showError(number);
  } else {
    QApplication::beep();
  }
}

bool DialogContext::OpenUrl(const QUrl& url) const {
  return openUrl ? openUrl(url) : QDesktopServices::openUrl(url);
}

int DialogContext::RunModal(QDialog& dialog) const {
  return runModal ? runModal(dialog) : dialog.exec();
}

QPalette ProgramPalette() {
  // Black texts on white edits and light grey buttons, as the panels were drawn for.
  QPalette light(QColor(240, 240, 240));
  light.setColor(QPalette::Base, Qt::white);
  light.setColor(QPalette::Highlight, QColor(0, 0, 128));
  light.setColor(QPalette::HighlightedText, Qt::white);
  return light;
}

QFont DialogTitleFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(19);
  font.setBold(true);
  return font;
}

QFont DialogTextFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(16);
  return font;
}

QFont FontFitting(QFont font, const QString& text, int room) {
  const int advance = QFontMetrics(font).horizontalAdvance(text);
  if (advance > room && text.size() > 1) {
    font.setLetterSpacing(QFont::AbsoluteSpacing,
                          static_cast<qreal>(room - advance) / static_cast<qreal>(text.size()));
  }
  return font;
}

QString DialogContext::DrawingsFolder() const {
  if (!drawingsFolder.isEmpty()) return drawingsFolder;
  return ProgramSubfolder(UserFolder(), QString::fromLatin1(kSavesFolderName));
}

QString ProgramSubfolder(const QString& programFolder, const QString& name) {
  const QDir folder(programFolder);
  if (QFileInfo(folder.filePath(name)).isDir()) return folder.filePath(name);
  const QStringList entries = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder.filePath(entry);
  }
  return folder.filePath(name);
}

bool OpenHelpPage(const DialogContext& context, const QString& page) {
  // Pages were always addressed both as "Help\" and "help\"; on a
  // case-sensitive file system either spelling of the folder must do.
  const QString path = QDir(ProgramSubfolder(context.programFolder, QStringLiteral("Help")))
                           .filePath(page + QStringLiteral(".htm"));
  if (QFileInfo(path).isFile() && context.OpenUrl(QUrl::fromLocalFile(path))) return true;
  context.ShowError(kErrorHelpPageMissing);
  return false;
}

ShadowTextLabel::ShadowTextLabel(QWidget* parent) : QLabel(parent) {}

void ShadowTextLabel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);  // the bevel, if any
  QPainter painter(this);
  painter.setFont(font());
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const int flags =
      static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine);
  painter.setPen(Qt::black);
  painter.drawText(area.translated(1, 1), flags, text());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(area, flags, text());
}

WallpaperBar::WallpaperBar(QWidget* parent) : QWidget(parent) {}

void WallpaperBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Window));
  const QRect bevel =
      rect().adjusted(kWallpaperBorder, kWallpaperBorder, -kWallpaperBorder, -kWallpaperBorder);
  if (bevel.width() < 2 || bevel.height() < 2) return;
  const QRect inside = bevel.adjusted(1, 1, -1, -1);
  const QImage& wallpaper = PackPixmaps::Image(kWallpaper);
  if (!wallpaper.isNull()) painter.drawTiledPixmap(inside, QPixmap::fromImage(wallpaper));
  // A lowered bevel: dark above and left, light below and right.
  painter.setPen(colours.color(QPalette::Dark));
  painter.drawLine(bevel.topLeft(), bevel.topRight());
  painter.drawLine(bevel.topLeft(), bevel.bottomLeft());
  painter.setPen(colours.color(QPalette::Light));
  painter.drawLine(bevel.bottomLeft(), bevel.bottomRight());
  painter.drawLine(bevel.topRight(), bevel.bottomRight());
}

QFrame* AddShadowedPanel(QWidget* parent, const QRect& geometry) {
  auto* shadow = new QFrame(parent);
  shadow->setGeometry(geometry.adjusted(4, 6, 8, 8));
  shadow->setAutoFillBackground(true);
  QPalette black = shadow->palette();
  black.setColor(QPalette::Window, Qt::black);
  shadow->setPalette(black);

  auto* panel = new QFrame(parent);
  panel->setGeometry(geometry);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAutoFillBackground(true);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, kDialogPanelColor);
  panel->setPalette(colours);
  return panel;
}

ShadowTextLabel* AddTitle(QWidget* parent, const QString& text, const QRect& geometry) {
  auto* title = new ShadowTextLabel(parent);
  title->setGeometry(geometry);
  title->setFont(FontFitting(DialogTitleFont(), text, geometry.width() - 2 * kTextMarginToEdge));
  title->setAlignment(Qt::AlignCenter);
  QPalette white = title->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  title->setPalette(white);
  title->setText(text);
  return title;
}

QToolButton* AddGlyphButton(QWidget* parent, const QString& caption, int glyph,
                            const QRect& geometry) {
  auto* button = new QToolButton(parent);
  button->setGeometry(geometry);
  button->setAutoRaise(true);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setText(caption);
  const QPixmap picture = PackPixmaps::Glyph(glyph);
  if (!picture.isNull()) {
    button->setIcon(QIcon(picture));
    button->setIconSize(picture.size());
  }
  return button;
}

TZMDialog::TZMDialog(QWidget* owner, DialogContext context)
    : QDialog(owner), context_(std::move(context)) {
  setModal(true);
}

bool TZMDialog::OpenHelp() {
  if (helpPage_.isEmpty()) return false;
  return OpenHelpPage(context_, helpPage_);
}

void TZMDialog::Confirm() {
  accept();
}

void TZMDialog::SetClientSize(int width, int height) {
  setFixedSize(width, height);
}

WallpaperBar* TZMDialog::AddWallpaperBar() {
  auto* bar = new WallpaperBar(this);
  bar->setGeometry(rect());
  bar->lower();
  return bar;
}

QToolButton* TZMDialog::AddOkButton(QWidget* parent, const QRect& geometry,
                                    const QString& caption) {
  QToolButton* button = AddGlyphButton(parent, caption, kOkGlyph, geometry);
  connect(button, &QToolButton::clicked, this, &TZMDialog::Confirm);
  return button;
}

QToolButton* TZMDialog::AddCancelButton(QWidget* parent, const QRect& geometry,
                                        const QString& caption) {
  QToolButton* button = AddGlyphButton(parent, caption, kCancelGlyph, geometry);
  connect(button, &QToolButton::clicked, this, &QDialog::reject);
  return button;
}

// Keys a control leaves alone reach the dialog, so Enter, Escape and F1 work
// wherever the focus is.
void TZMDialog::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    OpenHelp();
    return;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && enterConfirms_) {
    Confirm();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape cancels
}

void TZMDialog::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QDialog::showEvent(event);
}

}  // namespace zelmora
