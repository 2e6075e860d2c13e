// JScript through the COM server: Enumerator over a collection, default
// members, and errors as exceptions with number and description.
var passed = 0, failed = 0;
function check(ok, what) {
  if (ok) { passed++; WScript.Echo("ok   " + what); } else { failed++; WScript.Echo("FAIL " + what); }
}
function make(className) { return new ActiveXObject("qorkwz_LOMBARv3." + className); }
// The runtime error number an automation error code carries.
function numberOf(error) { return error.number & 0xFFFF; }

var items = make("ICatItemCol");
check(new Enumerator(items).atEnd(), "an empty collection's enumerator is at its end");
for (var i = 1; i <= 3; i++) {
  var item = make("ICatItem");
  item.LineCode = "FLT";
  item.ItemNumber = "P" + i;
  items.Add(item, item.UniqueKey());
}
var numbers = [];
for (var walk = new Enumerator(items); !walk.atEnd(); walk.moveNext()) numbers.push(walk.item().ItemNumber);
check(numbers.join(",") == "P1,P2,P3", "Enumerator walks the members in order");
check(items.Count == 3 && items.Item("FLTP2").ItemNumber == "P2" && items(3).ItemNumber == "P3",
      "Count, Item by key and the default member by position");

check(items.Item(99) === null, "an item collection gives Nothing for a position past its end");
try {
  make("ICatStoreCol").Item(99);
  check(false, "a store position past the end raises an error");
} catch (error) {
  check(numberOf(error) == 9 && error.description.indexOf("Subscript out of range") >= 0,
        "a store position past the end raises error 9 with its description");
}
try {
  items.NoSuchMember();
  check(false, "an unknown member raises an error");
} catch (error) {
  check(numberOf(error) == 438, "an unknown member raises error 438");
}

WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Quit(failed);
