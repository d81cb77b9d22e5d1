#include "DatabaseGenerator.h"

#include <cstdio>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// splitmix64: small, fast and the same on every machine.
class CRandom
{
public:
    explicit CRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi].
    int Range(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }
    template <typename T> const T& Pick(const std::vector<T>& list) { return list[Next() % list.size()]; }

private:
    std::uint64_t m_state;
};

const std::vector<std::string_view> Syllables = {"ka", "ro", "mi", "tel", "sha", "vor", "en", "dul",
                                                 "ash", "ith", "gra", "nu", "ly", "bre", "os", "qua"};
const std::vector<std::string> ComponentKinds = {"Ore", "Log", "Herb", "Hide", "Crystal", "Sand", "Fibre", "Stone"};
const std::vector<std::string> ProductKinds = {"Ingot", "Plank", "Thread", "Tincture", "Leather", "Glass", "Essence"};
const std::vector<std::string> ItemKinds = {"Blade", "Helm", "Robe", "Ring", "Flask", "Scroll", "Bow", "Lantern"};
const std::vector<std::string> Qualities = {"Rough", "Plain", "Fine", "Choice", "Superior",
                                            "Masterwork", "Exquisite", "Radiant", "Mythic", "Peerless"};
const std::vector<std::string> Crafts = {"Bladesmith", "Armorwright", "Loomwright", "Woodcarver",
                                         "Glazier", "Apothecary", "Scribe", "Jeweller"};
const std::vector<std::string> Skills = {"Smelting", "Smithing", "Joinery", "Carving", "Weaving",
                                         "Brewing", "Glassblowing", "Inscription", "Jewelcraft"};
const std::vector<std::string> TechCategories = {"Temper", "Infusion", "Spell", "Inlay", "Stitch"};
const std::vector<std::string> TierNames = {"Tier I", "Tier II", "Tier III", "Tier IV", "Tier V",
                                            "Tier VI", "Tier VII", "Tier VIII", "Tier IX", "Tier X"};
const std::vector<std::string> RawKeys = {"Bulk", "HoardValue", "StatBonus", "CastDelay", "Recycle",
                                          "EquipSlot", "SpellDefense", "EffectDuration", "Chance"};

// A distinct word for every number: its base-16 digits as syllables, capitalised.
std::string Word(std::uint64_t n)
{
    std::string w;
    do
    {
        w.insert(0, Syllables[n % Syllables.size()]);
        n /= Syllables.size();
    } while (n > 0);
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
    return w;
}

std::string ComponentName(int i) { return Word(static_cast<std::uint64_t>(i) + 16) + " " + ComponentKinds[i % ComponentKinds.size()]; }

// One file being written: the text in memory, flushed at the end.
class CFile
{
public:
    void Line(int depth, std::string_view text)
    {
        m_text.append(static_cast<std::size_t>(depth), '\t').append(text).push_back('\n');
    }
    void Open(int depth, std::string_view name) { Line(depth, "<" + std::string(name) + ">"); }
    void Close(int depth, std::string_view name) { Line(depth, "</" + std::string(name) + ">"); }
    void Value(int depth, std::string_view name, std::string_view value)
    {
        m_text.append(static_cast<std::size_t>(depth), '\t');
        m_text.append("<").append(name).append(">").append(value).append("</").append(name).append(">\n");
    }
    void Value(int depth, std::string_view name, long long value) { Value(depth, name, std::to_string(value)); }
    void Attr(int depth, std::string_view name, std::string_view attribute, std::string_view attrValue,
              std::string_view value)
    {
        m_text.append(static_cast<std::size_t>(depth), '\t');
        m_text.append("<").append(name).append(" ").append(attribute).append("=\"").append(attrValue);
        m_text.append("\">").append(value).append("</").append(name).append(">\n");
    }
    std::size_t Size() const { return m_text.size(); }
    bool Write(const fs::path& path, std::string& error)
    {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        bool ok = f && std::fwrite(m_text.data(), 1, m_text.size(), f) == m_text.size();
        if (f && std::fclose(f) != 0)
            ok = false;
        if (!ok)
            error = "cannot write " + path.string();
        return ok;
    }

private:
    std::string m_text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";
};

struct CProduct
{
    std::string name;
    int level; // 1: made from components only; n: needs a product of level n - 1
};

