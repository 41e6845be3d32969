#include "dialogs/protocol_form.h"

#include <QAbstractTableModel>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "document/protocol_html.h"
#include "document/protocol_settings.h"

namespace zelmora {
namespace {

constexpr const char* kCaption = "Протокол построения";
constexpr const char* kToStart = "В начало";
constexpr const char* kBack = "Шаг назад";
constexpr const char* kForward = "Шаг вперёд";
constexpr const char* kToEnd = "В конец";
constexpr const char* kPlay = "Воспроизвести";
constexpr const char* kPause = "Пауза";
constexpr const char* kPace = "Шаг, с:";
constexpr const char* kPrint = "Печать протокола…";
constexpr const char* kSaveHtml = "Сохранить как HTML…";
constexpr const char* kStepOf = "Шаг %1 из %2";
constexpr const char* kWhole = "Весь чертёж: %1";
constexpr int kRefreshPauseMs = 150;
constexpr int kKindColumn = 1;
constexpr int kSentenceColumn = 3;
constexpr int kColumnWidths[] = {44, 110, 70, 300, 110, 80};

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The kind pictures of the object list, as icons.
QIcon KindIcon(int kind, const PointIcons& icons) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setPen(QPen(Qt::black, 1));
  switch (kind) {
    case kPointKind:
      if (!icons.plain.isNull()) painter.drawImage(5, 5, icons.plain);
      break;
    case kLineKind:
      painter.drawLine(2, 14, 14, 2);
      break;
    case kCircleKind:
      painter.drawEllipse(QRect(2, 2, 12, 12));
      break;
    default:
      return {};
  }
  return QIcon(pixmap);
}

}  // namespace

// The rows of the protocol for the table; replaced whole, redrawn where
// they differ.
class ProtocolModel : public QAbstractTableModel {
 public:
  ProtocolModel(const PointIcons& icons, QObject* parent) : QAbstractTableModel(parent) {
    for (int kind = kPointKind; kind <= kCircleKind; ++kind) icons_[kind] = KindIcon(kind, icons);
  }

  const std::vector<ProtocolRow>& Rows() const { return rows_; }

  void SetRows(std::vector<ProtocolRow> rows) {
    if (rows.size() != rows_.size()) {
      beginResetModel();
      rows_ = std::move(rows);
      endResetModel();
      return;
    }
    // Same count: only the rows that changed are told, so the choice and the
    // scroll position stay.
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i] == rows_[i]) continue;
      rows_[i] = std::move(rows[i]);
      const int row = static_cast<int>(i);
      emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(std::size(kProtocolColumns));
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= columnCount()) return {};
    return Text(kProtocolColumns[section]);
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ProtocolRow& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DecorationRole && index.column() == kKindColumn) {
      return row.kind >= kPointKind && row.kind <= kCircleKind ? icons_[row.kind] : QVariant();
    }
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
      case 0:
        return row.number;
      case 1:
        return QString::fromStdString(row.kindWord);
      case 2:
        return QString::fromStdString(row.name);
      case 3:
        return QString::fromStdString(row.how);
      case 4:
        return QString::fromStdString(row.parentNames);
      default:
        return Text(row.defined ? kProtocolDefined : kProtocolUndefined);
    }
  }

 private:
  std::vector<ProtocolRow> rows_;
  QIcon icons_[kCircleKind + 1];
};

