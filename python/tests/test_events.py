import gc

import lombar
from conftest import fails


class Counter:
    def __init__(self):
        self.count = 0

    def OnCountChanged(self):
        self.count += 1


def part(line_code, number):
    item = lombar.Dispatch("ICatItem")
    item.LineCode, item.ItemNumber = line_code, number
    return item


def test_count_changed_reaches_the_handler_until_it_disconnects():
    items = lombar.Dispatch("ICatItemCol")
    handler = Counter()
    with lombar.WithEvents(items, handler) as connection:
        assert items.Add(part("ACD", "1"), "ACD1") is not None
        assert items.Add(part("ACD", "1"), "acd1") is None  # a duplicate adds nothing
        assert handler.count == 1  # called before Add returned
        items.Remove("ACD1")
        items.Clear()
        assert handler.count == 1 and connection.connected
    assert not connection.connected
    items.Add(part("D", "4"), "")
    assert handler.count == 1
    connection.close()  # closing again does nothing


def test_handlers_without_the_method_and_objects_released_while_connected():
    items = lombar.Dispatch("ICatItemCol")
    lombar.WithEvents(items, object())  # no OnCountChanged: skipped
    items.Add(part("A", "1"), "")

    handler = Counter()
    connection = lombar.WithEvents(lombar.Dispatch("ICatItemCol"), handler)
    connection._source.Add(part("A", "1"), "")
    del connection
    gc.collect()  # the connection and its object go; nothing is left to call
    assert handler.count == 1

    fails(438, lombar.WithEvents, lombar.Dispatch("ICatInfo"), handler)  # fires no events


def test_a_handler_that_raises_fails_the_firing_call():
    class Failing:
        def OnCountChanged(self):
            raise RuntimeError("host refuses")

    items = lombar.Dispatch("ICatItemCol")
    with lombar.WithEvents(items, Failing()):
        try:
            items.Add(part("A", "1"), "")
        except RuntimeError as error:
            assert str(error) == "host refuses"
        else:
            raise AssertionError("the handler's error was lost")
    assert len(items) == 1


def test_parameterised_lets_take_their_optional_key_before_the_value(worker):
    def exchange():  # in a thread of its own, for the providers are the thread's
        catalog = lombar.Dispatch("ICatalog")
        catalog.Providers.Add("Main", "Main St", "S1", "D1", "", True)
        catalog.GlobalProviders_Create()
        item = part("ACD", "012345")
        item.PriceCol.Add("D1", "Main St", "S1", "5", "1.25", "2")
        item.SetQuantityToOrder("D1", 2)  # the let's optional key before its value
        first = item.QuantityToOrder("D1")
        item.SetQuantityToOrder(3, xsmcldir="D1")  # by name, the value still last
        return first, item.QuantityToOrder(xsMCLdir="D1")

    assert worker().call(exchange) == (2.0, 3.0)
