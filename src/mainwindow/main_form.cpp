#include "mainwindow/main_form.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/zm_paint_box.h"
#include "dialogs/help_form.h"
#include "dialogs/protocol_form.h"
#include "document/macro_file.h"
#include "interaction/editor_texts.h"
#include "mainwindow/key_translation.h"
#include "mainwindow/main_form_texts.h"
#include "render/pack_pixmaps.h"

namespace zelmora {
namespace {

const QColor kPanelColor(180, 200, 206);
constexpr int kObjectBarHeight = 65;
constexpr int kPictureBarHeight = 40;
constexpr int kStatusBarHeight = 32;
constexpr int kMainPanelBorder = 8;
constexpr int kObjectPanelWidth = 182;
constexpr int kObjectPanelMargin = 2;

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

QFrame* ToolBar(const char* name, int height) {
  auto* bar = new QFrame;
  bar->setObjectName(QString::fromLatin1(name));
  bar->setFixedHeight(height);
  const QImage& wallpaper = PackPixmaps::Image(kWallpaper);
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

TMainForm::TMainForm(MainFormOptions options, std::unique_ptr<SettingsStore> ownStore,
                     std::unique_ptr<UserPrompts> ownPrompts, Settings settings,
                     PointGlyphTable glyphs)
    : options_(std::move(options)),
      ownStore_(std::move(ownStore)),
      ownPrompts_(std::move(ownPrompts)),
      store_(options_.store != nullptr ? *options_.store : *ownStore_),
      prompts_(options_.prompts != nullptr ? *options_.prompts : *ownPrompts_),
      settings_(std::move(settings)),
      glyphs_(std::move(glyphs)),
      canvas_(&glyphs_, LabelFont(QString::fromStdString(settings_.nameFont))),
      tables_(QFile::encodeName(options_.programFolder).toStdString()) {
  editor_ = std::make_unique<Editor>(*this, tables_);
  session_ = std::make_unique<DocumentSession>(*editor_, *this);
  ApplySettings();

  setWindowTitle(QString::fromStdString(session_->Caption()));
  resize(647, 472);
  setAcceptDrops(true);
  BuildMenus();
  setCentralWidget(BuildCentralWidget());

  objectBar_->setVisible(settings_.objectPanel);
  objectBarItem_->setChecked(settings_.objectPanel);
  pictureBar_->setVisible(settings_.picturePanel);
  pictureBarItem_->setChecked(settings_.picturePanel);

  objectPM_ = new QMenu(this);
  objectPM_->setObjectName(QStringLiteral("ObjectPM"));
  ConnectTimers();
  ConnectSurface();

  session_->SetRecent(settings_.recentFiles);
  // The user's folder is the program folder unless that one cannot be written.
  macros_ = LoadMacroListAtStart(
      std::filesystem::path(QFile::encodeName(Context().UserFolder()).toStdString()));
  // The hint window comes last: it takes the position the settings kept.
  helpForm_ = new THelpForm(this);
  helpForm_->SetPosition(settings_.helpFormLeft, settings_.helpFormTop);
  BuildMacroMenu();
  BuildLessonMenu();
}

void TMainForm::BuildMacroMenu() {
  MacroMenu::Parts parts;
  parts.window = this;
  parts.editor = editor_.get();
  parts.prompts = &prompts_;
  parts.context = [this] { return Context(); };
  parts.menu = macrosMenu_;
  parts.statusBar = statusBar_;
  parts.panel = selectionPanel_;
  parts.nameOwner = [this]() -> QWidget* { return helpForm_; };
  macroMenu_ = std::make_unique<MacroMenu>(std::move(parts), macros_);
  editor_->SetMacroDialogs(macroMenu_.get());
}

void TMainForm::BuildLessonMenu() {
  LessonMenu::Parts lesson;
  lesson.window = this;
  lesson.editor = editor_.get();
  lesson.session = session_.get();
  lesson.prompts = &prompts_;
  lesson.programFolder = options_.programFolder;
  lesson.menu = lessonsMenu_;
  lesson.statusBar = statusBar_;
  lesson.panel = selectionPanel_;
  lesson.methodName = [this](int code) {
    return tables_.MethodText(MethodCode{code}, 0).value_or(std::to_string(code));
  };
  lesson.userFolder = [this] { return Context().UserFolder(); };
  lesson.offerMacros = [this](std::function<bool(const std::string&)> offered) {
    macroMenu_->SetOffered(std::move(offered));
  };
  lesson.showProtocol = [this] { ShowProtocol(); };
  lessonMenu_ = std::make_unique<LessonMenu>(std::move(lesson));
}

QWidget* TMainForm::BuildCentralWidget() {
  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildObjectBar());
  column->addWidget(BuildPictureBar());
  column->addWidget(BuildMainPanel(), 1);
  column->addWidget(BuildStatusBar());
  selectionPanel_ = new SelectionPanel;
  column->addWidget(selectionPanel_);
  connect(selectionPanel_, &SelectionPanel::CancelClicked, this,
          [this] { editor_->ReturnToNormal(); });
  connect(selectionPanel_, &SelectionPanel::ActionClicked, this, [this] {
    // One panel serves the export, the macro recording and a task's picks.
    if (editor_->State() == InteractionState::ExportRect) {
      editor_->ConfirmExport();
    } else if (editor_->State() == InteractionState::TaskPick) {
      editor_->TaskPickAction();
    } else {
      editor_->MacroPanelAction();
    }
  });
  return central;
}

void TMainForm::ConnectTimers() {
  connect(&blinkTimer_, &QTimer::timeout, this, [this] { editor_->TimerTick(); });
  // The editor paces the steps itself; a fine precise tick keeps that pace
  // without spinning a core while the button is held.
  zoomTimer_.setTimerType(Qt::PreciseTimer);
  zoomTimer_.setInterval(kMouseZoomIntervalMs / 8);
  connect(&zoomTimer_, &QTimer::timeout, this, &TMainForm::ZoomTick);
}

TMainForm::~TMainForm() {
  if (dragCursorShown_) QGuiApplication::restoreOverrideCursor();
}

QFrame* TMainForm::BuildObjectBar() {
  objectBar_ = ToolBar("SpeedBar1", kObjectBarHeight);
  auto place = [](int x) { return QRect(x, 8, 51, 51); };
  QToolButton* back =
      FlatButton(objectBar_, "RxSpeedButton7", place(8), PackPixmaps::Glyph(kReturnToNormalGlyph),
                 texts::kReturnToNormalHint);
  connect(back, &QToolButton::clicked, this, [this] { editor_->ReturnToNormal(); });
  // The groups with a picture stand before deleting, those with a symbol
  // after the properties.
  int x = 80;
  for (const auto& group : command_table::kGroups) {
    if (group.picture == 0) continue;
    AddGroupButton(group, place(x));
    x += 56;
  }
  QToolButton* remove = FlatButton(objectBar_, "RxSpeedButton5", place(272),
                                   PackPixmaps::Glyph(kDeleteGlyph), texts::kDeleteHint);
  connect(remove, &QToolButton::clicked, this, [this] { editor_->DeleteSelected(); });
  QToolButton* properties =
      FlatButton(objectBar_, "RxSpeedButton4", place(328), PackPixmaps::Glyph(kPropertiesGlyph),
                 texts::kPropertiesHint);
  connect(properties, &QToolButton::clicked, this, &TMainForm::N20Click);
  x = 384;
  for (const auto& group : command_table::kGroups) {
    if (group.picture != 0) continue;
    AddGroupButton(group, place(x));
    x += 56;
  }
  return objectBar_;
}

// A button opening the dialog of a group of commands.
void TMainForm::AddGroupButton(const command_table::GroupInfo& group, QRect place) {
  const std::string name(group.buttonName), hint(group.buttonHint);
  QToolButton* button;
  if (group.picture != 0) {
    button = FlatButton(objectBar_, name.c_str(), place, PackPixmaps::Glyph(group.picture),
                        hint.c_str());
  } else {
    button = new QToolButton(objectBar_);
    button->setObjectName(QString::fromStdString(name));
    button->setGeometry(place);
    button->setAutoRaise(true);
    button->setText(QString::fromUtf8(group.symbol.data(), group.symbol.size()));
    QFont large = button->font();
    large.setPixelSize(30);
    button->setFont(large);
    button->setToolTip(QString::fromStdString(hint));
  }
  const CommandGroup kind = group.group;
  connect(button, &QToolButton::clicked, this, [this, kind] { editor_->NewObjectDialog(kind); });
  newObjectButtons_[static_cast<std::size_t>(kind)] = button;
}

QFrame* TMainForm::BuildPictureBar() {
  pictureBar_ = ToolBar("SpeedBar3", kPictureBarHeight);
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
                                     PackPixmaps::Glyph(m.glyph), m.hint);
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
  statusBar_ = bar;
  bar->setObjectName(QStringLiteral("SpeedBar2"));
  bar->setFixedHeight(kStatusBarHeight);
  FillWith(bar, kPanelColor);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(2);

