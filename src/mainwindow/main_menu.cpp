#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>
#include <string_view>

#include "dialogs/about_form.h"
#include "dialogs/file_properties_form.h"
#include "dialogs/help_form.h"
#include "dialogs/links.h"
#include "dialogs/properties_form.h"
#include "dialogs/spisok_form.h"
#include "dialogs/window_texts.h"
#include "interaction/editor_texts.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_texts.h"

// The main menu. Each item carries its historical item name as object name,
// so scripts and tests find it whatever its caption.
namespace zelmora {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QString Caption(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(Text(caption));
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

QAction* TMainForm::MenuItem(const QString& name) const {
  return menuBar()->findChild<QAction*>(name);
}

void TMainForm::BuildMenus() {
  BuildFileMenu();
  BuildNewObjectMenu();
  BuildObjectsMenu();
  BuildViewMenu();
  // Its items come with the macro list (MacroMenu).
  macrosMenu_ = menuBar()->addMenu(Text(texts::kMacrosMenu));
  macrosMenu_->setObjectName(QStringLiteral("N30"));
  BuildOptionsMenu();
  BuildHelpMenu();
}

void TMainForm::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu(Text(texts::kFileMenu));
  QAction* item = AddItem(file, "FreeZM", texts::kNewItem);
  item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  connect(item, &QAction::triggered, this, [this] { session_->New(); });
  item = AddItem(file, "OpenZM", texts::kOpenItem);
  connect(item, &QAction::triggered, this, [this] { session_->Open(); });
  item = AddItem(file, "SaveZM", texts::kSaveItem);
  item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(item, &QAction::triggered, this, [this] { session_->Save(); });
  item = AddItem(file, "N8", texts::kSaveAsItem);
  connect(item, &QAction::triggered, this, [this] { session_->SaveAs(); });
  item = AddItem(file, "N9", texts::kFilePropertiesItem);
  connect(item, &QAction::triggered, this, &TMainForm::ShowFileProperties);
  file->addSeparator();
  connect(AddItem(file, "N65", texts::kSaveAsMacroItem), &QAction::triggered, this,
          [this] { editor_->StartMacroRecording(); });
  QMenu* exportMenu = file->addMenu(Text(texts::kExportMenu));
  connect(AddItem(exportMenu, "N57", texts::kExportPictureItem), &QAction::triggered, this,
          [this] { editor_->StartExport(*this); });
  // No shortcut: Ctrl+P opens the new-point dialog.
  connect(AddItem(file, "PrintZM", texts::kPrintItem), &QAction::triggered, this,
          &TMainForm::PrintDrawing);
  file->addSeparator();
  for (int k = 0; k < kRecentEntries; ++k) {
    QAction* recent = file->addAction(QString());
    recent->setObjectName(QStringLiteral("RecentFile%1").arg(k + 1));
    recent->setVisible(false);
    connect(recent, &QAction::triggered, this, [this, k] { session_->OpenRecent(k + 1); });
    recentItems_[static_cast<std::size_t>(k)] = recent;
  }
  recentSeparator_ = file->addSeparator();
  recentSeparator_->setVisible(false);
  connect(AddItem(file, "N4", texts::kExitItem), &QAction::triggered, this, &QWidget::close);
}

void TMainForm::BuildNewObjectMenu() {
  QMenu* menu = menuBar()->addMenu(Text(texts::kNewObjectMenu));
  std::array<QMenu*, kCommandGroupCount> submenus{};
  for (const auto& group : command_table::kGroups) {
    submenus[static_cast<std::size_t>(group.group)] = menu->addMenu(Caption(group.menuCaption));
  }
  for (const CommandInfo& c : kCommands) {
    QAction* item = submenus[static_cast<std::size_t>(c.group)]->addAction(Caption(c.menuCaption));
    const int code = Number(c.code);
    item->setObjectName(QStringLiteral("NewObject%1").arg(code));
    item->setData(code);
    const Command command = c.command;
    connect(item, &QAction::triggered, this, [this, command] { editor_->StartCreation(command); });
    commandItems_[static_cast<std::size_t>(command)] = item;
  }
}

void TMainForm::BuildObjectsMenu() {
  QMenu* menu = menuBar()->addMenu(Text(texts::kObjectsMenu));
  // The keys reach the editor as keys (Ctrl+Z means "cancel" in a
  // construction), so the shortcuts only label the items.
  undoItem_ = AddItem(menu, "UndoItem", texts::kUndoItem);
  undoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undoItem_->setShortcutContext(Qt::WidgetShortcut);
  connect(undoItem_, &QAction::triggered, this, [this] { editor_->Undo(); });
  redoItem_ = AddItem(menu, "RedoItem", texts::kRedoItem);
  redoItem_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  redoItem_->setShortcutContext(Qt::WidgetShortcut);
  connect(redoItem_, &QAction::triggered, this, [this] { editor_->Redo(); });
  connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateHistoryItems);
  UpdateHistoryItems();
  menu->addSeparator();
  showAllItem_ = AddItem(menu, "N17", texts::kShowAllItem);
  showAllItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  showAllItem_->setCheckable(true);
  connect(showAllItem_, &QAction::triggered, this, [this] {
    editor_->ToggleShowAll();
    showAllItem_->setChecked(editor_->ShowAll());
  });
  connect(AddItem(menu, "N21", texts::kObjectListItem), &QAction::triggered, this,
          &TMainForm::N21Click);
  QAction* remove = AddItem(menu, "N19", texts::kDeleteObjectItem);
  remove->setShortcut(QKeySequence(Qt::Key_Delete));
  connect(remove, &QAction::triggered, this, [this] { editor_->DeleteSelected(); });
  QAction* properties = AddItem(menu, "N20", texts::kObjectPropertiesItem);
  properties->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(properties, &QAction::triggered, this, &TMainForm::N20Click);
}

