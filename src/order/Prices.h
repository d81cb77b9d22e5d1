#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CGameDatabase;
class COrder;

// The player's prices: coins per unit of a name, kept as a count of hundredths of a coin.
// Names are the database's bytes (ISO-8859-1), matched exactly.
struct CPriceList
{
    std::map<std::string, std::int64_t> prices;

    // The price in hundredths, or null when the name has none.
    const std::int64_t* Find(const std::string& name) const
    {
        const auto it = prices.find(name);
        return it == prices.end() ? nullptr : &it->second;
    }
};

// A record the reader skipped or overrode, with the line it starts on (1 for the first).
struct CPriceWarning
{
    int line = 0;
    std::string text;
};

// A price list from CSV bytes (RFC 4180 quoting, "\n" or "\r\n" line ends): records
// "name,price", an optional first record "name,price" as header. A UTF-8 byte-order mark is
// dropped; when the rest is valid UTF-8, each name is converted to ISO-8859-1 where it can
// be (else it keeps its UTF-8 bytes); otherwise the bytes are taken as they are. A record
// that does not read is skipped with a warning; a name given again takes the later price,
// with a warning.
CPriceList ParsePriceList(std::string_view bytes, std::vector<CPriceWarning>& warnings);

// Reads a price list file; false with error set when it cannot be read or is larger than
// MaxPriceListBytes.
inline constexpr std::uintmax_t MaxPriceListBytes = 64u << 20;
bool ReadPriceList(const std::filesystem::path& path, CPriceList& list,
                   std::vector<CPriceWarning>& warnings, std::string& error);

// The bytes a save writes: "name,price" then one record per name in byte-wise order, prices
// with two decimals, "\n" line ends, UTF-8. A name that is valid UTF-8 beyond ISO-8859-1
// (one the reader kept as it was) is written as it is, so every name reads back the same.
std::string PriceListCsv(const CPriceList& list);
// Saves atomically; false (the file untouched) when it cannot be written.
bool SavePriceList(const CPriceList& list, const std::filesystem::path& path);

// "12", "12.3" or "12.34" (no blanks, no sign) in hundredths; nothing for any other text
// or a price beyond the 64-bit range.
std::optional<std::int64_t> ParsePrice(std::string_view text);

// A fixed-point amount with its decimals: FixedText(123456, 4) is "12.3456",
// FixedText(-50, 4) "-0.0050".
std::string FixedText(std::int64_t amount, int decimals);
// Prices and costs in hundredths ("3.50"); unit costs in ten-thousandths ("12.3456").
inline std::string CoinsText(std::int64_t hundredths)
{
    return FixedText(hundredths, 2);
}
inline std::string UnitCostText(std::int64_t tenThousandths)
{
    return FixedText(tenThousandths, 4);
}

// What the Prices window lists: one row per name that may take a price, each name once, in
// byte-wise order.
struct CPriceRow
{
    enum ESource : unsigned
    {
        Component = 1,   // in the component database
        Produced = 2,    // made by a "Resources" formula tier
        FormulaTier = 4, // the name of a formula tier
        OrderItem = 8,   // the name of an item of the order
        Listed = 16      // only in the price list
    };
    std::string name;
    unsigned sources = 0;
    std::optional<std::int64_t> price; // hundredths
};
std::vector<CPriceRow> PriceRows(const CGameDatabase& db, const COrder* order,
                                 const CPriceList& list);
// The search as you type: every word of text (ignoring case) is found in the name.
bool PriceRowMatches(const CPriceRow& row, std::string_view text);
// An edited price cell: empty removes the price. False (list unchanged) when the text is
// not a price.
bool SetPriceText(CPriceList& list, const std::string& name, std::string_view text);
