#include "app/shell/register/SubsystemRegistration.h"

#include "app/shell/DocumentTypes.h"
#include "app/shell/ShellIds.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/MultiDocTemplate.h"
#include "frequency/document/HistDoc.h"
#include "frequency/views/Hist8025OutChooser.h"
#include "frequency/views/HistAmpInView.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistMenus.h"

void RegisterFrequencyViews()
{
    RegisterHistViewMenus();
    // The VO-8025 output asks its blocks and analyses with its dialog.
    static CHist8025OutChooser chooser;
    fw::Install<IHistOutChooser>(&chooser);
    // A ".kivh" opens in the frequency window, its input-channel table first.
    if (!DocumentTypeMaker(kIdrHistType))
        RegisterDocumentType(kIdrHistType, [] {
            auto* tmpl = new fw::CMultiDocTemplate(kIdrHistType, FW_RUNTIME_CLASS(CHistDoc),
                                                   FW_RUNTIME_CLASS(CHistFrame), FW_RUNTIME_CLASS(CHistAmpInView));
            return tmpl;
        });
}
