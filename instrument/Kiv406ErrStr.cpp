#include "instrument/Kiv406ErrStr.h"

#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

namespace {

struct CodeText {
    int code;
    unsigned stringId;
};

// Fixed by the control unit's firmware; 44, 58 and 84 came later and do
// not follow the running order of the string ids.
constexpr CodeText kCodeTexts[] = {
    {1, 566},  {2, 567},  {3, 568},  {4, 569},  {5, 570},  {10, 571}, {11, 572}, {12, 573},
    {13, 574}, {14, 575}, {15, 576}, {16, 577}, {20, 578}, {21, 579}, {22, 580}, {30, 581},
    {31, 582}, {32, 583}, {33, 584}, {34, 585}, {35, 586}, {36, 587}, {37, 588}, {38, 589},
    {39, 590}, {40, 591}, {41, 592}, {42, 593}, {43, 594}, {44, 612}, {45, 595}, {46, 596},
    {50, 597}, {51, 598}, {52, 599}, {53, 600}, {54, 601}, {55, 602}, {56, 603}, {57, 604},
    {58, 613}, {60, 605}, {61, 606}, {62, 607}, {70, 608}, {80, 609}, {81, 610}, {82, 611},
    {84, 615}, {90, 614},
};

} // namespace

unsigned CKiv406ErrStr::TextId(int code)
{
    for (const CodeText& entry : kCodeTexts) {
        if (entry.code == code)
            return entry.stringId;
    }
    return 0;
}

const fw::CString& CKiv406ErrStr::GetText(int code)
{
    const unsigned id = TextId(code);
    if (id == 0)
        m_text.Empty();
    else
        fw::LoadString(id, m_text);
    return m_text;
}

int CKiv406ErrStr::UnitErrorWithText(const std::exception& e)
{
    const auto* zel = dynamic_cast<const CZelException*>(&e);
    if (!zel || (zel->m_nErrorCode & kZelErrorUnitReply) == 0)
        return -1;
    const int code = zel->m_nErrorCode & ~kZelErrorUnitReply;
    return TextId(code) != 0 ? code : -1;
}

void CKiv406ErrStr::ReportException(const std::exception& e)
{
    const int code = UnitErrorWithText(e);
    if (code >= 0) {
        fw::AfxMessageBox(GetText(code), fw::MB_OK);
        return;
    }
    fw::ReportException(e);
}

fw::CString CKiv406ErrStr::GetExceptionText(const std::exception& e)
{
    const int code = UnitErrorWithText(e);
    if (code >= 0)
        return GetText(code);
    fw::CString text;
    if (const auto* fwe = dynamic_cast<const fw::CException*>(&e)) {
        if (!fwe->GetErrorMessage(text))
            text.Empty();
    } else {
        text = e.what();
    }
    return fw::CString(fw::cp932::Truncate(text.view(), kMaxExceptionText));
}
