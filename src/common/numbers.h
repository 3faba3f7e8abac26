// Reading and writing numbers the same way on every machine, whatever its locale:
// only std::from_chars and std::to_chars touch digits here.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

enum class NumberStatus { Value, Empty, Invalid };

struct ParsedNumber {
  NumberStatus status = NumberStatus::Empty;
  double value = 0;  // 0 for an empty field, as the formats say
};

// A field's number: spaces around it are ignored, "." is the decimal point, and the
// forms this program writes read back ("3." is 3, ".5" is 0.5, "." is 0, "-.25").
// Texts that are not a finite number ("abc", "1,5", "nan", "inf", "1e999") are Invalid.
ParsedNumber ParseNumber(std::string_view field);

// The PET result rendering "#######.#0": two decimals of the double's exact value
// (ties to even), no leading zero, a lone "0" after the point when both decimals are
// zero, and never a sign on a zero (4.567 -> 4.57, 3 -> 3.0, 0.37 -> .37, 0 -> .0).
void AppendPetValue(std::string& out, double value);

// The coefficient rendering "#####.##": as above, but trailing zero decimals are
// dropped and negative values keep their "-" (3 -> 3., 2.5 -> 2.5, -0.25 -> -.25,
// 0 -> ., -0.004 -> .).
void AppendTwoPlace(std::string& out, double value);

// The weekly or monthly PeriodNumber: a space, the shortest decimal form, a space
// (7 -> " 7 ", 2.5 -> " 2.5 "); a negative number takes "-" in place of the first space.
void AppendPeriodNumber(std::string& out, double value);

// The shortest decimal form that reads back as the same double, for messages that quote
// a value (7, 2.5, -0.25, 13.2); "-0" is written 0.
std::string ShortestText(double value);

inline std::string PetValueText(double value) { std::string s; AppendPetValue(s, value); return s; }
inline std::string TwoPlaceText(double value) { std::string s; AppendTwoPlace(s, value); return s; }

}  // namespace sorvane
