#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/document_file.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

// Every example drawing the program ships opens, and everything in it can be
// constructed: a pupil's first file must not show half a figure.
TEST(ShippedFiles, EveryExampleDrawingOpensFullyDefined) {
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(ZELMORA_BIN_DIR) / "Saves")) {
    if (entry.path().extension() != ".zms") continue;
    SCOPED_TRACE(entry.path().string());
    ObjectList list;
    DocumentInfo info;
    const LoadResult result = LoadPlane(entry.path(), list, info);
    ASSERT_TRUE(result.ok()) << result.detail;
    EXPECT_GE(list.size(), 8u);
    EXPECT_FALSE(info.comment.empty());
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_TRUE(list[i].Defined) << list[i].Name;
    ++examples;
  }
  EXPECT_EQ(examples, 3);
}

// A page name as a link holds it: every byte but ASCII letters, digits and
// "-._~" percent-encoded.
std::string AsLink(const std::string& name) {
  std::string link;
  for (const unsigned char c : name) {
    if (std::isalnum(c) || std::strchr("-._~", c) != nullptr) {
      link += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      link += {'%', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return link;
}

// F1 and the Help menu open these pages by name; the contents page links them all.
TEST(ShippedFiles, EveryHelpPageExistsAndTheContentsLinkThem) {
  const fs::path help = fs::path(ZELMORA_BIN_DIR) / "Help";
  const char* pages[] = {
      "Манипуляции объектами",  "Способы задания",         "Работа с рисунком",
      "Использование макросов", "Работа с файлами",        "Настройка",
      "Свойства объекта",       "Создание новых объектов", "Функциональные клавиши"};
  std::ifstream contentsFile(help / "Содержание.htm");
  ASSERT_TRUE(contentsFile.good());
  std::stringstream contents;
  contents << contentsFile.rdbuf();
  for (const char* page : pages) {
    SCOPED_TRACE(page);
    EXPECT_TRUE(fs::is_regular_file(help / (std::string(page) + ".htm")));
    EXPECT_NE(contents.str().find("href=\"" + AsLink(page) + ".htm\""), std::string::npos);
  }
}

}  // namespace
}  // namespace zelmora
