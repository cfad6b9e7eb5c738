#include "tests/data/model/DataFixture.h"

#include "data/model/DataTextExport.h"
#include "data/model/ExportTextWriter.h"
#include "framework/core/File.h"
#include "framework/core/Format.h"

#include <filesystem>
#include <limits>

namespace datatest {
namespace {

namespace fs = std::filesystem;

class PlainSheet : public IDataSheetSource {
public:
    int GetColumnCount() const override { return 2; }
    int GetRowCount() const override { return 3; }
    int GetRowHeaderColumns() const override { return 2; }
    fw::CString GetCornerText(int, int) const override { return {}; }
    fw::CString GetColumnHeaderText(int row, int col) const override { return fw::Format("h%d.%d", row, col); }
    fw::CString GetRowHeaderText(int row, int) const override { return fw::Format("%d", row + 1); }
    fw::CString GetCellText(int row, int col) const override { return fw::Format("%d.%d", row, col); }
    int GetColumnChannel(int col) const override { return col; }
    fw::CString GetRecordText(char) const override { return {}; }
    fw::CString GetTimingText(char) const override { return {}; }
};

using ExportIntervalTest = DataFixture;

// DADiSP places rows by the interval: a clock of zero (or one that is not
// a number) is refused once for the whole export, and nothing is written;
// the external clock counts samples and needs none.
TEST_F(ExportIntervalTest, DadispExportWithoutASamplingIntervalIsRefused)
{
    auto doc = MakeDocument();
    PlainSheet sheet;
    CDataTextExport exporter(*doc, sheet);
    tTextConvParam options;
    options.page = tTextConvParam::kPageDadisp;
    options.format = tTextConvParam::kHed;
    options.rowLimit = 2;
    const fs::path path = dir / "RUN.KIVD";
    for (double clock : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        doc->GetAdSet().m_dClk = clock;
        services.prompt.ExpectText("DADiSP", fw::IDOK);
        EXPECT_FALSE(exporter.WriteSplitText(fw::CString(path.string()), options)) << clock;
        EXPECT_FALSE(fs::exists(dir / "RUN_1_1.HED")) << clock;
        EXPECT_FALSE(fs::exists(dir / "RUN_1_2.HED")) << clock;
    }
    doc->GetAdSet().m_nExtClk = 1;
    EXPECT_TRUE(exporter.WriteSplitText(fw::CString(path.string()), options));
    EXPECT_TRUE(fs::exists(dir / "RUN_1_1.HED"));
    EXPECT_TRUE(fs::exists(dir / "RUN_1_2.DAT"));
}

} // namespace
} // namespace datatest
