#pragma once

#include "database/GameDatabase.h"
#include "order/NameTable.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct CProfile;

// The "Resources" formulae below the names of one calculation, looked up once per name:
// each node knows its producing tier and, once asked, its inputs with the units one batch
// takes at the profile's skill (adjustment 0). Walking a name's breakdown again for every
// component that needs it then costs pointer steps instead of database lookups.
// Names given to NodeOf must outlive the breakdown.
class CBreakdown
{
public:
    struct CNode;
    struct CInput
    {
        const std::string* name = nullptr;
        std::int64_t units = 0;
        CNode* node = nullptr;
    };
    struct CNode
    {
        const std::string* name = nullptr;
        std::size_t index = 0; // in the order the breakdown met the names
        CGameDatabase::CProducer producer;
        // Set while the node is being broken down, so that a name met again on its own path
        // counts as a base resource there.
        bool onPath = false;
        bool inputsKnown = false;
        std::vector<CInput> inputs;
    };

    CBreakdown(const CGameDatabase& db, const CProfile* profile) : m_db(db), m_profile(profile) {}

    CNode& NodeOf(const std::string& name);
    std::size_t NodeCount() const { return m_nodes.size(); }
    // The producing tier's resources in order; empty for a base resource.
    const std::vector<CInput>& Inputs(CNode& node);

private:
    const CGameDatabase& m_db;
    const CProfile* m_profile;
    std::deque<CNode> m_nodes; // a deque: nodes stay put while others are added
    CNameTable m_table;
};
