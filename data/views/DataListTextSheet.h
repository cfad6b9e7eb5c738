#pragma once

// The option sheet of a data list's text export: four pages (chosen
// channels and rows, all channels, LOB-5950 layout, DADiSP layout) over a
// working copy of the options; the page shown when OK is pressed is the
// layout written.

#include "data/model/TextConvParam.h"
#include "framework/ui/Dialog.h"
#include "grid/model/GridTypes.h"
#include "project/views/DataTextOptions.h"

#include <array>
#include <memory>
#include <vector>

class CKivDocBase;
class CDataListTextSheet;
class QTabWidget;

// What every page shares: the sheet's options and its place in the sheet.
class CDataListTextPageBase : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CDataListTextPageBase)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int kIdTitle = 1014, kIdName = 1015, kIdUnit = 1016, kIdOneLine = 1017;
    static constexpr int kIdFirst = 1018, kIdLast = 1019;

    CDataListTextPageBase(unsigned templateId, int32_t page, CDataListTextSheet& sheet);

    // The page becomes the chosen layout and shows the options again (they
    // may have changed on another page since it was first shown).
    virtual bool OnSetActive();
    // Takes the controls into the options; false keeps the page.
    virtual bool OnKillActive() { return UpdateData(true); }
    // OK while the page is shown; false keeps the sheet open.
    virtual bool OnSheetOK() { return OnKillActive(); }
    int32_t PageNumber() const { return m_nPage; }

protected:
    tTextConvParam& Options() const;
    // Shows the options (the "name and unit in one line" box only counts
    // while both are ticked).
    void OnNameUnitCheck();
    void ExchangeChecks(fw::CDataExchange* dx, bool title, bool oneLine);
    void ExchangeLimits(fw::CDataExchange* dx);
    void BuildChecks(fw::DialogBuilder& b, bool title, bool oneLine);
    void BuildLimits(fw::DialogBuilder& b);

    CDataListTextSheet& m_sheet;

private:
    int32_t m_nPage;
    bool m_bFirstActive = true;
};

// Chosen channels and rows.
class CDataListTextPage : public CDataListTextPageBase {
    FW_DECLARE_DYNAMIC(CDataListTextPage)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 328;
    static constexpr int kIdList = 1013;
    static constexpr int kIdSelectAll = 1020;
    static constexpr int kIdSelectionAsSteps = 1409;

    explicit CDataListTextPage(CDataListTextSheet& sheet);
    void BuildControls(fw::DialogBuilder& b) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    bool OnSheetOK() override;

    void OnSetSelectionAsSteps();
    void OnSelectAll();
    // The list's rows: the tank's name and its "CH"/"NO" number; the sheet
    // column behind each row.
    int GetItemCount() const;
    fw::CString GetItemText(int item, int column) const;
    int GetItemColumn(int item) const;
    void SetItemSelected(int item, bool selected);
    std::vector<int> SelectedColumns() const;

private:
    void FillList();
};

// Whole sheet, cut into files of at most so many columns and rows.
class CDataListTextAllPage : public CDataListTextPageBase {
    FW_DECLARE_DYNAMIC(CDataListTextAllPage)
public:
    static constexpr unsigned kTemplateId = 329;
    explicit CDataListTextAllPage(CDataListTextSheet& sheet);
    void BuildControls(fw::DialogBuilder& b) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
};

class CDataListText5950Page : public CDataListTextPageBase {
    FW_DECLARE_DYNAMIC(CDataListText5950Page)
public:
    static constexpr unsigned kTemplateId = 330;
    explicit CDataListText5950Page(CDataListTextSheet& sheet);
    void BuildControls(fw::DialogBuilder& b) override;
    void DoDataExchange(fw::CDataExchange* dx) override;
};

class CDataListDADiSPPage : public CDataListTextPageBase {
    FW_DECLARE_DYNAMIC(CDataListDADiSPPage)
public:
    static constexpr unsigned kTemplateId = 336;
    explicit CDataListDADiSPPage(CDataListTextSheet& sheet);
    void BuildControls(fw::DialogBuilder& b) override;
    void DoDataExchange(fw::CDataExchange* dx) override;
};

class CDataListTextSheet : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CDataListTextSheet)
public:
    static constexpr unsigned kIdsCaption = 488;  // "データのテキスト変換"
    static constexpr int kIdTabs = 0x3020;
    static constexpr int kPageCount = 4;
    // DoModal's answer when a page could not be made.
    static constexpr int kPagesFailed = 3;

    CDataListTextSheet(unsigned captionId, fw::CWnd* parent, int32_t firstPage);
    ~CDataListTextSheet() override;

    // Makes the four pages, then runs the sheet: IDOK (the options hold
    // the choice), IDCANCEL, or kPagesFailed after a report.
    int DoModal() override;
    void BuildControls(fw::DialogBuilder& b) override;
    bool OnInitDialog() override;
    void OnOK() override;

    // Shows page `index` when the shown one lets go; false when it kept
    // the sheet on itself.
    bool SetActivePage(int index);
    int GetActiveIndex() const { return m_nActive; }
    CDataListTextPageBase* GetPage(int index) const;

    tTextConvParam m_options;
    // A data document, or the project whose data list is exported.
    CKivDocBase* m_pDoc = nullptr;
    // The view's selection (sheet rows and columns, from 0).
    CCellRange m_selection;
    // Rows the document holds (bounds of the chosen-rows page).
    int32_t m_nRowCount = 0;

private:
    QTabWidget* Tabs() const;
    void MakePages();
    void OnTabChanged(int index);
    bool ActivatePage(int index);

    int32_t m_nFirstPage;
    std::array<std::unique_ptr<CDataListTextPageBase>, kPageCount> m_pages;
    int m_nActive = -1;
    bool m_bSwitching = false;
};

// The sheet as the project's data list asks for it.
class CDataListTextSheetRunner final : public IDataListTextSheet {
public:
    bool Run(tTextConvParam& options, const CCellRange& selection, CKIV5980Doc& doc, fw::CWnd* parent) override;
};
