#include "framework/core/Archive.h"

#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace fw {

namespace {

constexpr uint16_t kNullTag = 0;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
constexpr size_t kMaxClassNameLength = 64; // the name buffer of the stored form

// UTF-16LE (the archive's Unicode string form) to UTF-8; a lone surrogate
// becomes U+FFFD.
std::string Utf16ToUtf8(const uint8_t* p, size_t units)
{
    std::string out;
    out.reserve(units);
    auto unit = [p](size_t i) { return static_cast<uint32_t>(p[2 * i] | (p[2 * i + 1] << 8)); };
    for (size_t i = 0; i < units; ++i) {
        uint32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string EncodeCp932(const CString& s)
{
    return cp932::ToCp932(s.view());
}

CString DecodeCp932(std::string_view bytes)
{
    return CString(cp932::FromCp932(bytes));
}

} // namespace

CArchive::CArchive(CFile* file, unsigned mode, size_t bufferSize)
    : m_file(file),
      m_loading((mode & load) != 0),
      m_noFlushOnDelete((mode & bNoFlushOnDelete) != 0),
      m_buf(std::max<size_t>(bufferSize, 16))
{
    if (!file)
        ThrowInvalidArgException();
    m_strFileName = file->GetFilePath();
    if (m_loading)
        m_loadMap.push_back({nullptr, nullptr, -1}); // index 0 is the null reference
}

CArchive::~CArchive()
{
    if (m_file && !m_loading && !m_noFlushOnDelete) {
        try {
            WriteBuffer();
        } catch (...) {
            // Reported by Close(); a destructor cannot.
        }
    }
}

void CArchive::Fail(int cause) const
{
    ThrowArchiveException(cause, m_strFileName);
}

void CArchive::RequireLoading() const
{
    if (!m_file)
        Fail(CArchiveException::genericException);
    if (!m_loading)
        Fail(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const
{
    if (!m_file)
        Fail(CArchiveException::genericException);
    if (m_loading)
        Fail(CArchiveException::readOnly);
}

// ---------------------------------------------------------------- buffering

void CArchive::WriteBuffer()
{
    if (m_cur > 0) {
        size_t n = m_cur;
        m_cur = 0;
        m_file->Write(m_buf.data(), n);
    }
}

void CArchive::FillBuffer()
{
    m_cur = 0;
    m_end = 0;
    m_end = m_file->Read(m_buf.data(), m_buf.size());
}

void CArchive::Flush()
{
    if (!m_file)
        return;
    if (m_loading) {
        if (m_cur != m_end)
            m_file->Seek(-static_cast<int64_t>(m_end - m_cur), CFile::current);
        m_cur = m_end = 0;
    } else {
        WriteBuffer();
    }
}

void CArchive::Close()
{
    Flush();
    m_file = nullptr;
}

void CArchive::Abort()
{
    m_cur = m_end = 0;
    m_file = nullptr;
}

uint64_t CArchive::Tell()
{
    if (!m_file)
        Fail(CArchiveException::genericException);
    uint64_t filePos = m_file->GetPosition();
    return m_loading ? filePos - (m_end - m_cur) : filePos + m_cur;
}

void CArchive::Seek(uint64_t position)
{
    if (!m_file)
        Fail(CArchiveException::genericException);
    if (m_loading)
        m_cur = m_end = 0;
    else
        WriteBuffer();
    m_file->Seek(static_cast<int64_t>(position), CFile::begin);
}

uint64_t CArchive::BytesLeft()
{
    RequireLoading();
    uint64_t pos = Tell();
    uint64_t length = m_file->GetLength();
    return length > pos ? length - pos : 0;
}

// ---------------------------------------------------------------- raw bytes

void CArchive::Write(const void* data, size_t count)
{
    RequireStoring();
    if (count == 0)
        return; // an empty array hands a null pointer
    auto* p = static_cast<const uint8_t*>(data);
    if (m_cur + count <= m_buf.size()) {
        std::memcpy(m_buf.data() + m_cur, p, count);
        m_cur += count;
        return;
    }
    WriteBuffer();
    if (count >= m_buf.size()) {
        m_file->Write(p, count);
        return;
    }
    std::memcpy(m_buf.data(), p, count);
    m_cur = count;
}

size_t CArchive::Read(void* data, size_t count)
{
    RequireLoading();
    auto* p = static_cast<uint8_t*>(data);
    size_t done = 0;
    while (done < count) {
        if (m_cur == m_end) {
            size_t want = count - done;
            if (want >= m_buf.size()) {
                size_t n = m_file->Read(p + done, want);
                done += n;
                break;
            }
            FillBuffer();
            if (m_end == 0)
                break;
        }
        size_t n = std::min(count - done, m_end - m_cur);
        std::memcpy(p + done, m_buf.data() + m_cur, n);
        m_cur += n;
        done += n;
    }
    return done;
}

void CArchive::ReadExact(void* data, size_t count)
{
    if (count == 0)
        return;
    // Fast path for the many small numbers of a document.
    if (m_loading && m_file && m_end - m_cur >= count) {
        std::memcpy(data, m_buf.data() + m_cur, count);
        m_cur += count;
        return;
    }
    if (Read(data, count) != count)
        Fail(CArchiveException::endOfFile);
}

// ------------------------------------------------------------------- counts

void CArchive::WriteCount(uint64_t count)
{
    if (count < 0xFFFF) {
        *this << static_cast<uint16_t>(count);
    } else {
        if (count > 0xFFFFFFFFu)
            Fail(CArchiveException::genericException);
        *this << static_cast<uint16_t>(0xFFFF) << static_cast<uint32_t>(count);
    }
}

uint64_t CArchive::ReadCount(size_t minBytesPerElement)
{
    uint16_t small;
    *this >> small;
    uint64_t count = small;
    if (small == 0xFFFF) {
        uint32_t big;
        *this >> big;
        count = big;
    }
    // Never trust a count further than the data can back it.
    if (minBytesPerElement && count > (m_end - m_cur) / minBytesPerElement
        && count > BytesLeft() / minBytesPerElement)
        Fail(CArchiveException::genericException);
    return count;
}

// ------------------------------------------------------------------ strings

void CArchive::WriteRawString(std::string_view bytes)
{
    size_t n = bytes.size();
    if (n < 0xFF) {
        *this << static_cast<uint8_t>(n);
    } else if (n < 0xFFFE) {
        *this << static_cast<uint8_t>(0xFF) << static_cast<uint16_t>(n);
    } else {
        if (n > 0xFFFFFFFFu)
            Fail(CArchiveException::genericException);
        *this << static_cast<uint8_t>(0xFF) << static_cast<uint16_t>(0xFFFF) << static_cast<uint32_t>(n);
    }
    Write(bytes.data(), n);
}

uint64_t CArchive::ReadStringLength(bool& utf16)
{
    utf16 = false;
    // The Unicode marker may only come once; a second one is damage.
    for (int form = 0; form < 2; ++form) {
        uint8_t b;
        *this >> b;
        if (b < 0xFF)
            return b;
        uint16_t w;
        *this >> w;
        if (w == 0xFFFE) {
            if (utf16)
                break;
            utf16 = true;
            continue;
        }
        if (w < 0xFFFF)
            return w;
        uint32_t d;
        *this >> d;
        return d;
    }
    Fail(CArchiveException::genericException);
}

std::string CArchive::ReadStringBytes(bool& utf16, uint64_t& length)
{
    length = ReadStringLength(utf16);
    const uint64_t bytes = utf16 ? length * 2 : length;
    if (bytes > m_end - m_cur && bytes > BytesLeft())
        Fail(CArchiveException::genericException);
    std::string raw(static_cast<size_t>(bytes), '\0');
    ReadExact(raw.data(), raw.size());
    return raw;
}

std::string CArchive::ReadRawString()
{
    bool utf16;
    uint64_t length;
    std::string raw = ReadStringBytes(utf16, length);
    if (utf16)
        return EncodeCp932(CString(Utf16ToUtf8(reinterpret_cast<const uint8_t*>(raw.data()), length)));
    return raw;
}

CArchive& CArchive::operator<<(const CString& s)
{
    WriteRawString(EncodeCp932(s));
    return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
    bool utf16;
    uint64_t length;
    const std::string raw = ReadStringBytes(utf16, length);
    if (utf16)
        s = CString(Utf16ToUtf8(reinterpret_cast<const uint8_t*>(raw.data()), length));
    else
        s = DecodeCp932(raw);
    return *this;
}

void CArchive::WriteString(const CString& text)
{
    std::string bytes = EncodeCp932(text);
    Write(bytes.data(), bytes.size());
}

bool CArchive::ReadString(CString& line)
{
    RequireLoading();
    std::string bytes;
    bool any = false;
    for (;;) {
        if (m_cur == m_end) {
            FillBuffer();
            if (m_end == 0)
                break;
        }
        any = true;
        const uint8_t* start = m_buf.data() + m_cur;
        const void* lf = std::memchr(start, '\n', m_end - m_cur);
        if (lf) {
            size_t n = static_cast<const uint8_t*>(lf) - start;
            bytes.append(reinterpret_cast<const char*>(start), n);
            m_cur += n + 1;
            break;
        }
        bytes.append(reinterpret_cast<const char*>(start), m_end - m_cur);
        m_cur = m_end;
    }
    if (!bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    line = DecodeCp932(bytes);
    return any;
}

// ------------------------------------------------------------------ objects

void CArchive::WriteIndex(uint32_t index, bool isClass)
{
    if (index < kBigObjectTag) {
        *this << static_cast<uint16_t>(isClass ? (kClassTag | index) : index);
    } else {
        *this << kBigObjectTag << static_cast<uint32_t>(isClass ? (kBigClassTag | index) : index);
    }
}

void CArchive::WriteObject(const CObject* object)
{
    RequireStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    if (auto it = m_storeMap.find(object); it != m_storeMap.end()) {
        WriteIndex(it->second, false);
        return;
    }
    const CRuntimeClass* cls = object->GetRuntimeClass();
    if (!cls->create || (cls->schema & 0xFFFF) == 0xFFFF)
        Fail(CArchiveException::badClass); // not a storable class
    if (m_nextIndex >= kBigClassTag - 1)
        Fail(CArchiveException::genericException);
    if (auto it = m_storeMap.find(cls); it != m_storeMap.end()) {
        WriteIndex(it->second, true);
    } else {
        size_t nameLength = std::strlen(cls->name);
        *this << kNewClassTag << static_cast<uint16_t>(cls->schema & 0xFFFF)
              << static_cast<uint16_t>(nameLength);
        Write(cls->name, nameLength);
        m_storeMap.emplace(cls, m_nextIndex++);
    }
    // Entered before its own data, so that a reference back to it from
    // inside (a child's parent pointer) becomes an index.
    m_storeMap.emplace(object, m_nextIndex++);
    const_cast<CObject*>(object)->Serialize(*this);
}

uint32_t CArchive::ReadBigIndex()
{
    uint32_t index;
    *this >> index;
    return index;
}

const CRuntimeClass* CArchive::ReadClassTag(uint16_t tag, const CRuntimeClass* expected, int& schema)
{
    const CRuntimeClass* cls = nullptr;
    if (tag == kNewClassTag) {
        uint16_t storedSchema, nameLength;
        *this >> storedSchema >> nameLength;
        if (nameLength >= kMaxClassNameLength)
            Fail(CArchiveException::badClass);
        char name[kMaxClassNameLength];
        ReadExact(name, nameLength);
        cls = CRuntimeClass::FromName(std::string_view(name, nameLength));
        if (!cls || !cls->create)
            Fail(CArchiveException::badClass);
        if (!(cls->schema & VERSIONABLE_SCHEMA) && (cls->schema & 0xFFFF) != storedSchema)
            Fail(CArchiveException::badSchema);
        schema = storedSchema;
        if (m_nextIndex >= kBigClassTag - 1)
            Fail(CArchiveException::genericException);
        m_loadMap.push_back({cls, nullptr, schema});
        ++m_nextIndex;
    } else {
        uint32_t index = tag == kBigObjectTag ? (ReadBigIndex() & ~kBigClassTag) : (tag & ~kClassTag);
        if (index == 0 || index >= m_loadMap.size() || !m_loadMap[index].cls)
            Fail(CArchiveException::badIndex);
        cls = m_loadMap[index].cls;
        schema = m_loadMap[index].schema;
    }
    if (expected && !cls->IsDerivedFrom(expected))
        Fail(CArchiveException::badClass);
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected)
{
    return ReadObjectTagged(expected, Ownership::any);
}

CObject* CArchive::ReadOwnedObject(const CRuntimeClass* expected)
{
    return ReadObjectTagged(expected, Ownership::owned);
}

CObject* CArchive::ReadSharedObject(const CRuntimeClass* expected)
{
    return ReadObjectTagged(expected, Ownership::shared);
}

CObject* CArchive::ReadObjectTagged(const CRuntimeClass* expected, Ownership ownership)
{
    RequireLoading();
    uint16_t tag;
    *this >> tag;

    // Sort the tag: a class (new or known) or a reference to an object.
    bool isClass = false;
    uint32_t objectIndex = 0;
    uint16_t classTag = tag;
    if (tag == kNewClassTag) {
        isClass = true;
    } else if (tag == kBigObjectTag) {
        uint32_t big = ReadBigIndex();
        if (big & kBigClassTag) {
            isClass = true;
            classTag = 0; // resolved below from `big`
            uint32_t index = big & ~kBigClassTag;
            if (index == 0 || index >= m_loadMap.size() || !m_loadMap[index].cls)
                Fail(CArchiveException::badIndex);
            objectIndex = index;
        } else {
            objectIndex = big;
        }
    } else if (tag & kClassTag) {
        isClass = true;
    } else {
        objectIndex = tag;
    }

    if (!isClass) {
        if (objectIndex == 0)
            return nullptr;
        if (ownership == Ownership::owned || objectIndex >= m_loadMap.size() || !m_loadMap[objectIndex].object)
            Fail(CArchiveException::badIndex);
        if (ownership == Ownership::shared && !m_loadMap[objectIndex].shared)
            Fail(CArchiveException::badIndex);
        CObject* object = m_loadMap[objectIndex].object;
        if (expected && !object->IsKindOf(expected))
            Fail(CArchiveException::badClass);
        return object;
    }

    const CRuntimeClass* cls;
    int schema;
    if (tag == kBigObjectTag) {
        cls = m_loadMap[objectIndex].cls;
        schema = m_loadMap[objectIndex].schema;
        if (expected && !cls->IsDerivedFrom(expected))
            Fail(CArchiveException::badClass);
    } else {
        cls = ReadClassTag(classTag, expected, schema);
    }

    if (m_depth >= kMaxObjectDepth)
        Fail(CArchiveException::genericException);
    if (m_nextIndex >= kBigClassTag - 1)
        Fail(CArchiveException::genericException);
    std::unique_ptr<CObject> object(cls->CreateObject());
    if (!object)
        Fail(CArchiveException::badClass);
    m_loadMap.push_back({nullptr, object.get(), -1, ownership == Ownership::shared});
    uint32_t myIndex = m_nextIndex++;

    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(m_depth);
    m_objectSchema = schema;
    try {
        object->Serialize(*this);
    } catch (...) {
        // The object (and what it owns) dies with the failed load; no later
        // reference may hand out any of them.
        for (size_t i = myIndex; i < m_loadMap.size(); ++i)
            m_loadMap[i].object = nullptr;
        throw;
    }
    m_objectSchema = -1;
    return object.release();
}

int CArchive::GetObjectSchema()
{
    int schema = m_objectSchema;
    m_objectSchema = -1;
    return schema;
}

} // namespace fw
