#include "project/views/pages/ProjectPages.h"

#include "project/views/ProjectFrame.h"
#include "project/views/pages/PrjGraphView.h"
#include "project/views/pages/PrjHistSetView.h"
#include "project/views/pages/PrjHistView.h"
#include "project/views/pages/PrjCheckView.h"
#include "project/views/pages/PrjHistoryView.h"
#include "project/views/pages/PrjIntervalView.h"
#include "project/views/pages/PrjExChView.h"
#include "project/views/pages/PrjMMAView.h"

const fw::CRuntimeClass* ProjectPageClass(unsigned pageId)
{
    switch (pageId) {
    case prjcmd::kPageHistory: return FW_RUNTIME_CLASS(CPrjHistoryView);
    case prjcmd::kPageStatistics: return FW_RUNTIME_CLASS(CPrjMMAView);
    case prjcmd::kPageCalc: return FW_RUNTIME_CLASS(CPrjExChView);
    case prjcmd::kPageInterval: return FW_RUNTIME_CLASS(CPrjIntervalView);
    case prjcmd::kPageGraphList: return FW_RUNTIME_CLASS(CPrjGraphView);
    case prjcmd::kPageFreqNo: return FW_RUNTIME_CLASS(CPrjHistSetView);
    case prjcmd::kPageProgram: return FW_RUNTIME_CLASS(CPrjHistProgView);
    case prjcmd::kPageFreqHistory: return FW_RUNTIME_CLASS(CPrjHistView);
    case prjcmd::kPageCheck: return FW_RUNTIME_CLASS(CPrjCheckHistoryView);
    // The CAN/voice/GPS pages live above this window and are found by the
    // class name the program registers them under.
    case prjcmd::kPageVoice: return fw::CRuntimeClass::FromName("CPrjVoiceView");
    case prjcmd::kPageCanSettings: return fw::CRuntimeClass::FromName("CGPSFormView");
    case prjcmd::kPageCanData: return fw::CRuntimeClass::FromName("CCanPageView");
    default: return nullptr;
    }
}
