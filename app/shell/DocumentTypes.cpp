#include "app/shell/DocumentTypes.h"

#include "app/shell/MenuEditing.h"
#include "app/shell/ShellIds.h"
#include "framework/core/MenuResource.h"

#include <map>

namespace {

std::map<unsigned, DocTemplateMaker>& Makers()
{
    static std::map<unsigned, DocTemplateMaker> makers;
    return makers;
}

} // namespace

void RegisterDocumentType(unsigned stringId, DocTemplateMaker maker)
{
    Makers()[stringId] = std::move(maker);
}

void UnregisterDocumentType(unsigned stringId)
{
    Makers().erase(stringId);
}

DocTemplateMaker DocumentTypeMaker(unsigned stringId)
{
    const auto it = Makers().find(stringId);
    return it == Makers().end() ? DocTemplateMaker() : it->second;
}

bool SpliceSharedMenus(unsigned templateMenuId)
{
    const fw::MenuResource* registered = fw::FindMenuResource(templateMenuId);
    if (!registered)
        return false;
    fw::MenuResource menu = *registered;
    const bool graph = ReplaceMenuItemByPopup(ID_GRAPH_PLACEHOLDER, kIdrGraphMenu, menu);
    const bool measure = ReplaceMenuItemByPopup(ID_KEISOKU_PLACEHOLDER, kIdrMeasureMenu, menu);
    if (graph || measure)
        fw::RegisterMenuResource(templateMenuId, std::move(menu));
    return graph || measure;
}
