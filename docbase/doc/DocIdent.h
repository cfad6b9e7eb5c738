#pragma once

// The document identifier lives with the common types, so that the layers
// below the documents (graph series) can name a document too.

#include "common/base/DocIdent.h"
