#pragma once

#include <string>
#include <vector>

#include "geometry/object_list.h"

// The construction protocol: every object of a drawing in drawing order, with
// how it was built in words, so a teacher can read how a pupil got there.
namespace zelmora {

struct ProtocolRow {
  int number = 0;        // counted from 1, in drawing order
  int kind = kNoKind;    // kind code
  std::string kindWord;  // "точка", "отрезок", "окружность", ...
  std::string name;
  std::string how;           // "Середина отрезка AB"
  std::vector<int> parents;  // list indices, in the order the method reads them
  std::string parentNames;   // "A, B"
  bool defined = true;

  bool operator==(const ProtocolRow&) const = default;
};

// What `object` is called in a sentence: its name, or for a typed-in angle or
// length its value ("30°", "2,5").
std::string ProtocolNameOf(const TGObject& object);

// "Середина отрезка AB" for a midpoint of A and B; free objects, values and
// methods no table knows have sentences of their own.
std::string DescribeConstruction(const TGObject& object);

std::vector<ProtocolRow> BuildProtocol(const ObjectList& objects);

// "3. Середина отрезка AB: точка C", and "(сейчас не существует)" after an object
// that cannot be built now.
std::string ProtocolLine(const ProtocolRow& row);
// Every row's line, each ended by a line break.
std::string ProtocolText(const std::vector<ProtocolRow>& rows);

}  // namespace zelmora
