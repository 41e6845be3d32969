#include "dialogs/macro_dialogs.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <utility>

#include "dialogs/cp1251_input.h"
#include "document/image_pack.h"
#include "interaction/macro_application.h"

namespace zelmora {
namespace {

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

constexpr const char* kHelpPage = "Использование макросов";
constexpr const char* kNameCaption = "Имя макроса";
constexpr const char* kHintCaption = "Подсказка к объекту";
constexpr const char* kHintLabel = "Укажите комментарий";
constexpr const char* kDefaultCaption = "По умолчанию";
constexpr const char* kMenuCaption = "Настройка меню макросов";
constexpr const char* kOpenMacrosLabel = "Открытые макросы";
constexpr const char* kDeleteCaption = "Удалить";
constexpr const char* kSemicolonTip =
    "Точка с запятой заменяется запятой: её не сохранить в макросе";

QLineEdit* MacroTextEdit(QWidget* parent, const QString& text) {
  auto* edit = new QLineEdit(parent);
  edit->setValidator(new MacroTextValidator(edit));
  edit->setToolTip(Utf8(kSemicolonTip));
  edit->setText(text);
  return edit;
}

}  // namespace

QValidator::State MacroTextValidator::validate(QString& input, int&) const {
  input.replace(QLatin1Char(';'), QLatin1Char(','));
  return FitsCp1251(input) ? Acceptable : Invalid;
}

TMNameForm::TMNameForm(QWidget* owner, DialogContext context, const QString& name)
    : TZMDialog(owner, std::move(context)) {
  setObjectName(QStringLiteral("MNameForm"));
  setWindowTitle(Utf8(kNameCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  SetHelpPage(Utf8(kHelpPage));
  SetClientSize(320, 150);
  AddWallpaperBar();
  QFrame* panel = AddShadowedPanel(this, QRect(20, 16, 272, 108));
  AddTitle(panel, Utf8(kNameCaption), QRect(0, 6, 272, 24));
  QString shown = name;
  shown.replace(QLatin1Char(';'), QLatin1Char(','));
  edit_ = MacroTextEdit(panel, KeepCp1251(shown));
  edit_->setObjectName(QStringLiteral("NameEdit"));
  edit_->setGeometry(16, 36, 240, 24);
  AddOkButton(panel, QRect(76, 72, 120, 26))->setObjectName(QStringLiteral("OkButton"));
  edit_->setFocus();
  edit_->selectAll();
}

void TMNameForm::Confirm() {
  name_ = edit_->text();
  TZMDialog::Confirm();
}

TMHelpForm::TMHelpForm(QWidget* owner, DialogContext context, int kind)
    : TZMDialog(owner, std::move(context)), kind_(kind) {
  setObjectName(QStringLiteral("MHelpForm"));
  setWindowTitle(Utf8(kHintCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  SetHelpPage(Utf8(kHelpPage));
  SetClientSize(420, 150);
  AddWallpaperBar();
  QFrame* panel = AddShadowedPanel(this, QRect(20, 16, 372, 108));
  AddTitle(panel, Utf8(kHintLabel), QRect(0, 6, 372, 24));
  edit_ = MacroTextEdit(panel, QString());
  edit_->setObjectName(QStringLiteral("HintEdit"));
  edit_->setGeometry(16, 36, 340, 24);
  AddOkButton(panel, QRect(8, 72, 112, 26))->setObjectName(QStringLiteral("OkButton"));
  QToolButton* standard = AddGlyphButton(panel, Utf8(kDefaultCaption), -1, QRect(128, 72, 116, 26));
  standard->setObjectName(QStringLiteral("DefaultButton"));
  connect(standard, &QToolButton::clicked, this, &TMHelpForm::UseDefault);
  AddCancelButton(panel, QRect(252, 72, 112, 26))->setObjectName(QStringLiteral("CancelButton"));
  edit_->setFocus();
}

void TMHelpForm::UseDefault() {
  const std::string hint = DefaultArgumentHint(kind_);
  if (!hint.empty()) edit_->setText(QString::fromStdString(hint));
}

void TMHelpForm::Confirm() {
  hint_ = edit_->text();
  TZMDialog::Confirm();
}

TMacroMenuForm::TMacroMenuForm(QWidget* owner, DialogContext context, MacroList& list)
    : TZMDialog(owner, std::move(context)), list_(list), original_(list) {
  setObjectName(QStringLiteral("MacroMenuForm"));
  setWindowTitle(Utf8(kMenuCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  SetHelpPage(Utf8(kHelpPage));
  SetClientSize(400, 330);
  AddWallpaperBar();
  QFrame* panel = AddShadowedPanel(this, QRect(20, 16, 352, 286));
  AddTitle(panel, Utf8(kOpenMacrosLabel), QRect(0, 6, 352, 24));
  view_ = new QListWidget(panel);
  view_->setObjectName(QStringLiteral("MacroList"));
  view_->setGeometry(16, 36, 270, 196);
  for (const MacroEntry& entry : list_) view_->addItem(QString::fromStdString(entry.caption));
  if (!list_.empty()) view_->setCurrentRow(0);
  connect(view_, &QListWidget::itemDoubleClicked, this, [this] { RenameSelected(); });

  QToolButton* up = AddGlyphButton(panel, QString(), kMoveUpGlyph, QRect(298, 70, 40, 40));
  up->setObjectName(QStringLiteral("UpButton"));
  connect(up, &QToolButton::clicked, this, &TMacroMenuForm::MoveUp);
  QToolButton* down = AddGlyphButton(panel, QString(), kMoveDownGlyph, QRect(298, 150, 40, 40));
  down->setObjectName(QStringLiteral("DownButton"));
  connect(down, &QToolButton::clicked, this, &TMacroMenuForm::MoveDown);

  QToolButton* remove = AddGlyphButton(panel, Utf8(kDeleteCaption), -1, QRect(8, 246, 108, 26));
  remove->setObjectName(QStringLiteral("DeleteButton"));
  connect(remove, &QToolButton::clicked, this, &TMacroMenuForm::DeleteSelected);
  AddCancelButton(panel, QRect(122, 246, 108, 26))->setObjectName(QStringLiteral("CancelButton"));
  AddOkButton(panel, QRect(236, 246, 108, 26))->setObjectName(QStringLiteral("OkButton"));
}

void TMacroMenuForm::Exchange(int a, int b) {
  std::swap(list_[static_cast<std::size_t>(a)], list_[static_cast<std::size_t>(b)]);
  const QString text = view_->item(a)->text();
  view_->item(a)->setText(view_->item(b)->text());
  view_->item(b)->setText(text);
  view_->setCurrentRow(b);
}

void TMacroMenuForm::MoveUp() {
  const int i = view_->currentRow();
  if (i > 0 && i < static_cast<int>(list_.size())) Exchange(i, i - 1);
}

void TMacroMenuForm::MoveDown() {
  const int i = view_->currentRow();
  if (i >= 0 && i + 1 < static_cast<int>(list_.size())) Exchange(i, i + 1);
}

void TMacroMenuForm::DeleteSelected() {
  const int i = view_->currentRow();
  if (i < 0 || i >= static_cast<int>(list_.size())) return;
  list_.erase(list_.begin() + i);
  delete view_->takeItem(i);
  const int count = static_cast<int>(list_.size());
  view_->setCurrentRow(count == 0 ? -1 : std::min(i, count - 1));
}

void TMacroMenuForm::RenameSelected() {
  const int i = view_->currentRow();
  if (i < 0 || i >= static_cast<int>(list_.size())) return;
  MacroEntry& entry = list_[static_cast<std::size_t>(i)];
  TMNameForm form(this, Context(), QString::fromStdString(entry.caption));
  Context().RunModal(form);
  if (!form.Name()) return;
  MacroEntry renamed{form.Name()->toStdString(), entry.path};
  if (!IsStorableMacroEntry(renamed)) return;
  entry = std::move(renamed);
  view_->item(i)->setText(*form.Name());
}

void TMacroMenuForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    DeleteSelected();
    return;
  }
  TZMDialog::keyPressEvent(event);
}

void TMacroMenuForm::reject() {
  list_ = original_;
  TZMDialog::reject();
}

}  // namespace zelmora
