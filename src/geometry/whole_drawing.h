#pragma once

#include "geometry/object_list.h"

// Whole-drawing operations: every object in list order, with no recomputation
// from parents — all objects undergo the same similarity, so the picture stays
// consistent.
namespace zelmora {

void SaveAllPositions(ObjectList& list);
void ScaleAll(ObjectList& list, int cx, int cy, double factor);
void TranslateAll(ObjectList& list, int x, int y, const TransformFrame& frame);
void RotateAll(ObjectList& list, int x, int y, const TransformFrame& frame);
void ReflectAllInPoint(ObjectList& list, double x, double y);
void ReflectAllInLine(ObjectList& list, double x1, double y1, double x2, double y2);

}  // namespace zelmora
