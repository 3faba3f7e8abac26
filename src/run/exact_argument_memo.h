// ExactArgumentMemo: the results of a pure function of one double, remembered by the
// exact bits of the argument.
//
// Stations write their temperatures and winds with one decimal, so a long file holds a
// few hundred distinct values of each, and the costliest steps of a method (exp, log,
// pow of a temperature) are mostly looked up instead of computed again. A remembered
// result is the one the function gave for that very argument: a method computes the
// same value, bit for bit, with the memo or without it.
//
// Not for sharing between threads: each thread of a run keeps its own.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace sorvane {

template <typename Result, std::size_t kEntries>
class ExactArgumentMemo {
  static_assert(std::has_single_bit(kEntries), "a power of two, so the slot is the top bits of a hash");

 public:
  template <typename Function>
  Result Get(double argument, Function function) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(argument);
    if (argument != argument) return function(argument);  // NaN: never remembered
    Entry& entry = entries_[(bits * 0x9E3779B97F4A7C15ull) >> (64 - kSlotBits)];
    if (entry.mark != (bits ^ kEmpty)) {
      entry.result = function(argument);
      entry.mark = bits ^ kEmpty;
    }
    return entry.result;
  }

 private:
  static constexpr int kSlotBits = std::bit_width(kEntries) - 1;
  // A slot's mark is its argument's bits xor this NaN pattern, so the zeros of a new
  // memo mark no number at all.
  static constexpr std::uint64_t kEmpty = 0x7FF4D1E0C0FFEE11ull;

  struct Entry {
    std::uint64_t mark;
    Result result;
  };
  // Aligned to a cache line, so that an entry whose size divides 64 never straddles two.
  alignas(64) Entry entries_[kEntries]{};
};

}  // namespace sorvane
