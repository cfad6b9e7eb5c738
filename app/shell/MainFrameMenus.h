#pragma once

// The main frame's editing of every popup before it is shown: placeholder
// sub-menus are filled from menu resources and the commands this program
// does not offer in menus are taken out (their handlers stay).

namespace fw {
class CMenu;
class CRecentFileList;
}

// The whole pass, in its order, over one popup.
void EditFramePopup(fw::CMenu* popup);

// The recent-file item (57616) of a popup becomes one item per recent file
// ("&1 name" ...); an empty list leaves a single disabled item.
void ExpandRecentFileItems(fw::CMenu* popup, const fw::CRecentFileList& files);
