import decimal

import pytest

import lombar
from lombar import _native, _values

D = decimal.Decimal


@pytest.mark.parametrize("value, text", [
    ("Brake Pads é", "Brake Pads é"), (None, ""), (True, "True"), (40000, "40000"),
    (2 ** 40, "1099511627776"), (-(2 ** 31), "-2147483648"), (1.5, "1.5"),
    (D("12.3457"), "12.3457"), (D("0.00015"), "0.0002"), (D("0.00025"), "0.0002"),
    (D("-922337203685477.5808"), "-922337203685477.5808")])
def test_values_into_text(value, text):
    info = lombar.Dispatch("ICatInfo")
    info.Text = value
    assert info.Text == text


@pytest.mark.parametrize("value, flag", [(True, True), (False, False), (-1, True), (0, False),
                                         (None, False), ("True", True), (D("0.5"), True)])
def test_values_into_flag(value, flag):
    info = lombar.Dispatch("ICatInfo")
    info.Default = value
    assert info.Default is flag


def test_currency_position_and_overflow(infos):
    assert infos.Item(D("2")).Code == "C2"
    with pytest.raises(lombar.ComError) as raised:
        infos.Item(D("922337203685477.5808"))
    assert raised.value.number == 6


@pytest.mark.parametrize("vt, field, raw, value", [
    (_native.VT_CY, "cy", 2 ** 63 - 1, D("922337203685477.5807")),
    (_native.VT_CY, "cy", -5, D("-0.0005")), (_native.VT_NULL, None, None, lombar.Null),
    (_native.VT_EMPTY, None, None, None), (_native.VT_BOOL, "boolean", -1, True),
    (_native.VT_I2, "i2", -7, -7)])
def test_values_coming_back(vt, field, raw, value):
    variant = _native.Variant()
    variant.vt = vt
    if field:
        setattr(variant.value, field, raw)
    result = _values.take(variant)
    assert result == value and type(result) is type(value)
