// TwoPlaceText, the "#####.##" rendering of the coefficient and adjusted files.
#include <gtest/gtest.h>

#include "common/numbers.h"

namespace sorvane {
namespace {

struct Rendering {
  double value;
  const char* written;
};

// The rendering table of the coefficient file's description.
constexpr Rendering kTable[] = {
    {17.41, "17.41"}, {4.567, "4.57"}, {2.5, "2.5"},    {3, "3."},           {0.37, ".37"},
    {0.004, "."},     {0, "."},        {-0.25, "-.25"}, {123.456, "123.46"}, {17.4, "17.4"},
    {85, "85."},      {0.5, ".5"},     {-1, "-1."},
};

TEST(TwoPlaceText, RenderingTable) {
  for (const auto& c : kTable) EXPECT_EQ(TwoPlaceText(c.value), c.written) << c.value;
}

// Rounding is of the double's exact binary value, exact ties to even; a negative value
// that rounds to zero loses its sign.
constexpr Rendering kChosenRounding[] = {
    {0.125, ".12"},   // an exact tie: to the even hundredth
    {0.375, ".38"},   // an exact tie: to the even hundredth
    {2.675, "2.67"},  // the nearest double lies below 2.675
    {-2.675, "-2.67"},
    {1.005, "1."},    // the nearest double lies below 1.005
    {-0.004, "."},    // rounds to zero: no "-"
    {-0.5, "-.5"},    // negative values keep their "-"
    {-12.3, "-12.3"},
    {100000.0, "100000."},  // every digit of the integer part
};

TEST(TwoPlaceText, RoundsTheExactValueTiesToEvenAndDropsTheSignOfZero) {
  for (const auto& c : kChosenRounding) EXPECT_EQ(TwoPlaceText(c.value), c.written) << c.value;
}

TEST(TwoPlaceText, WrittenFormsReadBackAsNumbers) {
  struct ReadBack {
    const char* text;
    double value;
  };
  // TwoPlaceText's forms, and the PET result file's ".0" and ".37".
  constexpr ReadBack kForms[] = {{"3.", 3}, {".", 0}, {"-.25", -0.25}, {".0", 0}, {".37", 0.37}, {"17.41", 17.41}};
  for (const auto& form : kForms) {
    const ParsedNumber parsed = ParseNumber(form.text);
    EXPECT_EQ(parsed.status, NumberStatus::Value) << form.text;
    EXPECT_EQ(parsed.value, form.value) << form.text;
  }
}

}  // namespace
}  // namespace sorvane
