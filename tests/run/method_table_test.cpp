#include "run/method_table.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace sorvane {
namespace {

ParameterSet SetOf(const std::vector<Parameter>& parameters) {
  ParameterSet set = 0;
  for (Parameter p : parameters) set |= Bit(p);
  return set;
}

// A method runs on every parameter it needs, a humidity its published form takes (RH1 or
// RH2, TDEW, or a mean RH) and a sunshine (SS or RS).
TEST(AvailableMethods, FollowTheParametersPresentAndTheirAlternatives) {
  struct Case {
    std::vector<Parameter> present;
    PeriodType period;
    std::vector<int> methods;
  };
  using enum Parameter;
  const Case cases[] = {
      {{TMAX, TMIN}, PeriodType::Date, {2}},
      {{TMAX, TMIN}, PeriodType::Week, {2}},
      {{TMAX, TMIN}, PeriodType::Month, {2, 4}},
      {{TMAX, TMIN, RH1, RH2, WS, SS, EVP}, PeriodType::Month, {1, 2, 3, 4, 5, 6, 7, 8}},
      {{TMAX, TMIN, RH1, RH2, WS, SS, EVP}, PeriodType::Date, {1, 2, 3, 5, 6, 7, 8}},
      {{TMAX, TMIN, RH1, RH2, WS, SS, EVP}, PeriodType::Week, {1, 2, 3, 5, 6, 7, 8}},
      {{WS, RH2, EVP}, PeriodType::Date, {7}},
      {{TMAX, TMIN, RH1, WS, SS}, PeriodType::Date, {1, 2, 3, 5, 8}},
      {{TMAX, TMIN, RH2, WS, SS}, PeriodType::Month, {1, 2, 3, 4, 5, 8}},
      {{TMAX, TMIN, None}, PeriodType::Date, {2}},  // PRESS or RAIN: no SS, no Turc
      {{TMAX, None}, PeriodType::Date, {}},         // TMIN1
      {{}, PeriodType::Date, {}},
      {{TMAX, TMIN, RS}, PeriodType::Date, {2, 3}},
      {{TMAX, TMIN, WS, RS, TDEW, EVP}, PeriodType::Date, {1, 2, 3, 5, 6, 7, 8}},
      {{TMAX, TMIN, WS, SS, RH, EVP}, PeriodType::Date, {1, 2, 3, 6, 7, 8}},  // Blaney-Criddle takes RHmin
      {{WS, RH, EVP}, PeriodType::Date, {7}},
      {{WS, TDEW, EVP}, PeriodType::Date, {}},  // the dew point's mean humidity needs TMAX and TMIN
  };
  for (const Case& c : cases)
    EXPECT_EQ(AvailableMethods(SetOf(c.present), c.period), c.methods) << ::testing::PrintToString(c.methods);
}

// What a method lacks names the alternatives that would let it run.
TEST(MethodTable, LackedParametersNameTheirAlternatives) {
  struct Case {
    MethodId method;
    std::vector<Parameter> present;
    std::vector<std::string> lacking;
  };
  using enum Parameter;
  const Case cases[] = {
      {MethodId::PenmanMonteith, {TMAX, TMIN}, {"WS", "RH1/RH2, RH or TDEW", "SS or RS"}},
      {MethodId::PenmanMonteith, {TMAX, TMIN, WS, RH, RS}, {}},
      {MethodId::BlaneyCriddle, {TMAX, TMIN, WS, SS, RH}, {"RH1/RH2 or TDEW"}},
      {MethodId::OpenPan, {WS, EVP, TDEW}, {"RH1/RH2, RH or TDEW with TMAX and TMIN"}},
      {MethodId::Thornthwaite, {TMAX}, {"TMIN", "a monthly file"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LackedBy(static_cast<int>(c.method), SetOf(c.present), PeriodType::Date), c.lacking)
        << MethodEntryFor(c.method).name;
}

// Each source of the humidity and the sunshine is read where it is the one chosen.
TEST(MethodTable, ParametersReadFollowTheFilesSources) {
  using enum Parameter;
  const int pm = static_cast<int>(MethodId::PenmanMonteith);
  EXPECT_EQ(ParametersRead(pm, InputsOf(SetOf({TMAX, TMIN, WS, RH1, RH2, SS, RS, TDEW}))),
            SetOf({TMAX, TMIN, WS, RH1, RH2, SS}));
  EXPECT_EQ(ParametersRead(pm, InputsOf(SetOf({TMAX, TMIN, WS, RS, TDEW, RH}))), SetOf({TMAX, TMIN, WS, RS, TDEW}));
  EXPECT_EQ(ParametersRead(pm, InputsOf(SetOf({TMAX, TMIN, WS, RS, RH}))), SetOf({TMAX, TMIN, WS, RS, RH}));
}

TEST(MethodTable, NamesTheResultColumnsInMethodIdOrder) {
  const char* names[] = {"Modified Penman", "Hargreaves",   "Turc",         "Thornthwaite",
                         "Blaney Criddle",  "Christiansen", "PET Open pan", "Penman Montieth"};
  for (int id = 1; id <= 8; ++id) EXPECT_EQ(MethodEntryFor(id).name, names[id - 1]);
}

}  // namespace
}  // namespace sorvane
