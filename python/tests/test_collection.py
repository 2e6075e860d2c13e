import pytest

import lombar
from conftest import add_info


def codes(collection):
    return [info.Code for info in collection]


def test_add_sets_the_record_and_reads_its_key_by_reference():
    infos = lombar.Dispatch("ICatInfoCol")
    key = lombar.ByRef("Cash")
    info = infos.Add("RULE", "7", "C9", "Cash only", "free text", "t", True, "bold", key)
    assert (info.TypeX, info.Line, info.Code, info.Desc, info.Text, info.Tag, info.Default,
            info.Style, info.Key, info.Index) == (
                "RULE", "7", "C9", "Cash only", "free text", "t", True, "bold", "Cash", 1)
    assert key.value == "Cash" and infos.Item("CASH") == info
    assert infos.Add("T", "L", "C", "D", "X", "G", False, "S").Key == ""  # key left off
    with pytest.raises(lombar.ComError) as raised:
        infos.Add("T", "L", "C", "D", "X", "G", False)
    assert raised.value.number == 450


def test_add_object_hands_the_records_key_to_an_empty_key_variable():
    infos = lombar.Dispatch("ICatInfoCol")
    info = lombar.Dispatch("ICatInfo")
    info.Key = "Hours"
    key = lombar.ByRef("")
    assert infos.AddObject(info, key) == info
    assert key.value == "Hours" and infos.Item("hours") == info
    assert infos.AddObject(lombar.Dispatch("ICatInfo"), "Plain").Key == ""  # a copy is only read
    assert infos.Exists("plain") and infos.AddObject(None) is None and infos.Count == 2


def test_duplicate_key_is_dropped_silently(infos):
    second = add_info(infos, "C4", "k1")
    assert second.Code == "C4" and second.Index == 3
    assert infos.Count == 3 and infos.Item("K1").Code == "C1"


@pytest.mark.parametrize("index, number", [("Nope", 5), (0, 9), (4, 9), (-1, 9)])
def test_item_errors(infos, index, number):
    with pytest.raises(lombar.ComError) as raised:
        infos.Item(index)
    assert raised.value.number == number
    assert infos.Exists(index) is False


def test_enumeration_follows_insertion_and_removal(infos):
    assert codes(infos) == ["C1", "C2", "C3"]
    infos.Remove("k1")
    add_info(infos, "C5", default=True)
    assert codes(infos) == ["C2", "C3", "C5"] and len(infos) == 3
    assert [info.Index for info in infos] == [2, 3, 3]
    infos.Remove(2)
    assert infos.DefaultCode.Code == "C5"
    kept = infos.Item(1)
    infos.Clear()
    assert list(infos) == [] and infos.DefaultCode is None and kept.Code == "C2"


def test_xml_round_trip(infos):
    copy = lombar.Dispatch("ICatInfoCol")
    copy.XML = infos.XML
    assert copy.XML == infos.XML
    assert codes(copy) == codes(infos) and copy.Item("k3").Default is True
    copy.XML = ""
    assert copy.Count == 0 and copy.XML == ""
