#pragma once

// What the time-axis dialog edits of a graph drawer whose X axis counts
// time: the axis settings of the ordinary axis dialog, the elapsed-time
// unit and the reference time at which the axis counts 0.

#include "graphdoc/model/ScaleSettings.h"

struct TimeScaleSettings : ScaleSettings {
    // Reference-time fields; -1 each when the date has no calendar form.
    struct Fields {
        int year = -1;
        int month = -1;
        int day = -1;
        int hour = -1;
        int minute = -1;
        int second = -1;
    };

    void Load(const CKivGraphDraw& draw);
    // Scale type and graph type (a linear time axis draws as type 10), time
    // unit and reference time, then the plot rebuilt and auto-scaled. A
    // reference time that is no calendar date leaves the stored one.
    void Store(CKivGraphDraw& draw) const;
    // The earliest non-zero start time of the series' time tanks into the
    // fields; false (fields untouched) when no series has one.
    bool TakeEarliestStart(const CKivGraphDraw& draw);
    void SetReference(double date);

    int timeUnit = -1;
    Fields reference;
};
