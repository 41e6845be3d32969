#include "dialogs/options_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QStackedWidget>

#include "controls/zm_color_selector.h"
#include "dialogs/cp1251_input.h"
#include "dialogs/window_texts.h"
#include "document/image_pack.h"
#include "geometry/utf8.h"
#include "render/pack_pixmaps.h"

namespace zelmora {
namespace {

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

constexpr int kClientWidth = 580;
constexpr int kClientHeight = 470;
constexpr QRect kPanel(20, 52, 532, 390);
constexpr QRect kPageArea(8, 8, 516, 330);

// A page tab: the pack's picture of it, or its caption on a plain tab when
// the pack has none.
class PageTab : public QAbstractButton {
 public:
  PageTab(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
  }
  void SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (!picture_.isNull()) {
      painter.drawImage(0, 0, picture_);
      return;
    }
    painter.fillRect(rect(), kDialogPanelColor);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(DialogTextFont());
    painter.drawText(rect(), Qt::AlignCenter, text());
  }

 private:
  QImage picture_;
};

QSpinBox* AddSpin(QWidget* parent, IntRange range, const QRect& geometry) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(range.min, range.max);
  spin->setGeometry(geometry);
  return spin;
}

QLabel* AddNote(QWidget* parent, const char* text, const QRect& geometry) {
  auto* note = new QLabel(Utf8(text), parent);
  note->setGeometry(geometry);
  note->setFont(DialogTextFont());
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return note;
}

ShadowTextLabel* AddCaption(QWidget* parent, const char* text, const QRect& geometry) {
  ShadowTextLabel* caption = AddTitle(parent, Utf8(text), geometry);
  caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return caption;
}

}  // namespace

