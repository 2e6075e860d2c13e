// The vehicle a catalog selection is made for: its identifying texts and
// its specs. The catalog, the item collection and the preset and list
// collections each hold one and embed its XML in theirs: the group Vehicle
// with one leaf per text and the specs, stripped of empty elements, so that
// a vehicle without data writes the empty text.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatSpecCol.h"
#include "lombar/StoredText.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatVehicle final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatVehicle";
  static constexpr std::string_view kElement = "Vehicle";

  ICatVehicle();
  ~ICatVehicle() override;

  // Texts are stored and returned as given.
  std::string_view AAIA() const { return aaia_; }
  void SetAAIA(std::string_view aaia) { aaia_ = aaia; }
  std::string_view Year() const { return year_; }
  void SetYear(std::string_view year) { year_ = year; }
  std::string_view Make() const { return make_; }
  void SetMake(std::string_view make) { make_ = make; }
  std::string_view Model() const { return model_; }
  void SetModel(std::string_view model) { model_ = model; }
  std::string_view Engine() const { return engine_; }
  void SetEngine(std::string_view engine) { engine_ = engine; }
  std::string_view VIN() const { return vin_; }
  void SetVIN(std::string_view vin) { vin_ = vin; }
  std::string_view Plate() const { return plate_; }
  void SetPlate(std::string_view plate) { plate_ = plate; }
  // The stored description, or when that is empty "Year Make Model Engine"
  // joined by single spaces as they are. XML writes only the stored text.
  std::string Description() const;
  void SetDescription(std::string_view description) { description_ = description; }
  std::string_view CurrentMileage() const { return current_mileage_; }
  void SetCurrentMileage(std::string_view mileage) { current_mileage_ = mileage; }

  // Set shares the caller's collection; XML let reloads the held one in place.
  Ref<ICatSpecCol> Specs() const { return specs_; }
  void SetSpecs(const Ref<ICatSpecCol>& specs) { specs_ = specs; }

  // Empties the texts and the held Specs collection.
  void Clear() { ClearFields(); }

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  StoredText aaia_;
  StoredText year_;
  StoredText make_;
  StoredText model_;
  StoredText engine_;
  StoredText vin_;
  StoredText plate_;
  StoredText description_;
  StoredText current_mileage_;
  Ref<ICatSpecCol> specs_;
};

}  // namespace lombar
