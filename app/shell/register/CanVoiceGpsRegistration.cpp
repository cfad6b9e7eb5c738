#include "app/shell/register/SubsystemRegistration.h"

#include "canvoicegps/views/PrjVoiceView.h"
#include "canvoicegps/views/QtVoicePlayback.h"
#include "framework/core/Object.h"
#include "framework/core/ServiceSlot.h"

void RegisterCanVoiceGpsViews()
{
    // The project window makes its CAN/voice/GPS pages by class name.
    fw::RegisterClass(FW_RUNTIME_CLASS(CPrjVoiceView));
    // Recordings play through Qt Multimedia; made on first use, when the
    // application object exists.
    static CQtVoicePlayback* player = nullptr;
    if (!player) {
        static CQtVoicePlayback instance;
        player = &instance;
        fw::Install<IVoicePlayback>(player);
    }
}
