#pragma once

// The list-graph dialogs as the charting engine asks for them; the program
// installs one (fw::Install<IListGraphDialogs>).

#include "chart/model/ListGraphDialogs.h"

class CListGraphDialogs final : public IListGraphDialogs {
public:
    bool EditLabels(CGraphListObj& list) override;
    bool EditScales(CGraphListObj& list) override;
    bool EditDrawTypes(CGraphListObj& list) override;
};
