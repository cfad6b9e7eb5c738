#include "data/model/MeasurementDataSaver.h"

#include "data/model/KivDataDoc.h"
#include "project/model/KIV5980Doc.h"
#include "framework/core/FileSystem.h"
#include "project/model/MMAObject.h"

int CKivMeasurementDataSaver::SaveFromProject(CKIV5980Doc& project, fw::CString& folder)
{
    CKivDataDoc doc;
    if (!doc.CreateNewContents())
        return 2;
    if (!doc.CreateFromProject(project))
        return 0;
    const int step = project.GetHistory().GetLastIndex();
    folder = step >= 0 ? project.GetHistory().GetDataFileName(step) : fw::fs::FileNameOf(doc.GetDataFolder());
    return 1;
}
