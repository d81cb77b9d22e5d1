#pragma once

#include "order/Order.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Undo and redo of order edits. The history keeps the order's contents (items with their
// ids, groups, acquired counts, file name) after every edit; undo puts the previous contents
// back. The state saved last is the clean one: the order is modified whenever it is elsewhere.
class COrderHistory
{
public:
    static constexpr std::size_t MaxSteps = 100;

    // The order as it is now is the start, and clean.
    explicit COrderHistory(COrder& order);

    // After an edit: records it under its name ("Rename Group") unless nothing changed.
    // Edits of the same merge key that follow each other make one step (the digits of a
    // number of batches typed one by one). True when a step was recorded or merged.
    bool Commit(const std::string& name, const std::string& mergeKey = {});
    // A new or opened order: nothing to undo, and clean.
    void Reset();
    // After a save: the order as it is now is clean (the save may have pruned it), and every
    // state keeps the file name it was saved under.
    void MarkClean();

    bool CanUndo() const { return m_index > 0; }
    bool CanRedo() const { return m_index + 1 < m_states.size(); }
    // "Undo Rename Group", "Redo Paste"; "Undo" and "Redo" alone when there is nothing.
    std::string UndoText() const;
    std::string RedoText() const;
    bool Undo();
    bool Redo();

private:
    struct CState
    {
        std::vector<COrderItem> items;
        std::vector<std::string> groups;
        std::map<std::string, std::string> acquired;
        std::string filePath; // an order replaced by a new one becomes untitled
    };
    CState Capture() const;
    static bool Same(const CState& a, const CState& b);
    void Restore(const CState& state);
    void SetModified();

    COrder& m_order;
    std::vector<CState> m_states; // m_states[i]: the order after i steps
    std::vector<std::string> m_names; // m_names[i]: the step from m_states[i] to m_states[i + 1]
    std::size_t m_index = 0;
    std::optional<std::size_t> m_clean = 0;
    std::string m_mergeKey; // of the last step, while it may still take the next edit
};
