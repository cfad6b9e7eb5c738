// Samples inserted, deleted, kept and thinned for every channel through the
// value list, the marks following their samples, and one level of undo
// and redo through the document's journal.

#include "tests/data/views/DataViewFixture.h"

#include "common/tank/UseTankList.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataFrame.h"
#include "grid/model/GridStyle.h"
#include "project/views/DataTextOptions.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace dataview {
namespace {

constexpr unsigned kMsgSlowUndo = 493;

class RowOperations : public DataViewFixture {
protected:
    CKivDataChDataView* OpenValues(int rows, const std::vector<int32_t>& marks)
    {
        doc = OpenData(rows, marks);
        if (!doc)
            return nullptr;
        FrameOf(doc)->OnDataView(datacmd::kPageValues);
        return ViewOf<CKivDataChDataView>(doc);
    }
    // Whole rows first..last (0-based) selected.
    void SelectRows(CKivDataChDataView* view, int32_t first, int32_t last) { view->SelectRows(first + 1, last + 1); }
    double Value(int channel, int index) { return doc->GetUseTanks().GetObjectAt(channel)->GetValue(index); }

    CKivDataDoc* doc = nullptr;
};

TEST_F(RowOperations, DeleteRemovesMarksInsideAndMovesLaterOnesBack)
{
    CKivDataChDataView* view = OpenValues(100, {5, 15, 30});
    ASSERT_NE(view, nullptr);
    SelectRows(view, 10, 19);
    ASSERT_TRUE(IsEnabled(view, CKivDataViewBase::kIdDeleteRows));
    services.prompt.Expect(kMsgSlowUndo, fw::IDNO);
    Run(view, CKivDataViewBase::kIdDeleteRows);
    EXPECT_EQ(doc->GetSampleCount(), 90);
    EXPECT_EQ(Value(0, 10), 20.0);
    EXPECT_EQ(Value(1, 9), 10009.0);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{5, 20}));
    EXPECT_EQ(doc->GetStyle(CKivDataDoc::kStyleValues)->m_sheet.m_nRows, 90);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(RowOperations, KeepMovesTheKeptMarksToTheStart)
{
    CKivDataChDataView* view = OpenValues(100, {9, 10, 19, 20});
    ASSERT_NE(view, nullptr);
    SelectRows(view, 10, 19);
    services.prompt.Expect(kMsgSlowUndo, fw::IDNO);
    Run(view, CKivDataListViewBase::kIdDeleteOutside);
    EXPECT_EQ(doc->GetSampleCount(), 10);
    EXPECT_EQ(Value(0, 0), 10.0);
    EXPECT_EQ(Value(2, 9), 20019.0);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{0, 9}));
}

TEST_F(RowOperations, InsertMovesMarksAtAndAfterTheFirstRow)
{
    CKivDataChDataView* view = OpenValues(100, {9, 10});
    ASSERT_NE(view, nullptr);
    SelectRows(view, 10, 19);
    services.prompt.Expect(kMsgSlowUndo, fw::IDNO);
    Run(view, CKivDataViewBase::kIdInsertRows);
    EXPECT_EQ(doc->GetSampleCount(), 110);
    EXPECT_EQ(Value(0, 20), 10.0);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{9, 20}));
}

TEST_F(RowOperations, UndoPutsDeletedRowsAndMarksBackAndASecondUndoDeletesThemAgain)
{
    CKivDataChDataView* view = OpenValues(100, {15, 30});
    ASSERT_NE(view, nullptr);
    SelectRows(view, 10, 19);
    services.prompt.Expect(kMsgSlowUndo, fw::IDNO);
    Run(view, CKivDataViewBase::kIdDeleteRows);
    ASSERT_TRUE(IsEnabled(view, CKivDataViewBase::kIdUndo));
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(doc->GetSampleCount(), 100);
    for (int i : {9, 10, 15, 19, 20, 99})
        EXPECT_EQ(Value(1, i), 10000.0 + i) << i;
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{15, 30}));
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(doc->GetSampleCount(), 90);
    EXPECT_EQ(Value(1, 10), 10020.0);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{20}));
}

TEST_F(RowOperations, UndoOfKeepRestoresBothEndsUpToTheLastSample)
{
    CKivDataChDataView* view = OpenValues(100, {3, 12, 97});
    ASSERT_NE(view, nullptr);
    SelectRows(view, 10, 19);
    services.prompt.Expect(kMsgSlowUndo, fw::IDNO);
    Run(view, CKivDataListViewBase::kIdDeleteOutside);
    ASSERT_EQ(doc->GetSampleCount(), 10);
    Run(view, CKivDataViewBase::kIdUndo);
    ASSERT_EQ(doc->GetSampleCount(), 100);
    for (int i : {0, 9, 10, 19, 20, 99})
        EXPECT_EQ(Value(2, i), 20000.0 + i) << i;
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{3, 12, 97}));
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(doc->GetSampleCount(), 10);
    EXPECT_EQ(Value(2, 0), 20010.0);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2}));
}

