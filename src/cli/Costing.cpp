// The price list and the characters of "plan" and "profit".
#include "cli/Costing.h"

#include "base/DataPaths.h"
#include "cli/Commands.h"
#include "cli/ReportArgs.h"
#include "order/Plan.h"
#include "session/Session.h"

#include <cstdio>

namespace
{
bool ReadPrices(const std::filesystem::path& path, const std::string& shown, CPriceList& prices)
{
    std::vector<CPriceWarning> warnings;
    std::string error;
    if (!ReadPriceList(path, prices, warnings, error))
    {
        std::fprintf(stderr, "moxa-cli: %s\n", error.c_str());
        return false;
    }
    for (const CPriceWarning& warning : warnings)
        std::fprintf(stderr, "moxa-cli: %s:%d: %s\n", shown.c_str(), warning.line,
                     warning.text.c_str());
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
    const std::string list = args.Value("--characters");
    if (list == "all")
    {
        costing.characters = ComparedProfiles(session.Profiles());
        if (costing.characters.empty())
            costing.characters.push_back(nullptr);
    }
    else if (args.Has("--characters"))
        for (std::size_t start = 0; start <= list.size();)
        {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            const std::string label = list.substr(start, comma - start);
            const CProfile* profile = FindProfileArg(session, label);
            if (!profile)
            {
                status = UsageError(command + ": no profile '" + label + "'");
                return false;
            }
            costing.characters.push_back(profile);
            start = comma + 1;
        }
    // The player's own list unless another or none is named.
    const std::filesystem::path playerList =
        DataPaths::Join(session.DataFolder(), DataPaths::Prices);
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
        std::fprintf(stderr,
                     "moxa-cli: %s: without prices the characters cannot be told apart; the first "
                     "crafts every step\n",
                     command.c_str());
    return true;
}
