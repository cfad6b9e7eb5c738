#pragma once

// A tool bar: buttons for command ids (0 = separator), updated from the
// command route; its clicks are commands of its frame. Button images come
// from an image provider the program registers (none: text buttons). A
// button of the drop-down style has an arrow beside it; the arrow asks the
// bar's frame (when it answers drop-downs) to drop its menu, while the
// button itself stays a command.

#include "framework/core/Geometry.h"
#include "framework/ui/ControlBar.h"

#include <functional>
#include <vector>

class QAction;
class QIcon;
class QToolBar;

namespace fw {

inline constexpr unsigned TBBS_BUTTON = 0x00;
inline constexpr unsigned TBBS_SEPARATOR = 0x01;
inline constexpr unsigned TBBS_CHECKBOX = 0x02;
inline constexpr unsigned TBBS_DROPDOWN = 0x80;

class CToolBar;

// A frame that answers the arrows of its tool bars' drop-down buttons.
class IToolBarDropDown {
public:
    // The arrow of button `id` was pressed; `button` is the button's
    // rectangle on the screen, under which its menu belongs.
    virtual void OnToolbarDropDown(CToolBar& bar, unsigned id, const CRect& button) = 0;

protected:
    ~IToolBarDropDown() = default;
};

class CToolBar : public CControlBar {
    FW_DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    // Puts the bar at the top of `frame`.
    bool Create(CFrameWnd* frame, unsigned id = AFX_IDW_TOOLBAR);
    // The buttons; 0 is a separator. `bitmapId` picks the images.
    bool SetButtons(const unsigned* ids, int count, unsigned bitmapId = 0);
    // Changes the images (the edit-lock bitmap swap).
    void LoadBitmap(unsigned bitmapId);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    unsigned GetItemID(int index) const;
    int CommandToIndex(unsigned id) const;
    QAction* ActionOf(unsigned id) const;
    void SetButtonStyle(int index, unsigned style);
    unsigned GetButtonStyle(int index) const;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;
    // Presses a button as the user would (tests).
    void PressButton(unsigned id);
    // Presses the arrow of a drop-down button as the user would (tests).
    void PressDropDown(unsigned id);
    // Whether button `id` shows the drop-down arrow.
    bool HasDropDownArrow(unsigned id) const;
    // The rectangle of button `id` on the screen (empty when absent).
    CRect GetButtonScreenRect(unsigned id) const;
    QToolBar* Bar() const;

    // The image of button `index` of bitmap `bitmapId`.
    static void SetImageProvider(std::function<QIcon(unsigned bitmapId, int index)> provider);

private:
    struct Item {
        unsigned id;
        QAction* action;
        unsigned style;
    };
    void ShowDropDownArrow(const Item& item, bool on);
    friend class DropDownArrow;
    void DropDown(unsigned id);

    std::vector<Item> m_items;
};

} // namespace fw
