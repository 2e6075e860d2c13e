# What `cmake --install` puts under the prefix: the library file with its
# development link name, the public headers, the command-line tool with its
# manual page and bash completion, the CMake package and the pkg-config file.
# Every folder is GNUInstallDirs' (CMAKE_INSTALL_LIBDIR and the others, chosen
# when configuring: with the prefix /usr on Debian the library folder is
# lib/<multiarch>), and every file goes through file(INSTALL), so DESTDIR
# stages them all.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(LOMBAR_LIBRARY_FILE "qorLOMBARv3.00.so")
set(LOMBAR_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/lombar")

install(TARGETS qorlombar LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The file keeps its module name (and SONAME); C and C++ hosts link it as
# -llombar through this link beside it, in the build tree too.
if(NOT WIN32)
  file(CREATE_LINK ${LOMBAR_LIBRARY_FILE} ${CMAKE_BINARY_DIR}/liblombar.so SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/liblombar.so DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/lombar DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET lombar_tool)
  file(RELATIVE_PATH LOMBAR_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  # One run path for both places, so installing never rewrites (or pads) it:
  # the library beside the tool in the build tree, or in the prefix's lib.
  set_target_properties(lombar_tool PROPERTIES
    INSTALL_RPATH "$ORIGIN;$ORIGIN/${LOMBAR_BIN_TO_LIB}" BUILD_WITH_INSTALL_RPATH ON)
  install(TARGETS lombar_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET lombar_manuals)
    install(FILES ${LOMBAR_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${LOMBAR_BASH_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  endif()
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/lombarConfig.cmake.in
  ${CMAKE_BINARY_DIR}/lombarConfig.cmake
  INSTALL_DESTINATION ${LOMBAR_PACKAGE_DIR}
  PATH_VARS CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/lombarConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/lombarConfig.cmake ${CMAKE_BINARY_DIR}/lombarConfigVersion.cmake
  DESTINATION ${LOMBAR_PACKAGE_DIR})

# The pkg-config file names the prefix given at install time (cmake --install
# --prefix P): it is written then, and installed like the other files.
install(CODE "
  set(LOMBAR_LIBRARY_FILE \"${LOMBAR_LIBRARY_FILE}\")
  set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/cmake/lombar.pc.in\" \"${CMAKE_BINARY_DIR}/lombar.pc\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/lombar.pc\"
    DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\")
")
# The library folder follows the prefix given when configuring; installing
# elsewhere says so where Debian would choose another.
if(CMAKE_INSTALL_LIBDIR STREQUAL "lib" AND CMAKE_LIBRARY_ARCHITECTURE)
  install(CODE "
    if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr/?$\")
      message(STATUS \"The library folder is lib, as chosen for the prefix ${CMAKE_INSTALL_PREFIX}: \"
        \"configure with -DCMAKE_INSTALL_PREFIX=/usr for lib/${CMAKE_LIBRARY_ARCHITECTURE}\")
    endif()
  ")
endif()
