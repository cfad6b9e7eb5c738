#include "common/resources/ProgramStrings.h"

#include "framework/core/ServiceSlot.h"

namespace kiv {
extern const char kProgramStrings[];
} // namespace kiv

namespace {

fw::CStringTable& Table()
{
    static fw::CStringTable table(kiv::kProgramStrings);
    return table;
}

} // namespace

const fw::CStringTable& ProgramStrings() { return Table(); }

void InstallProgramStrings()
{
    fw::Install<fw::IProgramStrings>(&Table());
}
