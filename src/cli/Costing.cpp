// The price list and the characters of "plan" and "profit".
#include "cli/Costing.h"

#include "cli/Commands.h"
#include "cli/ReportArgs.h"
#include "order/PlayerPrices.h"
#include "session/Session.h"

#include <cstdio>

namespace
{
bool ReadPrices(const std::filesystem::path& path, const std::string& shown, CPriceList& prices)
{
    std::vector<std::string> warnings;
    std::string error;
    if (!ReadPriceListFile(path, shown, prices, warnings, error))
    {
        std::fprintf(stderr, "moxa-cli: %s\n", error.c_str());
        return false;
    }
    for (const std::string& warning : warnings)
        std::fprintf(stderr, "moxa-cli: %s\n", warning.c_str());
    return true;
}
} // namespace

bool LoadCosting(CSession& session, const std::string& command, const CParsedArgs& args,
                 const CReportArgs& parsed, CPriceList& prices, CPlanCosting& costing, int& status)
{
    const std::string file = args.Value("--prices");
    if (args.Has("--prices") && args.Has("--no-prices"))
    {
        status = UsageError(command + ": --prices and --no-prices cannot go together");
        return false;
    }
    if (file == "-" && parsed.orderFile == "-")
    {
        status = UsageError(command +
                            ": the order and the price list cannot both come from standard input");
        return false;
    }
    costing.characters.clear();
    std::string unknown;
    if (args.Has("--characters") &&
        !CharactersOf(session.Profiles(), args.Value("--characters"), costing.characters, unknown))
    {
        status = UsageError(command + ": no profile '" + unknown + "'");
        return false;
    }
    // The player's own list unless another or none is named.
    const std::filesystem::path playerList = PlayerPriceListPath(session.DataFolder());
    std::error_code ec;
    const bool useFile = args.Has("--prices");
    const bool usePlayers =
        !useFile && !args.Has("--no-prices") && std::filesystem::exists(playerList, ec);
    costing.prices = nullptr;
    if (useFile || usePlayers)
    {
        const std::filesystem::path path = usePlayers    ? playerList
                                           : file == "-" ? std::filesystem::path("/dev/stdin")
                                                         : std::filesystem::path(file);
        if (!ReadPrices(path,
                        usePlayers    ? playerList.string()
                        : file == "-" ? "<stdin>"
                                      : file,
                        prices))
        {
            status = 1;
            return false;
        }
        costing.prices = &prices;
    }
    if (costing.characters.size() > 1 && !costing.prices)
        std::fprintf(stderr, "moxa-cli: %s: %s\n", command.c_str(),
                     std::string(CharactersWithoutPrices).c_str());
    return true;
}
