#pragma once

#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

#include "document/document_file.h"
#include "document/image_pack.h"
#include "document/settings.h"
#include "interaction/editor.h"
#include "interaction/file_construction_tables.h"
#include "mainwindow/cursors.h"
#include "mainwindow/point_glyph_table.h"
#include "mainwindow/qt_canvas.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;

namespace zelmora {

class ShadowLabel;
class TZMPaintBox;

inline constexpr char kCommandLineFileMissing[] = "Файл не найден. Проверьте правильность пути.";

struct MainFormOptions {
  // Where the data files, the help pages and the drawings live.
  QString programFolder;
  Settings settings;
  // Left empty, these open windows of their own: a message box for error
  // number n or a plain message, the desktop's viewer for a help page.
  // Tests answer them instead.
  std::function<void(int number)> showError;
  std::function<void(const QString& text)> showMessage;
  std::function<bool(const QUrl& url)> openUrl;
};

// The main window: tool bars, the drawing surface and the status bar around
// the editor. It turns Qt's events into editor calls and paints what the
// editor draws; the decisions are all the editor's.
class TMainForm : public QMainWindow, public EditorView {
  Q_OBJECT

 public:
  // nullptr when the image pack is missing or damaged: the program cannot
  // draw a point without it.
  static std::unique_ptr<TMainForm> Create(MainFormOptions options);
  ~TMainForm() override;

  Editor& editor() { return *editor_; }
  // Opens a drawing named on the command line.
  bool OpenDocument(const QString& path);

  TZMPaintBox* PlaneBox() const { return planeBox_; }
  // The off-screen picture, as the surface shows it.
  const QImage& Picture() { return canvas_.Image(); }
  const std::string& Prompt() const { return prompt_; }
  QMenu* ObjectPopupMenu() const { return objectPM_; }

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
  void ShowError(int number) override;
  std::optional<int> AskNewObjectMethod(NewObjectKind kind) override;
  std::optional<double> AskParameter(int method) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TMainForm(MainFormOptions options, const ImagePack& pack, PointGlyphTable glyphs);
  void BuildMenus();
  QFrame* BuildObjectBar(const ImagePack& pack);
  QFrame* BuildPictureBar(const ImagePack& pack);
  QFrame* BuildMainPanel();
  QFrame* BuildStatusBar();
  void ConnectSurface();
  void SizesChanged();
  void ZoomTick();
  void ToggleObjectBar();
  void TogglePictureBar();
  void ShowMessage(const QString& text);

  MainFormOptions options_;
  PointGlyphTable glyphs_;
  QImageCanvas canvas_;
  SurfaceCursors cursors_;
  FileConstructionTables tables_;
  std::unique_ptr<Editor> editor_;
  DocumentInfo documentInfo_;
  std::string prompt_;
  bool dragCursorShown_ = false;

  QTimer blinkTimer_;
  QTimer zoomTimer_;
  QFrame* objectBar_ = nullptr;   // SpeedBar1
  QFrame* pictureBar_ = nullptr;  // SpeedBar3
  TZMPaintBox* planeBox_ = nullptr;
  ShadowLabel* helpLabel_ = nullptr;
  QLabel* objectLabel_ = nullptr;
  QLabel* xLabel_ = nullptr;
  QLabel* yLabel_ = nullptr;
  QMenu* objectPM_ = nullptr;
  QAction* objectBarItem_ = nullptr;   // N59
  QAction* pictureBarItem_ = nullptr;  // N60
  std::vector<std::pair<InteractionState, QToolButton*>> modeButtons_;
};

}  // namespace zelmora
