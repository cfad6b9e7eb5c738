// The record history's conversion of a frequency file writes its files
// into the chosen folder, named after the file, never beside the file.
#ifdef KIV_FREQUENCY_VIEWS

#include "tests/frequency/views/HistWindowFixture.h"

#include "frequency/document/HistFileTextParam.h"
#include "frequency/model/HistTables.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace histview_test {
namespace {

namespace fs = std::filesystem;

// The framework's message for a path that cannot be made.
constexpr unsigned kIdsBadPath = 61729;

std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            names.insert(entry.path().filename().string());
    return names;
}

std::unique_ptr<CHistCountArray> TwoAnalyses()
{
    auto a = std::make_unique<CHistCountArray>();
    a->Add(MakeAnalysis("DN_1", kHistTime, 2, 2, 100.0f, {1, 2, 3, 4}));
    a->Add(MakeAnalysis("DN_2", kHistTime, 2, 2, 100.0f, {4, 3, 2, 1}));
    return a;
}

TEST_F(HistWindowFixture, ConversionWritesIntoTheChosenFolderNotBesideTheFile)
{
    CHistDoc* doc = OpenRecord(TwoAnalyses(), "h141002103000");
    ASSERT_NE(doc, nullptr);
    const std::set<std::string> before = FilesIn(dir.Path());
    const fs::path out = dir / "converted";
    fs::create_directories(out);

    struct Row {
        const char* name;
        int format;
        std::set<std::string> files;
    } rows[] = {
        {"csv", CHistFileTextParam::kFormatCsv, {"H141002103000_DN_1.CSV", "H141002103000_DN_2.CSV"}},
        {"text", CHistFileTextParam::kFormatText, {"H141002103000_DN_1.TXT", "H141002103000_DN_2.TXT"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fs::remove_all(out);
        fs::create_directories(out);
        CHistFileTextParam settings;
        settings.SetFormat(r.format);
        settings.m_folder = fw::CString(out.string());
        ASSERT_TRUE(ConvertHistDocumentToText(*doc, settings));
        EXPECT_EQ(FilesIn(out), r.files);
        // The frequency file's folder holds what it held before.
        EXPECT_EQ(FilesIn(dir.Path()), before);
    }
}

TEST_F(HistWindowFixture, ConversionIntoAFolderThatIsMissingReportsFailure)
{
    CHistDoc* doc = OpenRecord(TwoAnalyses(), "REC");
    ASSERT_NE(doc, nullptr);
    CHistFileTextParam settings;
    settings.SetFormat(CHistFileTextParam::kFormatVo8025);
    settings.m_folder = fw::CString((dir / "missing").string());
    // The file error names the file in the chosen folder.
    services.prompt.Expect(kIdsBadPath, fw::IDOK);
    EXPECT_FALSE(ConvertHistDocumentToText(*doc, settings));
    EXPECT_FALSE(fs::exists(dir / "REC.CSV"));
}

} // namespace
} // namespace histview_test

#endif