  helpLabel_ = new ShadowTextLabel;
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

  row->addWidget(BuildObjectPanel());
  row->addWidget(BuildPositionPanel());
  return bar;
}

QFrame* TMainForm::BuildObjectPanel() {
  auto* objectPanel = new QFrame;
  objectPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  objectPanel->setFixedWidth(kObjectPanelWidth);
  objectPanel->setToolTip(Text(texts::kSelectedObjectHint));
  auto* objectRow = new QHBoxLayout(objectPanel);
  objectRow->setContentsMargins(kObjectPanelMargin, 0, kObjectPanelMargin, 0);
  objectLabel_ = StatusText(Text(texts::kNoSelection), Qt::AlignHCenter, "ObjectLabel");
  // Known before the first layout, so a name shown at once is fitted right.
  objectLabel_->setFixedWidth(kObjectPanelWidth -
                              2 * (objectPanel->frameWidth() + kObjectPanelMargin));
  objectRow->addWidget(objectLabel_);
  return objectPanel;
}

QFrame* TMainForm::BuildPositionPanel() {
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
  return positionPanel;
}

void TMainForm::ConnectSurface() {
  // The canvas paints what it was asked to draw when the picture is taken;
  // the surface may be repainted before the editor presents it (a dialog
  // opening over it) and must show every stroke drawn so far even then.
  planeBox_->SetPicture([this] { return &canvas_.Image(); });
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
  const double ratio = planeBox_->devicePixelRatioF();
  const bool canvasStale =
      canvas_.Image().deviceIndependentSize() != QSizeF(surface) || canvas_.PixelRatio() != ratio;
  const QSize outer = frameGeometry().size();
  // The window and the surface report one resize each: the drawing is
  // painted again only when a size it is painted for changed (full lines
  // reach to the window's edges).
  const DrawContext painted = editor_->PaintContext();
  const bool changed = canvasStale || editor_->SurfaceWidth() != surface.width() ||
                       editor_->SurfaceHeight() != surface.height() ||
                       painted.windowWidth != outer.width() ||
                       painted.windowHeight != outer.height();
  if (canvasStale) {
    canvas_.SetPixelRatio(ratio);
    canvas_.Resize(surface);
  }
  editor_->Resize(surface.width(), surface.height(), outer.width(), outer.height());
  if (changed) editor_->Repaint();
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

// The layout keeps the object bar above the picture bar whichever is shown first.
void TMainForm::TogglePictureBar() {
  pictureBar_->setVisible(pictureBar_->isHidden());
  pictureBarItem_->setChecked(!pictureBar_->isHidden());
}

}  // namespace zelmora
