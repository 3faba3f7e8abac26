// The eight PET methods, one file each, in MethodId order.
#pragma once

#include "run/pet_method.h"

namespace sorvane {

#define SORVANE_PET_METHOD(Name)                                                       \
  class Name final : public PetMethod {                                                \
   public:                                                                             \
    double Compute(const WeatherRecord& record, const StationHeader& station,          \
                   const StationConstants& constants) const override;                  \
  };

SORVANE_PET_METHOD(ModifiedPenman)   // MethodId 1
SORVANE_PET_METHOD(Hargreaves)       // MethodId 2
SORVANE_PET_METHOD(Turc)             // MethodId 3
SORVANE_PET_METHOD(Thornthwaite)     // MethodId 4
SORVANE_PET_METHOD(BlaneyCriddle)    // MethodId 5
SORVANE_PET_METHOD(Christiansen)     // MethodId 6
SORVANE_PET_METHOD(OpenPan)          // MethodId 7
SORVANE_PET_METHOD(PenmanMonteith)   // MethodId 8

#undef SORVANE_PET_METHOD

}  // namespace sorvane
