#pragma once

// The window of a frequency document: two clients switched by the tabs of
// its bar, the input-channel table ("入力CH") and the analysis list above
// the counts of the chosen analysis ("頻度データ"); the bar also carries
// the editable test title and the record's start, stop and measuring time,
// which the views write and print as their information line.

#include "framework/core/CString.h"
#include "framework/ui/DialogBar.h"
#include "framework/ui/MDIFrameWnd.h"

#include <cstdint>
#include <memory>

class CHistAmpInView;
class CHistCountView;
class CHistDoc;
class CHistOpeView;
class CZELEdit;
class CZELGridSplitter;
class CZELTabCtrl;
class QStackedWidget;

namespace fw {
class CCmdUI;
class CSplitterWnd;
class CView;
}

class CHistFrameBar : public fw::CDialogBar {
    FW_DECLARE_DYNAMIC(CHistFrameBar)
public:
    bool Create(fw::CFrameWnd* frame);
    CZELTabCtrl* Tabs() const;
    CZELEdit* TitleField() const;
    void SetTitleReadOnly(bool on);
};

class CHistFrame : public fw::CMDIChildWnd {
    FW_DECLARE_DYNCREATE(CHistFrame)
    FW_DECLARE_COMMANDS()
public:
    CHistFrame();
    ~CHistFrame() override;

    bool Create(const fw::CString& title, unsigned menuId = 0) override;
    bool OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass) override;
    void InitialUpdateFrame(fw::CDocument* document, bool makeVisible) override;
    void ActivateFrame(int showCmd = -1) override;

    // The bar's six time fields joined, `sep` before all but the first.
    void GetInfoText(fw::CString& text, char sep) const;
    void UpdateTitleField();
    void UpdateTimes();
    // "%d:%0.2d:%0.2d" of a count of seconds.
    static fw::CString FormatMeasuringTime(int64_t seconds);

    // Commands 33192 and 33193.
    void OnSwitchClient(unsigned id);
    unsigned GetCurrentSwitch() const { return m_nSwitch; }
    fw::CWnd* GetCurrentClient() const { return m_pCurrent; }
    CHistFrameBar& Bar() { return m_bar; }
    CZELGridSplitter* InputClient() const { return m_pInput.get(); }
    fw::CSplitterWnd* FrequencyClient() const { return m_pFrequency.get(); }
    CHistAmpInView* InputView() const;
    CHistOpeView* AnalysisView() const;
    CHistCountView* CountView() const;

private:
    CHistDoc* HistDoc() const;
    void OnUpdateSwitch(fw::CCmdUI* ui);
    void OnTabChange();
    void OnTitleChange();
    void OnFrequencyGraph();
    void OnUpdateFrequencyGraph(fw::CCmdUI* ui);

    unsigned m_nSwitch;
    fw::CWnd* m_pCurrent = nullptr;
    CHistFrameBar m_bar;
    std::unique_ptr<CZELGridSplitter> m_pInput;
    std::unique_ptr<fw::CSplitterWnd> m_pFrequency;
    QStackedWidget* m_pStack = nullptr;
};
