#include "dialogs/spisok_form.h"

#include <QFrame>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>

#include "interaction/object_properties.h"

namespace zelmora {
namespace {

constexpr int kClientWidth = 438;
constexpr int kClientHeight = 363;
constexpr QPoint kDesignPosition(283, 64);
constexpr QRect kPanel(28, 26, 381, 311);
// Qt's list starts a new column when a row would reach the last pixel, one
// pixel early: the extra pixel keeps 14 rows of 16 in a column.
constexpr QRect kListBox(16, 25, 350, 228 + 1);
constexpr const char* kCaption = "Список объектов";
constexpr const char* kSelectCaption = "Выбрать объект";
constexpr const char* kCloseCaption = "Закрыть";
constexpr const char* kEllipsis = "...";

constexpr int kKindRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

// The room a row leaves for its name: after the icon, before the "...".
QRect NameArea(const QRect& row) {
  return row.adjusted(16, 0, -9, 0);
}

bool NameFitsRow(const QFontMetrics& metrics, const QString& name, const QRect& row) {
  return metrics.horizontalAdvance(name) <= NameArea(row).width();
}

class ObjectRowDelegate : public QStyledItemDelegate {
 public:
  ObjectRowDelegate(const PointIcons& icons, QObject* parent)
      : QStyledItemDelegate(parent), icons_(icons) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QRect r = option.rect;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const int kind = index.data(kKindRole).toInt();
    const QString name = index.data(kNameRole).toString();
    painter->save();
    const QColor ink = selected ? Qt::white : Qt::black;
    const QColor paper = selected ? QColor(0, 0, 128) : QColor(Qt::white);
    painter->fillRect(r, paper);
    painter->setPen(QPen(ink, 1));
    painter->setBrush(paper);
    switch (kind) {
      case kPointKind: {
        const QImage& icon = selected ? icons_.chosen : icons_.plain;
        if (!icon.isNull()) painter->drawImage(r.left() + 5, r.top() + 5, icon);
        break;
      }
      case kLineKind:
        painter->drawLine(r.left() + 2, r.top() + 14, r.left() + 14, r.top() + 2);
        break;
      case kCircleKind:
        painter->drawEllipse(QRect(QPoint(r.left() + 2, r.top() + 2), QSize(12, 12)));
        break;
      case kMeasureKind:
      case kTextKind:  // a sign in place of a picture: ∡ for a measurement, T for a text
        painter->drawText(QRect(r.left() + 1, r.top(), 15, r.height()), Qt::AlignCenter,
                          kind == kMeasureKind ? QStringLiteral("∡") : QStringLiteral("T"));
        break;
      default:
        break;
    }
    painter->setPen(option.palette.color(QPalette::Normal,
                                         selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QRect text(r.left() + 17, r.top() + 1, r.width(), r.height() - 1);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    if (NameFitsRow(option.fontMetrics, name, r)) {
      painter->drawText(text, flags, name);
    } else {
      painter->save();
      painter->setClipRect(NameArea(r));
      painter->drawText(text, flags, name);
      painter->restore();
      // The dots may reach a pixel or two into the next column, never be cut.
      painter->drawText(QRect(r.left() + r.width() - 8, r.top() + 1, 8, r.height() - 1),
                        flags | Qt::TextDontClip, QString::fromLatin1(kEllipsis));
    }
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
    const auto* list = qobject_cast<const QListView*>(parent());
    return list != nullptr ? list->gridSize() : QSize(0, TSpisokForm::kRowHeight);
  }

 private:
  const PointIcons& icons_;
};

}  // namespace

TSpisokForm::TSpisokForm(QWidget* owner, DialogContext context, const ObjectList& objects,
                         PointIcons icons)
    : TZMDialog(owner, std::move(context)), objects_(objects), icons_(std::move(icons)) {
  setObjectName(QStringLiteral("SpisokForm"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
  setWindowTitle(QString::fromUtf8(kCaption));
  SetClientSize(kClientWidth, kClientHeight);
  AddWallpaperBar();

  QFrame* panel = AddShadowedPanel(this, kPanel);
  AddTitle(panel, QString::fromUtf8(kCaption), QRect(0, 2, kPanel.width(), 22))
      ->setObjectName(QStringLiteral("TitleLabel"));

  listBox_ = new QListWidget(panel);
  listBox_->setObjectName(QStringLiteral("ListBox1"));
  listBox_->setGeometry(kListBox);
  listBox_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  listBox_->setLineWidth(2);
  listBox_->setFlow(QListView::TopToBottom);
  listBox_->setWrapping(true);
  listBox_->setResizeMode(QListView::Adjust);
  listBox_->setUniformItemSizes(true);
  listBox_->setSelectionMode(QAbstractItemView::SingleSelection);
  listBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  listBox_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  // Columns share the inside of the frame; rows continue in the next column.
  listBox_->setGridSize(QSize(listBox_->contentsRect().width() / kColumns, kRowHeight));
  listBox_->setItemDelegate(new ObjectRowDelegate(icons_, listBox_));
  connect(listBox_, &QListWidget::itemDoubleClicked, this, [this] { Confirm(); });

  selectButton_ = AddOkButton(panel, QRect(28, 270, 117, 25), QString::fromUtf8(kSelectCaption));
  selectButton_->setObjectName(QStringLiteral("RxSpeedButton1"));
  // The caption is long for its button; tightened, it is read whole.
  const int captionRoom = selectButton_->width() - selectButton_->iconSize().width() - 16;
  selectButton_->setFont(
      FontFitting(selectButton_->font(), QString::fromUtf8(kSelectCaption), captionRoom));
  closeButton_ = AddCancelButton(panel, QRect(248, 270, 105, 25), QString::fromUtf8(kCloseCaption));
  closeButton_->setObjectName(QStringLiteral("RxSpeedButton2"));

  FormShow();
}

void TSpisokForm::FormShow() {
  rowObjects_ = ListedObjects(objects_);
  for (const int index : rowObjects_) {
    const TGObject& object = objects_[static_cast<std::size_t>(index)];
    auto* row = new QListWidgetItem(QString::number(index), listBox_);
    row->setData(kKindRole, object.Kind());
    row->setData(kNameRole, QString::fromStdString(object.Name));
  }
  // Qt keeps room for a scroll bar that may appear, which would cost every
  // column a row; the bar is there exactly when the rows need a seventh column.
  const int rowsPerColumn = listBox_->contentsRect().height() / kRowHeight;
  const bool scrolls = static_cast<int>(rowObjects_.size()) > kColumns * rowsPerColumn;
  listBox_->setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool TSpisokForm::NameFits(int row) const {
  const QListWidgetItem* item = listBox_->item(row);
  if (item == nullptr) return true;
  return NameFitsRow(listBox_->fontMetrics(), item->data(kNameRole).toString(),
                     listBox_->visualItemRect(item));
}

void TSpisokForm::Confirm() {
  const QList<QListWidgetItem*> chosen = listBox_->selectedItems();
  if (!chosen.isEmpty()) {
    const int row = listBox_->row(chosen.front());
    if (row >= 0 && row < static_cast<int>(rowObjects_.size())) {
      chosen_ = rowObjects_[static_cast<std::size_t>(row)];
    }
  }
  TZMDialog::Confirm();
}

// The window opens where it always stood, moved in as far as needed on a
// screen too small for that.
void TSpisokForm::showEvent(QShowEvent* event) {
  TZMDialog::showEvent(event);
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  QRect frame = frameGeometry();
  frame.moveTopLeft(area.topLeft() + kDesignPosition);
  if (frame.right() > area.right()) frame.moveRight(area.right());
  if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
  if (frame.left() < area.left()) frame.moveLeft(area.left());
  if (frame.top() < area.top()) frame.moveTop(area.top());
  move(frame.topLeft());
}

}  // namespace zelmora
