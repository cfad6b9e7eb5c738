#pragma once

// The project's history rebuild reads the headers of measurement-data
// files through this reader (fw::Install<IDataHeaderReader>).

#include "project/model/DataHeaderReader.h"

class CKivDataHeaderReader : public IDataHeaderReader {
public:
    bool ReadHeader(const fw::CString& path, CMMAHeader& header) override;
};