TOptionsForm::TOptionsForm(QWidget* owner, DialogContext context, SettingsStore& store,
                           Settings& settings, OptionsPage page)
    : TZMDialog(owner, std::move(context)), store_(store), settings_(settings), page_(page) {
  setObjectName(QStringLiteral("OptionsForm"));
  setWindowTitle(Utf8(window_texts::kOptionsCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  SetClientSize(kClientWidth, kClientHeight);
  SetHelpPage(Utf8(window_texts::kOptionsHelpPage));
  AddWallpaperBar();

  auto* general = new PageTab(QStringLiteral("Общие"), this);
  general->setObjectName(QStringLiteral("GeneralTab"));
  general->setGeometry(kPanel.x(), kPanel.y() - 40, 133, 40);
  auto* defaults = new PageTab(QStringLiteral("Свойства по умолчанию"), this);
  defaults->setObjectName(QStringLiteral("DefaultsTab"));
  defaults->setGeometry(kPanel.x() + 133, kPanel.y() - 40, 200, 40);
  generalTab_ = general;
  defaultsTab_ = defaults;
  connect(general, &QAbstractButton::clicked, this, [this] { ShowPage(OptionsPage::kGeneral); });
  connect(defaults, &QAbstractButton::clicked, this, [this] { ShowPage(OptionsPage::kDefaults); });

  QFrame* panel = AddShadowedPanel(this, kPanel);
  pages_ = new QStackedWidget(panel);
  pages_->setGeometry(kPageArea);
  pages_->addWidget(BuildGeneralPage());
  pages_->addWidget(BuildDefaultsPage());
  AddOkButton(panel, QRect(110, 348, 130, 28))->setObjectName(QStringLiteral("OkButton"));
  AddCancelButton(panel, QRect(290, 348, 130, 28))->setObjectName(QStringLiteral("CancelButton"));

  ShowSettings();
  ShowPage(page);
}

QWidget* TOptionsForm::BuildGeneralPage() {
  auto* page = new QWidget;
  const int width = kPageArea.width();
  struct Row {
    const char* caption;
    const char* note;
  };
  const Row rows[] = {
      {window_texts::kFeelingLabel, window_texts::kFeelingNote},
      {window_texts::kTimePauseLabel, window_texts::kTimePauseNote},
      {window_texts::kFontLabel, window_texts::kFontNote},
      {window_texts::kZoomStepLabel, window_texts::kZoomStepNote},
  };
  constexpr int kRowHeight = 80;
  constexpr int kControlX = 316;
  constexpr int kFontRow = 2;  // its note leaves room for the smoothing beside it
  for (int i = 0; i < 4; ++i) {
    const int top = 4 + i * kRowHeight;
    AddCaption(page, rows[i].caption, QRect(4, top, kControlX - 8, 26));
    const int noteWidth = i == kFontRow ? kControlX - 12 : width - 8;
    AddNote(page, rows[i].note, QRect(4, top + 28, noteWidth, 42));
  }
  feeling_ = AddSpin(page, kFeelingRange, QRect(kControlX, 4, 80, 26));
  feeling_->setObjectName(QStringLiteral("FeelingEdit"));
  timePause_ = AddSpin(page, kTimePauseRange, QRect(kControlX, 4 + kRowHeight, 80, 26));
  timePause_->setObjectName(QStringLiteral("TimePauseEdit"));
  timePause_->setSingleStep(50);
  font_ = new QComboBox(page);
  font_->setObjectName(QStringLiteral("FontList"));
  font_->setGeometry(kControlX, 4 + 2 * kRowHeight, width - kControlX - 4, 26);
  font_->addItems(QFontDatabase::families());
  smoothing_ = new QCheckBox(Utf8(window_texts::kSmoothingLabel), page);
  smoothing_->setObjectName(QStringLiteral("SmoothingBox"));
  smoothing_->setFont(DialogTextFont());
  smoothing_->setGeometry(kControlX, 4 + kFontRow * kRowHeight + 34, width - kControlX - 4, 26);
  smoothing_->setToolTip(Utf8(window_texts::kSmoothingHint));
  zoomStep_ = AddSpin(page, kZoomStepRange, QRect(kControlX, 4 + 3 * kRowHeight, 80, 26));
  zoomStep_->setObjectName(QStringLiteral("ZoomStepEdit"));
  return page;
}

QWidget* TOptionsForm::BuildDefaultsPage() {
  auto* page = new QWidget;
  const int width = kPageArea.width();
  AddNote(page, window_texts::kDefaultsNote, QRect(4, 2, width - 8, 40));

  endsOff_ = new QCheckBox(Utf8(window_texts::kEndsOffLabel), page);
  endsOff_->setObjectName(QStringLiteral("EndsOffBox"));
  endsOff_->setFont(DialogTextFont());
  endsOff_->setGeometry(4, 44, 260, 26);
  AddCaption(page, window_texts::kWidthLabel, QRect(280, 44, 160, 26));
  width_ = AddSpin(page, kWidthRange, QRect(446, 44, 60, 26));
  width_->setObjectName(QStringLiteral("WidthEdit"));

  AddCaption(page, window_texts::kColorLabel, QRect(4, 76, width - 8, 24));
  color_ = new TZMColorSelector(page);
  color_->setObjectName(QStringLiteral("ColorSelector"));
  color_->UseDialogLook();
  color_->move((width - color_->width()) / 2, 102);

  AddCaption(page, window_texts::kNamesLabel, QRect(4, 158, width - 8, 24));
  const char* labels[] = {window_texts::kPointNameLabel, window_texts::kLineNameLabel,
                          window_texts::kCircleNameLabel};
  const char* hints[] = {window_texts::kPointNameHint, window_texts::kLineNameHint,
                         window_texts::kCircleNameHint};
  for (int kind = 0; kind < 3; ++kind) {
    const int top = 186 + kind * 34;
    auto* label = new QLabel(Utf8(labels[kind]), page);
    label->setFont(DialogTextFont());
    label->setGeometry(24, top, 130, 26);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QStringLiteral("NameEdit%1").arg(kind));
    edit->setGeometry(160, top, 120, 26);
    edit->setMaxLength(static_cast<int>(kMaxNameLength));
    edit->setValidator(new Cp1251Validator(true, edit));
    edit->setToolTip(Utf8(hints[kind]));
    auto* visible = new QCheckBox(Utf8(window_texts::kDrawNameHint), page);
    visible->setObjectName(QStringLiteral("NameVisibleBox%1").arg(kind));
    visible->setFont(DialogTextFont());
    visible->setGeometry(300, top, 200, 26);
    visible->setToolTip(Utf8(window_texts::kDrawNameHint));
    names_[static_cast<std::size_t>(kind)] = edit;
    nameVisible_[static_cast<std::size_t>(kind)] = visible;
  }
  AddCaption(page, window_texts::kMeasureDpiLabel, QRect(4, 292, 430, 26));
  measureDpi_ = AddSpin(page, kMeasureDpiRange, QRect(446, 292, 60, 26));
  measureDpi_->setObjectName(QStringLiteral("MeasureDpiEdit"));
  measureDpi_->setToolTip(Utf8(window_texts::kMeasureDpiHint));
  return page;
}

void TOptionsForm::ShowSettings() {
  const Settings& s = settings_;
  // Spin boxes keep a stored value that is out of range within it.
  feeling_->setValue(s.feeling);
  timePause_->setValue(s.timePause);
  const QString font = QString::fromStdString(s.nameFont);
  // A font that is not installed here stays what it is, rather than becoming
  // whatever the list happens to show first.
  if (font_->findText(font) < 0) font_->insertItem(0, font);
  font_->setCurrentIndex(font_->findText(font));
  zoomStep_->setValue(ZoomStepPercent(s.zoomStep));
  smoothing_->setChecked(s.smoothing);

  endsOff_->setChecked(s.endsOff);
  width_->setValue(s.width);
  measureDpi_->setValue(s.measureDpi);
  color_->SetColorNumber(kColorRange.Clamp(s.color));
  color_->FinishAnimation();
  const std::array<const std::string*, 3> names = {&s.pointName, &s.lineName, &s.circleName};
  const std::array<bool, 3> visible = {s.pointVisible, s.lineVisible, s.circleVisible};
  for (std::size_t kind = 0; kind < 3; ++kind) {
    names_[kind]->setText(QString::fromStdString(*names[kind]));
    nameVisible_[kind]->setChecked(visible[kind]);
  }
}

void TOptionsForm::ShowPage(OptionsPage page) {
  page_ = page;
  pages_->setCurrentIndex(page == OptionsPage::kGeneral ? 0 : 1);
  ShowTabImages();
}

void TOptionsForm::ShowTabImages() {
  const bool general = page_ == OptionsPage::kGeneral;
  static_cast<PageTab*>(generalTab_)
      ->SetPicture(PackPixmaps::Image(general ? kGeneralTabActive : kGeneralTabInactive));
  static_cast<PageTab*>(defaultsTab_)
      ->SetPicture(PackPixmaps::Image(general ? kDefaultsTabInactive : kDefaultsTabActive));
}

Settings TOptionsForm::Edited() const {
  Settings s = settings_;
  s.feeling = feeling_->value();
  s.timePause = timePause_->value();
  s.nameFont = font_->currentText().toStdString();
  s.zoomStep = ZoomStepFromPercent(zoomStep_->value());
  s.smoothing = smoothing_->isChecked();
  s.endsOff = endsOff_->isChecked();
  s.width = width_->value();
  s.measureDpi = measureDpi_->value();
  s.color = color_->ColorNumber();
  s.pointName = names_[kPoint]->text().toStdString();
  s.lineName = names_[kLine]->text().toStdString();
  s.circleName = names_[kCircle]->text().toStdString();
  s.pointVisible = nameVisible_[kPoint]->isChecked();
  s.lineVisible = nameVisible_[kLine]->isChecked();
  s.circleVisible = nameVisible_[kCircle]->isChecked();
  return s;
}

void TOptionsForm::Confirm() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  saved_ = ApplyOptions(store_, settings_, Edited());
  QApplication::restoreOverrideCursor();
  TZMDialog::Confirm();
}

}  // namespace zelmora
