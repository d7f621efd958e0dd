#pragma once
// Shared by the fuzz targets: a private working folder, a reader for the input bytes, texts of
// every kind for the fields an operator can type into, and checks that abort with a reason.

#include "records/textcodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace zorbon::fuzz {

// A broken rule is a finding: print it and abort, which libFuzzer saves as a crash input.
[[noreturn]] inline void fail(const char* what, const std::string& detail, int line)
{
    std::fprintf(stderr, "\n*** broken at fuzz line %d: %s\n*** %s\n", line, what, detail.c_str());
    std::abort();
}

#define FUZZ_CHECK(cond, detail)                                                                                       \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::zorbon::fuzz::fail(#cond, (detail), __LINE__);                                                           \
    } while (0)

// The fuzzer's own folder, on the memory file system where there is one so that the many flushed
// writes cost nothing. Each input runs inside it (InWorkDir) while libFuzzer itself stays in the
// caller's folder, where it reads the corpus and starts itself again for merging. Findings are
// saved under the caller's folder too: a relative -artifact_prefix is made absolute first.
struct WorkDir {
    std::filesystem::path home;
    std::filesystem::path dir;
};

inline WorkDir& workDir()
{
    static WorkDir w;
    return w;
}

inline void prepareWorkDir(int* argc, char*** argv)
{
    namespace fs = std::filesystem;
    static std::vector<std::string> args;
    static std::vector<char*> pointers;
    WorkDir& w = workDir();
    w.home = fs::current_path();
    bool prefix = false;
    for (int i = 0; i < *argc; ++i) {
        std::string a = (*argv)[i];
        for (const std::string f : {"-artifact_prefix=", "-exact_artifact_path="}) {
            if (a.rfind(f, 0) == 0) {
                const std::string value = a.substr(f.size());
                if (!value.empty() && value[0] != '/')
                    a = f + (w.home / value).string();
                prefix = prefix || f == "-artifact_prefix=";
            }
        }
        args.push_back(a);
    }
    if (!prefix)
        args.push_back("-artifact_prefix=" + w.home.string() + "/");
    for (auto& a : args)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(args.size());
    *argv = pointers.data();

    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string tmpl = (base / "zorbon-fuzz-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        std::abort();
    w.dir = tmpl;
    std::atexit([] {
        std::error_code e;
        fs::remove_all(workDir().dir, e);
    });
}

// Runs the enclosing scope inside the fuzzer's folder.
class InWorkDir {
public:
    InWorkDir() { std::filesystem::current_path(workDir().dir); }
    ~InWorkDir() { std::filesystem::current_path(workDir().home); }
    InWorkDir(const InWorkDir&) = delete;
    InWorkDir& operator=(const InWorkDir&) = delete;
};

// The input read front to back; once it is used up every read yields zero.
class Stream {
public:
    Stream(const std::uint8_t* data, std::size_t size)
        : m_p(data)
        , m_end(data + size)
    {
    }
    bool empty() const { return m_p == m_end; }
    std::size_t left() const { return static_cast<std::size_t>(m_end - m_p); }
    std::uint8_t u8() { return m_p == m_end ? 0 : *m_p++; }
    std::uint32_t u32()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(u8()) << (8 * i);
        return v;
    }
    // Up to max raw bytes, the count taken from the input.
    std::string bytes(std::size_t max)
    {
        std::size_t n = u8();
        if (n > max)
            n = max;
        if (n > left())
            n = left();
        std::string s(reinterpret_cast<const char*>(m_p), n);
        m_p += n;
        return s;
    }

private:
    const std::uint8_t* m_p;
    const std::uint8_t* m_end;
};

// Valid UTF-8 as the windows hand it over: Windows-1250 characters, controls, and now and then a
// character the code page cannot hold (from a three-byte code in the input).
inline std::string utf8Text(Stream& in, std::size_t max)
{
    const std::string raw = in.bytes(max);
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto b = static_cast<unsigned char>(raw[i]);
        if (b == 0xFF && i + 2 < raw.size()) {
            std::uint32_t cp = (static_cast<unsigned char>(raw[i + 1]) << 8) | static_cast<unsigned char>(raw[i + 2]);
            i += 2;
            if (cp >= 0xD800 && cp <= 0xDFFF)
                cp = 0x1F3AF; // no surrogates in UTF-8: a character outside the basic plane instead
            if (cp < 0x80) {
                out += static_cast<char>(cp);
            } else if (cp < 0x800) {
                out += static_cast<char>(0xC0 | (cp >> 6));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            } else if (cp < 0x10000) {
                out += static_cast<char>(0xE0 | (cp >> 12));
                out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                out += static_cast<char>(0xF0 | (cp >> 18));
                out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            }
            continue;
        }
        out += fromCp1250(std::string_view(raw).substr(i, 1));
    }
    return out;
}

// What an operator can leave in a score field: digits mostly, but also nothing, spaces, signs,
// numbers past 32 bits, long runs of zeros and stray bytes.
inline std::string scoreText(Stream& in)
{
    const std::uint8_t kind = in.u8();
    switch (kind % 10) {
    case 0:
        return "";
    case 1:
        return std::string(1 + kind / 10 % 4, ' ');
    case 2:
        return std::string(static_cast<std::size_t>(1 + kind) * 4, '0');
    case 3:
        return std::to_string(in.u32()) + std::to_string(in.u32()); // often past 32 bits
    case 4:
        return (kind & 0x10 ? "-" : "+") + std::to_string(in.u8());
    case 5:
        return in.bytes(12);
    case 6:
        return " " + std::to_string(in.u8() % 8);
    default:
        return std::to_string(in.u8() % 6);
    }
}

} // namespace zorbon::fuzz
