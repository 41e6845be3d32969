#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <filesystem>
#include <fstream>

#include "interaction/document_session.h"
#include "support/fake_editor_view.h"
#include "support/temp_folder.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

class FakeDocumentView : public DocumentView {
 public:
  Answer Ask(const std::string& question) override {
    questions.push_back(question);
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> AskOpenPath() override { return Pop(openPaths); }
  std::optional<std::string> AskSavePath() override { return Pop(savePaths); }
  void ShowError(int number) override { errors.push_back(number); }
  void ShowSaveFailed(const std::string& detail) override { saveFailures.push_back(detail); }
  void SetCaption(const std::string& text) override { caption = text; }
  void ShowRecentFiles(const RecentCaptions& captions) override { recent = captions; }

  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> openPaths, savePaths;
  std::vector<std::string> questions, saveFailures;
  std::vector<int> errors;
  std::string caption;
  RecentCaptions recent;

 private:
  static std::optional<std::string> Pop(std::deque<std::optional<std::string>>& q) {
    if (q.empty()) return std::nullopt;
    auto v = q.front();
    q.pop_front();
    return v;
  }
};

class DocumentSessionTest : public ::testing::Test {
 protected:
  DocumentSessionTest() : editor(view, tables), session(editor, docs) {
    dir = testing::FreshTempFolder("session");
  }
  ~DocumentSessionTest() override { fs::remove_all(dir); }

