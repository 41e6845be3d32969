#include <gtest/gtest.h>

#include "interaction/editor.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

using testing::FakeEditorView;
using testing::TableConstructionTables;

class EnabledCommandsTest : public ::testing::Test {
 protected:
  EnabledCommandsTest() : editor(view, tables) { editor.Resize(800, 600, 1000, 700); }
  // The group's dialog as its key opens it, or its button where it has no key.
  void OpenDialog(CommandGroup group) {
    const std::optional<Key> key = Info(group).ctrlKey;
    if (!key) return editor.NewObjectDialog(group);
    editor.KeyDown(*key, {.ctrl = true});
  }
  static CommandSet AllBut(Command command) {
    CommandSet set = CommandSet::All();
    set.Remove(command);
    return set;
  }

  FakeEditorView view;
  TableConstructionTables tables;
  Editor editor;
};

TEST_F(EnabledCommandsTest, OnlyAnEnabledCommandStarts) {
  for (const CommandInfo& c : kCommands) {
    SCOPED_TRACE(static_cast<int>(c.command));
    editor.SetEnabledCommands(AllBut(c.command));
    EXPECT_EQ(view.shownEnabled, AllBut(c.command));
    editor.StartCreation(c.command);
    EXPECT_EQ(editor.State(), InteractionState::Normal);
    EXPECT_TRUE(editor.Objects().empty());
    editor.SetEnabledCommands(CommandSet{c.command});
    editor.StartCreation(c.command);
    EXPECT_EQ(editor.State(), c.mode);
    editor.ReturnToNormal();
  }
}

// The dialog never offers a disabled command, and an answer naming one
// anyway starts nothing; a group with nothing enabled opens no dialog.
TEST_F(EnabledCommandsTest, TheDialogAndItsKeyOfferOnlyEnabledCommands) {
  for (const CommandInfo& c : kCommands) {
    SCOPED_TRACE(static_cast<int>(c.command));
    editor.SetEnabledCommands(AllBut(c.command));
    view.newObjectAnswers = {c.command};
    OpenDialog(c.group);
    EXPECT_FALSE(view.offered.Contains(c.command));
    EXPECT_EQ(editor.State(), InteractionState::Normal);

    CommandSet others = CommandSet::All();
    for (const CommandInfo& d : kCommands) {
      if (d.group == c.group) others.Remove(d.command);
    }
    editor.SetEnabledCommands(others);
    view.askedKinds.clear();
    OpenDialog(c.group);
    EXPECT_TRUE(view.askedKinds.empty());
  }
}

TEST_F(EnabledCommandsTest, TakingAwayTheRunningCommandEndsIt) {
  for (const CommandInfo& c : kCommands) {
    SCOPED_TRACE(static_cast<int>(c.command));
    editor.SetEnabledCommands(CommandSet::All());
    editor.StartCreation(c.command);
    editor.SetEnabledCommands(AllBut(c.command));
    EXPECT_EQ(editor.State(), InteractionState::Normal);
    EXPECT_TRUE(editor.Objects().empty());  // nothing half placed is left behind
  }
}

}  // namespace
}  // namespace zelmora
