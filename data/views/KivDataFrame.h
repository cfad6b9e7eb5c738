#pragma once

// The window of a measurement-data document: its pages (channel table,
// calculated channels, value list, graph list and, for data that hold
// them, the CAN, voice and GPS pages), one shown at a time and chosen from
// a tool bar of three families that each remember their last page, under a
// bar with the test title and the recording facts.

#include "docview/frames/PageFrame.h"
#include "docview/frames/PageFrameBar.h"
#include "framework/core/CString.h"

#include <cstdint>

class CKivDataDoc;

namespace fw {
class CSplitterWnd;
}

namespace datacmd {
inline constexpr unsigned kFamilyChannel = 32828;
inline constexpr unsigned kFamilyData = 32784;
inline constexpr unsigned kFamilyCanGps = 33299;
inline constexpr unsigned kPageInput = 32866;
inline constexpr unsigned kPageCalc = 32867;
inline constexpr unsigned kPageValues = 32795;
inline constexpr unsigned kPageGraph = 32796;
inline constexpr unsigned kPageVoice = 33298;
inline constexpr unsigned kPageGps = 33300;
inline constexpr unsigned kPageCan = 33301;
inline constexpr unsigned kPageGpsRaw = 33302;
inline constexpr unsigned kPageCanGraph = 33326;
inline constexpr unsigned kPageGpsMap = 33368;
inline constexpr unsigned kMarkerShow = 33531;
inline constexpr unsigned kMarkerSelect = 33535;
inline constexpr unsigned kMarkerButton = 33537;
inline constexpr unsigned kSpectrumGraph = 32940;
inline constexpr unsigned kToolBarId = 0xE806;
inline constexpr unsigned kFrameBarId = 161;
} // namespace datacmd

// A view of the window's pages besides the graph list that follows the
// marker tool of the window (the GPS page's track and graph list).
class IMarkerModeView {
public:
    virtual ~IMarkerModeView() = default;
    // 0 no tool, 1 the marker tool.
    virtual void FollowMarkerMode(int32_t mode) = 0;
};

// Dialog bar 161: the test title (1001) and the recording facts.
class CKivDataFrameBar : public CPageFrameBar {
    FW_DECLARE_DYNAMIC(CKivDataFrameBar)
public:
    static constexpr int kLabelTime = 1239;
    static constexpr int kTimeValue = 1002;
    static constexpr int kTimeUnit = 1003;
    static constexpr int kLabelClock = 1240;
    static constexpr int kClockValue = 1004;
    static constexpr int kLabelMs = 1241;
    static constexpr int kLabelDate = 1242;
    static constexpr int kDateValue = 1084;
    static constexpr int kLabelMethod = 1243;
    static constexpr int kMethodValue = 1085;
    static constexpr int kLabelCycles = 1244;
    static constexpr int kCyclesValue = 1086;

    bool Create(fw::CFrameWnd* frame);
};

class CKivDataFrame : public CPageFrame {
    FW_DECLARE_DYNCREATE(CKivDataFrame)
    FW_DECLARE_COMMANDS()
public:
    CKivDataFrame();
    ~CKivDataFrame() override;

    // The view class of a page that a higher subsystem supplies (the CAN,
    // voice and GPS pages); pages without one are not made.
    static void SetPageClass(unsigned pageId, const fw::CRuntimeClass* viewClass);

    bool Create(const fw::CString& title, unsigned menuId = 0) override;
    bool OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass) override;
    void InitialUpdateFrame(fw::CDocument* document, bool makeVisible) override;
    void ActivateFrame(int showCmd = -1) override;

    void GetTimingText(fw::CString& text, char separator) const;
    void GetRecordText(fw::CString& text, char separator) const;
    void UpdateTitleEdit() { SyncTitleEdit(); }
    void UpdateBarFields();
    void UpdateToolBar(bool canGps);

    // Page switching.
    void OnChannelView(unsigned id) { OnPageCommand(id); }
    void OnDataView(unsigned id) { OnPageCommand(id); }
    void OnCanGpsView(unsigned id) { OnPageCommand(id); }
    void OnChannelFamily() { OnPageGroup(datacmd::kFamilyChannel); }
    void OnDataFamily() { OnPageGroup(datacmd::kFamilyData); }
    void OnCanGpsFamily() { OnPageGroup(datacmd::kFamilyCanGps); }
    void OnMarkerShow();
    void OnMarkerSelect();
    // The marker button and its arrow: the marker menu under the button.
    void OnMarkerButton();

    unsigned GetFamily() const { return GetCurrentGroup(); }
    unsigned GetCanGpsPage() const { return GetLastPage(datacmd::kFamilyCanGps); }
    void SetCanGpsPage(unsigned id) { SetLastPage(datacmd::kFamilyCanGps, id); }
    bool IsMarkerSelectMode() const { return m_nMarkerMode != 0; }
    fw::CSplitterWnd* PageWindow(unsigned id) const { return PageSplitter(id); }
    fw::CToolBar& FamilyToolBar() { return PageToolBar(); }
    CKivDataFrameBar& FrameBar() { return m_bar; }

protected:
    CPageFrameBar& PageBar() override { return m_bar; }
    bool IsPageEnabled(unsigned id) override;
    bool IsGroupEnabled(unsigned group) override;
    bool HasDropDown(unsigned id) const override { return id == datacmd::kMarkerButton; }
    void OnOtherDropDown(unsigned id, const fw::CRect& button) override;
    const char* ButtonText(unsigned id) const override;
    void OnLeavingPage(unsigned id) override;
    void OnPageShown(unsigned id) override;

private:
    CKivDataDoc* DataDoc() const;
    void OnUpdateMarkerSelect(fw::CCmdUI* ui);
    void OnUpdateMarkerShow(fw::CCmdUI* ui);
    void OnUpdateSpectrum(fw::CCmdUI* ui);
    void OnSpectrum() {}
    bool PageHasData(unsigned id);
    bool IsGraphShown() const;

    CKivDataFrameBar m_bar;
    bool m_bCanGps = false;
    int32_t m_nMarkerMode = 0;
};
