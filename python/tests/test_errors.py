import os
import re

import pytest

import lombar

OVERFLOW_XML = "<ICatInfoCol><Count>40000</Count></ICatInfoCol>"


def error_lines(folder):
    path = os.path.join(str(folder), "qorLOMBARv3.00.error.log")
    if not os.path.exists(path):
        return []
    with open(path, "rb") as log:
        text = log.read().decode("utf-8")
    assert text.endswith("\r\n")
    return text.split("\r\n")[:-1]


def test_trapped_error_has_the_composed_description_and_one_log_line(
        worker, tmp_path, monkeypatch):
    def scenario():
        infos = lombar.Dispatch("ICatInfoCol")
        infos.Add("T", "", "C", "", "", "", False, "", "K")
        infos.Add("T", "", "D", "", "", "", False, "", "k")  # a duplicate, dropped unlogged
        with pytest.raises(lombar.ComError) as missing:
            infos.Item("missing")  # untrapped: no log line
        assert missing.value.number == 5 and "|" not in missing.value.description
        with pytest.raises(lombar.ComError) as raised:
            infos.XML = OVERFLOW_XML
        return raised.value, infos.Count

    monkeypatch.setenv("LOMBAR_LOG_DIR", str(tmp_path))
    error, count = worker().call(scenario)
    assert (error.number, error.description, count) == (
        6, "ICatInfoCol | Let XML, Error # 6 at line: 0\r\nOverflow", 0)
    [line] = error_lines(tmp_path)
    assert re.match(r"\d{8}\|\d\d:\d\d:\d\d .{12} ICatInfoCol \| Let XML, Error # 6 at line: 0"
                    r"\]\[Overflow$", line), line


@pytest.mark.parametrize("use, number", [
    (lambda infos, info: infos.Add("T", "L", "C", "D", "X", "G", "yes please", "S"), 13),
    (lambda infos, info: infos.Add("T", "L", "C", "D", "X", "G", lombar.Null, "S"), 94),
    (lambda infos, info: setattr(info, "Desc", lombar.Null), 94),
    (lambda infos, info: setattr(info, "Desc", ["a list"]), 13),
    (lambda infos, info: lombar.WithEvents(infos, object()), 438)])
def test_conversion_and_call_errors(use, number):
    infos, info = lombar.Dispatch("ICatInfoCol"), lombar.Dispatch("ICatInfo")
    with pytest.raises(lombar.ComError) as raised:
        use(infos, info)
    assert raised.value.number == number
    assert infos.Count == 0 and info.Desc == ""

