#include "docbase/doc/NoReplaceSave.h"

#include "framework/core/FileSystem.h"

NoReplaceResult WriteFileNoReplace(const fw::CString& path, const std::function<void(fw::CFile&)>& writer)
{
    return fw::fs::WriteNoReplace(path, writer) ? NoReplaceResult::written : NoReplaceResult::nameTaken;
}
