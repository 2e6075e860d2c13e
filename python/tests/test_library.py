import concurrent.futures
import gc
import pathlib
import pydoc
import re

import pytest

import lombar
from conftest import fails
from lombar import _native
from test_objects import OVERFLOW_XML

IUNKNOWN = "{00000000-0000-0000-C000-000000000046}"
IDISPATCH = "{00020400-0000-0000-C000-000000000046}"
PROVIDER_IDS = ("{D5C564C0-3061-418A-85FA-39F86764A72B}", "{C27B6113-1AB3-4DA7-B4C5-4D3453100F16}")
EARLIER_PROVIDER_ID = "{8C9EF23D-B39F-47E4-A35E-93BBD6E5F68E}"  # answered beside its own
WRONG_THREAD = 0x8001010E - (1 << 32)
FOREIGN = (b'REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\Acme.Widget]\r\n@="Acme \\"Widget\\""\r\n\r\n'
           b'[HKEY_CLASSES_ROOT\\Acme.Widget\\Clsid]\r\n'
           b'@="{00000000-1111-2222-3333-444444444444}"\r\n')


def test_type_information():
    spec, p = lombar.Dispatch("ICatSpec"), 0x68030000
    members = lombar.members(spec)
    assert (len(members), members[:2], members[-1]) == (
        11, [("XML", "get", p + 4), ("XML", "let", p + 4)], ("Clear", "method", 0x60030006))
    assert (lombar.dispid(spec, "typex"), lombar.class_name(spec)) == (p + 3, "ICatSpec")
    assert lombar.class_ids("icatprovider") == PROVIDER_IDS
    provider = lombar.Dispatch("ICatProvider")
    assert [lombar.supports(provider, iid) for iid in (
        IUNKNOWN, IDISPATCH, PROVIDER_IDS[1].lower(), EARLIER_PROVIDER_ID,
        PROVIDER_IDS[0])] == [True, True, True, True, False]
    pytest.raises(ValueError, lombar.supports, provider, "ICatProvider")
    assert lombar.typelib() == {"name": "qorkwz_LOMBARv3", "major": 1, "minor": 2, "lcid": 0x409,
                                "guid": "{C22212ED-5E03-4D43-8768-ABCEC1568719}"}
    assert (lombar.constants.qCCISmclSequence, lombar.constants.enumeration("qcips_GenericID")) == (
        8, "qorCatItemProfileSort")
    pytest.raises(AttributeError, getattr, lombar.constants, "qCCISnothing")
    pytest.raises(AttributeError, setattr, lombar.constants, "qcit_Part", 5)


# Members as the classes' tables declare them, as help() shows them.
MEMBER_DOCS = {
    ("ICatInfoCol", "Add"): (
        "method Add(xsType: String, xsLine: String, xsCode: String, xsDesc: String, "
        "xsText: String, xsTag: String, xbDefault: Boolean, xsStyle: String, "
        "[ByRef xsKey: String = '']) -> ICatInfo"),
    ("ICatInfoCol", "Clear"): "method Clear([xbDestroyObject: Boolean = False])",
    ("ICatInfoCol", "Item"): "get    Item(vntIndexKey: Variant) -> ICatInfo",
    ("ICatItem", "QuantityToOrder"): (
        "get    QuantityToOrder([ByRef xsMCLdir: String = 'JOBBER']) -> Variant\n"
        "let    QuantityToOrder([ByRef xsMCLdir: String = 'JOBBER']) = RHS: Variant"
        "    [o.SetQuantityToOrder(..., value)]"),
    ("ICatVehicle", "Specs"): "get    Specs -> ICatSpecCol\nset    Specs = ByRef RHS: ICatSpecCol",
    ("ICatItemCol", "GetItemGroup"): "method GetItemGroup(xsDescription: String) -> Short",
    ("ICatalog", "Summarize"): "method Summarize([xsMCLdir: String = '*ALL*'])",
}


def test_help_lists_every_member_with_kind_parameters_defaults_and_references():
    for (class_name, member), doc in MEMBER_DOCS.items():
        target = lombar.Dispatch(class_name)
        python_class = type(target)
        assert (python_class.__name__, isinstance(target, lombar.Object)) == (class_name, True)
        signatures = getattr(python_class, member).__doc__.split("\n\n")[-1]
        assert signatures == doc
        shown = "\n |      %s\n" % doc.replace("\n", "\n |      ")
        assert shown in pydoc.render_doc(target, renderer=pydoc.plaintext)
    infos = lombar.Dispatch("ICatInfoCol")
    assert infos.add.__doc__ == infos.Add.__doc__
    assert infos.Add.__doc__.endswith(MEMBER_DOCS["ICatInfoCol", "Add"])
    assert infos.SetXML.__doc__ == type(infos).XML.__doc__
    for class_name in lombar.classes():
        target = lombar.Dispatch(class_name)
        text = pydoc.render_doc(target, renderer=pydoc.plaintext)
        assert lombar.class_ids(class_name)[0] in text
        for name, kind, _dispid in lombar.members(target):
            if not name.startswith("_"):
                assert re.search(r"^ \|      %s +%s\b" % (kind, name), text, re.M), (
                    class_name, name, kind)


