#include "tests/docview/graphpage/GraphPageFixture.h"

#include "docbase/graphpage/GraphPageClasses.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/File.h"

namespace gptest {

FW_IMPLEMENT_SERIAL(CFramedObj, CDrawObj, 0)

void CFramedObj::Draw(fw::CDC* dc)
{
    DrawFrame(dc, m_position);
}

GraphPageTest::GraphPageTest()
{
    RegisterGraphPageClasses();
    fw::RegisterClass(FW_RUNTIME_CLASS(CFramedObj));
    oldClipboard = fw::InstallClipboard(&clipboard);
    oldFactory = CZELBitmap::InstallFactory([this](const fw::CDC*, int w, int h) -> std::unique_ptr<CZELBitmap> {
        ++bitmapsMade;
        return std::make_unique<RecordingBitmap>(w, h, &bitmapSink, &bitmapCopies);
    });
    doc.m_bAutoDelete = false;
    doc.m_pageSize = fw::CSize(400, 300);
    view.AttachDocument(&doc);
}

GraphPageTest::~GraphPageTest()
{
    view.AttachDocument(nullptr);
    CZELBitmap::InstallFactory(oldFactory);
    fw::InstallClipboard(oldClipboard);
}

CFramedObj* GraphPageTest::AddFramed(const fw::CRect& r)
{
    auto* object = new CFramedObj(r);
    doc.AddObject(object);
    return object;
}

std::vector<uint8_t> GraphPageTest::StorePage(CZELGraphViewDoc& page)
{
    // Without windows: a view would add the placement of its frame.
    const bool attached = view.GetDocument() == &page;
    if (attached)
        view.AttachDocument(nullptr);
    fw::CMemFile file;
    fw::CArchive ar(&file, fw::CArchive::store);
    ar.m_pDocument = &page;
    page.Serialize(ar);
    ar.Close();
    if (attached)
        view.AttachDocument(&page);
    return file.Detach();
}

void GraphPageTest::LoadPage(CZELGraphViewDoc& page, const std::vector<uint8_t>& bytes)
{
    fw::CMemFile file(bytes);
    fw::CArchive ar(&file, fw::CArchive::load);
    ar.m_pDocument = &page;
    page.Serialize(ar);
}

} // namespace gptest
