#include "graphdoc/model/objects/DrawRegressObj.h"

#include "common/base/LogFont.h"
#include "docbase/graphpage/DrawObjPrf.h"
#include "framework/core/Archive.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

tRegressionSettings Fit(int degree, std::initializer_list<double> coefficients, double statistic, bool square)
{
    tRegressionSettings s;
    s.degree = static_cast<int16_t>(degree);
    int i = 0;
    for (double c : coefficients)
        s.coefficients[i++] = c;
    s.correlation = statistic;
    s.square = square ? 1 : 0;
    return s;
}

TEST(DrawRegressObj, FormulaTextFollowsTheFit)
{
    tRegressionSettings notComputed;
    notComputed.invalid = 1;
    notComputed.square = 1;
    const struct {
        const char* name;
        tRegressionSettings fit;
        const char* expected;
    } rows[] = {
        {"straight line", Fit(1, {1.0, 2.0}, 1.0, false), " y=2x+1  : r = 1.0000 "},
        {"parabola", Fit(2, {3.0, -1.25, 0.5}, 0.5, true), " y=0.5x^2 -1.25x+3  : r2 = 0.5000 "},
        {"zero coefficient", Fit(2, {-2.0, 0.0, 1.0}, 0.25, false), " y=1x^2 +0x-2  : r = 0.2500 "},
        {"not computed", notComputed, " y = *****  r2= 0"},
    };
    CDrawRegressObj formula;
    formula.m_strYName = "y";
    formula.m_strXName = "x";
    for (const auto& row : rows)
        EXPECT_EQ(formula.FormatFormula(row.fit), row.expected) << row.name;
}

TEST(DrawRegressObj, RecordHoldsFontNamesAndTextButNotTheColour)
{
    CDrawRegressObj formula(fw::CRect(0, 0, 2000, 1000));
    formula.m_strYName = "Y";
    formula.m_strXName = "t";
    formula.m_strText = " Y=2t+1  : r = 1.0000 ";
    formula.m_textColor = 0x0000FF;
    formula.m_position = fw::CRect(10, 20, 300, 60);

    CDrawObjPrf frame = formula.m_frame;
    const kivtest::Bytes frameBytes = kivtest::StoredBytes([&](fw::CArchive& ar) { frame.Serialize(ar); });
    const LOGFONT& f = formula.m_font;
    kivtest::ByteBuilder expected;
    expected.I32(10).I32(20).I32(300).I32(60).F64(0.4).F64(0.04).Append(frameBytes);
    expected.I32(f.lfHeight).I32(f.lfWidth).I32(0).I32(0).I32(f.lfWeight);
    expected.U8(f.lfItalic).U8(f.lfUnderline).U8(f.lfStrikeOut).U8(f.lfCharSet);
    expected.U8(f.lfOutPrecision).U8(f.lfClipPrecision).U8(f.lfQuality).U8(f.lfPitchAndFamily);
    const kivtest::Bytes face = kivtest::StoredBytes([&](fw::CArchive& ar) {
        LOGFONT copy = f;
        SerializeLogFont(ar, copy);
    });
    expected.Append(kivtest::Bytes(face.begin() + 28, face.end()));
    expected.Str("Y").Str("t").Str(" Y=2t+1  : r = 1.0000 ");

    const kivtest::Bytes stored = kivtest::StoreBody(formula);
    EXPECT_EQ(stored, expected.Get()) << kivtest::Hex(stored);

    CDrawRegressObj loaded;
    kivtest::LoadBody(loaded, stored);
    EXPECT_EQ(loaded.m_position, fw::CRect(10, 20, 300, 60));
    EXPECT_EQ(loaded.m_strYName, "Y");
    EXPECT_EQ(loaded.m_strXName, "t");
    EXPECT_EQ(loaded.GetFormulaText(), " Y=2t+1  : r = 1.0000 ");
    EXPECT_EQ(loaded.m_textColor, 0u);
    EXPECT_FALSE(loaded.IsVertical());
}

TEST(DrawRegressObj, ClonesEveryField)
{
    CDrawRegressObj formula(fw::CRect(0, 0, 2000, 1000));
    formula.m_strYName = "P";
    formula.m_strXName = "q";
    formula.SetFormulaText("text", false);
    formula.m_textColor = 5;
    std::unique_ptr<CDrawObj> copy(formula.Clone(nullptr));
    auto* clone = dynamic_cast<CDrawRegressObj*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->m_strYName, "P");
    EXPECT_EQ(clone->m_strXName, "q");
    EXPECT_EQ(clone->GetFormulaText(), "text");
    EXPECT_EQ(clone->m_textColor, 5u);
    EXPECT_EQ(clone->m_position, formula.m_position);
    EXPECT_FALSE(clone->CanCopy());
    EXPECT_EQ(clone->GetHandleCount(), 0);
}

} // namespace