  void Draw(int points) {
    for (int i = 0; i < points; ++i) {
      TGPoint& p = editor.Objects().AddPoint();
      p.X = 10 * i;
      p.MustDraw = true;
    }
    editor.Objects().MarkModified();
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::string SavedFile(const std::string& name, int points) {
    ObjectList list;
    for (int i = 0; i < points; ++i) list.AddPoint().MustDraw = true;
    EXPECT_TRUE(SavePlane(Path(name), list, DocumentInfo{"автор", {}}).ok);
    return Path(name);
  }

  testing::FakeEditorView view;
  testing::TableConstructionTables tables;
  Editor editor;
  FakeDocumentView docs;
  DocumentSession session;
  fs::path dir;
};

TEST_F(DocumentSessionTest, NewAsksFirstAndEachAnswerDoesWhatItSays) {
  Draw(2);
  docs.answers = {Answer::Cancel};
  EXPECT_FALSE(session.New());
  EXPECT_EQ(editor.Objects().size(), 2u);
  EXPECT_EQ(docs.questions.back(), "Сохранить текущий файл перед созданием нового?");

  docs.answers = {Answer::Yes};
  docs.savePaths = {Path("kept.zms")};
  EXPECT_TRUE(session.New());
  EXPECT_TRUE(fs::exists(Path("kept.zms")));
  EXPECT_TRUE(editor.Objects().empty());
  EXPECT_EQ(docs.caption, "Zelmora 2.0");

  Draw(1);
  docs.answers = {Answer::No};
  EXPECT_TRUE(session.New());
  EXPECT_TRUE(editor.Objects().empty());
  EXPECT_EQ(editor.Objects().pointCounter, 0);
}

TEST_F(DocumentSessionTest, ASaveThatDoesNotHappenKeepsTheDrawingModified) {
  Draw(1);
  docs.savePaths = {std::nullopt};  // dialog cancelled
  EXPECT_FALSE(session.Save());
  EXPECT_TRUE(editor.Objects().Modified());

  docs.savePaths = {Path("no-such-folder/x.zms")};
  EXPECT_FALSE(session.Save());
  EXPECT_TRUE(editor.Objects().Modified());
  EXPECT_EQ(docs.saveFailures.size(), 1u);
  EXPECT_EQ(session.FileName(), "");

  std::ofstream(Path("kept.zms")) << "old";
  fs::permissions(Path("kept.zms"), fs::perms::owner_read);
  docs.savePaths = {Path("kept.zms")};
  EXPECT_FALSE(session.Save());
  EXPECT_TRUE(editor.Objects().Modified());
  EXPECT_EQ(docs.saveFailures.back(), "Файл доступен только для чтения: " + Path("kept.zms"));

  // ...so closing still asks, and a failed save keeps the program open.
  docs.answers = {Answer::Yes};
  docs.savePaths = {Path("no-such-folder/x.zms")};
  EXPECT_FALSE(session.CanClose());

  docs.savePaths = {Path("a.zms")};
  EXPECT_TRUE(session.Save());
  EXPECT_FALSE(editor.Objects().Modified());
  EXPECT_EQ(docs.caption, "Zelmora 2.0 - " + Path("a.zms"));
}

TEST_F(DocumentSessionTest, SaveAsKeepsTheModifiedMark) {
  Draw(1);
  docs.savePaths = {Path("b.zms")};
  EXPECT_TRUE(session.SaveAs());
  EXPECT_TRUE(editor.Objects().Modified());
  EXPECT_EQ(session.FileName(), Path("b.zms"));
}

TEST_F(DocumentSessionTest, CloseQuestion) {
  EXPECT_TRUE(session.CanClose());  // nothing changed: no question
  EXPECT_TRUE(docs.questions.empty());
  Draw(1);
  docs.answers = {Answer::Cancel, Answer::No};
  EXPECT_FALSE(session.CanClose());
  EXPECT_TRUE(session.CanClose());
  EXPECT_EQ(docs.questions.back(), "Сохранить текущий файл перед выходом?");
}

TEST_F(DocumentSessionTest, OpenLoadsAndAnUnreadableFileLeavesAnEmptyUntitledDrawing) {
  const std::string good = SavedFile("good.zms", 3);
  docs.openPaths = {good};
  session.Open();
  EXPECT_EQ(editor.Objects().size(), 3u);
  EXPECT_EQ(session.Info().author, "автор");
  EXPECT_EQ(docs.caption, "Zelmora 2.0 - " + good);
  EXPECT_EQ(docs.recent[0], "&1 " + good);

  const std::string bad = Path("bad.zms");
  std::ofstream(bad) << "ZelmoraSaveFile 2.0\r\nnot a number\r\n";
  docs.openPaths = {bad};
  session.Open();
  EXPECT_EQ(docs.errors, std::vector<int>{1});
  EXPECT_TRUE(editor.Objects().empty());
  EXPECT_EQ(session.FileName(), "");
  EXPECT_EQ(docs.recent[1], "&2 " + good);
}

TEST_F(DocumentSessionTest, OpenAsksAboutUnsavedWorkAndAMissingFileChangesNothing) {
  Draw(2);
  docs.answers = {Answer::Cancel};
  session.Open();
  EXPECT_EQ(editor.Objects().size(), 2u);
  EXPECT_EQ(docs.questions.back(), "Сохранить текущий файл перед открытием другого?");

  docs.answers = {Answer::No};
  docs.openPaths = {Path("missing.zms")};
  session.Open();
  EXPECT_EQ(docs.errors, std::vector<int>{5});
  EXPECT_EQ(editor.Objects().size(), 2u);
}

TEST_F(DocumentSessionTest, RecentListMovesAReopenedFileToTheTop) {
  const std::string a = SavedFile("a.zms", 1), b = SavedFile("b.zms", 1), c = SavedFile("c.zms", 1);
  for (const auto& f : {a, b, c}) {
    docs.openPaths = {f};
    session.Open();
  }
  EXPECT_EQ(docs.recent, (RecentCaptions{"&1 " + c, "&2 " + b, "&3 " + a, ""}));
  docs.openPaths = {a};
  session.Open();
  EXPECT_EQ(docs.recent, (RecentCaptions{"&1 " + a, "&2 " + c, "&3 " + b, ""}));
  // Entry 1 is not compared: the same path lands in entries 1 and 2.
  docs.openPaths = {a};
  session.Open();
  EXPECT_EQ(docs.recent, (RecentCaptions{"&1 " + a, "&2 " + a, "&3 " + c, "&4 " + b}));
}

// Opening a file puts it on top of a full list and moves the entries above
// its old place down one; a file not in the list pushes the last one out.
TEST_F(DocumentSessionTest, RecentListAfterOpeningEachEntryOrAnotherFile) {
  const std::string files[] = {SavedFile("a.zms", 1), SavedFile("b.zms", 1), SavedFile("c.zms", 1),
                               SavedFile("d.zms", 1), SavedFile("e.zms", 1)};
  struct Case {
    int opened;                  // index into files
    std::array<int, 4> entries;  // the list afterwards, as indexes into files
  };
  const Case cases[] = {{1, {1, 0, 2, 3}},
                        {2, {2, 0, 1, 3}},
                        {3, {3, 0, 1, 2}},
                        {4, {4, 0, 1, 2}},
                        {0, {0, 0, 1, 2}}};  // entry 1 is not looked at: it is copied down
  for (const Case& c : cases) {
    session.SetRecent({files[0], files[1], files[2], files[3]});
    docs.openPaths = {files[c.opened]};
    session.Open();
    RecentCaptions expected;
    for (std::size_t k = 0; k < expected.size(); ++k) {
      expected[k] = '&' + std::to_string(k + 1);
      expected[k] += ' ' + files[c.entries[k]];
    }
    EXPECT_EQ(docs.recent, expected) << "opened " << files[c.opened];
  }
}

TEST_F(DocumentSessionTest, AnEmptyOrMissingRecentEntryOpensNothing) {
  session.SetRecent({"&1 " + SavedFile("a.zms", 1), "", "", ""});
  Draw(2);
  for (int entry : {0, 2, 5}) {
    session.OpenRecent(entry);
    EXPECT_EQ(editor.Objects().size(), 2u) << "entry " << entry;
  }
  EXPECT_TRUE(docs.questions.empty());
  EXPECT_TRUE(docs.errors.empty());
}

TEST_F(DocumentSessionTest, APathWithAnAmpersandOpensAndReopensFromTheList) {
  const std::string file = SavedFile("Tom&Jerry.zms", 2);
  docs.openPaths = {file};
  session.Open();
  EXPECT_EQ(editor.Objects().size(), 2u);
  EXPECT_EQ(docs.recent[0], "&1 " + file);
  session.New();
  session.OpenRecent(1);
  EXPECT_EQ(editor.Objects().size(), 2u);
  EXPECT_TRUE(docs.errors.empty());
}

TEST_F(DocumentSessionTest, ARecentEntryThatNoLongerReadsEndsInAnEmptyDrawing) {
  const std::string a = SavedFile("a.zms", 2);
  session.SetRecent({"&1 " + a, "", "", ""});
  session.OpenRecent(1);
  EXPECT_EQ(editor.Objects().size(), 2u);
  std::ofstream(a, std::ios::trunc) << "ZelmoraSaveFile 2.0\r\n";
  session.OpenRecent(1);
  EXPECT_EQ(docs.errors, std::vector<int>{1});
  EXPECT_TRUE(editor.Objects().empty());
  EXPECT_EQ(session.Recent()[0], "&1 " + a);  // the list is not reordered
}

TEST(BareRecentCaption, DropsAmpersandAndNumber) {
  EXPECT_EQ(BareRecentCaption("&2 /home/u/a.zms"), "/home/u/a.zms");
  EXPECT_EQ(BareRecentCaption("/home/u/a.zms"), "/home/u/a.zms");
  EXPECT_EQ(BareRecentCaption("/home/u/Tom&Jerry.zms"), "/home/u/Tom&Jerry.zms");
  EXPECT_EQ(BareRecentCaption(""), "");
}

}  // namespace
}  // namespace zelmora
