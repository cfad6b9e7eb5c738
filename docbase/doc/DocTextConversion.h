#pragma once

// Converting a data or frequency file to text without showing it: the file
// is opened without a window (or the open document is taken), the views
// get their initial update, one of them writes the text, and a document
// opened only for this is closed again.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <functional>

namespace fw {
class CDocument;
class IDocumentView;
}

class CKivDocManager;

// Picks the view that writes the text.
using ExportViewMatch = std::function<bool(fw::IDocumentView& view)>;
// Writes the text through the picked view to files named from `basePath`;
// the conversion's answer.
using ExportViewWriter = std::function<bool(fw::IDocumentView& view, const fw::CString& basePath)>;

// folder + '/' (unless it ends with a separator) + title, made a full
// path; empty when that cannot be done.
fw::CString MakeExportBasePath(const fw::CString& folder, const fw::CString& title);

// False when no document results, no view matches or no base path can be
// made; else the writer's answer.
bool ConvertFileToText(CKivDocManager& manager, const fw::CString& path, const fw::CString& folder,
                       const ExportViewMatch& match, const ExportViewWriter& write);
