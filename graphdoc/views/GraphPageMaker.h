#pragma once

// Graph pages made from a project or measurement-data document: the plot
// settings are asked first, then a new page gets the graph, a legend and
// the document's test title. The graph commands of the data windows'
// "グラフ(&G)" menu come here.

#include "graphdoc/model/objects/PowPrf.h"

#include <cstdint>

class CDrawPowObj;
class CKivDocBase;
class CSimpleGraphObj;

class CGraphPageMaker {
public:
    static constexpr unsigned kIdsCannotCreate = 419;
    static constexpr const char* kTextCannotCreate = "グラフを作成できませんでした。";
    static constexpr unsigned kSpectrumCommand = 32940;
    static constexpr int kTypeCount = 11;

    // One row per graph type 0-10: the command, the kind and sub-mode the
    // dialog and graph take, the dialog's monitor and project-only values,
    // the graph's data mode and the profile's marker kind (-2: left as the
    // profile makes it).
    struct TypeRow {
        unsigned command;
        int kind;
        int subMode;
        int monitor;
        int projectOnly;
        int dataMode;
        int markerKind;
    };
    static const TypeRow& Row(int type);
    // The graph type of a menu command; -1 for others.
    static int TypeOfCommand(unsigned command);

    CGraphPageMaker();

    // The page with one simple graph of `type`; null when cancelled or failed.
    CSimpleGraphObj* CreateSimpleGraph(CKivDocBase& document, int type);
    // The page with one power-spectrum graph; null when cancelled or failed.
    CDrawPowObj* CreatePowerSpectrumGraph(CKivDocBase& document);

    // The spectrum settings, kept so that the next spectrum starts from them.
    CPowGraphPrfList& SpectrumProfiles() { return m_spectrum; }

private:
    CPowGraphPrfList m_spectrum;
};

// The program's maker (one for the run).
CGraphPageMaker& GraphPageMaker();
