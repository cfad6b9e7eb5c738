#include "measure/model/card/ImportLists.h"

#include <algorithm>

namespace cardfiles {

namespace {

int LengthOf(const FileVectors& lists, size_t unit)
{
    return unit < lists.size() && lists[unit] ? static_cast<int>(lists[unit]->size()) : 0;
}

// Every unit's list as long as the first unit's.
bool SameLengths(const FileVectors& lists)
{
    for (size_t u = 1; u < lists.size(); ++u)
        if (LengthOf(lists, u) != LengthOf(lists, 0))
            return false;
    return true;
}

} // namespace

void RegisterRows(const std::vector<CKiv406FileInfo>& found, int first, int last,
                  std::vector<CKiv406FileInfo>& registered)
{
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(found.size()) - 1);
    for (int r = first; r <= last; ++r)
        registered.push_back(found[static_cast<size_t>(r)]);
    std::stable_sort(registered.begin(), registered.end());
    const auto end = std::unique(registered.begin(), registered.end(), [](const auto& kept, const auto& next) {
        return IsSameFileInfo(kept, next);
    });
    registered.erase(end, registered.end());
}

void ReleaseRows(const FileVectors& registered, int firstUnit, int lastUnit, int firstRow, int lastRow)
{
    firstUnit = std::max(firstUnit, 0);
    lastUnit = std::min(lastUnit, static_cast<int>(registered.size()) - 1);
    firstRow = std::max(firstRow, 0);
    for (int u = firstUnit; u <= lastUnit; ++u) {
        std::vector<CKiv406FileInfo>* list = registered[static_cast<size_t>(u)];
        if (!list || firstRow >= static_cast<int>(list->size()))
            continue;
        const int last = std::min(lastRow, static_cast<int>(list->size()) - 1);
        if (last < firstRow)
            continue;
        list->erase(list->begin() + firstRow, list->begin() + last + 1);
    }
}

RegisterCheck CheckRegistered(const FileVectors& waveforms, const FileVectors& frequencies,
                              const FileVectors& voices)
{
    if (!SameLengths(waveforms))
        return {kIdsRegisterFiles, 0, 0};
    const int n = LengthOf(waveforms, 0);
    for (int r = 0; r < n; ++r) {
        const CKiv406FileInfo& first = (*waveforms[0])[static_cast<size_t>(r)];
        for (size_t u = 1; u < waveforms.size(); ++u) {
            const CKiv406FileInfo& other = (*waveforms[u])[static_cast<size_t>(r)];
            if (other.m_interval != first.m_interval || (other.m_clockKind != 0) != (first.m_clockKind != 0))
                return {kIdsClockMismatch, 0, r + 1};
        }
    }
    if (!SameLengths(frequencies))
        return {kIdsRegisterFiles, 1, 0};
    int voiceCount = 0;
    for (size_t u = 0; u < voices.size(); ++u)
        voiceCount = std::max(voiceCount, LengthOf(voices, u));
    if (n == 0 && LengthOf(frequencies, 0) == 0 && voiceCount == 0)
        return {kIdsRegisterFiles, -1, 0};
    return {};
}

} // namespace cardfiles
