# The Windows build: MinGW-w64 with the Qt 6 for MinGW unpacked under the build folder.
# Pass -DIQO_QT_MINGW_PREFIX=<prefix>; Qt's own toolchain file then chains to the MinGW one kept
# inside that prefix and takes moc, rcc and lrelease from the native Qt 6 (QT_HOST_PATH).
if(NOT IQO_QT_MINGW_PREFIX)
  message(FATAL_ERROR "Set IQO_QT_MINGW_PREFIX to the Qt for MinGW prefix (tools/test-all.sh does)")
endif()
set(QT_HOST_PATH "/usr" CACHE PATH "Native Qt 6 for the build tools")
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/x86_64-linux-gnu/cmake" CACHE PATH "Native Qt 6 CMake packages")
include("${IQO_QT_MINGW_PREFIX}/lib/cmake/Qt6/qt.toolchain.cmake")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES IQO_QT_MINGW_PREFIX)
