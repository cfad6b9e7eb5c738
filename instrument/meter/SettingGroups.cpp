#include "instrument/meter/SettingGroups.h"

std::vector<SettingGroup> GroupSettingTexts(const std::vector<fw::CString>& texts)
{
    std::vector<SettingGroup> groups;
    std::vector<bool> done(texts.size(), false);
    for (size_t j = 0; j < texts.size(); ++j) {
        if (done[j] || texts[j].IsEmpty())
            continue;
        SettingGroup group{texts[j], std::vector<bool>(texts.size(), false)};
        for (size_t k = j; k < texts.size(); ++k) {
            if (!done[k] && texts[k] == group.text) {
                done[k] = true;
                group.member[k] = true;
            }
        }
        groups.push_back(std::move(group));
    }
    return groups;
}
