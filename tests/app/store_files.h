#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kiro::store_test {

// A fresh, empty folder of the running test under the test temp directory; each call
// gives another.
inline std::filesystem::path freshFolder() {
  static int made = 0;
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto path = std::filesystem::path(::testing::TempDir()) / "kiro" / test->test_suite_name() / test->name() /
                    std::to_string(++made);
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path;
}

inline void writeFile(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The model resource as it ships.
inline const std::filesystem::path kShippedModel = KIRO_MODEL_RESOURCE;

}  // namespace kiro::store_test
