#include "common/cache/HuffmanFile.h"

#include "common/cache/CacheFileReport.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace {

// Shown when a stored tree announces more internal nodes than 256 leaves
// can have.
constexpr const char* kBadTableText = "表が間違っています";

// A code that no byte of the first pass had: its slot sends the encoder to
// the slow path, which notices that the source changed under it.
constexpr int kAbsentCode = 1000;

uint64_t LoadBigEndian64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::little)
        v = __builtin_bswap64(v);
    return v;
}

// Whether `n` bytes (a multiple of 8) are all the byte repeated in `pattern`.
bool SameBytes(const uint8_t* p, size_t n, uint64_t pattern)
{
    uint64_t differ = 0;
    for (size_t k = 0; k < n; k += 8) {
        uint64_t w;
        std::memcpy(&w, p + k, 8);
        differ |= w ^ pattern;
    }
    return differ == 0;
}

// The space a file in the folder of `path` may still grow by; unknown
// leaves it to the writes to tell.
uint64_t FreeSpaceFor(const fw::CString& path)
{
    return fw::fs::DiskFree(path).value_or(UINT64_MAX);
}

} // namespace

CHuffmanFile::CHuffmanFile() = default;

void CHuffmanFile::ResetState(int unitSize)
{
    m_outputCount = 0;
    m_unitSize = unitSize > 0 ? unitSize : 1;
    m_nextNode = kLeafCount;
    m_heapCount = 0;
    m_bitBuffer = 0;
    m_bitCount = 0;
    m_outLen = 0;
    m_inBuffer = 0;
    m_inBits = 0;
    m_inPos = 0;
    m_inEnd = 0;
    m_inFetched = 0;
    m_inLength = 0;
    m_parent.fill(0);
    m_left.fill(0);
    m_right.fill(0);
    if (m_outBuf.size() != kBufferSize)
        m_outBuf.resize(kBufferSize);
    if (m_inBuf.size() != kBufferSize)
        m_inBuf.resize(kBufferSize);
}

// ---------------------------------------------------------------------------
// The tree

void CHuffmanFile::SiftDown(int k)
{
    const int e = m_heap[k];
    int j = 2 * k;
    while (j <= m_heapCount) {
        // On equal frequencies the left child wins.
        if (j < m_heapCount && m_freq[m_heap[j + 1]] < m_freq[m_heap[j]])
            ++j;
        if (m_freq[e] <= m_freq[m_heap[j]])
            break;
        m_heap[k] = m_heap[j];
        k = j;
        j *= 2;
    }
    m_heap[k] = e;
}

int CHuffmanFile::BuildTree(const std::array<uint64_t, kLeafCount>& frequencies)
{
    m_freq.fill(0);
    m_parent.fill(0);
    m_left.fill(0);
    m_right.fill(0);
    m_nextNode = kLeafCount;
    m_heapCount = 0;
    m_heap.fill(0);
    for (int b = 0; b < kLeafCount; ++b) {
        m_freq[b] = frequencies[b];
        if (frequencies[b] != 0)
            m_heap[++m_heapCount] = b;
    }
    for (int k = m_heapCount / 2; k >= 1; --k)
        SiftDown(k);
    while (m_heapCount > 1) {
        const int a = m_heap[1];
        m_heap[1] = m_heap[m_heapCount--];
        SiftDown(1);
        const int b = m_heap[1];
        const int c = m_nextNode++;
        m_freq[c] = m_freq[a] + m_freq[b];
        m_heap[1] = c;
        SiftDown(1);
        m_parent[a] = c;
        m_parent[b] = -c;
        m_left[c] = a;
        m_right[c] = b;
    }
    // One element left is the root: the last internal node, the single byte
    // value, or 0 for an empty source.
    return m_heap[1];
}

void CHuffmanFile::MakeCodes(int root)
{
    for (int b = 0; b < kLeafCount; ++b) {
        Code& code = m_codes[b];
        code = Code{};
        if (m_freq[b] == 0 && b != root) {
            code.length = kAbsentCode;
            continue;
        }
        // From the leaf up: the first bit found is the last one written.
        int node = b;
        while (node != root) {
            const int p = m_parent[node];
            if (p < 0 && code.length < 64)
                code.bits |= uint64_t{1} << code.length;
            ++code.length;
            node = p < 0 ? -p : p;
        }
    }
}