class CGenerator
{
public:
    CGenerator(const fs::path& folder, const CGeneratorOptions& options, CGeneratorResult& result)
        : m_folder(folder), m_config(folder / "Config"), m_rng(options.seed), m_target(options.xmlBytes),
          m_result(result)
    {
    }

    bool Run(std::string& error)
    {
        // Shares of the XML: components, resources, crafts, techniques; the rest is small.
        const std::uint64_t componentBytes = m_target / 10;
        m_componentCount = static_cast<int>(std::max<std::uint64_t>(40, componentBytes / 1100));
        return Components(error) && Resources(m_target / 5, error) && CraftFiles(m_target * 55 / 100, error) &&
               Techniques(m_target * 13 / 100, error) && Overlays(error) && Categories(error) &&
               Smaller(error);
    }

private:
    bool Save(CFile& file, const fs::path& path, bool database, std::string& error)
    {
        if (database)
        {
            m_result.xmlBytes += file.Size();
            ++m_result.files;
        }
        return file.Write(path, error);
    }

    // A new formula name: a word of its own and a kind.
    std::string NextName(const std::vector<std::string>& kinds)
    {
        const std::uint64_t n = m_items++;
        return Word(n + 256) + " " + kinds[n % kinds.size()];
    }

    std::string Component() { return ComponentName(m_rng.Range(0, m_componentCount - 1)); }

    bool Components(std::string& error)
    {
        CFile f;
        f.Open(0, "components");
        for (int i = 0; i < m_componentCount; ++i)
        {
            const std::string name = ComponentName(i);
            f.Open(1, "comp");
            f.Value(2, "comp-name", name);
            f.Value(2, "comp-tier", m_rng.Range(1, 10));
            f.Value(2, "comp-desc", "Raw " + name + ", gathered in the wilds of the " + Word(m_rng.Next() % 4096) + " lands.");
            f.Value(2, "comp-type", ComponentKinds[i % ComponentKinds.size()]);
            f.Value(2, "comp-bulk", m_rng.Range(1, 5));
            f.Value(2, "comp-pawnbuy", m_rng.Range(1, 500));
            f.Value(2, "comp-pawnsell", m_rng.Range(1, 250));
            f.Value(2, "comp-vielosell", m_rng.Range(1, 100));
            f.Open(2, "gather-methods");
            for (int g = m_rng.Range(1, 2); g > 0; --g)
            {
                f.Open(3, "gather");
                f.Value(4, "gather-skill", m_rng.Pick(Skills));
                f.Value(4, "gather-tool", Word(m_rng.Next() % 256) + " Pick");
                f.Value(4, "gather-rate", std::to_string(m_rng.Range(1, 3)) + "-" + std::to_string(m_rng.Range(4, 9)) + " per strike");
                const int minSkill = m_rng.Range(0, 60);
                f.Value(4, "min-skill", minSkill);
                f.Value(4, "max-skill", minSkill + m_rng.Range(10, 40));
                if (m_rng.Range(0, 2) > 0)
                {
                    f.Open(4, "bonuses");
                    for (int b = m_rng.Range(1, 2); b > 0; --b)
                    {
                        f.Open(5, "bonus");
                        f.Value(6, "bonus-name", Word(m_rng.Next() % 1024) + " Luck");
                        f.Attr(6, "bonus-amount", "qualifier", b == 1 ? "Night only" : "Rare", "+" + std::to_string(b));
                        f.Close(5, "bonus");
                    }
                    f.Close(4, "bonuses");
                }
                f.Close(3, "gather");
            }
            f.Close(2, "gather-methods");
            f.Open(2, "locs");
            for (int l = m_rng.Range(1, 3); l > 0; --l)
                f.Value(3, "loc-coord", Word(m_rng.Next() % 512) + " Vale (" + std::to_string(m_rng.Range(-900, 900)) + ", " +
                                            std::to_string(m_rng.Range(-900, 900)) + ")");
            f.Close(2, "locs");
            f.Close(1, "comp");
        }
        f.Close(0, "components");
        m_result.components = m_componentCount;
        return Save(f, m_config / "Components" / "Components.xml", true, error);
    }

