#include "mainwindow/macro_menu.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "dialogs/macro_dialogs.h"
#include "document/macro_file.h"
#include "document/text_table.h"

namespace zelmora {
namespace {

constexpr const char* kAddItem = "Добавить макрос";
constexpr const char* kSetUpItem = "Настройка меню";
constexpr int kFixedItems = 3;

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

MacroMenu::MacroMenu(Parts parts, std::optional<MacroList>& list)
    : parts_(std::move(parts)), list_(list) {
  QAction* add = parts_.menu->addAction(Utf8(kAddItem));
  add->setObjectName(QStringLiteral("N33"));
  connect(add, &QAction::triggered, this, &MacroMenu::AddMacro);
  QAction* setUp = parts_.menu->addAction(Utf8(kSetUpItem));
  setUp->setObjectName(QStringLiteral("N34"));
  connect(setUp, &QAction::triggered, this, &MacroMenu::SetUpMenu);
  separator_ = parts_.menu->addSeparator();
  InitialMacroMenu();
}

void MacroMenu::SetOffered(std::function<bool(const std::string& path)> offered) {
  offered_ = std::move(offered);
  InitialMacroMenu();
}

QString MacroMenu::MacrosFolder() const {
  return ProgramSubfolder(parts_.context().UserFolder(), QStringLiteral("Macros"));
}

void MacroMenu::InitialMacroMenu() {
  const QList<QAction*> items = parts_.menu->actions();
  for (qsizetype i = kFixedItems; i < items.size(); ++i) {
    parts_.menu->removeAction(items[i]);
    delete items[i];
  }
  const MacroList empty;
  const MacroList& list = list_ ? *list_ : empty;
  separator_->setVisible(!list.empty());
  for (std::size_t i = 0; i < list.size(); ++i) {
    QAction* item = parts_.menu->addAction(QString::fromStdString(list[i].caption));
    item->setObjectName(QStringLiteral("Macro%1").arg(i));
    item->setEnabled(!offered_ || offered_(list[i].path));
    connect(item, &QAction::triggered, this, [this, i] { ChooseMacro(static_cast<int>(i)); });
  }
}

void MacroMenu::AddMacro() {
  const std::optional<QString> path =
      parts_.prompts->AskMacroPath(parts_.window, MacrosFolder(), false);
  if (path) AddToMenu(*path, false);
}

void MacroMenu::OfferMacroFile(const QString& path) {
  AddToMenu(path, true);
}

// A copy beside the user's macros, never over one of them.
std::optional<QString> MacroMenu::CopyIntoMacrosFolder(const QString& path) const {
  const QDir folder(MacrosFolder());
  const QFileInfo source(path);
  if (QFileInfo(folder.path()).canonicalFilePath() == source.canonicalPath()) return path;
  if (!folder.mkpath(QStringLiteral("."))) return std::nullopt;
  QString target = folder.filePath(source.fileName());
  for (int n = 2; QFileInfo::exists(target); ++n) {
    target = folder.filePath(
        QStringLiteral("%1 (%2).%3").arg(source.completeBaseName()).arg(n).arg(source.suffix()));
  }
  if (!QFile::copy(path, target)) return std::nullopt;
  return target;
}

void MacroMenu::AddToMenu(const QString& chosen, bool copy) {
  QString path = chosen;
  const auto bytes = ReadMacroFileBytes(LocalPath(path));
  const MacroRead read = bytes ? ReadMacroHeader(*bytes) : MacroRead{};
  if (!read.header) {
    parts_.context().ShowError(kErrorMacroFileUnreadable);
    return;
  }
  TMNameForm form(parts_.window, parts_.context(), QString::fromStdString(read.header->name));
  parts_.prompts->RunDialog(form);
  if (!form.Name()) return;
  if (copy) {
    const std::optional<QString> copied = CopyIntoMacrosFolder(path);
    if (!copied) {
      parts_.context().ShowError(kErrorMacroFileUnreadable);
      return;
    }
    path = *copied;
  }
  const MacroEntry entry{form.Name()->toStdString(), LocalPath(path)};
  if (!IsStorableMacroEntry(entry)) return;
  if (!list_) list_.emplace();
  list_->push_back(entry);
  InitialMacroMenu();
}

void MacroMenu::SetUpMenu() {
  if (!list_) list_.emplace();
  TMacroMenuForm form(parts_.window, parts_.context(), *list_);
  parts_.prompts->RunDialog(form);
  InitialMacroMenu();
}

void MacroMenu::ChooseMacro(int entry) {
  if (!list_ || entry < 0 || entry >= static_cast<int>(list_->size())) return;
  parts_.editor->StartMacroApplication((*list_)[static_cast<std::size_t>(entry)].path);
}

std::optional<std::string> MacroMenu::AskArgumentHint(int kind) {
  TMHelpForm form(parts_.window, parts_.context(), kind);
  parts_.prompts->RunDialog(form);
  if (!form.Hint()) return std::nullopt;
  return form.Hint()->toStdString();
}

bool MacroMenu::AskYesNo(const std::string& title, const std::string& question) {
  return parts_.prompts->AskYesNo(parts_.window, QString::fromStdString(title),
                                  QString::fromStdString(question));
}

std::optional<std::string> MacroMenu::AskMacroPath() {
  const std::optional<QString> path =
      parts_.prompts->AskMacroPath(parts_.window, MacrosFolder(), true);
  if (!path) return std::nullopt;
  return LocalPath(*path);
}

std::string MacroMenu::AskMacroName(const std::string& proposed) {
  QWidget* owner = parts_.nameOwner ? parts_.nameOwner() : parts_.window;
  TMNameForm form(owner, parts_.context(), QString::fromStdString(proposed));
  parts_.prompts->RunDialog(form);
  return form.Name() ? form.Name()->toStdString() : proposed;
}

void MacroMenu::ShowSelectionPanel(int mode) {
  PreparePanels(static_cast<PanelMode>(mode), *parts_.statusBar, *parts_.panel);
}

void MacroMenu::ReportFailure(const std::string& text) {
  parts_.prompts->Inform(parts_.window, QString::fromStdString(text));
}

}  // namespace zelmora
