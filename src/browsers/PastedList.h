#pragma once

#include "order/Order.h"

#include <optional>
#include <string>
#include <vector>

class CGameDatabase;

// A list of items pasted into the order window or given to moxa-cli: one item a line, as a
// player types it ("3 x Ruddite Longblade", "Ruddite Longblade", "Tier II Longblade") or
// as the order and reports windows copy it ("10 x Palecopper Dirk (Keen Edge I),").

enum class EPastedLine
{
    Empty,     // blank, or only punctuation
    Item,      // becomes an order item
    Component, // a component line of the reports window's text ("0/12 Blackpine Plank")
    Unmatched, // names nothing the database makes
};

struct CPastedLine
{
    std::string text; // the line as pasted, without its line end
    EPastedLine kind = EPastedLine::Empty;
    COrderItem item;  // for Item: group empty, id 0
    // Techniques named in parentheses that were not found or that the tier cannot take.
    std::vector<std::string> droppedTechniques;
    // The count asked for more than COrder::MaxBatches batches; the item has that many.
    bool clamped = false;
};

// Reads every line. A leading number ("3 x", "3x" or "3") counts the items made: the
// batches are that number divided by what one batch makes, rounded up. "Tier II" before a
// name takes that tier of the formula. A name is a product (a tier's name) or a formula
// (its first tier), matched exactly first, then ignoring case.
// The reports window's clipboard text (its lines but the last end with ", " before the
// line break) counts batches instead ("4 x Name" is 4 batches, as the report shows them),
// and its component lines ("12 Iron Bar", "0/12 Iron Bar", "12 ---->Iron Ore") add nothing.
std::vector<CPastedLine> ParsePastedList(const CGameDatabase& db, const std::string& text);

// Why a text cannot be read as a list at all (UTF-16, NUL bytes); empty when it can.
std::string PastedTextProblem(const std::string& text);

struct CPasteResult
{
    std::vector<int> added; // ids of the new items
    std::vector<std::string> unmatched;
    std::vector<std::string> droppedTechniques; // "line: technique"
    std::vector<std::string> clamped;           // lines given COrder::MaxBatches batches
    int componentLines = 0;
    std::string refused; // the text is no list (PastedTextProblem): nothing was added
};

// Adds the items of the list to the group (created when missing) and marks the order
// modified when anything was added.
CPasteResult AddPastedList(COrder& order, const CGameDatabase& db, const std::string& text,
                           const std::string& group);

// The one message about what was not added; empty when everything was.
std::string PasteMessage(const CPasteResult& result);

// An order item carried by a drag from the formula browser: formula, category, tier, name,
// batches and techniques, one field a line. Nothing when the text is not such an item.
std::string DragItemText(const COrderItem& item);
std::optional<COrderItem> ItemFromDragText(const std::string& text);
