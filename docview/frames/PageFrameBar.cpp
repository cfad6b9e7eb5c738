#include "docview/frames/PageFrameBar.h"

#include "docview/controls/ZELEdit.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DialogBuilder.h"

#include <QLayout>
#include <QWidget>

#include <memory>

FW_IMPLEMENT_DYNAMIC(CPageFrameBar, fw::CDialogBar)

bool CPageFrameBar::CreateBar(fw::CFrameWnd* frame, unsigned id, uint16_t editMenu,
                              const std::function<void(fw::DialogBuilder&)>& fields)
{
    const bool ok = fw::CDialogBar::Create(
        frame,
        [&](fw::DialogBuilder& b) {
            // The program's own edit class: the pages' edit commands look for it.
            auto& title = static_cast<CZELEdit&>(b.Custom(kTitleEdit, std::make_unique<CZELEdit>()));
            title.m_nMenuId = editMenu;
            title.LimitText(kTitleLimit);
            if (fields) {
                b.Row();
                fields(b);
            }
        },
        id);
    // The facts are never cut short: the bar is at least as wide as its
    // rows' texts, whatever they become later.
    if (ok && Widget() && Widget()->layout())
        Widget()->layout()->setSizeConstraint(QLayout::SetMinimumSize);
    return ok;
}

fw::CEdit* CPageFrameBar::TitleEdit() const { return GetDlgItemAs<fw::CEdit>(kTitleEdit); }

void CPageFrameBar::SetEditReadOnly(bool on)
{
    if (fw::CEdit* edit = TitleEdit())
        edit->SetReadOnly(on);
}
