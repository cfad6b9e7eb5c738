#pragma once

// How the graph objects of this folder find the data document they refer
// to: through the installed graph-document lookup, as the series do.

#include "common/base/DocIdent.h"

class CKivDocBase;
class CDataTankObject;
namespace fw {
class CObject;
}

// The open instrument document with that identifier; null when none is open.
CKivDocBase* FindKivDocument(const CDocIdent& ident);
// The document a hint object names (a CUpdateDataDoc), when it is an
// instrument document.
CKivDocBase* HintDocument(const fw::CObject* hintObject);
// Identifier of an instrument document.
CDocIdent DocumentIdent(const CKivDocBase& document);
