#pragma once

// The list-graph dialogs (labels, scales, draw methods), which live with
// the views; the program installs them (fw::Install). Each loads its table
// from the list, runs, and on OK stores the table and the fonts back;
// true when the user confirmed.

class CGraphListObj;

struct IListGraphDialogs {
    virtual ~IListGraphDialogs() = default;
    virtual bool EditLabels(CGraphListObj& list) = 0;
    virtual bool EditScales(CGraphListObj& list) = 0;
    virtual bool EditDrawTypes(CGraphListObj& list) = 0;
};
