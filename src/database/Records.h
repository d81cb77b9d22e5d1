#pragma once

#include <experimental/propagate_const>
#include <memory>
#include <string>
#include <vector>

// The records of the game database. Lists that other lists or lookups point into hold
// COwned pointers; leaf lists hold values.

// An owned record that is const wherever its owner is: a database handed out read-only
// gives no way to change a name behind its lookups.
template <typename T> using COwned = std::experimental::propagate_const<std::unique_ptr<T>>;

struct CCategory
{
    std::string name;
    std::string description;
    int iconIndex = 0;
};

struct CSubcategory
{
    std::string category;
    std::string name;
    std::string description;
    int iconIndex = 0;
};

struct CGatherBonus
{
    std::string name;
    std::string amount;
    std::string qualifier;
};

struct CGatherMethod
{
    std::string tool;
    std::string skill;
    std::string rate;
    std::string minSkill;
    std::string maxSkill;
    std::vector<CGatherBonus> bonuses;
};

struct CComponent
{
    std::string name;
    std::string description;
    std::string type;
    int tier = 0;
    int bulk = 0;
    std::string buyValue;
    std::string sellValue;
    std::string vendorValue;
    std::vector<CGatherMethod> gatherMethods;
    std::vector<std::string> locations;
};

struct CAttribute
{
    std::string key;
    std::string value;
};

struct CResource
{
    std::string name;
    std::string skill;
    int units = 0;
    int minSkill = 0;
    int qtyAtMin = 0;
    int optSkill = 0;
    int qtyAtOpt = 0;
};

struct CFormulaTier
{
    std::string name; // the product this tier makes
    int level = -1;
    std::string levelName;
    std::string description;
    int allowedTechniques = 0;
    int batchQty = 1;
    std::vector<std::string> keywords;
    std::vector<CAttribute> attributes;
    std::vector<CResource> resources;
};

struct CFormula
{
    std::string name;
    int batchQty = 1;
    int iconIndex = 0;
    std::string note;
    std::string category;
    std::vector<std::string> keywords;
    bool hasTierKeywords = false;
    std::vector<CAttribute> attributes;
    std::vector<COwned<CFormulaTier>> tiers;
};

struct CFormulaSet
{
    std::string name;
    std::string category;
    std::string note;
    int iconIndex = 0;
    std::vector<COwned<CFormula>> formulae;
};

using CKeywordSet = std::vector<std::string>;

struct CTechniqueTier
{
    std::string name;
    std::string origin;
    int level = -1;
    std::string levelName;
    std::string description;
    int skillAdjust = 0;
    int usageAdjust = 0;
    int techSize = 1;
    std::string prefix;
    std::string suffix;
    std::vector<CKeywordSet> keywordSets;
    std::vector<CKeywordSet> effectKeywordSets;
    std::vector<CAttribute> attributes;
    std::vector<CResource> components;
};

struct CTechnique
{
    std::string name;
    int iconIndex = 0;
    std::string prefix;
    std::string suffix;
    std::string description;
    std::string subdescription;
    bool hasTierKeywords = false;
    std::vector<CAttribute> attributes;
    std::vector<CKeywordSet> keywordSets;
    std::vector<CKeywordSet> effectKeywordSets;
    std::vector<COwned<CTechniqueTier>> tiers;
};

struct CTechniqueSet
{
    std::string name;
    std::string note;
    std::string category;
    int iconIndex = 0;
    std::vector<COwned<CTechnique>> techniques;
};

// Order-creation wizard templates ("\Config\Wizards"): read, counted and cached.
struct CWizardFormulaSet
{
    std::string name;
    std::string description;
    std::string filter;
    int priority = 0;
    int optional = 0;
};

struct CWizardTemplate
{
    std::string school;
    std::string type;
    int version = 0;
    std::vector<std::string> races;
    std::vector<std::string> slots;
    std::vector<CWizardFormulaSet> formulaSets;
    std::vector<std::string> techs;
};
