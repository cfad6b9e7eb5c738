#pragma once

// The runtime classes of the project window's analysis and history pages,
// by page command; the window makes the pages it finds here.

namespace fw {
struct CRuntimeClass;
}

// None for a page command this table does not know.
const fw::CRuntimeClass* ProjectPageClass(unsigned pageId);