    void Resource(CFile& f, int depth, const std::string& name, int minSkill)
    {
        f.Open(depth, "resource");
        f.Value(depth + 1, "resource-name", name);
        f.Value(depth + 1, "resource-skill", m_rng.Pick(Skills));
        if (m_rng.Range(0, 3) > 0)
            f.Value(depth + 1, "resource-units", m_rng.Range(1, 4));
        const int qty = m_rng.Range(1, 6);
        f.Attr(depth + 1, "resource-min", "qty", std::to_string(qty * 2), std::to_string(minSkill));
        f.Attr(depth + 1, "resource-opt", "qty", std::to_string(qty), std::to_string(minSkill + m_rng.Range(20, 40)));
        f.Close(depth, "resource");
    }

    // A product of a level below `level` (or a component when there is none yet).
    std::string Input(int level)
    {
        if (level > 1 && !m_byLevel[static_cast<std::size_t>(level - 2)].empty())
            return m_rng.Pick(m_byLevel[static_cast<std::size_t>(level - 2)]);
        return Component();
    }

    // One "item" with its tiers; products of "Resources" items are remembered by level.
    void Item(CFile& f, const std::string& itemName, bool resources, int level)
    {
        f.Open(1, "item");
        f.Value(2, "item-name", itemName);
        f.Value(2, "item-icon", "item_" + ItemKinds[m_rng.Next() % ItemKinds.size()]);
        f.Value(2, "item-batchqty", m_rng.Range(0, 4));
        f.Open(2, "item-attributes");
        for (int a = m_rng.Range(1, 3); a > 0; --a)
        {
            const std::string& key = m_rng.Pick(RawKeys);
            const std::string value = key == "StatBonus" ? "+" + std::to_string(m_rng.Range(1, 9)) + " Strength"
                                                        : std::to_string(m_rng.Range(1, 400));
            f.Attr(3, "item-attribute", "name", key, value);
        }
        f.Close(2, "item-attributes");
        f.Open(2, "item-keywords");
        f.Value(3, "item-keyword", resources ? "material" : "gear");
        f.Value(3, "item-keyword", "techclass_" + std::string(resources ? "material" : "gear"));
        f.Close(2, "item-keywords");
        const int tiers = m_rng.Range(2, 5);
        const int first = m_rng.Range(1, 10 - tiers + 1);
        for (int t = 0; t < tiers; ++t)
        {
            const int lvl = first + t;
            const std::string tierName = Qualities[static_cast<std::size_t>(lvl - 1)] + " " + itemName;
            f.Open(2, "tier");
            f.Value(3, "tier-name", tierName);
            f.Attr(3, "tier-lvl", "name", TierNames[static_cast<std::size_t>(lvl - 1)], std::to_string(lvl));
            if (m_rng.Range(0, 2) == 0)
                f.Value(3, "tier-batchqty", m_rng.Range(1, 5));
            f.Value(3, "tier-desc", "A " + Qualities[static_cast<std::size_t>(lvl - 1)] + " piece, worked by the " +
                                        Word(m_rng.Next() % 2048) + " guild after the old patterns.");
            if (m_rng.Range(0, 3) == 0)
                f.Value(3, "tier-allowedtechniques", m_rng.Range(1, 4));
            f.Open(3, "tier-attributes");
            f.Attr(4, "tier-attribute", "name", "HoardValue", std::to_string(lvl * m_rng.Range(2, 20)));
            if (!resources)
                f.Attr(4, "tier-attribute", "name", "StatBonus", "+" + std::to_string(lvl) + " Focus");
            f.Close(3, "tier-attributes");
            if (m_rng.Range(0, 4) == 0)
            {
                f.Open(3, "tier-keywords");
                f.Value(3, "tier-keyword", "quality" + std::to_string(lvl));
                f.Value(3, "tier-keyword", "tier_" + std::to_string(lvl));
                f.Close(3, "tier-keywords");
            }
            f.Open(3, "resources");
            const int inputs = m_rng.Range(2, 5);
            for (int r = 0; r < inputs; ++r)
            {
                // Craft items draw on every level of products; resources on the level below.
                std::string input;
                if (resources)
                    input = r == 0 ? Input(level) : Component();
                else if (r < 2 && !m_products.empty())
                    input = m_rng.Pick(m_products).name;
                else
                    input = Component();
                Resource(f, 4, input, lvl * 10 - 10);
            }
            f.Close(3, "resources");
            f.Close(2, "tier");
            if (resources)
            {
                m_products.push_back({tierName, level});
                m_byLevel[static_cast<std::size_t>(level - 1)].push_back(tierName);
                ++m_result.resourceProducts;
            }
        }
        f.Close(1, "item");
        ++m_result.formulae;
        m_formulaNames.push_back(itemName);
    }

