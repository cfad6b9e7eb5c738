#pragma once

// The bar above a page frame's pages: the document's test title in the
// program's own edit control, then the rows of facts the frame shows. The
// edit takes the bar's whole width, and the bar takes the width its texts
// need.

#include "framework/ui/DialogBar.h"

#include <cstdint>
#include <functional>

namespace fw {
class CEdit;
class DialogBuilder;
}

class CPageFrameBar : public fw::CDialogBar {
    FW_DECLARE_DYNAMIC(CPageFrameBar)
public:
    static constexpr int kTitleEdit = 1001;
    static constexpr int kTitleLimit = 256;

    // The title edit (its context menu `editMenu`, 0 for none), then the
    // rows that `fields` builds; the bar's id is `id`.
    bool CreateBar(fw::CFrameWnd* frame, unsigned id, uint16_t editMenu,
                   const std::function<void(fw::DialogBuilder&)>& fields);
    fw::CEdit* TitleEdit() const;
    void SetEditReadOnly(bool on);
};
