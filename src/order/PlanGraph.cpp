#include "order/PlanGraph.h"

#include <algorithm>

std::size_t CPlanGraph::VertexOf(CBreakdown::CNode& node)
{
    const auto [it, added] = m_index.try_emplace(&node, m_vertices.size());
    if (added)
    {
        m_vertices.emplace_back();
        m_vertices.back().node = &node;
    }
    return it->second;
}

// Tarjan's strongly connected components, without recursion: chains of formulae may be
// long. Components come out consumers last, so their reverse puts consumers first.
void CPlanGraph::Discover(std::size_t root)
{
    if (m_vertices[root].index != npos)
        return;
    struct CFrame
    {
        std::size_t vertex;
        std::size_t next;
    };
    std::vector<CFrame> frames;
    Visit(root);
    frames.push_back({root, 0});
    while (!frames.empty())
    {
        const std::size_t v = frames.back().vertex;
        if (frames.back().next < m_vertices[v].children.size())
        {
            const std::size_t w = m_vertices[v].children[frames.back().next++];
            if (m_vertices[w].index == npos)
            {
                Visit(w);
                frames.push_back({w, 0});
            }
            else if (m_vertices[w].onStack)
                m_vertices[v].low = std::min(m_vertices[v].low, m_vertices[w].index);
            continue;
        }
        frames.pop_back();
        if (!frames.empty())
        {
            CVertex& parent = m_vertices[frames.back().vertex];
            parent.low = std::min(parent.low, m_vertices[v].low);
        }
        if (m_vertices[v].low != m_vertices[v].index)
            continue;
        std::size_t first = m_stack.size();
        do
            --first;
        while (m_stack[first] != v);
        const bool cycle =
            m_stack.size() - first > 1 ||
            std::count(m_vertices[v].children.begin(), m_vertices[v].children.end(), v) > 0;
        for (std::size_t i = first; i < m_stack.size(); ++i)
        {
            m_vertices[m_stack[i]].onStack = false;
            m_vertices[m_stack[i]].cycle = cycle;
            m_finished.push_back(m_stack[i]);
        }
        m_stack.resize(first);
    }
}

void CPlanGraph::Visit(std::size_t v)
{
    m_vertices[v].index = m_counter;
    m_vertices[v].low = m_counter++;
    m_vertices[v].onStack = true;
    m_stack.push_back(v);
    CBreakdown::CNode& node = *m_vertices[v].node;
    if (!node.producer)
        return;
    std::vector<std::size_t> children;
    for (const CBreakdown::CInput& input : m_breakdown.Inputs(node))
        children.push_back(VertexOf(*input.node));
    m_vertices[v].children = std::move(children);
}
