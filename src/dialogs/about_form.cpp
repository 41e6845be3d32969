#include "dialogs/about_form.h"

#include <QFrame>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include "dialogs/links.h"
#include "dialogs/window_texts.h"
#include "document/settings.h"

namespace zelmora {
namespace {

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QFont CourierFont(int pixels, bool bold) {
  QFont font = DialogTextFont();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QLabel* AddPlainLabel(QWidget* parent, const QString& text, const QRect& geometry,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  label->setFont(DialogTextFont());
  label->setAlignment(alignment);
  return label;
}

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  QPalette blue = palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 160));
  setPalette(blue);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

TAbForm::TAbForm(QWidget* owner, DialogContext context) : TZMDialog(owner, std::move(context)) {
  setObjectName(QStringLiteral("AbForm"));
  setWindowTitle(Utf8(window_texts::kAboutCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  SetClientSize(kWidth, kHeight);
  AddWallpaperBar();
  AddHeader();
  AddLetter();
  AddCredits();
}

QImage TAbForm::Logo() {
  QImage image(84, 48, QImage::Format_RGB32);
  image.fill(kDialogPanelColor);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 83, 47), 6, 6);
  // A circle through a chord's ends, with the chord and its two points.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0, 0, 128), 2));
  painter.drawEllipse(QPointF(28, 24), 17, 17);
  painter.setPen(QPen(QColor(128, 0, 0), 2));
  const QPointF left(13, 32), right(43, 32);
  painter.drawLine(left, right);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawEllipse(left, 3, 3);
  painter.drawEllipse(right, 3, 3);
  QFont font = CourierFont(34, true);
  painter.setFont(font);
  painter.setPen(QColor(0, 128, 128));
  painter.drawText(QRect(46, 2, 36, 44), Qt::AlignCenter, QStringLiteral("Z"));
  return image;
}

void TAbForm::AddHeader() {
  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("Logo"));
  logo->setPixmap(QPixmap::fromImage(Logo()));
  logo->setGeometry(24, 16, 84, 48);

  ShadowTextLabel* product =
      AddTitle(this, Utf8(window_texts::kAboutProduct), QRect(168, 12, 300, 36));
  product->setFont(CourierFont(29, true));
  product->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ShadowTextLabel* version =
      AddTitle(this, Utf8(window_texts::kAboutVersion), QRect(272, 48, 200, 24));
  version->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TAbForm::AddLetter() {
  QFrame* panel = AddShadowedPanel(this, QRect(28, 80, 541, 225));
  auto* letter = new QLabel(Utf8(window_texts::kAboutLetter), panel);
  letter->setObjectName(QStringLiteral("Letter"));
  letter->setGeometry(panel->rect().adjusted(12, 8, -12, -8));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(16);
  letter->setFont(font);
  letter->setAlignment(Qt::AlignCenter);
  letter->setWordWrap(true);
}

void TAbForm::AddCredits() {
  QFrame* panel = AddShadowedPanel(this, QRect(72, 336, 449, 137));
  constexpr int kLabelX = 10;
  constexpr int kValueX = 244;
  constexpr int kValueWidth = 449 - kValueX - kTextMarginToEdge;
  AddPlainLabel(panel, Utf8(window_texts::kAboutMakersLabel), QRect(kLabelX, 6, 230, 40));
  QLabel* makers =
      AddPlainLabel(panel, Utf8(window_texts::kAboutMakers), QRect(kValueX, 6, kValueWidth, 40));
  makers->setObjectName(QStringLiteral("Makers"));
  makers->setWordWrap(true);
  AddPlainLabel(panel, Utf8(window_texts::kAboutThanksLabel), QRect(kLabelX, 48, 230, 20));
  AddPlainLabel(panel, Utf8(window_texts::kAboutThanks), QRect(kValueX, 48, kValueWidth, 20));
  AddPlainLabel(panel, Utf8(window_texts::kAboutSiteLabel), QRect(kLabelX, 70, 230, 20));
  AddPlainLabel(panel, Utf8(window_texts::kAboutMailLabel), QRect(kLabelX, 92, 230, 20));
  AddPlainLabel(panel, Utf8(window_texts::kAboutMadeIn), QRect(kValueX, 114, kValueWidth, 18),
                Qt::AlignRight | Qt::AlignTop);

  siteLink_ = new LinkLabel(Utf8(links::kSiteCaption), panel);
  siteLink_->setObjectName(QStringLiteral("SiteLink"));
  mailLink_ = new LinkLabel(Utf8(links::kMailAddress), panel);
  mailLink_->setObjectName(QStringLiteral("MailLink"));
  for (LinkLabel* link : {siteLink_, mailLink_}) {
    QFont font = DialogTextFont();
    font.setUnderline(true);
    link->setFont(font);
  }
  siteLink_->setGeometry(kValueX, 70, kValueWidth, 20);
  mailLink_->setGeometry(kValueX, 92, kValueWidth, 20);
  connect(siteLink_, &LinkLabel::Clicked, this, [this] { OpenLink(QUrl(Utf8(links::kSiteUrl))); });
  connect(mailLink_, &LinkLabel::Clicked, this, [this] { OpenLink(QUrl(Utf8(links::kMailUrl))); });
}

void TAbForm::OpenLink(const QUrl& url) {
  if (Context().OpenUrl(url)) return;
  const QString message = Utf8(window_texts::kAboutLinkFailed);
  if (showMessage_) {
    showMessage_(message);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QString(), message, QMessageBox::Ok, this);
  box.exec();
}

void RunAboutBox(QWidget* owner, const DialogContext& context) {
  TAbForm about(owner, context);
  context.RunModal(about);
}

bool ShowAboutOnFirstRun(QWidget* owner, SettingsStore& store, const DialogContext& context) {
  if (!TakeFirstRun(store)) return false;
  RunAboutBox(owner, context);
  return true;
}

}  // namespace zelmora
