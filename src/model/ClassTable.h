// The object model's class table: the twenty creatable classes, the text
// collection the item collection hands out, and the enumerations.
#pragma once

namespace lombar {

// Hands the table to the frame (frame/TypeLibrary.h); calling again changes
// nothing. The library file does it as it is loaded; a program linking the
// static archive does it before it asks the frame for a class.
void RegisterModelClasses() noexcept;

}  // namespace lombar
