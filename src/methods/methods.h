// The eight PET methods, one file each, in MethodId order.
#pragma once

#include "methods/pet_method.h"
#include "methods/row_terms.h"

namespace sorvane {

// What every method is: one record, the station, the file's constants and the record's
// shared terms in; mm for the record's period out (see methods/pet_method.h).
using PetMethod = double(const WeatherRecord& record, const StationHeader& station,
                         const StationConstants& constants, const RowTerms& terms);

PetMethod ModifiedPenman;  // MethodId 1
PetMethod Hargreaves;      // MethodId 2
PetMethod Turc;            // MethodId 3
PetMethod Thornthwaite;    // MethodId 4
PetMethod BlaneyCriddle;   // MethodId 5
PetMethod Christiansen;    // MethodId 6
PetMethod OpenPan;         // MethodId 7
PetMethod PenmanMonteith;  // MethodId 8

}  // namespace sorvane
