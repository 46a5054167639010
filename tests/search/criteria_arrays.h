#pragma once
// The nine proximity arrays of the amenity criteria, in the order of the tabs.
#include "search/criteria.h"

namespace qw {

template <class F>
void ForEachDistance(AmenityCriteria& a, F f) {
  f(a.SupplyDistance);
  f(a.BoatyardDistance);
  f(a.RecreationDistance);
  f(a.EntertainmentDistance);
  f(a.EateryLodgingDistance);
  f(a.GeneralServiceDistance);
  f(a.ProvisioningDistance);
  f(a.TransportationDistance);
  f(a.MedicalDistance);
}

}  // namespace qw
