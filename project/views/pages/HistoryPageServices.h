#pragma once

// What the history pages ask of the program above them: the text-conversion
// dialogs and conversions of data files and frequency files, and whether a
// frequency-data document is open. The program installs its implementation
// (fw::Install<IHistoryPageServices>); without one nothing is converted and
// no frequency document counts as open.

#include "framework/core/CString.h"

class IHistoryPageServices {
public:
    virtual ~IHistoryPageServices() = default;
    // The data-file text dialog over the program's options, `dataFolder`
    // proposed when their folder is empty; false when cancelled.
    virtual bool ChooseDataTextOptions(const fw::CString& dataFolder) { return false; }
    // One data file into text with the options chosen last.
    virtual bool ConvertDataFile(const fw::CString& path) { return false; }
    // The same two for frequency-data files.
    virtual bool ChooseHistTextOptions(const fw::CString& dataFolder) { return false; }
    virtual bool ConvertHistFile(const fw::CString& path) { return false; }
    virtual bool IsFrequencyDataOpen() { return false; }
};

IHistoryPageServices& HistoryPageServices();