void CHuffmanFile::WriteTree(int node)
{
    if (node < kLeafCount) {
        WriteBits(1, 0);
        WriteBits(8, static_cast<uint32_t>(node));
        return;
    }
    WriteBits(1, 1);
    WriteTree(m_left[node]);
    WriteTree(m_right[node]);
}

int CHuffmanFile::ReadTree()
{
    if (ReadBit() == 0)
        return static_cast<int>(ReadBits(8));
    const int node = m_nextNode++;
    if (node >= kNodeCount)
        throw BadTable{};
    m_left[node] = ReadTree();
    m_right[node] = ReadTree();
    return node;
}

void CHuffmanFile::BuildTable(int node, int depth, uint32_t prefix)
{
    if (node < kLeafCount) {
        const int shift = kTableBits - depth;
        const uint32_t base = prefix << shift;
        const TableEntry e{static_cast<uint16_t>(node), static_cast<uint8_t>(depth), 1};
        std::fill(m_table.begin() + base, m_table.begin() + base + (uint32_t{1} << shift), e);
        return;
    }
    if (depth == kTableBits) {
        m_table[prefix] = TableEntry{static_cast<uint16_t>(node), static_cast<uint8_t>(kTableBits), 0};
        return;
    }
    BuildTable(m_left[node], depth + 1, prefix << 1);
    BuildTable(m_right[node], depth + 1, (prefix << 1) | 1);
}

void CHuffmanFile::CodesFromTree(int node, int depth, uint64_t bits)
{
    if (node < kLeafCount) {
        // Only the length of a code beyond 64 bits matters here: runs of it
        // are never taken.
        m_codes[node] = Code{bits, depth};
        return;
    }
    CodesFromTree(m_left[node], depth + 1, bits << 1);
    CodesFromTree(m_right[node], depth + 1, (bits << 1) | 1);
}

namespace {
int MinLeafDepth(const std::array<int, CHuffmanFile::kNodeCount>& left,
                 const std::array<int, CHuffmanFile::kNodeCount>& right, int node, int depth)
{
    if (node < CHuffmanFile::kLeafCount)
        return depth;
    return std::min(MinLeafDepth(left, right, left[node], depth + 1),
                    MinLeafDepth(left, right, right[node], depth + 1));
}
} // namespace

void CHuffmanFile::BuildMultiTable()
{
    // Each index decoded code by code while the codes lie wholly inside it;
    // the bits below a shifted index are zeros, not data, so a code that
    // would reach into them ends the entry.
    const size_t size = size_t{1} << kTableBits;
    m_multi.assign(size, MultiEntry{});
    for (size_t i = 0; i < size; ++i) {
        MultiEntry m{};
        int used = 0;
        while (m.count < 4) {
            const TableEntry& e = m_table[(i << used) & (size - 1)];
            if (!e.leaf || e.length == 0 || used + e.length > kTableBits)
                break;
            m.symbols |= uint32_t{e.value} << (8 * m.count);
            ++m.count;
            used += e.length;
        }
        m.length = static_cast<uint8_t>(used);
        m_multi[i] = m;
    }
}

// ---------------------------------------------------------------------------
// Bit output

void CHuffmanFile::FlushOutput()
{
    if (m_outLen) {
        m_out->Write(m_outBuf.data(), m_outLen);
        m_outLen = 0;
    }
}

void CHuffmanFile::PutBytes(const void* data, size_t count)
{
    const auto* p = static_cast<const uint8_t*>(data);
    m_outputCount += count;
    while (count) {
        if (m_outLen == kBufferSize)
            FlushOutput();
        const size_t n = std::min(count, kBufferSize - m_outLen);
        std::memcpy(m_outBuf.data() + m_outLen, p, n);
        m_outLen += n;
        p += n;
        count -= n;
    }
}

void CHuffmanFile::WriteBits(int count, uint32_t value)
{
    const uint64_t mask = (uint64_t{1} << count) - 1;
    m_bitBuffer = (m_bitBuffer << count) | (value & mask);
    m_bitCount += count;
    if (m_bitCount >= 32) {
        m_bitCount -= 32;
        const auto w = static_cast<uint32_t>(m_bitBuffer >> m_bitCount);
        const uint8_t bytes[4] = {static_cast<uint8_t>(w >> 24), static_cast<uint8_t>(w >> 16),
                                  static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w)};
        PutBytes(bytes, 4);
    }
}