    void SetHeader(CFile& f, const std::string& name, const std::string& category)
    {
        f.Open(0, "formulaset");
        f.Value(1, "formulaset-name", name);
        f.Open(1, "formulaset-categories");
        f.Value(2, "formulaset-category", category);
        f.Close(1, "formulaset-categories");
    }

    // Resources in four levels, each level a quarter of the share, files of about 256 kB.
    bool Resources(std::uint64_t share, std::string& error)
    {
        std::uint64_t written = 0;
        for (int level = 1; level <= Levels; ++level)
        {
            const std::uint64_t until = share * static_cast<std::uint64_t>(level) / Levels;
            do
            {
                const std::string setName = Word(m_sets + 40) + " Stock";
                CFile f;
                SetHeader(f, setName, "Resources");
                while (f.Size() < FileBytes && written + f.Size() < until)
                    Item(f, NextName(ProductKinds), true, level);
                if (m_byLevel[static_cast<std::size_t>(level - 1)].empty())
                    Item(f, NextName(ProductKinds), true, level);
                f.Close(0, "formulaset");
                written += f.Size();
                m_resourceSets.push_back(setName);
                char file[64];
                std::snprintf(file, sizeof file, "stock_%02d_%04d.xml", level, m_sets++);
                if (!Save(f, m_config / "Crafts" / "Resources" / file, true, error))
                    return false;
            } while (written < until);
        }
        return true;
    }

    bool CraftFiles(std::uint64_t share, std::string& error)
    {
        std::uint64_t written = 0;
        int n = 0;
        do
        {
            const std::string& craft = Crafts[static_cast<std::size_t>(n) % Crafts.size()];
            const std::string setName = craft + " " + Word(static_cast<std::uint64_t>(n) + 16) + " Works";
            CFile f;
            SetHeader(f, setName, craft);
            while (f.Size() < FileBytes && written + f.Size() < share)
                Item(f, NextName(ItemKinds), false, 0);
            f.Close(0, "formulaset");
            written += f.Size();
            m_craftSets.push_back({setName, craft});
            char file[64];
            std::snprintf(file, sizeof file, "works_%04d.xml", n++);
            if (!Save(f, m_config / "Crafts" / craft / file, true, error))
                return false;
        } while (written < share);
        return true;
    }

    void TechniqueTier(CFile& f, const std::string& tech, int lvl)
    {
        static const std::vector<std::string> Descriptions = {
            "Grants an additional +%d to the Smithing trade skill.",
            "This technique gives the user +%d Strength statistic.",
            "Imbues certain objects with +%d in the Joinery, Carving and Weaving craft skills.",
            "Adds Health and Armor to the piece.", "Works the piece to give a +%d in the Brewing skill.",
            "A plain mark of the guild."};
        f.Open(2, "tier");
        f.Value(3, "tier-name", tech + " " + TierNames[static_cast<std::size_t>(lvl - 1)].substr(5));
        f.Attr(3, "tier-lvl", "name", TierNames[static_cast<std::size_t>(lvl - 1)], std::to_string(lvl));
        f.Value(3, "tier-origin", Word(m_rng.Next() % 64) + " Guild");
        char desc[160];
        std::snprintf(desc, sizeof desc, m_rng.Pick(Descriptions).c_str(), lvl);
        f.Value(3, "tier-desc", desc);
        if (m_rng.Range(0, 2) == 0)
            f.Value(3, "tier-skilladjust", m_rng.Range(0, 40));
        if (m_rng.Range(0, 3) == 0)
            f.Value(3, "tier-usageadjust", m_rng.Range(1, 20));
        if (m_rng.Range(0, 1) == 0)
            f.Value(3, "tier-techsize", m_rng.Range(1, 2));
        if (m_rng.Range(0, 3) == 0)
        {
            f.Open(3, "tier-keywords");
            f.Open(4, "tier-keywordset");
            f.Value(5, "tier-keyword", "rank" + std::to_string(lvl));
            f.Close(4, "tier-keywordset");
            f.Close(3, "tier-keywords");
        }
        f.Open(3, "tier-effectkeywords");
        f.Open(4, "tier-effectkeywordset");
        f.Value(5, "tier-effectkeyword", "spark");
        f.Close(4, "tier-effectkeywordset");
        f.Close(3, "tier-effectkeywords");
        if (m_rng.Range(0, 1) == 0)
        {
            f.Open(3, "tier-attributes");
            f.Attr(4, "tier-attribute", "name", "HealModifier", "+" + std::to_string(lvl * 5) + "%");
            f.Close(3, "tier-attributes");
        }
        f.Open(3, "components");
        for (int c = m_rng.Range(1, 3); c > 0; --c)
        {
            const std::string name = (c == 1 && !m_products.empty()) ? m_rng.Pick(m_products).name : Component();
            f.Attr(4, "component", "qty", std::to_string(m_rng.Range(1, 10)), name);
        }
        f.Close(3, "components");
        f.Close(2, "tier");
    }

