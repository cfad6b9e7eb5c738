#include "common/cache/CacheClasses.h"

#include "common/cache/CacheTanks.h"
#include "framework/core/FileSystem.h"

void RegisterCacheClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CCacheFltDataTank),
        FW_RUNTIME_CLASS(CCacheDblDataTank),
        FW_RUNTIME_CLASS(CCacheDateDataTank),
        FW_RUNTIME_CLASS(CCacheLongDataTank),
        FW_RUNTIME_CLASS(CCacheUnLongDataTank),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}

void SetCacheTankFolder(const fw::CString& folder)
{
    CCacheDataTank<float>::SetTempFolder(folder);
    CCacheDataTank<double>::SetTempFolder(folder);
    CCacheDataTank<int32_t>::SetTempFolder(folder);
    CCacheDataTank<uint32_t>::SetTempFolder(folder);
}

int DeleteLeftoverCacheFiles(const fw::CString& folder)
{
    return fw::fs::DeleteMatching(folder, "~WW*.tmp");
}
