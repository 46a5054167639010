#pragma once
// The one shape of a failure: the run-time error the error reporter shows
// (number, source, description), and Result<T>, a procedure's value or that
// error. Engine calls throw JetError; callers that return a Result convert
// with Attempt or RuntimeError::From. A step that the program skips when it
// fails runs through SkipOnFailure (services/error_handler.h), which logs it.
#include <QString>
#include <exception>
#include <type_traits>
#include <utility>
#include <variant>

namespace qw {

// The number given to a failure that is neither an engine error nor one of
// the program's own numbered errors.
inline constexpr int kGeneralRuntimeError = 5;

// The run-time error a procedure is handling when it calls ErrorHandler.
struct RuntimeError {
  int number = 0;
  QString source;
  QString description;
  QString helpFile;
  int helpContext = 0;

  // A JetError keeps its number, source and description; any other exception
  // becomes kGeneralRuntimeError with its what() as the description.
  static RuntimeError From(const std::exception& e);
};

// A value, or the error that kept the procedure from making one.
template <typename T>
class Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(RuntimeError error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  // The value; only when ok().
  const T& value() const { return std::get<0>(state_); }
  T& value() { return std::get<0>(state_); }
  // The value, or fallback after a failure.
  T value_or(T fallback) const { return ok() ? value() : std::move(fallback); }
  // The error; an empty one (number 0) when ok().
  const RuntimeError& error() const {
    static const RuntimeError none;
    return ok() ? none : std::get<1>(state_);
  }

 private:
  std::variant<T, RuntimeError> state_;
};

// Runs work and returns its value, or the error of whatever it threw.
template <typename F>
auto Attempt(F&& work) -> Result<std::invoke_result_t<F>> {
  try {
    return std::forward<F>(work)();
  } catch (const std::exception& e) {
    return RuntimeError::From(e);
  }
}

}  // namespace qw
