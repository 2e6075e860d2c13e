// The common error convention and the trace prologue, written once for every
// operation of the library.
//
// A trapped operation runs its body under Trapped(): when any step fails, the
// message "Class | Operation, Error # n at line: l" CR LF description goes to
// the error log and the same error number is raised again with that message as
// its description. Swallowed() logs the same way and returns normally instead.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "lombar/Error.h"
#include "lombar/Variant.h"

namespace lombar {

// Names an operation for traces and error messages: {"ICatPresetCol", "Get XML"}.
struct Operation {
  std::string_view class_name;
  std::string_view name;
};

// "ICatPresetCol | Get XML"
std::string OperationText(const Operation& operation);

// Writes the operation's trace line when this thread's trace switch is on;
// does nothing at all otherwise.
void TracePrologue(const Operation& operation) noexcept;

// "Class | Operation, Error # n at line: l" CR LF description.
std::string ComposeErrorMessage(const Operation& operation, std::int32_t number, Long line,
                                std::string_view description);

// Inside a catch block: the number and description of the error being
// handled (library errors as raised, out of memory as 7, anything else as 51).
Error CurrentError() noexcept;

// Inside a catch block: logs the composed message of the error being handled
// and returns the error to raise again (same number, default source); out of
// memory, uncomposed, when there is none left to compose it.
Error LogCurrentError(const Operation& operation, Long line) noexcept;

// Runs `body` under the error trap. A body that takes a `Long&` numbers its
// statements through it, and the failing statement's number is reported;
// otherwise the line is 0.
template <class Body>
decltype(auto) Trapped(const Operation& operation, Body&& body) {
  Long line = 0;
  try {
    if constexpr (std::is_invocable_v<Body, Long&>) {
      return body(line);
    } else {
      return body();
    }
  } catch (...) {
    throw LogCurrentError(operation, line);
  }
}

// The trace line first, then `body` under the error trap: the opening of
// every traced operation.
template <class Body>
decltype(auto) TracedAndTrapped(const Operation& operation, Body&& body) {
  TracePrologue(operation);
  return Trapped(operation, std::forward<Body>(body));
}

// Runs `body` under a trap that logs its error and carries on, returning
// `fallback` in place of the failed body's result.
template <class Result, class Body>
Result SwallowedOr(const Operation& operation, Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    LogCurrentError(operation, 0);
    return fallback;
  }
}

template <class Body>
void Swallowed(const Operation& operation, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    LogCurrentError(operation, 0);
  }
}

}  // namespace lombar
