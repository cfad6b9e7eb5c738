#include "framework/core/Cp932.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <stdexcept>

namespace fw::cp932 {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// One conversion descriptor per thread and direction: iconv_t keeps shift
// state and must not be shared between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as far as possible; returns errno of the stop (0 when done).
    // `in` and `out` advance.
    int Run(std::string_view& in, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buf[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            const size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            const int err = r == static_cast<size_t>(-1) ? errno : 0;
            out.append(buf, static_cast<size_t>(dst - buf));
            in.remove_prefix(in.size() - srcLeft);
            if (err == E2BIG)
                continue;
            if (err != 0)
                return err;
        }
        return 0;
    }

private:
    iconv_t m_cd;
};

Converter& Encoder()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

Converter& Decoder()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

void NoteUndecodable()
{
    static std::atomic<bool> logged{false};
    if (!logged.exchange(true))
        std::fprintf(stderr, "cp932: undecodable bytes replaced by U+FFFD\n");
}

} // namespace

size_t Utf8CharLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const unsigned char c = static_cast<unsigned char>(text[0]);
    size_t n = 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) n = 3;
    else if (c >= 0xF0 && c <= 0xF4) n = 4;
    if (n > text.size())
        return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 1;
    }
    return n;
}

std::string ToCp932(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    Converter& enc = Encoder();
    while (enc.Run(utf8, out) != 0) {
        // Unencodable character or broken UTF-8: one '?' per character.
        out += '?';
        utf8.remove_prefix(std::max<size_t>(1, Utf8CharLength(utf8)));
    }
    return out;
}

std::string FromCp932(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    Converter& dec = Decoder();
    while (dec.Run(bytes, out) != 0) {
        NoteUndecodable();
        out += kReplacement;
        bytes.remove_prefix(1);
    }
    return out;
}

size_t ByteLength(std::string_view utf8)
{
    size_t n = 0;
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return ToCp932(utf8).size();
        ++n;
    }
    return n;
}

std::string Truncate(std::string_view utf8, size_t maxBytes)
{
    if (ByteLength(utf8) <= maxBytes)
        return std::string(utf8);
    size_t used = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t len = Utf8CharLength(utf8.substr(pos));
        const size_t cost = len == 1 ? 1 : ToCp932(utf8.substr(pos, len)).size();
        if (used + cost > maxBytes)
            break;
        used += cost;
        pos += len;
    }
    return std::string(utf8.substr(0, pos));
}

bool Fits(std::string_view utf8, size_t maxBytes)
{
    return ByteLength(utf8) <= maxBytes;
}

} // namespace fw::cp932
