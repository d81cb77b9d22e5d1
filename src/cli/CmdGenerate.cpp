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

int CmdGenerate(CCliContext&, const CParsedArgs& parsed)
{
    CGeneratorOptions options;
    std::uint64_t megabytes = 0;
    const std::string folder = parsed.Operands().front();
    if (!parsed.Has("--size"))
        return UsageError("generate needs --size MB (see moxa-cli generate --help)");
    for (const char* name : {"--size", "--seed"})
    {
        if (!parsed.Has(name))
            continue;
        const std::string text = parsed.Value(name);
        std::uint64_t value = 0;
        if (!ParseCount(text, value) || (name == std::string("--size") && (value == 0 || value > 100000)))
            return UsageError("generate: " + std::string(name) + " needs a number, not '" + text + "'");
        (name == std::string("--size") ? megabytes : options.seed) = value;
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
} // namespace

const CCommandSpec GenerateCommand = {
    .name = "generate",
    .operands = "DIR",
    .summary = "Write a synthetic data folder of about MB megabytes of XML into DIR.",
    .details = "The same seed gives the same bytes; used by the benchmarks.",
    .options = {{"--size", "MB", "megabytes of XML, 1 to 100000 (required)"},
                {"--seed", "S", "the generator's seed (default 0)"}},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  written\n  1  the folder could not be written\n  2  bad usage",
    .needsDataFolder = false,
    .run = CmdGenerate,
};
