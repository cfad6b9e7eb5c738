#pragma once

// The framework's archive: a buffered little-endian byte stream over a
// seekable CFile (or CMemFile) in which documents store numbers, CP932
// strings and graphs of objects. Every byte form here is shared with the
// files the original program wrote.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace fw {

class CFile;

class CArchive {
public:
    enum Mode : unsigned { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // Object nesting beyond this is refused as a damaged archive (generic
    // cause) rather than overflowing the stack.
    static constexpr int kMaxObjectDepth = 1024;

    CArchive(CFile* file, unsigned mode, size_t bufferSize = 4096);
    // A storing archive writes what is buffered (errors are lost here: call
    // Close() to see them).
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_loading; }
    bool IsStoring() const { return !m_loading; }
    CFile* GetFile() const { return m_file; }

    // Storing: writes the buffer to the file. Loading: moves the file back to
    // the logical read position and drops the read-ahead, so that the file
    // may be read or repositioned directly.
    void Flush();
    // Flushes and detaches from the file.
    void Close();
    // Detaches without writing.
    void Abort();

    // Logical position in the file (where the next byte is read or written).
    uint64_t Tell();
    void Seek(uint64_t position);
    // Bytes between the logical position and the end of the file (loading).
    uint64_t BytesLeft();

    // --- raw bytes ----------------------------------------------------------
    void Write(const void* data, size_t count);
    // Bytes read; fewer only at the end of the data.
    size_t Read(void* data, size_t count);
    // Exactly `count` bytes or CArchiveException endOfFile.
    void ReadExact(void* data, size_t count);

    // --- numbers: raw little-endian ------------------------------------------
    // `long` is deliberately absent: it was 32 bits in these files and is 64
    // bits here. Since int64_t is `long` on this platform, 64-bit values go
    // through WriteInt64/ReadInt64 (or long long).
    CArchive& operator<<(char v) { return Put(v); } // one byte, not promoted to int
    CArchive& operator<<(int8_t v) { return Put(v); }
    CArchive& operator<<(uint8_t v) { return Put(v); }
    CArchive& operator<<(int16_t v) { return Put(v); }
    CArchive& operator<<(uint16_t v) { return Put(v); }
    CArchive& operator<<(int32_t v) { return Put(v); }
    CArchive& operator<<(uint32_t v) { return Put(v); }
    CArchive& operator<<(long long v) { return Put(v); }
    CArchive& operator<<(unsigned long long v) { return Put(v); }
    CArchive& operator<<(float v) { return Put(v); }
    CArchive& operator<<(double v) { return Put(v); }
    CArchive& operator<<(long) = delete;
    CArchive& operator<<(unsigned long) = delete;
    CArchive& operator<<(bool) = delete;

    CArchive& operator>>(char& v) { return Get(v); }
    CArchive& operator>>(int8_t& v) { return Get(v); }
    CArchive& operator>>(uint8_t& v) { return Get(v); }
    CArchive& operator>>(int16_t& v) { return Get(v); }
    CArchive& operator>>(uint16_t& v) { return Get(v); }
    CArchive& operator>>(int32_t& v) { return Get(v); }
    CArchive& operator>>(uint32_t& v) { return Get(v); }
    CArchive& operator>>(long long& v) { return Get(v); }
    CArchive& operator>>(unsigned long long& v) { return Get(v); }
    CArchive& operator>>(float& v) { return Get(v); }
    CArchive& operator>>(double& v) { return Get(v); }
    CArchive& operator>>(long&) = delete;
    CArchive& operator>>(unsigned long&) = delete;
    CArchive& operator>>(bool&) = delete;

    void WriteInt64(int64_t v) { Put(v); }
    int64_t ReadInt64() { int64_t v; Get(v); return v; }
    void WriteUInt64(uint64_t v) { Put(v); }
    uint64_t ReadUInt64() { uint64_t v; Get(v); return v; }

    // --- counts: u16 below 0xFFFF, else FFFF + u32 ---------------------------
    void WriteCount(uint64_t count);
    // A count larger than the bytes left can hold, at `minBytesPerElement`
    // each, is a damaged archive (generic cause); 0 skips the check.
    uint64_t ReadCount(size_t minBytesPerElement = 1);

    // --- strings --------------------------------------------------------------
    // CP932 bytes behind a length prefix: u8 below 255, FF + u16 below 0xFFFE,
    // else FF FFFF + u32. Reading also takes FF FFFE, a UTF-16 string.
    CArchive& operator<<(const CString& s);
    CArchive& operator<<(const char* s) { return *this << CString(s); }
    CArchive& operator>>(CString& s);
    // The same form with the bytes as they are (face names kept byte-exact).
    void WriteRawString(std::string_view cp932);
    std::string ReadRawString();
    // Text lines: writes the text in CP932 (no line end added); reading takes
    // bytes up to a line feed, drops CR LF / LF, false when nothing was left.
    void WriteString(const CString& text);
    bool ReadString(CString& line);

