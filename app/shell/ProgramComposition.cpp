#include "app/shell/ProgramComposition.h"

#include "app/shell/ProgramClasses.h"
#include "common/resources/ProgramStrings.h"
#include "docbase/resources/ProgramMenus.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/ServiceSlot.h"

void ComposeProgram()
{
    InstallProgramStrings();
    RegisterProgramClasses();
    RegisterProgramMenus();

    static CQtBitmapMaker bitmaps;
    fw::Install<IBitmapMaker>(&bitmaps);
}
