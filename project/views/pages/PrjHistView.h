#pragma once

// The frequency-history page: one row per frequency-data file of the
// project's data folder, with its card file, start and stop time and test
// title. The files are opened, renamed, retitled and converted to text
// from here.

#include "project/views/ProjectBaseView.h"

class CReNameTitlePrf;

class CPrjHistView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjHistView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 146;
    static constexpr unsigned kIdShow = 32829;
    static constexpr unsigned kIdRename = 32952;
    static constexpr unsigned kIdRetitle = 32959;
    static constexpr unsigned kIdConvert = 33196;
    static constexpr unsigned kMsgTargetExists = 511;
    static constexpr unsigned kMsgCloseFiles = 512;

    CPrjHistView();

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override { return false; }
    bool CanPaste() const override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;

    int32_t LastRow() const;
    // The file of a row: "<data folder>/<stored name>.kivh".
    fw::CString RowFile(int32_t row) const;
    // The title pattern kept between uses.
    static CReNameTitlePrf& TitleSetting();

    void OnShowFile();
    void OnRenameFiles();
    void OnRetitleFiles();
    void OnConvertFiles();

private:
    void SetUsedExtents();
    bool SelectedRows(int32_t& first, int32_t& last) const;
    void OnUpdateFileCommand(fw::CCmdUI* ui);
    void Announce();
};
