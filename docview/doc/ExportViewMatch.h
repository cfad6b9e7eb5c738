#pragma once

// Which view of a document opened for a text conversion writes the text.

#include "docbase/doc/DocTextConversion.h"

// A view of exactly that class (by name), or of that class or one derived
// from it.
ExportViewMatch ViewOfExactClass(const char* className);
ExportViewMatch ViewOfKind(const fw::CRuntimeClass* viewClass);
