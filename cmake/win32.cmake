# Windows, 32- or 64-bit by the toolchain: the platform layer, the host,
# Zilvane.exe and the tests that run under Wine.
enable_language(RC)

# The manifest names the architecture it is for, the program's and common
# controls'; the resource script finds this build's copy on its include path.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZILVANE_ARCH x64)
  set(ZILVANE_MANIFEST_ARCH amd64)
else()
  set(ZILVANE_ARCH x86)
  set(ZILVANE_MANIFEST_ARCH x86)
endif()
configure_file(${CMAKE_SOURCE_DIR}/resources/Zilvane.manifest.in
  ${CMAKE_BINARY_DIR}/resources/Zilvane.manifest @ONLY)
include_directories(${CMAKE_BINARY_DIR}/resources)
set(ZILVANE_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The host, also compiled into its own tests.
set(ZILVANE_WIN32_HOST_SOURCES
  ${CMAKE_SOURCE_DIR}/ui/win32/Win32Host.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/FormWindow.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Geometry.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Painter.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/ChildControls.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/DialogKeys.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Tooltips.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/SecondTimer.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Mouse.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/GdiCache.cpp
)
add_library(zilvane_win32 STATIC
  platform/win32/Win32Platform.cpp
  ${ZILVANE_WIN32_HOST_SOURCES}
)
target_link_libraries(zilvane_win32 PUBLIC zilvane_core
  user32 gdi32 kernel32 advapi32 shell32 comdlg32 comctl32 winmm version)
target_compile_definitions(zilvane_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
target_compile_options(zilvane_win32 PRIVATE -Wall -Wextra)

add_executable(Zilvane WIN32 startup/main.cpp resources/Zilvane.rc)
target_link_libraries(Zilvane PRIVATE zilvane_win32)
target_link_options(Zilvane PRIVATE -mwindows ${ZILVANE_STATIC_LINK})
target_include_directories(Zilvane PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_target_properties(Zilvane PROPERTIES OUTPUT_NAME Zilvane RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_custom_command(TARGET Zilvane POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/Alarm.wav ${CMAKE_BINARY_DIR}/bin/Alarm.wav)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(tests/win32)
add_subdirectory(tests/win32host)
add_subdirectory(tests/e2e)
