// Test helpers for the drawings: each SVG or HTML document a test makes is
// kept under the build's charts folder (TOBREL_CHARTS_OUTPUT), where the
// ctest entries after the chart tests parse it as XML or HTML and render it
// in a browser; a golden one is also compared byte for byte with its
// reviewed file under tests/data/output (TOBREL_WRITE_GOLDEN=1 writes that
// instead, for review before it is committed).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tobrel::testing {

inline void KeepChartFile(const std::string& text, const std::string& name) {
  std::filesystem::create_directories(TOBREL_CHARTS_OUTPUT);
  std::ofstream(std::string(TOBREL_CHARTS_OUTPUT) + "/" + name, std::ios::binary) << text;
}

inline void ExpectChartGolden(const std::string& actual, const std::string& name) {
  KeepChartFile(actual, name);
  const std::string path = std::string(TOBREL_TEST_DATA) + "/output/" + name;
  if (const char* write = std::getenv("TOBREL_WRITE_GOLDEN"); write && *write == '1') {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << "missing golden file " << path;
  std::ostringstream expected;
  expected << file.rdbuf();
  EXPECT_EQ(actual, expected.str()) << name << " differs from its golden file";
}

}  // namespace tobrel::testing
