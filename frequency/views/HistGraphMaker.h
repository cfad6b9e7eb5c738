#pragma once

// The frequency window's "頻度グラフ..." command makes a graph page with a
// frequency graph of its document; the graph pages live above this folder,
// so the program installs the maker at start-up (fw::Install).

class CHistDoc;

class IHistGraphMaker {
public:
    virtual ~IHistGraphMaker() = default;
    // False when no page was made (cancelled or failed).
    virtual bool MakeGraph(CHistDoc& document) = 0;
};
