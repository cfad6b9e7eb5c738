#include "common/resources/ProgramStrings.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C.UTF-8");
    std::setlocale(LC_NUMERIC, "C");
    // Dates in tests are pinned to Japan time; the form needs no tzdata.
    setenv("TZ", "JST-9", 1);
    tzset();
    InstallProgramStrings();
    kivtest::RegisterAllClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
