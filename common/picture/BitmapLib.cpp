#include "common/picture/BitmapLib.h"

#include "common/picture/DibHeader.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"

#include <png.h>

#include <csetjmp>
#include <new>

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

// The DIB of the picture; an unreadable picture counts as lack of memory,
// as a failing bit transfer did.
void ReadDib(const fw::PixelBuffer& bitmap, tDibHeader& header, std::vector<uint8_t>& bits)
{
    std::unique_ptr<tDibHeader> made = CreateDibHeader(bitmap);
    if (!made)
        throw std::bad_alloc();
    header = std::move(*made);
    header.xPelsPerMeter = 0;
    header.yPelsPerMeter = 0;
    if (!ReadDibBits(bitmap, header, bits))
        throw std::bad_alloc();
}

void WriteFile(const fw::CString& path, const std::vector<uint8_t>& bytes)
{
    fw::fs::AtomicReplace(path, [&bytes](fw::CFile& file) { file.Write(bytes.data(), bytes.size()); });
}

// --- PNG ----------------------------------------------------------------------------------

struct PngSink {
    std::vector<uint8_t>* out = nullptr;
    bool outOfMemory = false;
};

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    try {
        sink->out->insert(sink->out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        sink->outOfMemory = true;
    }
    // libpng leaves by longjmp; no handler or destructor may be pending then.
    if (sink->outOfMemory)
        png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

struct PngImage {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    const png_color* palette = nullptr;
    int paletteSize = 0;
    png_bytepp rows = nullptr;
};

// libpng reports its errors by longjmp to this frame, so it holds nothing
// that needs destroying. False when libpng raised an error.
bool RunPngWrite(png_structp png, png_infop info, PngSink* sink, const PngImage* image)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, sink, &AppendPngBytes, &FlushNothing);
    png_set_IHDR(png, info, image->width, image->height, image->bitDepth, image->colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Palette rows go in packed, as the DIB holds them: no packing transform.
    if (image->colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, image->palette, image->paletteSize);
    png_write_info(png, info);
    png_write_image(png, image->rows);
    png_write_end(png, info);
    return true;
}

class PngWriteStruct {
public:
    PngWriteStruct()
    {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (m_png)
            m_info = png_create_info_struct(m_png);
        if (!m_png || !m_info) {
            png_destroy_write_struct(&m_png, nullptr);
            fw::ThrowNotSupportedException();
        }
    }
    ~PngWriteStruct() { png_destroy_write_struct(&m_png, m_info ? &m_info : nullptr); }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;
    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

} // namespace

std::vector<uint8_t> CBitmapLib::EncodeBmp(const fw::PixelBuffer& bitmap)
{
    tDibHeader header;
    std::vector<uint8_t> bits;
    ReadDib(bitmap, header, bits);

    const uint32_t tableBytes = 4 * header.clrUsed;
    std::vector<uint8_t> file;
    file.reserve(kBmpFileHeaderBytes + tDibHeader::kHeaderBytes + tableBytes + bits.size());
    Put16(file, kBmpType);
    Put32(file, header.sizeImage + tableBytes + tDibHeader::kHeaderBytes + kBmpFileHeaderBytes);
    Put32(file, 0); // two reserved words
    Put32(file, tDibHeader::kHeaderBytes + tableBytes + kBmpFileHeaderBytes);
    header.AppendTo(file);
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

std::vector<uint8_t> CBitmapLib::EncodePng(const fw::PixelBuffer& bitmap)
{
    tDibHeader header;
    std::vector<uint8_t> bits;
    ReadDib(bitmap, header, bits);

    PngImage image;
    std::vector<png_color> palette;
    if (header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8) {
        if (header.compression != 0)
            fw::ThrowNotSupportedException();
        image.colourType = PNG_COLOR_TYPE_PALETTE;
        image.bitDepth = header.bitCount;
        const uint32_t size = header.clrUsed ? header.clrUsed : (1u << header.bitCount);
        palette.resize(size);
        for (uint32_t i = 0; i < size; ++i) {
            const uint32_t c = i < header.colours.size() ? header.colours[i] : 0u;
            palette[i] = png_color{static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                                   static_cast<png_byte>(c)};
        }
        image.palette = palette.data();
        image.paletteSize = static_cast<int>(size);
    } else if (header.bitCount != 24) {
        tDibHeader converted;
        std::vector<uint8_t> convertedBits;
        if (!ConvertDib(header, bits, 24, converted, convertedBits))
            throw std::bad_alloc();
        header = std::move(converted);
        bits = std::move(convertedBits);
    }
    image.width = static_cast<png_uint_32>(header.width);
    image.height = static_cast<png_uint_32>(header.height);

    // PNG rows run top first; the DIB holds the bottom row first.
    const uint32_t dibRow = header.RowBytes();
    const bool direct = image.colourType == PNG_COLOR_TYPE_RGB;
    const size_t pngRow = direct ? size_t(header.width) * 3 : dibRow;
    std::vector<uint8_t> rowBytes(pngRow * size_t(header.height));
    std::vector<png_bytep> rows(size_t(header.height));
    for (int32_t i = 0; i < header.height; ++i) {
        const uint8_t* src = bits.data() + size_t(header.height - 1 - i) * dibRow;
        uint8_t* dst = rowBytes.data() + size_t(i) * pngRow;
        rows[size_t(i)] = dst;
        if (!direct) {
            std::copy_n(src, pngRow, dst);
            continue;
        }
        for (int32_t x = 0; x < header.width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    image.rows = rows.data();

    std::vector<uint8_t> file;
    PngSink sink{&file};
    PngWriteStruct writer;
    if (!RunPngWrite(writer.png(), writer.info(), &sink, &image)) {
        if (sink.outOfMemory)
            throw std::bad_alloc();
        fw::ThrowNotSupportedException();
    }
    return file;
}

void CBitmapLib::SaveBmp(const fw::CString& path, const fw::PixelBuffer& bitmap)
{
    WriteFile(path, EncodeBmp(bitmap));
}

void CBitmapLib::SavePng(const fw::CString& path, const fw::PixelBuffer& bitmap)
{
    WriteFile(path, EncodePng(bitmap));
}
