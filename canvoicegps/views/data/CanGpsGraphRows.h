#pragma once

// The GPS and CAN time list graphs of a measurement-data document and the
// rows they plot: one row per GPS channel over the sampling time, one row
// per CAN signal over the signal's own time stamps (the first tank of each
// pair of the CAN list).

class CCanGraphTimeListObj;
class CDataTankObject;
class CGpsGraphTimeListObj;
class CKivDataDoc;

// The graphs behind the document's lists; null when the program made
// plain graphs. The GPS graph learns its document here.
CGpsGraphTimeListObj* GpsGraphOf(CKivDataDoc& doc);
CCanGraphTimeListObj* CanGraphOf(CKivDataDoc& doc);

// The CAN signal of a graph row: the second tank of the row's pair; null
// beyond the pairs (an odd last tank has no row).
CDataTankObject* CanSignalTank(CKivDataDoc& doc, int row);
int CanSignalCount(CKivDataDoc& doc);

// Builds the rows again unless each row already plots the tanks it should
// (a graph read from the file keeps its scales and labels). True when the
// rows were rebuilt.
bool SyncGpsGraphRows(CKivDataDoc& doc);
bool SyncCanGraphRows(CKivDataDoc& doc);
