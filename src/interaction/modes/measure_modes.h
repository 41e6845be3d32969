#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "geometry/tg_measure.h"
#include "interaction/modes/editor_mode.h"

// Measuring by picks, and placing a text by a click.
namespace zelmora {

// A measuring command as menus and prompts show it.
struct MeasureCommand {
  Measurement what;
  const char* caption;
  std::array<const char*, 3> prompts;  // one per pick
};

// clang-format off
inline constexpr MeasureCommand kMeasureCommands[] = {
  {Measurement::Distance, "Расстояние между точками",
   {"Выберите первую точку", "Выберите вторую точку", ""}},
  {Measurement::Length, "Длина отрезка", {"Выберите отрезок", "", ""}},
  {Measurement::Radius, "Радиус окружности", {"Выберите окружность", "", ""}},
  {Measurement::Angle, "Угол по трём точкам",
   {"Выберите точку на первой стороне угла", "Выберите вершину угла",
    "Выберите точку на второй стороне угла"}},
  {Measurement::LinesAngle, "Угол между прямыми",
   {"Выберите первую прямую", "Выберите вторую прямую", ""}},
};
// clang-format on
inline constexpr const char* kMeasureMenuCaption = "Измерить";
inline constexpr const char* kTextCommandCaption = "Текст";
inline constexpr const char* kTextPrompt = "Щёлкните там, где должен начинаться текст";

const MeasureCommand* FindMeasureCommand(Measurement what);

// Picks the objects of one measurement in order; the last pick builds it and
// the same measurement starts over, until the user leaves.
class MeasureMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::PickMeasured; }
  void Start(Measurement what);
  void Enter() override;
  void LeftPress(Modifiers mods, int x, int y) override;
  void Hover(int x, int y) override;
  void Tick(bool blink) override;
  std::string HelpPage() const override;
  void Leave() override;
  const std::vector<int>& Picks() const { return picks_; }

 private:
  int ObjectFor(int x, int y) const;
  void Build();
  Measurement what_ = Measurement::Distance;
  std::vector<int> picks_;
};

// A click places a new text, whose lines the view asks for.
class PlaceTextMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::PlaceText; }
  void Enter() override;
  void LeftPress(Modifiers mods, int x, int y) override;
  std::string HelpPage() const override;
};

}  // namespace zelmora
