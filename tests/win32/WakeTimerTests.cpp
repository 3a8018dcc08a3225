// The wake timer is a real waitable timer: set for a local time it signals
// then, not before; cancelled it does not. (Wine ignores the resume flag.)
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Platform.h"

namespace {

// The local wall-clock time some seconds from now, counted on the local
// clock itself so that the platform's conversion to UTC is what is tested.
platform::DateTime LocalIn(int seconds) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME ft;
    SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000;
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME at;
    FileTimeToSystemTime(&ft, &at);
    return platform::FromSystemTime(at);
}

TEST(WakeTimer, SignalsAtTheLocalTimeItWasSetForAndNotOnceCancelled) {
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);

    platform::Win32Platform p;
    p.SetWakeTimer(LocalIn(2));
    const HANDLE timer = reinterpret_cast<HANDLE>(p.WakeTimerHandle());
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(WaitForSingleObject(timer, 800), static_cast<DWORD>(WAIT_TIMEOUT))
        << "signalled long before its time (zone bias " << zone.Bias << " min)";
    EXPECT_EQ(WaitForSingleObject(timer, 3000), static_cast<DWORD>(WAIT_OBJECT_0))
        << "not signalled at its time (zone bias " << zone.Bias << " min)";

    // Set again it waits for its new time; cancelled it never comes.
    p.SetWakeTimer(LocalIn(1));
    EXPECT_EQ(WaitForSingleObject(timer, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    p.CancelWakeTimer();
    EXPECT_EQ(WaitForSingleObject(timer, 2500), static_cast<DWORD>(WAIT_TIMEOUT));
}

}  // namespace
