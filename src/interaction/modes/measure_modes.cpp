#include "interaction/modes/measure_modes.h"

#include <algorithm>

#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

constexpr const char* kWrongObject = "Этот объект здесь не подходит";

}  // namespace

const MeasureCommand* FindMeasureCommand(Measurement what) {
  for (const MeasureCommand& command : kMeasureCommands) {
    if (command.what == what) return &command;
  }
  return nullptr;
}

void MeasureMode::Enter() {
  what_ = static_cast<Measurement>(Info(editor_.Creation().command).code);
  picks_.clear();
  editor_.View().SetBlinkTimer(true);
  ShowStep();
}

void MeasureMode::ShowStep() {
  const std::size_t step = picks_.size();
  editor_.SetPrompt(step == 0 ? std::string(Info(editor_.Creation().command).placePrompt)
                              : FindMeasureCommand(what_)->laterPrompts[step - 1]);
  editor_.View().SetSurfaceCursor(CursorShape::HandPoint);
}

// The first object under the mouse that may be the next pick: of the kind
// the measurement takes there, and not picked already.
int MeasureMode::ObjectFor(int x, int y) const {
  const ObjectList& objects = editor_.Objects();
  Canvas& canvas = editor_.View().PictureCanvas();
  const HitContext hits = editor_.Hits();
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const int index = static_cast<int>(i);
    if (std::find(picks_.begin(), picks_.end(), index) != picks_.end()) continue;
    if (FitsMeasurement(CodeOf(what_), picks_.size(), objects[i]) &&
        HitTest(objects[i], x, y, canvas, hits)) {
      return index;
    }
  }
  return -1;
}

void MeasureMode::LeftPress(Modifiers, int x, int y) {
  const int index = ObjectFor(x, y);
  if (index < 0) {
    editor_.View().SetHelpLabel(kWrongObject);
    return;
  }
  picks_.push_back(index);
  if (picks_.size() == FindMeasurement(CodeOf(what_))->parents.size()) Build();
  ShowStep();
}

void MeasureMode::Build() {
  ObjectList& objects = editor_.Objects();
  std::vector<TGObject*> parents;
  for (int index : picks_) parents.push_back(objects.at(index));
  picks_.clear();
  TGMeasure& measure = objects.AddMeasure();
  measure.Decimals = FindMeasurement(CodeOf(what_))->degrees ? 1 : 2;
  objects.Complete(measure, parents, CodeOf(what_));
}

void MeasureMode::Hover(int x, int y) {
  editor_.View().SetSurfaceCursor(ObjectFor(x, y) >= 0 ? CursorShape::HandPoint
                                                       : CursorShape::Default);
}

void MeasureMode::Tick(bool blink) {
  const DrawContext context = editor_.PaintContext();
  for (int index : picks_) {
    if (TGObject* o = editor_.Objects().at(index)) {
      o->Draw(editor_.View().PictureCanvas(), false, blink, context);
    }
  }
}

void MeasureMode::Leave() {
  picks_.clear();
  editor_.View().SetBlinkTimer(false);
}

std::string MeasureMode::HelpPage() const {
  return texts::kHelpMethods;
}

void PlaceTextMode::Enter() {
  editor_.SetPrompt(std::string(Info(Command::PlaceText).placePrompt));
  editor_.View().SetSurfaceCursor(CursorShape::Cross);
}

void PlaceTextMode::LeftPress(Modifiers, int x, int y) {
  const std::optional<TextProperties> asked = editor_.View().AskNewText();
  if (!asked || CheckText(asked->text) != TextProblem::kNone) return;
  ObjectList& objects = editor_.Objects();
  TGText& text = objects.AddText();
  text.X = x;
  text.Y = y;
  objects.Complete(text, {}, TGText::kMethodCode);
  ApplyTextProperties(objects, text.Index(), *asked);
  editor_.ReturnToNormal();
}

std::string PlaceTextMode::HelpPage() const {
  return texts::kHelpMethods;
}

}  // namespace zelmora
