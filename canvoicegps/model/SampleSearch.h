#pragma once

// CAN samples carry their own time stamps, so a time becomes a sample by
// searching the ascending time tank rather than by dividing by an interval.

class CDataTankObject;

// The last sample whose time is not after `time`: 0 for a time at or before
// the first sample, the last index for one at or after the last; -1 for a
// missing or empty tank.
int FindSampleAtOrBefore(CDataTankObject* tank, double time);
