#include "dialogs/file_properties_form.h"

#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include "dialogs/cp1251_input.h"
#include "dialogs/window_texts.h"

namespace zelmora {
namespace {

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

constexpr int kWidth = 400;
constexpr int kHeight = 350;

}  // namespace

TFilePropertiesForm::TFilePropertiesForm(QWidget* owner, DialogContext context, DocumentInfo& info)
    : TZMDialog(owner, std::move(context)), info_(info) {
  setObjectName(QStringLiteral("FilePropertiesForm"));
  setWindowTitle(Utf8(window_texts::kFilePropertiesCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  SetClientSize(kWidth, kHeight);
  SetHelpPage(Utf8(window_texts::kFilesHelpPage));
  AddWallpaperBar();

  QFrame* panel = AddShadowedPanel(this, QRect(20, 20, 352, 300));
  AddTitle(panel, Utf8(window_texts::kAuthorLabel), QRect(0, 8, 352, 24));
  author_ = new QLineEdit(panel);
  author_->setObjectName(QStringLiteral("AuthorEdit"));
  author_->setGeometry(16, 36, 320, 24);
  author_->setValidator(new Cp1251Validator(false, author_));
  author_->setText(QString::fromStdString(info.author));

  AddTitle(panel, Utf8(window_texts::kCommentLabel), QRect(0, 70, 352, 24));
  comment_ = new Cp1251PlainTextEdit(panel);
  comment_->setObjectName(QStringLiteral("CommentMemo"));
  comment_->setGeometry(16, 98, 320, 150);
  comment_->setPlainText(CommentText(info.comment));

  AddOkButton(panel, QRect(40, 262, 120, 26))->setObjectName(QStringLiteral("OkButton"));
  AddCancelButton(panel, QRect(192, 262, 120, 26))->setObjectName(QStringLiteral("CancelButton"));
  author_->setFocus();
}

void TFilePropertiesForm::Confirm() {
  info_.author = author_->text().toStdString();
  info_.comment = CommentLines(comment_->toPlainText());
  TZMDialog::Confirm();
}

std::vector<std::string> CommentLines(const QString& memoText) {
  QStringList lines = memoText.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  std::vector<std::string> result;
  result.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) result.push_back(line.toStdString());
  return result;
}

QString CommentText(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text.append(QString::fromStdString(line));
  // A last empty line would otherwise read back as the plain end of the
  // text, and opening the dialog would drop it.
  QString joined = text.join(QLatin1Char('\n'));
  if (!lines.empty() && lines.back().empty()) joined.append(QLatin1Char('\n'));
  return joined;
}

}  // namespace zelmora
