#pragma once
// Raw rows of the advancement tables, read once into AdvancementTable.

#include "bracket/tables.h"

#include <span>

namespace zorbon::data {

struct BoxRow {
    int number;
    const char* round; // "W1", "L3", "F"
    const char* upper;
    const char* lower;
    const char* frame;
    const char* winnerTo; // nullptr for the final
    const char* loserTo;  // nullptr: out
    WalkoverRule rule;
    int threshold;
    const char* other;
    const char* target;
    int enteredBox;
};

extern const std::span<const BoxRow> kBoxRows8;
extern const std::span<const BoxRow> kBoxRows16;
extern const std::span<const BoxRow> kBoxRows32;

} // namespace zorbon::data
