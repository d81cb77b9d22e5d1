// The order reader over the test database; what it read is written and read back, and the
// report over it is generated and copied as text.
#include "FuzzSupport.h"
#include "database/GameDatabase.h"
#include "order/ClipboardText.h"
#include "order/Order.h"
#include "order/Report.h"
#include "order/HtmlExport.h"
#include "order/Requirements.h"

namespace
{
const CGameDatabase& Database()
{
    static CGameDatabase* db = [] {
        auto* d = new CGameDatabase;
        d->ReadCategories(Fuzz::BaseData("Config/Categories.xml"));
        for (const char* file : {"Config/Crafts/bars.xml", "Config/Crafts/Armorer/helms.xml",
                                 "Config/Crafts/Armorer/more helms.xml"})
            if (auto set = d->ReadFormulaSetFile(Fuzz::BaseData(file)))
                d->AddFormulaSet(std::move(set));
        for (const char* file : {"Config/Techs/fire.xml", "Config/Techs/fire2.xml"})
            if (auto set = d->ReadTechniqueSetFile(Fuzz::BaseData(file)))
                d->AddTechniqueSet(std::move(set));
        d->ReadComponents(Fuzz::BaseData("Config/Components/Components.xml"));
        d->BuildCategoryLists();
        return d;
    }();
    return *db;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CGameDatabase& db = Database();
    const std::filesystem::path path = Fuzz::ScratchFile("order.xml", Fuzz::Bytes(data, size));
    COrder order;
    if (!order.Read(path, db))
    {
        Fuzz::Check(order.items.empty(), "a failed read leaves the order empty");
        return 0;
    }
    for (EReportContent content : {ReportOrderAndComponents, ReportComponentsOnly, ReportBonuses})
    {
        CReportRequest request;
        request.db = &db;
        request.order = &order;
        request.content = content;
        request.breakdown = content == ReportComponentsOnly ? BreakdownBaseResources : BreakdownSubcomponents;
        request.bonuses = BonusesIncludeIndirect;
        for (const auto& item : order.items)
            request.selection.items.insert(item->id);
        CReport report = GenerateReport(request);
        FillAcquired(report, order);
        CopyReportText(report);
        HtmlReportText(report);
    }

    // Written and read back, the order writes the same bytes again.
    const std::filesystem::path first = Fuzz::ScratchFolder() / "first.xml";
    const std::filesystem::path second = Fuzz::ScratchFolder() / "second.xml";
    if (order.Write(first, db))
    {
        COrder again;
        Fuzz::Check(again.Read(first, db), "a written order reads back");
        Fuzz::Check(again.ItemCount() == order.ItemCount(), "every item reads back");
        Fuzz::Check(again.Write(second, db), "the order read back is written again");
        std::string a, b;
        {
            std::ifstream in(first, std::ios::binary);
            a.assign(std::istreambuf_iterator<char>(in), {});
        }
        {
            std::ifstream in(second, std::ios::binary);
            b.assign(std::istreambuf_iterator<char>(in), {});
        }
        // The format has no escaping: a name holding "<", ">" or a quote cannot come back
        // the same, by design; everything else must.
        bool plain = true;
        for (const auto& item : order.items)
        {
            for (const std::string* text : {&item->itemName, &item->group, &item->formula, &item->tierName})
                plain = plain && text->find_first_of("<>\"") == std::string::npos;
            for (const COrderTechnique& technique : item->techniques)
                plain = plain && (technique.name + technique.tierName).find_first_of("<>\"") == std::string::npos;
        }
        for (const std::string& group : order.groups)
            plain = plain && group.find_first_of("<>\"") == std::string::npos;
        for (const auto& [name, quantity] : order.acquired)
            plain = plain && (name + quantity).find_first_of("<>\"") == std::string::npos;
        Fuzz::Check(!plain || a == b, "the same order gives the same file");
    }
    return 0;
}
