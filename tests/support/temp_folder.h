#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace zelmora::testing {

// A new empty folder under the system's temporary folder, named after the
// test and the process: ctest runs tests in parallel processes, and two runs
// of the suite may share the machine.
inline std::filesystem::path FreshTempFolder(std::string_view tag) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "zelmora-" + std::string(tag) + "-" + std::to_string(::getpid());
  if (info != nullptr) name += std::string("-") + info->test_suite_name() + "-" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace zelmora::testing
