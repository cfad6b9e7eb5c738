#include "app/shell/ProgramComposition.h"

#include "app/shell/AboutDlg.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgramClasses.h"
#include "common/resources/ProgramStrings.h"
#include "docbase/resources/ProgramMenus.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/ServiceSlot.h"
#include "frequency/document/HistFileAccess.h"
#include "frequency/document/ProgramFileVersion.h"
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

// The version the VO-8025 output names.
class CProgramFileVersion final : public IProgramFileVersion {
public:
    fw::CString FileVersion() const override { return kProgramVersion; }
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
    static CHistFileAccess histFiles;
    fw::Install<IHistFileAccess>(&histFiles);
    static CProgramFileVersion fileVersion;
    fw::Install<IProgramFileVersion>(&fileVersion);
}