    void Technique(CFile& f, const std::string& name)
    {
        f.Open(1, "tech");
        f.Value(2, "tech-name", name);
        f.Value(2, "tech-desc", "The " + name + " technique of the old masters.");
        f.Value(2, "tech-subdesc", "Taught by the " + Word(m_rng.Next() % 64) + " Guild.");
        f.Value(2, "tech-prefix", Word(m_rng.Next() % 1024));
        if (m_rng.Range(0, 1) == 0)
            f.Value(2, "tech-suffix", "of " + Word(m_rng.Next() % 1024));
        f.Value(2, "tech-icon", "tech_mark");
        f.Open(2, "tech-keywords");
        f.Open(3, "tech-keywordset");
        f.Value(4, "tech-keyword", "gear");
        f.Value(4, "tech-keyword", "techclass_gear");
        f.Close(3, "tech-keywordset");
        f.Open(3, "tech-keywordset");
        f.Value(4, "tech-keyword", "tier_any");
        f.Close(3, "tech-keywordset");
        f.Close(2, "tech-keywords");
        f.Open(2, "tech-effectkeywords");
        f.Open(3, "tech-effectkeywordset");
        f.Value(4, "tech-effectkeyword", "mark");
        f.Close(3, "tech-effectkeywordset");
        f.Close(2, "tech-effectkeywords");
        f.Open(2, "tech-attributes");
        f.Attr(3, "tech-attribute", "name", "PercentageStatBonus", std::to_string(m_rng.Range(1, 9)) + "% Dexterity");
        f.Close(2, "tech-attributes");
        const int tiers = m_rng.Range(2, 5);
        for (int t = 0; t < tiers; ++t)
            TechniqueTier(f, name, 1 + t * 2);
        f.Close(1, "tech");
        ++m_result.techniques;
        m_techniqueNames.push_back(name);
    }

    bool Techniques(std::uint64_t share, std::string& error)
    {
        std::uint64_t written = 0;
        int n = 0;
        do
        {
            const std::string& category = TechCategories[static_cast<std::size_t>(n) % TechCategories.size()];
            CFile f;
            f.Open(0, "techniqueset");
            f.Value(1, "techniqueset-name", category + " " + Word(static_cast<std::uint64_t>(n) + 16) + " Arts");
            f.Open(1, "techniqueset-categories");
            f.Value(2, "techniqueset-category", category);
            f.Close(1, "techniqueset-categories");
            while (f.Size() < FileBytes && written + f.Size() < share)
                Technique(f, Word(m_techs++ + 512) + " " + category);
            f.Close(0, "techniqueset");
            written += f.Size();
            char file[64];
            std::snprintf(file, sizeof file, "arts_%04d.xml", n++);
            if (!Save(f, m_config / "Techs" / category / file, true, error))
                return false;
        } while (written < share);
        return true;
    }

