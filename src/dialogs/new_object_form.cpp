#include "dialogs/new_object_form.h"

#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <utility>

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

// The commands of a group in the order of their buttons' numbers: column by
// column, top to bottom.
std::vector<const CommandInfo*> ChoicesOf(CommandGroup group) {
  std::vector<const CommandInfo*> choices;
  for (const CommandInfo& c : kCommands) {
    if (c.group == group) choices.push_back(&c);
  }
  std::stable_sort(choices.begin(), choices.end(), [](const CommandInfo* a, const CommandInfo* b) {
    return std::pair(a->dialogX, a->dialogY) < std::pair(b->dialogX, b->dialogY);
  });
  return choices;
}

QString Caption(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
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
  AddChoices(panel);
  AddHintLabel(panel);
  AddButtons(panel);
  if (!choices_.empty()) requested_ = choices_.front().first;
}

void TNewObjectForm::AddChoices(QFrame* panel) {
  int number = 0;
  for (const CommandInfo* choice : ChoicesOf(layout_.group)) {
    const QString caption = Caption(choice->dialogCaption);
    auto* radio = new QRadioButton(caption, panel);
    radio->setFont(MethodFont());
    radio->setObjectName(QStringLiteral("RadioButton%1").arg(++number));
    const int room = layout_.panel.width() - choice->dialogX - kTextMarginToEdge;
    const int overhead =
        radio->sizeHint().width() - QFontMetrics(radio->font()).horizontalAdvance(caption);
    radio->setFont(FontFitting(radio->font(), caption, room - overhead));
    radio->setProperty("Tag", Number(choice->code));
    radio->setGeometry(QRect(QPoint(choice->dialogX, choice->dialogY), radio->sizeHint()));
    radio->installEventFilter(this);
    const Command command = choice->command;
    connect(radio, &QRadioButton::toggled, this, [this, command](bool checked) {
      if (checked && !showing_) RadioButton2Click(command);
    });
    choices_.emplace_back(command, radio);
  }
}

void TNewObjectForm::AddHintLabel(QFrame* panel) {
  hintLabel_ = new ShadowTextLabel(panel);
  hintLabel_->setObjectName(QStringLiteral("HintLabel"));
  hintLabel_->setGeometry(layout_.textBox);
  hintLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  hintLabel_->setFont(DialogTextFont());
  hintLabel_->setAlignment(Qt::AlignCenter);
  hintLabel_->setWordWrap(true);
  hintLabel_->setMargin(2);
  QPalette white = hintLabel_->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  hintLabel_->setPalette(white);
  if (layout_.openingText != nullptr) hintLabel_->setText(Text(layout_.openingText));
}

void TNewObjectForm::AddButtons(QFrame* panel) {
  const QSize buttonSize(kButtonWidth, kButtonHeight);
  QToolButton* ok = AddOkButton(panel, QRect(QPoint(layout_.buttonX, layout_.okY), buttonSize));
  QToolButton* cancel =
      AddCancelButton(panel, QRect(QPoint(layout_.buttonX, layout_.cancelY), buttonSize));
  ok->setObjectName(QStringLiteral("OkButton"));
  cancel->setObjectName(QStringLiteral("CancelButton"));
  if (layout_.buttonHints) {
    ok->setToolTip(Text(kCreateHint));
    cancel->setToolTip(Text(kLeaveHint));
  }
}

void TNewObjectForm::EnableOnly(const CommandSet& enabled) {
  for (const auto& [command, radio] : choices_) radio->setEnabled(enabled.Contains(command));
}

std::optional<Command> TNewObjectForm::ChosenMethod() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  return requested_;
}

void TNewObjectForm::showEvent(QShowEvent* event) {
  FormShow();
  TZMDialog::showEvent(event);
}

// The opening text describes the group's first command; another command
// checked first shows its own.
void TNewObjectForm::FormShow() {
  const auto first = std::find_if(choices_.begin(), choices_.end(),
                                  [](const auto& choice) { return choice.second->isEnabled(); });
  if (first == choices_.end()) return;
  showing_ = true;
  first->second->setChecked(true);
  first->second->setFocus();
  showing_ = false;
  requested_ = first->first;
  if (layout_.openingText == nullptr || first != choices_.begin()) ShowMethodText(requested_);
}

void TNewObjectForm::RadioButton2Click(Command command) {
  requested_ = command;
  ShowMethodText(command);
}

void TNewObjectForm::ShowMethodText(Command command) {
  // The prompt table knows constructions only; a measurement or a text shows
  // what will be asked first.
  if (Info(command).group == CommandGroup::Measure) {
    hintLabel_->setText(QString::fromUtf8(Info(command).placePrompt.data(),
                                          static_cast<int>(Info(command).placePrompt.size())));
    return;
  }
  const std::filesystem::path folder = QFile::encodeName(Context().programFolder).toStdString();
  const std::optional<std::string> text = MethodText(folder, Number(Info(command).code), 0);
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
