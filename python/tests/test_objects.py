import pytest

import lombar
from conftest import fails

OVERFLOW_XML = "<ICatInfoCol><Count>40000</Count></ICatInfoCol>"


def test_properties_in_any_letter_case_by_let_set_and_set_name():
    vehicle = lombar.Dispatch("QORKWZ_lombarv3.icatvehicle")
    vehicle.make = "Ford"
    vehicle.SetModel("F-150")
    vehicle.VIN = "1FTRX18W"  # a plain value for a by-reference parameter
    assert (vehicle.MAKE, vehicle.model, vehicle.Vin) == ("Ford", "F-150", "1FTRX18W")
    specs = vehicle.Specs
    vehicle.specs = None  # Nothing, through the set accessor
    assert vehicle.Specs is None
    vehicle.SetSpecs(specs)  # a library object goes by set
    assert vehicle.Specs == specs
    fails(438, setattr, vehicle, "Year", specs)  # an object goes by set, and Year has none


def test_methods_and_gets_with_parameters_are_callables():
    info = lombar.Dispatch("ICatInfo")
    info.Desc = "Cash only"
    clear = info.clear
    assert info.Desc == "Cash only"  # nothing is called before the call
    clear()
    assert info.Desc == ""
    infos = lombar.Dispatch("ICatInfoCol")
    added = infos.Add("RULE", "1", "C1", "Cash only", "", "", True, "")  # key left off
    assert added.Key == "" and infos.item(1) == added == lombar.invoke(infos, "ITEM", "get", 1)
    assert lombar.invoke(infos, lombar.dispid(infos, "Count"), "get") == 1
    lombar.invoke(info, "Tag", "let", "t1")
    assert info.Tag == "t1"
    fails(438, lombar.invoke, lombar.Dispatch("ICatVehicle"), "Specs", "let", infos)
    pytest.raises(ValueError, lombar.invoke, info, "Tag", "put", "t2")


def test_collections_by_default_member_len_iteration_indexes_and_identity():
    lists = lombar.Dispatch("ICatListCol")
    key, heading = lombar.ByRef(None), lombar.ByRef("Brakes")
    first = lists.Add(heading, 7, key)
    assert (key.value, heading.value) == ("I#7", "Brakes")
    lists.Add("Pads", 8, "")
    lists.Add("Rotors", 9)
    assert len(lists) == 3 and [entry.Heading for entry in lists] == ["Brakes", "Pads", "Rotors"]
    assert [entry.ID for entry in lists.NewEnum] == [7, 8, 9]
    # An int counts from 0 through the enumerator; any other key goes to the default member.
    assert lists("i#8") == lists["I#8"] == lists["i#8",] == lists[1] == lists.Item(2) != first
    assert [lists[i].ID for i in (0, 2, -1, -3)] == [7, 9, 9, 7] and lists[2.0].ID == 8
    for index in (3, -4):
        missing = fails(9, lists.__getitem__, index)
        assert isinstance(missing, IndexError) and str(missing).startswith("ICatListCol[%d]: " % index)
    assert first() == "Brakes"  # a list's default member is its Heading
    assert first == lists.Item("I#7") and hash(first) == hash(lists[0]) and first != "Brakes"


def test_keyword_arguments_name_parameters_in_any_case_mixed_with_positional_ones():
    calls = [lambda lists, key: lists.Add("Brakes", ID=7, sKey=key),
             lambda lists, key: lists.add(id=7, HEADING="Brakes", skey=key),
             lambda lists, key: lombar.invoke(lists, "Add", "method", "Brakes", sKey=key, ID=7)]
    for call in calls:
        lists, key = lombar.Dispatch("ICatListCol"), lombar.ByRef("")
        call(lists, key)
        assert (key.value, lists[0].Heading, lists[0].ID, lists(vntIndexKey="I#7").ID) == (
            "I#7", "Brakes", 7, 7)
    texts = lombar.Dispatch("ICatItemCol").GetDescriptions()
    for text, where in (("c", {}), ("a", {"Before": 1}), ("b", {"after": 1}), ("d", {"Key": "k"})):
        texts.Add(text, **where)  # the optional parameters left out between take their defaults
    assert list(texts) == ["a", "b", "c", "d"] and texts("K") == "d"
    lists = lombar.Dispatch("ICatListCol")
    for keywords, problem in (({"Title": "x"}, "not found: Title"), ({"heading": "x"}, "given twice: heading")):
        error = fails(448, lists.Add, "Brakes", 7, **keywords)
        assert isinstance(error, TypeError) and str(error) == (
            "ICatListCol.Add: error 448: Named argument %s" % problem)
    assert fails(449, lists.Add, ID=7).name == "ICatListCol.Add" and len(lists) == 0


