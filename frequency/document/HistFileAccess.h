#pragma once

// The frequency-data files as the project document reaches them.

#include "frequency/model/HistFileAccess.h"

class CHistFileAccess final : public IHistFileAccess {
public:
    bool CreateFile(const fw::CString& folder, const fw::CString& name, const fw::CString& title,
                    CHistCountArray* analyses, const fw::CString& cardFileName, fw::CString& path,
                    HistFileHeader& header) override;
    bool ReadHeader(const fw::CString& path, HistFileHeader& header) override;
    bool ReplaceTitle(const fw::CString& path, const fw::CString& title) override;
};
