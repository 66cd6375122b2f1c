// The main() of every test program: a Qt application on the offscreen platform
// (unless the environment chose another), the project's fonts, and dialogs that
// never open a window unless a test scripts them.
#include "runtime/Application.h"
#include "runtime/Dialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitRuntimeEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    TQtApplication app(argc, argv);
    // A message box that no test scripted must not block the run.
    SetConsoleDialogs(true);
    return RUN_ALL_TESTS();
}