void TMainForm::BuildViewMenu() {
  QMenu* view = menuBar()->addMenu(Text(texts::kViewMenu));
  objectBarItem_ = AddItem(view, "N59", texts::kObjectBarItem);
  objectBarItem_->setCheckable(true);
  connect(objectBarItem_, &QAction::triggered, this, &TMainForm::ToggleObjectBar);
  pictureBarItem_ = AddItem(view, "N60", texts::kPictureBarItem);
  pictureBarItem_->setCheckable(true);
  connect(pictureBarItem_, &QAction::triggered, this, &TMainForm::TogglePictureBar);
}

void TMainForm::BuildOptionsMenu() {
  QMenu* menu = menuBar()->addMenu(Text(texts::kOptionsMenu));
  connect(AddItem(menu, "N22", texts::kGeneralOptionsItem), &QAction::triggered, this,
          [this] { OpenOptions(OptionsPage::kGeneral); });
  connect(AddItem(menu, "N23", texts::kDefaultOptionsItem), &QAction::triggered, this,
          [this] { OpenOptions(OptionsPage::kDefaults); });
  menu->addSeparator();
  QAction* labelControl = AddItem(menu, "N55", texts::kLabelControlItem);
  labelControl->setCheckable(true);
  labelControl->setChecked(editor_->LabelControl());
  connect(labelControl, &QAction::triggered, this, [this, labelControl] {
    editor_->ToggleLabelControl();
    labelControl->setChecked(editor_->LabelControl());
  });
}

void TMainForm::BuildHelpMenu() {
  QMenu* menu = menuBar()->addMenu(Text(texts::kHelpMenu));
  hintWindowItem_ = AddItem(menu, "N53", texts::kHintWindowItem);
  hintWindowItem_->setCheckable(true);
  connect(hintWindowItem_, &QAction::triggered, this, &TMainForm::ToggleHintWindow);
  connect(AddItem(menu, "N25", texts::kContentsItem), &QAction::triggered, this,
          [this] { zelmora::OpenHelpPage(Context(), Text(texts::kContentsPage)); });
  connect(AddItem(menu, "N61", texts::kKeysItem), &QAction::triggered, this,
          [this] { zelmora::OpenHelpPage(Context(), Text(texts::kKeysPage)); });
  menu->addSeparator();
  connect(AddItem(menu, "N26", texts::kAboutItem), &QAction::triggered, this,
          [this] { RunAboutBox(this, Context()); });
  menu->addSeparator();
  connect(AddItem(menu, "N66", texts::kSiteItem), &QAction::triggered, this,
          [this] { OpenLink(links::kSiteUrl); });
  connect(AddItem(menu, "N67", texts::kMailItem), &QAction::triggered, this,
          [this] { OpenLink(links::kMailUrl); });
  connect(AddItem(menu, "N68", texts::kForumItem), &QAction::triggered, this,
          [this] { OpenLink(links::kForumUrl); });
}

void TMainForm::UpdateHistoryItems() {
  const History& history = editor_->ActionHistory();
  auto show = [](QAction* item, const char* caption, bool can, const std::string& name) {
    item->setEnabled(can);
    item->setText(can ? Text(caption) + QStringLiteral(": ") + QString::fromStdString(name)
                      : Text(caption));
  };
  show(undoItem_, texts::kUndoItem, history.CanUndo(), history.UndoName());
  show(redoItem_, texts::kRedoItem, history.CanRedo(), history.RedoName());
}

// A changed author or comment is a change to the document: it is a step of
// the history and sets the modified mark, so the close question asks.
void TMainForm::ShowFileProperties() {
  TFilePropertiesForm form(this, Context(), session_->Info());
  prompts_.RunDialog(form);
  editor_->CommitAction(texts::kFilePropertiesAction);
}

// The status panel names the object, so a new name shows there at once.
void TMainForm::N20Click() {
  const int index = editor_->Selected();
  if (RunPropertiesDialog(this, editor_->Objects(), index, Context()) == ApplyResult::kChanged) {
    editor_->CommitAction(texts::kPropertiesAction + editor_->Objects()[index].Name);
    editor_->ObjectSelect(index);
  }
  editor_->Repaint();
}

void TMainForm::N21Click() {
  TSpisokForm form(this, Context(), editor_->Objects(),
                   {glyphs_.Glyph(1, 0), glyphs_.Glyph(1, kBackgroundColorIndex)});
  prompts_.RunDialog(form);
  if (const std::optional<int> chosen = form.ChosenObject()) {
    editor_->ObjectSelect(*chosen);
    editor_->Repaint();
  }
}

void TMainForm::ToggleHintWindow() {
  helpForm_->setVisible(helpForm_->isHidden());
  hintWindowItem_->setChecked(!helpForm_->isHidden());
}

void TMainForm::OpenLink(const char* address) {
  if (!prompts_.OpenUrl(QUrl(Text(address)))) {
    prompts_.Inform(this, Text(window_texts::kAboutLinkFailed));
  }
}

}  // namespace zelmora
