import pytest

import lombar


def test_provider_collection_round_trips_byte_for_byte():
    from decimal import Decimal

    providers = lombar.Dispatch("qorkwz_LOMBARv3.ICatProviderCol")
    full = providers.Add("Acme Parts", "Main St", "AB12", "D1", "Today", True)
    full.ShopProfitMin = Decimal("12.3456")
    full.LineColorVWH = "<&>"
    full.DistanceFromYou = 2.5
    full.OrderSplitLoc = True
    bare = lombar.Dispatch("ICatProvider")
    bare.MCLdir = "D2"
    assert providers.AddObject(bare, "ignored") == bare
    copy = lombar.Dispatch("ICatProviderCol")
    copy.XML = providers.XML
    assert copy.XML == providers.XML
    assert [p.MCLdir for p in copy] == ["D1", "D2"]
    loaded = copy.Item("d1")
    assert (loaded.ShopProfitMin, loaded.LineColorVWH, loaded.DistanceFromYou) == (
        Decimal("12.3456"), "<&>", 2.5)
    assert copy.GetDefaultProvider() == loaded
    assert copy.Item("D2").DisplayLocation is True


def test_seller_lookups_and_the_reserved_key():
    providers = lombar.Dispatch("ICatProviderCol")
    providers.Add("Acme", "Main St", " ab12 ", "D1", "", True)
    assert [providers.GetMCLdir(key) for key in ("AB12", "#AB12", "S#AB12", "#S#AB12", "ab12")] == [
        "D1", "D1", "D1", "D1", ""]
    with pytest.raises(lombar.ComError) as raised:
        providers.Add("X", "", "", "JOBBER", "", False)
    assert raised.value.number == 17 and raised.value.source == "qorkwz_LOMBARv3"
    assert raised.value.description == (
        "ICatProviderCol | Add, Error # 17 at line: 0\r\n"
        "Invalid Collection Key of 'Jobber' Specified for 'MCLdir'.")
    assert providers.Add("X", "", "", "Jobber", "", False).MCLdir == "Jobber"
    assert providers.Count == 2


def test_location_keys_without_global_providers(worker):
    def check():
        providers = lombar.Dispatch("ICatProviderCol")
        providers.Add("Acme", "", "AB12", "D1", "", True)
        providers.Add("Odd", "", "", "s#AB12", "", False)
        # Without a thread-wide provider collection JOBBER and the seller
        # aliases name no directory; other keys pass unchanged.
        return (providers.Exists("jobber"), providers.Exists("#AB12"), providers.Exists("s#AB12"),
                providers.Exists(1), providers.GetSellerID("D1"), providers.GetSellerID("JOBBER"))

    assert worker().call(check) == (False, False, True, True, "AB12", "")


def test_vehicle_with_specs_holding_info_round_trips():
    vehicle = lombar.Dispatch("ICatVehicle")
    vehicle.Year, vehicle.Make, vehicle.Model = "2004", "Ford", "F-150 & Co"
    for type_x, group in (("ENG", 10), ("TRN", "20")):
        info = lombar.Dispatch("ICatInfoCol")
        info.Add("T", "1", type_x + "-C", "desc", "text", "", True, "", "k1")
        vehicle.Specs.Add(type_x, group, info)
    copy = lombar.Dispatch("ICatVehicle")
    copy.XML = vehicle.XML
    assert copy.XML == vehicle.XML and copy.Specs.Count == 2
    assert copy.Specs(2).Information.Item("K1").Code == "TRN-C"
    with pytest.raises(lombar.ComError) as raised:
        copy.Specs.Add("ENG", 10, lombar.Dispatch("ICatInfoCol"))
    assert raised.value.number == 457
    assert lombar.Dispatch("ICatVehicle").XML == ""


def test_preset_and_list_keys():
    lists = lombar.Dispatch("ICatListCol")
    key = lombar.ByRef("")
    heading = lombar.ByRef("Brakes")
    number = lombar.ByRef(7)
    entry = lists.Add(heading, number, key)
    assert key.value == "I#7" and lists["i#7"] == entry
    presets = lombar.Dispatch("ICatPresetCol")
    presets.Add("Brakes", "12", "Pads", "P1")
    copy = lombar.Dispatch("ICatPresetCol")
    copy.XML = presets.XML
    assert copy.XML == presets.XML and copy.Exists("Brakes12Pads")


def test_surfaces_of_the_new_classes():
    provider_col = lombar.members(lombar.Dispatch("ICatProviderCol"))
    assert [name for name, _, _ in provider_col][:4] == ["XML", "XML", "GetDefaultProvider",
                                                          "GetSellerID"]
    assert lombar.dispid(lombar.Dispatch("ICatProviderCol"), "item") == 0x68030001
    assert lombar.dispid(lombar.Dispatch("ICatSpecCol"), "item") == 0
    assert lombar.supports(lombar.Dispatch("ICatProvider"),
                           "{8C9EF23D-B39F-47E4-A35E-93BBD6E5F68E}")
    for name in ("ICatVehicle", "ICatSpec", "ICatSpecCol", "ICatProvider", "ICatProviderCol",
                 "ICatPreset", "ICatPresetCol", "ICatList", "ICatListCol"):
        assert lombar.class_name(lombar.Dispatch("qorkwz_LOMBARv3." + name)) == name
