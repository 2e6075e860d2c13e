#include "frame/ErrorTrap.h"

#include <new>

#include "frame/DiagnosticLog.h"

namespace lombar {

std::string OperationText(const Operation& operation) {
  std::string text(operation.class_name);
  text.append(" | ").append(operation.name);
  return text;
}

void TracePrologue(const Operation& operation) noexcept {
  if (!TraceSwitch()) return;
  try {
    FileLogTrace(OperationText(operation));
  } catch (...) {
    // Tracing never disturbs the traced operation.
  }
}

std::string ComposeErrorMessage(const Operation& operation, std::int32_t number, Long line,
                                std::string_view description) {
  std::string message = OperationText(operation);
  message.append(", Error # ")
      .append(std::to_string(number))
      .append(" at line: ")
      .append(std::to_string(line))
      .append("\r\n")
      .append(description);
  return message;
}

Error CurrentError() noexcept {
  try {
    throw;
  } catch (const Error& error) {
    try {
      return error;
    } catch (const std::bad_alloc&) {
      return Error::Runtime(kOutOfMemory);  // its texts are short enough to need no memory
    }
  } catch (const std::bad_alloc&) {
    return Error::Runtime(kOutOfMemory);
  } catch (...) {
    return Error::Runtime(kInternalError);
  }
}

Error LogCurrentError(const Operation& operation, Long line) noexcept {
  try {
    const Error error = CurrentError();
    std::string message = ComposeErrorMessage(operation, error.Number(), line, error.Description());
    FileLogError(message);
    return Error(error.Number(), std::move(message));
  } catch (const std::bad_alloc&) {
    return Error::Runtime(kOutOfMemory);  // no memory left to compose the message
  }
}

}  // namespace lombar
