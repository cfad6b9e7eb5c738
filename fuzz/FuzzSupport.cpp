#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/ListGraphClasses.h"
#include "grid/model/GridClasses.h"
#include "fuzz/FuzzTarget.h"

#include "canvoicegps/Kiv463Unit.h"
#include "common/base/CommonBaseClasses.h"
#include "common/resources/ProgramStrings.h"
#include "common/cache/CacheClasses.h"
#include "common/calc/CalcClasses.h"
#include "common/tank/TankClasses.h"
#include "docbase/graphpage/GraphPageClasses.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/Object.h"
#include "frequency/model/FrequencyModelClasses.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace kivfuzz {

std::map<std::string, TargetFn>& Targets()
{
    static std::map<std::string, TargetFn> targets;
    return targets;
}

bool RegisterTarget(const char* name, TargetFn fn)
{
    Targets()[name] = fn;
    return true;
}

void RegisterEverything()
{
    static const bool done = [] {
        // As the program starts: its texts (messages name what failed),
        // numbers in the C locale, dates in one fixed zone.
        std::setlocale(LC_ALL, "C.UTF-8");
        std::setlocale(LC_NUMERIC, "C");
        ::setenv("TZ", "JST-9", 1);
        ::tzset();
        InstallProgramStrings();
        fw::RegisterClasses();
        RegisterCommonBaseClasses();
        RegisterTankClasses();
        RegisterCacheClasses();
        RegisterCalcClasses();
        RegisterUnitClasses();
        RegisterMeterClasses();
        RegisterSystemClasses();
        RegisterCheckClasses();
        RegisterFrequencyModelClasses();
        RegisterCanVoiceGpsClasses();
        RegisterGraphPageClasses();
        RegisterGridClasses();
        RegisterChartClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        SetCacheTankFolder(ScratchFolder().c_str());
        return true;
    }();
    (void)done;
}

void ReadObjectOf(const uint8_t* data, size_t size, const fw::CRuntimeClass* expected)
{
    RegisterEverything();
    fw::CMemFile file(std::span<const uint8_t>(data, size));
    RefusedAsDamage([&] {
        fw::CArchive ar(&file, fw::CArchive::load, 16);
        std::unique_ptr<fw::CObject> object(ar.ReadObject(expected));
    });
}

void ReadOneOf(const uint8_t* data, size_t size, std::initializer_list<const char*> classNames)
{
    RegisterEverything();
    if (size == 0 || classNames.size() == 0)
        return;
    const char* name = classNames.begin()[data[0] % classNames.size()];
    const fw::CRuntimeClass* cls = fw::CRuntimeClass::FromName(name);
    if (!cls)
        std::abort();  // a target names a class that is not registered
    std::vector<uint8_t> bytes;
    auto put16 = [&](uint16_t v) {
        bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    };
    const std::string_view text(name);
    put16(0xFFFF);
    put16(static_cast<uint16_t>(cls->schema & 0xFFFF));
    put16(static_cast<uint16_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.insert(bytes.end(), data + 1, data + size);
    ReadObjectOf(bytes.data(), bytes.size(), nullptr);
}

void ReadBodyOf(fw::CObject& object, const uint8_t* data, size_t size)
{
    RegisterEverything();
    fw::CMemFile file(std::span<const uint8_t>(data, size));
    RefusedAsDamage([&] {
        fw::CArchive ar(&file, fw::CArchive::load, 16);
        object.Serialize(ar);
    });
}

const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "kivfuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no scratch folder");
        static const std::string removeAtExit = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removeAtExit, ec);
        });
        return pattern;
    }();
    return folder;
}

} // namespace kivfuzz
