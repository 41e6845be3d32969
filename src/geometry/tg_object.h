#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/canvas.h"
#include "geometry/method_code.h"
#include "geometry/palette.h"

namespace zelmora {

// Kind codes, as documents, macros and the window know them.
enum ObjectKind : int {
  kNoKind = 0,
  kPointKind = 1,
  kLineKind = 2,
  kCircleKind = 3,
  kAngleKind = 4,
  kLengthKind = 5,
  kMeasureKind = 6,  // only in files of version 2.1
  kTextKind = 7
};

// What drawing needs from the owner of the model.
struct DrawContext {
  bool showAll = false;  // draw objects whose MustDraw is off as well
  // The main window's outer size: a full line is drawn across all of it.
  int windowWidth = 0;
  int windowHeight = 0;
  // Measurements shown in centimetres: the user's scale (96 dpi unless set).
  double pixelsPerCentimetre = 96 / 2.54;
};

// The frame of a running whole-drawing transform.
struct TransformFrame {
  double anchorX = 0, anchorY = 0;  // mouse position where the transform began
  double centerX = 0, centerY = 0;  // centre of the drawing surface: the rotation centre
};

// The window's side of a refused label move: the mouse cursor goes back to
// where the label move last stood.
class ChangeLog;

class CursorPlacer {
 public:
  virtual ~CursorPlacer() = default;
  virtual void PutCursorAt(double planeX, double planeY) = 0;
};

// How far a label may wander from its object while label control is on.
inline constexpr double kLabelLimit = 25;

struct LabelMoveContext {
  bool labelControl = true;  // a label may not wander kLabelLimit or more from its object
  CursorPlacer* cursor = nullptr;
};

// Every object on the plane. The object list owns the objects; the three
// lists below only point at other objects of the same list.
class TGObject {
 public:
  virtual ~TGObject() = default;
  TGObject(const TGObject&) = delete;
  TGObject& operator=(const TGObject&) = delete;

  virtual int Kind() const { return kNoKind; }

  // The operation table. Every class keeps this order and meaning.
  virtual void Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) {}
  virtual double DistanceTo(double x, double y) const { return 1000.0; }
  virtual void Recompute() {}
  // The object's own move under a dragging or shifting mouse; what is built
  // on it is left for the caller to update (DragTo, ShiftTo, DragSession).
  virtual void DragPosition(int x, int y) {}
  virtual void ShiftPosition(int x, int y) {}
  virtual void ScaleAbout(int cx, int cy, double factor) {}
  virtual void TranslateSaved(int x, int y, const TransformFrame& frame) {}
  virtual void RotateSaved(int x, int y, const TransformFrame& frame) {}
  virtual void ReflectInPoint(double x, double y) {}
  virtual void ReflectInLine(double x1, double y1, double x2, double y2) {}
  virtual void SavePosition() {}
  virtual double LabelX() const { return 0.0; }
  virtual double LabelY() const { return 0.0; }
  virtual void MoveLabel(int x, int y, const LabelMoveContext& context) {}
  virtual void RebuildIncident() {}

  // Visible at all: MustDraw (or ShowAll), defined and not an auxiliary object.
  bool IsShown(bool showAll) const { return (MustDraw || showAll) && Defined && !Hidden; }

  // Parent `i` as a `T`, or nullptr when it is missing or of another kind, so
  // a broken graph makes an object undefined instead of misreading memory.
  template <class T>
  T* ParentAs(std::size_t i) const {
    if (i >= Parents.size() || Parents[i] == nullptr || Parents[i]->Kind() != T::kKind) {
      return nullptr;
    }
    return static_cast<T*>(Parents[i]);
  }

  // A drag or shift step that also updates every object built on this one.
  void DragTo(int x, int y);
  void ShiftTo(int x, int y);

  bool HasChild(const TGObject* object) const;

  // Position in the object list; kept up to date by ObjectList.
  int Index() const { return index_; }

  std::string Name;  // UTF-8, at most 12 characters
  zelmora::Color Color = kBlack;
  int PenStyle = 0;  // 0..4, see zelmora::PenStyle
  std::int32_t Width = 1;
  std::int32_t Mark = 0;
  bool NameVisible = false;
  bool MustDraw = false;
  bool Defined = true;
  bool Hidden = false;
  bool MacroMark = false;
  double SavedX = 0, SavedY = 0;
  double LabelOffsetX = 0, LabelOffsetY = 0;
  MethodCode Method{};
  std::vector<TGObject*> Parents;
  std::vector<TGObject*> Children;
  std::vector<TGObject*> Incident;

 protected:
  TGObject() = default;

  // Pen and font colour of this drawing pass.
  zelmora::Color DrawColor(bool selected, bool blink) const;
  // Writes the name at the label position in the current font colour.
  void DrawLabel(Canvas& canvas) const;

 private:
  friend class ObjectList;
  friend class GraphWalker;
  friend class ChangeLog;
  friend class DragSession;
  int index_ = -1;
  std::uint64_t visitStamp_ = 0;  // traversal bookkeeping of GraphWalker
  // Bookkeeping of the change log of the list that holds the object: the
  // action in which each part of the object was last recorded, and its index
  // when the last action was recorded (-1 while it is new).
  ChangeLog* log_ = nullptr;
  std::uint64_t placingStamp_ = 0, styleStamp_ = 0, linksStamp_ = 0;
  int committedIndex_ = -1;
};

}  // namespace zelmora
