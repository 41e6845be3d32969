// Writes one of the benchmarks' drawings to a file, so that whole programs
// can be timed on it:
//   write_drawing named|unnamed|mixed|chain COUNT OUT.zms [WIDTH HEIGHT]
// named: COUNT free points with their names shown (unnamed: hidden); mixed: COUNT objects of
// a lesson's kinds, all built on the free point at the centre; chain: the whole repaint's
// drawing, COUNT points, lines, segments and circles in turn on a chain of midpoints.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "document/document_file.h"
#include "drawing_10k.h"

int main(int argc, char** argv) {
  using namespace zelmora;
  if (argc != 4 && argc != 6) {
    std::cerr << "usage: write_drawing named|unnamed|mixed|chain COUNT OUT.zms [WIDTH HEIGHT]\n";
    return 2;
  }
  const std::string kind = argv[1];
  const int count = std::atoi(argv[2]);
  const int width = argc == 6 ? std::atoi(argv[4]) : 1024;
  const int height = argc == 6 ? std::atoi(argv[5]) : 768;
  if (count <= 0 || width < 100 || height < 100 ||
      (kind != "named" && kind != "unnamed" && kind != "mixed" && kind != "chain")) {
    std::cerr << "write_drawing: a kind, a positive count and a surface of 100x100 or more\n";
    return 2;
  }
  ObjectList list;
  if (kind == "named" || kind == "unnamed") {
    bench::BuildNamedPointsOf(list, width, height, count, kind == "named");
  } else if (kind == "chain") {
    bench::BuildChainDrawing(list, width, height, count);
  } else {
    bench::BuildMixedDrawingOf(list, width, height, count);
  }
  std::ofstream out(argv[3], std::ios::binary);
  out << WritePlane(list, {"bench", {}});
  if (!out) {
    std::cerr << "write_drawing: cannot write " << argv[3] << "\n";
    return 1;
  }
  return 0;
}
