#pragma once

// The program's document manager: the open and save dialogs built from the
// registered templates (the open dialog with the check box that opens the
// StartUp graphs with a project), and documents opened without a window for
// the text conversions.

#include "framework/core/DocManager.h"

#include <cstdint>

class CKivDocManager : public fw::CDocManager {
    FW_DECLARE_DYNAMIC(CKivDocManager)
public:
    // Check box 1266 of the open dialog.
    static constexpr int kStartUpGraphsCheckId = 1266;

    // The application's flag behind the open dialog's check box (null: no
    // check box). Confirming the dialog stores the box as 0 or 1.
    void SetStartUpGraphsFlag(int32_t* flag) { m_pStartUpGraphs = flag; }

    bool DoPromptFileName(fw::CString& fileName, unsigned titleId, unsigned flags, bool openFileDialog,
                          fw::CDocTemplate* tmpl) override;

    // Opens `path` (quotes dropped, made a full path) without showing it;
    // an already open document is returned as it is, with confidence 5.
    // Null when no template matches or the open failed.
    fw::CDocument* OpenDocumentHidden(const fw::CString& path, fw::CDocTemplate::Confidence& confidence);

private:
    int32_t* m_pStartUpGraphs = nullptr;
};
