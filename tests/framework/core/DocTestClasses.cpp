#include "tests/framework/core/DocTestClasses.h"

namespace doctest {

FW_IMPLEMENT_DYNCREATE(NoteDoc, fw::CDocument)

void NoteDoc::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << text;
        if (failStore) {
            ar.Flush();
            fw::ThrowFileException(fw::CFileException::diskFull);
        }
        ar << number;
    } else {
        ar >> text >> number;
    }
}

} // namespace doctest
