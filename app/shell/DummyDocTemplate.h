#pragma once

// The template behind the open dialog's combined filter over all the
// program's document types. It has no document class: a file reaching it
// matched no real type and is refused with a message.

#include "framework/ui/MultiDocTemplate.h"

class CDummyDocTemplate : public fw::CMultiDocTemplate {
public:
    CDummyDocTemplate();
    // Never a document: a frequency-settings file (".kivs") asks for the
    // frequency program, any other file gives the open-failure message.
    fw::CDocument* OpenDocumentFile(const fw::CString& path, bool makeVisible = true) override;
};
