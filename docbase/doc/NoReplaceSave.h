#pragma once

// Writing a file under a name that must not exist yet: the data go to a
// temporary file in the same folder, which is synced and then renamed with
// a rename that fails when the name was taken meanwhile. The file under
// that name is never touched.

#include "framework/core/CString.h"

#include <functional>

namespace fw {
class CFile;
}

enum class NoReplaceResult { written, nameTaken };

// Other failures (the writer's, the disk's) throw after the temporary file
// was removed.
NoReplaceResult WriteFileNoReplace(const fw::CString& path, const std::function<void(fw::CFile&)>& writer);
