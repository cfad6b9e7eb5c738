#include "common/picture/BitmapLib.h"

#include "framework/core/Exceptions.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

namespace {

using Bytes = std::vector<uint8_t>;

void Le16(Bytes& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Le32(Bytes& b, uint32_t v)
{
    for (int s = 0; s < 32; s += 8)
        b.push_back(uint8_t(v >> s));
}

// File header and information header of an uncompressed bottom-up DIB.
Bytes BmpHeaders(int32_t width, int32_t height, uint16_t bits, uint32_t imageSize, uint32_t colours)
{
    Bytes b{'B', 'M'};
    Le32(b, 14 + 40 + 4 * colours + imageSize);
    Le32(b, 0);
    Le32(b, 14 + 40 + 4 * colours);
    Le32(b, 40);
    Le32(b, uint32_t(width));
    Le32(b, uint32_t(height));
    Le16(b, 1);
    Le16(b, bits);
    Le32(b, 0);
    Le32(b, imageSize);
    Le32(b, 0);
    Le32(b, 0);
    Le32(b, colours);
    Le32(b, 0);
    return b;
}

Bytes ReadFileBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A deterministic colour per position, so a swapped, shifted or flipped
// row shows.
uint32_t ColourAt(int x, int y)
{
    return (uint32_t(0x10 + 40 * x) & 0xFF) << 16 | (uint32_t(0x20 + 50 * y) & 0xFF) << 8
           | (uint32_t(7 * x + 3 * y + 1) & 0xFF);
}

uint32_t PaletteColour(uint32_t i) { return (i * 37 % 256) << 16 | (255 - i) << 8 | (i * 11 % 256); }

// A picture of the depth and the 0x00RRGGBB colour every pixel should
// come back as.
struct Picture {
    fw::PixelBuffer bitmap;
    std::vector<uint32_t> expected; // top row first
};

Picture MakePicture(int bits, int width, int height, uint32_t paletteEntries)
{
    Picture pic{fw::PixelBuffer::Make(width, height, bits), {}};
    for (uint32_t i = 0; i < paletteEntries; ++i)
        pic.bitmap.palette.push_back(PaletteColour(i));
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pic.bitmap.Row(y);
        for (int x = 0; x < width; ++x) {
            uint32_t c = ColourAt(x, y);
            switch (bits) {
            case 32:
                pic.bitmap.SetRgb32(x, y, c);
                break;
            case 24:
                row[3 * x] = uint8_t(c);
                row[3 * x + 1] = uint8_t(c >> 8);
                row[3 * x + 2] = uint8_t(c >> 16);
                break;
            case 16: {
                const uint16_t w = uint16_t(((c >> 19) & 0x1F) << 10 | ((c >> 11) & 0x1F) << 5 | ((c >> 3) & 0x1F));
                row[2 * x] = uint8_t(w);
                row[2 * x + 1] = uint8_t(w >> 8);
                c &= 0xF8F8F8;
                break;
            }
            default: { // palette indices, most significant bits first
                const uint32_t index = uint32_t(x + 2 * y) % paletteEntries;
                const int bit = x * bits;
                row[bit / 8] |= uint8_t(index << (8 - bits - bit % 8));
                c = PaletteColour(index);
                break;
            }
            }
            pic.expected.push_back(c);
        }
    }
    return pic;
}

struct PngRead {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 0;
    int colourType = -1;
    uint32_t paletteEntries = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
};

// Header fields from the IHDR chunk itself, pixels through libpng.
PngRead ReadPng(const Bytes& file)
{
    PngRead r;
    EXPECT_GE(file.size(), 33u);
    if (file.size() < 33)
        return r;
    EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 16), "IHDR");
    r.bitDepth = file[24];
    r.colourType = file[25];
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        ADD_FAILURE() << "libpng cannot read: " << image.message;
        return r;
    }
    r.width = image.width;
    r.height = image.height;
    r.paletteEntries = (image.format & PNG_FORMAT_FLAG_COLORMAP) ? image.colormap_entries : 0;
    image.format = PNG_FORMAT_RGB;
    Bytes rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        ADD_FAILURE() << "libpng cannot decode: " << image.message;
        return r;
    }
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        r.pixels.push_back(uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
    return r;
}

