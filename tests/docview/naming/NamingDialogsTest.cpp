// The data selection and the automatic-naming dialogs, driven by control
// id without a modal loop.

#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/naming/NamingStrings.h"
#include "docview/naming/NameListCtrl.h"
#include "docview/naming/NameSelectDlg.h"
#include "docview/naming/NameSetDlg.h"
#include "tests/support/ui/DialogFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using appuitest::Click;
using appuitest::Shown;

class NameSelect : public appuitest::DialogFixture {
protected:
    void SetUp() override
    {
        // Channel 2 and calculated channel 500 are named; 0 is not.
        CUseTankList& used = doc.GetUseTanks();
        for (int i = 0; i <= 500; ++i) {
            CDataTankObject* tank = nullptr;
            if (i == 0 || i == 2 || i == 500) {
                tank = new CFltDataTank;
                tank->SetName(i == 0 ? "" : i == 2 ? "Load" : "Calc");
            }
            used.AddTank(tank, false);
        }
    }

    static std::vector<std::string> RunningNames(fw::CDialog& d)
    {
        auto* list = d.GetDlgItemAs<CNameListCtrl>(CNameSelectDlg::kIdList);
        std::vector<std::string> names;
        for (int row = 0; row < list->GetItemCount(); ++row)
            names.push_back(list->GetItemText(row, 1).str());
        return names;
    }

    CKivDocBase doc;
};

