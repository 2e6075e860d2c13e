import decimal

import pytest

import lombar
from conftest import fails
from lombar import _native, _purecall

D = decimal.Decimal
CY_MAX, CY_MIN = D("922337203685477.5807"), D("-922337203685477.5808")


@pytest.mark.parametrize("value, text", [
    (None, ""), (True, "True"), (False, "False"), (-(2 ** 31), "-2147483648"),
    (2 ** 40, "1099511627776"), (1.5, "1.5"), (D("12.3457"), "12.3457"),
    ("Bremsbeläge ÿ", "Bremsbeläge ÿ"), ("€ 5 Ω 漢", "€ 5 Ω 漢")])
def test_python_values_reach_a_text_parameter(value, text):
    info = lombar.Dispatch("ICatInfo")
    info.Desc = value
    assert info.Desc == text


def test_values_come_back_as_their_python_types():
    provider = lombar.Dispatch("ICatProvider")
    provider.ShippingMinPieceCount = " 12 "  # text into a long is read as a number
    provider.DistanceFromYou = 2.5
    provider.OrderSplitLoc = -1
    got = [provider.ShippingMinPieceCount, provider.DistanceFromYou, provider.OrderSplitLoc,
           provider.Name, provider.Clear()]
    assert got == [12, 2.5, True, "", None]
    assert [type(value) for value in got] == [int, float, bool, str, type(None)]


@pytest.mark.parametrize("value, kind", [
    (2 ** 31 - 1, int), (-(2 ** 31), int), (2 ** 31, float), (-(2 ** 31) - 1, float), (True, bool),
    (1.5, float), (D("1.5"), D), ("7", str), (lombar.Null, type(lombar.Null))])
def test_a_variant_property_keeps_the_automation_type_passed(value, kind):
    item = lombar.Dispatch("ICatItem")
    item.ItemStatus = value
    assert item.ItemStatus == value and type(item.ItemStatus) is kind


@pytest.mark.parametrize("value, stored", [
    (CY_MAX, CY_MAX), (CY_MIN, CY_MIN), (D("0.00025"), D("0.0002")), (D("-0.00035"), D("-0.0004")),
    (D("0.00005" + "0" * 70 + "1"), D("0.0001")),  # rounded once, from the exact value
    (D("1E+3"), D("1000")), (2 ** 40, D(2 ** 40)), (1.5, D("1.5"))])
def test_currency_is_exact_both_ways(value, stored):
    provider = lombar.Dispatch("ICatProvider")
    provider.ShopProfitMin = value
    assert provider.ShopProfitMin == stored and type(provider.ShopProfitMin) is D


def test_arguments_that_do_not_convert():
    provider, lists = lombar.Dispatch("ICatProvider"), lombar.Dispatch("ICatListCol")
    fails(13, lists.Add, "Brakes", "12x")
    fails(6, lists.Add, "Brakes", 2 ** 31)  # beyond 32 bits an int goes as a double
    fails(6, setattr, provider, "DistanceFromYou", 1e39)
    fails(94, setattr, provider, "Name", lombar.Null)
    assert lists.Exists(lombar.Null) is False  # a variant parameter takes Null
    for value in (D("922337203685477.5808"), D("NaN")):  # refused before the call
        assert fails(6, setattr, provider, "ShopProfitMin", value).source == "lombar"
    assert fails(13, setattr, provider, "Name", ["a list"]).source == "lombar"
    assert fails(450, lombar.Dispatch("ICatInfo").SetDesc).source == "lombar"  # no value to let
    assert provider.ShopProfitMin == 0 and provider.Name == ""


def test_variant_kinds_no_member_returns():
    # Event arguments and parameter defaults are read this way on either call path.
    info = lombar.Dispatch("ICatInfo")
    _native.lib().lombar_addref(info._handle)
    for vt, field, raw, value in ((_native.VT_I2, "i2", -7, -7), (_native.VT_R8, "r8", 0.1, 0.1),
                                  (_native.VT_NULL, "i4", 0, lombar.Null),
                                  (_native.VT_DISPATCH, "object", info._handle, info)):
        variant = _native.Variant(vt)
        setattr(variant.value, field, raw)
        result = _purecall.take(variant)
        assert result == value and type(result) is type(value) and variant.vt == _native.VT_EMPTY