def test_objects_come_back_through_by_reference_arguments():
    providers = lombar.Dispatch("ICatProviderCol")
    provider = lombar.ByRef(lombar.Dispatch("ICatProvider"))
    added = providers.AddObject(provider)
    assert provider.value == added == providers.Item(1)
    infos, info, key = lombar.Dispatch("ICatInfoCol"), lombar.Dispatch("ICatInfo"), lombar.ByRef("")
    info.Key = "Hours"
    infos.AddObject(info, key)
    assert key.value == "Hours"
    assert infos.AddObject(None) is None  # None for an object parameter is Nothing


# A call that fails, and what the error's text names before its number.
NAMED_FAILURES = [
    (lambda o: setattr(o["infos"], "XML", OVERFLOW_XML), "ICatInfoCol.XML: error 6"),
    (lambda o: o["infos"].Items, "ICatInfoCol.Items: error 438"),
    (lambda o: setattr(o["infos"], "Counts", 1), "ICatInfoCol.Counts: error 438"),
    (lambda o: lombar.dispid(o["infos"], "Type"), "ICatInfoCol.Type: error 438"),
    (lambda o: o["infos"]("x"), "ICatInfoCol default member: error 438"),
    (lambda o: o["infos"]["x"], "ICatInfoCol default member: error 438"),
    (lambda o: o["lists"]["nothing"], "ICatListCol.Item: error 5"),
    (lambda o: o["lists"].Add("Brakes", "12x"), "ICatListCol.Add: error 13"),
    (lambda o: o["lists"].Add("Brakes", []), "ICatListCol.Add: error 13"),
    (lambda o: list(o["lists"].Add("Brakes", 1)), "ICatList.NewEnum: error 438"),
    (lambda o: setattr(o["vehicle"], "Year", o["infos"]), "ICatVehicle.Year: error 438"),
    (lambda o: lombar.invoke(o["vehicle"], "specs", "let", o["infos"]), "ICatVehicle.Specs: error 438"),
    (lambda o: lombar.invoke(o["vehicle"], 12345, "get"), "ICatVehicle member 12345: error 438"),
    (lambda o: o["lists"].Add("Brakes"), "ICatListCol.Add: error 450"),
    (lambda o: o["lists"].Add("Brakes", 7, "", "one too many"), "ICatListCol.Add: error 450"),
    (lambda o: lombar.invoke(o["lists"], "Count", "get", 1), "ICatListCol.Count: error 450"),
    (lambda o: lombar.Dispatch("ICatFoo"), "ICatFoo: error 429"),
    (lambda o: lombar.class_ids("ICatFoo"), "ICatFoo: error 429"),
]


@pytest.mark.parametrize("call, named", NAMED_FAILURES)
def test_errors_name_the_class_and_member_they_concern(call, named):
    objects = {name: lombar.Dispatch(class_name) for name, class_name in (
        ("infos", "ICatInfoCol"), ("lists", "ICatListCol"), ("vehicle", "ICatVehicle"))}
    with pytest.raises(lombar.ComError) as raised:
        call(objects)
    assert str(raised.value).startswith(named + ": ")
    assert str(raised.value) == "%s: error %d: %s" % (raised.value.name, raised.value.number,
                                                      raised.value.description)


def test_errors_carry_number_description_and_source():
    infos = lombar.Dispatch("ICatInfoCol")
    error = fails(6, setattr, infos, "XML", OVERFLOW_XML)
    assert (error.description, error.source) == (
        "ICatInfoCol | Let XML, Error # 6 at line: 0\r\nOverflow", "qorkwz_LOMBARv3")
    missing = fails(438, getattr, infos, "Items")
    assert (missing.description, missing.source) == (
        "Object doesn't support this property or method", "qorkwz_LOMBARv3")
    assert isinstance(missing, AttributeError) and getattr(infos, "Items", None) is None
    for name in ("ICatNothing", "qorkwz_LOMBARv2.ICatInfoCol", ""):
        unknown = fails(429, lombar.Dispatch, name)
        assert unknown.description == "ActiveX component can't create object"
        fails(429, lombar.class_ids, name)
    assert lombar.class_name(lombar.Dispatch(lombar.class_ids("ICatInfoCol")[0].lower())) == (
        "ICatInfoCol")


def test_names_holding_nul_name_nothing():
    # The library reads a name up to a NUL; the name before it must not be reached.
    for name in ("ICatInfo\0", "qorkwz_LOMBARv3.ICatInfoCol\0junk"):
        fails(429, lombar.Dispatch, name)
        fails(429, lombar.class_ids, name)
    infos = lombar.Dispatch("ICatInfoCol")
    for name in ("Count\0junk", "SetXML\0"):
        assert isinstance(fails(438, getattr, infos, name), AttributeError)
        fails(438, setattr, infos, name, 1)
        fails(438, lombar.dispid, infos, name)
        fails(438, lombar.invoke, infos, name, "get")
    pytest.raises(ValueError, lombar.supports, infos, "{00020400-0000-0000-C000-000000000046}\0")
