#include "order/Order.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "database/GameDatabase.h"
#include "order/Requirements.h"
#include "base/TextFile.h"
#include "xml/XmlDocument.h"
#include "xml/XmlText.h"

#include <algorithm>
#include <set>
#include <unordered_set>

void COrder::AddGroup(const std::string& name)
{
    if (!HasGroup(name))
        groups.push_back(name);
}

bool COrder::HasGroup(const std::string& name) const
{
    return std::find(groups.begin(), groups.end(), name) != groups.end();
}

COrderItem& COrder::AddItem(std::unique_ptr<COrderItem> item)
{
    item->id = NextItemId();
    items.push_back(std::move(item));
    return *items.back();
}

COrderItem* COrder::FindItem(int id) const
{
    for (const auto& item : items)
        if (item->id == id)
            return item.get();
    return nullptr;
}

bool COrder::RemoveItem(int id)
{
    const auto it = std::find_if(items.begin(), items.end(), [id](const auto& item) { return item->id == id; });
    if (it == items.end())
        return false;
    items.erase(it);
    return true;
}

void COrder::Clear()
{
    items.clear();
    groups.clear();
    acquired.clear();
}

bool COrder::NewOrder(IPrompter& prompter)
{
    if (items.empty())
    {
        // Nothing to lose: the acquired table and the file name stay.
        groups.clear();
        return true;
    }
    if (!prompter.AskYesNo(std::string(Messages::ClearOrderQuestion)))
        return false;
    Clear();
    filePath = UntitledPath;
    modified = false;
    return true;
}

namespace
{
// Every resource name a tier needs, through the "Resources" sub-formulae; each producible
// name is expanded once, so a cycle ends. Without recursion: chains of formulae may be long.
void CollectNeeded(const CGameDatabase& db, const CFormulaTier& top, std::set<std::string>& needed,
                   std::set<std::string>& expanded)
{
    std::vector<const CFormulaTier*> pending{&top};
    while (!pending.empty())
    {
        const CFormulaTier& tier = *pending.back();
        pending.pop_back();
        for (const CResource& resource : tier.resources)
        {
            needed.insert(resource.name);
            if (!expanded.insert(resource.name).second)
                continue;
            if (const auto producer = db.FindProducingTier(resource.name))
                pending.push_back(producer.tier);
        }
    }
}
} // namespace

void COrder::PruneAcquired(const CGameDatabase& db)
{
    std::set<std::string> needed;
    std::set<std::string> expanded;
    for (const auto& item : items)
    {
        if (const CFormula* formula = db.FindFormula(item->category, item->formula))
            if (const CFormulaTier* tier = ItemFormulaTier(*formula, item->tierName))
                CollectNeeded(db, *tier, needed, expanded);
        for (const COrderTechnique& technique : item->techniques)
            if (const CTechnique* found = db.FindTechnique(technique.category, technique.name))
                if (const CTechniqueTier* tier = ItemTechniqueTier(*found, technique.tierName))
                    for (const CResource& component : tier->components)
                        needed.insert(component.name);
    }
    for (auto it = acquired.begin(); it != acquired.end();)
    {
        if (it->second == "0" || !needed.count(it->first))
            it = acquired.erase(it);
        else
            ++it;
    }
}

std::map<std::string, std::string> COrder::PrunedAcquired(const CGameDatabase& db) const
{
    COrder pruned;
    for (const auto& item : items)
        pruned.items.push_back(std::make_unique<COrderItem>(*item));
    pruned.acquired = acquired;
    pruned.PruneAcquired(db);
    return std::move(pruned.acquired);
}

std::string COrder::Text(const std::map<std::string, std::string>& keptAcquired) const
{
    CXmlDocument doc;
    doc.OpenForText();
    doc.BeginElement("order");
    doc.WriteElement("order-format", "1.0");
    doc.BeginElement("groups");
    for (const std::string& group : groups)
        doc.WriteElement("group", XmlTextOut(group));
    doc.EndElement("groups");
    for (const auto& item : items)
    {
        doc.BeginElement("item");
        doc.WriteElement("item-name", XmlTextOut(item->itemName));
        doc.WriteElement("item-group", XmlTextOut(item->group));
        doc.WriteElement("item-formula", XmlTextOut(item->formula));
        doc.WriteElement("item-tierlvlname", XmlTextOut(item->tierName));
        doc.WriteElement("item-qty", item->batches);
        doc.BeginElement("techs");
        for (const COrderTechnique& technique : item->techniques)
            doc.WriteElementWithAttributes("tech", "tier=\"" + XmlAttributeOut(technique.tierName) + "\"",
                                           XmlTextOut(technique.name));
        doc.EndElement("techs");
        doc.EndElement("item");
    }
    doc.BeginElement("components");
    for (const auto& [name, quantity] : keptAcquired)
        doc.WriteElementWithAttributes("component", "qty=\"" + XmlAttributeOut(quantity) + "\"", XmlTextOut(name));
    doc.EndElement("components");
    doc.EndElement("order");
    return doc.TakeText();
}

std::string COrder::FileText(const CGameDatabase& db) const
{
    return Text(PrunedAcquired(db));
}

namespace
{
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    const std::filesystem::path realA = std::filesystem::weakly_canonical(a, ec);
    if (ec)
        return a == b;
    const std::filesystem::path realB = std::filesystem::weakly_canonical(b, ec);
    return !ec && realA == realB;
}
} // namespace

