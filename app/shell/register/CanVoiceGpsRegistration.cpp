#include "app/shell/register/SubsystemRegistration.h"

#include "canvoicegps/model/CanGpsGraphClasses.h"
#include "canvoicegps/views/PrjVoiceView.h"
#include "canvoicegps/views/data/CanGpsListViews.h"
#include "canvoicegps/views/data/CanGraphListView.h"
#include "canvoicegps/views/data/GpsGraphView.h"
#include "canvoicegps/views/data/GpsListViews.h"
#include "canvoicegps/views/data/GpsMapDataDlg.h"
#include "canvoicegps/views/data/GpsPageView.h"
#include "canvoicegps/views/data/KivDataVoiceView.h"
#include "canvoicegps/views/settings/CanNodeBitsView.h"
#include "canvoicegps/views/settings/CanNodeView.h"
#include "canvoicegps/views/settings/CanPageView.h"
#include "canvoicegps/views/settings/CanSetView.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "canvoicegps/views/settings/GPSFormView.h"
#include "canvoicegps/views/settings/GpsMapFormView.h"
#include "canvoicegps/views/settings/SlotChoiceDialog.h"
#include "canvoicegps/views/QtVoicePlayback.h"
#include "data/views/KivDataFrame.h"
#include "framework/core/Object.h"
#include "framework/core/ServiceSlot.h"

void RegisterCanVoiceGpsViews()
{
    // The project window makes its CAN/voice/GPS pages by class name.
    for (const fw::CRuntimeClass* cls :
         {FW_RUNTIME_CLASS(CPrjVoiceView), FW_RUNTIME_CLASS(CCanPageView), FW_RUNTIME_CLASS(CCanSetView),
          FW_RUNTIME_CLASS(CCanNodeView), FW_RUNTIME_CLASS(CCanSignalView), FW_RUNTIME_CLASS(CCanNodeBitsView),
          FW_RUNTIME_CLASS(CGPSFormView), FW_RUNTIME_CLASS(CGpsMapFormView)})
        fw::RegisterClass(cls);
    static CQtSlotChooser slotChooser;
    fw::Install<ISlotChooser>(&slotChooser);
    // Recordings play through Qt Multimedia; made on first use, when the
    // application object exists.
    static CQtVoicePlayback* player = nullptr;
    if (!player) {
        static CQtVoicePlayback instance;
        player = &instance;
        fw::Install<IVoicePlayback>(player);
    }
    // The data window's voice, CAN and raw GPS pages and the track of its
    // GPS page.
    RegisterCanGpsGraphClasses();
    for (const fw::CRuntimeClass* cls :
         {FW_RUNTIME_CLASS(CKivDataVoiceView), FW_RUNTIME_CLASS(CGpsGraphView), FW_RUNTIME_CLASS(CGpsPageView),
          FW_RUNTIME_CLASS(CGpsDataListView), FW_RUNTIME_CLASS(CGpsGraphListView), FW_RUNTIME_CLASS(CCanDataListView),
          FW_RUNTIME_CLASS(CCanGraphListView), FW_RUNTIME_CLASS(CGpsNamaDataListView)})
        fw::RegisterClass(cls);
    CKivDataFrame::SetPageClass(datacmd::kPageVoice, FW_RUNTIME_CLASS(CKivDataVoiceView));
    CKivDataFrame::SetPageClass(datacmd::kPageGps, FW_RUNTIME_CLASS(CGpsPageView));
    CKivDataFrame::SetPageClass(datacmd::kPageCan, FW_RUNTIME_CLASS(CCanDataListView));
    CKivDataFrame::SetPageClass(datacmd::kPageCanGraph, FW_RUNTIME_CLASS(CCanGraphListView));
    CKivDataFrame::SetPageClass(datacmd::kPageGpsRaw, FW_RUNTIME_CLASS(CGpsNamaDataListView));
    // The map file asks its number of points.
    static CGpsMapPointAsker mapPoints;
    fw::Install<IGpsMapPointDialog>(&mapPoints);
}
