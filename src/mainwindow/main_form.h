#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>

#include "dialogs/dialog_look.h"
#include "dialogs/options_form.h"
#include "document/macro_list.h"
#include "document/settings.h"
#include "interaction/document_session.h"
#include "interaction/editor.h"
#include "interaction/file_construction_tables.h"
#include "mainwindow/cursors.h"
#include "mainwindow/lesson_menu.h"
#include "mainwindow/macro_menu.h"
#include "mainwindow/selection_panel.h"
#include "mainwindow/user_prompts.h"
#include "render/picture_export.h"
#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;

class QDragEnterEvent;
class QDropEvent;

namespace zelmora {

class ShadowTextLabel;
class THelpForm;
class TProtocolForm;
class TZMPaintBox;

struct MainFormOptions {
  // The executable's folder: data files, help pages, shipped examples.
  QString programFolder;
  // Where the macro list and the Saves/ and Macros/ folders live: the user's
  // own data folder when the program folder is not writable. Empty: the
  // program folder.
  QString userFolder;
  // Where Open and Save start; empty: Saves/ of the user's folder.
  QString drawingsFolder;
  // The user's settings; null: the user's own store. Tests give a store of
  // their own. It must outlive the window.
  SettingsStore* store = nullptr;
  // Every question, message, file dialog and modal dialog of the window;
  // null: Qt's own windows. It must outlive the window.
  UserPrompts* prompts = nullptr;
  // The document named on the command line; empty when there is none.
  QString commandLineFile;
};

// The main window: menus, tool bars, the drawing surface, the status bar and
// the floating hint window around the editor. It turns Qt's events into
// editor and document commands and paints what the editor draws; the
// decisions are the editor's and the document session's.
class TMainForm : public QMainWindow, public EditorView, public DocumentView, public ExportView {
  Q_OBJECT

 public:
  // Reads the settings (writing the defaults of missing values) and the image
  // pack. nullptr when the pack is missing or damaged: the user has been told
  // and the program cannot draw a point without it.
  static std::unique_ptr<TMainForm> Create(MainFormOptions options);
  ~TMainForm() override;

  Editor& editor() { return *editor_; }
  DocumentSession& Session() { return *session_; }
  const Settings& CurrentSettings() const { return settings_; }
  int BlinkInterval() const { return blinkTimer_.interval(); }
  THelpForm* HintWindow() const { return helpForm_; }
  // A menu command by its item name (e.g. "FreeZM", "N17"); nullptr if none.
  QAction* MenuItem(const QString& name) const;

  TZMPaintBox* PlaneBox() const { return planeBox_; }
  // The off-screen picture, as the surface shows it.
  const QImage& Picture() { return canvas_.Image(); }
  QImageCanvas& ImageCanvas() { return canvas_; }
  const std::string& Prompt() const { return prompt_; }
  QMenu* ObjectPopupMenu() const { return objectPM_; }
  SelectionPanel* SelectionBar() const { return selectionPanel_; }
  QFrame* StatusBar() const { return statusBar_; }
  MacroMenu& Macros() { return *macroMenu_; }
  LessonMenu& Lessons() { return *lessonMenu_; }

  // EditorView
  Canvas& PictureCanvas() override { return canvas_; }
  void Present() override;
  void SetPrompt(const std::string& text) override;
  void SetHelpLabel(const std::string& text) override;
  void SetObjectLabel(const std::string& text) override;
  void SetCoordinates(const std::string& x, const std::string& y) override;
  void SetSurfaceCursor(CursorShape cursor) override;
  void SetDragCursor(CursorShape cursor) override;
  void MoveCursorTo(int x, int y) override;
  void SetBlinkTimer(bool running) override;
  void StartZoomLoop() override;
  void ShowModeButton(InteractionState mode) override;
  void ShowPopupMenu(int x, int y, const std::vector<PopupItem>& items) override;
  void OpenHelpPage(const std::string& page) override;
  // Both the editor's and the document's errors.
  void ShowError(int number) override;
  std::optional<Command> AskNewObjectMethod(CommandGroup group, const CommandSet& enabled) override;
  std::optional<double> AskParameter(ParameterKind kind) override;
  void ShowEnabledCommands(const CommandSet& enabled) override;
  std::optional<TextProperties> AskNewText() override;

  // DocumentView
  Answer Ask(const std::string& question) override;
  std::optional<std::string> AskOpenPath() override;
  std::optional<std::string> AskSavePath() override;
  void ShowSaveFailed(const std::string& message) override;
  void SetCaption(const std::string& caption) override;
  void ShowRecentFiles(const RecentCaptions& captions) override;
  void FileUsed(const std::string& path) override;
  void BeforeSave() override;

  // ExportView (export_and_print.cpp)
  void ShowExportPanel(bool shown) override;
  void SetExportPrompt(const std::string& text) override;
  std::optional<std::string> AskExportPath() override;
  std::string WriteExport(const std::string& path, PixelRect area) override;
  void ShowExportFailed(const std::string& path, const std::string& error) override;

