#include "docview/doc/ExportViewMatch.h"

#include "framework/ui/View.h"

#include <cstring>

ExportViewMatch ViewOfExactClass(const char* className)
{
    return [className](fw::IDocumentView& link) {
        fw::CView* view = link.AsView();
        return view && std::strcmp(view->GetRuntimeClass()->name, className) == 0;
    };
}

ExportViewMatch ViewOfKind(const fw::CRuntimeClass* viewClass)
{
    return [viewClass](fw::IDocumentView& link) {
        fw::CView* view = link.AsView();
        return view && view->IsKindOf(viewClass);
    };
}
