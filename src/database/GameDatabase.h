#pragma once

#include "database/Records.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CIconManager;
class CXmlDocument;
class CXmlElement;
struct CDatabaseIndexes;

// The game database: every record loaded from the "Config" folder (or the cache).
class CGameDatabase
{
public:
    CGameDatabase();
    ~CGameDatabase();
    CGameDatabase(const CGameDatabase&) = delete;
    CGameDatabase& operator=(const CGameDatabase&) = delete;

    std::vector<CCategory> categories;
    std::vector<std::unique_ptr<CWizardTemplate>> wizards;
    std::vector<std::string> FormulaCategories;
    std::vector<std::string> TechniqueCategories;
    std::map<std::string, std::string> HelpPages;

    // The lists the lookups index, read-only: records come in through the Add methods and
    // change through Edit, which keep the lookups right.
    const std::vector<CSubcategory>& Subcategories() const { return m_subcategories; }
    const std::vector<COwned<CComponent>>& Components() const { return m_components; }
    const std::vector<COwned<CFormulaSet>>& FormulaSets() const { return m_formulaSets; }
    // The "Resources" sets of FormulaSets(), in list order.
    const std::vector<const CFormulaSet*>& ResourceFormulaSets() const
    {
        return m_resourceFormulaSets;
    }
    const std::vector<COwned<CTechniqueSet>>& TechniqueSets() const { return m_techniqueSets; }

    // Appended records; the lookups follow them.
    void AddSubcategory(CSubcategory subcategory);
    void AddComponent(std::unique_ptr<CComponent> component);
    void AddTechniqueSet(std::unique_ptr<CTechniqueSet> set);
    // A set read from a file, merged into an earlier set of the same name and category.
    void AddFormulaSet(std::unique_ptr<CFormulaSet> set);

    // Any other change (removing, reordering, renaming, changing records in place) is made
    // by change on the lists; the lookups start afresh once it returns.
    struct CLists
    {
        std::vector<CSubcategory>& subcategories;
        std::vector<COwned<CComponent>>& components;
        std::vector<COwned<CFormulaSet>>& formulaSets;
        std::vector<COwned<CTechniqueSet>>& techniqueSets;
    };
    template <typename Change> void Edit(Change&& change)
    {
        CLists lists{m_subcategories, m_components, m_formulaSets, m_techniqueSets};
        try
        {
            change(lists);
        }
        catch (...)
        {
            // What the change made before it failed is in the lists all the same.
            ListsChanged();
            throw;
        }
        ListsChanged();
    }

    // The icon store that names are resolved through while reading XML; may be null
    // (every icon index is then 0).
    CIconManager* icons = nullptr;

    // Categories and components.
    bool ReadCategories(const std::filesystem::path& path);
    bool ReadComponents(const std::filesystem::path& path);
    // The records of a components file appended to a list; touches no database.
    static bool ReadComponentFile(const std::filesystem::path& path,
                                  std::vector<COwned<CComponent>>& components);
    void ReadHelpPages(const std::filesystem::path& path);
    void BuildCategoryLists();
    void ClearDatabase();

    // Formulae.
    std::unique_ptr<CFormulaSet> ReadFormulaSetFile(const std::filesystem::path& path);
    void ReadFormula(CFormula& formula, const std::string& category, const CXmlDocument& doc,
                     CXmlElement& item, bool clear);
    bool ReadFormulaOverlay(const std::filesystem::path& path);

    // Techniques.
    std::unique_ptr<CTechniqueSet> ReadTechniqueSetFile(const std::filesystem::path& path);
    void ReadTechnique(CTechnique& technique, const std::string& category, const CXmlDocument& doc,
                       CXmlElement& tech, bool clear);
    bool ReadTechniqueOverlay(const std::filesystem::path& path);

    // Wizard templates.
    std::unique_ptr<CWizardTemplate> ReadWizardFile(const std::filesystem::path& path);

    // Lookups: the first match in list order; names compared exactly.
    const CComponent* FindComponent(std::string_view name) const;
    const CSubcategory* FindSubcategory(std::string_view name) const;
    const CFormula* FindFormula(std::string_view category, std::string_view name) const;
    static const CFormulaTier* FindFormulaTier(const CFormula& formula, std::string_view tierName);
    struct CProducer
    {
        const CFormula* formula = nullptr;
        const CFormulaTier* tier = nullptr;
        explicit operator bool() const { return tier != nullptr; }
    };
    CProducer FindProducingTier(std::string_view resourceName) const;
    bool UsesResource(std::string_view product, std::string_view resource) const;
    const CTechnique* FindTechnique(std::string_view category, std::string_view name) const;
    static const CTechniqueTier* FindTechniqueTier(const CTechnique& technique,
                                                   std::string_view tierName);

    // Builds every index now instead of on the first lookup (after a load, say).
    void RebuildIndexes();

    // Counts for reports and the command line.
    std::size_t FormulaCount() const;
    std::size_t FormulaTierCount() const;
    std::size_t ResourceCount() const;
    std::size_t TechniqueCount() const;
    std::size_t TechniqueTierCount() const;

private:
    int IconIndex(std::string_view name) const;
    // The position in formulaSets of the set with that name and category; -1 when none.
    long FindFormulaSetIndex(std::string_view category, std::string_view name) const;
    // Keeps the formula indexes right for a formula appended to the set at setPos.
    void NoteFormulaAppended(const CFormula* formula, std::size_t setPos);
    void InvalidateProducers();
    void InvalidateIndexes();
    // After an Edit: the resource sets collected again, every index dropped.
    void ListsChanged();
    // The first formula or technique of that name in any set, to be laid over in place.
    CFormula* FormulaToEdit(std::string_view name);
    CTechnique* TechniqueToEdit(std::string_view name);

    std::vector<CSubcategory> m_subcategories;
    std::vector<COwned<CComponent>> m_components;
    std::vector<COwned<CFormulaSet>> m_formulaSets;
    std::vector<const CFormulaSet*> m_resourceFormulaSets; // into m_formulaSets
    std::vector<COwned<CTechniqueSet>> m_techniqueSets;
    std::unique_ptr<CDatabaseIndexes> m_indexes;
};

// Attribute normalisation applied to every attribute of the database.
CAttribute NormaliseAttribute(std::string_view key, std::string_view value);

// The "bonus" values a technique tier's description gives when its file names none.
std::vector<std::string> DeriveBonusValues(std::string_view description);

// "Tier I" ... "Tier X" for 1 to 10, "Default" otherwise; and back (0 for anything else).
std::string TierName(int number);
int TierNumber(std::string_view text);
