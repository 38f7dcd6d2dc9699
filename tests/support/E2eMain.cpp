// The main() of every end-to-end test executable: its games run on an X
// server of its own, started before the first test and stopped after the last.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "support/XServer.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  try {
    e2e::XServer server;
    return RUN_ALL_TESTS();
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "end-to-end tests: %s\n", error.what());
    return 1;
  }
}
