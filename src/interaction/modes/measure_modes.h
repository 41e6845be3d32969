#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "geometry/tg_measure.h"
#include "interaction/modes/editor_mode.h"

// Measuring by picks, and placing a text by a click.
namespace zelmora {

// The prompts of a measurement after its first pick; the first is the
// command table's.
struct MeasureCommand {
  Measurement what;
  std::array<const char*, 2> laterPrompts;
};

inline constexpr MeasureCommand kMeasureCommands[] = {
    {Measurement::Distance, {"Выберите вторую точку", ""}},
    {Measurement::Length, {"", ""}},
    {Measurement::Radius, {"", ""}},
    {Measurement::Angle, {"Выберите вершину угла", "Выберите точку на второй стороне угла"}},
    {Measurement::LinesAngle, {"Выберите вторую прямую", ""}},
};

const MeasureCommand* FindMeasureCommand(Measurement what);

// Picks the objects of one measurement in order; the last pick builds it and
// the same measurement starts over, until the user leaves.
class MeasureMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::PickMeasured; }
  // Starts the measurement of the running command afresh.
  void Enter() override;
  void LeftPress(Modifiers mods, int x, int y) override;
  void Hover(int x, int y) override;
  void Tick(bool blink) override;
  std::string HelpPage() const override;
  void Leave() override;
  const std::vector<int>& Picks() const { return picks_; }

 private:
  int ObjectFor(int x, int y) const;
  void ShowStep();
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
