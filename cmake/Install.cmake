# What `cmake --install` puts under the prefix: the library file, the public
# headers, the command-line tool, the CMake package and the pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(LOMBAR_LIBRARY_FILE "qorLOMBARv3.00.so")
set(LOMBAR_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/lombar")

install(TARGETS qorlombar LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/lombar DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET lombar_tool)
  file(RELATIVE_PATH LOMBAR_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  # One run path for both places, so installing never rewrites (or pads) it:
  # the library beside the tool in the build tree, or in the prefix's lib.
  set_target_properties(lombar_tool PROPERTIES
    INSTALL_RPATH "$ORIGIN;$ORIGIN/${LOMBAR_BIN_TO_LIB}" BUILD_WITH_INSTALL_RPATH ON)
  install(TARGETS lombar_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/lombarConfig.cmake.in
  ${CMAKE_BINARY_DIR}/lombarConfig.cmake
  INSTALL_DESTINATION ${LOMBAR_PACKAGE_DIR}
  PATH_VARS CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/lombarConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/lombarConfig.cmake ${CMAKE_BINARY_DIR}/lombarConfigVersion.cmake
  DESTINATION ${LOMBAR_PACKAGE_DIR})

# The prefix is the one given at install time (cmake --install --prefix P).
install(CODE "
  set(LOMBAR_LIBRARY_FILE \"${LOMBAR_LIBRARY_FILE}\")
  set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/cmake/lombar.pc.in\"
    \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig/lombar.pc\" @ONLY)
")
