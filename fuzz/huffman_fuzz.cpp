// Expanding Huffman-coded cache files.

#include "fuzz/FuzzTarget.h"

#include "common/cache/HuffmanFile.h"
#include "framework/core/File.h"

#include <span>

KIV_FUZZ_TARGET(huffman_fuzz)
{
    fw::CMemFile in(std::span<const uint8_t>(data, size));
    fw::CMemFile out;
    CHuffmanFile coder;
    try {
        // As much room as a small disk: a stored length beyond it is refused.
        coder.DecodeStream(in, out, uint64_t(1) << 24);
    } catch (const fw::CArchiveException&) {
    } catch (const fw::CFileException&) {
    } catch (const CHuffmanFile::BadTable&) {
    }
    return 0;
}
