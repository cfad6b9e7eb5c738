#pragma once

// Makes the measurement-data document of a project's newest measurement
// (fw::Install<IMeasurementDataSaver>).

#include "project/model/DataHeaderReader.h"

class CKivMeasurementDataSaver : public IMeasurementDataSaver {
public:
    int SaveFromProject(CKIV5980Doc& project, fw::CString& folder) override;
};
