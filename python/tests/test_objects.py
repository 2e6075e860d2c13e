import pytest

import lombar

INFO_COL_IDS = ("{1B90CD73-6703-4ABA-BB5D-1E5DD7E93EB3}", "{CC15D290-95B1-4FCB-AEDF-76FDACF8F81F}")
IUNKNOWN = "{00000000-0000-0000-C000-000000000046}"
IDISPATCH = "{00020400-0000-0000-C000-000000000046}"


def prop(n):
    return 0x68030000 + n


def method(n):
    return 0x60030000 + n


@pytest.mark.parametrize("name", ["qorkwz_LOMBARv3.ICatInfoCol", "QORKWZ_lombarv3.icatinfocol",
                                  "ICatInfoCol", INFO_COL_IDS[0], INFO_COL_IDS[0].lower()])
def test_every_name_form_creates_the_class(name):
    assert lombar.class_name(lombar.Dispatch(name)) == "ICatInfoCol"


@pytest.mark.parametrize("name", ["ICatNothing", "qorkwz_LOMBARv2.ICatInfoCol", "",
                                  "{1B90CD73-6703-4ABA-BB5D-1E5DD7E93EB4}"])
def test_unknown_name_is_error_429(name):
    for attempt in (lombar.Dispatch, lombar.class_ids):
        with pytest.raises(lombar.ComError) as raised:
            attempt(name)
        assert raised.value.number == 429


def test_class_ids_and_interfaces():
    assert lombar.class_ids("icatinfocol") == INFO_COL_IDS
    infos = lombar.Dispatch("ICatInfoCol")
    for iid in (IUNKNOWN, IDISPATCH, INFO_COL_IDS[1], INFO_COL_IDS[1].lower()):
        assert lombar.supports(infos, iid)
    assert not lombar.supports(infos, lombar.class_ids("ICatInfo")[1])


def test_slot_order_and_dispatch_ids():
    assert lombar.members(lombar.Dispatch("ICatInfoCol")) == [
        ("XML", "get", prop(3)), ("XML", "let", prop(3)), ("DefaultCode", "get", prop(2)),
        ("Add", "method", method(4)), ("AddObject", "method", method(5)),
        ("Item", "get", prop(1)), ("Exists", "method", method(6)), ("Count", "get", prop(0)),
        ("Remove", "method", method(7)), ("NewEnum", "get", -4), ("Clear", "method", method(10))]
    expected = [("XML", "get", prop(10)), ("XML", "let", prop(10))]
    names = ["TypeX", "Line", "Code", "Desc", "Text", "Tag", "Default", "Style", "Key"]
    for n, name in zip(range(9, 0, -1), names):
        expected += [(name, "let", prop(n)), (name, "get", prop(n))]
    expected += [("Index", "get", prop(0)), ("Clear", "method", method(11))]
    info = lombar.Dispatch("ICatInfo")
    assert lombar.members(info) == expected
    assert (lombar.dispid(info, "typex"), lombar.dispid(info, "CLEAR")) == (prop(9), method(11))


def test_plain_gets_read_and_the_rest_are_callables(infos):
    assert infos.count == 3 and infos.DefaultCode.Code == "C3"
    assert infos.Item("k1").Code == "C1" and infos.Exists("K3") is True
    assert lombar.invoke(infos, "item", "get", 2).Code == "C2"
    info = lombar.Dispatch("ICatInfo")
    info.desc = "Brake rules"
    lombar.invoke(info, "Tag", "let", "t1")
    assert (info.Desc, info.TAG) == ("Brake rules", "t1")
    info.Clear()
    assert (info.Desc, info.Tag) == ("", "")


def test_unknown_members_and_missing_default_member(infos):
    with pytest.raises(AttributeError) as raised:
        infos.Items
    assert isinstance(raised.value, lombar.ComError) and raised.value.number == 438
    for use in (lambda: infos[1], lambda: infos(1), lambda: setattr(infos, "Counts", 1),
                lambda: lombar.dispid(infos, "Type")):
        with pytest.raises(lombar.ComError) as raised:
            use()
        assert raised.value.number == 438


def test_same_library_object_compares_equal(infos):
    first = infos.Item(1)
    assert first == infos.Item("K1") and hash(first) == hash(infos.Item("K1"))
    assert first != infos.Item(2) and first != lombar.Dispatch("ICatInfo")
