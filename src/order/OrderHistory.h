#pragma once

#include "order/Order.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Undo and redo of order edits. The history keeps the order's contents (items with their
// ids, groups, acquired counts, file name) after every edit; undo puts the previous contents
// back. The state saved last is the clean one: the order is modified whenever it is elsewhere.
//
// States share what an edit left alone: items are held in runs of `RunLength`, and a run, an
// item, the groups or the acquired counts that did not change are the previous state's. So a
// step costs about what it changed. The oldest steps go beyond `MaxSteps` or once the steps
// kept hold more than `MaxBytes` of their own.
class COrderHistory
{
public:
    static constexpr std::size_t MaxSteps = 100;
    static constexpr std::size_t MaxBytes = 128u << 20;
    static constexpr std::size_t RunLength = 64;

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

    std::size_t Steps() const { return m_states.size() - 1; }
    // What the steps kept hold of their own (an estimate of the heap they take).
    std::size_t StepBytes() const { return m_stepBytes; }

private:
    using CItemPtr = std::shared_ptr<const COrderItem>;
    using CRun = std::vector<CItemPtr>;
    struct CState
    {
        std::vector<std::shared_ptr<const CRun>> runs;
        std::shared_ptr<const std::vector<std::string>> groups;
        std::shared_ptr<const std::map<std::string, std::string>> acquired;
        std::string filePath; // an order replaced by a new one becomes untitled
        std::size_t bytes = 0; // of what it does not share with the state it was taken after
    };
    // The order now, sharing with `previous` whatever is unchanged.
    CState Capture(const CState* previous) const;
    static bool Same(const CState& a, const CState& b);
    void Restore(const CState& state);
    void SetModified();
    void DropOldest();

    COrder& m_order;
    std::vector<CState> m_states; // m_states[i]: the order after i steps
    std::vector<std::string> m_names; // m_names[i]: the step from m_states[i] to m_states[i + 1]
    std::size_t m_index = 0;
    std::optional<std::size_t> m_clean = 0;
    std::string m_mergeKey; // of the last step, while it may still take the next edit
    std::size_t m_stepBytes = 0; // bytes of m_states[1...]
};
