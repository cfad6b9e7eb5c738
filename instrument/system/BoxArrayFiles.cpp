// The recorded-file lists of the control units in use and the current
// entries that name the files to fetch.

#include "instrument/system/BoxArray.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "instrument/system/SequenceSupport.h"

#include <algorithm>
#include <limits>

namespace {

void AppendEqual(const std::vector<CKiv406FileInfo>& list, const CKiv406FileInfo& current,
                 std::vector<CKiv406FileInfo>& out)
{
    for (const CKiv406FileInfo& entry : list) {
        if (IsSameFileInfo(entry, current))
            out.push_back(entry);
    }
}

// Every existing vector cut to the length of the shortest existing one.
void CutToShortest(CBoxArray::FileVectors& vectors)
{
    size_t shortest = std::numeric_limits<size_t>::max();
    for (const auto* v : vectors) {
        if (v)
            shortest = std::min(shortest, v->size());
    }
    for (auto* v : vectors) {
        if (v && v->size() > shortest)
            v->resize(shortest);
    }
}

std::vector<CKiv406FileInfo>* VectorOf(CBoxArray::FileVectors& vectors, int box)
{
    return box >= 0 && static_cast<size_t>(box) < vectors.size() ? vectors[static_cast<size_t>(box)] : nullptr;
}

} // namespace

bool CBoxArray::ReadFileLists(bool clearFirst, bool askOnError)
{
    if (clearFirst)
        ClearFileLists();
    for (;;) {
        try {
            for (int16_t b : m_inUse)
                GetBox(b)->RefreshFileLists();
            return true;
        } catch (const std::exception& e) {
            if (!askOnError)
                throw;
            if (!AskAfter(e))
                return false;
        }
    }
}

void CBoxArray::ClearFileLists()
{
    for (int16_t b : m_inUse)
        GetBox(b)->ClearFileLists();
}

void CBoxArray::SelectLatestFiles(int flags)
{
    for (int16_t b : m_inUse)
        GetBox(b)->SelectLastFiles(flags);
}

bool CBoxArray::HaveCurrentFiles() const
{
    for (int16_t b : m_inUse) {
        CBoxPropaty* box = GetBox(b);
        const auto& list = box->FileList(CBoxPropaty::kWaveList);
        const CKiv406FileInfo& current = box->CurrentFile(CBoxPropaty::kWaveList);
        if (list.empty() || std::none_of(list.begin(), list.end(), [&](const CKiv406FileInfo& entry) {
                return IsSameFileInfo(entry, current);
            }))
            return false;
    }
    return true;
}

void CBoxArray::DropCurrentFiles(int flags)
{
    for (int16_t b : m_inUse)
        GetBox(b)->DropCurrentFiles(flags);
}

void CBoxArray::GatherFileLists(FileVectors& vectors) const
{
    for (int16_t b : m_inUse) {
        std::vector<CKiv406FileInfo>* out = VectorOf(vectors, b);
        // Every box in use must have its vector.
        if (!out)
            fw::ThrowInvalidArgException();
        CBoxPropaty* box = GetBox(b);
        AppendEqual(box->FileList(CBoxPropaty::kWaveList), box->CurrentFile(CBoxPropaty::kWaveList), *out);
    }
    CutToShortest(vectors);
}

void CBoxArray::CollectCurrentHistFiles(FileVectors& vectors) const
{
    for (int16_t b : m_inUse) {
        std::vector<CKiv406FileInfo>* out = VectorOf(vectors, b);
        if (!out)
            continue;
        CBoxPropaty* box = GetBox(b);
        AppendEqual(box->FileList(CBoxPropaty::kHistList), box->CurrentFile(CBoxPropaty::kHistList), *out);
    }
    CutToShortest(vectors);
}

// ------------------------------------------------------------ GPS samples

void CBoxArray::StoreGpsSamples(CGpsDataTankList& list, int start, int count, std::span<const GpsRow> rows,
                                const std::array<double, 8>& coefficients)
{
    // Tank t of the last seven takes field kFields[t] of each row.
    static constexpr int kFields[CGpsDataTankList::kItemsPerUnit] = {3, 0, 1, 2, 5, 6, 7};
    constexpr double kSecondsPerDay = 86400.0;
    constexpr double kDaysPerWeek = 7.0;
    const int size = list.GetSize();
    if (start < 0 || count < 0 || size < CGpsDataTankList::kItemsPerUnit || rows.size() < static_cast<size_t>(count))
        fw::ThrowInvalidArgException();
    // The GPS week origin.
    const double origin = fw::COleDateTime(1980, 1, 6, 0, 0, 0).m_dt;
    for (int t = 0; t < CGpsDataTankList::kItemsPerUnit; ++t) {
        CDataTankObject* tank = list.GetAt(size - CGpsDataTankList::kItemsPerUnit + t);
        if (!tank)
            continue;
        auto* cached = dynamic_cast<CCashCalcuDataTank*>(tank);
        if (cached)
            cached->LoadCacheWindow(start, count, 0, false);
        const int f = kFields[t];
        for (int k = 0; k < count; ++k) {
            const GpsRow& row = rows[static_cast<size_t>(k)];
            const double value = t == 0 ? origin + coefficients[3] * row[3] / kSecondsPerDay +
                                              coefficients[4] * row[4] * kDaysPerWeek
                                        : coefficients[static_cast<size_t>(f)] * row[static_cast<size_t>(f)];
            tank->SetValue(start + k, value);
        }
        if (cached)
            cached->SetCacheDirty(true);
    }
}
