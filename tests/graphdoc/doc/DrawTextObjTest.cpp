#include "tests/graphdoc/doc/GraphDocFixture.h"

#include "framework/core/RecordingSink.h"
#include "graphdoc/model/DrawTextObj.h"
#include "tests/support/ArchiveBytes.h"

namespace gdtest {
namespace {

// The recording device measures ASCII at half the font height per character.
TEST(DrawTextObjTest, SizesToTheText)
{
    CDrawTextObj text(fw::CRect(10, 10, 10, 10), "ABC");
    const fw::CRect r = text.GetFrameRect();
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    fw::CFont font;
    font.CreatePointFontIndirect(text.m_font);
    dc.SelectObject(&font);
    const fw::CSize extent = dc.GetTextExtent("ABC");
    EXPECT_EQ(r.Width(), extent.cx + 10);
    EXPECT_EQ(r.Height(), static_cast<int>(1.5 * extent.cy));

    text.SetVertical(true);
    text.ResetSize();
    const fw::CRect v = text.GetFrameRect();
    EXPECT_EQ(v.Width(), static_cast<int>(1.5 * extent.cy));
    EXPECT_EQ(v.Height(), extent.cx + 10);
    EXPECT_EQ(text.m_font.lfOrientation, 900);
}

TEST(DrawTextObjTest, EmptyTextIsTenWideAndOneAndAHalfLinesHigh)
{
    CDrawTextObj text(fw::CRect(10, 10, 10, 10), "");
    EXPECT_EQ(text.GetFrameRect().Width(), 10);
    EXPECT_GT(text.GetFrameRect().Height(), 0);
}

TEST(DrawTextObjTest, RecordLayout)
{
    CDrawTextObj text(fw::CRect(0, 0, 0, 0), "Hi");
    text.m_textColor = 0x00112233;
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        text.Serialize(ar);
        ar.Close();
    }
    const std::vector<uint8_t> bytes = file.Detach();
    // Drawing-object part: 4 int32, 2 doubles and 30 bytes of frame style.
    const size_t font = 16 + 16 + 30;
    kivtest::ByteBuilder expected;
    expected.I32(text.m_font.lfHeight).I32(0).I32(0).I32(0).I32(text.m_font.lfWeight);
    ASSERT_GT(bytes.size(), font + 28);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + font, bytes.begin() + font + 20), expected.Get());
    // The tail: colour, then the text with its length byte.
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 7, bytes.end()),
              kivtest::ByteBuilder().U32(0x00112233).Str("Hi").Get());
}

TEST(DrawTextObjTest, TurnedTextDrawsUpFromTheLowerMiddle)
{
    CDrawTextObj text(fw::CRect(0, 0, 0, 0), "AB");
    text.SetVertical(true);
    text.ResetSize();
    fw::RecordingSink sink(1000, 1000, 96, true);
    fw::CDC dc(&sink);
    text.Draw(&dc);
    bool found = false;
    for (const std::string& line : sink.Log())
        found = found || line.find("AB") != std::string::npos;
    EXPECT_TRUE(found);
}

} // namespace
} // namespace gdtest