TEST(BitmapLibBmp, SmallPageIsWrittenByteForByte)
{
    // A 3 x 2 page as the screen gives it: 32 bits, the unused byte set.
    fw::PixelBuffer page = fw::PixelBuffer::Make(3, 2);
    const uint32_t top[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    const uint32_t bottom[3] = {0x123456, 0xFFFFFF, 0x000000};
    for (int x = 0; x < 3; ++x) {
        page.SetRgb32(x, 0, top[x]);
        page.SetRgb32(x, 1, bottom[x]);
    }
    Bytes expected = BmpHeaders(3, 2, 32, 24, 0);
    for (const uint32_t* row : {bottom, top})
        for (int x = 0; x < 3; ++x)
            expected.insert(expected.end(), {uint8_t(row[x]), uint8_t(row[x] >> 8), uint8_t(row[x] >> 16), 0});

    EXPECT_EQ(CBitmapLib::EncodeBmp(page), expected);

    kivtest::TempDir dir;
    CBitmapLib lib;
    lib.SaveBmp((dir / "page.bmp").string().c_str(), page);
    EXPECT_EQ(ReadFileBytes(dir / "page.bmp"), expected);
}

TEST(BitmapLibBmp, PaletteBitmapCarriesTheFullColourTableAndPaddedRows)
{
    fw::PixelBuffer bitmap = fw::PixelBuffer::Make(3, 2, 8);
    bitmap.palette = {0x010203, 0xA0B0C0};
    const uint8_t top[3] = {0, 1, 1};
    const uint8_t bottom[3] = {1, 0, 0};
    std::copy_n(top, 3, bitmap.Row(0));
    std::copy_n(bottom, 3, bitmap.Row(1));
    bitmap.Row(0)[3] = 0xEE; // padding of the source must not leak into the file

    Bytes expected = BmpHeaders(3, 2, 8, 8, 256);
    Le32(expected, 0x010203);
    Le32(expected, 0xA0B0C0);
    expected.resize(expected.size() + 254 * 4, 0);
    expected.insert(expected.end(), {1, 0, 0, 0, 0, 1, 1, 0});

    EXPECT_EQ(CBitmapLib::EncodeBmp(bitmap), expected);
}

TEST(BitmapLibBmp, HighColourBitmapAnnouncesAZeroedColourTable)
{
    fw::PixelBuffer bitmap = fw::PixelBuffer::Make(1, 1, 16);
    bitmap.Row(0)[0] = 0x1F; // blue
    Bytes expected = BmpHeaders(1, 1, 16, 4, 65536);
    expected.resize(expected.size() + 65536 * 4, 0);
    expected.insert(expected.end(), {0x1F, 0, 0, 0});

    EXPECT_EQ(CBitmapLib::EncodeBmp(bitmap), expected);
}

struct PngCase {
    const char* name;
    int bits;
    int width;
    int height;
    uint32_t paletteEntries; // given by the bitmap
    int pngDepth;
    int pngColourType;
    uint32_t pngPalette; // entries in the file
};

class BitmapLibPng : public ::testing::TestWithParam<PngCase> {};

TEST_P(BitmapLibPng, ReadsBackWithTheSamePixels)
{
    const PngCase& c = GetParam();
    const Picture pic = MakePicture(c.bits, c.width, c.height, c.paletteEntries);

    const PngRead r = ReadPng(CBitmapLib::EncodePng(pic.bitmap));

    EXPECT_EQ(r.width, uint32_t(c.width));
    EXPECT_EQ(r.height, uint32_t(c.height));
    EXPECT_EQ(r.bitDepth, c.pngDepth);
    EXPECT_EQ(r.colourType, c.pngColourType);
    EXPECT_EQ(r.paletteEntries, c.pngPalette);
    EXPECT_EQ(r.pixels, pic.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BitmapLibPng,
    ::testing::Values(PngCase{"Screen32", 32, 7, 5, 0, 8, PNG_COLOR_TYPE_RGB, 0},
                      PngCase{"Direct24WidthNotMultipleOf4", 24, 5, 3, 0, 8, PNG_COLOR_TYPE_RGB, 0},
                      PngCase{"HighColour16", 16, 6, 4, 0, 8, PNG_COLOR_TYPE_RGB, 0},
                      PngCase{"Palette8", 8, 9, 4, 5, 8, PNG_COLOR_TYPE_PALETTE, 256},
                      PngCase{"Palette4OddWidth", 4, 11, 3, 16, 4, PNG_COLOR_TYPE_PALETTE, 16},
                      PngCase{"OnePixelWideOneBit", 1, 1, 4, 2, 1, PNG_COLOR_TYPE_PALETTE, 2},
                      PngCase{"OneBitWideRow", 1, 70, 2, 2, 1, PNG_COLOR_TYPE_PALETTE, 2}),
    [](const ::testing::TestParamInfo<PngCase>& info) { return std::string(info.param.name); });

TEST(BitmapLibSave, FilesHoldTheEncodedBytesAndReplaceAnEarlierPicture)
{
    kivtest::TempDir dir;
    const Picture first = MakePicture(32, 4, 4, 0);
    const Picture second = MakePicture(24, 3, 2, 0);
    CBitmapLib lib;
    for (const char* name : {"a.bmp", "a.png"}) {
        SCOPED_TRACE(name);
        const fw::CString path = (dir / name).string().c_str();
        const bool png = std::string(name).ends_with(".png");
        for (const Picture* pic : {&first, &second}) {
            png ? lib.SavePng(path, pic->bitmap) : lib.SaveBmp(path, pic->bitmap);
            EXPECT_EQ(ReadFileBytes(dir / name),
                      png ? CBitmapLib::EncodePng(pic->bitmap) : CBitmapLib::EncodeBmp(pic->bitmap));
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(BitmapLibSave, MissingFolderRaisesTheFileExceptionAndLeavesNoFile)
{
    kivtest::TempDir dir;
    const Picture pic = MakePicture(32, 2, 2, 0);
    CBitmapLib lib;
    for (const char* name : {"a.bmp", "a.png"}) {
        SCOPED_TRACE(name);
        const fw::CString path = (dir / "missing" / name).string().c_str();
        try {
            std::string(name).ends_with(".png") ? lib.SavePng(path, pic.bitmap) : lib.SaveBmp(path, pic.bitmap);
            ADD_FAILURE() << "no exception";
        } catch (const fw::CFileException& e) {
            EXPECT_EQ(e.m_strFileName, path);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(BitmapLibSave, UnreadablePictureRaisesTheMemoryException)
{
    fw::PixelBuffer empty;
    fw::PixelBuffer shortBits = fw::PixelBuffer::Make(4, 4);
    shortBits.bits.pop_back();
    for (const fw::PixelBuffer* bitmap : {&empty, &shortBits}) {
        EXPECT_THROW(CBitmapLib::EncodeBmp(*bitmap), std::bad_alloc);
        EXPECT_THROW(CBitmapLib::EncodePng(*bitmap), std::bad_alloc);
    }
}

TEST(BitmapLibSave, PictureLibpngRefusesEndsInAnExceptionNotTheProgram)
{
    // Wider than libpng's default limit of one million pixels per row.
    const fw::PixelBuffer wide = fw::PixelBuffer::Make(1000001, 1, 1);
    EXPECT_THROW(CBitmapLib::EncodePng(wide), fw::CNotSupportedException);
}

} // namespace