void CHuffmanFile::WriteLongCode(int symbol)
{
    // Codes beyond 64 bits need frequencies beyond any real file; they are
    // written bit by bit from the tree.
    uint8_t path[kLeafCount];
    int n = 0;
    for (int node = symbol; m_parent[node] != 0;) {
        const int p = m_parent[node];
        path[n++] = p < 0 ? 1 : 0;
        node = p < 0 ? -p : p;
    }
    while (n > 0)
        WriteBits(1, path[--n]);
}

void CHuffmanFile::FlushBits()
{
    // Seven zero bits complete a partly filled byte and leave nothing
    // behind a full one.
    WriteBits(7, 0);
    while (m_bitCount >= 8) {
        m_bitCount -= 8;
        const auto b = static_cast<uint8_t>(m_bitBuffer >> m_bitCount);
        PutBytes(&b, 1);
    }
    m_bitCount = 0;
    m_bitBuffer = 0;
}

// ---------------------------------------------------------------------------
// Bit input

bool CHuffmanFile::FillInput()
{
    m_inPos = 0;
    m_inEnd = m_in->Read(m_inBuf.data(), kBufferSize);
    m_inFetched += m_inEnd;
    return m_inEnd > 0;
}

void CHuffmanFile::Refill()
{
    if (m_inBits > 56)
        return;
    if (m_inEnd - m_inPos >= 8) {
        // Bits below the counted ones are the true next bits, so the next
        // refill may OR them in again.
        m_inBuffer |= LoadBigEndian64(m_inBuf.data() + m_inPos) >> m_inBits;
        const int bytes = (63 - m_inBits) >> 3;
        m_inPos += static_cast<size_t>(bytes);
        m_inBits += bytes * 8;
        return;
    }
    while (m_inBits <= 56) {
        if (m_inPos == m_inEnd && !FillInput())
            return;
        m_inBuffer |= uint64_t{m_inBuf[m_inPos++]} << (56 - m_inBits);
        m_inBits += 8;
    }
}

uint32_t CHuffmanFile::ReadBit()
{
    if (m_inBits == 0) {
        Refill();
        if (m_inBits == 0)
            ThrowTruncated();
    }
    const auto bit = static_cast<uint32_t>(m_inBuffer >> 63);
    m_inBuffer <<= 1;
    --m_inBits;
    return bit;
}

uint32_t CHuffmanFile::ReadBits(int count)
{
    if (m_inBits < count) {
        Refill();
        if (m_inBits < count)
            ThrowTruncated();
    }
    const auto v = static_cast<uint32_t>(m_inBuffer >> (64 - count));
    m_inBuffer <<= count;
    m_inBits -= count;
    return v;
}

void CHuffmanFile::ThrowTruncated() const
{
    throw fw::CArchiveException(fw::CArchiveException::endOfFile, m_in->GetFilePath());
}

uint64_t CHuffmanFile::RemainingInputBits() const
{
    const uint64_t unfetched = m_inLength > m_inFetched ? m_inLength - m_inFetched : 0;
    return static_cast<uint64_t>(m_inBits) + 8 * ((m_inEnd - m_inPos) + unfetched);
}

// ---------------------------------------------------------------------------
// Streams

CHuffmanFile::WordRun CHuffmanFile::MakeWordRun(uint64_t word, int maxBits) const
{
    WordRun run;
    run.word = word;
    run.made = true;
    uint64_t bits = 0;
    int length = 0;
    for (int k = 0; k < 8; ++k) {
        const Code& code = m_codes[(word >> (8 * k)) & 0xFF];
        length += code.length;
        if (length > maxBits)
            return run; // no room for even one word, or a byte without a code
        bits = (bits << code.length) | code.bits;
    }
    if (length == 0) {
        // The one byte of the file: it costs no bits at all.
        run.reps = 8;
        return run;
    }
    run.reps = maxBits / length;
    for (int r = 0; r < run.reps; ++r)
        run.bits = (run.bits << length) | bits;
    run.length = run.reps * length;
    return run;
}

