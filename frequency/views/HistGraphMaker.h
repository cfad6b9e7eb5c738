#pragma once

// The "頻度グラフ..." command of the frequency and project windows makes a
// graph page with a frequency graph of the window's document; the graph
// pages live above this folder, so the program installs the maker at
// start-up (fw::Install).

class CKivDocBase;

class IHistGraphMaker {
public:
    virtual ~IHistGraphMaker() = default;
    // False when no page was made (cancelled or failed).
    virtual bool MakeGraph(CKivDocBase& document) = 0;
};
