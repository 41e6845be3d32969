#include "dialogs/properties_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <array>

#include "controls/zm_color_selector.h"
#include "dialogs/annotation_forms.h"
#include "document/text_table.h"
#include "geometry/utf8.h"

namespace zelmora {

enum class PenStyleLook { kNone, kSampleLines, kDashText };

struct PropertiesLayout {
  int kind;
  const char* caption;
  int clientHeight;
  int panelHeight;
  const char* widthTitle;
  const char* mustDrawCaption;
  int mustDrawX;
  // How far everything below the width slider moves down to make room for
  // the pen-style row.
  int shift;
  PenStyleLook penStyle;
};

namespace {

constexpr int kClientWidth = 457;
constexpr QPoint kPanelAt(32, 32);
constexpr int kPanelWidth = 385;
constexpr const char* kHelpPage = "Свойства объекта";
constexpr const char* kMethodCaption = "Метод задания";
constexpr const char* kSegmentCaption = "Отрезок как прямая";
constexpr const char* kRayCaption = "Луч как прямая";
constexpr const char* kNameVisibleCaption = "Рисовать Имя";

const PropertiesLayout kPointLayout = {
    .kind = kPointKind,
    .caption = "Свойства точки",
    .clientHeight = 361,
    .panelHeight = 289,
    .widthTitle = "Размеры точки",
    .mustDrawCaption = "Рисовать Точку",
    .mustDrawX = 136,
    .shift = 0,
    .penStyle = PenStyleLook::kNone,
};
const PropertiesLayout kLineLayout = {
    .kind = kLineKind,
    .caption = "Свойства прямой",
    .clientHeight = 393,
    .panelHeight = 320,
    .widthTitle = "Толщина линии",
    .mustDrawCaption = "Рисовать Прямую",
    .mustDrawX = 120,
    .shift = 32,
    .penStyle = PenStyleLook::kSampleLines,
};
const PropertiesLayout kCircleLayout = {
    .kind = kCircleKind,
    .caption = "Свойства окружности",
    .clientHeight = 393,
    .panelHeight = 320,
    .widthTitle = "Толщина линии",
    .mustDrawCaption = "Рисовать Окружность",
    .mustDrawX = 136,
    .shift = 32,
    .penStyle = PenStyleLook::kDashText,
};

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The pen styles in the order the files number them.
constexpr std::array<Qt::PenStyle, 5> kQtPenStyles = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                      Qt::DashDotLine, Qt::DashDotDotLine};

// The circle dialog names the styles by pictures made of dashes, each as
// long as fits the box: longer ones would open the list past the dialog.
QStringList DashTextStyles(const QComboBox& box) {
  const QString em = QStringLiteral("—"), en = QStringLiteral("–"), gap = QStringLiteral(" ");
  const QFontMetrics metrics(box.font());
  // The arrow button takes about a square of the box's height.
  const int room = box.width() - box.height() - 8;
  QStringList styles;
  for (const QString& unit :
       {em, em + gap, en + gap, em + gap + en + gap, em + gap + en + gap + en + gap}) {
    QString text = unit;
    while (metrics.horizontalAdvance(text + unit) <= room) text += unit;
    styles.append(text);
  }
  return styles;
}

// A sample line of style `style` across `row`, as the list and the closed
// box both show it.
void DrawSampleLine(QPainter& painter, const QRect& row, int style, bool selected, bool enabled) {
  painter.save();
  painter.fillRect(row, selected ? QColor(0, 0, 128) : QColor(Qt::white));
  QPen pen(selected ? Qt::white : (enabled ? Qt::black : Qt::gray));
  pen.setWidth(1);
  pen.setStyle(kQtPenStyles[static_cast<std::size_t>(style)]);
  painter.setPen(pen);
  const int middle = row.top() + row.height() / 2;
  painter.drawLine(row.left() + 2, middle, row.left() + row.width() + 2, middle);
  painter.restore();
}

class SampleLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int style = index.row();
    if (style < 0 || style >= static_cast<int>(kQtPenStyles.size())) return;
    DrawSampleLine(*painter, option.rect, style, option.state.testFlag(QStyle::State_Selected),
                   option.state.testFlag(QStyle::State_Enabled));
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, 14}; }
};

// Check box captions sit close together on one row; a larger face would run
// into the next box.
QFont SmallFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);
  return font;
}

