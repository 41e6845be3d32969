#include <cmath>

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "controls/zm_paint_box.h"
#include "dialogs/annotation_forms.h"
#include "dialogs/creation_dialogs.h"
#include "dialogs/dialog_look.h"
#include "dialogs/help_form.h"
#include "dialogs/protocol_form.h"
#include "mainwindow/main_form.h"

// What the editor asks of the window: the picture, the status texts, the
// cursors, the timers and the questions of a construction.
namespace zelmora {
namespace {

// Below this a name is no longer legible; letters are set closer instead.
constexpr int kSmallestObjectLabelPixels = 8;

}  // namespace

void TMainForm::Present() {
  // Only the rows painted since the last time go to the screen.
  const RowSpan rows = canvas_.TakeChangedRows();
  if (rows.bottom > rows.top) {
    // The rows are the picture's, of device pixels; the surface counts units.
    const double ratio = canvas_.PixelRatio();
    const int top = static_cast<int>(std::floor(rows.top / ratio));
    const int bottom = static_cast<int>(std::ceil(rows.bottom / ratio));
    planeBox_->update(0, top, planeBox_->width(), bottom - top);
  }
  if (protocolForm_ != nullptr) protocolForm_->DrawingChanged();
  if (lessonMenu_ != nullptr) lessonMenu_->DrawingChanged();
}

void TMainForm::SetPrompt(const std::string& text) {
  prompt_ = text;
  if (helpForm_ != nullptr) helpForm_->SetText(QString::fromStdString(text));
}

void TMainForm::SetHelpLabel(const std::string& text) {
  helpLabel_->setText(QString::fromStdString(text));
}

// A kind and a name of twelve wide letters do not fit the narrow panel in
// its usual face; they are set smaller rather than cut at both ends.
void TMainForm::SetObjectLabel(const std::string& text) {
  const QString caption = QString::fromStdString(text);
  QFont font = objectLabel_->parentWidget()->font();
  const int room = objectLabel_->contentsRect().width();
  for (int pixels = QFontInfo(font).pixelSize();
       pixels > kSmallestObjectLabelPixels &&
       QFontMetrics(font).horizontalAdvance(caption) > room;) {
    font.setPixelSize(--pixels);
  }
  objectLabel_->setFont(FontFitting(font, caption, room));
  objectLabel_->setText(caption);
  if (protocolForm_ != nullptr) protocolForm_->ShowSelected(editor_->Selected());
}

void TMainForm::SetCoordinates(const std::string& x, const std::string& y) {
  xLabel_->setText(QString::fromStdString(x));
  yLabel_->setText(QString::fromStdString(y));
}

void TMainForm::SetSurfaceCursor(CursorShape cursor) {
  planeBox_->setCursor(cursors_.For(cursor));
}

// The drag cursor holds everywhere until the button goes up, even where the
// captured mouse leaves the surface.
void TMainForm::SetDragCursor(CursorShape cursor) {
  if (dragCursorShown_) {
    QGuiApplication::changeOverrideCursor(cursors_.For(cursor));
  } else {
    QGuiApplication::setOverrideCursor(cursors_.For(cursor));
    dragCursorShown_ = true;
  }
}

void TMainForm::MoveCursorTo(int x, int y) {
  planeBox_->MoveCursorTo(x, y);
}

void TMainForm::SetBlinkTimer(bool running) {
  if (running) {
    blinkTimer_.start();
  } else {
    blinkTimer_.stop();
  }
}

void TMainForm::StartZoomLoop() {
  zoomTimer_.start();
}

void TMainForm::ShowModeButton(InteractionState mode) {
  for (const auto& [state, button] : modeButtons_) button->setChecked(state == mode);
}

void TMainForm::ShowPopupMenu(int x, int y, const std::vector<PopupItem>& items) {
  objectPM_->clear();
  for (const PopupItem& item : items) {
    const int tag = item.tag;
    // A name with "&" would otherwise lose it to a keyboard accelerator.
    const QString caption = QString::fromStdString(item.caption).replace('&', QStringLiteral("&&"));
    objectPM_->addAction(caption, this, [this, tag] { editor_->MenuSelect(tag); });
  }
  objectPM_->popup(planeBox_->mapToGlobal(QPoint(x, y)));
}

// The editor names its pages as "Help/<page>.htm"; the folder is found
// whatever the case of its letters.
void TMainForm::OpenHelpPage(const std::string& page) {
  zelmora::OpenHelpPage(Context(), QFileInfo(QString::fromStdString(page)).completeBaseName());
}

// Over whichever dialog asked, so that it is not hidden behind it.
void TMainForm::ShowError(int number) {
  QWidget* owner = QApplication::activeModalWidget();
  prompts_.ShowError(owner != nullptr ? owner : this, number, options_.programFolder);
}

std::optional<Command> TMainForm::AskNewObjectMethod(CommandGroup group,
                                                     const CommandSet& enabled) {
  return RunNewObjectDialog(this, group, enabled, Context());
}

std::optional<double> TMainForm::AskParameter(ParameterKind kind) {
  return RunParameterDialog(this, kind, Context());
}

// A tool bar button opens its group's dialog, so it is off only when the
// whole group is.
void TMainForm::ShowEnabledCommands(const CommandSet& enabled) {
  for (const CommandInfo& c : kCommands) {
    commandItems_[static_cast<std::size_t>(c.command)]->setEnabled(enabled.Contains(c.command));
  }
  for (std::size_t g = 0; g < kCommandGroupCount; ++g) {
    newObjectButtons_[g]->setEnabled(enabled.AnyOf(static_cast<CommandGroup>(g)));
  }
}

std::optional<TextProperties> TMainForm::AskNewText() {
  return RunNewTextDialog(this, Context());
}

}  // namespace zelmora
