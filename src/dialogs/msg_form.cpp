#include "dialogs/msg_form.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QToolButton>
#include <filesystem>

#include "dialogs/window_texts.h"
#include "document/image_pack.h"
#include "document/text_table.h"

namespace zelmora {
namespace {

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

TMsgForm::TMsgForm(QWidget* owner, const QString& text) : TZMDialog(owner, DialogContext{}) {
  setObjectName(QStringLiteral("MsgForm"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setWindowTitle(Utf8(window_texts::kMsgCaption));
  SetClientSize(kWidth, kHeight);

  auto* panel = new QFrame(this);
  panel->setGeometry(0, 0, kWidth, kHeight);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setAutoFillBackground(true);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, kDialogPanelColor);
  panel->setPalette(colours);

  AddTitle(panel, Utf8(window_texts::kMsgCaption), QRect(0, 6, kWidth, 24));

  text_ = new QLabel(text, panel);
  text_->setObjectName(QStringLiteral("MessageText"));
  text_->setGeometry(16, 32, 289, 89);
  text_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  text_->setAlignment(Qt::AlignCenter);
  text_->setWordWrap(true);
  text_->setMargin(4);
  text_->setToolTip(Utf8(window_texts::kMsgTextHint));

  closeButton_ =
      AddGlyphButton(panel, Utf8(window_texts::kMsgButton), kOkGlyph, QRect(120, 126, 105, 25));
  closeButton_->setObjectName(QStringLiteral("CloseButton"));
  closeButton_->setToolTip(Utf8(window_texts::kMsgButtonHint));
  connect(closeButton_, &QToolButton::clicked, this, &TMsgForm::accept);
}

QString TMsgForm::Text() const {
  return text_->text();
}

std::optional<QString> ErrorMessageText(const QString& programFolder, int number) {
  const std::filesystem::path table =
      std::filesystem::path(QFile::encodeName(programFolder).toStdString()) / kErrorTableFile;
  const std::optional<std::string> text = TableText(table, number, 0);
  if (!text) return std::nullopt;
  return QString::fromStdString(*text);
}

std::unique_ptr<QDialog> MakeErrorWindow(QWidget* owner, int number, const QString& programFolder) {
  if (const std::optional<QString> text = ErrorMessageText(programFolder, number)) {
    return std::make_unique<TMsgForm>(owner, *text);
  }
  const QString message = Utf8(window_texts::kMsgTableBroken).arg(number);
  return std::make_unique<QMessageBox>(QMessageBox::Critical, Utf8(window_texts::kMsgCaption),
                                       message, QMessageBox::Ok, owner);
}

void ShowError(QWidget* owner, int number, const QString& programFolder) {
  MakeErrorWindow(owner, number, programFolder)->exec();
}

}  // namespace zelmora
