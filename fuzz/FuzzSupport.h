#pragma once

#include "base/Prompter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

// Shared pieces of the fuzz harnesses. Readers take paths, so the input is written to a
// scratch file first; each process has its own scratch folder, removed at exit.
namespace Fuzz
{
inline const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "moxa-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        static std::filesystem::path removeAtExit;
        removeAtExit = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removeAtExit, ec);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size)
{
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::abort();
}

// Writes the input to a file of the given name in the scratch folder.
inline std::filesystem::path ScratchFile(std::string_view name, std::string_view bytes)
{
    const std::filesystem::path path = ScratchFolder() / name;
    WriteBytes(path, bytes);
    return path;
}

// Splits an input in two at the first separator line; the second part is empty when
// there is none.
inline std::pair<std::string_view, std::string_view> SplitInput(std::string_view input,
                                                                 std::string_view separator = "\n--moxa-fuzz-split--\n")
{
    const std::size_t at = input.find(separator);
    if (at == std::string_view::npos)
        return {input, {}};
    return {input.substr(0, at), input.substr(at + separator.size())};
}

// A harness's own invariant broke: report it like a sanitizer would.
[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "moxa-fuzz invariant failed: %s\n", what);
    std::abort();
}

inline void Check(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

// The small database of the tests, the base the overlays and the order reader work on.
inline std::filesystem::path BaseData(std::string_view relative = {})
{
    return std::filesystem::path(MOXA_FUZZ_BASE_DATA) / relative;
}

class CCountingPrompter : public IPrompter
{
public:
    bool AskYesNo(const std::string&) override
    {
        ++questions;
        return answer;
    }
    void Warn(const std::string&) override { ++warnings; }
    bool answer = false;
    int questions = 0;
    int warnings = 0;
};
} // namespace Fuzz