ShadowTextLabel* AddSectionTitle(QWidget* panel, const char* text, int y, int width) {
  ShadowTextLabel* title = AddTitle(panel, Utf8(text), QRect(6, y, width, 22));
  title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return title;
}

QCheckBox* AddCheckBox(QWidget* panel, const char* name, const QString& caption, int x, int y,
                       int width) {
  auto* box = new QCheckBox(caption, panel);
  box->setObjectName(QString::fromLatin1(name));
  const int overhead =
      box->sizeHint().width() - QFontMetrics(box->font()).horizontalAdvance(caption);
  box->setFont(FontFitting(SmallFont(), caption, width - overhead));
  box->setGeometry(x, y, width, 20);
  return box;
}

// The method texts run from a few words to a long sentence; the box is fixed,
// so a long one is set smaller rather than cut.
void FitWrappedText(QLabel& label) {
  QFont font = label.font();
  const QRect room = label.contentsRect().adjusted(2, 2, -2, -2);
  for (int size = DialogTextFont().pixelSize(); size > 9; --size) {
    font.setPixelSize(size);
    const QRect needed =
        QFontMetrics(font).boundingRect(room, Qt::TextWordWrap | Qt::AlignCenter, label.text());
    if (needed.width() <= room.width() && needed.height() <= room.height()) break;
  }
  label.setFont(font);
}

}  // namespace

NameValidator::NameValidator(QObject* parent) : QValidator(parent) {}

QValidator::State NameValidator::validate(QString& input, int&) const {
  lastProblem_ = CheckName(input.toStdString());
  return lastProblem_ == NameProblem::kNone ? Acceptable : Invalid;
}

PenStyleComboBox::PenStyleComboBox(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new SampleLineDelegate(this));
  for (std::size_t i = 0; i < kQtPenStyles.size(); ++i) addItem(QString());
}

void PenStyleComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  if (currentIndex() >= 0) {
    DrawSampleLine(painter, field, currentIndex(), hasFocus(), isEnabled());
  }
}

TPropertiesForm::TPropertiesForm(QWidget* owner, DialogContext context, ObjectList& objects,
                                 int index, const PropertiesLayout& layout)
    : TZMDialog(owner, std::move(context)), objects_(objects), index_(index) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(Utf8(layout.caption));
  SetHelpPage(Utf8(kHelpPage));
  SetEnterConfirms(false);
  SetClientSize(kClientWidth, layout.clientHeight);
  AddWallpaperBar();
  QFrame* panel = AddShadowedPanel(this, QRect(kPanelAt, QSize(kPanelWidth, layout.panelHeight)));
  AddNameRow(panel);
  AddColorAndWidth(panel, layout);
  AddPenStyle(panel, layout);
  AddDrawingOptions(panel, layout);
  AddMethodBox(panel, layout.shift);
  AddButtons(panel, layout.shift);
  FormShow();
}

void TPropertiesForm::AddNameRow(QFrame* panel) {
  AddSectionTitle(panel, "Имя", 8, 56);
  nameEdit_ = new QLineEdit(panel);
  nameEdit_->setObjectName(QStringLiteral("NameEdit"));
  nameEdit_->setGeometry(64, 8, 121, 22);
  nameEdit_->setMaxLength(static_cast<int>(kMaxNameLength));
  nameValidator_ = new NameValidator(nameEdit_);
  nameEdit_->setValidator(nameValidator_);
  nameProblem_ = new QLabel(panel);
  nameProblem_->setObjectName(QStringLiteral("NameProblemLabel"));
  nameProblem_->setGeometry(190, 2, kPanelWidth - 194, 30);
  nameProblem_->setFont(SmallFont());
  nameProblem_->setWordWrap(true);
  QPalette warning = nameProblem_->palette();
  warning.setColor(QPalette::WindowText, QColor(128, 0, 0));
  nameProblem_->setPalette(warning);
  nameProblem_->hide();
  connect(nameEdit_, &QLineEdit::inputRejected, this,
          [this] { ShowNameProblem(nameValidator_->LastProblem()); });
  connect(nameEdit_, &QLineEdit::textEdited, nameProblem_, &QWidget::hide);
}

