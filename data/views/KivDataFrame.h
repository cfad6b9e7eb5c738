#pragma once

// The window of a measurement-data document: its pages (channel table,
// calculated channels, value list, graph list and, for data that hold
// them, the CAN, voice and GPS pages), one shown at a time and chosen from
// a tool bar of three families that each remember their last page, under a
// bar with the test title and the recording facts.

#include "framework/core/CString.h"
#include "framework/ui/DialogBar.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/ToolBar.h"

#include <cstdint>
#include <memory>
#include <vector>

class CKivDataDoc;
class QStackedWidget;

namespace fw {
class CEdit;
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
class CKivDataFrameBar : public fw::CDialogBar {
    FW_DECLARE_DYNAMIC(CKivDataFrameBar)
public:
    static constexpr int kTitleEdit = 1001;
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
    fw::CEdit* TitleEdit() const;
    void SetEditReadOnly(bool on);
};

class CKivDataFrame : public fw::CMDIChildWnd {
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
    void OnUpdateFrameTitle(bool addToTitle) override;

    void GetTimingText(fw::CString& text, char separator) const;
    void GetRecordText(fw::CString& text, char separator) const;
    void SetBarReadOnly(bool on) { m_bar.SetEditReadOnly(on); }
    void UpdateTitleEdit();
    void UpdateBarFields();
    void UpdateToolBar(bool canGps);

    // Page switching.
    void OnChannelView(unsigned id);
    void OnDataView(unsigned id);
    void OnCanGpsView(unsigned id);
    void OnChannelFamily() { OnChannelView(m_nChannelPage); }
    void OnDataFamily() { OnDataView(m_nDataPage); }
    void OnCanGpsFamily() { OnCanGpsView(m_nCanGpsPage); }
    void OnMarkerShow();
    void OnMarkerSelect();

    unsigned GetFamily() const { return m_nFamily; }
    unsigned GetShownPageId() const;
    unsigned GetCanGpsPage() const { return m_nCanGpsPage; }
    void SetCanGpsPage(unsigned id) { m_nCanGpsPage = id; }
    bool IsMarkerSelectMode() const { return m_nMarkerMode != 0; }
    fw::CSplitterWnd* PageWindow(unsigned id) const;
    fw::CView* PageView(unsigned id) const;
    fw::CToolBar& FamilyToolBar() { return m_toolBar; }
    CKivDataFrameBar& FrameBar() { return m_bar; }
    static fw::CString PageCaption(unsigned id);

private:
    CKivDataDoc* DataDoc() const;
    void ShowPage(unsigned id);
    void SetFrameViewTitle(unsigned id);
    void OnTitleChanged();
    void OnUpdateChannelView(fw::CCmdUI* ui);
    void OnUpdateDataView(fw::CCmdUI* ui);
    void OnUpdateCanGpsView(fw::CCmdUI* ui);
    void OnUpdateFamily(fw::CCmdUI* ui);
    void OnUpdateMarkerSelect(fw::CCmdUI* ui);
    void OnUpdateMarkerShow(fw::CCmdUI* ui);
    void OnUpdateSpectrum(fw::CCmdUI* ui);
    void OnSpectrum() {}
    bool PageHasData(unsigned id);

    fw::CToolBar m_toolBar;
    CKivDataFrameBar m_bar;
    unsigned m_nFamily = 0;
    unsigned m_nChannelPage = datacmd::kPageInput;
    unsigned m_nDataPage = datacmd::kPageValues;
    unsigned m_nCanGpsPage = datacmd::kPageGps;
    bool m_bCanGps = false;
    int32_t m_nMarkerMode = 0;
    bool m_bInTitleChange = false;
    QStackedWidget* m_pStack = nullptr;
    struct Page {
        unsigned id;
        std::unique_ptr<fw::CSplitterWnd> splitter;
    };
    std::vector<Page> m_pages;
    unsigned m_nShown = 0;
};
