#pragma once

// A static two-pass Huffman coder over bytes that compresses one file into
// another and expands it again. The cache tanks use it to shrink their value
// files on their way into a document.
//
// Compressed form (bits packed most significant first):
//   8 bytes    uncompressed length, unsigned little-endian
//   tree       pre-order: 1 = internal node (left subtree, then right),
//              0 + 8 bits = leaf with its byte value
//   data       per byte the path from the root, 0 = left, 1 = right
//   then zero bits to the byte boundary and zero bytes to a multiple of the
//   unit size.

#include "framework/core/CString.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {
class CFile;
}

class CHuffmanFile {
public:
    static constexpr int kLeafCount = 256;
    static constexpr int kNodeCount = 511;        // 256 leaves, at most 255 internal nodes
    static constexpr int kHeaderBytes = 8;
    // Longest padding the coder ever writes (unit size 8, less one byte);
    // more unread bytes behind the data mean the stored length is wrong.
    static constexpr uint64_t kMaxPaddingBytes = 7;

    CHuffmanFile();
    CHuffmanFile(const CHuffmanFile&) = delete;
    CHuffmanFile& operator=(const CHuffmanFile&) = delete;

    // Compresses (`expand` false) or expands `source` into `destination`,
    // which is created (or emptied). Every failure has been shown to the user
    // when the answer is false; the destination then holds no usable result.
    bool CodeFile(const fw::CString& source, const fw::CString& destination, bool expand, int unitSize);

    // The streams behind CodeFile, for any file object (memory files in
    // tests and benchmarks). Both read `in` from its start.
    // Failures throw: fw::CFileException for file errors (disk full when the
    // stored length exceeds `maxLength`), fw::CArchiveException for coded
    // data that ends early or whose stored length cannot be right, BadTable
    // for a tree with more internal nodes than 256 leaves allow.
    void EncodeStream(fw::CFile& in, fw::CFile& out, int unitSize);
    // EncodeStream in its two passes, for a destination that needs the
    // coded length first: PrepareEncoding counts `in` and answers the length
    // of the coded form; WriteEncoding then writes it to `out`, reading `in`
    // again (which must stay open), and throws fw::CFileException when the
    // source changed in between.
    uint64_t PrepareEncoding(fw::CFile& in, int unitSize);
    void WriteEncoding(fw::CFile& out);
    // PrepareEncoding with every failure shown to the user as CodeFile
    // shows it; false then.
    bool PrepareShowingErrors(fw::CFile& in, int unitSize, uint64_t& codedLength);
    // `maxLength` caps the stored uncompressed length that is believed
    // (the free space behind `out`); a larger one fails with disk full.
    void DecodeStream(fw::CFile& in, fw::CFile& out, uint64_t maxLength = UINT64_MAX);
    // DecodeStream with every failure shown to the user as CodeFile shows
    // it; false then, and `out` holds no usable result.
    bool ExpandShowingErrors(fw::CFile& in, fw::CFile& out, uint64_t maxLength);

    struct BadTable {};

    // Builds the code tree from byte frequencies as the compressor does and
    // answers its root; exposed so that the tree shape can be checked
    // without files of gigabytes.
    int BuildTree(const std::array<uint64_t, kLeafCount>& frequencies);
    // Parent of a node: +p left child of p, -p right child of p, 0 none.
    int Parent(int node) const { return m_parent[node]; }
    int LeftChild(int node) const { return m_left[node]; }
    int RightChild(int node) const { return m_right[node]; }

    uint64_t GetOutputCount() const { return m_outputCount; }

private:
    struct Code {
        uint64_t bits = 0;     // right-aligned, first bit most significant
        int length = 0;
    };
    struct TableEntry {
        uint16_t value;        // leaf: byte value; else the node reached
        uint8_t length;        // bits consumed
        uint8_t leaf;
    };
    // Up to four bytes whose codes lie within one table index.
    struct MultiEntry {
        uint32_t symbols = 0;  // first byte lowest
        uint8_t count = 0;
        uint8_t length = 0;    // bits of them all
    };
    // Codes of `reps` copies of one eight-byte word (first byte first),
    // right-aligned in `length` bits; reps 0 when one copy takes more bits
    // than allowed.
    struct WordRun {
        uint64_t word = 0;
        uint64_t bits = 0;
        int length = 0;
        int reps = 0;
        bool made = false;
    };
    static constexpr int kTableBits = 12;
    // Bits of a run's copies compared at once on the way out: a refill
    // leaves at least 56.
    static constexpr int kRunLookBits = 48;
    // Bytes between looks for a run: the gap doubles up to the longest
    // while none is found.
    static constexpr size_t kRunLookGap = 32;
    static constexpr size_t kRunLookMaxGap = 1024;
    static constexpr size_t kBufferSize = 64 * 1024;

    void ResetState(int unitSize);
    void SiftDown(int k);
    void MakeCodes(int root);
    void WriteTree(int node);
    int ReadTree();
    void BuildTable(int node, int depth, uint32_t prefix);
    void BuildMultiTable();
    // The codes as the decoder's tree gives them (m_codes, for runs).
    void CodesFromTree(int node, int depth, uint64_t bits);

    // Bit output.
    void WriteBits(int count, uint32_t value);
    void WriteLongCode(int symbol);
    void FlushBits();
    void PutBytes(const void* data, size_t count);
    void FlushOutput();

    // Bit input.
    bool FillInput();
    void Refill();
    uint32_t ReadBit();
    uint32_t ReadBits(int count);
    [[noreturn]] void ThrowTruncated() const;
    uint64_t RemainingInputBits() const;

    WordRun MakeWordRun(uint64_t word, int maxBits) const;
    void EncodeBuffer(const uint8_t* p, size_t n);
    void WriteRun(uint8_t value, uint64_t count);
    void DecodeSymbols(uint64_t length);

    fw::CFile* m_in = nullptr;
    fw::CFile* m_out = nullptr;

    // State of one run.
    uint64_t m_outputCount = 0;
    int m_unitSize = 1;
    int m_nextNode = kLeafCount;
    int m_heapCount = 0;
    std::array<int, kLeafCount + 1> m_heap{};   // 1-based
    std::array<int, kNodeCount> m_parent{};
    std::array<int, kNodeCount> m_left{};
    std::array<int, kNodeCount> m_right{};
    // 64 bits, not 32: a file above 4 GiB would wrap a count to zero and
    // lose its byte from the tree.
    std::array<uint64_t, kNodeCount> m_freq{};

    std::array<Code, kLeafCount> m_codes{};
    std::vector<TableEntry> m_table;
    std::vector<MultiEntry> m_multi;
    int m_root = 0;   // of the tree being decoded
    // Between the passes of encoding.
    int m_encodeRoot = 0;
    uint64_t m_sourceLength = 0;
    uint64_t m_codedLength = 0;

    // Output bits: m_bitCount bits waiting, right-aligned in m_bitBuffer.
    uint64_t m_bitBuffer = 0;
    int m_bitCount = 0;
    std::vector<uint8_t> m_outBuf;
    size_t m_outLen = 0;

    // Input bits: m_inBits valid bits, left-aligned in m_inBuffer.
    uint64_t m_inBuffer = 0;
    int m_inBits = 0;
    std::vector<uint8_t> m_inBuf;
    size_t m_inPos = 0;
    size_t m_inEnd = 0;
    uint64_t m_inFetched = 0;    // bytes taken from the file into m_inBuf
    uint64_t m_inLength = 0;
};
