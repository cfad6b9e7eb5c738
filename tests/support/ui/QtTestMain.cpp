// The main of the interface tests: one offscreen QApplication for all, the
// C numeric locale after it, Japan time. (The shared test main of the other
// programs has no QApplication; this one takes its place.)

#include "common/resources/ProgramStrings.h"
#include "tests/support/TestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TZ", "JST-9", 1);
    tzset();
    std::setlocale(LC_ALL, "C.UTF-8");
    QApplication app(argc, argv);
    // QApplication adopted the environment's locale.
    std::setlocale(LC_NUMERIC, "C");
    InstallProgramStrings();
    kivtest::RegisterAllClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
