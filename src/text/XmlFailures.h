// What the XML writer and reader do when one of their operations fails.
//
// The text is never at fault: what a reader cannot find comes back empty,
// and a writer writes what it is given. What fails is memory, or an
// occurrence stepped past the 16-bit range (a TextError). Each operation
// either raises its failure or carries on without its result, as its
// comment says; what raising and carrying on do is the host's, through
// this interface, which a writer or reader is given when it is made. The
// library's (model/support/TextFailures.h) logs the failure under the
// operation's name and raises it again as the library's error.
#pragma once

#include <string_view>
#include <utility>

namespace lombar {

class XmlFailures {
 public:
  // Both are called inside the catch block of the failure, with the name of
  // the operation that failed ("Add", "Get Value"). Raise may throw the
  // failure as another error; when it returns, the failure goes on as it is.
  virtual void Raise(std::string_view operation) const = 0;
  virtual void CarryOn(std::string_view operation) const noexcept = 0;

  // Raises each failure as it is met and carries on from one without a
  // word: for a writer or reader used apart from the library's objects.
  static const XmlFailures& AsTheyAre() noexcept;

 protected:
  ~XmlFailures() = default;
};

// Runs the body of the operation `operation`; a failure goes to `failures`
// to be raised.
template <class Body>
decltype(auto) Raising(const XmlFailures& failures, std::string_view operation, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    failures.Raise(operation);
    throw;
  }
}

// The same for an operation that carries on after a failure, with
// `fallback` in place of its result.
template <class Result, class Body>
Result CarryingOn(const XmlFailures& failures, std::string_view operation, Result fallback,
                  Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    failures.CarryOn(operation);
    return fallback;
  }
}
template <class Body>
void CarryingOn(const XmlFailures& failures, std::string_view operation, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    failures.CarryOn(operation);
  }
}

}  // namespace lombar
