#include "lombar/ICatProvider.h"

#include <array>
#include <limits>
#include <utility>

#include "catalog/CollectionXml.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "frame/NumberParse.h"
#include "text/TextHelpers.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

constexpr std::string_view kElement = "Provider";

Operation Op(std::string_view name) {
  return {ICatProvider::kClassName, name};
}

// How each kind of value is written to the XML, and read back from the text
// the reader finds (empty when the element or attribute is missing).
std::string Written(const std::string& text) {
  return text;
}
std::string Written(bool flag) {
  return Variant(flag).ToText();  // True or False
}
std::string Written(float value) {
  return Variant(value).ToText();
}
std::string Written(Currency value) {
  return Variant(value).ToText();
}
std::string Written(Long value) {
  return Variant(value).ToText();
}

template <class Value>
Value ReadAs(std::string_view text);

template <>
std::string ReadAs(std::string_view text) {
  return std::string(text);
}
template <>
bool ReadAs(std::string_view text) {
  return EqualsIgnoringCase(text, "TRUE");
}
// The distance is stored without a range check: beyond the single range it
// becomes the infinity of its sign.
template <>
float ReadAs(std::string_view text) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  const double distance = LeadingNumber(text);
  if (distance > kLargest) return kInfinity;
  if (distance < -kLargest) return -kInfinity;
  return static_cast<float>(distance);
}
template <>
Currency ReadAs(std::string_view text) {
  return Currency::FromDouble(LeadingNumber(text));  // error 6 beyond the currency range
}
template <>
Long ReadAs(std::string_view text) {
  return Variant(LeadingNumber(text)).ToLong();  // half to even; error 6 beyond 32 bits
}

// Where a value goes in the Provider element.
enum class Form {
  kLeaf,            // an element of its own, left out when empty or zero
  kFirstAttribute,  // the attribute that writes its attribute-only element
  kAttribute,       // a further attribute of an element already written
};

struct Field {
  Form form;
  std::string_view element;  // the element carrying an attribute
  std::string_view name;     // the attribute's or the leaf's name
  std::string (*written)(const ICatProvider&);
  void (*read)(ICatProvider&, std::string_view);
};

template <auto kGet, auto kSet>
constexpr Field MakeField(Form form, std::string_view element, std::string_view name) {
  using Value = std::remove_cvref_t<decltype((std::declval<const ICatProvider&>().*kGet)())>;
  return {
      form, element, name, [](const ICatProvider& provider) { return Written((provider.*kGet)()); },
      [](ICatProvider& provider, std::string_view text) { (provider.*kSet)(ReadAs<Value>(text)); }};
}
template <auto kGet, auto kSet>
constexpr Field Leaf(std::string_view name) {
  return MakeField<kGet, kSet>(Form::kLeaf, {}, name);
}
template <auto kGet, auto kSet>
constexpr Field FirstAttribute(std::string_view element, std::string_view name) {
  return MakeField<kGet, kSet>(Form::kFirstAttribute, element, name);
}
template <auto kGet, auto kSet>
constexpr Field Attribute(std::string_view element, std::string_view name) {
  return MakeField<kGet, kSet>(Form::kAttribute, element, name);
}

using P = ICatProvider;

