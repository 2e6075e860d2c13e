// The library's own way into what the model's classes keep private: the
// description of a class without an object of it, and the XML an object
// writes straight into its parent's text or reads from its part of the
// parent's document. Every class names ClassAccess its friend; what reaches
// a class through it is plumbing, never a host's API.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "frame/TypeInfo.h"
#include "lombar/internal/Record.h"
#include "model/support/RecordShape.h"
#include "text/PlainXml.h"
#include "text/TagIndex.h"

namespace lombar {

class XmlWriter;

namespace detail {

class ClassAccess {
 public:
  // The automation surface of class T: a record class's from its property
  // table, any other's from its TypeInfo.
  template <class T>
  static const ClassInfo& Surface() {
    if constexpr (std::is_base_of_v<Record, T>) {
      return T::Table().Surface();
    } else {
      return T::TypeInfo();
    }
  }

  // The property table of record class T, for what is generated from it.
  template <class T>
  static const auto& Table() {
    return T::Table();
  }

  // Writes the object's XML at the end of `writer`'s text.
  template <class T>
  static void AppendXML(const T& object, XmlWriter& writer) {
    object.AppendXML(writer);
  }

  // The object reads its part of a document, handed over with the
  // document's index by the reader of the element around it.
  template <class T>
  static void ReadXML(T& object, XmlPart xml) {
    object.ReadXML(std::move(xml));
  }

  // A record just made reads its XML, as a collection loads its members.
  static void SetXMLOfNew(Record& record, XmlPart xml) { record.SetXMLOfNew(std::move(xml)); }
  // The same from its element in the plain form, its start tag just read.
  static void ReadPlainRecord(Record& record, PlainXmlCursor& cursor, std::string_view element) {
    record.Shape().ReadPlainRecord(record, cursor, element);
  }
  // Whether a collection reads its element in the plain form, and the reading.
  template <class T>
  static constexpr bool ReadsPlainXml() {
    return requires(T & object, PlainXmlCursor & cursor) {
      object.ReadPlainXml(cursor);
    };
  }
  template <class T>
  static void ReadPlainXml(T& object, PlainXmlCursor& cursor) {
    object.ReadPlainXml(cursor);
  }

  // Whether a collection packs the members it reads in the plain form (see
  // CollectionBase::MembersWaiting), and the packing: its members appended
  // to `packed` as one text, nothing when there are none; a packed text
  // written as its XML; a new collection keeping a packed text's members.
  template <class T>
  static constexpr bool PacksPlainXml() {
    return requires(PlainXmlCursor & cursor, std::string & packed) {
      T::PackPlainXml(cursor, packed);
    };
  }
  template <class T>
  static void PackPlainXml(PlainXmlCursor& cursor, std::string& packed) {
    T::PackPlainXml(cursor, packed);
  }
  template <class T>
  static void WritePackedXml(XmlWriter& writer, std::string_view packed) {
    T::WritePackedXml(writer, packed);
  }
  template <class T>
  static void TakePackedMembers(T& object, std::string_view packed) {
    object.TakePackedMembers(packed);
  }

  // The block of the record's rarely set values (a member named rare_), for
  // a class that keeps one.
  template <class T>
  static constexpr bool KeepsRareValues() {
    return requires(T& record) { record.rare_; };
  }
  template <class T>
  static auto& Rare(T& record) {
    return record.rare_;
  }
};

}  // namespace detail
}  // namespace lombar
