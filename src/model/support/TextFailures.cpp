#include "model/support/TextFailures.h"

#include "frame/ErrorTrap.h"

namespace lombar {
namespace {

static_assert(kTextInvalidArgument == kInvalidProcedureCall && kTextOverflow == kOverflow &&
              kTextOutOfRange == kSubscriptOutOfRange);

// The name the writer and reader carry in the error log and in the messages
// of their errors.
constexpr std::string_view kXmlSource = "clsXML";

// Logs the failure being handled as the operation's and gives the error to
// raise; a TextError is the library's error first.
Error Logged(std::string_view operation) noexcept {
  const Operation failed{kXmlSource, operation};
  try {
    throw;
  } catch (const TextError& error) {
    try {
      throw LibraryError(error);
    } catch (...) {
      return LogCurrentError(failed, 0);
    }
  } catch (...) {
    return LogCurrentError(failed, 0);
  }
}

class FailuresLogged final : public XmlFailures {
 public:
  void Raise(std::string_view operation) const override { throw Logged(operation); }
  void CarryOn(std::string_view operation) const noexcept override { Logged(operation); }
};

}  // namespace

const XmlFailures& LoggedXmlFailures() noexcept {
  static const FailuresLogged failures;
  return failures;
}

Error LibraryError(const TextError& error) {
  if (error.Description().empty()) return Error::Runtime(error.Number());
  if (error.Source().empty()) return Error(error.Number(), error.Description());
  return Error(error.Number(), error.Description(), error.Source());
}

}  // namespace lombar
