#include "mainwindow/selection_panel.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "dialogs/dialog_look.h"
#include "document/image_pack.h"
#include "render/pack_pixmaps.h"

namespace zelmora {
namespace {

// As high as the status bar it replaces, so the drawing does not jump.
constexpr int kPanelHeight = 32;
constexpr int kPromptPixels = 16;
const QColor kPanelColor(180, 200, 206);

struct ModeTexts {
  PanelMode mode;
  const char* prompt;
  const char* action;
  bool images;
};

constexpr ModeTexts kModes[] = {
    {PanelMode::Export, "Выберите экспортируемую область", "Экспорт", true},
    {PanelMode::MacroArguments, "Выберите объекты-аргументы", "Дальше", true},
    {PanelMode::MacroResults, "Выберите объекты-результаты", "Готово", false},
    {PanelMode::TaskGivens, "Выберите данные задачи", "Дальше", true},
    {PanelMode::TaskTargets, "Выберите, что нужно построить", "Готово", false},
};
constexpr const char* kPanelCancelCaption = "Отмена";

QToolButton* PanelButton(const char* name, const char* caption) {
  auto* button = new QToolButton;
  button->setObjectName(QString::fromLatin1(name));
  button->setText(QString::fromUtf8(caption));
  button->setAutoRaise(true);
  // The keys stay with the drawing while the user chooses on it.
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  return button;
}

}  // namespace

SelectionPanel::SelectionPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("SpeedBar4"));
  setFixedHeight(kPanelHeight);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kPanelColor);
  setPalette(palette);
  setAutoFillBackground(true);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 2, 2, 2);
  cancel_ = PanelButton("RxSpeedButton6", kPanelCancelCaption);
  row->addWidget(cancel_);
  prompt_ = new ShadowTextLabel;
  prompt_->setObjectName(QStringLiteral("RxLabel1"));
  QFont courier(QStringLiteral("Courier New"));
  courier.setPixelSize(kPromptPixels);
  prompt_->setFont(courier);
  QPalette white = prompt_->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  prompt_->setPalette(white);
  prompt_->setAlignment(Qt::AlignCenter);
  // A long prompt must not widen the window.
  prompt_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addWidget(prompt_, 1);
  action_ = PanelButton("RxSpeedButton8", kModes[0].action);
  row->addWidget(action_);
  connect(cancel_, &QToolButton::clicked, this, &SelectionPanel::CancelClicked);
  connect(action_, &QToolButton::clicked, this, &SelectionPanel::ActionClicked);
  hide();
}

QString SelectionPanel::Prompt() const {
  return prompt_->text();
}

void SelectionPanel::SetPrompt(const QString& text) {
  prompt_->setText(text);
}

QString SelectionPanel::ActionCaption() const {
  return action_->text();
}

void PreparePanels(PanelMode mode, QWidget& statusBar, SelectionPanel& panel) {
  if (mode == PanelMode::Status) {
    panel.hide();
    statusBar.show();
    return;
  }
  for (const ModeTexts& texts : kModes) {
    if (texts.mode != mode) continue;
    panel.SetPrompt(QString::fromUtf8(texts.prompt));
    panel.action_->setText(QString::fromUtf8(texts.action));
    if (texts.images) {
      const QPixmap confirm = PackPixmaps::Glyph(kOkGlyph);
      const QPixmap cancel = PackPixmaps::Glyph(kCancelGlyph);
      panel.action_->setIcon(confirm);
      panel.cancel_->setIcon(cancel);
    }
  }
  // The layout gives the drawing surface whatever height the bars leave.
  statusBar.hide();
  panel.show();
}

}  // namespace zelmora
