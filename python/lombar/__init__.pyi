"""Late-binding client for the qorLOMBARv3.00 catalog object model.

    import lombar
    infos = lombar.Dispatch("qorkwz_LOMBARv3.ICatInfoCol")
    key = lombar.ByRef("")
    infos.Add("RULE", "1", "C1", "Cash only", "", "", True, "", key)
    first = infos.Item(1)
    print(first.Desc, len(infos), [info.Code for info in infos])

help(object) lists the members of the object's class, with their parameters.

The library file is found through the environment variable LOMBAR_LIBRARY,
else beside this package, else under the install prefix (lib/ of the prefix
the package is installed under, of the interpreter's, /usr/local and /usr),
else in build/ at the repository root."""

# Generated from the library's type information by python3 -m lombar._stubs;
# a test fails when it no longer matches. A member that gives an object gives
# None where the library gives Nothing.

from decimal import Decimal
from typing import (Any, Generic, Iterator, List, Literal, NoReturn, Optional, Tuple, TypeVar,
                    Union, overload)

__version__: str

_T = TypeVar("_T")
_Kind = Literal["method", "get", "let", "set"]


class ComError(Exception):
    """A failure the library reported: its error number, description and
    source, and what it concerns ("ICatInfoCol.Add")."""
    number: int
    description: str
    source: str
    name: Optional[str]
    def __init__(self, number: int, description: str = ..., source: str = ...,
                 name: Optional[str] = ...) -> None: ...


class ByRef(Generic[_T]):
    """A by-reference argument: the callee reads `value` and may replace it."""
    value: _T
    def __init__(self, value: _T = ...) -> None: ...


# What a by-reference parameter takes: ByRef(value) to receive what the
# member leaves there, or a plain value.
_Ref = Union[ByRef[_T], _T]


class _NullType: ...


Null: _NullType
"""The automation null value, distinct from None (empty)."""


class Object:
    """A library object; each library class has a subclass of its own."""
    def __iter__(self) -> Iterator[Any]: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...


class WithEvents:
    """Connects handler.On<Event>() to the events of `source` until close()."""
    connected: bool
    def __init__(self, source: Object, handler: Any) -> None: ...
    def close(self) -> None: ...
    def __enter__(self) -> "WithEvents": ...
    def __exit__(self, *exc_info: Any) -> bool: ...


def invoke(target: Object, name: Union[str, int], kind: _Kind, *args: Any, **kwargs: Any) -> Any:
    """Calls a member by name (or dispatch id) and kind; for "let" and "set"
    the value is the last argument."""
def members(target: Object) -> List[Tuple[str, str, int]]:
    """The members of the object's default interface in slot order, as
    (name, kind, dispid) tuples."""
def dispid(target: Object, name: str) -> int:
    """The dispatch id of a member name."""
def class_name(target: Object) -> Optional[str]:
    """The object's class name; None for an object that is no class instance."""
def supports(target: Object, iid: str) -> bool:
    """True when the object answers a request for the interface id."""
def class_ids(class_name: str) -> Tuple[str, str]:
    """(class id, default interface id) of a class, as upper-case texts in braces."""
def classes() -> List[str]:
    """The names of the classes Dispatch creates, in the type library's order."""
def typelib() -> dict:
    """The type library's name, id, version and locale."""
def register() -> None:
    """Registers the library's classes and type library (DllRegisterServer)."""
def unregister() -> None:
    """Removes what register() wrote (DllUnregisterServer)."""
def can_unload_now() -> bool:
    """True when no library object and no class-factory lock is alive."""


class ICatalog(Object):
    """The catalog selection as a whole: the vehicle, providers, presets, stores and lists, read
    and written as one XML document."""
    @property
    def XML(self) -> str:
        """The whole catalog as one XML document; assigning a document replaces every part, and a
        text that does not open with <Catalogs> is taken for an old-style item document, filed as
        the one store of the default provider's directory."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def Vehicle(self) -> ICatVehicle:
        """The vehicle being worked on; setting it shares the object given, not a copy."""
    @Vehicle.setter
    def Vehicle(self, value: Optional[ICatVehicle]) -> None: ...
    @property
    def Providers(self) -> ICatProviderCol:
        """The catalog providers; GlobalProviders_Create makes them the ones that key look-ups such
        as JOBBER consult."""
    @Providers.setter
    def Providers(self, value: Optional[ICatProviderCol]) -> None: ...
    @property
    def Presets(self) -> ICatPresetCol:
        """The preset look-ups; setting them shares the collection given."""
    @Presets.setter
    def Presets(self, value: Optional[ICatPresetCol]) -> None: ...
    @property
    def Stores(self) -> ICatStoreCol:
        """The stores with the items selected in each; setting them shares the collection given."""
    @Stores.setter
    def Stores(self, value: Optional[ICatStoreCol]) -> None: ...
    @property
    def Lists(self) -> ICatListCol:
        """The reference lists; setting them shares the collection given."""
    @Lists.setter
    def Lists(self, value: Optional[ICatListCol]) -> None: ...
    def FindItemInStore(self, xoCatItem: _Ref[Optional[ICatItem]], xsMCLdir: str) -> ICatItem:
        """The item of store xsMCLdir that matches xoCatItem: the one under its vendor number, else
        the first with the same group, coverage, part type and item number; Nothing when there is
        none, and never an error."""
    def FindTypeInStore(self, xoCatItem: _Ref[Optional[ICatItem]], xsMCLdir: str) -> ICatItem:
        """An item of store xsMCLdir of the same kind as xoCatItem: the one under its vendor
        number, else the first with the same group, coverage and part type; Nothing when there is
        none, and never an error."""
    def MatchItemStatus(self, xoItemPRI: _Ref[Optional[ICatItem]], xsMCLdir: str) -> None:
        """Copies the status of xoItemPRI, and its order quantity at xsMCLdir, to its match in
        store xsMCLdir; only when that directory's provider is a virtual warehouse (location type
        VWH)."""
    def Summarize(self, xsMCLdir: str = '*ALL*') -> None:
        """Drops the items with a blank status from every store (*ALL*), from the stores of the VWH
        providers (VWH) or from one directory, then drops from the default provider's items their
        prices at the locations whose stores are left empty."""
    def GlobalProviders_Create(self) -> None:
        """Makes a copy of Providers this thread's global providers, which turn the keys JOBBER,
        #seller and S#seller into directories; with no providers nothing changes."""
    def GlobalProviders_Destroy(self) -> None:
        """Releases this thread's global providers: JOBBER then finds no directory."""
    def GlobalStores_Create(self) -> None:
        """Keeps a copy of Stores as this thread's global stores; with no stores nothing
        changes."""
    def GlobalStores_Destroy(self) -> None:
        """Releases this thread's global stores."""


class ICatVehicle(Object):
    """The vehicle being worked on: its year, make, model, engine, VIN, plate, mileage and details
    (Specs)."""
    @property
    def XML(self) -> str:
        """The vehicle as one Vehicle element with its Specs, empty elements left out; assigning a
        text clears the vehicle and reloads the same Specs collection."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def AAIA(self) -> str:
        """The vehicle's AAIA identifier, kept as text."""
    @AAIA.setter
    def AAIA(self, value: str) -> None: ...
    @property
    def Year(self) -> str:
        """The model year, kept as text."""
    @Year.setter
    def Year(self, value: str) -> None: ...
    @property
    def Make(self) -> str:
        """The vehicle's make."""
    @Make.setter
    def Make(self, value: str) -> None: ...
    @property
    def Model(self) -> str:
        """The vehicle's model."""
    @Model.setter
    def Model(self, value: str) -> None: ...
    @property
    def Engine(self) -> str:
        """The vehicle's engine."""
    @Engine.setter
    def Engine(self, value: str) -> None: ...
    @property
    def VIN(self) -> str:
        """The vehicle identification number."""
    @VIN.setter
    def VIN(self, value: str) -> None: ...
    @property
    def Plate(self) -> str:
        """The licence plate."""
    @Plate.setter
    def Plate(self, value: str) -> None: ...
    @property
    def Description(self) -> str:
        """The stored description, or when it is empty Year, Make, Model and Engine joined by
        single spaces, untrimmed; XML holds only the stored text."""
    @Description.setter
    def Description(self, value: str) -> None: ...
    @property
    def CurrentMileage(self) -> str:
        """The current mileage, kept as text."""
    @CurrentMileage.setter
    def CurrentMileage(self, value: str) -> None: ...
    @property
    def Specs(self) -> ICatSpecCol:
        """The vehicle's details, each an ICatSpec; setting them shares the collection given, and
        Clear empties it in place."""
    @Specs.setter
    def Specs(self, value: Optional[ICatSpecCol]) -> None: ...
    def Clear(self) -> None:
        """Empties the nine texts and the Specs collection, which stays the same object."""


