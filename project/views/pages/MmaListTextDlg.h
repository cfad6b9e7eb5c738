#pragma once

// The choice of channels, steps and header lines for the max/min/average
// page's text file, kept by the program from start to exit, and the dialog
// that edits it.

#include "common/base/DocIdent.h"
#include "framework/ui/Dialog.h"

#include <cstdint>
#include <vector>

class CKIV5980Doc;
class CMMAObject;

struct CMmaListTextOption {
    CDocIdent m_document;
    // The first column (3k) of each chosen channel, in list order.
    std::vector<int16_t> m_channels;
    int m_bTitle = 1;
    int m_bName = 1;
    int m_bUnit = 1;
    int32_t m_nFirstStep = 1;
    int32_t m_nLastStep = -1;
    int m_bOneLine = 0;

    // The program's record.
    static CMmaListTextOption& Current();
};

// "CH%d" with the channel's position in the channel list + 1 for a measured
// channel, "NO%d" with the number - 499 for a calculated one.
fw::CString MmaChannelLabel(const CMMAObject& history, int channelIndex);
// A tank name without its kind suffix (the last 7 bytes of its stored form).
fw::CString MmaChannelName(const fw::CString& tankName);
fw::CString MmaKindLabel(const fw::CString& tankName);

class CMmaListTextDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CMmaListTextDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 148;
    static constexpr int kIdList = 1013;
    static constexpr int kIdTitle = 1014;
    static constexpr int kIdName = 1015;
    static constexpr int kIdUnit = 1016;
    static constexpr int kIdOneLine = 1017;
    static constexpr int kIdFirst = 1018;
    static constexpr int kIdLast = 1019;
    static constexpr int kIdSelectAll = 1020;
    static constexpr unsigned kMsgStepOrder = 406;
    static constexpr unsigned kMsgNothingChosen = 238;

    CMmaListTextDlg(CKIV5980Doc& doc, fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    // OK copies the options into the program's record.
    int DoModal() override;

    CMmaListTextOption m_option;

private:
    void FillChannelList();
    void OnNameOrUnit();
    void OnSelectAll();
    void EnableOneLine();

    CKIV5980Doc& m_doc;
};