// The written order, which is also the reading order: the reader continues
// each attribute search after the previous attribute of the same element.
constexpr std::array kFields = {
    Attribute<&P::Default, &P::SetDefault>(kElement, "Default"),
    Attribute<&P::EditDate, &P::SetEditDate>(kElement, "EditDate"),
    Attribute<&P::FileDate, &P::SetFileDate>(kElement, "FileDate"),
    Leaf<&P::Name, &P::SetName>("Name"),
    Leaf<&P::Location, &P::SetLocation>("Location"),
    Leaf<&P::LocationType, &P::SetLocationType>("LocationType"),
    Leaf<&P::SellerID, &P::SetSellerID>("SellerID"),
    Leaf<&P::SellerName, &P::SetSellerName>("SellerName"),
    Leaf<&P::IconText, &P::SetIconText>("IconText"),
    Leaf<&P::MCLdir, &P::SetMCLdir>("MCLdir"),
    Leaf<&P::Priority, &P::SetPriority>("Priority"),
    Leaf<&P::DeliveryMessage, &P::SetDeliveryMessage>("DeliveryMessage"),
    Leaf<&P::DeliveryTrackID, &P::SetDeliveryTrackID>("DeliveryTrackID"),
    Leaf<&P::TransferTrackID, &P::SetTransferTrackID>("TransferTrackID"),
    Leaf<&P::DistanceFromYou, &P::SetDistanceFromYou>("DistanceFromYou"),
    Leaf<&P::AssocLineCode, &P::SetAssocLineCode>("AssocLineCode"),
    Leaf<&P::MsgLineCode, &P::SetMsgLineCode>("MsgLineCode"),
    Leaf<&P::Tag, &P::SetTag>("Tag"),
    Leaf<&P::DynamicPricingFlag, &P::SetDynamicPricingFlag>("DynamicPricing"),
    Leaf<&P::DynamicDisplayFlag, &P::SetDynamicDisplayFlag>("DynamicDisplay"),
    Leaf<&P::DynamicListPriceFlag, &P::SetDynamicListPriceFlag>("DynamicListPrice"),
    Leaf<&P::AllowPhantomAltLoc, &P::SetAllowPhantomAltLoc>("AllowPhantomAltLoc"),
    FirstAttribute<&P::DisplayName, &P::SetDisplayName>("Display", "Name"),
    Attribute<&P::DisplayLocation, &P::SetDisplayLocation>("Display", "Location"),
    Attribute<&P::DisplayMessage, &P::SetDisplayMessage>("Display", "Message"),
    FirstAttribute<&P::ShopPrice, &P::SetShopPrice>("Shop", "Price"),
    Attribute<&P::ShopDistance, &P::SetShopDistance>("Shop", "Distance"),
    Attribute<&P::ShopProfitMin, &P::SetShopProfitMin>("Shop", "ProfitMin"),
    FirstAttribute<&P::OrderSplitLoc, &P::SetOrderSplitLoc>("Orders", "SplitLoc"),
    Attribute<&P::OrderSplitTot, &P::SetOrderSplitTot>("Orders", "SplitTot"),
    Attribute<&P::OrderSplitRelease, &P::SetOrderSplitRelease>("Orders", "SplitRelease"),
    FirstAttribute<&P::LineColorPri, &P::SetLineColorPri>("LineColor", "PRI"),
    Attribute<&P::LineColorAlt, &P::SetLineColorAlt>("LineColor", "ALT"),
    Attribute<&P::LineColorVWH, &P::SetLineColorVWH>("LineColor", "VWH"),
    Leaf<&P::ShippingRequired, &P::SetShippingRequired>("ShippingRequired"),
    Leaf<&P::ShippingCostPerLB, &P::SetShippingCostPerLB>("ShippingCostPerLB"),
    Leaf<&P::ShippingMinPieceCount, &P::SetShippingMinPieceCount>("ShippingMinPieceCount"),
    Leaf<&P::ShippingCarrDesc, &P::SetShippingCarrDesc>("ShippingCarrDesc"),
    Leaf<&P::ShippingAcctNum, &P::SetShippingAcctNum>("ShippingAcctNum"),
    Leaf<&P::LinesIncluded, &P::SetLinesIncluded>("LinesInc"),
    Leaf<&P::LinesExcluded, &P::SetLinesExcluded>("LinesExc"),
};

void WriteField(clsXML& writer, const Field& field, const ICatProvider& provider) {
  const std::string value = field.written(provider);
  switch (field.form) {
    case Form::kLeaf:
      writer.Add(field.name, value);
      break;
    case Form::kFirstAttribute:
      writer.AddAttrVal(field.element, field.name, value);
      break;
    case Form::kAttribute:
      writer.SetAttrib(field.element, field.name, value);
      break;
  }
}

std::string FieldText(clsXML& reader, const Field& field) {
  return field.form == Form::kLeaf ? reader.Value(field.name)
                                   : reader.Attrib(field.element, field.name);
}

}  // namespace

