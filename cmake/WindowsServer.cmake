# The Windows COM server: the library as qorLOMBARv3.00.dll exporting the four
# server entry points (windows/exports.def), with the type library embedded
# as resource 1 TYPELIB. The type library is written from the class tables
# by lombar_typelib, a Windows program of the same sources run under Wine
# (the IDL compiler cannot write a default behind a reference, nor the help
# of an enumeration constant). The IDL comes from the same tables through
# lombar_idl of a Linux build (LOMBAR_IDL_TOOL); widl turns it into the
# interfaces' C++ declarations, with the Wine headers (LOMBAR_WIDL_INCLUDE).
set(LOMBAR_IDL_TOOL "" CACHE FILEPATH "lombar_idl of a Linux build of the same sources")
set(LOMBAR_WIDL_INCLUDE "" CACHE PATH "Folder of the Wine IDL headers (oaidl.idl)")
foreach(setting LOMBAR_IDL_TOOL LOMBAR_WIDL_INCLUDE)
  if(NOT ${setting})
    message(FATAL_ERROR "${setting} is needed for the Windows build (scripts/build-windows sets it)")
  endif()
endforeach()
find_program(LOMBAR_WIDL widl REQUIRED)
find_program(LOMBAR_WINE wine REQUIRED)
find_program(LOMBAR_WINEBOOT wineboot REQUIRED)

set(windows_dir ${PROJECT_SOURCE_DIR}/src/frame/windows)
set(idl ${CMAKE_BINARY_DIR}/qorLOMBARv3.idl)
set(LOMBAR_TLB ${CMAKE_BINARY_DIR}/qorLOMBARv3.tlb)
add_custom_command(OUTPUT ${idl}
  COMMAND ${LOMBAR_IDL_TOOL} > ${idl}
  DEPENDS ${LOMBAR_IDL_TOOL}
  COMMENT "Writing the type library's IDL from the class tables")

# A Wine prefix of the build's own, made once (the first run of the maker
# would make it anyway, slower and noisier); the stamp is left once Wine
# has finished writing it.
set(wine_prefix ${CMAKE_BINARY_DIR}/wine-prefix)
find_program(LOMBAR_WINESERVER wineserver REQUIRED)
# No display, and no offer to install Wine's .NET or browser engine.
set(wine_env WINEPREFIX=${wine_prefix} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY=)
add_custom_command(OUTPUT ${wine_prefix}.stamp
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env} ${LOMBAR_WINEBOOT} -i
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env} ${LOMBAR_WINESERVER} -w
  COMMAND ${CMAKE_COMMAND} -E touch ${wine_prefix}.stamp
  COMMENT "Making the Wine prefix that writes the type library")
add_executable(lombar_typelib ${PROJECT_SOURCE_DIR}/tools/typelib/TypeLibraryMaker.cpp)
target_include_directories(lombar_typelib PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(lombar_typelib PRIVATE lombar_static lombar_warnings)
add_custom_command(OUTPUT ${LOMBAR_TLB}
  COMMAND ${CMAKE_COMMAND} -E env ${wine_env} ${LOMBAR_WINE} $<TARGET_FILE:lombar_typelib> qorLOMBARv3.tlb
  DEPENDS lombar_typelib ${wine_prefix}.stamp
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Writing the type library from the class tables")
# The C++ declarations of the same interfaces, for clients that call the
# default interfaces through their tables.
set(LOMBAR_IDL_HEADER ${CMAKE_BINARY_DIR}/include/qorLOMBARv3.h)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/include)
add_custom_command(OUTPUT ${LOMBAR_IDL_HEADER}
  COMMAND ${LOMBAR_WIDL} --win64 -h -I${LOMBAR_WIDL_INCLUDE} -o ${LOMBAR_IDL_HEADER} ${idl}
  DEPENDS ${idl}
  COMMENT "Writing the interfaces' C++ declarations")
configure_file(${windows_dir}/TypeLibrary.rc.in ${CMAKE_BINARY_DIR}/TypeLibrary.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/TypeLibrary.rc PROPERTIES OBJECT_DEPENDS ${LOMBAR_TLB})

target_sources(qorlombar PRIVATE ${CMAKE_BINARY_DIR}/TypeLibrary.rc ${windows_dir}/exports.def)
set_target_properties(qorlombar PROPERTIES SUFFIX ".dll" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The COM client the Wine tests run.
add_executable(lombar_com_client ${PROJECT_SOURCE_DIR}/tests/windows/ComClient.cpp ${LOMBAR_IDL_HEADER})
# widl's declarations are held to the system headers' standard, not the project's.
target_include_directories(lombar_com_client SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/include)
target_link_libraries(lombar_com_client PRIVATE lombar_warnings ole32 oleaut32 uuid)
set_target_properties(lombar_com_client PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
