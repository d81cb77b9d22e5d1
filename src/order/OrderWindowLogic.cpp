#include "order/OrderWindowLogic.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/Units.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

std::string ItemLabel(int batchQty, const COrderItem& item)
{
    const long long made = SaturatingMultiply(batchQty, item.batches);
    return Format(Messages::ItemLabelFormat, made, item.itemName.c_str());
}

CBatchesInput ReadBatches(const std::string& text)
{
    CBatchesInput input;
    // An empty or negative box must not give negative requirements.
    input.value = std::clamp(Atoi(text), COrder::MinBatches, COrder::MaxBatches);
    // The box shows the value in use; an empty box is left to the typing.
    input.replaceText = !text.empty() && text != std::to_string(input.value);
    return input;
}

std::string BatchesLabel(int batchQty, int batches, const char* format)
{
    return Format(format, batchQty, static_cast<long long>(SaturatingMultiply(batchQty, batches)));
}

std::string SetBatches(COrder& order, COrderItem& item, int batchQty, const std::string& text)
{
    item.batches = ReadBatches(text).value;
    order.modified = true;
    return ItemLabel(batchQty, item);
}

std::string CleanLabel(const std::string& text)
{
    std::string out;
    for (const char c : text)
    {
        if (c == '<')
            out += '[';
        else if (c == '>')
            out += ']';
        else if (c == '&')
            out += "and";
        else
            out += c;
    }
    return out;
}

std::string ItemNameFromLabel(const std::string& label)
{
    const std::size_t at = label.find(" x ");
    if (at != std::string::npos && at > 0)
        return CleanLabel(label.substr(at + 3));
    return CleanLabel(label);
}

bool RenameGroup(COrder& order, const std::string& oldName, const std::string& label)
{
    const std::string newName = CleanLabel(label);
    if (newName == oldName || newName.find_first_not_of(' ') == std::string::npos)
        return false;
    const auto it = std::find(order.groups.begin(), order.groups.end(), oldName);
    if (it != order.groups.end())
    {
        // Renaming onto an existing group merges the two: the list keeps no duplicates.
        if (order.HasGroup(newName))
            order.groups.erase(it);
        else
            *it = newName;
    }
    for (auto& item : order.items)
        if (item->group == oldName)
            item->group = newName;
    order.modified = true;
    return true;
}

bool RenameItem(COrder& order, int id, const std::string& label)
{
    COrderItem* item = order.FindItem(id);
    if (!item)
        return false;
    item->itemName = ItemNameFromLabel(label);
    order.modified = true;
    return true;
}

void AddMissingGroups(COrder& order, const CGameDatabase& db)
{
    // Looked up in a set: an order may hold very many groups and items.
    std::unordered_set<std::string> known(order.groups.begin(), order.groups.end());
    for (const auto& item : order.items)
        if (!known.count(item->group) && db.FindFormula(item->category, item->formula))
        {
            known.insert(item->group);
            order.groups.push_back(item->group);
        }
}

std::vector<COrderItem*> TreeOrder(COrder& order, const CGameDatabase& db)
{
    AddMissingGroups(order, db);
    // The items of each group in list order, gathered in one pass.
    std::unordered_map<std::string_view, std::vector<COrderItem*>> byGroup;
    for (const auto& item : order.items)
        if (db.FindFormula(item->category, item->formula))
            byGroup[item->group].push_back(item.get());
    std::vector<COrderItem*> result;
    result.reserve(order.items.size());
    for (const std::string& group : order.groups)
        if (const auto it = byGroup.find(group); it != byGroup.end())
            result.insert(result.end(), it->second.begin(), it->second.end());
    return result;
}

std::string OrderClipboardText(COrder& order, const CGameDatabase& db, const COrderSelection& ticked)
{
    std::vector<std::string> texts;
    const std::vector<const COrderItem*> list = SelectedItems(order, ticked);
    const std::unordered_set<const COrderItem*> selected(list.begin(), list.end());
    for (COrderItem* item : TreeOrder(order, db))
    {
        if (!selected.count(item))
            continue;
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        const CFormulaTier* tier = ItemFormulaTier(*formula, item->tierName);
        const int batchQty = tier ? tier->batchQty : formula->batchQty;
        std::string text = Format("%lld x ", static_cast<long long>(SaturatingMultiply(batchQty, item->batches)));
        text += tier ? tier->name : item->itemName;
        std::vector<std::string> names;
        for (const COrderTechnique& technique : item->techniques)
        {
            const CTechnique* found = db.FindTechnique(technique.category, technique.name);
            const CTechniqueTier* techTier = found ? ItemTechniqueTier(*found, technique.tierName) : nullptr;
            names.push_back(techTier ? techTier->name : technique.name);
        }
        if (!names.empty())
        {
            text += " (";
            for (std::size_t i = 0; i < names.size(); ++i)
                text += (i ? ", " : "") + names[i];
            text += ")";
        }
        texts.push_back(std::move(text));
    }
    std::string result;
    for (std::size_t i = 0; i < texts.size(); ++i)
        result += (i ? ",\r\n" : "") + texts[i];
    return result + "\r\n";
}

std::string DeleteGroupQuestion(const std::string& group)
{
    return std::string(Messages::DeleteGroupQuestion1) + group + std::string(Messages::DeleteGroupQuestion2);
}

bool DeleteTicked(COrder& order, const CGameDatabase& db, const COrderSelection& ticked, IPrompter& prompter)
{
    AddMissingGroups(order, db);
    bool deleted = false;
    const std::vector<std::string> groups = order.groups;
    for (const std::string& group : groups)
    {
        if (ticked.groups.count(group))
        {
            if (!prompter.AskYesNo(DeleteGroupQuestion(group)))
                continue;
            std::erase_if(order.items, [&](const auto& item) { return item->group == group; });
            std::erase(order.groups, group);
            deleted = true;
            continue;
        }
        const auto count = std::erase_if(order.items, [&](const auto& item) {
            return item->group == group && ticked.items.count(item->id) && db.FindFormula(item->category, item->formula);
        });
        deleted = deleted || count > 0;
    }
    if (deleted)
        order.modified = true;
    return deleted;
}

std::string GroupForNewItem(COrder& order, const std::string& selectedGroup)
{
    if (!selectedGroup.empty() && order.HasGroup(selectedGroup))
        return selectedGroup;
    for (const std::string& group : order.groups)
        if (!group.empty())
            return group;
    for (const auto& item : order.items)
        if (!item->group.empty())
        {
            order.AddGroup(item->group);
            return item->group;
        }
    const std::string created(Messages::DefaultGroupName);
    order.AddGroup(created);
    return created;
}

COrderItem* CopyItem(COrder& order, int id)
{
    const auto it = std::find_if(order.items.begin(), order.items.end(), [id](const auto& item) { return item->id == id; });
    if (it == order.items.end())
        return nullptr;
    auto copy = std::make_unique<COrderItem>(**it);
    copy->id = order.NextItemId();
    COrderItem* result = copy.get();
    order.items.insert(it + 1, std::move(copy));
    order.modified = true;
    return result;
}
