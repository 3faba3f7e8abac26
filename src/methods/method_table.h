// MethodTable: the eight methods in MethodId order, each with the column it writes, the
// head words a file's header must contain for it to run, and its formula.
#pragma once

#include <array>
#include <string_view>

#include "methods/methods.h"

namespace sorvane {

enum class MethodId {
  ModifiedPenman = 1,
  Hargreaves,
  Turc,
  Thornthwaite,
  BlaneyCriddle,
  Christiansen,
  OpenPan,
  PenmanMonteith,
};

using MethodFunction = PetMethod*;

struct MethodEntry {
  MethodId id;
  std::string_view name;                      // the result file's column head
  std::array<std::string_view, 6> headWords;  // substrings of the normalised header line; "" unused
  MethodFunction compute;
};

inline constexpr std::array<MethodEntry, 8> kMethodTable{{
    {MethodId::ModifiedPenman, "Modified Penman", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, ModifiedPenman},
    {MethodId::Hargreaves, "Hargreaves", {"TMAX", "TMIN", "", "", "", ""}, Hargreaves},
    {MethodId::Turc, "Turc", {"TMAX", "TMIN", "SS", "", "", ""}, Turc},
    {MethodId::Thornthwaite, "Thornthwaite", {"TMAX", "TMIN", "", "", "", ""}, Thornthwaite},
    {MethodId::BlaneyCriddle, "Blaney Criddle", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, BlaneyCriddle},
    {MethodId::Christiansen, "Christiansen", {"TMAX", "TMIN", "WS", "RH", "SS", "EVP"}, Christiansen},
    {MethodId::OpenPan, "PET Open pan", {"WS", "RH", "EVP", "", "", ""}, OpenPan},
    {MethodId::PenmanMonteith, "Penman Montieth", {"TMAX", "TMIN", "WS", "RH", "SS", ""}, PenmanMonteith},
}};

constexpr bool InMethodIdOrder() {
  for (std::size_t i = 0; i < kMethodTable.size(); ++i)
    if (static_cast<std::size_t>(kMethodTable[i].id) != i + 1) return false;
  return true;
}
static_assert(InMethodIdOrder());

// The row of `id`: the table is in MethodId order from 1.
constexpr const MethodEntry& MethodEntryFor(MethodId id) {
  return kMethodTable[static_cast<std::size_t>(id) - 1];
}

}  // namespace sorvane
