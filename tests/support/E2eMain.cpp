// The main() of every end-to-end test executable: its games run on an X
// server of its own, started before the first test and stopped after the last.
#include <gtest/gtest.h>

#include "support/XServer.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  e2e::XServer server;
  return RUN_ALL_TESTS();
}