TProtocolForm::TProtocolForm(QWidget* owner, Editor& editor, const PointIcons& icons)
    : QWidget(owner, Qt::Tool), editor_(editor) {
  setObjectName(QStringLiteral("ProtocolForm"));
  setWindowTitle(Text(kCaption));
  model_ = new ProtocolModel(icons, this);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(20);
  // Fixed widths but for the sentence, which takes the rest: measuring the
  // contents would read every row of a large drawing.
  QHeaderView* header = table_->horizontalHeader();
  for (int column = 0; column < model_->columnCount(); ++column) {
    header->resizeSection(column, kColumnWidths[column]);
  }
  header->setSectionResizeMode(kSentenceColumn, QHeaderView::Stretch);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 1);
  layout->addWidget(BuildReplayBar());
  layout->addWidget(BuildSliderBar());
  layout->addWidget(BuildOutputBar());
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TProtocolForm::RowChosen);
  playTimer_.setInterval(1000);
  connect(&playTimer_, &QTimer::timeout, this, &TProtocolForm::PlayTick);
  refreshTimer_.setSingleShot(true);
  refreshTimer_.setInterval(kRefreshPauseMs);
  connect(&refreshTimer_, &QTimer::timeout, this, &TProtocolForm::Refresh);
  editor_.SetReplayListener([this] { ReplayStopped(); });
  resize(760, 460);
  Refresh();
}

// The editor outlives the window (the main window deletes it first).
TProtocolForm::~TProtocolForm() {
  editor_.SetReplayListener({});
  editor_.EndReplay();
}

QWidget* TProtocolForm::BuildReplayBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  auto add = [&](const char* caption, std::function<void()> action) {
    auto* button = new QToolButton(bar);
    button->setText(Text(caption));
    connect(button, &QToolButton::clicked, this, std::move(action));
    row->addWidget(button);
    buttons_.push_back(button);
    return button;
  };
  add(kToStart, [this] { ToStart(); });
  add(kBack, [this] { StepBack(); });
  add(kForward, [this] { StepForward(); });
  add(kToEnd, [this] { editor_.EndReplay(); });
  playButton_ = add(kPlay, [this] { TogglePlay(); });
  row->addStretch(1);
  return bar;
}

QWidget* TProtocolForm::BuildSliderBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  slider_ = new QSlider(Qt::Horizontal, bar);
  slider_->setPageStep(1);
  connect(slider_, &QSlider::valueChanged, this, [this](int step) {
    if (!syncing_) ShowStep(step);
  });
  row->addWidget(slider_, 1);
  stepLabel_ = new QLabel(bar);
  row->addWidget(stepLabel_);
  return bar;
}

QWidget* TProtocolForm::BuildOutputBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel(Text(kPace), bar));
  pace_ = new QDoubleSpinBox(bar);
  pace_->setRange(kMinStepMs / 1000.0, kMaxStepMs / 1000.0);
  pace_->setSingleStep(0.5);
  pace_->setDecimals(1);
  pace_->setValue(1.0);
  connect(pace_, &QDoubleSpinBox::valueChanged, this,
          [this](double seconds) { playTimer_.setInterval(static_cast<int>(seconds * 1000)); });
  row->addWidget(pace_);
  row->addStretch(1);
  for (auto [caption, signal] : {std::pair{kPrint, &TProtocolForm::printRequested},
                                 std::pair{kSaveHtml, &TProtocolForm::saveRequested}}) {
    auto* button = new QToolButton(bar);
    button->setText(Text(caption));
    connect(button, &QToolButton::clicked, this, signal);
    row->addWidget(button);
    buttons_.push_back(button);
  }
  return bar;
}

