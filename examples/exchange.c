/*
 * One host builds a catalog with a store and two priced parts and writes its
 * XML; another reads that XML into a new catalog. Then a mistake, and the
 * error it raises. Only the C interface, lombar/lombar.h.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "lombar/lombar.h"

#define GET LOMBAR_DISPATCH_PROPERTYGET
#define PUT LOMBAR_DISPATCH_PROPERTYPUT
#define CALL LOMBAR_DISPATCH_METHOD
#define MAX_ARGS 8

static lombar_variant text_arg(const char* text) {
  lombar_variant value = {LOMBAR_VT_BSTR, {0}};
  value.value.bstr = lombar_string_alloc(text, (uint32_t)strlen(text));
  return value;
}

static lombar_variant bool_arg(int flag) {
  lombar_variant value = {LOMBAR_VT_BOOL, {0}};
  value.value.boolean = flag ? -1 : 0;
  return value;
}

/* The argument holds a reference of its own, given back with the others. */
static lombar_variant object_arg(lombar_object* object) {
  lombar_variant value = {LOMBAR_VT_DISPATCH, {0}};
  lombar_addref(object);
  value.value.object = object;
  return value;
}

/* Invokes the member `name` with `count` arguments in reading order, then
 * frees the arguments. The result, when wanted, is the caller's. */
static lombar_hresult try_call(lombar_object* object, const char* name, uint16_t flags,
                               lombar_variant* args, uint32_t count, lombar_variant* result) {
  lombar_variant reversed[MAX_ARGS];
  int32_t dispid = 0;
  uint32_t i;
  lombar_hresult hr;
  for (i = 0; i < count; ++i) reversed[i] = args[count - 1 - i]; /* automation order */
  hr = lombar_get_id_of_name(object, name, &dispid);
  if (hr >= 0) hr = lombar_invoke(object, dispid, flags, reversed, count, result);
  for (i = 0; i < count; ++i) lombar_variant_clear(&args[i]);
  return hr;
}

static void fail(const char* what) {
  int32_t number = 0;
  char* description = NULL;
  lombar_error_info(&number, NULL, &description);
  fprintf(stderr, "%s: error %d: %s\n", what, (int)number, description ? description : "");
  lombar_string_free(description);
  exit(1);
}

static lombar_variant call(lombar_object* object, const char* name, uint16_t flags,
                           lombar_variant* args, uint32_t count) {
  lombar_variant result = {LOMBAR_VT_EMPTY, {0}};
  if (try_call(object, name, flags, args, count, &result) < 0) fail(name);
  return result;
}

/* As call, for a member whose result is not needed. */
static void run(lombar_object* object, const char* name, uint16_t flags, lombar_variant* args,
                uint32_t count) {
  lombar_variant result = call(object, name, flags, args, count);
  lombar_variant_clear(&result);
}

static lombar_object* get_object(lombar_object* object, const char* name) {
  return call(object, name, GET, NULL, 0).value.object;
}

static void put_text(lombar_object* object, const char* name, const char* text) {
  lombar_variant value = text_arg(text);
  run(object, name, PUT, &value, 1);
}

static lombar_object* create(const char* class_name) {
  lombar_object* object = NULL;
  if (lombar_create(class_name, &object) < 0) fail(class_name);
  return object;
}

/* Library strings may hold NUL bytes: compare them by their lengths. */
static int same_text(const char* a, const char* b) {
  const uint32_t length = lombar_string_length(a);
  return length == lombar_string_length(b) && memcmp(a, b, length) == 0;
}

static lombar_object* priced_part(const char* line_code, const char* number,
                                  const char* description, const char* cost) {
  lombar_object* item = create("ICatItem");
  lombar_object* prices = get_object(item, "PriceCol");
  lombar_variant price[6];
  put_text(item, "LineCode", line_code);
  put_text(item, "ItemNumber", number);
  put_text(item, "Description", description);
  /* Store D1 has 6 on hand at this cost and a list price of 19.99. */
  price[0] = text_arg("D1");
  price[1] = text_arg("Main St");
  price[2] = text_arg("1001");
  price[3] = text_arg("6");
  price[4] = text_arg(cost);
  price[5] = text_arg("19.99");
  run(prices, "Add", CALL, price, 6);
  lombar_release(prices);
  return item;
}

static lombar_object* build_catalog(void) {
  lombar_object* catalog = create("qorkwz_LOMBARv3.ICatalog");
  lombar_object* vehicle = get_object(catalog, "Vehicle");
  lombar_object* providers = get_object(catalog, "Providers");
  lombar_object* stores = get_object(catalog, "Stores");
  lombar_object* items = create("ICatItemCol");
  lombar_object* parts[2];
  lombar_variant provider[6], store[2];
  int i;
  put_text(vehicle, "Year", "2011");
  put_text(vehicle, "Make", "Cardell");
  provider[0] = text_arg("Northside Auto Parts");
  provider[1] = text_arg("Main St");
  provider[2] = text_arg("1001");
  provider[3] = text_arg("D1");
  provider[4] = text_arg("Today 3 pm");
  provider[5] = bool_arg(1);
  run(providers, "Add", CALL, provider, 6);
  parts[0] = priced_part("FLT", "PF15838", "Air Filter", "12.92");
  parts[1] = priced_part("GTW", "K007919", "Water Pump", "58.11");
  for (i = 0; i < 2; ++i) {
    lombar_variant add[2];
    add[0] = object_arg(parts[i]);
    add[1] = call(parts[i], "UniqueKey", GET, NULL, 0);
    run(items, "Add", CALL, add, 2);
    lombar_release(parts[i]);
  }
  store[0] = text_arg("D1");
  store[1] = object_arg(items);
  run(stores, "Add", CALL, store, 2);
  lombar_release(items);
  lombar_release(stores);
  lombar_release(providers);
  lombar_release(vehicle);
  return catalog;
}

int main(void) {
  lombar_object* catalog = build_catalog();
  lombar_variant document = call(catalog, "XML", GET, NULL, 0); /* what one host hands the other */
  lombar_object* copy = create("ICatalog");
  lombar_object* stores;
  lombar_variant copied, key, nothing = {LOMBAR_VT_EMPTY, {0}};
  int32_t number = 0;
  char* description = NULL;
  int same;
  lombar_release(catalog);

  copied = text_arg(document.value.bstr);
  run(copy, "XML", PUT, &copied, 1);
  copied = call(copy, "XML", GET, NULL, 0);
  same = same_text(copied.value.bstr, document.value.bstr);
  printf("%u characters passed on; read back %s\n",
         (unsigned)lombar_string_length(document.value.bstr), same ? "the same" : "DIFFERENT");

  stores = get_object(copy, "Stores");
  key = text_arg("D9"); /* no store has the directory D9 */
  if (try_call(stores, "Item", GET, &key, 1, &nothing) >= 0) return 1;
  lombar_error_info(&number, NULL, &description);
  printf("error %d: %s\n", (int)number, description);

  lombar_string_free(description);
  lombar_variant_clear(&copied);
  lombar_variant_clear(&document);
  lombar_release(stores);
  lombar_release(copy);
  return same && number == 5 ? 0 : 1;
}
