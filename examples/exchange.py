"""One host builds a catalog with a store and two priced parts and writes its
XML; another reads that XML into a new catalog. Then a mistake, and the
error it raises.

    PYTHONPATH=python LOMBAR_LIBRARY=build/qorLOMBARv3.00.so python3 examples/exchange.py
"""

import sys
from decimal import Decimal

import lombar


def priced_part(line_code, number, description, cost):
    item = lombar.Dispatch("ICatItem")
    item.LineCode = line_code
    item.ItemNumber = number
    item.Description = description
    # Store D1 has 6 on hand at this cost and a list price of 19.99.
    item.PriceCol.Add("D1", "Main St", "1001", "6", cost, "19.99", lombar.ByRef(""))
    return item


def build_catalog():
    catalog = lombar.Dispatch("qorkwz_LOMBARv3.ICatalog")
    catalog.Vehicle.Year = "2011"
    catalog.Vehicle.Make = "Cardell"
    catalog.Providers.Add("Northside Auto Parts", "Main St", "1001", "D1", "Today 3 pm", True)
    items = lombar.Dispatch("ICatItemCol")
    for part in (priced_part("FLT", "PF15838", "Air Filter", "12.92"),
                 priced_part("GTW", "K007919", "Water Pump", "58.11")):
        items.Add(part, part.UniqueKey())
    catalog.Stores.Add("D1", items)
    return catalog


def main():
    document = build_catalog().XML  # the text one host hands the other

    copy = lombar.Dispatch("ICatalog")
    copy.XML = document
    pump = copy.Stores("D1").Items("GTWK007919")
    same = (copy.XML == document and len(copy.Stores("D1").Items) == 2
            and pump.PriceCol("D1").Cost == Decimal("58.11"))
    print(f"{len(document)} characters passed on; read back {'the same' if same else 'DIFFERENT'}")

    try:
        copy.Stores("D9")  # no store has the directory D9
    except lombar.ComError as error:
        print(f"error {error.number}: {error.description}")
        return 0 if same and error.number == 5 else 1
    return 1


if __name__ == "__main__":
    sys.exit(main())
