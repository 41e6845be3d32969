#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "dialogs/spisok_form.h"
#include "geometry/construction_protocol.h"
#include "interaction/editor.h"

class QDoubleSpinBox;
class QLabel;
class QSlider;
class QTableView;
class QToolButton;

namespace zelmora {

class ProtocolModel;

// "Протокол построения": a window beside the drawing with one row per object
// in drawing order (kind, name, how it was built, from what, defined now),
// chosen together with the plane's selection, and the replay of the
// construction step by step. The replay only changes what the plane shows;
// closing the window or "В конец" shows the whole drawing again.
class TProtocolForm : public QWidget {
  Q_OBJECT

 public:
  TProtocolForm(QWidget* owner, Editor& editor, const PointIcons& icons);
  ~TProtocolForm() override;

  // The drawing may have changed; the table follows once the changes pause,
  // not at every step of a drag.
  void DrawingChanged();
  // Rebuilds the table now (only what differs is redrawn).
  void Refresh();
  // The plane's selection (-1: none) chooses its row.
  void ShowSelected(int index);

  int StepMs() const;
  void SetStepMs(int ms);

  QTableView* Table() const { return table_; }
  QSlider* Slider() const { return slider_; }
  QLabel* StepLabel() const { return stepLabel_; }
  QToolButton* Button(const char* caption) const;
  bool Playing() const { return playTimer_.isActive(); }
  const std::vector<ProtocolRow>& Rows() const;

 signals:
  void printRequested();
  void saveRequested();
  void helpRequested();  // F1

 protected:
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* BuildReplayBar();
  QWidget* BuildSliderBar();
  QWidget* BuildOutputBar();
  void ShowStep(int step);
  void ToStart();
  void StepBack();
  void StepForward();
  void TogglePlay();
  void PlayTick();
  void RowChosen();
  void ReplayStopped();
  void SyncControls();
  int ObjectCount() const;

  Editor& editor_;
  ProtocolModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QSlider* slider_ = nullptr;
  QLabel* stepLabel_ = nullptr;
  QDoubleSpinBox* pace_ = nullptr;
  QToolButton* playButton_ = nullptr;
  std::vector<QToolButton*> buttons_;
  QTimer playTimer_;
  QTimer refreshTimer_;
  bool syncing_ = false;  // a change made here, not by the user
};

}  // namespace zelmora
