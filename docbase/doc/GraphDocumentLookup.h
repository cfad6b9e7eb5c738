#pragma once

// Graph series find their source documents among the open data documents
// of the installed document host.

#include "chart/model/GraphDocumentLookup.h"

class CHostGraphDocumentLookup final : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override;
};
