#include "mainwindow/main_form.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/zm_paint_box.h"
#include "document/text_table.h"
#include "interaction/editor_texts.h"
#include "mainwindow/key_translation.h"
#include "mainwindow/main_form_texts.h"
#include "mainwindow/pack_images.h"
#include "mainwindow/shadow_label.h"

namespace zelmora {
namespace {

const QColor kPanelColor(180, 200, 206);
constexpr int kObjectBarHeight = 65;
constexpr int kPictureBarHeight = 40;
constexpr int kStatusBarHeight = 32;
constexpr int kMainPanelBorder = 8;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Hints are written with Windows line breaks.
QString Hint(const char* utf8) {
  return Text(utf8).replace(QStringLiteral("\r\n"), "\n");
}

void FillWith(QWidget* widget, const QBrush& brush) {
  QPalette palette = widget->palette();
  palette.setBrush(QPalette::Window, brush);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QFrame* ToolBar(const char* name, int height, const QPixmap& wallpaper) {
  auto* bar = new QFrame;
  bar->setObjectName(QString::fromLatin1(name));
  bar->setFixedHeight(height);
  FillWith(bar, wallpaper.isNull() ? QBrush(kPanelColor) : QBrush(wallpaper));
  return bar;
}

// A flat button at a fixed place on its bar. It never takes the keyboard
// focus: the keys belong to the drawing.
QToolButton* FlatButton(QWidget* bar, const char* name, QRect place, const QPixmap& glyph,
                        const char* hint) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setGeometry(place);
  button->setIcon(glyph);
  button->setIconSize(glyph.size());
  button->setToolTip(Hint(hint));
  return button;
}

QLabel* StatusText(const QString& text, Qt::Alignment alignment, const char* name = nullptr) {
  auto* label = new QLabel(text);
  label->setAlignment(alignment | Qt::AlignVCenter);
  if (name != nullptr) label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

std::unique_ptr<TMainForm> TMainForm::Create(MainFormOptions options) {
  const QString path =
      QDir(options.programFolder).filePath(QString::fromLatin1(kImagePackFileName));
  const ImagePack pack = ReadImagePack(QFile::encodeName(path).toStdString());
  if (!pack.ok()) return nullptr;
  std::optional<PointGlyphTable> glyphs = PointGlyphTable::FromPack(pack);
  if (!glyphs) return nullptr;
  return std::unique_ptr<TMainForm>(new TMainForm(std::move(options), pack, std::move(*glyphs)));
}

TMainForm::TMainForm(MainFormOptions options, const ImagePack& pack, PointGlyphTable glyphs)
    : options_(std::move(options)),
      glyphs_(std::move(glyphs)),
      canvas_(&glyphs_, LabelFont(QString::fromStdString(options_.settings.nameFont))),
      tables_(QFile::encodeName(options_.programFolder).toStdString()) {
  editor_ = std::make_unique<Editor>(*this, tables_);
  const Settings& settings = options_.settings;
  editor_->feeling = settings.feeling;
  editor_->zoomStep = settings.zoomStep;
  editor_->Objects().defaults = MakeCreationDefaults(settings);

  setWindowTitle(Text(texts::kProgramTitle));
  resize(647, 472);
  BuildMenus();
  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildObjectBar(pack));
  column->addWidget(BuildPictureBar(pack));
  column->addWidget(BuildMainPanel(), 1);
  column->addWidget(BuildStatusBar());
  setCentralWidget(central);

  objectBar_->setVisible(settings.objectPanel);
  objectBarItem_->setChecked(settings.objectPanel);
  pictureBar_->setVisible(settings.picturePanel);
  pictureBarItem_->setChecked(settings.picturePanel);

  objectPM_ = new QMenu(this);
  objectPM_->setObjectName(QStringLiteral("ObjectPM"));
  blinkTimer_.setInterval(settings.timePause);
  connect(&blinkTimer_, &QTimer::timeout, this, [this] { editor_->TimerTick(); });
  zoomTimer_.setInterval(0);
  connect(&zoomTimer_, &QTimer::timeout, this, &TMainForm::ZoomTick);
  ConnectSurface();
}

TMainForm::~TMainForm() {
  if (dragCursorShown_) QGuiApplication::restoreOverrideCursor();
}

void TMainForm::BuildMenus() {
  QMenu* file = menuBar()->addMenu(Text(texts::kFileMenu));
  file->addAction(Text(texts::kExitItem), this, &QWidget::close);
  QMenu* view = menuBar()->addMenu(Text(texts::kViewMenu));
  objectBarItem_ = view->addAction(Text(texts::kObjectBarItem), this, &TMainForm::ToggleObjectBar);
  objectBarItem_->setObjectName(QStringLiteral("N59"));
  objectBarItem_->setCheckable(true);
  pictureBarItem_ =
      view->addAction(Text(texts::kPictureBarItem), this, &TMainForm::TogglePictureBar);
  pictureBarItem_->setObjectName(QStringLiteral("N60"));
  pictureBarItem_->setCheckable(true);
}

QFrame* TMainForm::BuildObjectBar(const ImagePack& pack) {
  const QPixmap wallpaper = QPixmap::fromImage(DecodePackImage(pack, kWallpaper));
  objectBar_ = ToolBar("SpeedBar1", kObjectBarHeight, wallpaper);
  auto place = [](int x) { return QRect(x, 8, 51, 51); };
  QToolButton* back =
      FlatButton(objectBar_, "RxSpeedButton7", place(8), ButtonGlyph(pack, kReturnToNormalGlyph),
                 texts::kReturnToNormalHint);
  connect(back, &QToolButton::clicked, this, [this] { editor_->ReturnToNormal(); });
  const struct {
    const char* name;
    int x;
    int glyph;
    const char* hint;
    NewObjectKind kind;
  } creators[] = {
      {"RxSpeedButton1", 80, kNewPointGlyph, texts::kNewPointHint, NewObjectKind::Point},
      {"RxSpeedButton2", 136, kNewLineGlyph, texts::kNewLineHint, NewObjectKind::Line},
      {"RxSpeedButton3", 192, kNewCircleGlyph, texts::kNewCircleHint, NewObjectKind::Circle},
  };
  for (const auto& c : creators) {
    QToolButton* button =
        FlatButton(objectBar_, c.name, place(c.x), ButtonGlyph(pack, c.glyph), c.hint);
    const NewObjectKind kind = c.kind;
    connect(button, &QToolButton::clicked, this, [this, kind] { editor_->NewObjectDialog(kind); });
  }
  QToolButton* remove = FlatButton(objectBar_, "RxSpeedButton5", place(272),
                                   ButtonGlyph(pack, kDeleteGlyph), texts::kDeleteHint);
  connect(remove, &QToolButton::clicked, this, [this] { editor_->DeleteSelected(); });
  // The property dialogs do not exist yet.
  QToolButton* properties = FlatButton(objectBar_, "RxSpeedButton4", place(328),
                                       ButtonGlyph(pack, kPropertiesGlyph), texts::kPropertiesHint);
  properties->setEnabled(false);
  return objectBar_;
}

QFrame* TMainForm::BuildPictureBar(const ImagePack& pack) {
  const QPixmap wallpaper = QPixmap::fromImage(DecodePackImage(pack, kWallpaper));
  pictureBar_ = ToolBar("SpeedBar3", kPictureBarHeight, wallpaper);
  const struct {
    const char* name;
    int x;
    int glyph;
    const char* hint;
    InteractionState mode;
  } modes[] = {
      {"ZoomAll", 8, kZoomGlyph, texts::kZoomHint, InteractionState::ZoomMode},
      {"DoPerenos", 48, kTranslationGlyph, texts::kTranslateHint, InteractionState::TranslateMode},
      {"DoPovorot", 88, kRotationGlyph, texts::kRotateHint, InteractionState::RotateMode},
      {"DoCenterSymmetry", 128, kPointSymmetryGlyph, texts::kPointSymmetryHint,
       InteractionState::PointSymmetryMode},
      {"DoLineSymmetry", 168, kLineSymmetryGlyph, texts::kLineSymmetryHint,
       InteractionState::LineSymmetryMode},
  };
  for (const auto& m : modes) {
    const int width = m.mode == InteractionState::ZoomMode ? 32 : 33;
    QToolButton* button = FlatButton(pictureBar_, m.name, QRect(m.x, 4, width, 32),
                                     ButtonGlyph(pack, m.glyph), m.hint);
    button->setCheckable(true);
    const InteractionState mode = m.mode;
    // The editor decides which button is down and says so through ShowModeButton.
    connect(button, &QToolButton::clicked, this, [this, mode] { editor_->ToggleMode(mode); });
    modeButtons_.emplace_back(mode, button);
  }
  return pictureBar_;
}

QFrame* TMainForm::BuildMainPanel() {
  auto* panel = new QFrame;
  panel->setObjectName(QStringLiteral("MainPanel"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  FillWith(panel, kPanelColor);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(kMainPanelBorder, kMainPanelBorder, kMainPanelBorder,
                             kMainPanelBorder);
  planeBox_ = new TZMPaintBox;
  planeBox_->setObjectName(QStringLiteral("PlaneBox"));
  // A click on the drawing takes the keyboard back from wherever it was.
  planeBox_->setFocusPolicy(Qt::ClickFocus);
  layout->addWidget(planeBox_);
  return panel;
}

QFrame* TMainForm::BuildStatusBar() {
  auto* bar = new QFrame;
  bar->setObjectName(QStringLiteral("SpeedBar2"));
  bar->setFixedHeight(kStatusBarHeight);
  FillWith(bar, kPanelColor);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(2);

  helpLabel_ = new ShadowLabel;
  helpLabel_->setObjectName(QStringLiteral("HelpLabel"));
  QFont courier(QStringLiteral("Courier New"));
  courier.setPixelSize(16);
  helpLabel_->setFont(courier);
  QPalette white = helpLabel_->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  helpLabel_->setPalette(white);
  helpLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  helpLabel_->setText(Text(texts::kInitialHelpLabel));
  helpLabel_->setMinimumWidth(0);
  helpLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addWidget(helpLabel_, 1);

  auto* objectPanel = new QFrame;
  objectPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  objectPanel->setFixedWidth(182);
  objectPanel->setToolTip(Text(texts::kSelectedObjectHint));
  auto* objectRow = new QHBoxLayout(objectPanel);
  objectRow->setContentsMargins(2, 0, 2, 0);
  objectLabel_ = StatusText(Text(texts::kNoSelection), Qt::AlignHCenter, "ObjectLabel");
  objectRow->addWidget(objectLabel_);
  row->addWidget(objectPanel);

  auto* positionPanel = new QFrame;
  positionPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  positionPanel->setFixedWidth(81);
  auto* grid = new QGridLayout(positionPanel);
  grid->setContentsMargins(4, 0, 4, 0);
  grid->setVerticalSpacing(0);
  QFont small = positionPanel->font();
  small.setPixelSize(11);
  positionPanel->setFont(small);
  xLabel_ = StatusText({}, Qt::AlignRight, "XLabel");
  yLabel_ = StatusText({}, Qt::AlignRight, "YLabel");
  grid->addWidget(StatusText(QStringLiteral("X:"), Qt::AlignLeft), 0, 0);
  grid->addWidget(xLabel_, 0, 1);
  grid->addWidget(StatusText(QStringLiteral("Y:"), Qt::AlignLeft), 1, 0);
  grid->addWidget(yLabel_, 1, 1);
  row->addWidget(positionPanel);
  return bar;
}

void TMainForm::ConnectSurface() {
  planeBox_->SetPicture(&canvas_.Image());
  connect(planeBox_, &TZMPaintBox::MouseDown, this,
          [this](MouseButton button, Modifiers mods, int x, int y) {
            editor_->MouseDown(button, mods, x, y);
          });
  connect(planeBox_, &TZMPaintBox::MouseMove, this,
          [this](Modifiers mods, int x, int y) { editor_->MouseMove(mods, x, y); });
  connect(planeBox_, &TZMPaintBox::MouseUp, this,
          [this](MouseButton button, Modifiers mods, int x, int y) {
            editor_->MouseUp(button, mods, x, y);
            if (dragCursorShown_ && !mods.left && !mods.right) {
              QGuiApplication::restoreOverrideCursor();
              dragCursorShown_ = false;
            }
          });
  connect(planeBox_, &TZMPaintBox::MouseLeave, this, [this] { editor_->MouseLeave(); });
  connect(planeBox_, &TZMPaintBox::Resized, this, &TMainForm::SizesChanged);
}

void TMainForm::SizesChanged() {
  const QSize surface = planeBox_->size();
  if (canvas_.Image().size() != surface) canvas_.Resize(surface);
  const QSize outer = frameGeometry().size();
  editor_->Resize(surface.width(), surface.height(), outer.width(), outer.height());
  editor_->Repaint();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  SizesChanged();
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
  const std::optional<Key> key = EditorKey(*event);
  if (!key) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  editor_->KeyDown(*key, KeyModifiers(*event));
  event->accept();
}

void TMainForm::ZoomTick() {
  if (!editor_->ZoomStep()) zoomTimer_.stop();
}

void TMainForm::ToggleObjectBar() {
  objectBar_->setVisible(objectBar_->isHidden());
  objectBarItem_->setChecked(!objectBar_->isHidden());
}

void TMainForm::TogglePictureBar() {
  pictureBar_->setVisible(pictureBar_->isHidden());
  pictureBarItem_->setChecked(!pictureBar_->isHidden());
}

bool TMainForm::OpenDocument(const QString& path) {
  if (!QFileInfo::exists(path)) {
    ShowMessage(Text(kCommandLineFileMissing));
    return false;
  }
  // Read aside first: a file that fails leaves the drawing as it was.
  ObjectList loaded;
  loaded.defaults = editor_->Objects().defaults;
  DocumentInfo info;
  const LoadResult result =
      LoadPlane(std::filesystem::path(QFile::encodeName(path).toStdString()), loaded, info);
  if (!result.ok()) {
    ShowError(result.ErrorNumber());
    return false;
  }
  editor_->ClearDrawing();
  editor_->Objects().Swap(loaded);
  documentInfo_ = std::move(info);
  editor_->Repaint();
  return true;
}

// ---- EditorView ---------------------------------------------------------------

void TMainForm::Present() {
  canvas_.Image();  // closes the painter: the surface must see the finished picture
  planeBox_->update();
}

void TMainForm::SetPrompt(const std::string& text) {
  prompt_ = text;
}

void TMainForm::SetHelpLabel(const std::string& text) {
  helpLabel_->setText(QString::fromStdString(text));
}

void TMainForm::SetObjectLabel(const std::string& text) {
  objectLabel_->setText(QString::fromStdString(text));
}

void TMainForm::SetCoordinates(const std::string& x, const std::string& y) {
  xLabel_->setText(QString::fromStdString(x));
  yLabel_->setText(QString::fromStdString(y));
}

void TMainForm::SetSurfaceCursor(CursorShape cursor) {
  planeBox_->setCursor(cursors_.For(cursor));
}

// The drag cursor holds everywhere until the button goes up, even where the
// captured mouse leaves the surface.
void TMainForm::SetDragCursor(CursorShape cursor) {
  if (dragCursorShown_) {
    QGuiApplication::changeOverrideCursor(cursors_.For(cursor));
  } else {
    QGuiApplication::setOverrideCursor(cursors_.For(cursor));
    dragCursorShown_ = true;
  }
}

void TMainForm::MoveCursorTo(int x, int y) {
  planeBox_->MoveCursorTo(x, y);
}

void TMainForm::SetBlinkTimer(bool running) {
  if (running) {
    blinkTimer_.start();
  } else {
    blinkTimer_.stop();
  }
}

void TMainForm::StartZoomLoop() {
  zoomTimer_.start();
}

void TMainForm::ShowModeButton(InteractionState mode) {
  for (const auto& [state, button] : modeButtons_) button->setChecked(state == mode);
}

void TMainForm::ShowPopupMenu(int x, int y, const std::vector<PopupItem>& items) {
  objectPM_->clear();
  for (const PopupItem& item : items) {
    const int tag = item.tag;
    // A name with "&" would otherwise lose it to a keyboard accelerator.
    const QString caption = QString::fromStdString(item.caption).replace('&', QStringLiteral("&&"));
    objectPM_->addAction(caption, this, [this, tag] { editor_->MenuSelect(tag); });
  }
  objectPM_->popup(planeBox_->mapToGlobal(QPoint(x, y)));
}

void TMainForm::OpenHelpPage(const std::string& page) {
  const QString path = QDir(options_.programFolder).filePath(QString::fromStdString(page));
  const QUrl url = QUrl::fromLocalFile(path);
  const bool opened = QFileInfo::exists(path) &&
                      (options_.openUrl ? options_.openUrl(url) : QDesktopServices::openUrl(url));
  if (!opened) ShowError(kErrorHelpPageMissing);
}

void TMainForm::ShowError(int number) {
  if (options_.showError) {
    options_.showError(number);
    return;
  }
  const std::filesystem::path table =
      std::filesystem::path(QFile::encodeName(options_.programFolder).toStdString()) /
      kErrorTableFile;
  const std::optional<std::string> text = TableText(table, number, 0);
  QMessageBox::critical(this, Text(texts::kErrorTitle),
                        text ? QString::fromStdString(*text) : QString::number(number));
}

void TMainForm::ShowMessage(const QString& text) {
  if (options_.showMessage) {
    options_.showMessage(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, Text(texts::kProgramTitle), text, QMessageBox::Ok, this);
  box.exec();
}

// The new-object and parameter dialogs come later; until then every such
// question is answered "cancelled".
std::optional<int> TMainForm::AskNewObjectMethod(NewObjectKind) {
  return std::nullopt;
}

std::optional<double> TMainForm::AskParameter(int) {
  return std::nullopt;
}

}  // namespace zelmora
