// Opening skips the recomputes that cannot change anything; the drawing it
// yields must be the one the literal order gives: every object in list order
// rebuilds its incident list and recomputes itself and all it carries.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "../../fuzz/plain_document.h"
#include "document/document_file.h"
#include "geometry/construction_method.h"
#include "geometry/graph.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

void LiteralRecompute(ObjectList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    list[i].RebuildIncident();
    UpdateDescendants(list[i]);
  }
}

// Every position bit for bit, the Defined flags and a line's bounds.
std::vector<std::uint64_t> Positions(const ObjectList& list) {
  std::vector<std::uint64_t> out;
  const auto add = [&](std::initializer_list<double> values) {
    for (double v : values) out.push_back(std::bit_cast<std::uint64_t>(v));
  };
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& o = list[i];
    out.push_back(o.Defined);
    if (const auto* p = dynamic_cast<const TGPoint*>(&o)) add({p->X, p->Y});
    if (const auto* l = dynamic_cast<const TGLine*>(&o)) {
      add({l->X1, l->Y1, l->X2, l->Y2});
      out.push_back(l->Bounded1 * 2 + l->Bounded2);
    }
    if (const auto* c = dynamic_cast<const TGCircle*>(&o)) add({c->CX, c->CY, c->R});
  }
  return out;
}

// Loads `bytes` both ways; returns false when the file is refused.
bool LoadsAlike(const std::string& bytes) {
  ObjectList fast, literal;
  DocumentInfo info;
  const bool ok = ReadPlane(bytes, fast, info).ok();
  EXPECT_EQ(ReadPlane(bytes, literal, info, &LiteralRecompute).ok(), ok);
  EXPECT_EQ(Positions(fast), Positions(literal));
  return ok;
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LoadRecompute, StoredDrawingsOpenAsTheLiteralOrderGives) {
  int loaded = 0;
  for (const char* folder :
       {ZELMORA_BIN_DIR "/Saves", ZELMORA_SOURCE_DIR "/fuzz/corpus/load_plane"}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      SCOPED_TRACE(entry.path().string());
      loaded += LoadsAlike(FuzzInputToFile(Bytes(entry.path())));
    }
  }
  EXPECT_GE(loaded, 5);
}

// A drawing of every method on parents drawn from a small pool, so lines and
// circles often share points and the crossings look for a common one; the
// coordinates lie on a coarse grid, so coinciding points and parallel lines
// occur. The stored positions are then scrambled, as a file from elsewhere
// may hold them, and some objects marked undefined.
std::string RandomDrawing(std::mt19937& rng, int fewest, int most) {
  ObjectList list;
  const auto grid = [&] {
    return static_cast<double>(std::uniform_int_distribution(0, 12)(rng) * 10);
  };
  std::vector<TGObject*> byKind[6];
  const auto keep = [&](TGObject& o) { byKind[o.Kind()].push_back(&o); };
  for (int i = 0; i < 4; ++i) {
    TGPoint& p = list.AddPoint();
    p.X = grid();
    p.Y = grid();
    keep(p);
  }
  TGAngle& angle = list.AddAngle();
  angle.Value = 30;
  keep(angle);
  TGLength& length = list.AddLength();
  length.Value = 25;
  keep(length);
  const int count = std::uniform_int_distribution(fewest, most)(rng);
  for (int k = 0; k < count; ++k) {
    const MethodInfo& m =
        kMethods[std::uniform_int_distribution<std::size_t>(0, kMethodCount - 1)(rng)];
    std::vector<TGObject*> parents;
    for (std::size_t slot = 0; slot < m.parents.size(); ++slot) {
      const auto& pool = byKind[m.ParentKind(slot)];
      if (pool.empty()) break;
      // Mostly the newest objects, so the drawing grows deep.
      const std::size_t reach = std::min<std::size_t>(pool.size(), 6);
      parents.push_back(
          pool[pool.size() - 1 - std::uniform_int_distribution<std::size_t>(0, reach - 1)(rng)]);
    }
    TGObject& object = *list.AddOfKind(m.kind);
    if (parents.size() == m.parents.size() && !parents.empty()) {
      list.Complete(object, parents, m.code);
    } else if (auto* p = dynamic_cast<TGPoint*>(&object)) {
      p->X = grid();
      p->Y = grid();
    }
    keep(object);
  }
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (std::uniform_int_distribution(0, 3)(rng) != 0) continue;
    TGObject& o = list[i];
    o.Defined = std::uniform_int_distribution(0, 1)(rng) == 1;
    if (auto* p = dynamic_cast<TGPoint*>(&o)) p->X = grid(), p->Y = grid() + 0.3;
    if (auto* l = dynamic_cast<TGLine*>(&o)) l->X1 = grid(), l->Y2 = grid() + 0.7;
    if (auto* c = dynamic_cast<TGCircle*>(&o)) c->R = grid() + 0.1;
  }
  return WritePlane(list, {"random", {}});
}

// Many small drawings reach every corner case; a few large ones give long
// chains where an undefined object or a slider lies deep below others.
TEST(LoadRecompute, RandomDrawingsOfEveryMethodOpenAsTheLiteralOrderGives) {
  struct Size {
    int drawings, fewest, most;
  };
  std::mt19937 rng(15);
  for (const Size size : {Size{2000, 10, 60}, Size{60, 300, 600}}) {
    for (int run = 0; run < size.drawings; ++run) {
      SCOPED_TRACE("drawing " + std::to_string(run) + " of " + std::to_string(size.most));
      ASSERT_TRUE(LoadsAlike(RandomDrawing(rng, size.fewest, size.most)));
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace zelmora
