#include "graphdoc/views/GraphViewFrame.h"

#include "framework/ui/QtText.h"
#include "graphdoc/model/GraphDocTexts.h"
#include "graphdoc/model/GraphViewDoc.h"

#include <QMdiSubWindow>

FW_IMPLEMENT_DYNCREATE(CGraphViewFrame, fw::CMDIChildWnd)

namespace {

// Window titles stay within what the window system took.
constexpr int kMaxTitleBytes = 516;

} // namespace

fw::CString CGraphViewFrame::PageTitle(const fw::CString& title, int dataMode)
{
    if (dataMode < 0)
        return title;
    const fw::CString pattern = dataMode == 0 ? GraphDocText(kIdsDataGraphTitle, kTextDataGraphTitle)
                                              : GraphDocText(kIdsMonitorGraphTitle, kTextMonitorGraphTitle);
    fw::CString text;
    text.Format(pattern.c_str(), title.c_str());
    return text;
}

void CGraphViewFrame::OnUpdateFrameTitle(bool addToTitle)
{
    fw::CMDIChildWnd::OnUpdateFrameTitle(addToTitle);
    auto* doc = dynamic_cast<CGraphViewDoc*>(GetActiveDocument());
    QMdiSubWindow* sub = SubWindow();
    if (!addToTitle || !doc || !sub)
        return;
    // The framework wrote "title" or "title:n"; the kind goes after the title.
    const fw::CString shown = fw::FromQ(sub->windowTitle());
    const fw::CString& title = doc->GetTitle();
    fw::CString suffix;
    if (shown.GetLength() > title.GetLength() && std::string(shown.c_str()).rfind(title.c_str(), 0) == 0)
        suffix = std::string(shown.c_str()).substr(static_cast<size_t>(title.GetLength()));
    fw::CString text = PageTitle(title, doc->GetGraphDataMode());
    if (text.GetLength() + suffix.GetLength() <= kMaxTitleBytes)
        text += suffix;
    sub->setWindowTitle(fw::ToQ(text));
    if (GetMDIFrame())
        GetMDIFrame()->OnUpdateFrameTitle(true);
}