QToolButton* TProtocolForm::Button(const char* caption) const {
  const QString text = Text(caption);
  for (QToolButton* button : buttons_) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

const std::vector<ProtocolRow>& TProtocolForm::Rows() const {
  return model_->Rows();
}

int TProtocolForm::StepMs() const {
  return playTimer_.interval();
}

void TProtocolForm::SetStepMs(int ms) {
  pace_->setValue(std::clamp(ms, kMinStepMs, kMaxStepMs) / 1000.0);
}

int TProtocolForm::ObjectCount() const {
  return static_cast<int>(editor_.Objects().size());
}

// A closed window catches up when it opens again.
void TProtocolForm::DrawingChanged() {
  if (isVisible()) refreshTimer_.start();
}

void TProtocolForm::Refresh() {
  refreshTimer_.stop();
  syncing_ = true;
  model_->SetRows(BuildProtocol(editor_.Objects()));
  syncing_ = false;
  ShowSelected(editor_.Selected());
  SyncControls();
}

void TProtocolForm::ShowSelected(int index) {
  if (syncing_) return;
  syncing_ = true;
  if (index >= 0 && index < model_->rowCount()) {
    table_->selectRow(index);
    table_->scrollTo(model_->index(index, 0));
  } else {
    table_->clearSelection();
  }
  syncing_ = false;
}

// The plane follows the chosen row; during a replay the replay goes to it.
void TProtocolForm::RowChosen() {
  if (syncing_) return;
  const QModelIndexList rows = table_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  const int index = rows.front().row();
  syncing_ = true;
  editor_.ObjectSelect(index);
  syncing_ = false;
  if (editor_.Replay().Active()) {
    ShowStep(index + 1);
  } else {
    editor_.Repaint();
  }
}

void TProtocolForm::ShowStep(int step) {
  if (ObjectCount() == 0) return;
  step = std::clamp(step, 1, ObjectCount());
  // The newest object is the chosen one, on the plane's label and in the table.
  syncing_ = true;
  editor_.ObjectSelect(step - 1);
  syncing_ = false;
  editor_.ShowReplayStep(static_cast<std::size_t>(step));
  SyncControls();
  ShowSelected(step - 1);
}

void TProtocolForm::ToStart() {
  ShowStep(1);
}

void TProtocolForm::StepBack() {
  const int now =
      editor_.Replay().Active() ? static_cast<int>(editor_.Replay().Step()) : ObjectCount();
  ShowStep(now - 1);
}

// Past the last step the replay is over: the whole drawing shows.
void TProtocolForm::StepForward() {
  if (!editor_.Replay().Active()) return;
  const int now = static_cast<int>(editor_.Replay().Step());
  if (now >= ObjectCount()) {
    editor_.EndReplay();
  } else {
    ShowStep(now + 1);
  }
}

void TProtocolForm::TogglePlay() {
  if (playTimer_.isActive()) {
    playTimer_.stop();
  } else {
    const bool atEnd =
        !editor_.Replay().Active() || static_cast<int>(editor_.Replay().Step()) >= ObjectCount();
    if (atEnd) ToStart();
    playTimer_.start();
  }
  SyncControls();
}

// The replay stops on the last step, which stays shown until the user
// leaves it.
void TProtocolForm::PlayTick() {
  const int now = static_cast<int>(editor_.Replay().Step());
  if (!editor_.Replay().Active() || now >= ObjectCount()) {
    playTimer_.stop();
    SyncControls();
    return;
  }
  ShowStep(now + 1);
  if (now + 1 >= ObjectCount()) {
    playTimer_.stop();
    SyncControls();
  }
}

void TProtocolForm::ReplayStopped() {
  playTimer_.stop();
  SyncControls();
}

void TProtocolForm::SyncControls() {
  const int count = ObjectCount();
  const bool active = editor_.Replay().Active();
  const int step = active ? static_cast<int>(editor_.Replay().Step()) : count;
  syncing_ = true;
  slider_->setRange(std::min(1, count), count);
  slider_->setValue(step);
  syncing_ = false;
  slider_->setEnabled(count > 0);
  stepLabel_->setText(active ? Text(kStepOf).arg(step).arg(count) : Text(kWhole).arg(count));
  playButton_->setText(Text(playTimer_.isActive() ? kPause : kPlay));
  Button(kToStart)->setEnabled(count > 0);
  Button(kBack)->setEnabled(count > 1 && step > 1);
  Button(kForward)->setEnabled(active);
  Button(kToEnd)->setEnabled(active);
}

// Closing the window leaves the replay.
void TProtocolForm::hideEvent(QHideEvent* event) {
  playTimer_.stop();
  editor_.EndReplay();
  QWidget::hideEvent(event);
}

void TProtocolForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    emit helpRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace zelmora
