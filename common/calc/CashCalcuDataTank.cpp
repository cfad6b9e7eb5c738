#include "common/calc/CashCalcuDataTank.h"

#include "common/base/ValueFormat.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CalcTankAccess.h"
#include "common/calc/CashTimeTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/StringDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "common/tank/UnLongDataTank.h"

FW_IMPLEMENT_SERIAL(CCashCalcuDataTank, CCalcuDataTank, 1)



CCashCalcuDataTank::CCashCalcuDataTank() = default;

std::unique_ptr<CDataTankObject> CCashCalcuDataTank::MakeResultTank(int32_t code) const
{
    switch (code) {
    case -10:
        return std::make_unique<CStringDataTank>();
    case -2:
        return std::make_unique<CCacheDateDataTank>();
    case -12:
        return std::make_unique<CTimeDataTank>();
    case 20:
        return std::make_unique<CLongDataTank>();
    case 21:
        return std::make_unique<CUnLongDataTank>();
    case 22:
    case 23:
        return std::make_unique<CCacheDblDataTank>();
    case 24:
        return std::make_unique<CCashTimeTank>();
    default:
        return std::make_unique<CCacheFltDataTank>();
    }
}

void CCashCalcuDataTank::SetKind(int32_t code)
{
    if (!m_result) {
        m_result = MakeResultTank(code);
        m_result->SetKind(code);
        return;
    }
    if (m_result->GetKind() == code)
        return;
    const int16_t type = m_result->GetDataType();
    const bool toFloat = code == -1 && type != kTankTypeFloat;
    const bool toDouble = (code == 22 || code == 23) && type != kTankTypeDouble;
    if (toFloat || toDouble) {
        std::unique_ptr<CDataTankObject> tank;
        if (toFloat)
            tank = std::make_unique<CCacheFltDataTank>();
        else
            tank = std::make_unique<CCacheDblDataTank>();
        tank->SetName(m_result->GetName());
        tank->SetUnit(m_result->GetUnit());
        tank->SetFormat(m_result->GetFormat());
        const int count = m_result->GetDataCount();
        VisitCacheTank(tank.get(), [count](auto& cache) {
            cache.SetWindowPlacement(kWindowFromIndex);
            cache.CreateCacheFile();
            // The old values are of another type: the count only.
            cache.SetSize(count, true);
            cache.CloseCacheFile();
        });
        m_result = std::move(tank);
    }
    m_result->SetKind(code);
}

bool CCashCalcuDataTank::IsCacheBacked() const
{
    return VisitCacheTank(m_result.get(), [](auto&) {});
}

int CCashCalcuDataTank::SetCacheWindowPlacement(int mode)
{
    int set = 0;
    VisitCacheTank(m_result.get(), [&](auto& cache) {
        cache.SetWindowPlacement(mode);
        set = mode;
    });
    return set;
}

bool CCashCalcuDataTank::SetCacheWindowLength(int count)
{
    VisitCacheTank(m_result.get(), [&](auto& cache) { cache.SetWindowLength(count); });
    return true;
}

bool CCashCalcuDataTank::ReleaseCacheWindow()
{
    VisitCacheTank(m_result.get(), [](auto& cache) { cache.ReleaseWindow(); });
    return true;
}

bool CCashCalcuDataTank::CloseCacheFile()
{
    bool ok = true;
    VisitCacheTank(m_result.get(), [&](auto& cache) { ok = cache.CloseCacheFile(); });
    return ok;
}

void* CCashCalcuDataTank::GetCacheWindowBuffer()
{
    void* buffer = nullptr;
    VisitCacheTank(m_result.get(), [&](auto& cache) { buffer = cache.GetWindowBuffer(); });
    return buffer;
}

bool CCashCalcuDataTank::CreateCacheFile()
{
    bool ok = true;
    VisitCacheTank(m_result.get(), [&](auto& cache) { ok = cache.CreateCacheFile(); });
    return ok;
}

void CCashCalcuDataTank::SetCacheDirty(bool flag)
{
    VisitCacheTank(m_result.get(), [&](auto& cache) { cache.SetDirty(flag); });
}

int CCashCalcuDataTank::LoadCacheWindow(int start, int count, int placement, bool read)
{
    int loaded = count;
    VisitCacheTank(m_result.get(), [&](auto& cache) { loaded = cache.LoadWindow(start, count, placement, read); });
    return loaded;
}

void CCashCalcuDataTank::SetCacheCompressed(int mode)
{
    VisitCacheTank(m_result.get(), [&](auto& cache) { cache.SetStorageMode(mode); });
}

int CCashCalcuDataTank::SerializeCacheFile(fw::CArchive& ar, bool compress)
{
    int done = 0;
    VisitCacheTank(m_result.get(), [&](auto& cache) {
        cache.SerializeCacheFile(ar, compress);
        done = 1;
    });
    return done;
}

void CCashCalcuDataTank::ResetPeaks() { m_peakMax = m_peakMin = GetResult(); }

void CCashCalcuDataTank::UpdatePeaks()
{
    const double v = GetResult();
    if (!std::isfinite(v))
        return;
    if (!std::isfinite(m_peakMax) || v > m_peakMax)
        m_peakMax = v;
    if (!std::isfinite(m_peakMin) || v < m_peakMin)
        m_peakMin = v;
}

void CCashCalcuDataTank::GetPeakText(fw::CString& out, int which) const
{
    FormatDataValue(which == 0 ? m_peakMax : m_peakMin, GetFormat(), out);
}
