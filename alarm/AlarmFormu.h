// The alarm window: shown modally below the clock while the alarm rings.
#pragma once

#include "startup/Program.h"
#include "ui/Controls.h"

class AnaForm;

class AlarmFormu : public ui::Form {
public:
    AlarmFormu(Program& program, AnaForm& anaForm);

    ui::Image SimgeKutusu;
    ui::Label MesajEtiketi;
    ui::Button AlarmıDurdurButonu;
    ui::Button AlarmıSilButonu;

    void Form_Load();
    void Form_Activate();
    void AlarmıDurdurButonu_Click();
    void AlarmıSilButonu_Click();

private:
    Program& program_;
    AnaForm& anaForm_;
};
