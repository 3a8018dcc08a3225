#include "alarm/AlarmFormu.h"

#include "clock/AnaForm.h"
#include "startup/GirisModulu.h"
#include "resources/resource.h"

AlarmFormu::AlarmFormu(Program& program, AnaForm& anaForm)
    : ui::Form("AlarmFormu"),
      SimgeKutusu(*this, "SimgeKutusu", nullptr, IDI_BELL),
      MesajEtiketi(*this, "MesajEtiketi", nullptr),
      AlarmıDurdurButonu(*this, "AlarmıDurdurButonu", nullptr),
      AlarmıSilButonu(*this, "AlarmıSilButonu", nullptr),
      program_(program),
      anaForm_(anaForm) {
    MakeFixedDialog(2850, 1395);
    SetCaption(" ");

    SimgeKutusu.Move(120, 150, 480, 480);
    MesajEtiketi.Move(690, 150, 1770, 195);
    MesajEtiketi.AutoSize = true;
    MesajEtiketi.WordWrap = true;
    MesajEtiketi.SetForeColor(ui::Rgb(0, 0, 128));
    AlarmıDurdurButonu.Move(270, 780, 1095, 345);
    AlarmıDurdurButonu.Default = true;
    AlarmıDurdurButonu.TabIndex = 0;
    AlarmıSilButonu.Move(1470, 780, 1095, 345);
    AlarmıSilButonu.TabIndex = 1;

    AlarmıDurdurButonu.Click = [this] { AlarmıDurdurButonu_Click(); };
    AlarmıSilButonu.Click = [this] { AlarmıSilButonu_Click(); };
    Activate = [this] { Form_Activate(); };
    // The title bar's close box stops the alarm as Stop does, so the sound
    // never outlives the window.
    CloseRequest = [this] {
        AlarmıDurdurButonu_Click();
        return true;
    };
}

void AlarmFormu::Form_Load() {
    auto& p = program_.platform;
    if (Host()) Host()->Load(*this);
    SetCaption(p.StringResource(IDS_ALARM_TITLE));
    MesajEtiketi.SetText(p.StringResource(IDS_ALARM_MESSAGE));
    AlarmıDurdurButonu.SetCaption(p.StringResource(IDS_STOP));
    AlarmıSilButonu.SetCaption(p.StringResource(IDS_ERASE_ALARM));
}

void AlarmFormu::Form_Activate() {
    if (Host()) Host()->SetWindowPos(*this, program_.values.topMost, kSwpNoSize | kSwpNoMove);
}

void AlarmFormu::AlarmıDurdurButonu_Click() {
    anaForm_.AlarmAltı.SetPicture(anaForm_.Alarmlar.GraphicCell(program_.values.colourIndex));
    anaForm_.AlarmEtiketi.SetForeColor(AnaForm::kArmed);
    Unload();
}

void AlarmFormu::AlarmıSilButonu_Click() {
    auto& p = program_.platform;
    int yanıt = p.ShowMessageBox(Host() ? Host()->WindowHandle(*this) : 0,
                                 p.StringResource(IDS_ERASE_QUESTION), program_.values.appTitle,
                                 platform::kMbYesNo | platform::kMbIconQuestion);
    if (yanıt != platform::kIdYes) return;
    GirişModülü::AlarmıSil(program_, anaForm_);
    Unload();
}
