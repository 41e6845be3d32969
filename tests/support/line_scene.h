#pragma once

#include <vector>

#include "geometry/construction_method.h"
#include "geometry/object_list.h"
#include "geometry/tg_object.h"

namespace zelmora::testing {

// A drawing built the way the creation sequence builds one: free parents
// placed first, constructed objects linked to them and computed.
struct LineScene {
  ObjectList list;

  TGPoint& Point(double x, double y) {
    TGPoint& p = list.AddPoint();
    p.X = x;
    p.Y = y;
    list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
    return p;
  }
  TGPoint& UndefinedPoint() {
    TGPoint& p = Point(7, 7);
    p.Defined = false;
    return p;
  }
  TGLine& FreeLine(double x1, double y1, double x2, double y2) {
    TGLine& l = list.AddLine();
    list.Complete(l, {}, CodeOf(ConstructionMethod::FreeLine));
    l.X1 = x1;
    l.Y1 = y1;
    l.X2 = x2;
    l.Y2 = y2;
    return l;
  }
  TGCircle& FreeCircle(double cx, double cy, double r) {
    TGCircle& c = list.AddCircle();
    list.Complete(c, {}, CodeOf(ConstructionMethod::FreeCircle));
    c.CX = cx;
    c.CY = cy;
    c.R = r;
    return c;
  }
  TGAngle& Angle(double degrees) {
    TGAngle& a = list.AddAngle();
    a.Value = degrees;
    return a;
  }
  // Built objects are named by the codes files store.
  TGLine& Line(int method, const std::vector<TGObject*>& parents) {
    TGLine& l = list.AddLine();
    list.Complete(l, parents, MethodCode{method});
    return l;
  }
  TGCircle& Circle(int method, const std::vector<TGObject*>& parents) {
    TGCircle& c = list.AddCircle();
    list.Complete(c, parents, MethodCode{method});
    return c;
  }
  // A point linked to `parents` with a given method, without its geometry
  // mattering: for incident-list checks.
  TGPoint& ChildPoint(int method, const std::vector<TGObject*>& parents) {
    TGPoint& p = list.AddPoint();
    list.Complete(p, parents, MethodCode{method});
    return p;
  }
};

// Remembers where a refused label move put the cursor back.
class CursorSpy : public CursorPlacer {
 public:
  void PutCursorAt(double x, double y) override {
    ++calls;
    lastX = x;
    lastY = y;
  }
  int calls = 0;
  double lastX = 0, lastY = 0;
};

}  // namespace zelmora::testing
