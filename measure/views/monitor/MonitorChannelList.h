#pragma once

// A channel list of the monitor settings: two columns (name and number),
// any number of rows selected, each row carrying its channel number. A
// table stands in for the list view control the framework does not have.

#include "framework/ui/Wnd.h"
#include "measure/model/monitor/MonitorChannels.h"

#include <functional>
#include <vector>

class QTableWidget;

class CMonitorChannelList : public fw::CWnd {
    FW_DECLARE_DYNAMIC(CMonitorChannelList)
public:
    CMonitorChannelList();

    // "名前" two thirds and "NO" one third of the width less 18 pixels.
    void InitColumns();
    void SetItems(const std::vector<MonitorListItem>& items);
    std::vector<MonitorListItem> Items() const;
    int GetItemCount() const;
    std::vector<bool> SelectedRows() const;
    bool HasSelection() const;
    // The first selected row; -1 when none.
    int FirstSelected() const;
    void SelectRow(int row, bool on);
    void SelectAll();

    // A click, a right click or a change of the selection.
    std::function<void()> onSelectionChanged;

    QTableWidget* Table() const;
};