    // Amends about one formula and technique in a hundred and adds new formulae.
    bool Overlays(std::string& error)
    {
        CFile f;
        f.Open(0, "formulas");
        const std::size_t amended = std::max<std::size_t>(1, m_formulaNames.size() / 100);
        for (std::size_t i = 0; i < amended; ++i)
        {
            f.Open(1, "item");
            f.Value(2, "item-name", m_formulaNames[(i * 97) % m_formulaNames.size()]);
            f.Open(2, "item-attributes");
            f.Attr(3, "item-attribute", "name", "GlowColour", "Amber");
            f.Close(2, "item-attributes");
            f.Close(1, "item");
        }
        for (std::size_t i = 0; i < amended; ++i)
        {
            const auto& [setName, craft] = m_craftSets[i % m_craftSets.size()];
            const std::string name = Word(m_items++ + 256) + " Relic";
            f.Open(1, "item");
            f.Value(2, "item-name", name);
            f.Value(2, "item-category", i % 2 ? craft : "Resources");
            f.Value(2, "item-formulaset", i % 2 ? setName : "Revised Stock");
            f.Open(2, "tier");
            f.Value(3, "tier-name", "Revised " + name);
            f.Attr(3, "tier-lvl", "name", "Tier II", "2");
            f.Value(3, "tier-desc", "Added by the midsummer revision.");
            f.Open(3, "resources");
            Resource(f, 4, Component(), 10);
            f.Close(3, "resources");
            f.Close(2, "tier");
            f.Close(1, "item");
        }
        f.Close(0, "formulas");
        if (!Save(f, m_config / "formulae.xml", true, error))
            return false;

        CFile t;
        t.Open(0, "techniques");
        const std::size_t techs = std::max<std::size_t>(1, m_techniqueNames.size() / 100);
        for (std::size_t i = 0; i < techs; ++i)
        {
            t.Open(1, "tech");
            t.Value(2, "tech-name", m_techniqueNames[(i * 89) % m_techniqueNames.size()]);
            t.Value(2, "tech-category", TechCategories[i % TechCategories.size()]);
            t.Open(2, "tier");
            t.Value(3, "tier-name", "Revised Mark");
            t.Attr(3, "tier-lvl", "name", "Tier IX", "9");
            t.Value(3, "tier-desc", "This technique gives the user +6 Focus statistic.");
            t.Open(3, "components");
            t.Attr(4, "component", "qty", "2", Component());
            t.Close(3, "components");
            t.Close(2, "tier");
            t.Close(1, "tech");
        }
        t.Close(0, "techniques");
        return Save(t, m_config / "techniques.xml", true, error);
    }

    bool Categories(std::string& error)
    {
        CFile f;
        f.Open(0, "categories");
        auto category = [&](const std::string& name, const std::vector<std::string>& subs)
        {
            f.Open(1, "category");
            f.Value(2, "category-name", name);
            f.Value(2, "category-desc", "Everything of the " + name + ".");
            f.Value(2, "category-icon", "cat_forge");
            f.Open(2, "subcategories");
            for (const std::string& sub : subs)
            {
                f.Open(3, "subcategory");
                f.Value(4, "subcategory-name", sub);
                f.Value(4, "subcategory-desc", "Formulae of " + sub + ".");
                f.Value(4, "subcategory-icon", "cat_resources");
                f.Close(3, "subcategory");
            }
            f.Close(2, "subcategories");
            f.Close(1, "category");
        };
        category("Resources", m_resourceSets);
        for (const std::string& craft : Crafts)
        {
            std::vector<std::string> subs;
            for (const auto& [set, c] : m_craftSets)
                if (c == craft)
                    subs.push_back(set);
            category(craft, subs);
        }
        category("Techniques", TechCategories);
        f.Close(0, "categories");
        return Save(f, m_config / "Categories.xml", true, error);
    }

