// The vehicle a catalog selection is made for: its identifying texts and
// its specs. The catalog, the item collection and the preset and list
// collections each hold one and embed its XML in theirs.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "lombar/AutomationObject.h"
#include "lombar/ICatSpecCol.h"

namespace lombar {

class ICatVehicle final : public AutomationClass<ICatVehicle> {
 public:
  static constexpr std::string_view kClassName = "ICatVehicle";
  static constexpr std::string_view kElement = "Vehicle";
  static const ClassInfo& TypeInfo();

  ICatVehicle();
  ~ICatVehicle() override;

  // The group Vehicle with one leaf per text and the specs, stripped of
  // empty elements: a vehicle without data writes the empty text.
  std::string XML() const;
  // Clears, then reads each text from the first element of its name and
  // reloads the held Specs collection in place.
  void SetXML(std::string_view xml);

  // Texts are stored and returned as given.
  const std::string& AAIA() const { return texts_[kAAIA]; }
  void SetAAIA(std::string_view aaia) { texts_[kAAIA] = aaia; }
  const std::string& Year() const { return texts_[kYear]; }
  void SetYear(std::string_view year) { texts_[kYear] = year; }
  const std::string& Make() const { return texts_[kMake]; }
  void SetMake(std::string_view make) { texts_[kMake] = make; }
  const std::string& Model() const { return texts_[kModel]; }
  void SetModel(std::string_view model) { texts_[kModel] = model; }
  const std::string& Engine() const { return texts_[kEngine]; }
  void SetEngine(std::string_view engine) { texts_[kEngine] = engine; }
  const std::string& VIN() const { return texts_[kVIN]; }
  void SetVIN(std::string_view vin) { texts_[kVIN] = vin; }
  const std::string& Plate() const { return texts_[kPlate]; }
  void SetPlate(std::string_view plate) { texts_[kPlate] = plate; }
  // The stored description, or when that is empty "Year Make Model Engine"
  // joined by single spaces as they are. XML writes only the stored text.
  std::string Description() const;
  void SetDescription(std::string_view description) { texts_[kDescription] = description; }
  const std::string& CurrentMileage() const { return texts_[kCurrentMileage]; }
  void SetCurrentMileage(std::string_view mileage) { texts_[kCurrentMileage] = mileage; }

  // Set shares the caller's collection.
  Ref<ICatSpecCol> Specs() const { return specs_; }
  void SetSpecs(const Ref<ICatSpecCol>& specs) { specs_ = specs; }

  // Empties the texts and the held Specs collection.
  void Clear();

 private:
  // The texts, in the order their leaves are written.
  enum Text : std::size_t {
    kAAIA,
    kYear,
    kMake,
    kModel,
    kEngine,
    kVIN,
    kPlate,
    kDescription,
    kCurrentMileage,
    kTextCount
  };

  std::array<std::string, kTextCount> texts_;
  Ref<ICatSpecCol> specs_;
};

}  // namespace lombar
