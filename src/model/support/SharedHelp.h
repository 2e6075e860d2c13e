// The help texts of the members many classes share, written once. A
// collection's table takes the collection texts with
// `.SharedHelp(kCollectionHelp)`, a collection keyed by directory the
// location texts before them; every record table takes the record texts.
// A class whose member behaves otherwise gives that member its own `.Help()`,
// which wins over the shared text.
#pragma once

#include "frame/TypeInfo.h"

namespace lombar {

inline constexpr MemberHelp kCollectionHelp[] = {
    {"XML",
     "The members as one XML text, empty when there are none; assigning a text empties the "
     "collection and adds the members the text holds."},
    {"AddObject",
     "Adds the object itself, not a copy, and returns it; Nothing adds nothing, and a key the "
     "collection already holds leaves the object out without an error."},
    {"Item",
     "The member at a position counted from 1, or under a key in any letter case; error 9 for "
     "a position out of range, error 5 for an unknown key."},
    {"Exists", "Whether Item would find a member for this position or key; never raises an error."},
    {"Count", "The number of members."},
    {"Remove",
     "Removes the member at a position or under a key, moving the later members up one place; "
     "fails as Item does."},
    {"NewEnum", "An enumerator over the members in order, for For Each."},
    {"Clear",
     "Releases every member and starts again empty; with xbDestroyObject True the collection "
     "is left without one, and its other members then fail with error 91."},
};

// The collections keyed by directory, whose look-ups translate JOBBER and
// seller identifiers.
inline constexpr MemberHelp kLocationCollectionHelp[] = {
    {"Item",
     "The member at a position counted from 1, or of a directory; the key JOBBER stands for the "
     "default provider's directory and #seller or S#seller for that seller's, by the thread's "
     "global providers; error 9 or 5 when there is none."},
    {"Exists",
     "Whether Item would find a member for this position or key (JOBBER, #seller and S#seller "
     "translated as there); never raises an error."},
    {"Remove", "Removes the member at a position or of a directory, keys translated as by Item."},
};

// The collections whose XML reads a released collection as an empty one.
inline constexpr MemberHelp kEmptyWhenReleasedHelp[] = {
    {"Clear",
     "Releases every member and starts again empty; with xbDestroyObject True the collection "
     "is left without one: XML then gives the empty text and Count fails with error 91."},
};

// The preset and list collections, which carry a vehicle of their own.
inline constexpr MemberHelp kReferenceCollectionHelp[] = {
    {"Vehicle",
     "The vehicle the members belong to, written after them; setting it shares the object "
     "given, and assigning XML replaces it with a new one."},
};

inline constexpr MemberHelp kRecordHelp[] = {
    {"XML",
     "The values as one XML text; assigning a text clears the object first and then reads "
     "the values the text holds."},
};

}  // namespace lombar
