// Control-unit settings files: names per control unit, the lines a control
// unit reads, CP932 with CR LF, and golden files of whole projects.

#include "tests/project/ProjectFixture.h"

#include "framework/core/Services.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace prjtest;

namespace {

const std::string kGoldenDir = std::string(KIV_SOURCE_DIR) + "/tests/project/golden/";

class SettingsFile : public ProjectFixture {
protected:
    // The file's lines, split at CR LF.
    static std::vector<std::string> Lines(const std::string& bytes)
    {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
            lines.push_back(bytes.substr(start, at - start));
        if (start < bytes.size())
            lines.push_back(bytes.substr(start));
        return lines;
    }

    static std::string LineOf(const std::vector<std::string>& lines, const std::string& key)
    {
        for (const std::string& line : lines)
            if (line.compare(0, key.size(), key) == 0)
                return line;
        return "<missing " + key + ">";
    }

    std::vector<std::string> WriteOne(CKIV5980Doc& doc, const std::string& name)
    {
        const std::string path = PathOf(name);
        EXPECT_TRUE(doc.WriteSettingsFiles(fw::CString(path)));
        return Lines(ReadAll(path));
    }

    // Compares with the golden file; KIV_UPDATE_GOLDEN=1 writes it instead.
    void ExpectGolden(const std::string& bytes, const std::string& name)
    {
        const std::string golden = kGoldenDir + name;
        if (std::getenv("KIV_UPDATE_GOLDEN")) {
            std::filesystem::create_directories(kGoldenDir);
            WriteAll(golden, bytes);
            return;
        }
        ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
        const std::vector<std::string> want = Lines(ReadAll(golden));
        const std::vector<std::string> got = Lines(bytes);
        ASSERT_EQ(got.size(), want.size()) << name;
        for (size_t i = 0; i < want.size(); ++i)
            EXPECT_EQ(got[i], want[i]) << name << " line " << i + 1;
        EXPECT_EQ(bytes, ReadAll(golden)) << name;
    }
};

TEST_F(SettingsFile, NamesPerControlUnit)
{
    struct Row {
        const char* name;
        const char* path;
        int boxes;
        std::vector<std::string> files;
    };
    const Row rows[] = {
        {"one unit keeps the name", "/m/a.set", 1, {"/m/a.set"}},
        {"two units", "/m/a.set", 2, {"/m/a_BOX1.set", "/m/a_BOX2.set"}},
        {"before the last point", "/m/x.y.set", 2, {"/m/x.y_BOX1.set", "/m/x.y_BOX2.set"}},
        {"percent taken literally", "/m/%d.set", 2, {"/m/%d_BOX1.set", "/m/%d_BOX2.set"}},
        {"no point: the same name for each", "/m/plain", 2, {"/m/plain", "/m/plain"}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> got;
        for (const fw::CString& n : CKIV5980Doc::SettingsFileNames(fw::CString(row.path), row.boxes))
            got.push_back(n.str());
        EXPECT_EQ(got, row.files) << row.name;
    }
}

TEST_F(SettingsFile, LinesOfAnUntouchedUnit)
{
    projectHost.adSet.m_dClk = 1.0;
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CBoxArray& system = doc->GetBoxArray();
    for (int i = 0; i < doc->GetChannelCount(); ++i)
        system.SetChannelValue(i, 0, 0);
    const auto lines = WriteOne(*doc, "off.set");
    EXPECT_EQ(LineOf(lines, "SERIES "), "SERIES " + std::string(79, ','));
    EXPECT_EQ(LineOf(lines, "INTERVAL "), "INTERVAL 0.001000000000000");
    EXPECT_EQ(LineOf(lines, "DATA_SIZE "), "DATA_SIZE " + std::to_string(system.GetADSet().m_nNum));
}

TEST_F(SettingsFile, ChannelProgramAndTriggerFields)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CBoxArray& system = doc->GetBoxArray();
    ASSERT_TRUE(system.SetChannelValue(0, 0, 1));
    ASSERT_TRUE(system.SetChannelValue(1, 0, 0));
    struct Setting {
        int code;
        double value;
    };
    for (const Setting s : {Setting{111, -1}, {119, 0}, {120, 10}, {121, 0}, {115, 0}, {116, 50}, {117, 0}, {118, 5}})
        EXPECT_TRUE(system.SetChannelValue(0, s.code, s.value)) << s.code;
    const auto lines = WriteOne(*doc, "prog.set");
    EXPECT_EQ(LineOf(lines, "SERIES ").substr(0, 12), "SERIES CH_1,");
    EXPECT_EQ(LineOf(lines, "PROGRAM_MEAS "), "PROGRAM_MEAS **;**;**;**,00;10;00,00;50;00,05");
    EXPECT_EQ(LineOf(lines, "TRIGGER_LEVEL ").substr(0, 16), "TRIGGER_LEVEL 0,");
}

TEST_F(SettingsFile, ExistingFileIsKeptUnlessTheUserAgrees)
{
    projectHost.profile = ProfileOf({{1, 1, 3}, {2}});
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    WriteAll(PathOf("s_BOX1.set"), "mine");
    services.prompt.Expect(prjstr::kMsgOverwrite, fw::IDNO);
    EXPECT_FALSE(doc->WriteSettingsFiles(fw::CString(PathOf("s.set"))));
    EXPECT_EQ(ReadAll(PathOf("s_BOX1.set")), "mine");
    EXPECT_FALSE(ReadAll(PathOf("s_BOX2.set")).empty());
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_NE(services.prompt.Prompts()[0].text.str().find("s_BOX1.set は既に存在します。"), std::string::npos);
}

TEST_F(SettingsFile, GoldenFilesOfOneAndTwoUnits)
{
    projectHost.profile = ProfileOf({{1, 1, 3}, {2, 2}});
    projectHost.adSet.m_dClk = 10.0;
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CBoxArray& system = doc->GetBoxArray();
    ASSERT_TRUE(system.SetChannelValue(2, 0, 1));
    ASSERT_TRUE(system.SetChannelText(0, 1000, "荷重"));
    ASSERT_TRUE(doc->WriteSettingsFiles(fw::CString(PathOf("g.set"))));
    const std::string first = ReadAll(PathOf("g_BOX1.set"));
    EXPECT_EQ(first.find('\n') == std::string::npos ? '?' : first[first.find('\n') - 1], '\r');
    ExpectGolden(first, "two_units_BOX1.set");
    ExpectGolden(ReadAll(PathOf("g_BOX2.set")), "two_units_BOX2.set");
}

} // namespace
