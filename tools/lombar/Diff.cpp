#include "Diff.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include <nlohmann/json.hpp>

#include "Catalogs.h"
#include "lombar/ICatItem.h"
#include "lombar/XmlShape.h"

namespace lombar::tool {
namespace {

using Form = XmlValueShape::Form;

const XmlNode kMissing{};

// A member's key in its collection: the value of this name, or for an item
// the key the library gives it. Members of other classes go by position.
struct MemberKey {
  std::string_view class_name, value;
};
constexpr MemberKey kMemberKeys[] = {{"ICatProvider", "MCLdir"},
                                     {"ICatStore", "MCLdir"},
                                     {"ICatPrice", "MCLdir"},
                                     {"ICatInfo", "Key"}};

bool IsNumber(XmlValueKind kind) {
  return kind == XmlValueKind::kShort || kind == XmlValueKind::kLong || kind == XmlValueKind::kSingle ||
         kind == XmlValueKind::kCurrency;
}

// The value's text in `node`, as the library reads it back when it is missing.
std::string TextOf(const XmlValueShape& value, const XmlNode& node) {
  const std::string* text = nullptr;
  if (value.form == Form::kLeaf) {
    if (const XmlNode* leaf = node.Child(value.name)) text = &leaf->text;
  } else if (const XmlNode* holder = node.name == value.element ? &node : node.Child(value.element)) {
    text = holder->Attribute(value.name);
  }
  if (text && !text->empty()) return *text;
  if (IsNumber(value.kind)) return "0";
  return value.kind == XmlValueKind::kFlag ? "False" : "";
}

bool SameValue(XmlValueKind kind, const std::string& a, const std::string& b) {
  if (IsNumber(kind)) return std::strtod(a.c_str(), nullptr) == std::strtod(b.c_str(), nullptr);
  if (kind == XmlValueKind::kFlag) {
    const auto is_true = [](std::string text) {
      for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return text == "TRUE";
    };
    return is_true(a) == is_true(b);
  }
  return a == b;
}

// "ICatItemProfile" is an "itemprofile".
std::string Word(std::string_view class_name) {
  std::string word(class_name.substr(class_name.starts_with("ICat") ? 4 : 0));
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word;
}

std::string Joined(const std::string& where, const std::string& part) {
  return where.empty() ? part : where + " " + part;
}

class Comparer {
 public:
  std::vector<Difference> Found() && { return std::move(found_); }

  void Compare(const XmlClassShape& shape, const XmlNode& a, const XmlNode& b, const std::string& where) {
    Values(shape.values, a, b, where);
    if (!shape.IsCollection()) return;
    Members(*XmlShapeOf(shape.member_class), a, b, where);
    Values(shape.after_members, a, b, where);
  }

 private:
  void Values(const std::vector<XmlValueShape>& values, const XmlNode& a, const XmlNode& b, const std::string& where) {
    for (const XmlValueShape& value : values) {
      if (value.form != Form::kChild) {
        std::string from = TextOf(value, a), to = TextOf(value, b);
        if (!SameValue(value.kind, from, to)) Add(where, std::string(value.name), std::move(from), std::move(to));
        continue;
      }
      const XmlClassShape& child = *XmlShapeOf(value.class_name);
      const XmlNode* child_a = a.Child(value.element);
      const XmlNode* child_b = b.Child(value.element);
      // A collection's members name themselves; an object goes by its element.
      const std::string child_where = child.IsCollection() ? where : Joined(where, Word(value.element));
      Compare(child, child_a ? *child_a : kMissing, child_b ? *child_b : kMissing, child_where);
    }
  }

  void Members(const XmlClassShape& member, const XmlNode& a, const XmlNode& b, const std::string& where) {
    const auto keyed_a = Keyed(member, a), keyed_b = Keyed(member, b);
    // Each member's match is looked up instead of searched for, so large
    // collections compare in linear time; a key's first member answers, as
    // a search from the front finds it.
    std::unordered_map<std::string_view, const XmlNode*> nodes_b;
    for (const auto& [key, node] : keyed_b) nodes_b.emplace(key, node);
    std::unordered_set<std::string_view> keys_a;
    const std::string word = Word(member.class_name);
    std::vector<std::string> order_a, order_b;
    for (const auto& [key, node] : keyed_a) {
      keys_a.insert(key);
      const auto match = nodes_b.find(key);
      const std::string member_where = Joined(where, word + " " + key);
      if (match == nodes_b.end()) {
        Add(member_where, "removed");
        continue;
      }
      order_a.push_back(key);
      Compare(member, *node, *match->second, member_where);
    }
    for (const auto& [key, node] : keyed_b) {
      if (keys_a.contains(key)) {
        order_b.push_back(key);
      } else {
        Add(Joined(where, word + " " + key), "added");
      }
    }
    if (order_a != order_b) Add(where.empty() ? "catalog" : where, word + " order", std::move(order_a), std::move(order_b));
  }

