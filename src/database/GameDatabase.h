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
    std::vector<CSubcategory> subcategories;
    std::vector<std::unique_ptr<CComponent>> components;
    std::vector<std::unique_ptr<CFormulaSet>> formulaSets;
    std::vector<CFormulaSet*> ResourceFormulaSets; // not owned
    std::vector<std::unique_ptr<CTechniqueSet>> techniqueSets;
    std::vector<std::unique_ptr<CWizardTemplate>> wizards;
    std::vector<std::string> FormulaCategories;
    std::vector<std::string> TechniqueCategories;
    std::map<std::string, std::string> HelpPages;

    // The icon store that names are resolved through while reading XML; may be null
    // (every icon index is then 0).
    CIconManager* icons = nullptr;

    // Categories and components.
    bool ReadCategories(const std::filesystem::path& path);
    bool ReadComponents(const std::filesystem::path& path);
    // The records of a components file appended to a list; touches no database.
    static bool ReadComponentFile(const std::filesystem::path& path,
                                  std::vector<std::unique_ptr<CComponent>>& components);
    void ReadHelpPages(const std::filesystem::path& path);
    void BuildCategoryLists();
    void ClearDatabase();

    // Formulae.
    std::unique_ptr<CFormulaSet> ReadFormulaSetFile(const std::filesystem::path& path);
    void ReadFormula(CFormula& formula, const std::string& category, const CXmlDocument& doc,
                     CXmlElement& item, bool clear);
    bool ReadFormulaOverlay(const std::filesystem::path& path);
    // Appends a set read from a file, merging it into an earlier set of the same name and
    // category; "Resources" sets also join ResourceFormulaSets.
    void AddFormulaSet(std::unique_ptr<CFormulaSet> set);

    // Techniques.
    std::unique_ptr<CTechniqueSet> ReadTechniqueSetFile(const std::filesystem::path& path);
    void ReadTechnique(CTechnique& technique, const std::string& category, const CXmlDocument& doc,
                       CXmlElement& tech, bool clear);
    bool ReadTechniqueOverlay(const std::filesystem::path& path);

    // Wizard templates.
    std::unique_ptr<CWizardTemplate> ReadWizardFile(const std::filesystem::path& path);

    // Lookups: the first match in list order; names compared exactly.
    CComponent* FindComponent(std::string_view name) const;
    const CSubcategory* FindSubcategory(std::string_view name) const;
    CFormula* FindFormula(std::string_view category, std::string_view name) const;
    static CFormulaTier* FindFormulaTier(const CFormula& formula, std::string_view tierName);
    struct CProducer
    {
        CFormula* formula = nullptr;
        CFormulaTier* tier = nullptr;
        explicit operator bool() const { return tier != nullptr; }
    };
    CProducer FindProducingTier(std::string_view resourceName) const;
    bool UsesResource(std::string_view product, std::string_view resource) const;
    CTechnique* FindTechnique(std::string_view category, std::string_view name) const;
    static CTechniqueTier* FindTechniqueTier(const CTechnique& technique,
                                             std::string_view tierName);

    // The name indexes behind the lookups. They follow appended records (sets, components,
    // subcategories pushed at the end of their lists) by themselves; code that changes the
    // lists in any other way (removing, reordering, renaming, adding formulae or tiers to
    // an existing set) calls InvalidateIndexes(). ClearDatabase and the readers do so.
    void InvalidateIndexes();
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
    void NoteFormulaAppended(CFormula* formula, std::size_t setPos);
    void InvalidateProducers();

    std::unique_ptr<CDatabaseIndexes> m_indexes;
};

// Attribute normalisation applied to every attribute of the database.
CAttribute NormaliseAttribute(std::string_view key, std::string_view value);

// The "bonus" values a technique tier's description gives when its file names none.
std::vector<std::string> DeriveBonusValues(std::string_view description);

// "Tier I" ... "Tier X" for 1 to 10, "Default" otherwise; and back (0 for anything else).
std::string TierName(int number);
int TierNumber(std::string_view text);
