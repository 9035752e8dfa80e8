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

#include "tests/tally/tally_fixture.h"

namespace tobrel::testing {

inline void KeepChartFile(const std::string& text, const std::string& name) {
  std::filesystem::create_directories(TOBREL_CHARTS_OUTPUT);
  std::ofstream(std::string(TOBREL_CHARTS_OUTPUT) + "/" + name, std::ios::binary) << text;
}

inline void ExpectChartGolden(const std::string& actual, const std::string& name) {
  KeepChartFile(actual, name);
  ExpectGoldenFile(actual, "output/" + name, false);
}

}  // namespace tobrel::testing
