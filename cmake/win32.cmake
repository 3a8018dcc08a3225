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

# What ships is built for size: nothing in a clock's work is speed-bound.
# Each function and datum gets a section of its own, so that the linker
# drops what is never called; -g feeds the separate debug file only. The
# program catches no exception and runs on one thread (startup/main.cpp
# says what becomes of the library's exceptions).
set(ZILVANE_SHIPPED_OPTIONS -Os -g -ffunction-sections -fdata-sections
  -fno-exceptions -fno-asynchronous-unwind-tables -fno-threadsafe-statics)
target_compile_options(zilvane_core PRIVATE ${ZILVANE_SHIPPED_OPTIONS})

# The host, also compiled into its own tests.
set(ZILVANE_WIN32_HOST_SOURCES
  ${CMAKE_SOURCE_DIR}/ui/win32/Win32Host.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/FormWindow.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Geometry.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Painter.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Adapters.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/DialogKeys.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Tooltips.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/SecondTimer.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/Mouse.cpp
  ${CMAKE_SOURCE_DIR}/ui/win32/GdiCache.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/Dpi.cpp
)
add_library(zilvane_win32 STATIC
  platform/win32/Win32Platform.cpp
  ${ZILVANE_WIN32_HOST_SOURCES}
)
target_link_libraries(zilvane_win32 PUBLIC zilvane_core
  user32 gdi32 kernel32 advapi32 comctl32 version)
target_compile_definitions(zilvane_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
target_compile_options(zilvane_win32 PRIVATE -Wall -Wextra ${ZILVANE_SHIPPED_OPTIONS})

add_executable(Zilvane WIN32 startup/main.cpp resources/Zilvane.rc)
target_link_libraries(Zilvane PRIVATE zilvane_win32)
target_compile_options(Zilvane PRIVATE ${ZILVANE_SHIPPED_OPTIONS})
target_link_options(Zilvane PRIVATE -mwindows ${ZILVANE_STATIC_LINK} -Wl,--gc-sections)
target_include_directories(Zilvane PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_target_properties(Zilvane PROPERTIES OUTPUT_NAME Zilvane RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The exe ships stripped; its symbols and debug information stay in
# debug/Zilvane.exe.debug, out of bin/, which is what ships. The exe names
# that file (a debug link), so a debugger given the folder finds it.
set(ZILVANE_DEBUG_FILE ${CMAKE_BINARY_DIR}/debug/Zilvane.exe.debug)
add_custom_command(TARGET Zilvane POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debug
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:Zilvane> ${ZILVANE_DEBUG_FILE}
  COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${ZILVANE_DEBUG_FILE} $<TARGET_FILE:Zilvane>
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/Alarm.wav ${CMAKE_BINARY_DIR}/bin/Alarm.wav)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(tests/win32)
add_subdirectory(tests/win32host)
add_subdirectory(tests/e2e)

# The benchmark's simulated hour in process (bench/hour.cpp): the clock on the
# real host and platform, ticked and its settings dialog cycled.
add_executable(bench_hour bench/hour.cpp resources/Zilvane.rc)
target_link_libraries(bench_hour PRIVATE zilvane_win32 psapi)
target_include_directories(bench_hour PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_options(bench_hour PRIVATE ${ZILVANE_STATIC_LINK})
set_target_properties(bench_hour PROPERTIES OUTPUT_NAME hour RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
# The hourly chime's sound beside it, as beside the clock: a missing one
# would stop the hour at a message box.
add_custom_command(TARGET bench_hour POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/Alarm.wav ${CMAKE_BINARY_DIR}/bench/Alarm.wav)
