// A clock loaded against the fake platform and host.
#pragma once

#include <gtest/gtest.h>

#include "alarm/AlarmFormu.h"
#include "clock/AnaForm.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakePlatform.h"

class ClockTest : public ::testing::Test {
protected:
    fake::FakePlatform platform;
    fake::FakeHost host;
    Program program{platform, &host, {}};
    std::unique_ptr<AnaForm> form;

    ClockTest() {
        program.values.programFolder = "C:\\Program Files\\Zilvane\\";
        program.values.appName = "Velorin\\Zilvane";
        program.values.appTitle = "Zilvane";
    }

    void SetTime(int h, int m, int s) {
        platform.now.hour = h;
        platform.now.minute = m;
        platform.now.second = s;
    }

    AnaForm& Load() {
        form = std::make_unique<AnaForm>(program);
        form->SetHost(&host);
        form->Form_Load();
        return *form;
    }

    // One tick at the given time.
    void TickAt(int h, int m, int s) {
        SetTime(h, m, s);
        form->Saat_Timer();
    }

    std::string Digits() const {
        std::string d;
        for (auto* l : {&form->Hane0, &form->Hane1, &form->Hane2, &form->Hane3, &form->Hane4,
                        &form->Hane5})
            d += l->Text();
        return d;
    }

    int Count(const std::string& event) const { return host.Count(event); }
};
