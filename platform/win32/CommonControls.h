// The common controls library is loaded when the first of its controls is
// made, not with the program: loading it and registering its classes was a
// good part of the time before the clock's first frame. The program's early
// request for classes is kept and made when the library comes.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace platform::win32 {

using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

struct CommonControlsState {
    bool requested = false;
    INITCOMMONCONTROLSEX request{};
    InitCommonControlsExProc init = nullptr;
};

inline CommonControlsState& CommonControls() {
    static CommonControlsState state;
    return state;
}

// Loads the library by its bare name, so that the version the program's
// manifest names is the one loaded, and registers
// the classes asked for so far and these; later calls register only.
inline void UseCommonControls(DWORD classes) {
    CommonControlsState& s = CommonControls();
    if (!s.init) {
        HMODULE library = LoadLibraryA("comctl32.dll");
        if (!library) return;
        s.init = reinterpret_cast<InitCommonControlsExProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControlsEx")));
        if (!s.init) return;
        if (s.requested) s.init(&s.request);
    }
    const INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), classes};
    s.init(&icc);
}

// The program's own request: made now if the library is there, else kept.
inline void RequestCommonControls(DWORD size, DWORD classes) {
    CommonControlsState& s = CommonControls();
    s.requested = true;
    s.request.dwSize = size;
    s.request.dwICC = classes;
    if (s.init) s.init(&s.request);
}

}  // namespace platform::win32