  // "Печать…": the whole surface on one page, through a preview.
  void PrintDrawing();
  // The drawing, or the rectangle chosen in the export, on the clipboard
  // as PNG and SVG.
  void CopyPicture();
  // What the vector pictures and the printer paint.
  DrawingSource Source();
  // The drawing painted afresh, one pixel a unit, as files and the clipboard take it.
  QImage FreshPicture();

  // "Протокол построения" (protocol_window.cpp): the window beside the
  // drawing, its printout and its page. nullptr until first opened.
  void ShowProtocol();
  TProtocolForm* ProtocolWindow() const { return protocolForm_.get(); }
  void PrintProtocol();
  void SaveProtocolHtml();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // A file dropped on the window opens as on the command line.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TMainForm(MainFormOptions options, std::unique_ptr<SettingsStore> ownStore,
            std::unique_ptr<UserPrompts> ownPrompts, Settings settings, PointGlyphTable glyphs);

  // Layout (main_form.cpp).
  QWidget* BuildCentralWidget();
  void ConnectTimers();
  void BuildMacroMenu();
  void BuildLessonMenu();
  QFrame* BuildObjectBar();
  void AddGroupButton(const command_table::GroupInfo& group, QRect place);
  QFrame* BuildPictureBar();
  QFrame* BuildMainPanel();
  QFrame* BuildStatusBar();
  QFrame* BuildObjectPanel();
  QFrame* BuildPositionPanel();
  void ConnectSurface();
  void SizesChanged();
  void ZoomTick();
  void ToggleObjectBar();
  void TogglePictureBar();

  // Menus (main_menu.cpp).
  void BuildMenus();
  void BuildFileMenu();
  void BuildNewObjectMenu();
  void BuildObjectsMenu();
  // The undo and redo items name the step they take and are off without one.
  void UpdateHistoryItems();
  void BuildViewMenu();
  void BuildOptionsMenu();
  void BuildHelpMenu();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption);
  void ShowFileProperties();
  void N20Click();  // "Свойства объекта"
  void N21Click();  // "Список объектов"
  void ToggleHintWindow();
  void OpenLink(const char* address);

  // Settings, start and close (start_and_close.cpp).
  void FormShow();
  // A task opens as a lesson, a macro is offered for the Macros menu (it is
  // no drawing), anything else opens as a drawing.
  void OpenGivenFile(const QString& path);
  void FormActivate();
  void SaveAtClose();
  void OpenOptions(OptionsPage page);
  void ApplySettings();
  DialogContext Context();

  MainFormOptions options_;
  std::unique_ptr<SettingsStore> ownStore_;
  std::unique_ptr<UserPrompts> ownPrompts_;
  SettingsStore& store_;
  UserPrompts& prompts_;
  Settings settings_;
  PointGlyphTable glyphs_;
  QImageCanvas canvas_;
  SurfaceCursors cursors_;
  FileConstructionTables tables_;
  std::unique_ptr<Editor> editor_;
  std::unique_ptr<DocumentSession> session_;
  // nullopt when the list file exists but cannot be read: it is then not
  // written over at close.
  std::optional<MacroList> macros_;
  std::string prompt_;
  bool dragCursorShown_ = false;
  bool shown_ = false;
  bool activated_ = false;
  bool closed_ = false;

  QTimer blinkTimer_;
  QTimer zoomTimer_;
  THelpForm* helpForm_ = nullptr;
  QFrame* objectBar_ = nullptr;   // SpeedBar1
  QFrame* pictureBar_ = nullptr;  // SpeedBar3
  TZMPaintBox* planeBox_ = nullptr;
  ShadowTextLabel* helpLabel_ = nullptr;
  QLabel* objectLabel_ = nullptr;
  QLabel* xLabel_ = nullptr;
  QLabel* yLabel_ = nullptr;
  QFrame* statusBar_ = nullptr;               // SpeedBar2
  SelectionPanel* selectionPanel_ = nullptr;  // SpeedBar4
  QString exportFolder_;
  QMenu* macrosMenu_ = nullptr;  // N30
  std::unique_ptr<MacroMenu> macroMenu_;
  QMenu* lessonsMenu_ = nullptr;
  std::unique_ptr<LessonMenu> lessonMenu_;
  QMenu* objectPM_ = nullptr;
  QAction* objectBarItem_ = nullptr;   // N59
  QAction* pictureBarItem_ = nullptr;  // N60
  QAction* showAllItem_ = nullptr;     // N17
  QAction* undoItem_ = nullptr;
  QAction* redoItem_ = nullptr;
  QAction* hintWindowItem_ = nullptr;  // N53
  std::array<QAction*, kRecentEntries> recentItems_{};
  QAction* recentSeparator_ = nullptr;
  std::vector<std::pair<InteractionState, QToolButton*>> modeButtons_;
  // Last, so it goes before the editor it shows.
  std::unique_ptr<TProtocolForm> protocolForm_;
  void SaveProtocolPlacement();
  QString DocumentTitle() const;
  std::array<QAction*, kCommandCount> commandItems_{};               // "NewObject" + code
  std::array<QToolButton*, kCommandGroupCount> newObjectButtons_{};  // a dialog per group
};

}  // namespace zelmora
