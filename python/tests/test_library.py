import gc
import os
import re

import pytest

import lombar
from test_errors import OVERFLOW_XML, error_lines

OTHER_ENTRIES = (b'REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\Acme.Widget]\r\n'
                 b'@="Acme \\"Widget\\""\r\n\r\n[HKEY_CLASSES_ROOT\\Acme.Widget\\Clsid]\r\n'
                 b'@="{00000000-1111-2222-3333-444444444444}"\r\n')


def sections(text):
    """A REGEDIT4 text as {key: {value name: value}}."""
    found, values = {}, None
    for line in text.splitlines():
        if line.startswith("["):
            values = found.setdefault(line[1:-1], {})
        elif "=" in line:
            name, value = re.match(r'^(@|"(?:[^"\\]|\\.)*")="((?:[^"\\]|\\.)*)"$', line).groups()
            values[name.strip('"')] = re.sub(r"\\(.)", r"\1", value)
    return found


def test_type_library_and_constants():
    assert lombar.typelib() == {"name": "qorkwz_LOMBARv3", "major": 1, "minor": 2, "lcid": 0x409,
                                "guid": "{C22212ED-5E03-4D43-8768-ABCEC1568719}"}
    assert (lombar.constants.qcit_FilterAllTypes, lombar.constants.qCCISmclSequence,
            lombar.constants.qcips_GenericID) == (99, 8, 9)
    with pytest.raises(AttributeError):
        lombar.constants.qCCISnothing


def test_register_then_unregister_keeps_other_entries(tmp_path, monkeypatch):
    registry = tmp_path / "registry.reg"
    registry.write_bytes(OTHER_ENTRIES)
    monkeypatch.setenv("LOMBAR_REGISTRY", str(registry))
    lombar.register()
    written = sections(registry.read_bytes().decode())
    clsid, progid = lombar.class_ids("ICatInfoCol")[0], "qorkwz_LOMBARv3.ICatInfoCol"
    assert written["HKEY_CLASSES_ROOT\\" + progid + "\\Clsid"] == {"@": clsid}
    assert written["HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\ProgID"] == {"@": progid}
    server = written["HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\InprocServer32"]
    assert server["ThreadingModel"] == "Apartment"
    assert os.path.basename(server["@"]) == "qorLOMBARv3.00.so"
    assert written["HKEY_CLASSES_ROOT\\Acme.Widget"] == {"@": 'Acme "Widget"'}
    lombar.register()
    lombar.unregister()
    assert registry.read_bytes() == OTHER_ENTRIES


def test_unload_only_when_no_object_lives():
    gc.collect()
    assert lombar.can_unload_now()
    infos = lombar.Dispatch("ICatInfoCol")
    info = infos.Add("T", "", "C", "", "", "", False, "", "K")
    del infos
    gc.collect()
    assert not lombar.can_unload_now()  # the record still lives
    del info
    gc.collect()
    assert lombar.can_unload_now()


def test_each_thread_keeps_its_own_log_state(worker, tmp_path, monkeypatch):
    def fail():
        with pytest.raises(lombar.ComError):
            lombar.Dispatch("ICatInfoCol").XML = OVERFLOW_XML

    (tmp_path / "first").mkdir()
    (tmp_path / "second").mkdir()
    monkeypatch.setenv("LOMBAR_LOG_DIR", str(tmp_path / "first"))
    first = worker()
    first.call(fail)
    monkeypatch.setenv("LOMBAR_LOG_DIR", str(tmp_path / "second"))
    worker().call(fail)
    first.call(fail)  # its log was set up at its first error: still the first folder
    assert (len(error_lines(tmp_path / "first")), len(error_lines(tmp_path / "second"))) == (2, 1)