const ClassInfo& ICatProvider::TypeInfo() {
  static const ClassInfo info =
      ClassBuilder<P>(kClassName, "{D5C564C0-3061-418A-85FA-39F86764A72B}",
                      "{C27B6113-1AB3-4DA7-B4C5-4D3453100F16}")
          .EarlierInterface("{8C9EF23D-B39F-47E4-A35E-93BBD6E5F68E}")
          .Get("XML", PropertyId(35), &P::XML)
          .Let("XML", PropertyId(35), &P::SetXML)
          .Get("LineDescriptor", PropertyId(34), &P::LineDescriptor)
          .Let("Name", PropertyId(33), &P::SetName)
          .Get("Name", PropertyId(33), &P::Name)
          .Let("Location", PropertyId(32), &P::SetLocation)
          .Get("Location", PropertyId(32), &P::Location)
          .Let("LocationType", PropertyId(31), &P::SetLocationType)
          .Get("LocationType", PropertyId(31), &P::LocationType)
          .Let("SellerID", PropertyId(30), &P::SetSellerID)
          .Get("SellerID", PropertyId(30), &P::SellerID)
          .Let("SellerName", PropertyId(29), &P::SetSellerName)
          .Get("SellerName", PropertyId(29), &P::SellerName)
          .Let("IconText", PropertyId(28), &P::SetIconText)
          .Get("IconText", PropertyId(28), &P::IconText)
          .Let("MCLdir", PropertyId(27), &P::SetMCLdir)
          .Get("MCLdir", PropertyId(27), &P::MCLdir)
          .Let("Priority", PropertyId(26), &P::SetPriority)
          .Get("Priority", PropertyId(26), &P::Priority)
          .Let("DeliveryMessage", PropertyId(25), &P::SetDeliveryMessage)
          .Get("DeliveryMessage", PropertyId(25), &P::DeliveryMessage)
          .Let("DeliveryTrackID", PropertyId(24), &P::SetDeliveryTrackID)
          .Get("DeliveryTrackID", PropertyId(24), &P::DeliveryTrackID)
          .Let("TransferTrackID", PropertyId(23), &P::SetTransferTrackID)
          .Get("TransferTrackID", PropertyId(23), &P::TransferTrackID)
          .Let("DistanceFromYou", PropertyId(22), &P::SetDistanceFromYou)
          .Get("DistanceFromYou", PropertyId(22), &P::DistanceFromYou)
          .Let("AssocLineCode", PropertyId(21), &P::SetAssocLineCode)
          .Get("AssocLineCode", PropertyId(21), &P::AssocLineCode)
          .Let("MsgLineCode", PropertyId(20), &P::SetMsgLineCode)
          .Get("MsgLineCode", PropertyId(20), &P::MsgLineCode)
          .Let("DisplayLocation", PropertyId(19), &P::SetDisplayLocation)
          .Get("DisplayLocation", PropertyId(19), &P::DisplayLocation)
          .Let("DisplayName", PropertyId(18), &P::SetDisplayName)
          .Get("DisplayName", PropertyId(18), &P::DisplayName)
          .Let("DisplayMessage", PropertyId(17), &P::SetDisplayMessage)
          .Get("DisplayMessage", PropertyId(17), &P::DisplayMessage)
          .Let("ShopPrice", PropertyId(16), &P::SetShopPrice)
          .Get("ShopPrice", PropertyId(16), &P::ShopPrice)
          .Let("ShopDistance", PropertyId(15), &P::SetShopDistance)
          .Get("ShopDistance", PropertyId(15), &P::ShopDistance)
          .Let("ShopProfitMin", PropertyId(14), &P::SetShopProfitMin)
          .Get("ShopProfitMin", PropertyId(14), &P::ShopProfitMin)
          .Let("OrderSplitLoc", PropertyId(13), &P::SetOrderSplitLoc)
          .Get("OrderSplitLoc", PropertyId(13), &P::OrderSplitLoc)
          .Let("OrderSplitTot", PropertyId(12), &P::SetOrderSplitTot)
          .Get("OrderSplitTot", PropertyId(12), &P::OrderSplitTot)
          .Let("OrderSplitRelease", PropertyId(11), &P::SetOrderSplitRelease)
          .Get("OrderSplitRelease", PropertyId(11), &P::OrderSplitRelease)
          .Let("LinesIncluded", PropertyId(10), &P::SetLinesIncluded)
          .Get("LinesIncluded", PropertyId(10), &P::LinesIncluded)
          .Let("LinesExcluded", PropertyId(9), &P::SetLinesExcluded)
          .Get("LinesExcluded", PropertyId(9), &P::LinesExcluded)
          .Let("Tag", PropertyId(8), &P::SetTag)
          .Get("Tag", PropertyId(8), &P::Tag)
          .Let("DynamicPricingFlag", PropertyId(7), &P::SetDynamicPricingFlag)
          .Get("DynamicPricingFlag", PropertyId(7), &P::DynamicPricingFlag)
          .Let("DynamicDisplayFlag", PropertyId(6), &P::SetDynamicDisplayFlag)
          .Get("DynamicDisplayFlag", PropertyId(6), &P::DynamicDisplayFlag)
          .Let("LineColorPri", PropertyId(5), &P::SetLineColorPri)
          .Get("LineColorPri", PropertyId(5), &P::LineColorPri)
          .Let("LineColorAlt", PropertyId(4), &P::SetLineColorAlt)
          .Get("LineColorAlt", PropertyId(4), &P::LineColorAlt)
          .Let("LineColorVWH", PropertyId(3), &P::SetLineColorVWH)
          .Get("LineColorVWH", PropertyId(3), &P::LineColorVWH)
          .Let("Default", PropertyId(2), &P::SetDefault)
          .Get("Default", PropertyId(2), &P::Default)
          .Let("EditDate", PropertyId(1), &P::SetEditDate)
          .Get("EditDate", PropertyId(1), &P::EditDate)
          .Let("FileDate", PropertyId(0), &P::SetFileDate)
          .Get("FileDate", PropertyId(0), &P::FileDate)
          .Method("Clear", MethodId(36), &P::Clear, {Optional("xbDestroyObject", false)})
          // These follow Clear in the slot order.
          .Get("DynamicListPriceFlag", PropertyId(43), &P::DynamicListPriceFlag)
          .Let("DynamicListPriceFlag", PropertyId(43), &P::SetDynamicListPriceFlag)
          .Let("AllowPhantomAltLoc", PropertyId(42), &P::SetAllowPhantomAltLoc)
          .Get("AllowPhantomAltLoc", PropertyId(42), &P::AllowPhantomAltLoc)
          .Let("ShippingRequired", PropertyId(41), &P::SetShippingRequired)
          .Get("ShippingRequired", PropertyId(41), &P::ShippingRequired)
          .Let("ShippingCostPerLB", PropertyId(40), &P::SetShippingCostPerLB)
          .Get("ShippingCostPerLB", PropertyId(40), &P::ShippingCostPerLB)
          .Let("ShippingMinPieceCount", PropertyId(39), &P::SetShippingMinPieceCount)
          .Get("ShippingMinPieceCount", PropertyId(39), &P::ShippingMinPieceCount)
          .Let("ShippingCarrDesc", PropertyId(38), &P::SetShippingCarrDesc)
          .Get("ShippingCarrDesc", PropertyId(38), &P::ShippingCarrDesc)
          .Let("ShippingAcctNum", PropertyId(37), &P::SetShippingAcctNum)
          .Get("ShippingAcctNum", PropertyId(37), &P::ShippingAcctNum)
          .Build();
  return info;
}

std::string ICatProvider::XML() const {
  return Trapped(Op("Get XML"), [&] {
    // Always compressed and zero-suppressed, whatever the thread's switches.
    clsXML writer = SnippetWriter(XmlSwitches::AllOn());
    writer.Add(kElement, "", true);
    for (const Field& field : kFields)
      WriteField(writer, field, *this);
    writer.EndGroup();
    return writer.XML();
  });
}

void ICatProvider::SetXML(std::string_view xml) {
  Trapped(Op("Let XML"), [&] {
    Clear(false);
    if (xml.empty()) return;
    clsXML reader;
    reader.SetXML(xml);
    for (const Field& field : kFields)
      field.read(*this, FieldText(reader, field));
  });
}

std::string ICatProvider::LineDescriptor() const {
  std::string descriptor;
  if (DisplayName()) descriptor = Name();
  if (DisplayLocation()) descriptor += " " + Location();
  if (DisplayMessage()) descriptor += " " + DeliveryMessage();
  return std::string(TrimSpaces(descriptor));
}

void ICatProvider::Clear(bool /*destroy*/) {
  Trapped(Op("Clear"), [&] { cleared_ = Cleared{}; });
}

}  // namespace lombar
