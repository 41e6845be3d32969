#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QToolButton>
#include <QUrl>
#include <functional>

class QFrame;
class QKeyEvent;

// The look every dialog of the program shares: a wallpaper bar behind
// everything, grey-blue content panels with a black drop shadow, white
// "Courier New" titles with a shadow, flat buttons with a glyph, and F1 for
// the dialog's help page.
namespace zelmora {

// What a dialog needs from the program around it. Tests fill it with a
// temporary folder and callbacks that record what happened.
struct DialogContext {
  // The folder of the executable: data files and "Help/" lie there.
  QString programFolder;
  // The macro list, "Saves/" and "Macros/"; empty: the program folder.
  QString userFolder;
  // Where Open and Save start; empty: "Saves/" of the user's folder.
  QString drawingsFolder;
  // Shows error message `number` (the program's message window). Left empty,
  // the error only beeps.
  std::function<void(int number)> showError;
  // Hands a file or address to the desktop; false when that failed. Left
  // empty, QDesktopServices does it.
  std::function<bool(const QUrl& url)> openUrl;
  // Runs a modal dialog and returns its result. Left empty, exec() does it;
  // tests answer the dialog here instead of waiting for a person.
  std::function<int(QDialog& dialog)> runModal;

  QString UserFolder() const { return userFolder.isEmpty() ? programFolder : userFolder; }
  QString DrawingsFolder() const;
  void ShowError(int number) const;
  bool OpenUrl(const QUrl& url) const;
  int RunModal(QDialog& dialog) const;
};

inline const QColor kDialogPanelColor{180, 200, 206};
inline constexpr int kWallpaperBorder = 10;
// Clear space between a caption and the far edge of its panel: closer, a
// whole text looks cut off.
inline constexpr int kTextMarginToEdge = 8;
inline constexpr const char* kOkCaption = "Согласен";
inline constexpr const char* kCancelCaption = "Отмена";

// The program's own light colours for every widget. Its panels, wallpaper
// and drawing paper are light whatever the desktop's theme, so the texts on
// them stay dark: a dark theme's light texts would vanish on them.
QPalette ProgramPalette();

// White bold "Courier New", 19 pixels: dialog titles.
QFont DialogTitleFont();
// "Courier New", 16 pixels: explanations and method texts.
QFont DialogTextFont();

// `font`, its letters set just close enough that `text` takes at most `room`
// pixels: a long caption in a narrow place is tightened rather than cut.
QFont FontFitting(QFont font, const QString& text, int room);

// The subfolder `name` of the program folder, found whatever the case of its
// letters ("Help" and "help" are the same folder); folder + name when there
// is no such folder.
QString ProgramSubfolder(const QString& programFolder, const QString& name);

// Opens program folder + "Help/" + page + ".htm" when it exists (a folder
// spelt "help" is found too); otherwise, or when the desktop refuses it,
// shows error message 6. True when the page was handed over.
bool OpenHelpPage(const DialogContext& context, const QString& page);

// A label painting its text in its own colour over a black copy one pixel to
// the lower right, so light text stays readable on any background. Honours
// alignment, word wrap and the frame.
class ShadowTextLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ShadowTextLabel(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The background of a dialog: a 10-pixel border, a lowered bevel and the
// pack's wallpaper tiled from the bevel's top-left corner. Without a loaded
// pack the inside stays the window colour.
class WallpaperBar : public QWidget {
  Q_OBJECT

 public:
  explicit WallpaperBar(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A content panel at `geometry` in `parent`, in the panel colour with a
// lowered bevel, over a black shadow a few pixels to the lower right.
QFrame* AddShadowedPanel(QWidget* parent, const QRect& geometry);

// A shadow title label: white bold 19-pixel text, centred.
ShadowTextLabel* AddTitle(QWidget* parent, const QString& text, const QRect& geometry);

// A flat button with the pack glyph `glyph` left of its caption.
QToolButton* AddGlyphButton(QWidget* parent, const QString& caption, int glyph,
                            const QRect& geometry);

// A modal dialog with the common look. Enter anywhere confirms (Confirm),
// Escape and the close box cancel (reject), F1 opens the help page.
class TZMDialog : public QDialog {
  Q_OBJECT

 public:
  TZMDialog(QWidget* owner, DialogContext context);

  const DialogContext& Context() const { return context_; }
  // The help page F1 opens, without folder and extension; empty: F1 does nothing.
  void SetHelpPage(const QString& page) { helpPage_ = page; }
  const QString& HelpPage() const { return helpPage_; }
  // F1: the help page, or error message 6 when it is missing.
  bool OpenHelp();

 public slots:
  // The confirming button and Enter; closes with Accepted.
  virtual void Confirm();

 protected:
  // A fixed client size; the dialog opens centred on the screen.
  void SetClientSize(int width, int height);
  WallpaperBar* AddWallpaperBar();
  // "Согласен" with the OK glyph, calling Confirm.
  QToolButton* AddOkButton(QWidget* parent, const QRect& geometry,
                           const QString& caption = QString::fromUtf8(kOkCaption));
  // "Отмена" with the Cancel glyph, cancelling.
  QToolButton* AddCancelButton(QWidget* parent, const QRect& geometry,
                               const QString& caption = QString::fromUtf8(kCancelCaption));
  // Whether Enter confirms; off where a control needs Enter itself.
  void SetEnterConfirms(bool on) { enterConfirms_ = on; }

  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  DialogContext context_;
  QString helpPage_;
  bool enterConfirms_ = true;
  bool centred_ = false;
};

}  // namespace zelmora
