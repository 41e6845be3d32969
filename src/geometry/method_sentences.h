#pragma once

#include <string_view>

#include "geometry/construction_method.h"

// How each construction reads in words, for the construction protocol. One
// pattern per method of the method table, in its order; "{1}", "{2}", ...
// stand for the parents in stored order (a name, or the value of a typed-in
// angle or length).
namespace zelmora {

struct MethodSentence {
  ConstructionMethod method;
  std::string_view pattern;
};

namespace method_sentences {
using M = ConstructionMethod;
// clang-format off
inline constexpr MethodSentence kSentences[] = {
  {M::FreePoint,                "Свободная точка"},
  {M::PointOnLine,              "Точка на прямой {1}"},
  {M::PointOnCircle,            "Точка на окружности {1}"},
  {M::LinesCrossing,            "Пересечение прямых {1} и {2}"},
  {M::LineCircleFirst,          "Пересечение прямой {1} и окружности {2} (первая точка)"},
  {M::LineCircleSecond,         "Пересечение прямой {1} и окружности {2} (вторая точка)"},
  {M::CirclesFirst,             "Пересечение окружностей {1} и {2} (первая точка)"},
  {M::CirclesSecond,            "Пересечение окружностей {1} и {2} (вторая точка)"},
  {M::Projection,               "Проекция точки {1} на прямую {2}"},
  {M::Midpoint,                 "Середина отрезка {1}{2}"},
  {M::PointAtDistance,          "Точка на луче {1}{2} на расстоянии {3} от {1}"},
  {M::CircleCentre,             "Центр окружности {1}"},
  {M::FreeLine,                 "Свободная прямая"},
  {M::LineThroughTwoPoints,     "Прямая через точки {1} и {2}"},
  {M::ParallelLine,             "Прямая через точку {1} параллельно прямой {2}"},
  {M::PerpendicularLine,        "Перпендикуляр из точки {1} к прямой {2}"},
  {M::PerpendicularBisector,    "Серединный перпендикуляр к отрезку {1}{2}"},
  {M::Segment,                  "Отрезок {1}{2}"},
  {M::LineAtAngleOfThreePoints, "Прямая через точку {1} под углом {3}{4}{5} к прямой {2}"},
  {M::LineAtConstantAngle,      "Прямая через точку {1} под углом {3} к прямой {2}"},
  {M::BisectorOfThreePoints,    "Биссектриса угла {1}{2}{3}"},
  {M::Ray,                      "Луч {1}{2}"},
  {M::BisectorOfTwoLines,       "Биссектриса угла между прямыми {1} и {2}"},
  {M::LineAtAngleOfTwoLines,    "Прямая через точку {1} под углом между прямыми {3} и {4} к прямой {2}"},
  {M::FreeCircle,               "Свободная окружность"},
  {M::CircleByCentreAndPoint,   "Окружность с центром {1}, проходящая через точку {2}"},
  {M::CircleByCentreAndRadius,  "Окружность с центром {1} и радиусом {2}{3}"},
  {M::CircleThroughThreePoints, "Окружность через точки {1}, {2} и {3}"},
};
// clang-format on

constexpr bool FollowsMethodTable() {
  if (std::size(kSentences) != kMethodCount) return false;
  for (std::size_t i = 0; i < kMethodCount; ++i) {
    if (kSentences[i].method != kMethods[i].method) return false;
  }
  return true;
}
static_assert(FollowsMethodTable(), "one sentence per method, in the method table's order");
}  // namespace method_sentences

inline constexpr std::string_view SentencePattern(const MethodInfo& method) {
  return method_sentences::kSentences[static_cast<std::size_t>(method.method)].pattern;
}

}  // namespace zelmora
