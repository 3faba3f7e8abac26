// MethodTable: the eight methods in MethodId order, with the column each writes and
// the head words a file's header must contain for the method to run.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "run/pet_method.h"
#include "run/weather_record.h"

namespace sorvane {

struct MethodEntry {
  int id;                                     // MethodId, 1..8
  std::string_view name;                      // the result file's column head
  std::array<std::string_view, 6> headWords;  // substrings of the normalised header line; "" unused
  bool monthlyOnly;                           // Thornthwaite runs for monthly files only
};

inline constexpr std::array<MethodEntry, 8> kMethodTable{{
    {1, "Modified Penman", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, false},
    {2, "Hargreaves", {"TMAX", "TMIN", "", "", "", ""}, false},
    {3, "Turc", {"TMAX", "TMIN", "SS", "", "", ""}, false},
    {4, "Thornthwaite", {"TMAX", "TMIN", "", "", "", ""}, true},
    {5, "Blaney Criddle", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, false},
    {6, "Christiansen", {"TMAX", "TMIN", "WS", "RH", "SS", "EVP"}, false},
    {7, "PET Open pan", {"WS", "RH", "EVP", "", "", ""}, false},
    {8, "Penman Montieth", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, false},
}};
static_assert(kMethodTable[3].name == "Thornthwaite" && kMethodTable[7].id == 8);

inline constexpr int kThornthwaiteId = 4;

// The MethodIds whose head words all occur in the normalised header line, ascending;
// Thornthwaite only for monthly files.
std::vector<int> AvailableMethods(std::string_view normalisedHeaderLine, PeriodType period);

const MethodEntry& MethodEntryFor(int id);
const PetMethod& MethodFor(int id);

}  // namespace sorvane
