#pragma once

#include <array>

#include "dialogs/dialog_look.h"
#include "document/settings.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QStackedWidget;

namespace zelmora {

class TZMColorSelector;

enum class OptionsPage { kGeneral = 1, kDefaults = 2 };

// "Настройка": the general settings on one page, what new objects start
// with on the other. "Согласен" takes effect at once and is stored;
// "Отмена" leaves everything as it was.
class TOptionsForm : public TZMDialog {
  Q_OBJECT

 public:
  enum Kind { kPoint, kLine, kCircle };

  TOptionsForm(QWidget* owner, DialogContext context, SettingsStore& store, Settings& settings,
               OptionsPage page);

  OptionsPage Page() const { return page_; }
  void ShowPage(OptionsPage page);

  // The settings with the dialog's values in place of the current ones.
  Settings Edited() const;
  // Whether "Согласен" reached the store (false also before it is pressed).
  bool Saved() const { return saved_; }

  void Confirm() override;

  QAbstractButton* GeneralTab() const { return generalTab_; }
  QAbstractButton* DefaultsTab() const { return defaultsTab_; }
  QSpinBox* FeelingEdit() const { return feeling_; }
  QSpinBox* TimePauseEdit() const { return timePause_; }
  QComboBox* FontList() const { return font_; }
  QSpinBox* ZoomStepEdit() const { return zoomStep_; }
  QCheckBox* SmoothingBox() const { return smoothing_; }
  QCheckBox* EndsOffBox() const { return endsOff_; }
  QSpinBox* WidthEdit() const { return width_; }
  TZMColorSelector* ColorSelector() const { return color_; }
  QLineEdit* NameEdit(Kind kind) const { return names_[kind]; }
  QCheckBox* NameVisibleBox(Kind kind) const { return nameVisible_[kind]; }

 private:
  QWidget* BuildGeneralPage();
  QWidget* BuildDefaultsPage();
  void ShowSettings();
  void ShowTabImages();

  SettingsStore& store_;
  Settings& settings_;
  OptionsPage page_;
  bool saved_ = false;

  QAbstractButton* generalTab_ = nullptr;
  QAbstractButton* defaultsTab_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QSpinBox* feeling_ = nullptr;
  QSpinBox* timePause_ = nullptr;
  QComboBox* font_ = nullptr;
  QSpinBox* zoomStep_ = nullptr;
  QSpinBox* measureDpi_ = nullptr;
  QCheckBox* smoothing_ = nullptr;
  QCheckBox* endsOff_ = nullptr;
  QSpinBox* width_ = nullptr;
  TZMColorSelector* color_ = nullptr;
  std::array<QLineEdit*, 3> names_{};
  std::array<QCheckBox*, 3> nameVisible_{};
};

}  // namespace zelmora
