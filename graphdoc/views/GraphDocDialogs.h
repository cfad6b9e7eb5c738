#pragma once

// The graph dialogs as the graph-page documents and objects reach them.
void InstallGraphDocDialogs();
