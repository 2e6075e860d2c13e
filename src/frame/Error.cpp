#include "lombar/Error.h"

#include <utility>

namespace lombar {

std::string_view StandardDescription(std::int32_t number) noexcept {
  switch (number) {
    case kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kOutOfMemory:
      return "Out of memory";
    case kSubscriptOutOfRange:
      return "Subscript out of range";
    case kTypeMismatch:
      return "Type mismatch";
    case kCannotPerformOperation:
      return "Can't perform requested operation";
    case kInternalError:
      return "Internal error";
    case kFileNotFound:
      return "File not found";
    case kPathFileAccessError:
      return "Path/File access error";
    case kObjectNotSet:
      return "Object variable or With block variable not set";
    case kInvalidUseOfNull:
      return "Invalid use of Null";
    case kCannotCreateObject:
      return "ActiveX component can't create object";
    case kNoAutomationInterface:
      return "Class does not support Automation or does not support expected interface";
    case kMemberNotSupported:
      return "Object doesn't support this property or method";
    case kArgumentNotOptional:
      return "Argument not optional";
    case kWrongArgumentCount:
      return "Wrong number of arguments or invalid property assignment";
    case kDuplicateKey:
      return "This key is already associated with an element of this collection";
    case kUnsupportedVariantType:
      return "Variable uses an Automation type not supported";
    default:
      return "Application-defined or object-defined error";
  }
}

Error::Error(std::int32_t number, std::string description, std::string source)
    : number_(number), description_(std::move(description)), source_(std::move(source)) {}

Error Error::Runtime(std::int32_t number) {
  return Error(number, std::string(StandardDescription(number)));
}

void RaiseRuntime(std::int32_t number) {
  throw Error::Runtime(number);
}

}  // namespace lombar