class ICatSpec(Object):
    """One vehicle detail: a type and group with their info records."""
    @property
    def XML(self) -> str:
        """The detail as one Spec element (TypeX as Type) with its Information; assigning a text
        clears it first, and a text without a numeric Group, such as one written with Group 0 under
        zero-suppress, is error 13."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def TypeX(self) -> str:
        """The kind of detail, by convention VEH for the vehicle itself or GRP for a catalog group;
        any text is kept. Written as the Type element."""
    @TypeX.setter
    def TypeX(self, value: str) -> None: ...
    @property
    def Group(self) -> int:
        """The catalog group number, 0 for VEH; read from XML rounded half to even."""
    @Group.setter
    def Group(self, value: int) -> None: ...
    def Key(self) -> str:
        """TypeX followed by Group as at least five zero-padded digits (VEH00000, GRP00042): the
        key in the vehicle's Specs."""
    @property
    def Index(self) -> int:
        """The position the collection gave it when it was added; later removals and Clear leave it
        as it is."""
    @property
    def Information(self) -> ICatInfoCol:
        """The detail's info records; setting them shares the collection given, and Clear empties
        it in place."""
    @Information.setter
    def Information(self, value: Optional[ICatInfoCol]) -> None: ...
    def Clear(self) -> None:
        """Empties TypeX, sets Group to 0 and empties Information, which stays the same object;
        Index is kept."""


class ICatSpecCol(Object):
    """The details of a vehicle, each an ICatSpec."""
    @property
    def XML(self) -> str:
        """The members as one XML text, empty when there are none; assigning a text empties the
        collection and adds the members the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    def AddObject(self, xoSpec: _Ref[Optional[ICatSpec]]) -> ICatSpec:
        """Adds the ICatSpec itself, not a copy, under its Key, sets its Index to its position and
        returns it; a Key the collection already holds is error 457."""
    def Add(
        self,
        xsType: _Ref[str],
        xlGroup: _Ref[int],
        xoInfoCol: _Ref[Optional[ICatInfoCol]],
    ) -> ICatSpec:
        """Adds and returns a new ICatSpec of type xsType and group xlGroup, sharing xoInfoCol as
        its Information; a Key the collection already holds is error 457."""
    def Item(self, vntIndexKey: Any) -> ICatSpec:
        """The member at a position counted from 1, or under a key in any letter case; error 9 for
        a position out of range, error 5 for an unknown key."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or under a key, moving the later members up one place;
        fails as Item does."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key; never raises an error."""
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Releases every member and starts again empty; with xbDestroyObject True the collection
        is left without one: XML then gives the empty text and Count fails with error 91."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatSpec]: ...
    def __call__(self, vntIndexKey: Any) -> ICatSpec:
        """Item (the default member): The member at a position counted from 1, or under a key in
        any letter case; error 9 for a position out of range, error 5 for an unknown key."""
    @overload
    def __getitem__(self, index: int) -> ICatSpec: ...
    @overload
    def __getitem__(self, key: Any) -> ICatSpec: ...


