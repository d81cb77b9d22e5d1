#pragma once

#include "base/Messages.h"
#include "order/Requirements.h"

#include <cstdint>
#include <string>
#include <vector>

class CGameDatabase;
class COrder;
struct COrderItem;
class IPrompter;

// What the order window computes: labels, the batches rule, renaming, the clipboard text
// and the commands that edit the order.

// "%d x %s": the products the item makes (batch quantity x batches) and its name.
std::string ItemLabel(int batchQty, const COrderItem& item);

// The batches edit box read with atoi, between 1 and 100000. The box then shows the value
// in use: "abc" becomes "1", "250000" becomes "100000"; only an empty box is left as it is.
struct CBatchesInput
{
    int value = 1;
    bool replaceText = false; // the box must show the value
};
CBatchesInput ReadBatches(const std::string& text);

// "batches x %d per batch = %d".
// The format may be a translation of BatchesLabelFormat, with the same conversions.
std::string BatchesLabel(int batchQty, int batches, const char* format = Messages::BatchesLabelFormat);

// Applies the batches box to an item; returns the new tree label.
std::string SetBatches(COrder& order, COrderItem& item, int batchQty, const std::string& text);

// Labels typed in place: "<" -> "[", ">" -> "]", "&" -> "and".
std::string CleanLabel(const std::string& text);
// An item's typed label without its leading "N x ".
std::string ItemNameFromLabel(const std::string& label);

// Renames a group in the group list and in every item of it; false when nothing changed
// (also for a blank name: a group always has one).
bool RenameGroup(COrder& order, const std::string& oldName, const std::string& label);
bool RenameItem(COrder& order, int id, const std::string& label);

// The items the tree shows, in tree order: groups in list order (missing groups added at
// the end), the items of each in order-list order; items whose formula is unknown are left out.
std::vector<COrderItem*> TreeOrder(COrder& order, const CGameDatabase& db);
// Adds the groups of shown items that the group list lacks, as the tree does.
void AddMissingGroups(COrder& order, const CGameDatabase& db);

// "Copy To Clipboard": every item the reports cover (ticked, in a ticked group, or all when
// nothing is ticked) as "N x product (techniques)", in tree order.
std::string OrderClipboardText(COrder& order, const CGameDatabase& db, const COrderSelection& ticked);

// "Do you really want to delete the group '...'?"
std::string DeleteGroupQuestion(const std::string& group);
// "Delete...": ticked groups after a question each, ticked items of other groups without.
// True when anything was deleted (the order is then marked modified).
bool DeleteTicked(COrder& order, const CGameDatabase& db, const COrderSelection& ticked, IPrompter& prompter);

// The group an item added from the formula browser joins: the group selected in the order
// window, else the first group, else a new one named "Items" (added to the list). Never a
// nameless group.
std::string GroupForNewItem(COrder& order, const std::string& selectedGroup);

// "Copy": a duplicate of the item, with a new id, after the original. Null when not found.
COrderItem* CopyItem(COrder& order, int id);
