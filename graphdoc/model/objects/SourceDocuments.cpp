#include "graphdoc/model/objects/SourceDocuments.h"

#include "chart/model/GraphDocumentLookup.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/UpdateHints.h"

CKivDocBase* FindKivDocument(const CDocIdent& ident)
{
    if (ident.IsNone())
        return nullptr;
    // The lookup answers const documents; the graph objects read and bind
    // their tanks, as the documents' own views do.
    const fw::CDocument* found = FindGraphDocument(ident);
    return dynamic_cast<CKivDocBase*>(const_cast<fw::CDocument*>(found));
}

CKivDocBase* HintDocument(const fw::CObject* hintObject)
{
    const auto* hint = dynamic_cast<const CUpdateDataDoc*>(hintObject);
    return hint ? dynamic_cast<CKivDocBase*>(hint->m_pDocument) : nullptr;
}

CDocIdent DocumentIdent(const CKivDocBase& document)
{
    return document.GetDocIdent();
}
