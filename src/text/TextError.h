// The errors the text layer raises itself: an automation error number, and
// the description and source it is reported with. The library reports them
// as its own errors (model/support/TextFailures.h).
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace lombar {

// The numbers of the errors the text layer raises.
inline constexpr std::int32_t kTextInvalidArgument = 5;  // a length or position a text cannot have
inline constexpr std::int32_t kTextOverflow = 6;    // an occurrence stepped past the 16-bit range
inline constexpr std::int32_t kTextOutOfRange = 9;  // the position before the first character

class TextError : public std::exception {
 public:
  // An empty description stands for the number's usual one, an empty source
  // for the library's own.
  explicit TextError(std::int32_t number, std::string_view description = {},
                     std::string_view source = {})
      : number_(number), description_(description), source_(source) {}

  std::int32_t Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }
  const std::string& Source() const noexcept { return source_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  std::int32_t number_;
  std::string description_;
  std::string source_;
};

}  // namespace lombar
