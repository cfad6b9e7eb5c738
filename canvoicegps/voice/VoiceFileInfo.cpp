#include "canvoicegps/voice/VoiceFileInfo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kModelText = "KIV-406";
// The texts of the block are a few dozen bytes; anything far larger is a
// damaged or foreign file, not worth an allocation.
constexpr uint32_t kMaxTextBytes = 4096;

uint32_t LittleEndian32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct Chunk {
    std::array<char, 4> id{};
    uint64_t dataStart = 0;
    uint32_t size = 0;
};

// Reads chunk headers of one level, each bounded by its parent. Every read
// asks for exactly the bytes it needs, so the sound data are never read and
// a folder of thousands of recordings lists quickly.
class RiffReader {
public:
    explicit RiffReader(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~RiffReader()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RiffReader(const RiffReader&) = delete;
    RiffReader& operator=(const RiffReader&) = delete;
    bool IsOpen() const { return m_fd >= 0; }

    std::optional<Chunk> ChunkAt(uint64_t pos, uint64_t end)
    {
        if (pos + 8 > end)
            return std::nullopt;
        unsigned char head[8];
        if (!ReadAt(pos, head, 8))
            return std::nullopt;
        Chunk c;
        std::memcpy(c.id.data(), head, 4);
        c.size = LittleEndian32(head + 4);
        c.dataStart = pos + 8;
        if (c.dataStart + c.size > end)
            return std::nullopt;
        return c;
    }

    // The first chunk `id` of the level [pos, end) (a list whose type is
    // `listType` when that is given).
    std::optional<Chunk> Find(uint64_t pos, uint64_t end, const char* id, const char* listType = nullptr)
    {
        while (auto c = ChunkAt(pos, end)) {
            if (std::memcmp(c->id.data(), id, 4) == 0) {
                if (!listType)
                    return c;
                char type[4];
                if (c->size >= 4 && ReadAt(c->dataStart, type, 4) && std::memcmp(type, listType, 4) == 0)
                    return c;
            }
            // Chunks are padded to an even length.
            pos = c->dataStart + c->size + (c->size & 1u);
        }
        return std::nullopt;
    }

    // The chunk's contents as text, ended by its first zero byte.
    std::optional<std::string> Text(const Chunk& c)
    {
        if (c.size > kMaxTextBytes)
            return std::nullopt;
        std::string text(c.size, '\0');
        if (c.size != 0 && !ReadAt(c.dataStart, text.data(), c.size))
            return std::nullopt;
        text.resize(std::strlen(text.c_str()));
        return text;
    }

    uint64_t Length()
    {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || st.st_size < 0)
            return 0;
        return uint64_t(st.st_size);
    }

private:
    bool ReadAt(uint64_t pos, void* dest, size_t n)
    {
        size_t done = 0;
        while (done < n) {
            const ssize_t got = ::pread(m_fd, static_cast<char*>(dest) + done, n - done, off_t(pos + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            done += size_t(got);
        }
        return true;
    }

    int m_fd = -1;
};

// The twelve digits YYMMDDhhmmss: those before the first "." when twelve
// stand there, else the first twelve.
bool ParseRecordTime(const std::string& text, fw::COleDateTime& out)
{
    const size_t dot = text.find('.');
    const std::string digits = dot != std::string::npos && dot >= 12 ? text.substr(dot - 12, 12) : text.substr(0, 12);
    int f[6];
    if (std::sscanf(digits.c_str(), "%2d%2d%2d%2d%2d%2d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]) != 6)
        return false;
    // A date the type refuses leaves the time invalid; the file still counts.
    out.SetDateTime(f[0] + 2000, f[1], f[2], f[3], f[4], f[5]);
    return true;
}

bool ParseStart(const std::string& text, uint32_t& sample, double& interval)
{
    // The unit writes a 32-bit sample number; a longer one keeps its low bits
    // as the unit's own reader would.
    unsigned long long number = 0;
    float seconds = 0.0f;
    if (std::sscanf(text.c_str(), "%llu,%g", &number, &seconds) != 2)
        return false;
    sample = static_cast<uint32_t>(number);
    interval = seconds;
    return true;
}

bool EndsWithWav(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".wav";
}

} // namespace

bool ReadVoiceFileInfo(const fw::CString& path, fw::COleDateTime* recordTime, uint32_t* sampleNumber,
                       double* interval)
{
    RiffReader riff(path.str());
    if (!riff.IsOpen())
        return false;
    const uint64_t length = riff.Length();
    // The first chunk is the RIFF form, whatever it calls itself.
    const auto form = riff.ChunkAt(0, length);
    if (!form || form->size < 4)
        return false;
    const uint64_t formEnd = form->dataStart + form->size;
    const auto info = riff.Find(form->dataStart + 4, formEnd, "LIST", "INFO");
    if (!info)
        return false;
    const uint64_t listStart = info->dataStart + 4;
    const uint64_t listEnd = info->dataStart + info->size;
    auto text = [&](const char* id) -> std::optional<std::string> {
        const auto c = riff.Find(listStart, listEnd, id);
        return c ? riff.Text(*c) : std::nullopt;
    };
    const auto artist = text("IART");
    if (!artist || *artist != kModelText)
        return false;
    const auto name = text("INAM");
    fw::COleDateTime when;
    if (!name || !ParseRecordTime(*name, when))
        return false;
    const auto comment = text("ICMT");
    uint32_t sample = 0;
    double seconds = 0.0;
    if (!comment || !ParseStart(*comment, sample, seconds))
        return false;
    if (recordTime)
        *recordTime = when;
    if (sampleNumber)
        *sampleNumber = sample;
    if (interval)
        *interval = seconds;
    return true;
}

void FindVoiceFiles(const fw::CString& folder, const fw::CString& subFolder, std::vector<CVoiceFileTriger>& records)
{
    std::filesystem::path dir(folder.str());
    if (!subFolder.IsEmpty())
        dir /= subFolder.str();
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (EndsWithWav(it->path().filename().string()) && it->is_regular_file(ec))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        if (records.size() >= kMaxVoiceRecords)
            return;
        CVoiceFileTriger record;
        uint32_t sample = 0;
        double interval = 0.0;
        if (!ReadVoiceFileInfo(fw::CString(file.string()), &record.m_recordTime, &sample, &interval))
            continue;
        const std::string title = file.stem().string();
        record.m_name = subFolder.IsEmpty() ? fw::CString(title) : fw::CString(subFolder.str() + "\\" + title);
        record.m_startTime = double(sample) * interval;
        records.push_back(std::move(record));
    }
}

fw::CString VoiceFileName(const fw::CString& path)
{
    const std::string text = path.str();
    const size_t cut = text.find_last_of("/\\");
    return fw::CString(cut == std::string::npos ? text : text.substr(cut + 1));
}

fw::CString VoiceCopyTitle(int unit, const fw::CString& path)
{
    return fw::CString("B" + std::to_string(unit) + VoiceFileName(path).str());
}