EOrderSave COrder::Save(const std::filesystem::path& path, const CGameDatabase& db, bool overwriteChanges)
{
    // Pruned apart: a save that fails must leave the order exactly as it was.
    std::map<std::string, std::string> kept = PrunedAcquired(db);
    const bool check = !overwriteChanges && m_diskStamp && SameFile(path, m_diskFile);
    CAtomicFile file;
    if (!file.Open(path, check ? m_diskStamp : std::nullopt) || !file.Write(Text(kept)) || !file.Commit())
    {
        m_saveFailure = file.Error();
        return file.ChangedOnDisk() ? EOrderSave::ChangedOnDisk : EOrderSave::Failed;
    }
    m_saveFailure.clear();
    m_diskFile = path;
    m_diskStamp = file.Saved();
    acquired = std::move(kept);
    if (!damagedFile.empty() && SameFile(path, damagedFile))
        damagedFile.clear();
    filePath = path.string();
    modified = false;
    return EOrderSave::Saved;
}

bool COrder::Read(const std::filesystem::path& path, const CGameDatabase& db)
{
    return ReadFile(path, db).HasItems();
}

COrderRead COrder::ReadFile(const std::filesystem::path& path, const CGameDatabase& db)
{
    Clear();
    // Taken before reading: a change in between then refuses a save rather than hiding.
    const std::optional<CFileStamp> stamp = CFileStamp::Of(path);
    std::string text;
    const CTextFileResult file = ReadTextFile(path, MaxDocumentBytes, text, CXmlDocument::TextPadding);
    switch (file.status)
    {
    case ETextFile::Read: break;
    case ETextFile::Missing: return {EOrderRead::Missing, file};
    case ETextFile::Folder: return {EOrderRead::Folder, file};
    case ETextFile::TooLarge: return {EOrderRead::TooLarge, file};
    case ETextFile::Unreadable: return {EOrderRead::Unreadable, file};
    }
    CXmlDocument doc;
    doc.LoadFromText(std::move(text));
    CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement order("order");
    if (!order.FindNext(doc, root))
        return {EOrderRead::Unsupported, {}};
    std::string format = "0.0";
    order.GetText(doc, "order-format", format, false);
    if (format != "1.0")
        return {EOrderRead::Unsupported, {}};

    CXmlElement groupList("groups");
    if (groupList.FindNext(doc, order))
    {
        // Looked up in a set: an order may hold very many groups.
        std::unordered_set<std::string> seen(groups.begin(), groups.end());
        std::string name;
        while (groupList.NextText(doc, "group", name, true))
            if (std::string group = XmlTextIn(name); seen.insert(group).second)
                groups.push_back(std::move(group));
    }

    CXmlElement itemCursor("item");
    CXmlElement techs("techs");
    std::string value;
    while (itemCursor.FindNext(doc, order))
    {
        auto item = std::make_unique<COrderItem>();
        const auto readText = [&](std::string_view child, std::string& field)
        {
            itemCursor.GetText(doc, child, value, true);
            field = XmlTextIn(value);
        };
        readText("item-name", item->itemName);
        readText("item-group", item->group);
        readText("item-formula", item->formula);
        readText("item-tierlvlname", item->tierName);
        int batches = 0;
        itemCursor.GetInt(doc, "item-qty", batches, true);
        // A count outside the range would give zero or negative requirements.
        item->batches = std::clamp(batches, MinBatches, MaxBatches);
        if (techs.FindNext(doc, itemCursor))
        {
            std::string tier;
            std::string name;
            while (techs.NextTextAndAttribute(doc, "tech", tier, name, true))
                item->techniques.push_back({"All", XmlTextIn(name), XmlTextIn(tier)});
        }
        const CFormula* formula = db.FindFormula("All", item->formula);
        item->category = formula ? formula->category : "All";
        AddItem(std::move(item));
    }

    CXmlElement components("components");
    if (components.FindNext(doc, order))
    {
        std::string quantity;
        std::string name;
        while (components.NextTextAndAttribute(doc, "component", quantity, name, true))
            acquired[XmlTextIn(name)] = XmlTextIn(quantity);
    }
    filePath = path.string();
    modified = false;
    // A file cut short (a full disk, a copy stopped half way) reads as far as it goes; the
    // rest of the order is not there to be saved back.
    m_diskFile = path;
    m_diskStamp = stamp;
    damagedFile.clear();
    if (doc.FirstLineWithTag("/order", order.Position() + 1) < 0)
    {
        damagedFile = path;
        return {EOrderRead::Damaged, {}};
    }
    return {EOrderRead::Read, {}};
}

std::string OrderReadMessage(const COrderRead& read, const std::filesystem::path& path)
{
    switch (read.status)
    {
    case EOrderRead::Read: return {};
    case EOrderRead::Unsupported: return std::string(Messages::OrderVersionUnsupported);
    case EOrderRead::Damaged: return Format(Messages::OrderFileDamaged, path.c_str());
    default: break;
    }
    return Format(Messages::OrderFileProblem, path.c_str(), TextFileProblem(read.file, MaxDocumentBytes).c_str());
}

bool OpenOrder(COrder& order, const std::filesystem::path& path, const CGameDatabase& db, IPrompter& prompter)
{
    const COrderRead read = order.ReadFile(path, db);
    if (const std::string message = OrderReadMessage(read, path); !message.empty())
        prompter.Warn(message);
    return read.HasItems();
}

bool MaySaveOrderOver(const COrder& order, const std::filesystem::path& path, IPrompter& prompter)
{
    std::error_code error;
    if (order.damagedFile.empty() || !std::filesystem::equivalent(path, order.damagedFile, error))
        return true;
    return prompter.AskYesNo(Format(Messages::OrderDamagedSaveQuestion, order.damagedFile.c_str()));
}

long long AcquiredCount(const COrder& order, const std::string& component)
{
    const auto it = order.acquired.find(component);
    return it == order.acquired.end() ? 0 : Atoi64(it->second);
}
