#include "SampleCatalog.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "lombar/ICatalog.h"

namespace lombar::tool {
namespace {

// A small, fully specified generator (splitmix64), so a seed gives the same
// document on every platform and standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const std::array<T, N>& choices) {
    return choices[static_cast<std::size_t>(Below(static_cast<int>(N)))];
  }

 private:
  std::uint64_t state_;
};

struct SellerLocation {
  std::string_view mcl_dir, name, location, seller_id, delivery, type;
};
constexpr std::array<SellerLocation, 3> kProviders = {{
    {"D1", "Northside Auto Parts", "Main St", "1001", "Within 30 min", "STORE"},
    {"D2", "Northside Auto Parts", "Central Warehouse", "1002", "Next day 7 am", "VWH"},
    {"D3", "Valley Parts Supply", "Elm Ave", "2040", "Today 4 pm", "STORE"},
}};

struct Brand {
  std::string_view line_code, manufacturer, number_prefix;
};
constexpr std::array<Brand, 8> kBrands = {{
    {"ACX", "Acme Ignition", "41-"},
    {"BRK", "Brakeline", "BP"},
    {"FLT", "Filtron", "PF"},
    {"MTW", "Motorworks", "MW"},
    {"GTW", "Gatewell", "K0"},
    {"DRV", "Driveco", "DC-"},
    {"LUM", "Lumina Lighting", "H"},
    {"VLT", "Voltex", "VX"},
}};

struct PartType {
  std::string_view heading, description, group_number, type_code, generic_id;
  Short item_group;
  int cost_low, cost_high;                // whole dollars
  std::array<std::size_t, 2> brands;      // the lines that carry it
};
constexpr std::array<PartType, 12> kPartTypes = {{
    {"Ignition", "Spark Plug", "7", "SP", "7212", 1, 2, 12, {0, 7}},
    {"Ignition", "Ignition Coil", "7", "IC", "7220", 1, 35, 90, {0, 7}},
    {"Ignition", "Spark Plug Wire Set", "7", "WS", "7230", 1, 25, 70, {0, 3}},
    {"Filters", "Oil Filter", "12", "OF", "1210", 2, 4, 14, {2, 3}},
    {"Filters", "Air Filter", "12", "AF", "1220", 2, 9, 28, {2, 3}},
    {"Filters", "Cabin Air Filter", "12", "CF", "1230", 2, 11, 30, {2, 3}},
    {"Brakes", "Disc Brake Pad Set - Front", "3", "BP", "3110", 3, 28, 85, {1, 5}},
    {"Brakes", "Disc Brake Rotor - Front", "3", "BR", "3120", 3, 38, 120, {1, 5}},
    {"Cooling", "Engine Coolant Thermostat", "5", "TH", "5310", 4, 9, 32, {4, 3}},
    {"Cooling", "Engine Water Pump", "5", "WP", "5320", 4, 45, 160, {4, 3}},
    {"Belts", "Serpentine Belt", "6", "SB", "6110", 5, 18, 55, {4, 5}},
    {"Lighting", "Headlight Bulb", "9", "HB", "9210", 6, 6, 40, {6, 7}},
}};

struct LaborLine {
  std::string_view description, skill;
  int tenths_normal;
};
constexpr std::array<LaborLine, 5> kLabor = {{
    {"Replace spark plugs", "B", 12},
    {"Replace front brake pads", "B", 15},
    {"Replace water pump", "A", 31},
    {"Replace serpentine belt", "C", 6},
    {"Replace ignition coil", "B", 8},
}};

constexpr std::array<std::string_view, 4> kNotes = {
    "Check plug gap before installing", "Customer supplied parts",
    "Road test after repair", "Torque wheel nuts to 100 ft-lb"};
// Blank most often: an item only shown, not chosen.
constexpr std::array<std::string_view, 8> kStatuses = {
    "", "", "", "ORDER", "ORDER", "IN STOCK", "URGENT", "BACK ORDER"};

std::string Money(int cents) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d", cents / 100, cents % 100);
  return text;
}

