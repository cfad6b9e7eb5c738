#pragma once

// The menu bar of a graph page's frame (resource 131) and the view's
// context menu (resource 319).
void RegisterGraphPageMenus();
