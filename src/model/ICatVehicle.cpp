#include "lombar/ICatVehicle.h"

#include "base/Text.h"
#include "model/support/RecordTable.h"

namespace lombar {

const RecordShape& ICatVehicle::Table() {
  using V = ICatVehicle;
  static const auto table =
      RecordTable<V>(kClassName, "{A305EFA8-3D91-4E9B-8C63-7866EE329343}",
                     "{293EF783-A7F1-43E3-85AB-DBD09C083596}",
                     "The vehicle being worked on: its year, make, model, engine, VIN, plate, mileage "
                     "and details (Specs).")
          .Xml(PropertyId(10),
               {.group = kElement, .guard = Guard::kTraced, .cut_empty_elements = true})
          .Help("The vehicle as one Vehicle element with its Specs, empty elements left out; "
                "assigning a text clears the vehicle and reloads the same Specs collection.")
          .Property("AAIA", PropertyId(9), &V::aaia_, Leaf("AAIA"))
          .Help("The vehicle's AAIA identifier, kept as text.")
          .Property("Year", PropertyId(8), &V::year_, Leaf("Year"))
          .Help("The model year, kept as text.")
          .Property("Make", PropertyId(7), &V::make_, Leaf("Make"))
          .Help("The vehicle's make.")
          .Property("Model", PropertyId(6), &V::model_, Leaf("Model"))
          .Help("The vehicle's model.")
          .Property("Engine", PropertyId(5), &V::engine_, Leaf("Engine"))
          .Help("The vehicle's engine.")
          .Property("VIN", PropertyId(4), &V::vin_, Leaf("VIN"))
          .GetFirst()
          .LetByRef()
          .Help("The vehicle identification number.")
          .Property("Plate", PropertyId(3), &V::plate_, Leaf("Plate"))
          .GetFirst()
          .LetByRef()
          .Help("The licence plate.")
          .Property("Description", PropertyId(2), &V::description_, Leaf("Description"))
          .Getter(&V::Description)
          .Help("The stored description, or when it is empty Year, Make, Model and Engine joined "
                "by single spaces, untrimmed; XML holds only the stored text.")
          .Property("CurrentMileage", PropertyId(1), &V::current_mileage_, Leaf("CurrentMileage"))
          .GetFirst()
          .LetByRef()
          .Help("The current mileage, kept as text.")
          .Property("Specs", PropertyId(0), &V::specs_, Child(ICatSpecCol::kClassName))
          .ClearedInPlace()
          .Help("The vehicle's details, each an ICatSpec; setting them shares the collection "
                "given, and Clear empties it in place.")
          .Method("Clear", MethodId(11), &V::Clear)
          .Help("Empties the nine texts and the Specs collection, which stays the same object.")
          .Build();
  return table;
}

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