    // Wizards, help pages, a profile, a theme and the servers list.
    bool Smaller(std::string& error)
    {
        for (int w = 0; w < 2; ++w)
        {
            CFile f;
            f.Open(0, "wizard");
            f.Value(1, "wizard-school", Crafts[static_cast<std::size_t>(w)]);
            f.Value(1, "wizard-type", "School");
            f.Value(1, "wizard-version", 2);
            f.Open(1, "races");
            f.Value(2, "race", "Human");
            f.Close(1, "races");
            f.Open(1, "slots");
            f.Value(2, "slot", "Weapon");
            f.Close(1, "slots");
            f.Open(1, "formulasets");
            f.Open(2, "formulaset");
            f.Value(3, "formulaset-name", m_craftSets[static_cast<std::size_t>(w) % m_craftSets.size()].first);
            f.Value(3, "formulaset-desc", "The first works of the school.");
            f.Value(3, "formulaset-filter", "gear");
            f.Value(3, "formulaset-priority", 1);
            f.Value(3, "formulaset-optional", 0);
            f.Close(2, "formulaset");
            f.Close(1, "formulasets");
            f.Open(1, "techs");
            f.Value(2, "tech", m_techniqueNames.front());
            f.Close(1, "techs");
            f.Close(0, "wizard");
            if (!Save(f, m_config / "Wizards" / ("wizard_" + std::to_string(w) + ".xml"), true, error))
                return false;
        }

        CFile help;
        help.Open(0, "help");
        help.Open(1, "pages");
        for (const char* key : {"officialsite", "onlinemanual", "reportbug", "orderwindow", "reportwindow",
                                "formulawindow", "techniquewindow", "componentwindow", "profilewindow",
                                "optionwindow", "updatewindow", "update"})
            help.Attr(2, "page", "key", key, std::string("Help/") + key + ".html");
        help.Close(1, "pages");
        help.Close(0, "help");
        if (!Save(help, m_config / "help.xml", false, error))
            return false;

        CFile p;
        p.Open(0, "profile");
        p.Value(1, "profile-format", "1.0");
        p.Value(1, "profile-name", "Generated");
        p.Value(1, "profile-server", "Default");
        p.Value(1, "profile-email", "");
        p.Open(1, "statistics");
        p.Attr(2, "statistic", "value", "40", "Strength");
        p.Close(1, "statistics");
        p.Open(1, "craftlevels");
        for (const std::string& craft : Crafts)
        {
            p.Open(2, "craft");
            p.Value(3, "craft-name", craft);
            p.Value(3, "craft-level", 10);
            p.Value(3, "craft-worktiermin", 1);
            p.Value(3, "craft-worktiermax", 3);
            p.Close(2, "craft");
        }
        p.Close(1, "craftlevels");
        p.Open(1, "craftskills");
        for (const std::string& skill : Skills)
            p.Attr(2, "craftskill", "level", std::to_string(m_rng.Range(20, 90)), skill);
        p.Close(1, "craftskills");
        p.Close(0, "profile");
        if (!Save(p, m_config / "Profiles" / "Generated.xml", false, error))
            return false;

        CFile theme;
        theme.Open(0, "scheme");
        theme.Open(1, "colours");
        theme.Attr(2, "colour", "value", "COLOR_BTNFACE", "DIALOGCOLOUR_BG");
        theme.Attr(2, "colour", "value", "COLOR_WINDOW", "TREE_BACKCOLOUR");
        theme.Close(1, "colours");
        theme.Close(0, "scheme");
        if (!Save(theme, m_folder / "Themes" / "desktop_native.xml", false, error))
            return false;

        CFile servers;
        servers.Open(0, "config");
        servers.Open(1, "servers");
        servers.Attr(2, "server", "value", "Local Test", "http://127.0.0.1:8080/moxa");
        servers.Close(1, "servers");
        servers.Close(0, "config");
        std::error_code ec;
        fs::create_directories(m_folder / "Profiles", ec);
        fs::create_directories(m_folder / "Orders", ec);
        return Save(servers, m_folder / "Config.xml", false, error);
    }

    static constexpr int Levels = 4;
    static constexpr std::size_t FileBytes = 256 * 1024;

    fs::path m_folder;
    fs::path m_config;
    CRandom m_rng;
    std::uint64_t m_target;
    CGeneratorResult& m_result;
    int m_componentCount = 0;
    std::uint64_t m_items = 0;
    std::uint64_t m_techs = 0;
    int m_sets = 0;
    std::vector<CProduct> m_products;
    std::vector<std::string> m_byLevel[Levels];
    std::vector<std::string> m_resourceSets;
    std::vector<std::pair<std::string, std::string>> m_craftSets;
    std::vector<std::string> m_formulaNames;
    std::vector<std::string> m_techniqueNames;
};
} // namespace

bool GenerateDatabase(const fs::path& folder, const CGeneratorOptions& options, CGeneratorResult& result,
                      std::string& error)
{
    result = {};
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
    {
        error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    CGenerator generator(folder, options, result);
    return generator.Run(error);
}
