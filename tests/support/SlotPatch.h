#pragma once
// Replaces one entry of a class's table of operations for the length of a
// scope: how a test makes a step fail or counts the calls it makes.

#include "framework/runtime/ClassTable.h"

class SlotPatch {
public:
    template <class F>
    SlotPatch(const fw::ClassTable* table, uint32_t slot, F* replacement)
        : table_(const_cast<fw::ClassTable*>(table)), slot_(slot), original_(table_->operations.at(slot))
    {
        table_->operations[slot_] = fw::toCode(replacement);
    }
    SlotPatch(const SlotPatch&) = delete;
    SlotPatch& operator=(const SlotPatch&) = delete;
    ~SlotPatch() { table_->operations[slot_] = original_; }

    // The entry that was there before, to call through.
    template <class F>
    F* original() const
    {
        return reinterpret_cast<F*>(original_.code);
    }

private:
    fw::ClassTable* table_;
    uint32_t slot_;
    fw::TypedCode original_;
};