void CHuffmanFile::EncodeBuffer(const uint8_t* p, size_t n)
{
    // The bit state lives in locals here: stores through the byte buffer
    // would otherwise force the members to be reloaded for every byte.
    uint64_t acc = m_bitBuffer;
    int count = m_bitCount;
    uint8_t* out = m_outBuf.data();
    size_t outLen = m_outLen;
    uint64_t written = 0;
    const auto emit = [&] {
        if (count < 32)
            return;
        count -= 32;
        const auto w = static_cast<uint32_t>(acc >> count);
        if (outLen + 4 > kBufferSize) {
            m_outLen = outLen;
            FlushOutput();
            outLen = 0;
        }
        out[outLen] = static_cast<uint8_t>(w >> 24);
        out[outLen + 1] = static_cast<uint8_t>(w >> 16);
        out[outLen + 2] = static_cast<uint8_t>(w >> 8);
        out[outLen + 3] = static_cast<uint8_t>(w);
        outLen += 4;
        written += 4;
    };
    // A run of one eight-byte word (a constant channel, empty values, one
    // byte over and over) goes as many words at a time as fill an output
    // word: its codes are put together once per run.
    // Runs are looked for between blocks of bytes, which are coded byte by
    // byte: the loop over them keeps its state in registers.
    WordRun run;
    size_t gap = kRunLookGap;
    size_t i = 0;
    while (i < n) {
        if (i + 16 <= n) {
            uint64_t word;
            uint64_t next;
            std::memcpy(&word, p + i, 8);
            std::memcpy(&next, p + i + 8, 8);
            if (word == next) {
                if (!run.made || word != run.word)
                    run = MakeWordRun(word, 32);
                if (run.reps != 0) {
                    const size_t span = 8 * static_cast<size_t>(run.reps);
                    const size_t from = i;
                    while (i + span <= n && SameBytes(p + i, span, word)) {
                        acc = (acc << run.length) | run.bits;
                        count += run.length;
                        emit();
                        i += span;
                    }
                    if (i != from) {
                        gap = kRunLookGap;
                        continue;
                    }
                }
            }
        }
        const size_t blockEnd = std::min(n, i + gap);
        gap = std::min(2 * gap, kRunLookMaxGap);
        for (; i < blockEnd; ++i) {
            const Code& code = m_codes[p[i]];
            // Four codes of at most eight bits fill at most 32 bits: one
            // check for a word to write instead of four.
            if (i + 4 <= n) {
                const Code& b = m_codes[p[i + 1]];
                const Code& c = m_codes[p[i + 2]];
                const Code& d = m_codes[p[i + 3]];
                if (std::max({code.length, b.length, c.length, d.length}) <= 8) {
                    acc = (acc << code.length) | code.bits;
                    acc = (acc << b.length) | b.bits;
                    acc = (acc << c.length) | c.bits;
                    acc = (acc << d.length) | d.bits;
                    count += code.length + b.length + c.length + d.length;
                    emit();
                    i += 3;
                    continue;
                }
            }
            if (code.length <= 32) [[likely]] {
                acc = (acc << code.length) | code.bits;
                count += code.length;
                emit();
                continue;
            }
            m_bitBuffer = acc;
            m_bitCount = count;
            m_outLen = outLen;
            m_outputCount += written;
            written = 0;
            if (code.length == kAbsentCode) {
                // A byte the first pass did not see: the source changed.
                throw fw::CFileException(fw::CFileException::genericException, -1, m_in->GetFilePath());
            }
            if (code.length <= 64) {
                WriteBits(code.length - 32, static_cast<uint32_t>(code.bits >> 32));
                WriteBits(32, static_cast<uint32_t>(code.bits));
            } else {
                WriteLongCode(p[i]);
            }
            acc = m_bitBuffer;
            count = m_bitCount;
            outLen = m_outLen;
        }
    }
    m_bitBuffer = acc;
    m_bitCount = count;
    m_outLen = outLen;
    m_outputCount += written;
}

void CHuffmanFile::EncodeStream(fw::CFile& in, fw::CFile& out, int unitSize)
{
    PrepareEncoding(in, unitSize);
    WriteEncoding(out);
}

