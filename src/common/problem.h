// What went wrong with an input or a file operation, and the one way a function returns
// it. A reader or a file operation returns Expected<T>: its value, or the Problem that
// kept it from one. Only a job turns a Problem into a notice for its host.
#pragma once

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

// The value of T, or a Problem: what std::expected<T, Problem> is, kept small so that
// every compiler of this project (the fuzzers' clang among them) builds it.
template <class T>
class [[nodiscard]] Expected {
 public:
  template <class U = T, std::enable_if_t<std::is_constructible_v<T, U&&>, int> = 0>
  Expected(U&& value) : state_(std::in_place_index<0>, std::forward<U>(value)) {}
  Expected(Unexpected failure) : state_(std::in_place_index<1>, std::move(failure.problem)) {}

  bool has_value() const { return state_.index() == 0; }
  explicit operator bool() const { return has_value(); }
  T& operator*() & { return std::get<0>(state_); }
  const T& operator*() const& { return std::get<0>(state_); }
  T&& operator*() && { return std::get<0>(std::move(state_)); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  const Problem& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Problem> state_;
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
