#include "tests/docbase/DocFixture.h"

#include "common/tank/FltDataTank.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace apptest {

FW_IMPLEMENT_DYNCREATE(CTestKivDoc, CKivDocBase)
FW_IMPLEMENT_DYNCREATE(CTestGraphDoc, fw::CDocument)

CTestKivDoc::CTestKivDoc() = default;
CTestKivDoc::~CTestKivDoc() = default;

void CTestKivDoc::Serialize(fw::CArchive& ar)
{
    CKivDocBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_payload;
        if (m_failStore) {
            ar.Flush();
            throw fw::CFileException(fw::CFileException::diskFull, -1, ar.m_strFileName);
        }
    } else {
        ar >> m_payload;
    }
}

CDataTankObject* CTestKivDoc::SetChannel(int channel, int32_t kind, const fw::CString& name)
{
    while (m_channels.GetSize() <= channel)
        m_channels.AddTank(nullptr, false);
    auto* tank = new CFltDataTank;
    tank->SetKind(kind);
    tank->SetName(name);
    m_channels.SetTankAt(channel, tank, false);
    return tank;
}

intptr_t CTestGraphDoc::DispatchUpdate(intptr_t hint, fw::CObject* hintObject)
{
    Hint h{hint, {}, {}, nullptr};
    if (auto* change = dynamic_cast<CUpdateChangeDocIdent*>(hintObject)) {
        h.newIdent = change->m_newIdent;
        h.oldIdent = change->m_oldIdent;
    }
    if (auto* data = dynamic_cast<CUpdateDataDoc*>(hintObject))
        h.document = data->m_pDocument;
    m_hints.push_back(h);
    return 0;
}

int CTestGraphDoc::Count(intptr_t code) const
{
    return static_cast<int>(
        std::count_if(m_hints.begin(), m_hints.end(), [code](const Hint& h) { return h.code == code; }));
}

IPlacedView* CTestHost::OpenNewFrame(fw::CDocument* document)
{
    newFrames.push_back(std::make_unique<CTestView>(1000 + static_cast<uint32_t>(newFrames.size())));
    document->AddView(newFrames.back().get());
    return newFrames.back().get();
}

FramePlacement MakePlacement(int seed)
{
    FramePlacement p;
    p.flags = static_cast<uint32_t>(seed);
    p.showCmd = 1;
    p.minPosition = {-1, -1};
    p.maxPosition = {-1, -1};
    p.normalPosition = fw::CRect(10 * seed, 20 * seed, 10 * seed + 300, 20 * seed + 200);
    return p;
}

DocFixture::DocFixture() : m_oldHost(InstallDataDocHost(&host))
{
    services.prompt.SetUnexpectedHandler(
        [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
    docTemplate = new fw::CDocTemplate(kTestDocStrings, FW_RUNTIME_CLASS(CTestKivDoc), nullptr, nullptr);
    docTemplate->SetDocStrings(kDocStrings);
    manager.AddDocTemplate(docTemplate);
    graphTemplate = new fw::CDocTemplate(kGraphDocStrings, FW_RUNTIME_CLASS(CTestGraphDoc), nullptr, nullptr);
    graphTemplate->SetDocStrings(kGraphStrings);
    manager.AddDocTemplate(graphTemplate);
}

DocFixture::~DocFixture()
{
    manager.CloseAllDocuments(false);
    InstallDataDocHost(m_oldHost);
    EXPECT_EQ(dialogs.Problems(), "");
    EXPECT_EQ(services.prompt.Problems(), "");
}

CTestKivDoc* DocFixture::NewDoc()
{
    return dynamic_cast<CTestKivDoc*>(docTemplate->OpenDocumentFile(fw::CString(), false));
}

CTestGraphDoc* DocFixture::NewGraphPage()
{
    return dynamic_cast<CTestGraphDoc*>(graphTemplate->OpenDocumentFile(fw::CString(), false));
}

CTestKivDoc* DocFixture::Open(const std::string& path)
{
    return dynamic_cast<CTestKivDoc*>(manager.OpenDocumentFile(fw::CString(path), false));
}

std::string DocFixture::ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void DocFixture::WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> DocFixture::StrayFiles(const std::vector<std::string>& expected) const
{
    std::vector<std::string> stray;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end())
            stray.push_back(name);
    }
    return stray;
}

} // namespace apptest
