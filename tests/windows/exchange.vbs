' The typical exchange between two hosts, through the COM server: one builds
' a catalog (vehicle, providers with one default, the thread's global
' providers, a store per directory, priced items) and writes its XML to the
' file named by the first argument; the other reads it into a new catalog.
' Then by-reference keys, default members, For Each and errors as scripts
' meet them. exchange.py runs the same building steps on the Linux library,
' and the two documents must be the same bytes.
Option Explicit

Dim passed, failed
passed = 0
failed = 0

Sub Check(ok, what)
  If ok Then
    passed = passed + 1
    WScript.Echo "ok   " & what
  Else
    failed = failed + 1
    WScript.Echo "FAIL " & what
  End If
End Sub

Function Make(className)
  Set Make = CreateObject("qorkwz_LOMBARv3." & className)
End Function

Function PricedPart(lineCode, number, description, directory, cost)
  Dim item, key
  Set item = Make("ICatItem")
  item.LineCode = lineCode
  item.ItemNumber = number
  item.Description = description
  item.ItemStatus = "ORDER"
  key = ""
  item.PriceCol.Add directory, "", "", "6", cost, "19.99", key
  Set PricedPart = item
End Function

' A description as a host on code page 1252 types it: the characters of its
' bytes 0x92 0x93 0x94 0x96 0x97 0x85 0x99 0x80 0x8A 0x9C 0x9F (right quote,
' double quotes, dashes, ellipsis, trade mark, euro, S caron, oe, Y
' diaeresis) and 0x81, which the code page leaves undefined, each made from
' its byte by Chr (Wine's VBScript has no ChrW).
Function WindowsText()
  Dim code
  WindowsText = "Water Pump "
  For Each code In Array(&H92, &H93, &H94, &H96, &H97, &H85, &H99, &H80, &H8A, &H9C, &H9F, &H81)
    WindowsText = WindowsText & Chr(code)
  Next
End Function

Function BuildCatalog()
  Dim catalog, items, part, directory
  Set catalog = Make("ICatalog")
  catalog.Vehicle.Year = "2011"
  catalog.Vehicle.Make = "Cardell"
  catalog.Vehicle.Model = "Ranger XL"
  catalog.Vehicle.VIN = "A6V0ADAPVT0BL9K09"
  catalog.Providers.Add "Northside Auto Parts", "Main St", "1001", "D1", "Today 3 pm", True
  catalog.Providers.Add "Northside Auto Parts", "Central Warehouse", "1002", "D2", "Tomorrow", False
  catalog.GlobalProviders_Create
  For Each directory In Array("D1", "D2")
    Set items = Make("ICatItemCol")
    For Each part In Array(PricedPart("FLT", "PF15838", "Air Filter", directory, "12.92"), _
                           PricedPart("GTW", "K007919", WindowsText(), directory, "58.11"))
      items.Add part, part.UniqueKey()
    Next
    catalog.Stores.Add directory, items
  Next
  Set BuildCatalog = catalog
End Function

Sub WriteDocument(path, text)
  Dim file
  ' In UTF-16, so that the file holds the text itself, whatever the code page.
  Set file = CreateObject("Scripting.FileSystemObject").CreateTextFile(path, True, True)
  file.Write text
  file.Close
End Sub

Dim document, copy, store, item, stores, members, key, prices
document = BuildCatalog().XML
WriteDocument WScript.Arguments(0), document

Set copy = Make("ICatalog")
copy.XML = document
Check copy.XML = document, "the catalog read from the document writes the same document"
Check copy.Stores("D1").Items("GTWK007919").Description = WindowsText(), _
  "the characters of code page 1252 survive the document"
Check copy.Providers.Item("D1").Default And Not copy.Providers.Item("D2").Default, _
  "the default provider is the one marked"

' Default members: Stores(...) is the store collection's Item, Items(...) the items'.
Check copy.Stores("D2").Items("GTWK007919").PriceCol("D2").Cost = 58.11, _
  "default members reach a store's item and its price"
stores = 0
members = 0
For Each store In copy.Stores
  stores = stores + 1
  For Each item In store.Items
    members = members + 1
  Next
Next
Check stores = 2 And members = 4, "For Each walks the stores and their items"

' A price added without a key is kept under its directory, else under its
' seller ("S#" and the seller ID); the by-reference key receives it.
Set prices = Make("ICatPriceCol")
key = ""
prices.Add "", "", "1002", "3", "1.25", "2.50", key
Check key = "S#1002", "a by-reference key receives the key the price is kept under"
key = "KEPT"
prices.Add "D1", "", "", "3", "1.25", "2.50", key
Check key = "KEPT" And prices.Count = 2 And prices("KEPT").MCLdir = "D1", _
  "a key given is kept as it is"

On Error Resume Next
Set store = copy.Stores("D9")
Check Err.Number = 5, "an unknown store key raises error 5"
Check Err.Source = "qorkwz_LOMBARv3", "the error's source is the library"
Err.Clear
key = ""
prices.Add "JOBBER", "", "", "3", "1.25", "2.50", key
Check Err.Number = 17 And Err.Description = "ICatPriceCol | Add, Error # 17 at line: 0" & vbCrLf & _
  "Invalid Collection Key of 'Jobber' Specified.", _
  "a trapped failure raises its number with the composed description"
Err.Clear
copy.NoSuchMember = 1
Check Err.Number = 438, "an unknown member is error 438"
Err.Clear
copy.Stores.Add
Check Err.Number = 450, "a call without its arguments is error 450"
On Error GoTo 0

WScript.Echo passed & " passed, " & failed & " failed"
WScript.Quit failed
