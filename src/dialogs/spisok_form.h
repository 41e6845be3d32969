#pragma once

#include <QImage>
#include <optional>
#include <vector>

#include "dialogs/dialog_look.h"
#include "geometry/object_list.h"

class QListWidget;
class QToolButton;

namespace zelmora {

// The small point pictures of the rows: black on a plain row, white on the
// chosen one.
struct PointIcons {
  QImage plain;
  QImage chosen;
};

// "Список объектов": every point, line and circle that is not hidden, in six
// columns of names with a kind icon, scrolling sideways. "Выбрать объект"
// (or Enter, or a double-click on a row) closes the window with the chosen
// row's object as the answer; "Закрыть" and Escape close it without one.
class TSpisokForm : public TZMDialog {
  Q_OBJECT

 public:
  static constexpr int kColumns = 6;
  static constexpr int kRowHeight = 16;

  TSpisokForm(QWidget* owner, DialogContext context, const ObjectList& objects, PointIcons icons);

  QListWidget* ListBox() const { return listBox_; }
  QToolButton* SelectButton() const { return selectButton_; }
  QToolButton* CloseButton() const { return closeButton_; }
  // The object of each row, row by row.
  const std::vector<int>& RowObjects() const { return rowObjects_; }
  // Whether the row's name is shown whole, or cut and followed by "...".
  bool NameFits(int row) const;
  // The object whose row was chosen when the window closed with "Выбрать объект".
  std::optional<int> ChosenObject() const { return chosen_; }

  void Confirm() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  const ObjectList& objects_;
  PointIcons icons_;
  std::vector<int> rowObjects_;
  std::optional<int> chosen_;
  QListWidget* listBox_ = nullptr;
  QToolButton* selectButton_ = nullptr;
  QToolButton* closeButton_ = nullptr;
};

}  // namespace zelmora
