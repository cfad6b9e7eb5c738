// The project's A/D settings dialog and the channel captions of its unit
// menus.

#include "project/model/KIV5980Doc.h"

#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/unit/KivUnit.h"
#include "project/model/ChannelMenu.h"
#include "project/model/ProjectAdDialog.h"
#include "project/model/ProjectHost.h"

namespace {

constexpr intptr_t kHintAdChanged = 15;
constexpr int kUnitSlots = 10;
constexpr int kChannelsPerSlot = 8;
constexpr int kCodeName = 1000;

} // namespace

int CKIV5980Doc::ShowADSetDialog(int, int32_t count, double interval, int32_t preTrigger)
{
    IProjectAdDialog* dialog = fw::Installed<IProjectAdDialog>();
    if (!dialog)
        return fw::IDCANCEL;
    CADSetPrf settings = m_boxArray.GetADSet();
    bool changed = false;
    if (count != 0) {
        settings.m_nNum = count;
        changed = true;
    }
    if (interval > 0) {
        settings.m_dClk = interval;
        changed = true;
    }
    if (preTrigger != 0) {
        settings.m_nPreNum = preTrigger;
        changed = true;
    }
    const int result = dialog->Run(m_boxArray, settings, changed);
    if (result != fw::IDOK)
        return result;
    ProjectHost().AdDefaults() = settings;
    // An unchanged setting sends no hint of its own: the views still hear
    // of the confirmed dialog.
    const bool same = settings.IsEqual(m_boxArray.GetADSet());
    ApplyAdSettings(settings);
    if (same)
        UpdateAllViews(nullptr, kHintAdChanged);
    return result;
}

void CKIV5980Doc::LabelChannelMenu(IChannelMenu& menu, int box, int first)
{
    CBoxPropaty* owner = box >= 0 && box < m_boxArray.GetBoxCount() ? m_boxArray.GetBox(box) : nullptr;
    CKivMeter* meter = owner ? owner->GetMeter() : nullptr;
    int channel = owner ? owner->GetInputCount() : 0;
    for (int slot = kUnitSlots - 1; slot >= 0; --slot) {
        CKivUnit* unit = meter ? meter->GetUnit(slot) : nullptr;
        if (!unit || !unit->HasInputs()) {
            menu.RemoveSlot(first + slot);
            continue;
        }
        for (int item = kChannelsPerSlot - 1; item >= 0; --item) {
            --channel;
            fw::CString name;
            if (channel >= 0)
                owner->GetChannelText(channel, kCodeName, name);
            menu.SetChannelCaption(first + slot, item, name);
        }
    }
}
