#pragma once

// The reusable application base: where documents, views and dialogs find
// each other (documents by identifier, templates by their string, graph
// pages for broadcasts) and the document identifiers of the run.

#include "docbase/doc/DataDocHost.h"
#include "framework/ui/WinApp.h"

#include <ctime>

#include "framework/core/Geometry.h"

namespace fw {
class CDocTemplate;
class CDocument;
class CFont;
}

class CZELApp;

// The application's document services, installed for data documents; it
// opens further frames and tells the application of a path open elsewhere.
class CAppDataDocHost final : public CDataDocHost {
public:
    explicit CAppDataDocHost(CZELApp& app) : m_app(app) {}
    IPlacedView* OpenNewFrame(fw::CDocument* document) override;

protected:
    void OnPathAlreadyOpen(fw::CDocument* other) override;

private:
    CZELApp& m_app;
};

class CZELApp : public fw::CWinApp {
    FW_DECLARE_DYNAMIC(CZELApp)
public:
    CZELApp();
    ~CZELApp() override;

    // The open data document carrying `ident`; null when none.
    CZELDataDoc* FindDocument(const CDocIdent& ident) const;
    // The template whose file-new name equals that of string `stringId`.
    fw::CDocTemplate* FindDocTemplate(unsigned stringId) const;
    // An empty path makes a new document of that type. Null when there is
    // no such template or the open failed.
    fw::CDocument* OpenDocumentByTemplate(unsigned stringId, const fw::CString& path, bool makeVisible);
    void UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject);
    void SendDataDocsToGraphDoc(IGraphPageDoc& page) const;
    bool IsPathOpenElsewhere(fw::CDocument* document, const fw::CString& path, bool notify);
    CDocIdent NewDocIdent();
    // The framework's open; a data document then takes back the frame
    // placements saved in it.
    fw::CDocument* OpenDocumentFile(const fw::CString& path) override;

    // The average character width and the height of `font` on the display.
    fw::CSize GetFontCharSize(fw::CFont* font) const;

    double GetProfileDouble(const char* section, const char* key, double def);
    bool WriteProfileDouble(const char* section, const char* key, double value);

    // Overridden by the program: its settings for the whole run.
    virtual void SaveSettings() {}
    virtual void LoadSettings() {}
    // Another document already has the path; nothing in this program.
    virtual void OnPathAlreadyOpen(fw::CDocument* other) {}

    time_t GetStartTime() const { return m_appStartTime; }
    unsigned GetNewDocTemplateId() const { return m_nNewDocTemplateId; }
    CAppDataDocHost& DocHost() { return m_dataDocHost; }

    static CZELApp* GetZELApp();

protected:
    // Keeps the document services on the current document manager.
    void AttachDocManager();

    time_t m_appStartTime;
    unsigned m_nNewDocTemplateId = 0;

private:
    CAppDataDocHost m_dataDocHost;
    IDataDocHost* m_previousHost = nullptr;
};
