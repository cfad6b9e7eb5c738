#include "framework/core/Profile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

using fw::CProfile;

namespace {

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Profile, WritesThroughInFirstWrittenOrder)
{
    kivtest::TempDir dir;
    const auto path = dir / "ZEL" / "KIV-5400.ini";  // folder made on first write
    {
        CProfile p(path);
        p.WriteProfileInt("METER", "406", 1);
        p.WriteProfileInt("METER", "IPADDRESS", -1062731519);
        p.WriteProfileString("ADSET", "CLK", "1");
        p.WriteProfileInt("meter", "406", 2);  // same key, other case: replaced in place
    }
    EXPECT_EQ(FileText(path), "[METER]\n406=2\nIPADDRESS=-1062731519\n\n[ADSET]\nCLK=1\n\n");
    CProfile again(path);
    EXPECT_EQ(again.GetProfileInt("Meter", "ipaddress", 0), -1062731519);
    EXPECT_EQ(again.GetProfileString("ADSET", "CLK", "x"), "1");
}

TEST(Profile, IntegerTextsAndDefaults)
{
    kivtest::TempDir dir;
    const auto path = dir / "p.ini";
    {
        std::ofstream out(path);
        out << "[S]\nplain=42\nneg=-7\nunsigned=3232235777\nword=12abc\nempty=\nhuge=4294967296\n";
    }
    CProfile p(path);
    struct Row {
        const char* key;
        int expected;
    };
    const Row rows[] = {{"plain", 42}, {"neg", -7}, {"unsigned", -1062731519}, {"word", 5},
                        {"empty", 5},  {"huge", 5}, {"missing", 5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(p.GetProfileInt("S", row.key, 5), row.expected);
    }
    EXPECT_EQ(p.GetProfileInt("NoSection", "plain", 9), 9);
}

TEST(Profile, DeletesKeysAndSections)
{
    kivtest::TempDir dir;
    CProfile p(dir / "p.ini");
    p.WriteProfileString("A", "k1", "v1");
    p.WriteProfileString("A", "k2", "v2");
    p.WriteProfileString("B", "k", "v");
    p.WriteProfileString("A", "K1", nullptr);
    EXPECT_EQ(p.Keys("A"), std::vector<std::string>{"k2"});
    p.WriteProfileString("b", nullptr, nullptr);
    EXPECT_EQ(p.Sections(), std::vector<std::string>{"A"});
    EXPECT_EQ(FileText(p.Path()), "[A]\nk2=v2\n\n");
}

TEST(Profile, BinaryValuesKeepTheirExactLength)
{
    kivtest::TempDir dir;
    CProfile p(dir / "p.ini");
    const std::vector<uint8_t> font = {0x00, 0x0F, 0xA5, 0xFF};
    p.WriteProfileBinary("MONITER", "FONT", font);
    EXPECT_EQ(p.GetProfileString("MONITER", "FONT"), "000FA5FF");
    std::vector<uint8_t> back;
    EXPECT_TRUE(p.GetProfileBinary("MONITER", "FONT", back));
    EXPECT_EQ(back, font);
    p.WriteProfileString("MONITER", "BAD", "0G");
    EXPECT_FALSE(p.GetProfileBinary("MONITER", "BAD", back));
    EXPECT_TRUE(back.empty());
    EXPECT_FALSE(p.GetProfileBinary("MONITER", "NONE", back));
}

TEST(Profile, ALineBreakInAValueCannotForgeAKey)
{
    kivtest::TempDir dir;
    const auto path = dir / "p.ini";
    {
        CProfile p(path);
        p.WriteProfileString("ARARM", "FILE", "/tmp/a.wav\n[METER]\nINTERFACE=1");
    }
    CProfile again(path);
    EXPECT_EQ(again.Sections(), std::vector<std::string>{"ARARM"});
    EXPECT_EQ(again.GetProfileInt("METER", "INTERFACE", 0), 0);
}

TEST(Profile, CarriageReturnsInAValueSurviveSaveAndLoad)
{
    kivtest::TempDir dir;
    const auto path = dir / "p.ini";
    const std::string values[] = {"END\r", "END\r\r", "a\rb", "\r"};
    {
        CProfile p(path);
        for (size_t i = 0; i < std::size(values); ++i)
            p.WriteProfileString("TEXT", std::to_string(i).c_str(), values[i].c_str());
        p.WriteProfileString("TEXT", "plain", "x");
    }
    CProfile again(path);
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(again.GetProfileString("TEXT", std::to_string(i).c_str()).str(), values[i]) << i;
    EXPECT_EQ(again.GetProfileString("TEXT", "plain"), "x");
    // A file edited elsewhere with CR LF line ends reads without the CRs.
    std::ofstream(dir / "crlf.ini", std::ios::binary) << "[S]\r\nk=v\r\n";
    EXPECT_EQ(CProfile(dir / "crlf.ini").GetProfileString("S", "k"), "v");
}

TEST(Profile, RewritesLeftByAKilledProgramGoAtStartUp)
{
    kivtest::TempDir dir;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const auto stale = dir / (".p.ini." + std::to_string(child) + "-0.new");
    std::ofstream(stale) << "[S]\n";
    CProfile p(dir / "p.ini");
    EXPECT_FALSE(std::filesystem::exists(stale));
}

TEST(Profile, AnUnwritableFolderLeavesReadsWorking)
{
    kivtest::TempDir dir;
    const auto blocker = dir / "file";
    std::ofstream(blocker) << "x";
    CProfile p(blocker / "sub" / "p.ini");  // a folder below a file cannot exist
    EXPECT_FALSE(p.WriteProfileInt("S", "k", 3));
    EXPECT_EQ(p.GetProfileInt("S", "k", 0), 3);  // kept for this run

    // The failure is there to be told once, naming the file, as a write.
    const auto failure = p.TakeWriteFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->m_strFileName.str(), (blocker / "sub" / "p.ini").string());
    fw::CString text;
    EXPECT_TRUE(failure->GetWriteErrorMessage(text));
    EXPECT_NE(text.str().find("p.ini"), std::string::npos) << text.str();
    EXPECT_FALSE(p.TakeWriteFailure().has_value());
}

TEST(Profile, DefaultPathFollowsXdgConfigHome)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(CProfile::DefaultPath("ZEL", "KIV-5400"), std::filesystem::path("/cfg/ZEL/KIV-5400.ini"));
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

} // namespace
