// Program-wide values, built at start-up and shared by every form.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "ui/Controls.h"

namespace ui {
class FormHost;
}

struct ProgramValues {
    std::string programFolder;     // ends in exactly one "\"
    std::string appName;           // settings application name: "Velorin\" + product name
    std::string appTitle;          // caption of message boxes and of the running instance
    std::uint8_t colourIndex = 0;  // 0 green, 1 cyan, 2 red
    bool chimeHold = false;        // keeps the hourly chime silent during forced repaints
    ui::Placement topMost = ui::Placement::TopMost;
};

// What every form and module is given: the services and the shared values.
struct Program {
    platform::Platform& platform;
    ui::FormHost* host = nullptr;
    ProgramValues values;
};

constexpr unsigned kSwpNoSize = 1;
constexpr unsigned kSwpNoMove = 2;
