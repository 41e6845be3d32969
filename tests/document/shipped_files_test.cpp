#include <gtest/gtest.h>

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
    EXPECT_NE(contents.str().find(std::string("href=\"") + page + ".htm\""), std::string::npos);
  }
}

}  // namespace
}  // namespace zelmora
