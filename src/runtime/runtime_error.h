// Run-time errors: the classic error numbers with their German texts, and the
// three ways a procedure meets them (propagate, ignore per statement, own handler).
#pragma once

#include <exception>
#include <string>

namespace vemora {

enum class ErrorNumber : int {
  kInvalidCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kDivisionByZero = 11,
  kFileNotFound = 53,
  kInvalidPropertyValue = 380,
  kPropertyNotSupported = 438,
};

// The German text the user sees for an error number.
const char* ErrorText(ErrorNumber number);

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorNumber number) : number_(number) {}
  ErrorNumber Number() const { return number_; }
  int Code() const { return static_cast<int>(number_); }
  const char* what() const noexcept override { return ErrorText(number_); }

 private:
  ErrorNumber number_;
};

[[noreturn]] void Raise(ErrorNumber number);

// "Laufzeitfehler '6':", a blank line and the error's text.
std::string UnhandledErrorMessage(const RuntimeError& error);

// Runs one statement; a run-time error abandons only that statement.
// Anything else (a programming fault) still propagates.
template <class Statement>
void IgnoreErrors(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError&) {
  }
}

}  // namespace vemora