std::string Padded(int number, int digits) {
  std::string text = std::to_string(number);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

class SampleBuilder {
 public:
  SampleBuilder(const SampleOptions& options) : options_(options), random_(options.seed) {}

  std::string Build() {
    const auto catalog = MakeRef<ICatalog>();
    FillVehicle(*catalog->Vehicle());
    for (std::size_t i = 0; i < kProviders.size(); ++i) AddProvider(*catalog->Providers(), i);
    FillPresetsAndLists(*catalog);
    for (int store = 0; store < options_.stores; ++store) {
      const int share = options_.items / options_.stores + (store < options_.items % options_.stores);
      AddStore(*catalog->Stores(), store, share);
    }
    return catalog->XML();
  }

 private:
  void FillVehicle(ICatVehicle& vehicle) {
    static constexpr std::array<std::array<std::string_view, 4>, 4> kVehicles = {{
        {"2004", "Acme", "Roadster", "2.0L L4"},
        {"2011", "Cardell", "Ranger XL", "3.5L V6"},
        {"2016", "Northway", "Trekker", "2.4L L4"},
        {"1999", "Acme", "Hauler 1500", "5.7L V8"},
    }};
    const auto& [year, make, model, engine] = random_.Pick(kVehicles);
    vehicle.SetAAIA(std::to_string(10000 + random_.Below(90000)));
    vehicle.SetYear(year);
    vehicle.SetMake(make);
    vehicle.SetModel(model);
    vehicle.SetEngine(engine);
    static constexpr std::string_view kVinLetters = "ABCDEFGHJKLMNPRSTUVWXYZ0123456789";
    std::string vin;
    for (int i = 0; i < 17; ++i) vin += kVinLetters[static_cast<std::size_t>(random_.Below(33))];
    vehicle.SetVIN(vin);
    vehicle.SetPlate("KLM-" + Padded(random_.Below(1000), 3));
    vehicle.SetCurrentMileage(std::to_string(20000 + random_.Below(180000)));
    const auto engine_info = MakeRef<ICatInfoCol>();
    engine_info->Add("ENG", "1", "E1", "Engine " + std::string(engine), "", "", true, "", "ENG1");
    engine_info->Add("FUEL", "2", "F1", "Fuel: gasoline", "", "", false, "", "FUEL1");
    vehicle.Specs()->Add("VEH", 1, engine_info);
    const auto brake_info = MakeRef<ICatInfoCol>();
    brake_info->Add("BRK", "1", "B2", "Front disc, rear drum", "", "", true, "", "BRK1");
    vehicle.Specs()->Add("GRP", 3, brake_info);
  }

  void AddProvider(ICatProviderCol& providers, std::size_t index) {
    const SellerLocation& seller = kProviders[index];
    const auto provider = providers.Add(seller.name, seller.location, seller.seller_id,
                                        seller.mcl_dir, seller.delivery, index == 0);
    provider->SetLocationType(seller.type);
    provider->SetDistanceFromYou(static_cast<float>(index * 7 + 2));
    provider->SetDisplayName(true);
    provider->SetDisplayLocation(true);
  }

  void FillPresetsAndLists(ICatalog& catalog) {
    catalog.Presets()->Add("Ignition", "Spark Plugs", "", "IgnitionSparkPlugs");
    catalog.Presets()->Add("Brakes", "Pads", "Front", "BrakesPadsFront");
    std::string key;
    catalog.Lists()->Add("Maintenance", 1, key);
    key.clear();
    catalog.Lists()->Add("Brake job", 2, key);
  }

  void AddStore(ICatStoreCol& stores, int index, int item_count) {
    const std::string mcl_dir = "D" + std::to_string(index + 1);
    const auto items = MakeRef<ICatItemCol>();
    for (int i = 0; i < item_count; ++i) {
      const Ref<ICatItem> item = NextItem();
      items->Add(item, item->UniqueKey());
    }
    const auto store = stores.Add(mcl_dir, items);
    store->Info()->Add("TAX", "1", "T1", "Sales tax 7.25%", "", "", true, "", "TAX1");
    store->Info()->Add("TERMS", "2", "N30", "Net 30 days", "", "", false, "", "TERMS1");
  }

  Ref<ICatItem> NextItem() {
    ++serial_;
    const int kind = random_.Below(100);
    if (kind < 12) return Labor();
    if (kind < 18) return Note();
    if (kind < 28 && last_part_) return Related(*last_part_);
    return Part();
  }

  Ref<ICatItem> Part() {
    const PartType& type = random_.Pick(kPartTypes);
    const Brand& brand = kBrands[random_.Pick(type.brands)];
    const auto item = MakeRef<ICatItem>();
    item->SetItemType(qcit_Part);
    item->SetLineCode(brand.line_code);
    item->SetManufacturerName(brand.manufacturer);
    item->SetItemNumber(std::string(brand.number_prefix) + Padded(static_cast<int>(serial_ * 7919LL % 100000), 5));
    item->SetHeading(type.heading);
    item->SetDescription(type.description);
    item->SetGroupNumber(type.group_number);
    item->SetPartTypeCode(type.type_code);
    item->SetGenericDescription(type.description);
    item->SetGenericDescriptionID(type.generic_id);
    item->SetItemGroup(type.item_group);
    item->SetMCLsequence(std::to_string(serial_ * 10));
    item->SetQuantityPerCar(Currency::FromUnits(10000 * (1 + random_.Below(4))));
    const std::string_view status = random_.Pick(kStatuses);
    item->SetItemStatus(Variant(std::string(status)));
    if (status == "IN STOCK") item->SetItemSource("STOCK");
    AddPrices(*item, type, status);
    last_part_ = item;
    return item;
  }

  // An alternate (A:) or related (R:) item, listed after the part it names.
  Ref<ICatItem> Related(const ICatItem& principal) {
    const Ref<ICatItem> item = Part();
    item->SetVendorNumberXRef((random_.Chance(50) ? "A:" : "R:") + principal.VendorNumber());
    last_part_ = nullptr;
    return item;
  }

  void AddPrices(ICatItem& item, const PartType& type, std::string_view status) {
    const int cost = (type.cost_low + random_.Below(type.cost_high - type.cost_low + 1)) * 100 +
                     random_.Below(100);
    const int list = cost * (140 + random_.Below(40)) / 100;
    const bool ordered = status == "ORDER" || status == "URGENT" || status == "BACK ORDER";
    const int locations = options_.prices > 0 ? std::min<int>(options_.prices, kProviders.size())
                                              : 1 + random_.Below(static_cast<int>(kProviders.size()));
    for (int i = 0; i < locations; ++i) {
      const SellerLocation& seller = kProviders[static_cast<std::size_t>(i)];
      const std::string available =
          random_.Chance(8) ? "N/A" : std::to_string(random_.Below(i == 1 ? 60 : 12));
      std::string key;
      const auto price = item.PriceCol()->Add(seller.mcl_dir, seller.location, seller.seller_id,
                                              available, Money(cost + i * 35), Money(list), key);
      price->SetDeliveryMessage(seller.delivery);
      if (ordered && i == 0) price->SetQuantityToOrder(Variant(Long{1 + random_.Below(4)}));
      if (status == "URGENT") price->SetUrgentFlag(true);
    }
    if (random_.Chance(30)) {
      std::string key;
      item.PriceCol()->Add("MSRP", "MSRP", "", "0", Money(list * 115 / 100), Money(list * 115 / 100),
                           key);
    }
  }

  Ref<ICatItem> Labor() {
    const LaborLine& line = random_.Pick(kLabor);
    const auto item = MakeRef<ICatItem>();
    item->SetItemType(qcit_Labor);
    item->SetDescription(line.description);
    item->SetLaborOperation("OP" + Padded(serial_, 6));
    item->SetLaborSkill(line.skill);
    item->SetLaborRate(Currency::FromUnits(950000));
    item->SetLaborHRSnormal(Currency::FromUnits(line.tenths_normal * 1000));
    item->SetLaborHRSwarranty(Currency::FromUnits(line.tenths_normal * 900));
    item->SetLaborHRSsevere(Currency::FromUnits(line.tenths_normal * 1300));
    item->SetLaborType("STD");
    item->SetMCLsequence(std::to_string(serial_ * 10));
    return item;
  }

  Ref<ICatItem> Note() {
    const auto item = MakeRef<ICatItem>();
    item->SetItemType(qcit_Comment);
    item->SetItemNumber("NOTE" + Padded(serial_, 6));
    item->SetDescription("Note");
    item->SetComment(random_.Pick(kNotes));
    item->SetMCLsequence(std::to_string(serial_ * 10));
    return item;
  }

  const SampleOptions& options_;
  Random random_;
  int serial_ = 0;
  Ref<ICatItem> last_part_;
};

}  // namespace

std::string SampleCatalog(const SampleOptions& options) {
  return SampleBuilder(options).Build();
}

}  // namespace lombar::tool
