#include "docbase/doc/GraphDocumentLookup.h"

#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/ZELDataDoc.h"

const fw::CDocument* CHostGraphDocumentLookup::FindDocument(const CDocIdent& ident) const
{
    auto* host = dynamic_cast<CDataDocHost*>(&DataDocHost());
    return host ? host->FindDocument(ident) : nullptr;
}
