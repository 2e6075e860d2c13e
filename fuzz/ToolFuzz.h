// The command-line tool's fuzz target's work, apart from libFuzzer so the
// unit tests can replay its seeds.
//
// The first byte of an input gives the two sort modes (its value modulo 9
// for catalog items, the value divided by 9 modulo 9 for the others), the
// second where the document is cut (0: not at all; else just after the
// first tag that ends from that many 256ths of its length on), and the rest
// is the document.
#pragma once

#include <string_view>

namespace lombar::fuzz {

// Runs one input through the tool's document path: the well-formedness
// check, then the library's read, the sort and the write, as `lombar sort`
// does, and the indenting of `pretty`. Refusals and library errors are
// expected answers and end the input quietly; a broken promise raises
// BrokenPromise:
// - a well-formed document cut short is refused, unless only comments,
//   processing instructions and blanks after its root were cut off;
// - what the check accepts, `pretty` indents into a text the check accepts.
void RunToolFuzzInput(std::string_view input);

}  // namespace lombar::fuzz
