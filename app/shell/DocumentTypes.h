#pragma once

// Where the program's document types join start-up: each type's code
// registers a maker of its template under the type's string id (129
// project, 130 measurement data, 131 graph, 132 frequency data). Start-up
// adds the registered templates after the combined filter, in that order,
// and puts the shared graph and measurement popups into each type's menu.

#include <functional>

namespace fw {
class CDocTemplate;
}

using DocTemplateMaker = std::function<fw::CDocTemplate*()>;

// Replaces an earlier maker of the same type.
void RegisterDocumentType(unsigned stringId, DocTemplateMaker maker);
void UnregisterDocumentType(unsigned stringId);
// The maker of a type, or an empty function.
DocTemplateMaker DocumentTypeMaker(unsigned stringId);

// The program's document types in the order the open dialog lists them.
inline constexpr unsigned kDocumentTypeOrder[] = {129, 130, 131, 132};

// The shared popups replace the placeholders of the type's menu (the menu
// resource of the template's id); false when the menu has neither.
bool SpliceSharedMenus(unsigned templateMenuId);
