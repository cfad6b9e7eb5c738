#include "data/model/TextConvParam.h"

#include <string>

void tTextConvParam::OpenFor(const CDocIdent& doc, int rows)
{
    if (document == doc)
        return;
    document = doc;
    firstRow = 1;
    lastRow = rows;
    columns.clear();
}

unsigned tTextConvParam::AcceptSelection(const std::vector<int>& selected)
{
    if (lastRow < firstRow)
        return kMsgLastBeforeFirst;
    if (selected.empty())
        return kMsgNothingSelected;
    columns = selected;
    return 0;
}

fw::CString tTextConvParam::TakeExportPath(const fw::CString& path)
{
    static const struct {
        const char* ext;
        int32_t format;
    } kExtensions[] = {{".csv", kCsv}, {".CSV", kCsv}, {".txt", kTxt}, {".TXT", kTxt}, {".hed", kHed}, {".HED", kHed}};
    const std::string text = path.str();
    const size_t slash = text.find_last_of("/\\");
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    std::string name = text.substr(nameAt);
    for (const auto& e : kExtensions) {
        if (name.find(e.ext) == std::string::npos)
            continue;
        format = e.format;
        for (size_t at = name.find(e.ext); at != std::string::npos; at = name.find(e.ext, at + 5))
            name.replace(at, 4, ".KIVD");
        return fw::CString(text.substr(0, nameAt) + name);
    }
    return path;
}
