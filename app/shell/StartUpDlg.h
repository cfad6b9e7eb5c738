#pragma once

// The start page: new project, open a file, close, and the recently used
// files with their modification times as links. It ends with 1 (new
// project), 2 (closed) or 5 (open: the clicked recent file, or an empty
// path for the open dialog); the StartUp-graphs check box goes back to the
// caller whatever the result.

#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

#include <cstdint>
#include <vector>

namespace fw {
class CRecentFileList;
}

// One row of the recent-file table: the entry's index in the recent-file
// list (skipped entries keep their indices), its file name and its time.
struct RecentFileRow {
    int index;
    fw::CString name;
    fw::CString modified;
};

// The existing files of the list, in list order.
std::vector<RecentFileRow> ExistingRecentFiles(const fw::CRecentFileList& list);
// The table shown on the page: a header row and one row per existing
// file; names are escaped, each links to its list index.
fw::CString BuildRecentFileTable(const std::vector<RecentFileRow>& rows, const fw::CString& faceName);

class CStartUpDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CStartUpDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int kResultOpen = 5;
    static constexpr int IDC_OPEN_PROJECT = 1001;
    static constexpr int IDC_STARTUP_GRAPHS = 1002;
    static constexpr int IDC_FILE_LIST = 1003;

    explicit CStartUpDlg(const fw::CRecentFileList& recentFiles, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnCancel() override;

    // A click on the recent-file link of list index `index`; an index the
    // list does not have raises the invalid-argument exception.
    void OnFileClicked(int index);
    void OnOpenProject();
    // The table as shown (tests read it).
    fw::CString GetFileTableHtml() const { return m_tableHtml; }

    fw::CString m_strPath;
    int m_bStartUp = 1;

private:
    void FillFileList();

    const fw::CRecentFileList& m_recentFiles;
    fw::CString m_tableHtml;
};
