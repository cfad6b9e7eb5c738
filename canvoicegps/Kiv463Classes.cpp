#include "canvoicegps/Kiv463Exchange.h"
#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/unit/Unit463Services.h"
#include "instrument/unit/UnitFactory.h"

namespace {

CKivUnit* CreateKiv463Unit()
{
    return new CKiv463Unit;
}

// What the measuring system and the control unit ask of this unit.
class CKiv463Services final : public IUnit463Services {
public:
    void SendSettings(CKivMeter& meter) override { unit463::SendSettings(meter); }
    void ReceiveSettings(CKivMeter& meter) override { unit463::ReceiveSettings(meter); }
    void ClearCanDuplicateFlags(CKivMeter& meter) override { unit463::ClearCanDuplicateFlags(meter); }
    bool SettingsAllowed(const CKivUnit& unit) override { return unit463::SettingsAllowed(unit); }
    void MarkDuplicateIds(CKivUnit& unit) override { unit463::MarkDuplicateIds(unit); }
    void CopyUnitSettings(CKivUnit& target, const CKivUnit& source) override
    {
        unit463::CopyUnitSettings(target, source);
    }
};

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
    static CKiv463Services services;
    fw::Install<IUnit463Services>(&services);
}