TEST_F(NameSelect, ListsTheDocumentsChannelsAndPresetsTheCurrentOne)
{
    struct Row {
        const char* name;
        int16_t current;
        int selectedRow;
    } rows[] = {
        {"measured", 2, 0},
        {"calculated", 500, 1},
        {"none", -1, -1},
        {"unnamed_channel", 0, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CNameSelectDlg dlg(&doc);
        dlg.m_nTankIndex = r.current;
        std::vector<std::string> names;
        int selected = -2;
        dialogs.On(CNameSelectDlg::kTemplateId, [&](fw::CDialog& d) {
            names = RunningNames(d);
            selected = dlg.List()->GetSelectedRow();
            Click(d, fw::IDCANCEL);
            return -1;
        });
        EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
        EXPECT_EQ(names, (std::vector<std::string>{"CH3", "NO1"}));
        EXPECT_EQ(selected, r.selectedRow);
        EXPECT_EQ(dlg.m_nTankIndex, r.current) << "Cancel keeps the preset";
    }
}

TEST_F(NameSelect, OkWithoutARowSaysSoAndStaysOpenThenTakesTheChosenChannel)
{
    CNameSelectDlg dlg(&doc);
    dlg.m_nTankIndex = -1;
    services.prompt.Expect(naming::kIdpNoDataSelected, fw::IDOK);
    dialogs.On(CNameSelectDlg::kTemplateId, [&](fw::CDialog& d) {
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(dlg.m_nTankIndex, -1);
        dlg.List()->SetSelectedRow(1);
        Click(d, fw::IDOK);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_nTankIndex, 500);
}

TEST_F(NameSelect, ADialogWithoutADocumentHasNothingToChoose)
{
    CNameSelectDlg dlg(nullptr);
    services.prompt.Expect(naming::kIdpNoDataSelected, fw::IDOK);
    dialogs.On(CNameSelectDlg::kTemplateId, [&](fw::CDialog& d) {
        EXPECT_EQ(dlg.List()->GetItemCount(), 0);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        Click(d, fw::IDCANCEL);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
}

class NameSet : public appuitest::DialogFixture {
protected:
    static void Type(fw::CDialog& d, int id, const char* text) { d.GetDlgItemAs<fw::CEdit>(id)->TypeText(text); }
    static void Mode(fw::CDialog& d, int mode) { d.GetDlgItemAs<fw::CComboBox>(CNameSetDlg::kIdMode)->UserSelect(mode); }

    // Runs the dialog on `record`, lets `act` edit it, and answers the result.
    int Run(CNameSetParam& record, const std::function<void(fw::CDialog&)>& act)
    {
        CNameSetDlg dlg;
        dlg.SetTarget(&record);
        dialogs.On(CNameSetDlg::kTemplateId, [&](fw::CDialog& d) {
            act(d);
            return -1;
        });
        return dlg.DoModal();
    }

    static std::vector<std::string> Names(CNameSetParam& record, int count)
    {
        std::vector<std::string> names;
        EXPECT_TRUE(record.ParseStartNumber());
        for (int i = 0; i < count; ++i) {
            fw::CString name;
            record.MakeNextName(name);
            names.push_back(name.str());
        }
        return names;
    }
};

TEST_F(NameSet, TheModeShowsItsControls)
{
    struct Row {
        int mode;
        bool start, added1, added2, added3;
    } rows[] = {
        {0, false, false, false, false},
        {1, true, false, false, false},
        {2, true, true, true, false},
        {3, true, true, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mode);
        auto check = [&](fw::CDialog& d) {
            EXPECT_EQ(Shown(d, CNameSetDlg::kIdStartNumber), r.start);
            EXPECT_EQ(Shown(d, CNameSetDlg::kIdAdded1), r.added1);
            EXPECT_EQ(Shown(d, CNameSetDlg::kIdAdded2), r.added2);
            EXPECT_EQ(Shown(d, CNameSetDlg::kIdAdded3), r.added3);
        };
        // Opened in that mode, and switched to it in the combo box.
        CNameSetParam record;
        record.m_mode = r.mode;
        EXPECT_EQ(Run(record, [&](fw::CDialog& d) {
                      check(d);
                      Mode(d, 3 - r.mode);
                      Mode(d, r.mode);
                      check(d);
                      Click(d, fw::IDCANCEL);
                  }),
                  fw::IDCANCEL);
    }
}

TEST_F(NameSet, OkHandsTheSettingsOverAndTheNamesFollowInOrder)
{
    struct Row {
        const char* name;
        int mode;
        const char* leading;
        const char* start;
        std::vector<std::string> names;
    } rows[] = {
        {"serial", 1, "CH", "001", {"CH001", "CH002", "CH003"}},
        {"serial_xy", 2, "-", "1", {"-1X", "-1Y", "-2X", "-2Y"}},
        {"serial_xyz", 3, "-", "08", {"-08X", "-08Y", "-08Z", "-09X"}},
        {"full_width_start", 1, "A", "０７", {"A07", "A08"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CNameSetParam record;
        EXPECT_EQ(Run(record, [&](fw::CDialog& d) {
                      Mode(d, r.mode);
                      Type(d, CNameSetDlg::kIdLeading, r.leading);
                      Type(d, CNameSetDlg::kIdStartNumber, r.start);
                      Click(d, fw::IDOK);
                  }),
                  fw::IDOK);
        EXPECT_EQ(record.m_mode, r.mode);
        EXPECT_EQ(record.m_startNumber, r.start);
        EXPECT_EQ(Names(record, int(r.names.size())), r.names);
    }
}

TEST_F(NameSet, ABadStartNumberIsRefusedInTheNumberingModesOnly)
{
    struct Row {
        const char* name;
        int mode;
        const char* start;
        bool refused;
    } rows[] = {
        {"letters_serial", 1, "1a", true},
        {"empty_xy", 2, "", true},
        {"letters_xyz", 3, "x", true},
        {"letters_no_number", 0, "1a", false},
        {"empty_no_number", 0, "", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.refused)
            services.prompt.Expect(naming::kIdpEnterNumber, fw::IDOK);
        CNameSetParam record;
        const int result = Run(record, [&](fw::CDialog& d) {
            Mode(d, r.mode);
            Type(d, CNameSetDlg::kIdStartNumber, r.start);
            Click(d, fw::IDOK);
            EXPECT_EQ(d.IsEnded(), !r.refused);
            if (r.refused) {
                // The dialog stays open for a correction.
                Type(d, CNameSetDlg::kIdStartNumber, "5");
                Click(d, fw::IDOK);
            }
        });
        EXPECT_EQ(result, fw::IDOK);
        EXPECT_EQ(record.m_startNumber, r.refused ? "5" : r.start);
        EXPECT_EQ(services.prompt.Problems(), "");
    }
}

TEST_F(NameSet, ShippedSettingsFillTheControlsAndCancelKeepsTheRecord)
{
    CNameSetParam record;
    record.m_leading = "CH";
    record.m_trailing = "_b";
    record.m_mode = CNameSetParam::kModeSerialXYZ;
    record.m_added = {fw::CString("A"), fw::CString("B"), fw::CString("C")};
    record.m_startNumber = "10";
    std::vector<std::string> shown;
    EXPECT_EQ(Run(record, [&](fw::CDialog& d) {
                  EXPECT_EQ(d.GetDlgItemText(CNameSetDlg::kIdLeading), "CH");
                  EXPECT_EQ(d.GetDlgItemText(CNameSetDlg::kIdAdded3), "C");
                  Click(d, CNameSetDlg::kIdDefaults);
                  for (int id : {CNameSetDlg::kIdLeading, CNameSetDlg::kIdTrailing, CNameSetDlg::kIdAdded1,
                                 CNameSetDlg::kIdAdded2, CNameSetDlg::kIdAdded3, CNameSetDlg::kIdStartNumber})
                      shown.push_back(d.GetDlgItemText(id).str());
                  EXPECT_EQ(d.GetDlgItemAs<fw::CComboBox>(CNameSetDlg::kIdMode)->GetCurSel(), 0);
                  EXPECT_FALSE(Shown(d, CNameSetDlg::kIdStartNumber));
                  Click(d, fw::IDCANCEL);
              }),
              fw::IDCANCEL);
    EXPECT_EQ(shown, (std::vector<std::string>{"-", "", "X", "Y", "Z", "1"}));
    EXPECT_EQ(record.m_leading, "CH");
    EXPECT_EQ(record.m_mode, CNameSetParam::kModeSerialXYZ);
}

TEST_F(NameSet, TheControlsTakeNoMoreThanTheirLengths)
{
    CNameSetParam record;
    EXPECT_EQ(Run(record, [&](fw::CDialog& d) {
                  Mode(d, 3);
                  Type(d, CNameSetDlg::kIdAdded1, "ABC");
                  Type(d, CNameSetDlg::kIdStartNumber, "123456");
                  Type(d, CNameSetDlg::kIdLeading, std::string(300, 'L').c_str());
                  Click(d, fw::IDOK);
              }),
              fw::IDOK);
    EXPECT_EQ(record.m_added[0], "AB");
    EXPECT_EQ(record.m_startNumber, "1234");
    EXPECT_EQ(record.m_leading.GetLength(), 255);
}

} // namespace
