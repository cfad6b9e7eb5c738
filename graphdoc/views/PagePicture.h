#pragma once

// A graph page as a picture: drawn as printing draws it (no selection
// handles) into a bitmap of the page's size, or into our metafile writer.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/core/PixelBuffer.h"

#include <cstdint>
#include <vector>

class CGraphView;

// The page, page width x height pixels on the window colour. No memory for
// the picture: std::bad_alloc.
fw::PixelBuffer RenderPagePicture(CGraphView& view);

// The metafile's frame in 0.01 mm: the page size through the display's
// millimetres per pixel, each factor in whole numbers first.
fw::CRect PageMetafileFrame(fw::CSize page);
// The metafile of the page; the description names the program and the page.
std::vector<uint8_t> PageMetafile(CGraphView& view);
// Writes it to `path` (through a temporary file).
void WritePageMetafile(CGraphView& view, const fw::CString& path);