uint64_t CHuffmanFile::PrepareEncoding(fw::CFile& in, int unitSize)
{
    ResetState(unitSize);
    m_in = &in;
    m_out = nullptr;

    const uint64_t length = in.GetLength();

    // Four interleaved 32-bit tables per buffer keep the counting loop free
    // of store-to-load stalls; a buffer cannot overflow them.
    std::array<uint64_t, kLeafCount> freq{};
    uint64_t total = 0;
    in.SeekToBegin();
    for (;;) {
        const size_t n = in.Read(m_inBuf.data(), kBufferSize);
        if (n == 0)
            break;
        uint32_t counts[4][kLeafCount] = {};
        const uint8_t* p = m_inBuf.data();
        size_t i = 0;
        // A run of one eight-byte word, common in channels, counts its
        // bytes once.
        while (i + 16 <= n) {
            uint64_t word;
            uint64_t next;
            std::memcpy(&word, p + i, 8);
            std::memcpy(&next, p + i + 8, 8);
            if (word == next) {
                size_t j = i + 16;
                while (j + 8 <= n && SameBytes(p + j, 8, word))
                    j += 8;
                const auto copies = static_cast<uint32_t>((j - i) / 8);
                for (int k = 0; k < 8; ++k)
                    counts[k & 3][(word >> (8 * k)) & 0xFF] += copies;
                i = j;
                continue;
            }
            for (size_t k = i; k < i + 8; k += 4) {
                ++counts[0][p[k]];
                ++counts[1][p[k + 1]];
                ++counts[2][p[k + 2]];
                ++counts[3][p[k + 3]];
            }
            i += 8;
        }
        for (; i + 4 <= n; i += 4) {
            ++counts[0][p[i]];
            ++counts[1][p[i + 1]];
            ++counts[2][p[i + 2]];
            ++counts[3][p[i + 3]];
        }
        for (; i < n; ++i)
            ++counts[0][p[i]];
        for (int b = 0; b < kLeafCount; ++b)
            freq[b] += uint64_t{counts[0][b]} + counts[1][b] + counts[2][b] + counts[3][b];
        total += n;
    }
    if (total != length)
        throw fw::CFileException(fw::CFileException::genericException, -1, in.GetFilePath());

    m_sourceLength = length;
    m_encodeRoot = BuildTree(freq);
    MakeCodes(m_encodeRoot);

    // Header, tree (a leaf 9 bits, an inner node 1), codes, the zero bits
    // to the byte and the zero bytes to the unit.
    int leaves = 0;
    uint64_t bits = 8 * kHeaderBytes;
    for (int b = 0; b < kLeafCount; ++b) {
        if (freq[b] == 0)
            continue;
        ++leaves;
        bits += freq[b] * static_cast<uint64_t>(m_codes[b].length);
    }
    leaves = std::max(leaves, 1);
    bits += 9 * static_cast<uint64_t>(leaves) + static_cast<uint64_t>(leaves - 1);
    const auto unit = static_cast<uint64_t>(m_unitSize);
    m_codedLength = ((bits + 7) / 8 + unit - 1) / unit * unit;
    return m_codedLength;
}

void CHuffmanFile::WriteEncoding(fw::CFile& out)
{
    m_out = &out;
    m_outputCount = 0;
    m_outLen = 0;
    m_bitBuffer = 0;
    m_bitCount = 0;
    uint8_t header[kHeaderBytes];
    for (int i = 0; i < kHeaderBytes; ++i)
        header[i] = static_cast<uint8_t>(m_sourceLength >> (8 * i));
    PutBytes(header, sizeof header);
    WriteTree(m_encodeRoot);

    fw::CFile& in = *m_in;
    in.SeekToBegin();
    uint64_t second = 0;
    for (;;) {
        const size_t n = in.Read(m_inBuf.data(), kBufferSize);
        if (n == 0)
            break;
        second += n;
        EncodeBuffer(m_inBuf.data(), n);
    }
    if (second != m_sourceLength)
        throw fw::CFileException(fw::CFileException::genericException, -1, in.GetFilePath());

    FlushBits();
    static const uint8_t zero = 0;
    while (m_outputCount % static_cast<uint64_t>(m_unitSize) != 0)
        PutBytes(&zero, 1);
    FlushOutput();
    // Other bytes of the same counts would code to the same length: the
    // source changed between the passes.
    if (m_outputCount != m_codedLength)
        throw fw::CFileException(fw::CFileException::genericException, -1, in.GetFilePath());
}

void CHuffmanFile::WriteRun(uint8_t value, uint64_t count)
{
    while (count) {
        if (m_outLen == kBufferSize)
            FlushOutput();
        const size_t n = static_cast<size_t>(std::min<uint64_t>(count, kBufferSize - m_outLen));
        std::memset(m_outBuf.data() + m_outLen, value, n);
        m_outLen += n;
        m_outputCount += n;
        count -= n;
    }
}

