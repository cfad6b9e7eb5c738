#pragma once

// What the row operations of a measurement-data document need of a time
// mark in its marker list: the sample it stands on and its moment. A mark
// class that cannot answer this is left where it is.

#include <cstdint>

class IDataMark {
public:
    virtual ~IDataMark() = default;
    virtual int32_t GetSampleIndex() const = 0;
    // Days, as the document's start time counts them.
    virtual double GetMarkDate() const = 0;
    virtual void SetMark(int32_t index, double date) = 0;

    // Moves the mark by `samples` of `interval` seconds; a move back past
    // the first sample puts it on sample 0 and keeps its moment.
    void MoveBy(int32_t samples, double interval)
    {
        if (samples < 0 && -samples > GetSampleIndex()) {
            SetMark(0, GetMarkDate());
            return;
        }
        SetMark(GetSampleIndex() + samples, GetMarkDate() + samples * interval / 86400.0);
    }
};
