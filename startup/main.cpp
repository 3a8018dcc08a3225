// Entry point: the services, the host, start-up, then the clock window and
// the message loop until it closes.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "clock/AnaForm.h"
#include "platform/win32/Win32Platform.h"
#include "startup/GirisModulu.h"
#include "startup/Program.h"
#include "ui/win32/Win32Host.h"

// The program is built without exceptions and catches none: running out of
// memory or breaking a library limit (a string too long, an index out of
// range) ends it at once. Said here, in the library's own hooks and in the
// replaceable allocation functions, that keeps the library's exception
// machinery out of the program (its throwing helpers, exception classes
// with a second string implementation, the unwinder, a thread library and
// a name demangler for an error message no window shows): about two
// fifths of the program's size.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
}  // namespace std
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

void* operator new(std::size_t n) {
    if (void* p = std::malloc(n ? n : 1)) return p;
    std::abort();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    platform::Win32Platform platform;
    ui::win32::Win32Host host(hInstance);
    Program program{platform, &host, {}};
    host.DisplayChanged = [&platform] { platform.ForgetScreen(); };
    if (!GirişModülü::Main(program)) return 0;

    AnaForm anaForm(program);
    anaForm.SetHost(&host);
    host.SetMainForm(anaForm);
    anaForm.Form_Load();  // loads its window, ends with it shown
    return host.Run();
}
