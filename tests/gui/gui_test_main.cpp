// Runs the window tests on Qt's offscreen platform with the window's own
// application object, so fonts and settings are those of asrkit-gui.
#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
