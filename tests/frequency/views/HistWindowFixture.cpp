#ifdef KIV_FREQUENCY_VIEWS

#include "tests/frequency/views/HistWindowFixture.h"

#include "common/tank/DblDataTank.h"
#include "frequency/views/HistMenus.h"

#include <fstream>
#include <sstream>

namespace histview_test {

HistWindowFixture::HistWindowFixture()
{
    RegisterHistViewMenus();
    services.prompt.SetUnexpectedHandler(
        [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
    histTemplate = new fw::CMultiDocTemplate(132, FW_RUNTIME_CLASS(CHistDoc), FW_RUNTIME_CLASS(CHistFrame),
                                             FW_RUNTIME_CLASS(CHistAmpInView));
    histTemplate->SetDocStrings(
        "\n頻度データ\n頻度データ\n頻度データ(*.kivh)\n.kivh\nKIV-5400.HistData\nKIV-5400.頻度データ");
    manager.AddDocTemplate(histTemplate);
}

HistWindowFixture::~HistWindowFixture()
{
    manager.CloseAllDocuments(false);
    EXPECT_EQ(files.Problems(), "");
    EXPECT_EQ(dialogs.Problems(), "");
    EXPECT_EQ(services.prompt.Problems(), "");
}

CHistDoc* HistWindowFixture::OpenRecord(std::unique_ptr<CHistCountArray> analyses, const std::string& name,
                                        const std::string& title)
{
    std::string path;
    {
        CHistDoc doc;
        EXPECT_TRUE(doc.CreateNewContents());
        EXPECT_TRUE(doc.CreateFile(fw::CString(dir.Path().string()), fw::CString(name), fw::CString(title),
                                   analyses.release(), "HIST0001.DAT"));
        path = doc.GetPathName().str();
    }
    return dynamic_cast<CHistDoc*>(manager.OpenDocumentFile(fw::CString(path), true));
}

CHistFrame* HistWindowFixture::FrameOf(CHistDoc* doc) const
{
    fw::POSITION pos = doc->GetFirstViewPosition();
    while (pos)
        if (auto* view = dynamic_cast<CHistAmpInView*>(doc->GetNextView(pos)))
            return dynamic_cast<CHistFrame*>(view->GetParentFrame());
    return nullptr;
}

std::string HistWindowFixture::ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

CHistCountObj* MakeAnalysis(const char* name, int16_t op, int16_t plus, int16_t minus, float fs,
                            const std::vector<double>& table)
{
    auto* h = new CHistCountObj;
    h->m_name = name;
    h->m_operation = op;
    h->m_plusSlices = plus;
    h->m_minusSlices = minus;
    h->m_fullScale = fs;
    h->CreateCountTank();
    CDblDataTank* tank = h->GetCountTank();
    for (size_t i = 0; i < table.size(); ++i)
        tank->SetValue(static_cast<int>(i), table[i]);
    return h;
}

} // namespace histview_test

#endif
