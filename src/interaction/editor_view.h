#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/canvas.h"
#include "interaction/annotation_properties.h"
#include "interaction/command_table.h"
#include "interaction/interaction_state.h"

namespace zelmora {

enum class CursorShape {
  Default,
  HandPoint,
  Cross,     // "CURSOR_1"
  Zoom,      // "CURSOR_2"
  Movable,   // "CURSOR_4": an object that can be dragged, a drawing that pans
  Dragging,  // "CURSOR_5": an object being dragged
};

struct PopupItem {
  std::string caption;
  int tag = -1;  // object index
};

// What the editor asks of its window, in small ports so that a new read-out
// or question touches one of them. The main window implements them all;
// tests implement them with a fake and answer the questions in advance.

// The off-screen picture and its showing.
class PicturePort {
 public:
  virtual ~PicturePort() = default;
  // The off-screen picture the drawing is painted on; also measures labels.
  virtual Canvas& PictureCanvas() = 0;
  // Copies the off-screen picture to the screen.
  virtual void Present() = 0;
};

// The prompt and the texts of the status bar.
class StatusPort {
 public:
  virtual ~StatusPort() = default;
  virtual void SetPrompt(const std::string& text) = 0;
  virtual void SetHelpLabel(const std::string& text) = 0;
  virtual void SetObjectLabel(const std::string& text) = 0;
  virtual void SetCoordinates(const std::string& x, const std::string& y) = 0;
};

// The mouse cursor over the drawing surface.
class CursorPort {
 public:
  virtual ~CursorPort() = default;
  virtual void SetSurfaceCursor(CursorShape cursor) = 0;
  // The cursor shown while the mouse is captured by a drag.
  virtual void SetDragCursor(CursorShape cursor) = 0;
  // Puts the screen cursor on a surface position.
  virtual void MoveCursorTo(int x, int y) = 0;
};

// The blink timer, the zoom loop and their clock.
class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void SetBlinkTimer(bool running) = 0;
  // Calls Editor::ZoomStep repeatedly, each after pending input is handled,
  // until it returns false.
  virtual void StartZoomLoop() = 0;
  // A clock that only goes forward, in milliseconds; it paces the zoom loop.
  virtual long long MonotonicMilliseconds();
};

// What the tool bars and menus show of the editor's state.
class ToolsPort {
 public:
  virtual ~ToolsPort() = default;
  // The picture tool bar: `mode` down and the others up, or all up for Normal.
  virtual void ShowModeButton(InteractionState mode) = 0;
  // The commands a user may give now: the menus, the tool bar and the
  // dialogs offer only these.
  virtual void ShowEnabledCommands(const CommandSet& enabled) {}
};

// The popup menu of the objects under the mouse.
class PopupPort {
 public:
  virtual ~PopupPort() = default;
  virtual void ShowPopupMenu(int x, int y, const std::vector<PopupItem>& items) = 0;
};

// Help pages, error messages and the questions that need a dialog.
class DialogPort {
 public:
  virtual ~DialogPort() = default;
  // Opens a help page, named relative to the program folder.
  virtual void OpenHelpPage(const std::string& page) = 0;
  virtual void ShowError(int number) = 0;
  // The new-object dialog of a group, offering the `enabled` commands; the
  // chosen command, or nothing.
  virtual std::optional<Command> AskNewObjectMethod(CommandGroup group,
                                                    const CommandSet& enabled) = 0;
  // The parameter dialog; the value, or nothing when cancelled.
  virtual std::optional<double> AskParameter(ParameterKind kind) = 0;
  // The lines, colour and size of a new text; nothing when the user cancels.
  virtual std::optional<TextProperties> AskNewText() { return std::nullopt; }
};

// All the ports together: the editor's window.
class EditorView : public PicturePort,
                   public StatusPort,
                   public CursorPort,
                   public TimerPort,
                   public ToolsPort,
                   public PopupPort,
                   public DialogPort {};

// The construction tables a creation reads. The program reads the data files;
// tests may use the same files or a fake.
class ConstructionTables {
 public:
  virtual ~ConstructionTables() = default;
  // Kind demanded at `step` (1-based), or the number of steps for step 0; 0 if unknown.
  virtual int StepKind(MethodCode method, int step) = 0;
  // The prompt of a step (0: the method's title); nothing if the table cannot be read.
  virtual std::optional<std::string> MethodText(MethodCode method, int step) = 0;
};

}  // namespace zelmora