class ICatProvider(Object):
    """A catalog provider: one seller location, with its directory (MCLdir), seller identifier,
    location type and display settings."""
    @property
    def XML(self) -> str:
        """The provider as one Provider element, its empty and zero leaves left out whatever the
        thread's switches; assigning a text clears the provider and reads every value, so one the
        text lacks (even one Clear keeps) becomes empty, False or 0."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def LineDescriptor(self) -> str:
        """The provider's line label: Name, Location and DeliveryMessage, each where its Display
        flag is True, joined by spaces and trimmed at both ends."""
    @property
    def Name(self) -> str:
        """The provider's name."""
    @Name.setter
    def Name(self, value: str) -> None: ...
    @property
    def Location(self) -> str:
        """The name of the seller location."""
    @Location.setter
    def Location(self, value: str) -> None: ...
    @property
    def LocationType(self) -> str:
        """The kind of location, such as STORE; VWH (exactly so) marks a virtual warehouse, whose
        store ICatalog's MatchItemStatus and Summarize with VWH act on."""
    @LocationType.setter
    def LocationType(self, value: str) -> None: ...
    @property
    def SellerID(self) -> str:
        """The seller's identifier, which GetMCLdir and the keys #seller and S#seller look up (in
        upper case, spaces around it ignored)."""
    @SellerID.setter
    def SellerID(self, value: str) -> None: ...
    @property
    def SellerName(self) -> str:
        """The seller's name."""
    @SellerName.setter
    def SellerName(self, value: str) -> None: ...
    @property
    def IconText(self) -> str:
        """The text of the provider's icon; kept by Clear."""
    @IconText.setter
    def IconText(self, value: str) -> None: ...
    @property
    def MCLdir(self) -> str:
        """The provider's catalog directory, its key in the provider collection; JOBBER (exactly
        so) is refused there with error 17."""
    @MCLdir.setter
    def MCLdir(self, value: str) -> None: ...
    @property
    def Priority(self) -> str:
        """The provider's priority, kept as text."""
    @Priority.setter
    def Priority(self, value: str) -> None: ...
    @property
    def DeliveryMessage(self) -> str:
        """The delivery message, part of LineDescriptor when DisplayMessage is True."""
    @DeliveryMessage.setter
    def DeliveryMessage(self, value: str) -> None: ...
    @property
    def DeliveryTrackID(self) -> str:
        """The buyer's identifier at the primary seller, for tracking deliveries."""
    @DeliveryTrackID.setter
    def DeliveryTrackID(self, value: str) -> None: ...
    @property
    def TransferTrackID(self) -> str:
        """The identifier for no-charge transfers between stores of one owner, at the alternate
        locations that offer them."""
    @TransferTrackID.setter
    def TransferTrackID(self, value: str) -> None: ...
    @property
    def DistanceFromYou(self) -> float:
        """The distance to the location, a single-precision number."""
    @DistanceFromYou.setter
    def DistanceFromYou(self, value: float) -> None: ...
    @property
    def AssocLineCode(self) -> str:
        """The line code associated with the provider."""
    @AssocLineCode.setter
    def AssocLineCode(self, value: str) -> None: ...
    @property
    def MsgLineCode(self) -> str:
        """The message line code, kept as text."""
    @MsgLineCode.setter
    def MsgLineCode(self, value: str) -> None: ...
    @property
    def DisplayLocation(self) -> bool:
        """Whether LineDescriptor shows Location; True on a new or cleared provider. The Location
        attribute of the Display element."""
    @DisplayLocation.setter
    def DisplayLocation(self, value: bool) -> None: ...
    @property
    def DisplayName(self) -> bool:
        """Whether LineDescriptor shows Name; the Name attribute of the Display element."""
    @DisplayName.setter
    def DisplayName(self, value: bool) -> None: ...
    @property
    def DisplayMessage(self) -> bool:
        """Whether LineDescriptor shows DeliveryMessage; the Message attribute of the Display
        element."""
    @DisplayMessage.setter
    def DisplayMessage(self, value: bool) -> None: ...
    @property
    def ShopPrice(self) -> bool:
        """The price flag of the provider's shopping rules; the Price attribute of the Shop
        element."""
    @ShopPrice.setter
    def ShopPrice(self, value: bool) -> None: ...
    @property
    def ShopDistance(self) -> bool:
        """The distance flag of the provider's shopping rules; the Distance attribute of the Shop
        element."""
    @ShopDistance.setter
    def ShopDistance(self, value: bool) -> None: ...
    @property
    def ShopProfitMin(self) -> Decimal:
        """The least profit of the provider's shopping rules, an amount; the ProfitMin attribute of
        the Shop element."""
    @ShopProfitMin.setter
    def ShopProfitMin(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def OrderSplitLoc(self) -> bool:
        """The order-splitting flag by location; the SplitLoc attribute of the Orders element, kept
        by Clear."""
    @OrderSplitLoc.setter
    def OrderSplitLoc(self, value: bool) -> None: ...
    @property
    def OrderSplitTot(self) -> bool:
        """The order-splitting flag by total; the SplitTot attribute of the Orders element, kept by
        Clear."""
    @OrderSplitTot.setter
    def OrderSplitTot(self, value: bool) -> None: ...
    @property
    def OrderSplitRelease(self) -> str:
        """The order-splitting release, as text; the SplitRelease attribute of the Orders element,
        kept by Clear."""
    @OrderSplitRelease.setter
    def OrderSplitRelease(self, value: str) -> None: ...
    @property
    def LinesIncluded(self) -> str:
        """The line codes included, as text; written as the LinesInc element."""
    @LinesIncluded.setter
    def LinesIncluded(self, value: str) -> None: ...
    @property
    def LinesExcluded(self) -> str:
        """The line codes excluded, as text; written as the LinesExc element."""
    @LinesExcluded.setter
    def LinesExcluded(self, value: str) -> None: ...
    @property
    def Tag(self) -> str:
        """Free text for the caller."""
    @Tag.setter
    def Tag(self, value: str) -> None: ...
    @property
    def DynamicPricingFlag(self) -> str:
        """The dynamic pricing flag, kept as text; written as the DynamicPricing element."""
    @DynamicPricingFlag.setter
    def DynamicPricingFlag(self, value: str) -> None: ...
    @property
    def DynamicDisplayFlag(self) -> str:
        """The dynamic display flag, kept as text; written as the DynamicDisplay element."""
    @DynamicDisplayFlag.setter
    def DynamicDisplayFlag(self, value: str) -> None: ...
    @property
    def LineColorPri(self) -> str:
        """The colour of a line from the primary seller; the PRI attribute of the LineColor
        element."""
    @LineColorPri.setter
    def LineColorPri(self, value: str) -> None: ...
    @property
    def LineColorAlt(self) -> str:
        """The colour of a line from an alternate location; the ALT attribute of the LineColor
        element."""
    @LineColorAlt.setter
    def LineColorAlt(self, value: str) -> None: ...
    @property
    def LineColorVWH(self) -> str:
        """The colour of a line from a virtual warehouse; the VWH attribute of the LineColor
        element."""
    @LineColorVWH.setter
    def LineColorVWH(self, value: str) -> None: ...
    @property
    def Default(self) -> bool:
        """Whether this is the default provider, whose directory JOBBER stands for; of several, the
        first in the collection counts. The Default attribute of Provider."""
    @Default.setter
    def Default(self, value: bool) -> None: ...
    @property
    def EditDate(self) -> str:
        """The date the provider was edited, kept as text; the EditDate attribute of the Provider
        element."""
    @EditDate.setter
    def EditDate(self, value: str) -> None: ...
    @property
    def FileDate(self) -> str:
        """The file date, kept as text; the FileDate attribute of the Provider element."""
    @FileDate.setter
    def FileDate(self, value: str) -> None: ...
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Empties the texts, sets the numbers to 0 and the flags to False but DisplayLocation to
        True; IconText, the three Order values and AllowPhantomAltLoc are kept, and xbDestroyObject
        changes nothing."""
    @property
    def DynamicListPriceFlag(self) -> str:
        """The dynamic list price flag, kept as text; written as the DynamicListPrice element."""
    @DynamicListPriceFlag.setter
    def DynamicListPriceFlag(self, value: str) -> None: ...
    @property
    def AllowPhantomAltLoc(self) -> bool:
        """Whether phantom alternate locations are allowed; kept by Clear."""
    @AllowPhantomAltLoc.setter
    def AllowPhantomAltLoc(self, value: bool) -> None: ...
    @property
    def ShippingRequired(self) -> bool:
        """Whether shipping is required from this location."""
    @ShippingRequired.setter
    def ShippingRequired(self, value: bool) -> None: ...
    @property
    def ShippingCostPerLB(self) -> Decimal:
        """The shipping cost per pound, an amount."""
    @ShippingCostPerLB.setter
    def ShippingCostPerLB(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def ShippingMinPieceCount(self) -> int:
        """The least number of pieces for shipping."""
    @ShippingMinPieceCount.setter
    def ShippingMinPieceCount(self, value: int) -> None: ...
    @property
    def ShippingCarrDesc(self) -> str:
        """The description of the shipping carrier."""
    @ShippingCarrDesc.setter
    def ShippingCarrDesc(self, value: str) -> None: ...
    @property
    def ShippingAcctNum(self) -> str:
        """The shipping account number."""
    @ShippingAcctNum.setter
    def ShippingAcctNum(self, value: str) -> None: ...


class ICatProviderCol(Object):
    """The catalog providers, one of them the default (the jobber), with look-ups between
    directories and seller identifiers."""
    @property
    def XML(self) -> str:
        """The members as one XML text, empty when there are none; assigning a text empties the
        collection and adds the members the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    def GetDefaultProvider(self) -> ICatProvider:
        """The first provider whose Default is True; Nothing when none is."""
    def GetSellerID(self, xsMCLdir: str) -> str:
        """The SellerID of the provider of directory xsMCLdir (JOBBER, #seller and S#seller
        translated as by Item); the empty text when there is none."""
    def GetMCLdir(self, xsSellerID: str) -> str:
        """The MCLdir of the first provider whose SellerID, in upper case and trimmed, equals
        xsSellerID exactly once a leading # and then S# are dropped; the empty text when none
        does."""
    def Add(
        self,
        xsName: str,
        xsLocation: str,
        xsSellerID: str,
        xsMCLdir: str,
        xsDeliveryMessage: str,
        xbDefault: bool,
    ) -> ICatProvider:
        """Adds and returns a new provider from the arguments, keyed by xsMCLdir; JOBBER (exactly
        so) is refused with error 17, and a directory already held leaves the provider out without
        an error."""
    def AddObject(
        self,
        xoProvider: _Ref[Optional[ICatProvider]],
        sKey: _Ref[str] = '',
    ) -> ICatProvider:
        """Adds the provider itself under its MCLdir and returns it, sKey unused; JOBBER (exactly
        so) is refused with error 17, Nothing with error 91, and a directory already held leaves it
        out without an error."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key (JOBBER, #seller and S#seller
        translated as there); never raises an error."""
    def Item(self, vntIndexKey: Any) -> ICatProvider:
        """The member at a position counted from 1, or of a directory; the key JOBBER stands for
        the default provider's directory and #seller or S#seller for that seller's, by the thread's
        global providers; error 9 or 5 when there is none."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or of a directory, keys translated as by Item."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Releases every member and starts again empty; with xbDestroyObject True the collection
        is left without one: XML then gives the empty text and Count fails with error 91."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatProvider]: ...
    def __getitem__(self, index: int) -> ICatProvider: ...


class ICatStore(Object):
    """One store: a catalog directory (MCLdir) with the items selected in it and its info
    records."""
    @property
    def XML(self) -> str:
        """The values as one XML text; assigning a text clears the object first and then reads the
        values the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def MCLdir(self) -> str:
        """The store's catalog directory, its key in the store collection."""
    @MCLdir.setter
    def MCLdir(self, value: str) -> None: ...
    @property
    def Items(self) -> ICatItemCol:
        """The items selected in the store; setting them shares the collection given."""
    @Items.setter
    def Items(self, value: Optional[ICatItemCol]) -> None: ...
    @property
    def Info(self) -> ICatInfoCol:
        """The store's info records (rules, addresses); setting them shares the collection
        given."""
    @Info.setter
    def Info(self, value: Optional[ICatInfoCol]) -> None: ...
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Empties MCLdir and gives the store new empty Items and Info; with xbDestroyObject True
        it releases them and gives none."""


class ICatStoreCol(Object):
    """The stores of a catalog, keyed by directory; it also sets the thread's XML compress and
    zero-suppress switches."""
    @property
    def XML(self) -> str:
        """The members as one XML text, empty when there are none; assigning a text empties the
        collection and adds the members the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    def Add(self, xsMCLdir: str, xoItemCol: _Ref[Optional[ICatItemCol]]) -> ICatStore:
        """Adds and returns a new store of directory xsMCLdir holding the collection xoItemCol
        itself; the directory JOBBER (exactly so) is refused with error 17, and a directory already
        held leaves the store out without an error."""
    def AddObject(self, xoStore: _Ref[Optional[ICatStore]], sKey: _Ref[str] = '') -> ICatStore:
        """Adds the store itself under its MCLdir, which sKey fills in when empty, and returns it;
        JOBBER is refused with error 17, a directory already held leaves the store out without an
        error."""
    def Item(self, vntIndexKey: Any) -> ICatStore:
        """The member at a position counted from 1, or of a directory; the key JOBBER stands for
        the default provider's directory and #seller or S#seller for that seller's, by the thread's
        global providers; error 9 or 5 when there is none."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key (JOBBER, #seller and S#seller
        translated as there); never raises an error."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or of a directory, keys translated as by Item."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Releases the stores (not clearing them) and switches the thread's compress and
        zero-suppress switches on; with xbDestroyObject True no store list is left."""
    @property
    def XMLcompress(self) -> NoReturn:
        """Sets the thread's compress switch: on, the XML of most objects leaves out empty elements
        (write only)."""
    @XMLcompress.setter
    def XMLcompress(self, value: bool) -> None: ...
    @property
    def XMLzeroSuppress(self) -> NoReturn:
        """Sets the thread's zero-suppress switch: on, the XML of most objects also leaves out
        numbers equal to 0 (write only)."""
    @XMLzeroSuppress.setter
    def XMLzeroSuppress(self, value: bool) -> None: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatStore]: ...
    def __call__(self, vntIndexKey: Any) -> ICatStore:
        """Item (the default member): The member at a position counted from 1, or of a directory;
        the key JOBBER stands for the default provider's directory and #seller or S#seller for that
        seller's, by the thread's global providers; error 9 or 5 when there is none."""
    @overload
    def __getitem__(self, index: int) -> ICatStore: ...
    @overload
    def __getitem__(self, key: Any) -> ICatStore: ...


