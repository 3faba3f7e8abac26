// What went wrong with an input or a file operation, and the one way a function returns
// it. A reader or a file operation returns Expected<T>: its value, or the Problem that
// kept it from one. Only a job turns a Problem into a notice for its host.
#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace sorvane {

struct Problem {
  std::string file;     // as the user knows it; empty when the caller names the file itself
  long line = 0;        // from 1; 0: the file as a whole
  std::string field;    // the field's head, when one field is at fault
  std::string message;  // what is wrong, in the user's words
  bool operator==(const Problem&) const = default;
};

// The problem as the reason within a sentence that names its file: "line 3: what", or
// "what" for the file as a whole.
inline std::string Reason(const Problem& problem) {
  return problem.line > 0 ? "line " + std::to_string(problem.line) + ": " + problem.message : problem.message;
}

// A problem on line `line` (0: the file as a whole) of a file the caller names.
inline Problem AtLine(long line, std::string message) { return Problem{{}, line, {}, std::move(message)}; }

// A Problem on its way out of a function returning Expected<T>.
struct Unexpected {
  Problem problem;
};
inline Unexpected Fail(Problem problem) { return {std::move(problem)}; }
// A problem whose text says everything, of no particular file or line (a reason such as
// "No such file or directory" that the caller places in its own sentence).
inline Unexpected Fail(std::string message) { return {Problem{{}, 0, {}, std::move(message)}}; }
inline Unexpected Fail(long line, std::string message) { return {Problem{{}, line, {}, std::move(message)}}; }

namespace detail {

// Where an Expected keeps its value or its problem: in a variant, ...
template <class T, bool Small = std::is_trivially_copyable_v<T> && std::is_default_constructible_v<T> &&
                                sizeof(T) <= sizeof(void*)>
class ExpectedState {
 public:
  template <class U>
  explicit ExpectedState(std::in_place_index_t<0>, U&& value) : state_(std::in_place_index<0>, std::forward<U>(value)) {}
  explicit ExpectedState(Problem problem) : state_(std::in_place_index<1>, std::move(problem)) {}

  bool HasValue() const { return state_.index() == 0; }
  T& Value() & { return std::get<0>(state_); }
  const T& Value() const& { return std::get<0>(state_); }
  T&& Value() && { return std::get<0>(std::move(state_)); }
  const Problem& Error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Problem> state_;
};

// ... or, for a value as small as a pointer (the Step of a row reader, read millions of
// times a second), beside a problem held apart: the happy path then only stores the value
// and a null pointer, and tests that pointer once when it ends.
template <class T>
class ExpectedState<T, true> {
 public:
  template <class U>
  explicit ExpectedState(std::in_place_index_t<0>, U&& value) : value_(std::forward<U>(value)) {}
  explicit ExpectedState(Problem problem) : problem_(std::make_unique<Problem>(std::move(problem))) {}
  ExpectedState(const ExpectedState& other)
      : value_(other.value_), problem_(other.problem_ ? std::make_unique<Problem>(*other.problem_) : nullptr) {}
  ExpectedState(ExpectedState&&) noexcept = default;
  ExpectedState& operator=(const ExpectedState& other) {
    if (this != &other) *this = ExpectedState(other);
    return *this;
  }
  ExpectedState& operator=(ExpectedState&&) noexcept = default;
  ~ExpectedState() = default;

  bool HasValue() const { return problem_ == nullptr; }
  T& Value() & { return value_; }
  const T& Value() const& { return value_; }
  T&& Value() && { return std::move(value_); }
  const Problem& Error() const { return *problem_; }

 private:
  T value_{};
  std::unique_ptr<Problem> problem_;
};

}  // namespace detail

// The value of T, or a Problem: what std::expected<T, Problem> is, kept small so that
// every compiler of this project (the fuzzers' clang among them) builds it.
template <class T>
class [[nodiscard]] Expected {
 public:
  template <class U = T, std::enable_if_t<std::is_constructible_v<T, U&&>, int> = 0>
  Expected(U&& value) : state_(std::in_place_index<0>, std::forward<U>(value)) {}
  Expected(Unexpected failure) : state_(std::move(failure.problem)) {}

  bool has_value() const { return state_.HasValue(); }
  explicit operator bool() const { return has_value(); }
  T& operator*() & { return state_.Value(); }
  const T& operator*() const& { return state_.Value(); }
  T&& operator*() && { return std::move(state_).Value(); }
  T* operator->() { return &state_.Value(); }
  const T* operator->() const { return &state_.Value(); }
  const Problem& error() const { return state_.Error(); }

  // As std::expected compares: a value equal to `value`, not a problem.
  friend bool operator==(const Expected& read, const T& value) { return read.has_value() && *read == value; }

 private:
  detail::ExpectedState<T> state_;
};

template <>
class [[nodiscard]] Expected<void> {
 public:
  Expected() = default;
  Expected(Unexpected failure) : problem_(std::move(failure.problem)), failed_(true) {}
  bool has_value() const { return !failed_; }
  explicit operator bool() const { return has_value(); }
  const Problem& error() const { return problem_; }

 private:
  Problem problem_;
  bool failed_ = false;
};

}  // namespace sorvane
