#include "lombar/ICatVehicle.h"

#include "catalog/CollectionXml.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

// The leaf element of each text, in the order of ICatVehicle's texts.
constexpr std::array<std::string_view, 9> kLeaves = {
    "AAIA", "Year", "Make", "Model", "Engine", "VIN", "Plate", "Description", "CurrentMileage"};

Operation Op(std::string_view name) {
  return {ICatVehicle::kClassName, name};
}

}  // namespace

const ClassInfo& ICatVehicle::TypeInfo() {
  static const ClassInfo info =
      ClassBuilder<ICatVehicle>(kClassName, "{A305EFA8-3D91-4E9B-8C63-7866EE329343}",
                                "{293EF783-A7F1-43E3-85AB-DBD09C083596}")
          .Get("XML", PropertyId(10), &ICatVehicle::XML)
          .Let("XML", PropertyId(10), &ICatVehicle::SetXML)
          .Let("AAIA", PropertyId(9), &ICatVehicle::SetAAIA)
          .Get("AAIA", PropertyId(9), &ICatVehicle::AAIA)
          .Let("Year", PropertyId(8), &ICatVehicle::SetYear)
          .Get("Year", PropertyId(8), &ICatVehicle::Year)
          .Let("Make", PropertyId(7), &ICatVehicle::SetMake)
          .Get("Make", PropertyId(7), &ICatVehicle::Make)
          .Let("Model", PropertyId(6), &ICatVehicle::SetModel)
          .Get("Model", PropertyId(6), &ICatVehicle::Model)
          .Let("Engine", PropertyId(5), &ICatVehicle::SetEngine)
          .Get("Engine", PropertyId(5), &ICatVehicle::Engine)
          .Get("VIN", PropertyId(4), &ICatVehicle::VIN)
          .Let("VIN", PropertyId(4), &ICatVehicle::SetVIN, {ByRef("RHS")})
          .Get("Plate", PropertyId(3), &ICatVehicle::Plate)
          .Let("Plate", PropertyId(3), &ICatVehicle::SetPlate, {ByRef("RHS")})
          .Let("Description", PropertyId(2), &ICatVehicle::SetDescription)
          .Get("Description", PropertyId(2), &ICatVehicle::Description)
          .Get("CurrentMileage", PropertyId(1), &ICatVehicle::CurrentMileage)
          .Let("CurrentMileage", PropertyId(1), &ICatVehicle::SetCurrentMileage, {ByRef("RHS")})
          .Get("Specs", PropertyId(0), &ICatVehicle::Specs)
          .Set("Specs", PropertyId(0), &ICatVehicle::SetSpecs, {ByRef("RHS")})
          .Method("Clear", MethodId(11), &ICatVehicle::Clear)
          .Build();
  return info;
}

ICatVehicle::ICatVehicle() {
  TracedAndTrapped(Op("Class_Initialize"), [&] { specs_ = MakeRef<ICatSpecCol>(); });
}

ICatVehicle::~ICatVehicle() {
  TracePrologue(Op("Class_Terminate"));
}

std::string ICatVehicle::Description() const {
  const std::string& stored = texts_[kDescription];
  if (!stored.empty()) return stored;
  return Year() + " " + Make() + " " + Model() + " " + Engine();
}

std::string ICatVehicle::XML() const {
  static_assert(kLeaves.size() == kTextCount);
  return TracedAndTrapped(Op("Get XML"), [&] {
    clsXML writer = SnippetWriter(XmlSwitches::OfThread());
    writer.Add(kElement, "", true);
    for (std::size_t text = 0; text < kTextCount; ++text)
      writer.Add(kLeaves[text], texts_[text]);
    writer.AddXML(specs_->XML());
    writer.EndGroup();
    // Cuts the empty leaves the switches let through, and then an emptied Vehicle.
    writer.XMLcompress();
    return writer.XML();
  });
}

void ICatVehicle::SetXML(std::string_view xml) {
  TracedAndTrapped(Op("Let XML"), [&] {
    Clear();
    if (xml.empty()) return;
    clsXML reader;
    reader.SetXML(xml);
    for (std::size_t text = 0; text < kTextCount; ++text)
      texts_[text] = reader.Value(kLeaves[text]);
    specs_->SetXML(reader.Block(ICatSpecCol::kClassName, 1));
  });
}

void ICatVehicle::Clear() {
  texts_ = {};
  specs_->Clear(false);
}

}  // namespace lombar