class ICatItem(Object):
    """One selected part, labor operation or comment, with its prices at the seller locations."""
    @property
    def XML(self) -> str:
        """The values as one XML text; assigning a text clears the object first and then reads the
        values the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    def QuantityAvailable(self, xsMCLdir: _Ref[str] = 'JOBBER') -> Any:
        """The quantity available at directory xsMCLdir, read as a number (JOBBER, the default, is
        the default provider's directory; one without a price reads 0); *ALL* sums it over the real
        seller locations, not INVOICE, LOCAL or MSRP."""
    def QuantityToOrder(self, xsMCLdir: _Ref[str] = 'JOBBER') -> Any:
        """The quantity to order at directory xsMCLdir (JOBBER by default, *ALL* summing the real
        seller locations). Assigning it changes only a directory of the global providers (error 91
        without them), adding its price unless the quantity is 0."""
    @overload
    def SetQuantityToOrder(self, RHS: Any) -> None: ...
    @overload
    def SetQuantityToOrder(self, xsMCLdir: _Ref[str], RHS: Any) -> None:
        """The quantity to order at directory xsMCLdir (JOBBER by default, *ALL* summing the real
        seller locations). Assigning it changes only a directory of the global providers (error 91
        without them), adding its price unless the quantity is 0."""
    @property
    def QuantityOnTicket(self) -> Any:
        """The quantity sold to the customer on the ticket, kept as the quantity to order of the
        INVOICE price; without an INVOICE price it reads 0 and an assigned value is lost."""
    @QuantityOnTicket.setter
    def QuantityOnTicket(self, value: Any) -> None: ...
    def GetItemProfile(self) -> ICatItemProfile:
        """A new ICatItemProfile with the item's type, description, group number, part type code,
        generic description and its ID, and manufacturer; its Tag and Key are empty."""
    def JobberList(self, xvKEYjobber: _Ref[str] = 'JOBBER') -> Any:
        """The list price at directory xvKEYjobber (JOBBER, the default, is the default provider's
        directory); when that is 0, the list price of the MSRP price (the manufacturer's suggested
        retail price)."""
    def JobberCost(self, xvKEYjobber: _Ref[str] = 'JOBBER') -> Any:
        """The cost at directory xvKEYjobber (JOBBER by default), or the MSRP price's cost when
        that is 0; *ALL* sums the costs at the real seller locations instead, without the MSRP
        fall-back."""
    def JobberCoreCost(self, xvKEYjobber: _Ref[str] = 'JOBBER') -> Any:
        """The core cost at directory xvKEYjobber (JOBBER by default), or the MSRP price's core
        cost when that is 0."""
    def JobberCoreList(self, xvKEYjobber: _Ref[str] = 'JOBBER') -> Any:
        """The core list price at directory xvKEYjobber (JOBBER by default), or the MSRP price's
        core list price when that is 0."""
    @property
    def WorkGroup(self) -> int:
        """The work group of the shop system the item was selected for."""
    @WorkGroup.setter
    def WorkGroup(self, value: int) -> None: ...
    @property
    def MFRcoverageNumber(self) -> int:
        """The manufacturer's coverage number; Clear keeps it."""
    @MFRcoverageNumber.setter
    def MFRcoverageNumber(self, value: int) -> None: ...
    @property
    def GroupNumber(self) -> str:
        """The catalog group number, as text."""
    @GroupNumber.setter
    def GroupNumber(self, value: str) -> None: ...
    @property
    def ItemType(self) -> int:
        """Part, labor or comment (qorCatalogItemType); assigning a filter value (90 or more)
        stores qcit_Part, though XML keeps the number it reads."""
    @ItemType.setter
    def ItemType(self, value: int) -> None: ...
    @property
    def ItemSource(self) -> str:
        """Where the item came from; SortCatalog orders the sources STOCK, NONCATALOG, *STOCK and
        *NONCATALOG by its non-catalog mode."""
    @ItemSource.setter
    def ItemSource(self, value: str) -> None: ...
    @property
    def ItemStatus(self) -> Any:
        """The status, such as ORDER, URGENT, BACK ORDER, HOLD or blank, kept as the value given;
        ORDER, URGENT and BACK ORDER flag a part to be ordered, and C# in it marks an order
        placed."""
    @ItemStatus.setter
    def ItemStatus(self, value: Any) -> None: ...
    def FlaggedToOrder(self, xsJobberID: str = '') -> bool:
        """Whether the item is a part whose status is ORDER, URGENT or BACK ORDER in any letter
        case; with xsJobberID, only when its quantity to order at that directory is also above
        0."""
    def SupplierOrderOpen(self, xsMCLdir: _Ref[str] = 'JOBBER') -> bool:
        """Whether an order is still to be sent: a quantity to order at xsMCLdir (JOBBER by
        default; *ALL*: at any real seller location) without a delivery message; never when the
        status holds C#."""
    def SupplierOrderPlaced(self, xsMCLdir: _Ref[str] = 'JOBBER') -> bool:
        """Whether an order was placed: the status holds C#, or a quantity to order at xsMCLdir
        (JOBBER by default; *ALL*: at any real seller location) has a delivery message."""
    @property
    def ItemGroup(self) -> int:
        """The display group number, by which most modes of SortCatalog order first."""
    @ItemGroup.setter
    def ItemGroup(self, value: int) -> None: ...
    @property
    def Heading(self) -> str:
        """The sub-heading within the catalog group; in the XML ItemHeading."""
    @Heading.setter
    def Heading(self, value: str) -> None: ...
    @property
    def ItemLaborAvailable(self) -> str:
        """A text on the labor available for the item, kept as given."""
    @ItemLaborAvailable.setter
    def ItemLaborAvailable(self, value: str) -> None: ...
    @property
    def ManufacturerName(self) -> str:
        """The manufacturer's name; in the XML Manufacturer."""
    @ManufacturerName.setter
    def ManufacturerName(self, value: str) -> None: ...
    @property
    def LineCode(self) -> str:
        """The manufacturer's line code, usually 3 characters."""
    @LineCode.setter
    def LineCode(self, value: str) -> None: ...
    @property
    def ItemNumber(self) -> str:
        """The part number, without the line code."""
    @ItemNumber.setter
    def ItemNumber(self, value: str) -> None: ...
    def VendorNumber(self) -> str:
        """LineCode followed directly by ItemNumber (ACD and 012345 give ACD012345)."""
    def UniqueKey(self) -> str:
        """The item's key in its item collection: for labor its Description, LaborOperation and
        Comment joined by spaces and trimmed, for other types its VendorNumber."""
    @property
    def PartTypeCode(self) -> str:
        """The catalog's part type code."""
    @PartTypeCode.setter
    def PartTypeCode(self, value: str) -> None: ...
    @property
    def Description(self) -> str:
        """The item's description."""
    @Description.setter
    def Description(self, value: str) -> None: ...
    @property
    def ImageFileName(self) -> str:
        """The file name of the item's image."""
    @ImageFileName.setter
    def ImageFileName(self, value: str) -> None: ...
    @property
    def ImageCallOut(self) -> str:
        """The call-out that marks the item on its image."""
    @ImageCallOut.setter
    def ImageCallOut(self, value: str) -> None: ...
    @property
    def ImageURLc2c(self) -> str:
        """The address of the item's image."""
    @ImageURLc2c.setter
    def ImageURLc2c(self, value: str) -> None: ...
    @property
    def ImageURLalt(self) -> str:
        """Another address of the item's image."""
    @ImageURLalt.setter
    def ImageURLalt(self, value: str) -> None: ...
    @property
    def MediaTagID(self) -> str:
        """The identifier of the item's media."""
    @MediaTagID.setter
    def MediaTagID(self, value: str) -> None: ...
    @property
    def QuantityPerCar(self) -> Decimal:
        """The number needed on the vehicle."""
    @QuantityPerCar.setter
    def QuantityPerCar(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def PriceCol(self) -> ICatPriceCol:
        """The item's prices, one per seller location and for INVOICE and MSRP; in the XML Prices.
        Setting it shares the collection given."""
    @PriceCol.setter
    def PriceCol(self, value: Optional[ICatPriceCol]) -> None: ...
    @property
    def LaborOperation(self) -> str:
        """The work the labor operation does."""
    @LaborOperation.setter
    def LaborOperation(self, value: str) -> None: ...
    @property
    def LaborSkill(self) -> str:
        """The skill the labor needs: A, B or C."""
    @LaborSkill.setter
    def LaborSkill(self, value: str) -> None: ...
    @property
    def LaborRate(self) -> Decimal:
        """The hourly labor rate."""
    @LaborRate.setter
    def LaborRate(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def LaborHRSnormal(self) -> Decimal:
        """The labor hours under normal conditions."""
    @LaborHRSnormal.setter
    def LaborHRSnormal(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def LaborHRSwarranty(self) -> Decimal:
        """The labor hours under warranty."""
    @LaborHRSwarranty.setter
    def LaborHRSwarranty(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def LaborHRSsevere(self) -> Decimal:
        """The labor hours under severe conditions."""
    @LaborHRSsevere.setter
    def LaborHRSsevere(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def LaborType(self) -> str:
        """The kind of labor."""
    @LaborType.setter
    def LaborType(self, value: str) -> None: ...
    @property
    def YearRange(self) -> str:
        """The model years the item fits, as YYYY or YYYY-YYYY."""
    @YearRange.setter
    def YearRange(self, value: str) -> None: ...
    @property
    def ComponentSide(self) -> str:
        """The side of the vehicle: LEFT, RIGHT, L, R, B, BOTH or blank."""
    @ComponentSide.setter
    def ComponentSide(self, value: str) -> None: ...
    @property
    def Comment(self) -> str:
        """A comment on the item."""
    @Comment.setter
    def Comment(self, value: str) -> None: ...
    @property
    def Tag(self) -> str:
        """Free data of the caller; in the XML ItemTag."""
    @Tag.setter
    def Tag(self, value: str) -> None: ...
    @property
    def VendorNumberXRef(self) -> str:
        """A cross reference: A or R, one separator character and another item's key make
        SortCatalog place this item right after that one."""
    @VendorNumberXRef.setter
    def VendorNumberXRef(self, value: str) -> None: ...
    @property
    def MCLsequence(self) -> str:
        """The item's sequence within the catalog directory, for the sequence sort modes."""
    @MCLsequence.setter
    def MCLsequence(self, value: str) -> None: ...
    @property
    def GenericDescription(self) -> str:
        """The item's generic description."""
    @GenericDescription.setter
    def GenericDescription(self, value: str) -> None: ...
    @property
    def GenericDescriptionID(self) -> str:
        """The identifier of the generic description; GenericID of the item's profile."""
    @GenericDescriptionID.setter
    def GenericDescriptionID(self, value: str) -> None: ...
    @property
    def SupplierStockingFlag(self) -> str:
        """The supplier's stocking flag."""
    @SupplierStockingFlag.setter
    def SupplierStockingFlag(self, value: str) -> None: ...
    @property
    def SupplierMovementFlag(self) -> str:
        """The supplier's movement flag."""
    @SupplierMovementFlag.setter
    def SupplierMovementFlag(self, value: str) -> None: ...
    @property
    def SupplierMovementRank(self) -> str:
        """The supplier's movement rank."""
    @SupplierMovementRank.setter
    def SupplierMovementRank(self, value: str) -> None: ...
    @property
    def SupplierExtendedInfo(self) -> str:
        """Further information from the supplier."""
    @SupplierExtendedInfo.setter
    def SupplierExtendedInfo(self, value: str) -> None: ...
    @property
    def DisplayRow(self) -> int:
        """The caller's screen row for the item; not in the XML, and Clear keeps it."""
    @DisplayRow.setter
    def DisplayRow(self, value: int) -> None: ...
    @property
    def DisplayCol(self) -> int:
        """The caller's screen column for the item; not in the XML, and Clear keeps it."""
    @DisplayCol.setter
    def DisplayCol(self, value: int) -> None: ...
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Empties the values and gives the item a new empty PriceCol, keeping MFRcoverageNumber,
        DisplayRow, DisplayCol and the Weight element's text; with xbDestroyObject True it gets
        none, and the members reading prices then fail with error 91."""


class ICatItemCol(Object):
    """The items selected in a store, with their totals, display order, summary and profile
    queries; fires CountChanged."""
    @property
    def XML(self) -> str:
        """The items and the vehicle as one XML text, empty when there are no items; assigning a
        text empties the collection and adds its items under their unique keys, firing CountChanged
        for each."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def ItemsTotalCount(self) -> Decimal:
        """The quantities available at the real seller locations (not INVOICE, LOCAL or MSRP),
        summed over all items; it changes whenever an availability does."""
    @property
    def ItemsTotalCost(self) -> Decimal:
        """The costs at the real seller locations (not INVOICE, LOCAL or MSRP), summed over all
        items; no quantity multiplies them."""
    def ItemsSelectedCount(self) -> Decimal:
        """The quantities to order at the real seller locations, summed over the items flagged to
        order: the parts whose status is ORDER, URGENT or BACK ORDER."""
    def ItemsSelectedCost(self) -> Decimal:
        """What the items flagged to order (parts whose status is ORDER, URGENT or BACK ORDER)
        cost: each one's quantity to order at the real seller locations times its JOBBER cost,
        summed."""
    @property
    def XDocVersion(self) -> str:
        """The document version: v3.00 when made and whenever XML is taken while it holds items;
        after a text is assigned to XML, its XDocVersion (empty when it has none)."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether an item is at that position or under that key, tabs in the key dropped first;
        never raises an error."""
    @property
    def Vehicle(self) -> ICatVehicle:
        """The vehicle the items were selected for, written inside the collection's XML; setting it
        shares the object given."""
    @Vehicle.setter
    def Vehicle(self, value: Optional[ICatVehicle]) -> None: ...
    def Add(self, xoItem: _Ref[Optional[ICatItem]], xsKey: str) -> ICatItem:
        """Adds the item itself under xsKey (without a key when empty), fires CountChanged and
        returns it; for Nothing or a key already held it adds nothing and returns Nothing. TABs in
        xsKey are kept."""
    def Item(self, vntIndexKey: Any) -> ICatItem:
        """The item at a position counted from 1, or under its key (tabs in the key dropped first);
        Nothing when there is none."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the item at a position or under a key (tabs dropped); one that is not there is
        no error."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Releases the items and the vehicle and starts again empty with a new vehicle; with
        xbDestroyObject True it is left without either, and Count then fails with error 91."""
    def Summarize(self, xsOption: str) -> None:
        """Removes the items whose status is empty or spaces; the option SHOWXML (any letter case)
        instead makes this thread's XML write empty and zero elements, and HIDEXML leaves them out
        again."""
    def SortCatalog(self, xeSortAftMktBy: int, xeSortNonCatBy: int) -> None:
        """Puts the items in display order, catalog items and labor by xeSortAftMktBy, STOCK and
        NONCATALOG items by xeSortNonCatBy, and re-keys each by its UniqueKey; two items of one
        UniqueKey raise error 457 and the order stays."""
    def GetItemProfiles(
        self,
        xeUseKey: int,
        xeFilterType: int,
        xbOnlyWhenQTYavail: bool = False,
    ) -> ICatItemProfileCol:
        """A new ICatItemProfileCol with one profile per distinct xeUseKey value, sorted by SortBy
        (qcips_NoKeySet: one per item, in order), of the item types xeFilterType keeps;
        xbOnlyWhenQTYavail True leaves out items with nothing available at a real seller
        location."""
    def GetDescriptions(self) -> Collection:
        """A new collection of the distinct descriptions, letter case aside, in order of first
        appearance and as first written."""
    def GetGenericDescriptions(self) -> Collection:
        """A new collection of the distinct generic descriptions, letter case aside, in order of
        first appearance and as first written."""
    def GetManufacturers(self) -> Collection:
        """A new collection of the distinct manufacturer names, letter case aside, in order of
        first appearance and as first written."""
    def GetItemGroup(self, xsDescription: str) -> int:
        """The ItemGroup of the first item whose Description equals xsDescription in any letter
        case; 0 when there is none."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatItem]: ...
    def __call__(self, vntIndexKey: Any) -> ICatItem:
        """Item (the default member): The item at a position counted from 1, or under its key (tabs
        in the key dropped first); Nothing when there is none."""
    @overload
    def __getitem__(self, index: int) -> ICatItem: ...
    @overload
    def __getitem__(self, key: Any) -> ICatItem: ...


class ICatPrice(Object):
    """An item's price and quantities at one seller location."""
    @property
    def XML(self) -> str:
        """The price as one Price element; the empty text when Available is empty and Cost, List
        and Sell are 0. Assigning a text clears the price first; DisplayRow and DisplayCol keep
        their values."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def MCLdir(self) -> str:
        """The directory of the store or catalog the price belongs to, and its key in the item's
        price collection."""
    @MCLdir.setter
    def MCLdir(self, value: str) -> None: ...
    @property
    def SellerID(self) -> str:
        """The identifier of the seller offering this price."""
    @SellerID.setter
    def SellerID(self, value: str) -> None: ...
    @property
    def Location(self) -> str:
        """The seller location, or one of the pseudo-locations INVOICE, LOCAL and MSRP (the
        manufacturer's suggested retail price)."""
    @Location.setter
    def Location(self, value: str) -> None: ...
    @property
    def UrgentFlag(self) -> bool:
        """Whether the price is flagged urgent; written as True or False."""
    @UrgentFlag.setter
    def UrgentFlag(self, value: bool) -> None: ...
    @property
    def DeliveryMessage(self) -> str:
        """The delivery message for this location."""
    @DeliveryMessage.setter
    def DeliveryMessage(self, value: str) -> None: ...
    @property
    def QtyBuyingInc(self) -> str:
        """The buying increment, kept as text."""
    @QtyBuyingInc.setter
    def QtyBuyingInc(self, value: str) -> None: ...
    @property
    def PackingUnits(self) -> str:
        """The packing units, kept as text."""
    @PackingUnits.setter
    def PackingUnits(self, value: str) -> None: ...
    @property
    def PackNumUnits(self) -> str:
        """The number of units in a pack, kept as text."""
    @PackNumUnits.setter
    def PackNumUnits(self, value: str) -> None: ...
    @property
    def WarrantyCode(self) -> str:
        """The warranty code, kept as text."""
    @WarrantyCode.setter
    def WarrantyCode(self, value: str) -> None: ...
    @property
    def Rank(self) -> str:
        """The rank, kept as text."""
    @Rank.setter
    def Rank(self, value: str) -> None: ...
    @property
    def Tag(self) -> str:
        """Free text for the caller; written as the PriceTag element."""
    @Tag.setter
    def Tag(self, value: str) -> None: ...
    @property
    def Available(self) -> Any:
        """The quantity available here, kept with the caller's type and read back from XML as
        text."""
    @Available.setter
    def Available(self, value: Any) -> None: ...
    @property
    def QuantityToOrder(self) -> Any:
        """The quantity to order from here, kept with the caller's type and read back from XML as
        text."""
    @QuantityToOrder.setter
    def QuantityToOrder(self, value: Any) -> None: ...
    @property
    def CoreCost(self) -> Decimal:
        """The core cost at this location (the core being the returnable old part)."""
    @CoreCost.setter
    def CoreCost(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def CoreList(self) -> Decimal:
        """The core list price at this location."""
    @CoreList.setter
    def CoreList(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def Cost(self) -> Decimal:
        """The cost at this location."""
    @Cost.setter
    def Cost(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def List(self) -> Decimal:
        """The list price at this location."""
    @List.setter
    def List(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def Sell(self) -> Decimal:
        """The selling price at this location."""
    @Sell.setter
    def Sell(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def Margin(self) -> Decimal:
        """The margin, stored as given: it is not computed from the other prices."""
    @Margin.setter
    def Margin(self, value: Union[Decimal, int, float]) -> None: ...
    @property
    def DisplayRow(self) -> int:
        """The caller's screen row for the price; neither written to XML nor reset by Clear or by
        assigning XML."""
    @DisplayRow.setter
    def DisplayRow(self, value: int) -> None: ...
    @property
    def DisplayCol(self) -> int:
        """The caller's screen column for the price; neither written to XML nor reset by Clear or
        by assigning XML."""
    @DisplayCol.setter
    def DisplayCol(self, value: int) -> None: ...
    def Clear(self) -> None:
        """Empties the texts and quantities and sets UrgentFlag False and the six amounts 0;
        DisplayRow and DisplayCol are kept."""
    @property
    def LocationIsValid(self) -> bool:
        """Whether Location names a real seller location: False when it is empty or one of INVOICE,
        LOCAL and MSRP in any letter case."""


class ICatPriceCol(Object):
    """An item's prices, one per seller location, keyed by directory."""
    @property
    def XML(self) -> str:
        """The prices as one Prices element, empty when there are none; assigning a text empties
        the collection and adds each price the text holds as AddObject does."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    def Add(
        self,
        xsMCLdir: str,
        xsLocation: str,
        xsSellerID: str,
        xsAvailable: str,
        xsCost: str,
        xsList: str,
        sKey: _Ref[str] = '',
    ) -> ICatPrice:
        """Adds and returns a new price keyed by sKey, else xsMCLdir, else S# and xsSellerID; sKey
        receives the key. A cost or list that is not a number is error 13 and the key JOBBER
        (exactly so) error 17; a key already held leaves the price out without an error."""
    def AddObject(self, xoPrice: _Ref[Optional[ICatPrice]], sKey: _Ref[str] = '') -> ICatPrice:
        """Adds the price itself, keyed as by Add, and returns it; Nothing, or a price whose
        Available is empty and Cost, List and Sell 0, adds nothing. Without an MCLdir it first
        takes the MCLdir, Location and SellerID of the global provider its SellerID or Location
        names, else its Location as MCLdir, and that is its key."""
    def Item(self, vntIndexKey: Any) -> ICatPrice:
        """The price at a position counted from 1, or of a directory (JOBBER, #seller and S#seller
        translated by the thread's global providers); for one not held, a new price of that
        directory, outside the collection."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key (JOBBER, #seller and S#seller
        translated as there); never raises an error."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or of a directory, keys translated as by Item."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Releases every member and starts again empty; with xbDestroyObject True the collection
        is left without one: XML then gives the empty text and Count fails with error 91."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatPrice]: ...
    def __call__(self, vntIndexKey: Any) -> ICatPrice:
        """Item (the default member): The price at a position counted from 1, or of a directory
        (JOBBER, #seller and S#seller translated by the thread's global providers); for one not
        held, a new price of that directory, outside the collection."""
    @overload
    def __getitem__(self, index: int) -> ICatPrice: ...
    @overload
    def __getitem__(self, key: Any) -> ICatPrice: ...


class ICatInfo(Object):
    """One info record: a typed and coded line of text, such as a store rule or an address line."""
    @property
    def XML(self) -> str:
        """The record as one empty Info element whose attributes hold the values (TypeX as Type);
        assigning a text clears the record first and reads the attributes of its first Info
        element."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def TypeX(self) -> str:
        """The kind of record; written as the Type attribute."""
    @TypeX.setter
    def TypeX(self, value: str) -> None: ...
    @property
    def Line(self) -> str:
        """The record's line, kept as text."""
    @Line.setter
    def Line(self, value: str) -> None: ...
    @property
    def Code(self) -> str:
        """The record's code."""
    @Code.setter
    def Code(self, value: str) -> None: ...
    @property
    def Desc(self) -> str:
        """The description of the code."""
    @Desc.setter
    def Desc(self, value: str) -> None: ...
    @property
    def Text(self) -> str:
        """The record's text."""
    @Text.setter
    def Text(self, value: str) -> None: ...
    @property
    def Tag(self) -> str:
        """Free text for the caller."""
    @Tag.setter
    def Tag(self, value: str) -> None: ...
    @property
    def Default(self) -> bool:
        """Whether this is the default record; the collection's DefaultCode returns the first
        such."""
    @Default.setter
    def Default(self, value: bool) -> None: ...
    @property
    def Style(self) -> str:
        """The record's style, kept as text."""
    @Style.setter
    def Style(self, value: str) -> None: ...
    @property
    def Key(self) -> str:
        """The key its collection keeps the record under when AddObject is given none."""
    @Key.setter
    def Key(self, value: str) -> None: ...
    @property
    def Index(self) -> int:
        """The position the collection gave it when it was added (the last member's when it was
        left out as a duplicate); later removals leave it as it is, Clear sets it to 0."""
    def Clear(self) -> None:
        """Empties the texts and sets Default to False and Index to 0."""


class ICatInfoCol(Object):
    """Info records such as store rules or addresses; one of them may be the default."""
    @property
    def XML(self) -> str:
        """The members as one XML text, empty when there are none; assigning a text empties the
        collection and adds the members the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def DefaultCode(self) -> ICatInfo:
        """The first record whose Default is True; Nothing when none is."""
    def Add(
        self,
        xsType: str,
        xsLine: str,
        xsCode: str,
        xsDesc: str,
        xsText: str,
        xsTag: str,
        xbDefault: bool,
        xsStyle: str,
        xsKey: _Ref[str] = '',
    ) -> ICatInfo:
        """Adds and returns a new record from the arguments, xsKey being its Key and, when not
        empty, its key in the collection; a key already held leaves the record out without an
        error."""
    def AddObject(self, xoCatInfo: _Ref[Optional[ICatInfo]], sKey: _Ref[str] = '') -> ICatInfo:
        """Adds the record itself under sKey, or under its Key when sKey is empty (sKey then
        receives it), sets its Index to the new Count and returns it; Nothing adds nothing, and a
        key already held leaves the record out without an error."""
    def Item(self, vntIndexKey: Any) -> ICatInfo:
        """The member at a position counted from 1, or under a key in any letter case; error 9 for
        a position out of range, error 5 for an unknown key."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key; never raises an error."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or under a key, moving the later members up one place;
        fails as Item does."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Releases every member and starts again empty; with xbDestroyObject True the collection
        is left without one, and its other members then fail with error 91."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatInfo]: ...
    def __getitem__(self, index: int) -> ICatInfo: ...


class ICatList(Object):
    """One reference list: a heading and an identifier."""
    @property
    def XML(self) -> str:
        """The list as one ICatList element (ID as ListID), its empty and zero values left out
        whatever the thread's switches; assigning a text clears the list first."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def ID(self) -> int:
        """The list's number; a list collection keeps it under I# and this number when it is above
        0. Written as the ListID element."""
    @ID.setter
    def ID(self, value: int) -> None: ...
    @property
    def Heading(self) -> str:
        """The list's heading; the default member."""
    @Heading.setter
    def Heading(self, value: str) -> None: ...
    def Clear(self) -> None:
        """Empties Heading and sets ID to 0."""
    def __call__(self) -> str:
        """Heading (the default member): The list's heading; the default member."""


class ICatListCol(Object):
    """The catalog's reference lists, with the vehicle they belong to."""
    @property
    def XML(self) -> str:
        """The lists and the vehicle as one XML text, empty when there are no lists; assigning a
        text empties the collection, gives it a new vehicle and adds each list under I# and its ID
        when that is above 0, duplicates left out."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def Vehicle(self) -> ICatVehicle:
        """The vehicle the members belong to, written after them; setting it shares the object
        given, and assigning XML replaces it with a new one."""
    @Vehicle.setter
    def Vehicle(self, value: Optional[ICatVehicle]) -> None: ...
    def AddObject(self, xoObj: _Ref[Optional[ICatList]], sKey: _Ref[str] = '') -> ICatList:
        """Adds the list itself under sKey, else under I# and its ID when that is above 0 (sKey
        then receives it), and returns it; Nothing adds nothing, and a key already held leaves the
        list out without an error."""
    def Add(self, Heading: _Ref[str], ID: _Ref[int], sKey: _Ref[str] = '') -> ICatList:
        """Adds and returns a new list of this Heading and ID, keyed as by AddObject."""
    def Item(self, vntIndexKey: Any) -> ICatList:
        """The member at a position counted from 1, or under a key in any letter case; error 9 for
        a position out of range, error 5 for an unknown key."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key; never raises an error."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or under a key, moving the later members up one place;
        fails as Item does."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatList]: ...
    def __call__(self, vntIndexKey: Any) -> ICatList:
        """Item (the default member): The member at a position counted from 1, or under a key in
        any letter case; error 9 for a position out of range, error 5 for an unknown key."""
    @overload
    def __getitem__(self, index: int) -> ICatList: ...
    @overload
    def __getitem__(self, key: Any) -> ICatList: ...


class ICatPreset(Object):
    """One preset look-up: a category, group and description."""
    @property
    def XML(self) -> str:
        """The values as one XML text; assigning a text clears the object first and then reads the
        values the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def Category(self) -> str:
        """The major heading of a catalog look-up, such as ignition."""
    @Category.setter
    def Category(self, value: str) -> None: ...
    @property
    def Group(self) -> str:
        """The minor heading of the look-up, such as spark plugs."""
    @Group.setter
    def Group(self, value: str) -> None: ...
    @property
    def Description(self) -> str:
        """The item level of the look-up, such as one make of plug."""
    @Description.setter
    def Description(self, value: str) -> None: ...
    def Clear(self) -> None:
        """Empties the three texts."""


class ICatPresetCol(Object):
    """The catalog's preset look-ups, with the vehicle they belong to."""
    @property
    def XML(self) -> str:
        """The presets and the vehicle as one XML text, empty when there are no presets; assigning
        a text empties the collection, gives it a new vehicle and adds each preset under its
        Category, Group and Description joined, duplicates left out."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    @property
    def Vehicle(self) -> ICatVehicle:
        """The vehicle the members belong to, written after them; setting it shares the object
        given, and assigning XML replaces it with a new one."""
    @Vehicle.setter
    def Vehicle(self, value: Optional[ICatVehicle]) -> None: ...
    def AddObject(self, xoObj: _Ref[Optional[ICatPreset]], sKey: _Ref[str] = '') -> ICatPreset:
        """Adds the object itself, not a copy, and returns it; Nothing adds nothing, and a key the
        collection already holds leaves the object out without an error."""
    def Add(
        self,
        Category: _Ref[str],
        Group: _Ref[str],
        Description: _Ref[str],
        sKey: _Ref[str] = '',
    ) -> ICatPreset:
        """Adds and returns a new preset of this Category, Group and Description under sKey as
        given, none when it is empty; a key already held leaves the preset out without an error."""
    def Item(self, vntIndexKey: Any) -> ICatPreset:
        """The member at a position counted from 1, or under a key in any letter case; error 9 for
        a position out of range, error 5 for an unknown key."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key; never raises an error."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or under a key, moving the later members up one place;
        fails as Item does."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatPreset]: ...
    def __call__(self, vntIndexKey: Any) -> ICatPreset:
        """Item (the default member): The member at a position counted from 1, or under a key in
        any letter case; error 9 for a position out of range, error 5 for an unknown key."""
    @overload
    def __getitem__(self, index: int) -> ICatPreset: ...
    @overload
    def __getitem__(self, key: Any) -> ICatPreset: ...


class ICatItemProfile(Object):
    """What a kind of item is, without prices: its type, description, group, part type, generic
    name and manufacturer."""
    @property
    def XML(self) -> str:
        """The values as one XML text; assigning a text clears the object first and then reads the
        values the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    def LikeManufacturer(self, xoObj: _Ref[Optional[ICatItemProfile]]) -> bool:
        """Whether xoObj has the same GroupNumber, exactly, and the same ManufacturerName in any
        letter case; False for Nothing."""
    def LikeType(self, xoObj: _Ref[Optional[ICatItemProfile]]) -> bool:
        """Whether xoObj is the same kind of item: the same Description in any letter case, or the
        same ItemType with the same GroupNumber and PartTypeCode, or with the same GenericID above
        0; False for Nothing."""
    @property
    def ItemType(self) -> int:
        """Part, labor or comment (qorCatalogItemType); Clear keeps it."""
    @ItemType.setter
    def ItemType(self, value: int) -> None: ...
    @property
    def Description(self) -> str:
        """The description of this kind of item."""
    @Description.setter
    def Description(self, value: str) -> None: ...
    @property
    def GroupNumber(self) -> str:
        """The catalog group number, compared as exact text."""
    @GroupNumber.setter
    def GroupNumber(self, value: str) -> None: ...
    @property
    def PartTypeCode(self) -> str:
        """The catalog's part type code."""
    @PartTypeCode.setter
    def PartTypeCode(self, value: str) -> None: ...
    @property
    def GenericDescription(self) -> str:
        """The generic description."""
    @GenericDescription.setter
    def GenericDescription(self, value: str) -> None: ...
    @property
    def GenericID(self) -> str:
        """The identifier of the generic description; LikeType counts it only when it reads as a
        number above 0."""
    @GenericID.setter
    def GenericID(self, value: str) -> None: ...
    @property
    def ManufacturerName(self) -> str:
        """The manufacturer's name; in the XML Manufacturer."""
    @ManufacturerName.setter
    def ManufacturerName(self, value: str) -> None: ...
    @property
    def Tag(self) -> str:
        """Free data of the caller."""
    @Tag.setter
    def Tag(self, value: str) -> None: ...
    @property
    def Key(self) -> str:
        """The profile's key in its collection, where a numeric Key such as 123 is held under K#123
        until SortBy re-keys the profiles by Key as it is."""
    @Key.setter
    def Key(self, value: str) -> None: ...
    def Clear(self) -> None:
        """Empties the texts; ItemType keeps its value."""


class ICatItemProfileCol(Object):
    """Item profiles, one per key, as ICatItemCol.GetItemProfiles gathers them."""
    @property
    def XML(self) -> str:
        """The members as one XML text, empty when there are none; assigning a text empties the
        collection and adds the members the text holds."""
    @XML.setter
    def XML(self, value: str) -> None: ...
    def SortBy(self, xeSortBy: int) -> None:
        """Orders the profiles by ItemType, then by the fields xeSortBy names (other values:
        Description) as case-sensitive text, and re-keys each by its Key without K#; two of one Key
        raise error 457, changing nothing."""
    def AddObject(self, xoObj: _Ref[Optional[ICatItemProfile]]) -> ICatItemProfile:
        """Adds the profile itself under its Key (K# before a numeric Key, no key for an empty one)
        and returns it; Nothing adds nothing, and a key already held leaves it out without an
        error."""
    def Add(
        self,
        xsDescription: str,
        xsGroupNumber: str,
        xsPartTypeCode: str,
        xsGenericDescription: str,
        xsGenericID: str,
        xsManufacturerName: str,
        xsTag: str,
        xsKey: str = '',
    ) -> ICatItemProfile:
        """Adds and returns a new profile of these values (ItemType qcit_Part) under xsKey as
        AddObject keys it; a key already held leaves it out without an error."""
    def Exists(self, vntIndexKey: Any) -> bool:
        """Whether Item would find a member for this position or key; never raises an error."""
    def Item(self, vntIndexKey: Any) -> ICatItemProfile:
        """The member at a position counted from 1, or under a key in any letter case; error 9 for
        a position out of range, error 5 for an unknown key."""
    @property
    def Count(self) -> int:
        """The number of members."""
    def Remove(self, vntIndexKey: Any) -> None:
        """Removes the member at a position or under a key, moving the later members up one place;
        fails as Item does."""
    @property
    def NewEnum(self) -> Object:
        """An enumerator over the members in order, for For Each."""
    def Clear(self, xbDestroyObject: bool = False) -> None:
        """Releases every member and starts again empty; with xbDestroyObject True the collection
        is left without one, and its other members then fail with error 91."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[ICatItemProfile]: ...
    def __call__(self, vntIndexKey: Any) -> ICatItemProfile:
        """Item (the default member): The member at a position counted from 1, or under a key in
        any letter case; error 9 for a position out of range, error 5 for an unknown key."""
    @overload
    def __getitem__(self, index: int) -> ICatItemProfile: ...
    @overload
    def __getitem__(self, key: Any) -> ICatItemProfile: ...


class Collection(Object):
    """A plain collection of texts (descriptions, manufacturers) that the item queries hand out."""
    def Item(self, Index: Any) -> Any:
        """The text at a position counted from 1, or under a key; error 9 for a position out of
        range, error 5 for an unknown key."""
    def Add(self, Item: Any, Key: Any = ..., Before: Any = ..., After: Any = ...) -> None:
        """Adds a text, under Key when given, at the end or before or after the member that Before
        or After names."""
    def Count(self) -> int:
        """The number of texts."""
    def Remove(self, Index: Any) -> None:
        """Removes the text at a position or under a key."""
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[Any]: ...
    def __call__(self, Index: Any) -> Any:
        """Item (the default member): The text at a position counted from 1, or under a key; error
        9 for a position out of range, error 5 for an unknown key."""
    @overload
    def __getitem__(self, index: int) -> Any: ...
    @overload
    def __getitem__(self, key: Any) -> Any: ...


@overload
def Dispatch(
    name: Literal["ICatalog", "qorkwz_LOMBARv3.ICatalog"],
) -> ICatalog: ...
@overload
def Dispatch(
    name: Literal["ICatVehicle", "qorkwz_LOMBARv3.ICatVehicle"],
) -> ICatVehicle: ...
@overload
def Dispatch(
    name: Literal["ICatSpec", "qorkwz_LOMBARv3.ICatSpec"],
) -> ICatSpec: ...
@overload
def Dispatch(
    name: Literal["ICatSpecCol", "qorkwz_LOMBARv3.ICatSpecCol"],
) -> ICatSpecCol: ...
@overload
def Dispatch(
    name: Literal["ICatProvider", "qorkwz_LOMBARv3.ICatProvider"],
) -> ICatProvider: ...
@overload
def Dispatch(
    name: Literal["ICatProviderCol", "qorkwz_LOMBARv3.ICatProviderCol"],
) -> ICatProviderCol: ...
@overload
def Dispatch(
    name: Literal["ICatStore", "qorkwz_LOMBARv3.ICatStore"],
) -> ICatStore: ...
@overload
def Dispatch(
    name: Literal["ICatStoreCol", "qorkwz_LOMBARv3.ICatStoreCol"],
) -> ICatStoreCol: ...
@overload
def Dispatch(
    name: Literal["ICatItem", "qorkwz_LOMBARv3.ICatItem"],
) -> ICatItem: ...
@overload
def Dispatch(
    name: Literal["ICatItemCol", "qorkwz_LOMBARv3.ICatItemCol"],
) -> ICatItemCol: ...
@overload
def Dispatch(
    name: Literal["ICatPrice", "qorkwz_LOMBARv3.ICatPrice"],
) -> ICatPrice: ...
@overload
def Dispatch(
    name: Literal["ICatPriceCol", "qorkwz_LOMBARv3.ICatPriceCol"],
) -> ICatPriceCol: ...
@overload
def Dispatch(
    name: Literal["ICatInfo", "qorkwz_LOMBARv3.ICatInfo"],
) -> ICatInfo: ...
@overload
def Dispatch(
    name: Literal["ICatInfoCol", "qorkwz_LOMBARv3.ICatInfoCol"],
) -> ICatInfoCol: ...
@overload
def Dispatch(
    name: Literal["ICatList", "qorkwz_LOMBARv3.ICatList"],
) -> ICatList: ...
@overload
def Dispatch(
    name: Literal["ICatListCol", "qorkwz_LOMBARv3.ICatListCol"],
) -> ICatListCol: ...
@overload
def Dispatch(
    name: Literal["ICatPreset", "qorkwz_LOMBARv3.ICatPreset"],
) -> ICatPreset: ...
@overload
def Dispatch(
    name: Literal["ICatPresetCol", "qorkwz_LOMBARv3.ICatPresetCol"],
) -> ICatPresetCol: ...
@overload
def Dispatch(
    name: Literal["ICatItemProfile", "qorkwz_LOMBARv3.ICatItemProfile"],
) -> ICatItemProfile: ...
@overload
def Dispatch(
    name: Literal["ICatItemProfileCol", "qorkwz_LOMBARv3.ICatItemProfileCol"],
) -> ICatItemProfileCol: ...
@overload
def Dispatch(name: str) -> Object:
    """Creates an object by ProgID, bare class name or class id text (any case)."""


class _Constants:
    """The enumerations' members as attributes."""
    qCCIScatgroupDsc: int
    """qorCatColItemSort = 7"""
    qCCISdscCostHiLo: int
    """qorCatColItemSort = 2"""
    qCCISdscCostLoHi: int
    """qorCatColItemSort = 3"""
    qCCISdscManufacturer: int
    """qorCatColItemSort = 4"""
    qCCISitmgroup: int
    """qorCatColItemSort = 6"""
    qCCISitmgroupDsc: int
    """qorCatColItemSort = 5"""
    qCCISmanufacturer: int
    """qorCatColItemSort = 1"""
    qCCISmclSequence: int
    """qorCatColItemSort = 8"""
    qCCISundefined: int
    """qorCatColItemSort = 0"""
    qcips_Description: int
    """qorCatItemProfileSort = 1"""
    qcips_GenericID: int
    """qorCatItemProfileSort = 9"""
    qcips_GroupAndManufacturer: int
    """qorCatItemProfileSort = 7"""
    qcips_GroupAndType: int
    """qorCatItemProfileSort = 5"""
    qcips_NoKeySet: int
    """qorCatItemProfileSort = 0"""
    qcit_Comment: int
    """qorCatalogItemType = 2"""
    qcit_FilterAllTypes: int
    """qorCatalogItemType = 99"""
    qcit_FilterApplied: int
    """qorCatalogItemType = 90"""
    qcit_FilterLaborComments: int
    """qorCatalogItemType = 96"""
    qcit_FilterPartsComments: int
    """qorCatalogItemType = 93"""
    qcit_Labor: int
    """qorCatalogItemType = 1"""
    qcit_Part: int
    """qorCatalogItemType = 0"""
    def enumeration(self, name: str) -> str:
        """The enumeration a constant belongs to."""


constants: _Constants