TEST_F(RowOperations, YesRunsWithoutUndoAndCancelChangesNothing)
{
    CKivDataChDataView* view = OpenValues(50, {});
    ASSERT_NE(view, nullptr);
    SelectRows(view, 0, 4);
    services.prompt.Expect(kMsgSlowUndo, fw::IDCANCEL);
    Run(view, CKivDataViewBase::kIdDeleteRows);
    EXPECT_EQ(doc->GetSampleCount(), 50);
    EXPECT_FALSE(doc->IsModified());
    services.prompt.Expect(kMsgSlowUndo, fw::IDYES);
    Run(view, CKivDataViewBase::kIdDeleteRows);
    EXPECT_EQ(doc->GetSampleCount(), 45);
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdUndo));
}

TEST_F(RowOperations, ThinningHalvesTheValuesDoublesTheClockAndDropsTheUndoRecord)
{
    CKivDataChDataView* view = OpenValues(1001, {5});
    ASSERT_NE(view, nullptr);
    // A record of an earlier edit would put old rows back over thinned ones.
    SelectRows(view, 0, 1);
    services.prompt.Expect(kMsgSlowUndo, fw::IDNO);
    Run(view, CKivDataViewBase::kIdInsertRows);
    SelectRows(view, 0, 1);
    services.prompt.Expect(kMsgSlowUndo, fw::IDNO);
    Run(view, CKivDataViewBase::kIdDeleteRows);
    ASSERT_EQ(doc->GetSampleCount(), 1001);
    ASSERT_TRUE(IsEnabled(view, CKivDataViewBase::kIdUndo));
    ASSERT_TRUE(IsEnabled(view, CKivDataListViewBase::kIdThinning));
    auto* ask = CKivDataListViewBase::s_askThinning;
    CKivDataListViewBase::s_askThinning = [](int upper) { return upper == 1000 ? 1 : -1; };
    Run(view, CKivDataListViewBase::kIdThinning);
    CKivDataListViewBase::s_askThinning = ask;
    EXPECT_EQ(doc->GetSampleCount(), 501);
    EXPECT_EQ(doc->GetAdSet().m_dClk, 20.0);
    EXPECT_EQ(Value(0, 1), 2.0);
    EXPECT_EQ(Value(0, 500), 1000.0);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{3}));
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdUndo));
    fw::CString time;
    view->GetRowHeaderText(time, 1, 1, 0);
    EXPECT_EQ(std::stod(time.str()), 0.02) << "the time column steps by the new clock";
}

TEST_F(RowOperations, WholeRowsOfTheRealColumnCountEnableInsertAndDelete)
{
    CKivDataChDataView* view = OpenValues(20, {});
    ASSERT_NE(view, nullptr);
    const int32_t cols = doc->GetStyle(CKivDataDoc::kStyleValues)->m_sheet.m_nCols;
    EXPECT_EQ(cols, 4) << "three channels and the calculated one";
    view->SelectRows(4, 6);
    EXPECT_TRUE(IsEnabled(view, CKivDataViewBase::kIdInsertRows));
    EXPECT_TRUE(IsEnabled(view, CKivDataViewBase::kIdDeleteRows));
    int32_t first = 0;
    int32_t last = 0;
    ASSERT_TRUE(view->GetSelectedRows(first, last));
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 6);
    view->GetGrid()->SetSelection({3, 1, 3, 1}, {3, 1}, {3, 1}, false);
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdInsertRows));
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdDeleteRows));
}

} // namespace
} // namespace dataview

namespace dataview {
namespace {

TEST_F(DataViewFixture, ValueListSavesCommaSeparatedForCsvInAnyCaseAndTabsOtherwise)
{
    CKivDataDoc* doc = OpenData(3);
    ASSERT_NE(doc, nullptr);
    FrameOf(doc)->OnDataView(datacmd::kPageValues);
    auto* view = ViewOf<CKivDataChDataView>(doc);
    ASSERT_NE(view, nullptr);
    // The export of chosen channels and rows, here all of them.
    const tTextConvParam saved = AppTextConvParam();
    tTextConvParam& options = AppTextConvParam();
    options = tTextConvParam();
    options.lastRow = 3;
    for (int c = 0; c < view->GetViewStyle()->m_sheet.m_nCols; ++c)
        options.columns.push_back(c);
    const std::string csv = (dir / "list.CsV").string();
    const std::string txt = (dir / "list.txt").string();
    const bool savedCsv = view->SaveTextFile(fw::CString(csv));
    const bool savedTxt = view->SaveTextFile(fw::CString(txt));
    AppTextConvParam() = saved;
    ASSERT_TRUE(savedCsv);
    ASSERT_TRUE(savedTxt);
    auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    };
    const std::string a = read(csv);
    const std::string b = read(txt);
    // Title, timing and record lines, five header rows, three samples.
    EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), 11) << a;
    EXPECT_NE(a.find("\r\n1,0.00,0,10000,20000,"), std::string::npos) << a;
    EXPECT_NE(b.find("\r\n1\t0.00\t0\t10000\t20000\t"), std::string::npos) << b;
}

} // namespace
} // namespace dataview