void CHuffmanFile::DecodeSymbols(uint64_t length)
{
    // Locals for the same reason as in EncodeBuffer; the members are brought
    // up to date before anything that uses them.
    const TableEntry* table = m_table.data();
    const MultiEntry* multi = m_multi.data();
    // A leaf right below the root has a one-bit code.
    int runSymbol = -1;
    uint32_t runWord = 0;
    if (m_root >= kLeafCount && m_left[m_root] < kLeafCount) {
        runSymbol = m_left[m_root];
    } else if (m_root >= kLeafCount && m_right[m_root] < kLeafCount) {
        runSymbol = m_right[m_root];
        runWord = 0xFFFFFFFFu;
    }
    const uint64_t runMask = runWord ? ~uint64_t{0} : 0;
    // Runs of words are looked for between blocks of codes only while none
    // goes on: reading back bytes just stored one by one stalls, and noise
    // would pay that for every code.
    WordRun run;
    size_t gap = kRunLookGap;
    uint8_t* out = m_outBuf.data();
    size_t outLen = m_outLen;
    uint64_t acc = m_inBuffer;
    int bits = m_inBits;
    const uint8_t* in = m_inBuf.data();
    size_t pos = m_inPos;
    const auto sync = [&] {
        m_inBuffer = acc;
        m_inBits = bits;
        m_inPos = pos;
        m_outLen = outLen;
    };
    const auto reload = [&] {
        acc = m_inBuffer;
        bits = m_inBits;
        pos = m_inPos;
        outLen = m_outLen;
    };
    const auto refill = [&] {
        if (bits < 32 && m_inEnd - pos >= 8) [[likely]] {
            acc |= LoadBigEndian64(in + pos) >> bits;
            const int bytes = (63 - bits) >> 3;
            pos += static_cast<size_t>(bytes);
            bits += bytes * 8;
        } else if (bits < kTableBits) {
            sync();
            Refill();
            reload();
        }
    };
    while (length) {
        refill();
        // Thirty-two bits or more of the one-bit code of a byte: a run of it,
        // which goes on through whole input words of that bit.
        if (runSymbol >= 0 && bits >= 32 && static_cast<uint32_t>(acc >> 32) == runWord) {
            if (outLen == kBufferSize) {
                sync();
                FlushOutput();
                reload();
            }
            const uint64_t most = std::min<uint64_t>(length, kBufferSize - outLen);
            const auto inAcc = static_cast<uint64_t>(std::min(std::countl_zero(acc ^ runMask), bits));
            uint64_t take = std::min(inAcc, most);
            if (take == static_cast<uint64_t>(bits)) {
                // The bits below the counted ones are those at `pos` again.
                acc = 0;
                bits = 0;
                while (take + 64 <= most && m_inEnd - pos >= 8 && LoadBigEndian64(in + pos) == runMask) {
                    pos += 8;
                    take += 64;
                }
            } else {
                acc <<= take;
                bits -= static_cast<int>(take);
            }
            std::memset(out + outLen, runSymbol, static_cast<size_t>(take));
            outLen += static_cast<size_t>(take);
            length -= take;
            gap = kRunLookGap;
            continue;
        }
        // Once a word of eight bytes came twice, further copies of it are
        // looked for as many at a time as the bits at hand can show.
        if (outLen >= 16) {
            uint64_t last;
            uint64_t before;
            std::memcpy(&last, out + outLen - 8, 8);
            std::memcpy(&before, out + outLen - 16, 8);
            if (last == before) {
                if (!run.made || last != run.word)
                    run = MakeWordRun(last, kRunLookBits);
                const auto span = 8 * static_cast<size_t>(run.reps);
                if (run.length != 0 && run.length <= bits && length >= span && outLen + span <= kBufferSize &&
                    acc >> (64 - run.length) == run.bits) {
                    for (int r = 0; r < run.reps; ++r)
                        std::memcpy(out + outLen + 8 * static_cast<size_t>(r), &last, 8);
                    outLen += span;
                    length -= span;
                    acc <<= run.length;
                    bits -= run.length;
                    gap = kRunLookGap;
                    continue;
                }
            }
        }
        // Codes up to the next look for a run, which comes later each time
        // none was found.
        size_t lookAt = outLen + gap;
        gap = std::min(2 * gap, kRunLookMaxGap);
        do {
            refill();
            // Several short codes within the table's bits come out at once.
            const MultiEntry& m = multi[acc >> (64 - kTableBits)];
            if (m.count >= 2 && m.length <= bits && length >= m.count && outLen + 4 <= kBufferSize) {
                for (int k = 0; k < 4; ++k)
                    out[outLen + static_cast<size_t>(k)] = static_cast<uint8_t>(m.symbols >> (8 * k));
                outLen += m.count;
                length -= m.count;
                acc <<= m.length;
                bits -= m.length;
                continue;
            }
            const TableEntry e = table[acc >> (64 - kTableBits)];
            if (e.length > bits) {
                sync();
                ThrowTruncated();
            }
            acc <<= e.length;
            bits -= e.length;
            int node = e.value;
            if (!e.leaf) {
                sync();
                while (node >= kLeafCount)
                    node = ReadBit() ? m_right[node] : m_left[node];
                reload();
            }
            if (outLen == kBufferSize) {
                sync();
                FlushOutput();
                reload();
                lookAt = kRunLookGap;
            }
            out[outLen++] = static_cast<uint8_t>(node);
            --length;
        } while (length && outLen < lookAt);
    }
    sync();
}

