#include "tests/graphdoc/doc/GraphDocFixture.h"

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "graphdoc/model/GraphDocClasses.h"

namespace gdtest {

GraphDocTest::GraphDocTest()
{
    RegisterGraphDocClasses();
    doc.m_bAutoDelete = false;
    doc.m_pageSize = fw::CSize(1000, 800);
}

GraphDocTest::~GraphDocTest() = default;

std::vector<uint8_t> GraphDocTest::Store(CGraphViewDoc& page)
{
    fw::CMemFile file;
    fw::CArchive ar(&file, fw::CArchive::store);
    ar.m_pDocument = &page;
    page.Serialize(ar);
    ar.Close();
    return [&] { auto d = file.Data(); return std::vector<uint8_t>(d.begin(), d.end()); }();
}

void GraphDocTest::Load(CGraphViewDoc& page, const std::vector<uint8_t>& bytes)
{
    fw::CMemFile file(bytes);
    fw::CArchive ar(&file, fw::CArchive::load);
    ar.m_pDocument = &page;
    page.Serialize(ar);
}

} // namespace gdtest
