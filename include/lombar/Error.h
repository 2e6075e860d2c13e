// Errors as automation reports them: a number, a source and a description.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace lombar {

// The source the library's own runtime errors carry when no other is given.
inline constexpr std::string_view kDefaultErrorSource = "qorkwz_LOMBARv3";

// The runtime error numbers the object model raises or passes on.
enum ErrorNumber : std::int32_t {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kCannotPerformOperation = 17,
  kInternalError = 51,
  kFileNotFound = 53,
  kPathFileAccessError = 75,
  kObjectNotSet = 91,
  kInvalidUseOfNull = 94,
  kCannotCreateObject = 429,
  kNoAutomationInterface = 430,
  kMemberNotSupported = 438,
  kArgumentNotOptional = 449,
  kWrongArgumentCount = 450,
  kDuplicateKey = 457,
  kUnsupportedVariantType = 458,
};

// The runtime's usual description of an error number ("Overflow" for 6);
// "Application-defined or object-defined error" for numbers it does not name.
std::string_view StandardDescription(std::int32_t number) noexcept;

class Error : public std::exception {
 public:
  Error(std::int32_t number, std::string description,
        std::string source = std::string(kDefaultErrorSource));

  // The runtime error with its standard description and the default source.
  static Error Runtime(std::int32_t number);

  std::int32_t Number() const noexcept { return number_; }
  const std::string& Source() const noexcept { return source_; }
  const std::string& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  std::int32_t number_;
  std::string description_;
  std::string source_;
};

// Raises the runtime error `number` with its standard description.
[[noreturn]] void RaiseRuntime(std::int32_t number);

}  // namespace lombar
