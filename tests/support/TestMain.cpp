#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Tests run headless; gtest_discover_tests runs this binary at build time
// without the test environment, so the platform is set here too.
int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
