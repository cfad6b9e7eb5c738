#include "canvoicegps/Kiv463Exchange.h"
#include "canvoicegps/Kiv463Unit.h"
#include "instrument/meter/Unit463Hooks.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/CanUnitChecks.h"
#include "instrument/unit/UnitFactory.h"

namespace {

CKivUnit* CreateKiv463Unit()
{
    return new CKiv463Unit;
}

} // namespace

void RegisterCanVoiceGpsClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(C463CanMesSignal), FW_RUNTIME_CLASS(CCanSigArray), FW_RUNTIME_CLASS(C463CanMesNode),
        FW_RUNTIME_CLASS(CCanNodeArray),    FW_RUNTIME_CLASS(CKiv463Unit),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
    RegisterUnitCreator(unitcode::kCanVoiceGps, &CreateKiv463Unit);
    Unit463Hooks hooks;
    hooks.send = &unit463::SendSettings;
    hooks.receive = &unit463::ReceiveSettings;
    hooks.clearDuplicates = &unit463::ClearCanDuplicateFlags;
    SetUnit463Hooks(hooks);
    CanUnitChecks checks;
    checks.settingsAllowed = &unit463::SettingsAllowed;
    checks.markDuplicates = &unit463::MarkDuplicateIds;
    SetCanUnitChecks(checks);
    SetUnit463Copier(&unit463::CopyUnitSettings);
}