void TPropertiesForm::AddColorAndWidth(QFrame* panel, const PropertiesLayout& layout) {
  AddSectionTitle(panel, "Цвет", 48, 50);
  colorSelector_ = new TZMColorSelector(panel);
  colorSelector_->setObjectName(QStringLiteral("ZMColorSelector1"));
  colorSelector_->UseDialogLook();
  colorSelector_->move(56, 32);

  AddSectionTitle(panel, layout.widthTitle, 88, 152);
  slider_ = new QSlider(Qt::Horizontal, panel);
  slider_->setObjectName(QStringLiteral("RxSlider1"));
  slider_->setGeometry(160, 82, 150, 32);
  const WidthRange range = WidthRangeOf(layout.kind);
  slider_->setRange(range.min, range.max);
  slider_->setSingleStep(range.keyboardStep);
  slider_->setPageStep(range.keyboardStep);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(1);
  connect(slider_, &QSlider::valueChanged, this, &TPropertiesForm::RxSlider1Change);
}

void TPropertiesForm::AddPenStyle(QFrame* panel, const PropertiesLayout& layout) {
  if (layout.penStyle != PenStyleLook::kNone) {
    AddSectionTitle(panel, "Стиль линии", 120, 160);
    if (layout.penStyle == PenStyleLook::kSampleLines) {
      penStyle_ = new PenStyleComboBox(panel);
    } else {
      penStyle_ = new QComboBox(panel);
    }
    penStyle_->setObjectName(QStringLiteral("PenStyleCB"));
    penStyle_->setGeometry(168, 120, 145, 22);
    if (layout.penStyle == PenStyleLook::kDashText) penStyle_->addItems(DashTextStyles(*penStyle_));
  }
}

void TPropertiesForm::AddDrawingOptions(QFrame* panel, const PropertiesLayout& layout) {
  const int shift = layout.shift;
  AddSectionTitle(panel, "Параметры прорисовки", 120 + shift, 300);
  const int row = 152 + shift;
  visible_ = AddCheckBox(panel, "VisibleCheckBox", Utf8(kNameVisibleCaption), 8, row,
                         layout.mustDrawX - 12);
  const int mustDrawWidth = (layout.kind == kLineKind ? 248 : kPanelWidth - 4) - layout.mustDrawX;
  mustDraw_ = AddCheckBox(panel, "MustDrawCheckBox", Utf8(layout.mustDrawCaption), layout.mustDrawX,
                          row, mustDrawWidth - 4);

  TGObject& object = objects_[static_cast<std::size_t>(index_)];
  if (layout.kind == kLineKind) {
    const EndsOffBox box = EndsOffBoxOf(object);
    endsOff_ = AddCheckBox(panel, "EndsOffCheckBox",
                           Utf8(box == EndsOffBox::kSegment ? kSegmentCaption : kRayCaption), 248,
                           row, kPanelWidth - 252);
    endsOff_->setVisible(box != EndsOffBox::kNone);
  }
}

void TPropertiesForm::AddMethodBox(QFrame* panel, int shift) {
  AddSectionTitle(panel, kMethodCaption, 176 + shift, 240);
  auto* methodBox = new QFrame(panel);
  methodBox->setGeometry(8, 208 + shift, 249, 73);
  methodBox->setFrameStyle(QFrame::Box | QFrame::Sunken);
  methodLabel_ = new ShadowTextLabel(methodBox);
  methodLabel_->setObjectName(QStringLiteral("MethodLabel"));
  methodLabel_->setGeometry(8, 8, 233, 57);
  methodLabel_->setFont(DialogTextFont());
  methodLabel_->setWordWrap(true);
  methodLabel_->setAlignment(Qt::AlignCenter);
  QPalette white = methodLabel_->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  methodLabel_->setPalette(white);
  methodLabel_->setText(Utf8(kMethodCaption));
}

void TPropertiesForm::AddButtons(QFrame* panel, int shift) {
  const QSize buttonSize(105, 25);
  AddOkButton(panel, QRect(QPoint(272, 208 + shift), buttonSize))
      ->setObjectName(QStringLiteral("RxSpeedButton1"));
  AddCancelButton(panel, QRect(QPoint(272, 256 + shift), buttonSize))
      ->setObjectName(QStringLiteral("RxSpeedButton2"));
}

