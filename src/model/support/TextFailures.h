// The text layer's failures as the library reports them: a failed operation
// of the XML writer or reader is logged as the "clsXML" operation it is
// ("clsXML | Get Value, Error # 6 at line: 0") and raised again as an error
// with that message, or logged and carried on from; an error the text layer
// raises (TextError) becomes the library's error of the same number.
#pragma once

#include "lombar/Error.h"
#include "text/TextError.h"
#include "text/XmlFailures.h"

namespace lombar {

// What the library's writers and readers are made with.
const XmlFailures& LoggedXmlFailures() noexcept;

// The library's error for the text layer's.
Error LibraryError(const TextError& error);

}  // namespace lombar
