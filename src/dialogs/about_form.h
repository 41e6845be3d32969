#pragma once

#include <QImage>
#include <QLabel>
#include <QString>
#include <QUrl>
#include <functional>

#include "dialogs/dialog_look.h"

namespace zelmora {

class SettingsStore;

// A piece of text that behaves as a link: the hand pointer over it, a left
// click reports Clicked.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// "О программе": the product, a word to the user, the authors and the ways
// to reach them. It has no buttons; the close box ends it.
class TAbForm : public TZMDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 601;
  static constexpr int kHeight = 503;

  TAbForm(QWidget* owner, DialogContext context);

  LinkLabel* SiteLink() const { return siteLink_; }
  LinkLabel* MailLink() const { return mailLink_; }

  // Where a failed link says so; left unset, a message box.
  void SetMessageShower(std::function<void(const QString&)> show) {
    showMessage_ = std::move(show);
  }

  // The logo at the top left, 84 x 48.
  static QImage Logo();

 private:
  void OpenLink(const QUrl& url);
  void AddHeader();
  void AddLetter();
  void AddCredits();

  LinkLabel* siteLink_ = nullptr;
  LinkLabel* mailLink_ = nullptr;
  std::function<void(const QString&)> showMessage_;
};

// Shows the about box modally; returns when it has been closed.
void RunAboutBox(QWidget* owner, const DialogContext& context);

// The first activation of the main window after a start: the about box,
// once ever for the user. True when it was shown.
bool ShowAboutOnFirstRun(QWidget* owner, SettingsStore& store, const DialogContext& context);

}  // namespace zelmora
