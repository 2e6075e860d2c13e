#include "lombar/ICatVehicle.h"

#include "base/Text.h"
#include "model/support/RecordTable.h"

namespace lombar {

const RecordTable<ICatVehicle>& ICatVehicle::Table() {
  using V = ICatVehicle;
  static const auto table =
      RecordTable<V>(kClassName, "{A305EFA8-3D91-4E9B-8C63-7866EE329343}",
                     "{293EF783-A7F1-43E3-85AB-DBD09C083596}",
                     "The vehicle being worked on: its year, make, model, engine, VIN, plate, mileage "
                     "and details (Specs).")
          .Xml(PropertyId(10),
               {.group = kElement, .guard = Guard::kTraced, .cut_empty_elements = true})
          .Property("AAIA", PropertyId(9), &V::aaia_, Leaf("AAIA"))
          .Property("Year", PropertyId(8), &V::year_, Leaf("Year"))
          .Property("Make", PropertyId(7), &V::make_, Leaf("Make"))
          .Property("Model", PropertyId(6), &V::model_, Leaf("Model"))
          .Property("Engine", PropertyId(5), &V::engine_, Leaf("Engine"))
          .Property("VIN", PropertyId(4), &V::vin_, Leaf("VIN"))
          .GetFirst()
          .LetByRef()
          .Property("Plate", PropertyId(3), &V::plate_, Leaf("Plate"))
          .GetFirst()
          .LetByRef()
          .Property("Description", PropertyId(2), &V::description_, Leaf("Description"))
          .Getter(&V::Description)
          .Property("CurrentMileage", PropertyId(1), &V::current_mileage_, Leaf("CurrentMileage"))
          .GetFirst()
          .LetByRef()
          .Property("Specs", PropertyId(0), &V::specs_, Child(ICatSpecCol::kClassName))
          .ClearedInPlace()
          .Method("Clear", MethodId(11), &V::Clear)
          .Build();
  return table;
}

template class Record<ICatVehicle>;

ICatVehicle::ICatVehicle() {
  TracedAndTrapped({kClassName, "Class_Initialize"}, [&] { specs_ = MakeRef<ICatSpecCol>(); });
}

ICatVehicle::~ICatVehicle() {
  TracePrologue({kClassName, "Class_Terminate"});
}

std::string ICatVehicle::Description() const {
  if (!description_.empty()) return description_.String();
  return Concat({year_, " ", make_, " ", model_, " ", engine_});
}

}  // namespace lombar