    // --- objects ----------------------------------------------------------------
    void WriteObject(const CObject* object);
    // A new object (owned by the caller), an object read before (same
    // pointer), or nullptr. The class must be `expected` or derived from it
    // (nullptr: any).
    CObject* ReadObject(const CRuntimeClass* expected);
    // ReadObject for a reader that takes sole ownership of what it reads:
    // a reference to an object read before is damage (badIndex), since the
    // object would then have two owners.
    CObject* ReadOwnedObject(const CRuntimeClass* expected);
    // ReadObject for a reader whose objects are shared by counting: a
    // reference may name only an object read the same way, never one that
    // another object owns (that would give it a second owner).
    CObject* ReadSharedObject(const CRuntimeClass* expected);
    // The stored schema of the object being loaded, once; afterwards -1.
    int GetObjectSchema();
    void SetObjectSchema(int schema) { m_objectSchema = schema; }

    template <class T> requires std::derived_from<T, CObject>
    CArchive& operator<<(const T* object)
    {
        WriteObject(object);
        return *this;
    }
    template <class T> requires std::derived_from<T, CObject>
    CArchive& operator>>(T*& object)
    {
        object = static_cast<T*>(ReadObject(&T::s_runtimeClass));
        return *this;
    }

    // For the file name in exceptions; taken from the file when attached.
    CString m_strFileName;
    // The document being stored or loaded, for objects that need it.
    CObject* m_pDocument = nullptr;

private:
    enum class Ownership { any, owned, shared };
    CObject* ReadObjectTagged(const CRuntimeClass* expected, Ownership ownership);
    template <class T> CArchive& Put(T v)
    {
        Write(&v, sizeof v); // the platform is little-endian, as the files
        return *this;
    }
    template <class T> CArchive& Get(T& v)
    {
        ReadExact(&v, sizeof v);
        return *this;
    }

    [[noreturn]] void Fail(int cause) const;
    void RequireLoading() const;
    void RequireStoring() const;
    void FillBuffer();
    void WriteBuffer();
    uint64_t ReadStringLength(bool& utf16);
    // The bytes of a stored string (two a character when utf16), with its
    // length in characters.
    std::string ReadStringBytes(bool& utf16, uint64_t& length);

    void WriteIndex(uint32_t index, bool isClass);
    const CRuntimeClass* ReadClassTag(uint16_t tag, const CRuntimeClass* expected, int& schema);
    uint32_t ReadBigIndex();

    CFile* m_file;
    bool m_loading;
    bool m_noFlushOnDelete;
    std::vector<uint8_t> m_buf;
    size_t m_cur = 0; // next byte (load) / bytes pending (store)
    size_t m_end = 0; // bytes of read-ahead (load)

    // Store: object or class address -> index. Load: index -> entry.
    uint32_t m_nextIndex = 1;
    std::unordered_map<const void*, uint32_t> m_storeMap;
    struct LoadEntry {
        const CRuntimeClass* cls; // set for class entries
        CObject* object;          // set for object entries
        int schema;               // stored schema of a class entry
        bool shared = false;      // read by a sharing reader
    };
    std::vector<LoadEntry> m_loadMap;
    int m_objectSchema = -1;
    int m_depth = 0;
};

// Raw elements, no count (the containers write the count).
template <class T> void SerializeElements(CArchive& ar, T* elements, size_t count)
{
    static_assert(std::is_trivially_copyable_v<T>);
    if (ar.IsStoring())
        ar.Write(elements, count * sizeof(T));
    else
        ar.ReadExact(elements, count * sizeof(T));
}

// Loads `count` raw elements as the whole content of `out`. A long array
// is read in cache-sized slices into storage reserved once, so that each
// element goes to memory once instead of being zeroed by a resize first.
template <class T> void ReadElements(CArchive& ar, std::vector<T>& out, size_t count)
{
    static_assert(std::is_trivially_copyable_v<T>);
    constexpr size_t kSliceElements = (size_t(64) << 10) / sizeof(T) + 1;
    out.clear();
    out.reserve(count);
    while (out.size() < count) {
        const size_t done = out.size();
        const size_t n = std::min(count - done, kSliceElements);
        out.resize(done + n);
        ar.ReadExact(out.data() + done, n * sizeof(T));
    }
}

} // namespace fw
