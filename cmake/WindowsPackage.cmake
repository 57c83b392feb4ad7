# The Windows package: the program, exactly the DLLs and Qt plugins it loads, and a note for the
# driver maker, in one folder of a ZIP archive (`cpack -G ZIP`, or tools/package-windows.sh).
#
# Which DLLs go in is not written down anywhere: the install step reads the imports of the
# program and of the two plugins (objdump), follows them through Qt's and MinGW's folders and
# ships what it finds there (ShipImportedDlls.cmake). An import that is neither found there nor a
# DLL of Windows itself stops the install, so that a package that could not start is never made.

include(${CMAKE_CURRENT_LIST_DIR}/WindowsSystemDlls.cmake)
set(system_dll_patterns "^api-ms-win-.*\\.dll$" "^ext-ms-win-.*\\.dll$")
foreach(name IN LISTS IQO_WINDOWS_SYSTEM_DLLS)
  list(APPEND system_dll_patterns "^${name}\\.dll$")
endforeach()

# Where the imports are looked for: Qt's DLLs and the compiler's own runtime DLLs.
set(runtime_folders "${IQO_QT_MINGW_PREFIX}/bin")
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
    message(FATAL_ERROR "The compiler does not know where its ${dll} is (it said '${dll_path}')")
  endif()
  get_filename_component(dll_folder "${dll_path}" DIRECTORY)
  get_filename_component(dll_folder "${dll_folder}" REALPATH)
  list(APPEND runtime_folders "${dll_folder}")
endforeach()
list(REMOVE_DUPLICATES runtime_folders)

# Qt looks for its plugins in these folders beside the program; the platform plugin is needed to
# start at all, the style plugin gives the wizard the look of the system.
install(TARGETS InstallQuorOlma InstallQuorOlmaApp RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms RUNTIME DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles RUNTIME DESTINATION styles)
get_target_property(platform_plugin Qt6::QWindowsIntegrationPlugin LOCATION)
get_target_property(style_plugin Qt6::QWindowsVistaStylePlugin LOCATION)
get_filename_component(platform_plugin "${platform_plugin}" NAME)
get_filename_component(style_plugin "${style_plugin}" NAME)

# Then what these import, read from the installed files themselves.
install(CODE "
  set(IQO_PACKAGE_DIR \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(IQO_SHIPPED \"InstallQuorOlma.exe;InstallQuorOlmaApp.dll;platforms/${platform_plugin};styles/${style_plugin}\")
  set(IQO_DLL_FOLDERS \"${runtime_folders}\")
  set(IQO_SYSTEM_DLL_PATTERNS [=[${system_dll_patterns}]=])
  set(IQO_OBJDUMP \"${CMAKE_OBJDUMP}\")
  set(IQO_STRIP \"${CMAKE_STRIP}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/ShipImportedDlls.cmake\")
")

configure_file(${PROJECT_SOURCE_DIR}/resources/package/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME InstallQuorOlma)
set(CPACK_PACKAGE_VENDOR Korvalis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME InstallQuorOlma-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)
