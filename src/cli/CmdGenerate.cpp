#include "DatabaseGenerator.h"
#include "cli/Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace
{
// A whole positive number, nothing after it.
bool ParseCount(const std::string& text, std::uint64_t& value)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = parsed;
    return true;
}
} // namespace

int CmdGenerate(CCliContext&, const CommandArgs& args)
{
    CGeneratorOptions options;
    std::uint64_t megabytes = 0;
    std::string folder;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if ((arg == "--size" || arg == "--seed") && i + 1 < args.size())
        {
            std::uint64_t value = 0;
            if (!ParseCount(args[++i], value) || (arg == "--size" && (value == 0 || value > 100000)))
            {
                std::fprintf(stderr, "moxa-cli generate: %s needs a number, not '%s'\n", arg.c_str(),
                             args[i].c_str());
                return 2;
            }
            (arg == "--size" ? megabytes : options.seed) = value;
        }
        else if (folder.empty() && !arg.starts_with("--"))
            folder = arg;
        else
        {
            std::fprintf(stderr, "moxa-cli generate: unexpected '%s'\n", arg.c_str());
            return 2;
        }
    }
    if (megabytes == 0 || folder.empty())
    {
        std::fprintf(stderr, "Usage: moxa-cli generate --size MB [--seed S] DIR\n");
        return 2;
    }
    options.xmlBytes = megabytes << 20;
    CGeneratorResult result;
    std::string error;
    if (!GenerateDatabase(folder, options, result, error))
    {
        std::fprintf(stderr, "moxa-cli generate: %s\n", error.c_str());
        return 1;
    }
    std::printf("%llu bytes of XML in %d files: %d components, %d resource products, %d formulae, "
                "%d techniques\n",
                static_cast<unsigned long long>(result.xmlBytes), result.files, result.components,
                result.resourceProducts, result.formulae, result.techniques);
    return 0;
}
