#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "geometry/graph.h"
#include "geometry/object_list.h"

namespace zelmora {
namespace {

// An object that only records when it is recomputed.
class RecordingNode : public TGObject {
 public:
  RecordingNode(int id, std::vector<int>* log) : id_(id), log_(log) { Name = std::to_string(id); }
  // Each recompute comes out otherwise (the defined flag flips), as every
  // object of a drag does whose parents moved.
  void Recompute() override {
    log_->push_back(id_);
    Defined = !Defined;
  }

 private:
  int id_;
  std::vector<int>* log_;
};

void Link(TGObject& parent, TGObject& child) {
  parent.Children.push_back(&child);
  child.Parents.push_back(&parent);
}

// The path-counting routines in their original recursive form. They are the
// reference the linear walks must reproduce; being recursive and exponential,
// they only run on small graphs.
void LiteralMarkForUpdate(TGObject& o) {
  ++o.Mark;
  for (TGObject* child : o.Children) LiteralMarkForUpdate(*child);
}

void LiteralUpdateMarked(TGObject& o) {
  if (o.Mark == 1) {
    o.Recompute();
    o.Mark = 0;
  } else if (o.Mark > 1) {
    --o.Mark;
  }
  for (TGObject* child : o.Children) LiteralUpdateMarked(*child);
}

using OwnedObjects = std::vector<std::unique_ptr<TGObject>>;

void LiteralDeleteMarked(TGObject& o, OwnedObjects& list) {
  while (!o.Children.empty()) LiteralDeleteMarked(*o.Children.front(), list);
  if (o.Mark == 1) {
    for (TGObject* parent : o.Parents) std::erase(parent->Children, &o);
    for (TGObject* child : o.Children) std::erase(child->Parents, &o);
    std::erase_if(list, [&](const auto& owned) { return owned.get() == &o; });
  } else if (o.Mark > 1) {
    --o.Mark;
  }
}

void LiteralDeleteWithDescendants(OwnedObjects& list, std::size_t index) {
  TGObject& root = *list[index];
  LiteralMarkForUpdate(root);
  LiteralDeleteMarked(root, list);
  for (auto& o : list) o->RebuildIncident();
}

// A random dependency graph: objects in list order, and the links in the order
// they were made. The list order need not agree with the dependency order
// (documents may store objects in any order); a parent may be picked twice
// (the midpoint of a point and itself), and there may be several roots.
struct RandomGraph {
  int size = 0;
  std::vector<std::pair<int, int>> links;  // (parent, child)
  std::vector<bool> isValue;               // a length value: a root, never a child
};

RandomGraph MakeRandomGraph(std::mt19937& rng) {
  RandomGraph g;
  g.size = std::uniform_int_distribution<int>(1, 10)(rng);
  std::vector<int> rank(static_cast<std::size_t>(g.size));
  std::iota(rank.begin(), rank.end(), 0);
  std::shuffle(rank.begin(), rank.end(), rng);
  g.isValue.assign(static_cast<std::size_t>(g.size), false);
  for (int child = 0; child < g.size; ++child) {
    std::vector<int> earlier;
    for (int p = 0; p < g.size; ++p) {
      if (rank[p] < rank[child]) earlier.push_back(p);
    }
    const int parentCount = std::uniform_int_distribution<int>(0, 3)(rng);
    if (earlier.empty() || parentCount == 0) continue;
    for (int k = 0; k < parentCount; ++k) {
      const int pick =
          std::uniform_int_distribution<int>(0, static_cast<int>(earlier.size()) - 1)(rng);
      g.links.emplace_back(earlier[static_cast<std::size_t>(pick)], child);
    }
  }
  std::shuffle(g.links.begin(), g.links.end(), rng);
  std::vector<bool> hasParent(static_cast<std::size_t>(g.size), false);
  for (auto [p, c] : g.links) hasParent[static_cast<std::size_t>(c)] = true;
  for (int i = 0; i < g.size; ++i) {
    g.isValue[static_cast<std::size_t>(i)] =
        !hasParent[static_cast<std::size_t>(i)] && rng() % 4 == 0;
  }
  return g;
}

std::string Describe(const RandomGraph& g) {
  std::string text = std::to_string(g.size) + " objects, links:";
  for (auto [p, c] : g.links) text += " " + std::to_string(p) + "->" + std::to_string(c);
  return text;
}

std::vector<std::string> Names(const std::vector<TGObject*>& objects) {
  std::vector<std::string> names;
  for (const TGObject* o : objects) names.push_back(o->Name);
  return names;
}

// What a user could observe of a drawing after a deletion: which objects
// remain, in which order, and how they are linked.
struct Survivor {
  std::string name;
  std::vector<std::string> parents;
  std::vector<std::string> children;
  int mark = 0;
  bool operator==(const Survivor&) const = default;
};

template <class List>
std::vector<Survivor> Survivors(const List& list, std::size_t size) {
  std::vector<Survivor> result;
  for (std::size_t i = 0; i < size; ++i) {
    const TGObject& o = *list[i];
    result.push_back({o.Name, Names(o.Parents), Names(o.Children), o.Mark});
  }
  return result;
}

struct ListView {
  const ObjectList& list;
  const TGObject* operator[](std::size_t i) const { return &list[i]; }
};

constexpr int kRandomGraphs = 5000;

TEST(UpdateDescendants, RecomputesLikeThePathCountingUpdateOnRandomGraphs) {
  std::mt19937 rng(20240501);
  for (int run = 0; run < kRandomGraphs; ++run) {
    const RandomGraph g = MakeRandomGraph(rng);
    const int root = std::uniform_int_distribution<int>(0, g.size - 1)(rng);
    SCOPED_TRACE("run " + std::to_string(run) + ", root " + std::to_string(root) + ": " +
                 Describe(g));
    std::vector<int> literalLog;
    std::vector<int> linearLog;
    std::vector<std::unique_ptr<RecordingNode>> literal;
    std::vector<std::unique_ptr<RecordingNode>> linear;
    for (int i = 0; i < g.size; ++i) {
      literal.push_back(std::make_unique<RecordingNode>(i, &literalLog));
      linear.push_back(std::make_unique<RecordingNode>(i, &linearLog));
    }
    for (auto [p, c] : g.links) {
      Link(*literal[static_cast<std::size_t>(p)], *literal[static_cast<std::size_t>(c)]);
      Link(*linear[static_cast<std::size_t>(p)], *linear[static_cast<std::size_t>(c)]);
    }

    LiteralMarkForUpdate(*literal[static_cast<std::size_t>(root)]);
    LiteralUpdateMarked(*literal[static_cast<std::size_t>(root)]);
    UpdateDescendants(*linear[static_cast<std::size_t>(root)]);

    ASSERT_EQ(linearLog, literalLog);
    for (const auto& o : linear) ASSERT_EQ(o->Mark, 0);

    // A drag takes the order once and repeats it at every move.
    linearLog.clear();
    DragSession drag(*linear[static_cast<std::size_t>(root)]);
    drag.DragTo(1, 1);
    drag.ShiftTo(2, 2);
    std::vector<int> twice = literalLog;
    twice.insert(twice.end(), literalLog.begin(), literalLog.end());
    ASSERT_EQ(linearLog, twice);
  }
}

TEST(DeleteWithDescendants, LeavesWhatThePathCountingDeletionLeavesOnRandomGraphs) {
  std::mt19937 rng(777);
  std::vector<int> unusedLog;
  for (int run = 0; run < kRandomGraphs; ++run) {
    const RandomGraph g = MakeRandomGraph(rng);
    const auto index =
        static_cast<std::size_t>(std::uniform_int_distribution<int>(0, g.size - 1)(rng));
    SCOPED_TRACE("run " + std::to_string(run) + ", deleting " + std::to_string(index) + ": " +
                 Describe(g));
    OwnedObjects literal;
    ObjectList list;
    for (int i = 0; i < g.size; ++i) {
      literal.push_back(std::make_unique<RecordingNode>(i, &unusedLog));
      TGObject& o = g.isValue[static_cast<std::size_t>(i)]
                        ? static_cast<TGObject&>(list.AddLength())
                        : list.AddPoint();
      o.Name = std::to_string(i);
    }
    for (auto [p, c] : g.links) {
      Link(*literal[static_cast<std::size_t>(p)], *literal[static_cast<std::size_t>(c)]);
      Link(list[static_cast<std::size_t>(p)], list[static_cast<std::size_t>(c)]);
    }

    LiteralDeleteWithDescendants(literal, index);
    list.DeleteWithDescendants(index);

    ASSERT_EQ(Survivors(ListView{list}, list.size()), Survivors(literal, literal.size()));
    for (std::size_t i = 0; i < list.size(); ++i) ASSERT_EQ(list[i].Index(), static_cast<int>(i));
  }
}

constexpr int kLongChain = 100000;

// Runs `work` on a thread with a 512 KiB stack, far less than a recursion
// 100 000 levels deep needs, so a walk that recurses crashes here.
void RunOnSmallStack(std::function<void()> work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 512 * 1024);
  pthread_t thread;
  auto run = [](void* arg) -> void* {
    (*static_cast<std::function<void()>*>(arg))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

TEST(UpdateDescendants, LongChainIsRecomputedInOrderWithoutDeepRecursion) {
  std::vector<int> log;
  std::vector<std::unique_ptr<RecordingNode>> chain;
  for (int i = 0; i < kLongChain; ++i) {
    chain.push_back(std::make_unique<RecordingNode>(i, &log));
    if (i > 0) Link(*chain[static_cast<std::size_t>(i - 1)], *chain.back());
  }
  RunOnSmallStack([&] { UpdateDescendants(*chain.front()); });
  std::vector<int> expected(kLongChain);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_EQ(log, expected);
}

TEST(DeleteWithDescendants, LongChainIsDeletedWithoutDeepRecursion) {
  ObjectList list;
  TGPoint& anchor = list.AddPoint();  // every link of the chain also hangs on it
  for (int i = 0; i < kLongChain; ++i) {
    TGPoint& p = list.AddPoint();
    if (i > 0) Link(list[list.size() - 2], p);
    Link(anchor, p);
  }
  list.AddPoint().Name = "unrelated";
  RunOnSmallStack([&] { list.DeleteWithDescendants(1); });
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(&list[0], &anchor);
  EXPECT_TRUE(anchor.Children.empty());
  EXPECT_EQ(list[1].Name, "unrelated");
  EXPECT_EQ(list[1].Index(), 1);
}

// Levels of three points, each a midpoint of two points of the level above:
// the number of paths doubles with every level, the work must not.
TEST(UpdateDescendants, LatticeWithAstronomicallyManyPathsRecomputesEachObjectOnce) {
  constexpr int kWidth = 3;
  constexpr int kLevels = 60;
  std::vector<int> log;
  std::vector<std::unique_ptr<RecordingNode>> nodes;
  for (int level = 0; level < kLevels; ++level) {
    for (int j = 0; j < kWidth; ++j) {
      nodes.push_back(std::make_unique<RecordingNode>(level * kWidth + j, &log));
      if (level == 0) continue;
      const std::size_t above = static_cast<std::size_t>((level - 1) * kWidth);
      Link(*nodes[above + static_cast<std::size_t>(j)], *nodes.back());
      Link(*nodes[above + static_cast<std::size_t>((j + 1) % kWidth)], *nodes.back());
    }
  }
  UpdateDescendants(*nodes.front());

  // Point 0 of level 0 reaches levels >= 1 and, from level kWidth-1 on, all
  // points; every one must come once and after both of its parents.
  std::vector<int> position(nodes.size(), -1);
  for (std::size_t k = 0; k < log.size(); ++k) {
    ASSERT_EQ(position[static_cast<std::size_t>(log[k])], -1) << "recomputed twice: " << log[k];
    position[static_cast<std::size_t>(log[k])] = static_cast<int>(k);
  }
  EXPECT_EQ(log.front(), 0);
  EXPECT_EQ(log.size(), nodes.size() - (kWidth - 1) - (kWidth - 2));
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (position[i] < 0) continue;
    for (const TGObject* parent : nodes[i]->Parents) {
      const int parentId = std::stoi(parent->Name);
      if (position[static_cast<std::size_t>(parentId)] >= 0) {
        EXPECT_LT(position[static_cast<std::size_t>(parentId)], position[i]);
      }
    }
  }
}

// A damaged document may link objects in a circle; the update and the
// deletion must still end, touching each object once.
TEST(GraphWalks, CyclesEndAndTouchEachObjectOnce) {
  std::vector<int> log;
  RecordingNode a(0, &log), b(1, &log), c(2, &log);
  Link(a, b);
  Link(b, c);
  Link(c, a);
  Link(b, b);
  UpdateDescendants(b);
  EXPECT_EQ(log, (std::vector<int>{1, 2, 0}));

  ObjectList list;
  TGPoint& p = list.AddPoint();
  TGPoint& q = list.AddPoint();
  list.AddPoint().Name = "kept";
  Link(p, q);
  Link(q, p);
  list.DeleteWithDescendants(1);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name, "kept");
}

TEST(DeleteWithDescendants, ValueParentsSurviveAndTheDrawingIsModified) {
  ObjectList list;
  TGLength& length = list.AddLength();
  TGPoint& a = list.AddPoint();
  TGPoint& b = list.AddPoint();
  TGPoint& atDistance = list.AddPoint();
  for (TGObject* parent : std::vector<TGObject*>{&a, &b, &length}) Link(*parent, atDistance);
  list.ClearModified();

  list.DeleteWithDescendants(a.Index());

  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(&list[0], &length);
  EXPECT_EQ(&list[1], &b);
  EXPECT_TRUE(length.Children.empty());
  EXPECT_TRUE(b.Children.empty());
  EXPECT_EQ(b.Index(), 1);
  EXPECT_TRUE(list.Modified());
}

TEST(DeleteWithDescendants, IndexOutOfRangeChangesNothing) {
  ObjectList list;
  list.AddPoint();
  list.ClearModified();
  list.DeleteWithDescendants(1);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_FALSE(list.Modified());
}

}  // namespace
}  // namespace zelmora
