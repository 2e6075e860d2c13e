"""The building steps of exchange.vbs on the Linux library: writes the same
catalog document to the file named by the first argument, for
scripts/test-windows to compare with the one the COM server wrote.

    PYTHONPATH=python LOMBAR_LIBRARY=build/qorLOMBARv3.00.so python3 tests/windows/exchange.py out.xml
"""

import sys

import lombar


# The description exchange.vbs types on code page 1252: its characters hosts
# type most, and U+0081, which its undefined byte 0x81 stands for.
WINDOWS_TEXT = "Water Pump \u2019\u201c\u201d\u2013\u2014\u2026\u2122\u20ac\u0160\u0153\u0178\x81"


def priced_part(line_code, number, description, directory, cost):
    item = lombar.Dispatch("ICatItem")
    item.LineCode = line_code
    item.ItemNumber = number
    item.Description = description
    item.ItemStatus = "ORDER"
    item.PriceCol.Add(directory, "", "", "6", cost, "19.99", lombar.ByRef(""))
    return item


def build_catalog():
    catalog = lombar.Dispatch("ICatalog")
    catalog.Vehicle.Year = "2011"
    catalog.Vehicle.Make = "Cardell"
    catalog.Vehicle.Model = "Ranger XL"
    catalog.Vehicle.VIN = "A6V0ADAPVT0BL9K09"
    catalog.Providers.Add("Northside Auto Parts", "Main St", "1001", "D1", "Today 3 pm", True)
    catalog.Providers.Add("Northside Auto Parts", "Central Warehouse", "1002", "D2", "Tomorrow", False)
    catalog.GlobalProviders_Create()
    for directory in ("D1", "D2"):
        items = lombar.Dispatch("ICatItemCol")
        for part in (priced_part("FLT", "PF15838", "Air Filter", directory, "12.92"),
                     priced_part("GTW", "K007919", WINDOWS_TEXT, directory, "58.11")):
            items.Add(part, part.UniqueKey())
        catalog.Stores.Add(directory, items)
    return catalog


if __name__ == "__main__":
    with open(sys.argv[1], "w", encoding="utf-8", newline="") as out:
        out.write(build_catalog().XML)
