#pragma once

#include "order/Breakdown.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// The producer graph reachable from a need list. Children follow the producing tier's
// resources in order, so children[i] is the node of the breakdown's input i (and of the
// tier's resource i).
class CPlanGraph
{
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    struct CVertex
    {
        CBreakdown::CNode* node = nullptr;
        std::vector<std::size_t> children;
        std::size_t index = npos;
        std::size_t low = 0;
        bool onStack = false;
        bool cycle = false; // on a cycle of formulae: counted as gathered
        // The plan's own marks: reached from the need list without passing a gathered
        // name, and reached without passing a bought one either.
        bool reached = false;
        bool live = false;
        std::int64_t need = 0;
        int depth = 0;

        // Made by a formula that is not on a cycle.
        bool Produced() const { return node->producer && !cycle; }
    };

    explicit CPlanGraph(CBreakdown& breakdown) : m_breakdown(breakdown) {}

    std::size_t VertexOf(CBreakdown::CNode& node);
    // Adds the vertices below root, finding the cycles on the way.
    void Discover(std::size_t root);

    std::vector<CVertex>& Vertices() { return m_vertices; }
    const std::vector<CVertex>& Vertices() const { return m_vertices; }
    // Every vertex, what is consumed before its consumers.
    const std::vector<std::size_t>& ConsumedFirst() const { return m_finished; }
    // Every vertex, consumers before what they consume.
    std::vector<std::size_t> ConsumersFirst() const
    {
        return {m_finished.rbegin(), m_finished.rend()};
    }

private:
    void Visit(std::size_t v);

    CBreakdown& m_breakdown;
    std::vector<CVertex> m_vertices;
    std::unordered_map<const CBreakdown::CNode*, std::size_t> m_index;
    std::vector<std::size_t> m_stack;
    std::vector<std::size_t> m_finished;
    std::size_t m_counter = 0;
};
