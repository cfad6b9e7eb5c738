#pragma once

// The summary of a measurement-data file that the history rebuild reads,
// and the reader that fills it. The measurement-data documents live above
// the project; they install the reader (fw::Install<IDataHeaderReader>).

#include "docbase/doc/DocIdent.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

struct CMMAHeader {
    struct Channel {
        int16_t number = -1;
        fw::CString name;
        fw::CString unit;
        int16_t kind = 0;
        char valueType = 'D';
        int16_t format = 0;
        double max = 0;
        double min = 0;
        double average = 0;
    };

    CDocIdent docIdent;
    double startTime = 0;
    double cycleCount = -1;
    int32_t method = 0;
    double duration = 0;
    int16_t durationUnit = 0;
    fw::CString title;
    fw::CString cardFileName;
    std::vector<Channel> channels;
};

class IDataHeaderReader {
public:
    virtual ~IDataHeaderReader() = default;
    // False when the file cannot be opened; a damaged file throws.
    virtual bool ReadHeader(const fw::CString& path, CMMAHeader& header) = 0;
};

// Makes, fills and saves the measurement-data document of the project's
// newest measurement in a new folder of its data folder; installed by the
// measurement-data documents (fw::Install<IMeasurementDataSaver>).
class CKIV5980Doc;
class IMeasurementDataSaver {
public:
    virtual ~IMeasurementDataSaver() = default;
    // 1 saved (`folder` names the new folder), 0 failed, 2 no document
    // could be made.
    virtual int SaveFromProject(CKIV5980Doc& project, fw::CString& folder) = 0;
};

// Where graph-list objects join the project file: the charting engine
// installs it (fw::Install<IGraphListArchive>) to store and load the
// document's time list graph.
class IGraphTimeList;
namespace fw {
class CArchive;
}
class IGraphListArchive {
public:
    virtual ~IGraphListArchive() = default;
    virtual void Serialize(fw::CArchive& ar, IGraphTimeList& list) = 0;
};
