#include "app/shell/register/SubsystemRegistration.h"

#include "canvoicegps/views/PrjVoiceView.h"
#include "canvoicegps/views/settings/CanNodeBitsView.h"
#include "canvoicegps/views/settings/CanNodeView.h"
#include "canvoicegps/views/settings/CanPageView.h"
#include "canvoicegps/views/settings/CanSetView.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "canvoicegps/views/settings/GPSFormView.h"
#include "canvoicegps/views/settings/GpsMapFormView.h"
#include "canvoicegps/views/settings/SlotChoiceDialog.h"
#include "canvoicegps/views/QtVoicePlayback.h"
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
}
