#pragma once

// How a graph finds an open data document by its identifier: the documents
// live above the charting engine, so the program installs the lookup at
// start-up (fw::Install<IGraphDocumentLookup>); tests install a fake.
// Without one no document is found.

#include "common/base/DocIdent.h"
#include "framework/core/ServiceSlot.h"

namespace fw {
class CDocument;
}

class IGraphDocumentLookup {
public:
    virtual ~IGraphDocumentLookup() = default;
    // The open document with that identifier; nullptr when none is open.
    virtual const fw::CDocument* FindDocument(const CDocIdent& ident) const = 0;
};

// Through the installed lookup; nullptr without one.
inline const fw::CDocument* FindGraphDocument(const CDocIdent& ident)
{
    const IGraphDocumentLookup* lookup = fw::Installed<IGraphDocumentLookup>();
    return lookup ? lookup->FindDocument(ident) : nullptr;
}
