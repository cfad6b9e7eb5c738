#pragma once

#include "framework/core/Archive.h"
#include "framework/core/Document.h"
#include "framework/core/Exceptions.h"

#include <functional>
#include <string>
#include <vector>

namespace doctest {

// A small document: a text and a number. failStore makes the save fail
// after the text was written, as a full disk would.
class NoteDoc : public fw::CDocument {
    FW_DECLARE_DYNCREATE(NoteDoc)
public:
    fw::CString text;
    int32_t number = 0;
    bool failStore = false;
    int deleted = 0;

    void Serialize(fw::CArchive& ar) override;
    void DeleteContents() override
    {
        text.Empty();
        number = 0;
        ++deleted;
    }
};

// A view as documents see it, logging what reaches it.
class FakeView : public fw::IDocumentView {
public:
    explicit FakeView(std::string name) : name(std::move(name)) {}
    fw::CView* AsView() override { return reinterpret_cast<fw::CView*>(this); }
    void OnDocumentUpdate(fw::CView*, intptr_t hint, fw::CObject*) override
    {
        log->push_back(name + " " + std::to_string(hint));
        if (onUpdate)
            onUpdate();
    }
    void OnDocumentClosing() override { log->push_back(name + " closing"); }

    std::string name;
    std::vector<std::string>* log = nullptr;
    std::function<void()> onUpdate;
};

} // namespace doctest