// The controls are filled once, before the dialog is first shown.
void TPropertiesForm::FormShow() {
  const TGObject& object = objects_[static_cast<std::size_t>(index_)];
  const ObjectProperties shown = PropertiesShown(object);
  nameEdit_->setText(QString::fromStdString(shown.name));
  colorSelector_->SetColorName(shown.color);
  colorSelector_->FinishAnimation();
  slider_->setValue(shown.width);
  slider_->setToolTip(QString::number(slider_->value()));
  if (penStyle_ != nullptr) penStyle_->setCurrentIndex(shown.penStyle);
  visible_->setChecked(shown.nameVisible);
  mustDraw_->setChecked(shown.mustDraw);
  if (endsOff_ != nullptr) {
    endsOff_->setChecked(shown.endsOff);
    endsOff_->setEnabled(EndsOffBoxOf(object) != EndsOffBox::kNone);
  }
  const std::filesystem::path folder = QFile::encodeName(Context().programFolder).toStdString();
  const std::optional<std::string> method = MethodText(folder, Number(object.Method), 0);
  if (method) {
    methodLabel_->setText(QString::fromStdString(*method));
    FitWrappedText(*methodLabel_);
  } else {
    methodLabel_->clear();
    Context().ShowError(kErrorPromptTableUnreadable);
  }
  RxSlider1Change(slider_->value());
  nameEdit_->setFocus();
}

void TPropertiesForm::RxSlider1Change(int value) {
  slider_->setToolTip(QString::number(value));
  if (penStyle_ == nullptr) return;
  const bool selectable = PenStyleSelectable(value);
  if (!selectable) penStyle_->setCurrentIndex(0);
  penStyle_->setEnabled(selectable);
}

void TPropertiesForm::ShowNameProblem(NameProblem problem) {
  if (problem == NameProblem::kNone) return;
  QApplication::beep();
  nameProblem_->setText(QString::fromStdString(NameProblemText(problem)));
  nameProblem_->show();
}

ObjectProperties TPropertiesForm::Collected() const {
  ObjectProperties values;
  values.name = nameEdit_->text().toStdString();
  values.color = colorSelector_->ColorName();
  values.width = slider_->value();
  if (penStyle_ != nullptr) values.penStyle = penStyle_->currentIndex();
  values.nameVisible = visible_->isChecked();
  values.mustDraw = mustDraw_->isChecked();
  if (endsOff_ != nullptr) values.endsOff = endsOff_->isChecked();
  return values;
}

void TPropertiesForm::Confirm() {
  result_ = ApplyProperties(objects_, index_, Collected());
  if (result_ == ApplyResult::kNameRefused) {
    ShowNameProblem(CheckName(nameEdit_->text().toStdString()));
    nameEdit_->setFocus();
    return;
  }
  TZMDialog::Confirm();
}

// Enter and Escape mean nothing here: a slip of the finger neither writes
// nor throws away what the user set up.
void TPropertiesForm::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
    event->accept();
    return;
  }
  TZMDialog::keyPressEvent(event);
}

TPointForm::TPointForm(QWidget* owner, DialogContext context, ObjectList& objects, int index)
    : TPropertiesForm(owner, std::move(context), objects, index, kPointLayout) {}

TLineForm::TLineForm(QWidget* owner, DialogContext context, ObjectList& objects, int index)
    : TPropertiesForm(owner, std::move(context), objects, index, kLineLayout) {}

TCircleForm::TCircleForm(QWidget* owner, DialogContext context, ObjectList& objects, int index)
    : TPropertiesForm(owner, std::move(context), objects, index, kCircleLayout) {}

ApplyResult RunPropertiesDialog(QWidget* owner, ObjectList& objects, int index,
                                const DialogContext& context) {
  const std::optional<int> kind = PropertiesDialogKind(objects, index);
  if (!kind) return ApplyResult::kNoObject;
  if (*kind == kMeasureKind || *kind == kTextKind) {
    return RunAnnotationDialog(owner, objects, index, context);
  }
  std::unique_ptr<TPropertiesForm> form;
  if (*kind == kPointKind) {
    form = std::make_unique<TPointForm>(owner, context, objects, index);
  } else if (*kind == kLineKind) {
    form = std::make_unique<TLineForm>(owner, context, objects, index);
  } else {
    form = std::make_unique<TCircleForm>(owner, context, objects, index);
  }
  if (context.RunModal(*form) != QDialog::Accepted) return ApplyResult::kUnchanged;
  return form->Result();
}

}  // namespace zelmora
