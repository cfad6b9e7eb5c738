#pragma once

// The window of a measurement project: every page of the project at once,
// one shown at a time, chosen from a page tool bar of five groups that each
// remember their last page, and a bar at the top with the test title and
// the A/D sampling settings.

#include "docview/frames/PageFrame.h"
#include "docview/frames/PageFrameBar.h"
#include "framework/core/CString.h"
#include "framework/ui/SplitterWnd.h"

class CKIV5980Doc;
class CZELGridSplitter;

// Command ids of the groups and pages.
namespace prjcmd {
inline constexpr unsigned kMeterSetup = 32780;
inline constexpr unsigned kAdSetup = 32781;
inline constexpr unsigned kGroupChannel = 32782;
inline constexpr unsigned kGroupSetting = 32783;
inline constexpr unsigned kGroupData = 32784;
inline constexpr unsigned kGroupHistory = 32785;
inline constexpr unsigned kGroupCan = 33290;
inline constexpr unsigned kPageInput = 32786;
inline constexpr unsigned kPageOutput = 32787;
inline constexpr unsigned kPageFreqNo = 32788;
inline constexpr unsigned kPageCalc = 32789;
inline constexpr unsigned kPageDataTrigger = 32790;
inline constexpr unsigned kPageProgram = 32791;
inline constexpr unsigned kPageInterval = 32792;
inline constexpr unsigned kPageComparator = 32793;
inline constexpr unsigned kPageCycle = 32794;
inline constexpr unsigned kPageDataList = 32795;
inline constexpr unsigned kPageGraphList = 32796;
inline constexpr unsigned kPageHistory = 32917;
inline constexpr unsigned kPageStatistics = 32918;
inline constexpr unsigned kPageFreqHistory = 32919;
inline constexpr unsigned kPageCheck = 32920;
inline constexpr unsigned kPageVoice = 33298;
inline constexpr unsigned kPageCanSettings = 33295;
inline constexpr unsigned kPageCanData = 33296;
inline constexpr unsigned kPageDigitalIO = 33338;
inline constexpr unsigned kEditLock = 32778;
inline constexpr unsigned kPageToolBarId = 59398;
inline constexpr unsigned kFrameBarId = 142;
} // namespace prjcmd

// The bar with the test title (1001) and the sampling fields.
class CProjectFrameBar : public CPageFrameBar {
    FW_DECLARE_DYNAMIC(CProjectFrameBar)
public:
    bool Create(fw::CFrameWnd* frame);
};

class CProjectFrame : public CPageFrame {
    FW_DECLARE_DYNCREATE(CProjectFrame)
    FW_DECLARE_COMMANDS()
public:
    CProjectFrame();
    ~CProjectFrame() override;

    bool Create(const fw::CString& title, unsigned menuId = 0) override;
    bool OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass) override;
    void InitialUpdateFrame(fw::CDocument* document, bool makeVisible) override;
    void ActivateFrame(int showCmd = -1) override;

    void SetupPageToolbar(bool withCan);
    void RefreshPageFlags();
    void UpdateFrameBar();
    void GetTimingText(fw::CString& text, char sep) const;

    // The splitter of a page command; none for pages not made. The check
    // results sit in a plain splitter (their two pages are two tables,
    // not panes of one), which only `PageSplitter` answers.
    CZELGridSplitter* PageWindow(unsigned id) const;
    CProjectFrameBar& FrameBar() { return m_bar; }
    bool HasOutputUnits() const { return m_bOutput; }
    bool HasDigitalUnits() const { return m_bDigital; }
    bool HasCanUnit() const { return m_bCan; }

protected:
    CPageFrameBar& PageBar() override { return m_bar; }
    bool IsPageEnabled(unsigned id) override;
    bool IsGroupEnabled(unsigned group) override;
    const char* ButtonText(unsigned id) const override;

private:
    CKIV5980Doc* ProjectDoc() const;
    void OnEditLock();
    void OnUpdateEditLock(fw::CCmdUI* ui);

    CProjectFrameBar m_bar;
    bool m_bCan = false;
    bool m_bOutput = false;
    bool m_bDigital = false;
};