  // The members of a collection's element with their keys, a repeated key
  // told apart by its occurrence ("K#2").
  std::vector<std::pair<std::string, const XmlNode*>> Keyed(const XmlClassShape& member, const XmlNode& collection) {
    std::vector<std::pair<std::string, const XmlNode*>> keyed;
    const XmlNode* members = collection.Child("Collection");
    if (!members) return keyed;
    std::map<std::string, int> seen;
    for (const XmlNode& node : members->children) {
      if (node.name != member.element) continue;
      std::string key = KeyOf(member, node, keyed.size() + 1);
      if (const int repeated = ++seen[key]; repeated > 1) key += "#" + std::to_string(repeated);
      keyed.emplace_back(std::move(key), &node);
    }
    return keyed;
  }

  static std::string KeyOf(const XmlClassShape& member, const XmlNode& node, std::size_t position) {
    if (member.class_name == ICatItem::kClassName) {
      const auto item = MakeRef<ICatItem>();
      item->SetXML(node.markup);
      return item->UniqueKey();
    }
    for (const MemberKey& key : kMemberKeys) {
      if (key.class_name != member.class_name) continue;
      const auto value = std::find_if(member.values.begin(), member.values.end(),
                                      [&](const XmlValueShape& shape) { return shape.name == key.value; });
      return TextOf(*value, node);
    }
    return "#" + std::to_string(position);
  }

  void Add(const std::string& where, std::string change, std::string from = {}, std::string to = {}) {
    std::vector<std::string> before, after;
    if (change != "added" && change != "removed") before = {std::move(from)}, after = {std::move(to)};
    Add(where, std::move(change), std::move(before), std::move(after));
  }
  void Add(const std::string& where, std::string change, std::vector<std::string> from, std::vector<std::string> to) {
    found_.push_back({where.empty() ? "catalog" : where, std::move(change), std::move(from), std::move(to)});
  }

  std::vector<Difference> found_;
};

// A value as a line shows it: quoted when it is empty or holds a blank.
std::string Shown(const std::vector<std::string>& values) {
  std::string shown;
  for (const std::string& value : values) {
    const bool quoted = value.empty() || value.find_first_of(" \t\r\n\"") != std::string::npos;
    if (!shown.empty()) shown += " ";
    shown += quoted ? "\"" + value + "\"" : value;
  }
  return shown;
}

const XmlClassShape& ShapeOfRoot(const XmlNode& root) {
  const auto shapes = XmlShapes();
  const auto found = std::find_if(shapes.begin(), shapes.end(), [&](const XmlClassShape& shape) { return shape.element == root.name; });
  if (found == shapes.end()) throw FailureOf("diff", kTypeMismatch, "no class writes an element " + root.name);
  return *found;
}

}  // namespace

std::string Difference::Line() const {
  std::string line = where + ": " + change;
  if (!from.empty() || !to.empty()) line += " " + Shown(from) + " -> " + Shown(to);
  return line;
}

std::vector<Difference> DifferencesOf(const XmlNode& before, const XmlNode& after) {
  const XmlClassShape& shape = ShapeOfRoot(before);
  if (&ShapeOfRoot(after) != &shape) {
    throw FailureOf("diff", kTypeMismatch, "a " + before.name + " document against a " + after.name + " document");
  }
  Comparer comparer;
  comparer.Compare(shape, before, after, "");
  return std::move(comparer).Found();
}

std::string DifferencesJson(const std::vector<Difference>& differences) {
  auto json = nlohmann::ordered_json::array();
  for (const Difference& difference : differences) {
    nlohmann::ordered_json entry = {{"where", difference.where}, {"change", difference.change}};
    const bool listed = difference.change.ends_with(" order");
    if (!difference.from.empty() || listed) {
      entry["from"] = listed ? nlohmann::ordered_json(difference.from) : nlohmann::ordered_json(difference.from.front());
      entry["to"] = listed ? nlohmann::ordered_json(difference.to) : nlohmann::ordered_json(difference.to.front());
    }
    json.push_back(std::move(entry));
  }
  return json.dump(2) + "\n";
}

}  // namespace lombar::tool
