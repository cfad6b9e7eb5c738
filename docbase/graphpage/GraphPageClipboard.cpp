#include "docbase/graphpage/GraphPageClipboard.h"

#include "docbase/graphpage/DrawObj.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <algorithm>

namespace {

// A class tag is the least an object takes.
constexpr size_t kMinObjectBytes = 2;

} // namespace

std::vector<uint8_t> StoreDrawObjects(const CDrawObjList& objects)
{
    fw::CMemFile file(4096);
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        ar.WriteCount(objects.size());
        for (const CDrawObj* object : objects)
            ar.WriteObject(object);
        ar.Close();
    }
    return file.Detach();
}

CDrawObjList LoadDrawObjects(std::span<const uint8_t> bytes, CZELGraphViewDoc* document)
{
    fw::CMemFile file(bytes);
    CDrawObjList objects;
    try {
        fw::CArchive ar(&file, fw::CArchive::load);
        ar.m_pDocument = document;
        const uint64_t count = ar.ReadCount(kMinObjectBytes);
        for (uint64_t i = 0; i < count; ++i) {
            auto* object = static_cast<CDrawObj*>(ar.ReadObject(FW_RUNTIME_CLASS(CDrawObj)));
            // A repeated reference names an object already taken.
            if (object && std::find(objects.begin(), objects.end(), object) == objects.end()) {
                object->m_pDocument = document;
                objects.push_back(object);
            }
        }
        ar.Close();
    } catch (...) {
        // The archive owns nothing it made: what was read so far goes here.
        for (CDrawObj* object : objects)
            object->Remove();
        throw;
    }
    return objects;
}