void CHuffmanFile::DecodeStream(fw::CFile& in, fw::CFile& out, uint64_t maxLength)
{
    ResetState(1);
    m_in = &in;
    m_out = &out;
    in.SeekToBegin();
    m_inLength = in.GetLength();

    uint64_t length = 0;
    for (int i = 0; i < kHeaderBytes; ++i)
        length |= uint64_t{ReadBits(8)} << (8 * i);
    const int root = ReadTree();

    if (length > maxLength)
        throw fw::CFileException(fw::CFileException::diskFull, -1, out.GetFilePath());
    if (length != 0) {
        if (root < kLeafCount) {
            WriteRun(static_cast<uint8_t>(root), length);
        } else {
            // Every byte costs at least the shortest code: a stored length
            // that the remaining bits cannot carry is not believed.
            const int minLength = MinLeafDepth(m_left, m_right, root, 0);
            if (length > RemainingInputBits() / static_cast<uint64_t>(minLength))
                ThrowTruncated();
            m_table.assign(size_t{1} << kTableBits, TableEntry{});
            BuildTable(root, 0, 0);
            BuildMultiTable();
            m_codes.fill(Code{0, kAbsentCode});
            CodesFromTree(root, 0, 0);
            m_root = root;
            DecodeSymbols(length);
            m_outputCount = length;
        }
    }
    // The coder pads by less than a unit; more unread bytes mean the stored
    // length was cut.
    if (RemainingInputBits() / 8 > kMaxPaddingBytes)
        throw fw::CArchiveException(fw::CArchiveException::genericException, in.GetFilePath());
    FlushOutput();
}

namespace {

// Runs coder work; a failure is shown to the user and answered false.
template <class Work> bool ShowingErrors(Work&& work)
{
    try {
        work();
        return true;
    } catch (const CHuffmanFile::BadTable&) {
        fw::AfxMessageBox(fw::CString(kBadTableText));
    } catch (const fw::CException& e) {
        ReportCacheFileError(e);
    } catch (const std::exception& e) {
        fw::ReportException(e);
    }
    return false;
}

} // namespace

bool CHuffmanFile::PrepareShowingErrors(fw::CFile& in, int unitSize, uint64_t& codedLength)
{
    return ShowingErrors([&] { codedLength = PrepareEncoding(in, unitSize); });
}

bool CHuffmanFile::ExpandShowingErrors(fw::CFile& in, fw::CFile& out, uint64_t maxLength)
{
    return ShowingErrors([&] { DecodeStream(in, out, maxLength); });
}

bool CHuffmanFile::CodeFile(const fw::CString& source, const fw::CString& destination, bool expand,
                            int unitSize)
{
    fw::CFile in;
    fw::CFile out;
    fw::CFileException err;
    if (!in.Open(source, fw::CFile::modeRead | fw::CFile::shareDenyWrite, &err)) {
        ReportCacheFileError(err);
        return false;
    }
    if (!out.Open(destination, fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareDenyWrite, &err)) {
        in.Abort();
        ReportCacheFileError(err);
        return false;
    }
    const bool ok = ShowingErrors([&] {
        if (expand)
            DecodeStream(in, out, FreeSpaceFor(destination));
        else
            EncodeStream(in, out, unitSize);
        out.Close();
        in.Close();
    });
    if (!ok) {
        in.Abort();
        out.Abort();
    }
    return ok;
}
