#include "dialogs/new_object_form.h"

#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QRadioButton>
#include <QToolButton>

#include "document/text_table.h"

namespace zelmora {
namespace {

constexpr const char* kNewObjectHelpPage = "Создание новых объектов";
constexpr const char* kCreateHint = "Создать новый объект";
constexpr const char* kLeaveHint = "Выйти без создания объекта";
constexpr int kButtonWidth = 113;
constexpr int kButtonHeight = 25;
constexpr int kTitleTop = 8;
constexpr int kTitleHeight = 24;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The method columns sit close together; captions in a larger face would
// run into the next column.
QFont MethodFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

}  // namespace

TNewObjectForm::TNewObjectForm(QWidget* owner, DialogContext context, const NewObjectLayout& layout)
    : TZMDialog(owner, std::move(context)), layout_(layout) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(Text(layout.caption));
  SetHelpPage(Text(kNewObjectHelpPage));
  SetClientSize(layout.client.width(), layout.client.height());
  AddWallpaperBar();

  const QPoint panelAt((layout.client.width() - layout.panel.width()) / 2,
                       (layout.client.height() - layout.panel.height()) / 2);
  QFrame* panel = AddShadowedPanel(this, QRect(panelAt, layout.panel));
  AddTitle(panel, Text(layout.title), QRect(0, kTitleTop, layout.panel.width(), kTitleHeight))
      ->setObjectName(QStringLiteral("TitleLabel"));

  int number = 0;
  for (const MethodChoice& choice : layout.choices) {
    auto* radio = new QRadioButton(Text(choice.caption), panel);
    radio->setFont(MethodFont());
    radio->setObjectName(QStringLiteral("RadioButton%1").arg(++number));
    const QString caption = Text(choice.caption);
    const int room = layout.panel.width() - choice.x - kTextMarginToEdge;
    const int overhead =
        radio->sizeHint().width() - QFontMetrics(radio->font()).horizontalAdvance(caption);
    radio->setFont(FontFitting(radio->font(), caption, room - overhead));
    radio->setProperty("Tag", choice.code);
    radio->setGeometry(QRect(QPoint(choice.x, choice.y), radio->sizeHint()));
    radio->installEventFilter(this);
    const int code = choice.code;
    connect(radio, &QRadioButton::toggled, this, [this, code](bool checked) {
      if (checked && !showing_) RadioButton2Click(code);
    });
    radioButtons_.push_back(radio);
  }

  hintLabel_ = new ShadowTextLabel(panel);
  hintLabel_->setObjectName(QStringLiteral("HintLabel"));
  hintLabel_->setGeometry(layout.textBox);
  hintLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  hintLabel_->setFont(DialogTextFont());
  hintLabel_->setAlignment(Qt::AlignCenter);
  hintLabel_->setWordWrap(true);
  hintLabel_->setMargin(2);
  QPalette white = hintLabel_->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  hintLabel_->setPalette(white);
  if (layout.openingText != nullptr) hintLabel_->setText(Text(layout.openingText));

  const QSize buttonSize(kButtonWidth, kButtonHeight);
  QToolButton* ok = AddOkButton(panel, QRect(QPoint(layout.buttonX, layout.okY), buttonSize));
  QToolButton* cancel =
      AddCancelButton(panel, QRect(QPoint(layout.buttonX, layout.cancelY), buttonSize));
  ok->setObjectName(QStringLiteral("OkButton"));
  cancel->setObjectName(QStringLiteral("CancelButton"));
  if (layout.buttonHints) {
    ok->setToolTip(Text(kCreateHint));
    cancel->setToolTip(Text(kLeaveHint));
  }
  if (!layout.choices.empty()) requestedMethod_ = layout.choices.front().code;
}

std::optional<int> TNewObjectForm::ChosenMethod() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  return requestedMethod_;
}

void TNewObjectForm::showEvent(QShowEvent* event) {
  FormShow();
  TZMDialog::showEvent(event);
}

void TNewObjectForm::FormShow() {
  if (radioButtons_.empty()) return;
  showing_ = true;
  radioButtons_.front()->setChecked(true);
  radioButtons_.front()->setFocus();
  showing_ = false;
  requestedMethod_ = layout_.choices.front().code;
  if (layout_.openingText == nullptr) ShowMethodText(requestedMethod_);
}

void TNewObjectForm::RadioButton2Click(int code) {
  requestedMethod_ = code;
  ShowMethodText(code);
}

void TNewObjectForm::ShowMethodText(int code) {
  if (layout_.methodText != nullptr) {
    hintLabel_->setText(QString::fromStdString(layout_.methodText(code)));
    return;
  }
  const std::filesystem::path folder = QFile::encodeName(Context().programFolder).toStdString();
  const std::optional<std::string> text = MethodText(folder, code, 0);
  if (!text) {
    hintLabel_->clear();
    Context().ShowError(kErrorPromptTableUnreadable);
    return;
  }
  hintLabel_->setText(QString::fromStdString(*text));
}

// A double-click on a method chooses it (its first click already did) and
// confirms at once.
bool TNewObjectForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    auto* radio = qobject_cast<QRadioButton*>(watched);
    if (radio != nullptr && radio->isEnabled()) {
      radio->setChecked(true);
      Confirm();
      return true;
    }
  }
  return TZMDialog::eventFilter(watched, event);
}

}  // namespace zelmora