def test_help_shows_the_texts_of_classes_and_members():
    catalog, prices = lombar.Dispatch("ICatalog"), lombar.Dispatch("ICatPriceCol")
    assert pydoc.render_doc(catalog, renderer=pydoc.plaintext).count(
        "ICatalog: The catalog selection as a whole") == 1
    assert type(prices).NewEnum.__doc__ == (  # a text the collections share
        "An enumerator over the members in order, for For Each.\n\nget    NewEnum -> IUnknown")


def unloadable():
    gc.collect()
    return lombar.can_unload_now()


def test_objects_hold_the_library_until_the_last_one_goes():
    assert unloadable()
    vehicle, providers = lombar.Dispatch("ICatVehicle"), lombar.Dispatch("ICatProviderCol")
    vehicle.Specs = lombar.Dispatch("ICatSpecCol")
    provider = lombar.ByRef(lombar.Dispatch("ICatProvider"))
    members = providers.AddObject(provider, "D1"), list(providers)
    fails(438, setattr, vehicle, "Year", providers)
    del vehicle, providers
    assert not unloadable()
    del provider, members
    assert unloadable()


def test_other_threads_are_refused_calls_and_their_releases_wait_for_the_objects_thread(worker):
    catalog, specs = lombar.Dispatch("ICatalog"), lombar.Dispatch("ICatSpecCol")
    catalog.Vehicle.Make = "Cardell"
    before = catalog.XML

    def use_from_another_thread(_):
        for _ in range(50):
            fails(WRONG_THREAD, setattr, catalog, "XML", "")
            fails(WRONG_THREAD, getattr, catalog, "Stores")
            fails(WRONG_THREAD, setattr, lombar.Dispatch("ICatVehicle"), "Specs", specs)
        return fails(WRONG_THREAD, getattr, catalog, "XML").description

    with concurrent.futures.ThreadPoolExecutor(4) as pool:
        refusals = set(pool.map(use_from_another_thread, range(4)))
    assert refusals == {"The application called an interface that was marshalled for a different thread"}
    assert catalog.XML == before
    other = worker()
    stores = other.call(lambda: lombar.Dispatch("ICatStoreCol"))
    held = [catalog, specs]
    del catalog, specs
    other.call(held.clear)  # given back on another thread
    del stores
    assert not unloadable()  # the store collection waits for its own thread's next call
    other.call(lombar.can_unload_now)
    assert unloadable()


def test_register_writes_exactly_its_entries_and_unregister_takes_them_out(tmp_path, monkeypatch):
    registry = tmp_path / "registry.reg"
    registry.write_bytes(FOREIGN)
    monkeypatch.setenv("LOMBAR_REGISTRY", str(registry))
    lombar.register()
    lombar.register()
    written = registry.read_bytes().decode()
    library = _native.lib().lombar_path
    expected = (pathlib.Path(__file__).parent / "registration.golden").read_text().replace(
        "{library}", library).replace("{folder}", library[:library.rfind("/") + 1])
    assert written == FOREIGN.decode() + expected
    lombar.unregister()
    assert registry.read_bytes() == FOREIGN
    monkeypatch.setenv("LOMBAR_REGISTRY", str(tmp_path))  # a folder: cannot be written
    with pytest.raises(lombar.ComError):
        lombar.register()



def test_json_both_ways_through_the_library():
    infos = lombar.Dispatch("ICatInfoCol")
    infos.Add("RULE", "1", "C1", "Cash & carry", "", "", True, "", lombar.ByRef(""))
    text = lombar.to_json(infos)
    assert '"Desc": "Cash & carry"' in text and '"Default": true' in text
    copy = lombar.from_json(text, "ICatInfoCol")
    assert lombar.class_name(copy) == "ICatInfoCol" and copy.XML == infos.XML
    bad = fails(13, lombar.from_json, '{"Count": 1,\n "Collection": [}', "ICatInfoCol")
    assert "line 2, column 17" in str(bad)
    fails(5, lombar.from_json, "{}", "Collection")
