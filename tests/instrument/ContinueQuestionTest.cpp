#include "instrument/ContinueQuestion.h"

#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ContinueQuestion, ErrorLogSitsBesideTheDataFile)
{
    struct Row {
        const char* data;
        const char* log;
    };
    const Row rows[] = {
        {"/d/run1.tsd", "/d/run1_err.txt"},
        {"/d/RUN1.TSD", "/d/RUN1_err.txt"},
        {"/d/run.tsd.bak", "/d/run.tsd.bak_err.txt"},  // never the data file itself
        {"/d/run", "/d/run_err.txt"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ErrorLogPath(row.data), row.log) << row.data;
}

TEST(ContinueQuestion, LogsThenAsksThroughThePrompt)
{
    fw::test::ServiceScope services;  // clock: 2024-01-01 00:00:00 Japan time
    services.prompt.ExpectText("ERR-22", fw::IDOK).ExpectText("second", fw::IDCANCEL);
    kivtest::TempDir dir;
    const std::string data = (dir / "m.tsd").string();
    EXPECT_TRUE(ShowTimeLimitMessage("ERR-22\n続行しますか？", data.c_str(), 15));
    EXPECT_FALSE(ShowTimeLimitMessage("second", nullptr, 15));
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_EQ(services.prompt.Prompts()[0].flags & fw::MB_TYPEMASK, fw::MB_OKCANCEL);
    EXPECT_EQ(FileBytes(dir / "m_err.txt"), "2024/01/01 00:00:00:ERR-22 \x91\xb1\x8d\x73\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48\r\n");
}

TEST(ContinueQuestion, AnInstalledQuestionReplacesThePrompt)
{
    struct Always final : IContinueQuestion {
        bool Ask(const fw::CString& message, int seconds) override
        {
            asked = message;
            limit = seconds;
            return false;
        }
        fw::CString asked;
        int limit = 0;
    } question;
    fw::test::ServiceScope services;
    IContinueQuestion* old = InstallContinueQuestion(&question);
    EXPECT_FALSE(ShowTimeLimitMessage("go on?", nullptr, 15));
    InstallContinueQuestion(old);
    EXPECT_EQ(question.asked, "go on?");
    EXPECT_EQ(question.limit, 15);
    EXPECT_TRUE(services.prompt.Prompts().empty());
}

} // namespace
