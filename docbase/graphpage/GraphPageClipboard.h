#pragma once

// Drawing objects on the clipboard: the "ZELAPP" data is the framework's
// object-list form (a count, then each object by class in its archive
// form).

#include "docbase/graphpage/GraphPageView.h"

#include <cstdint>
#include <span>
#include <vector>

class CZELGraphViewDoc;

// The clipboard format's registered name.
inline constexpr const char* kZelAppFormatName = "ZELAPP";

std::vector<uint8_t> StoreDrawObjects(const CDrawObjList& objects);
// New objects owned by the caller, each once, their document `document`.
// Data that is not such a list raises the archive's exception and leaves
// nothing behind.
CDrawObjList LoadDrawObjects(std::span<const uint8_t> bytes, CZELGraphViewDoc* document);
