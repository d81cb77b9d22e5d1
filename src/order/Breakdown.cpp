#include "order/Breakdown.h"

#include "order/Units.h"

CBreakdown::CNode& CBreakdown::NodeOf(const std::string& name)
{
    const std::size_t hash = CNameTable::Hash(name);
    const std::size_t found = m_table.Find(name, hash, [this](std::size_t i) -> const std::string& { return *m_nodes[i].name; });
    if (found != CNameTable::npos)
        return m_nodes[found];
    CNode& node = m_nodes.emplace_back();
    node.name = &name;
    node.index = m_nodes.size() - 1;
    node.producer = m_db.FindProducingTier(name);
    m_table.Insert(hash, m_nodes.size() - 1);
    return node;
}

const std::vector<CBreakdown::CInput>& CBreakdown::Inputs(CNode& node)
{
    if (!node.inputsKnown)
    {
        node.inputsKnown = true;
        if (node.producer)
        {
            node.inputs.reserve(node.producer.tier->resources.size());
            for (const CResource& resource : node.producer.tier->resources)
                node.inputs.push_back({&resource.name, UnitsNeeded(resource, m_profile, 0), &NodeOf(resource.name)});
        }
    }
    return node.inputs;
}
