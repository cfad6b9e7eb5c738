#include "app/shell/ProgramComposition.h"

#include "app/shell/MainFrame.h"
#include "app/shell/ProgramClasses.h"
#include "common/resources/ProgramStrings.h"
#include "docbase/resources/ProgramMenus.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/MeasureModeName.h"

namespace {

// The captions of the measurement modes, as the main frame shows them.
class CMeasureModeNames final : public IMeasureModeNames {
public:
    fw::CString Caption(int mode) override
    {
        fw::CString name;
        GetMeasureModeName(static_cast<unsigned>(mode), name);
        return name;
    }
};

} // namespace

void ComposeProgram()
{
    InstallProgramStrings();
    RegisterProgramClasses();
    RegisterProgramMenus();

    static CQtBitmapMaker bitmaps;
    fw::Install<IBitmapMaker>(&bitmaps);
    static CMeasureModeNames modeNames;
    fw::Install<IMeasureModeNames>(&modeNames);
}
