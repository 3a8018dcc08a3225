// The open-file dialog as the settings dialog asks for it: the real
// comdlg32 dialog is shown, read and answered from a timer that runs in its
// modal loop.
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <string>

namespace {

struct Seen {
    bool shown = false;
    std::string fileTypes;  // the file-type list's current entry
    std::string folder;
    bool listsOurFile = false;
};
Seen seen;

std::string CurrentText(HWND combo) {
    char text[512] = "";
    const LRESULT i = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (i >= 0 && SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) < LRESULT(sizeof text))
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
}

// Looks for the test's file among the items of the dialog's file view.
BOOL CALLBACK FindOurFile(HWND child, LPARAM) {
    char cls[32];
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, WC_LISTVIEWA) != 0) return TRUE;
    const int n = static_cast<int>(SendMessageA(child, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[MAX_PATH] = "";
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(child, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        if (std::string(text).rfind("zilvane-pick", 0) == 0) seen.listsOurFile = true;
    }
    return TRUE;
}

// Reads the dialog, then cancels it.
void CALLBACK Answer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA(nullptr, "Select Sound File");
    static int ticks = 0;
    if (!dialog || ++ticks < 5) return;  // let it fill its lists
    KillTimer(nullptr, id);
    seen.shown = true;
    seen.fileTypes = CurrentText(GetDlgItem(dialog, 0x470));  // cmb1
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    seen.folder = folder;
    EnumChildWindows(dialog, FindOurFile, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

platform::OpenFileRecord Record() {
    platform::OpenFileRecord r;
    r.structSize = 76;
    r.filter = std::string("Wav Files (*.wav)\0*.wav\0\0", 25);
    r.filterIndex = 1;
    r.file.assign(257, '\0');
    r.maxFile = 256;
    r.fileTitle.assign(257, '\0');
    r.maxFileTitle = 256;
    r.initialDir = "C:\\";
    r.title = "Select Sound File";
    r.flags = 0x1004;
    return r;
}

// The 76-byte record is one the system takes: the dialog opens in C:\ with
// its title and only the WAV filter; Cancel hands back nothing.
TEST(OpenFileDialog, TheRecordOpensTheDialogInTheRootWithTheWavFilter) {
    const std::string wav = "C:\\zilvane-pick.wav";
    HANDLE h = CreateFileA(wav.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);

    platform::Win32Platform p;
    SetTimer(nullptr, 0, 100, Answer);
    platform::OpenFileRecord r = Record();
    EXPECT_FALSE(p.OpenFileDialog(r));
    EXPECT_EQ(0u, CommDlgExtendedError()) << "the record was refused";
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ("Wav Files (*.wav)", seen.fileTypes);
    EXPECT_EQ("C:\\", seen.folder);
    EXPECT_TRUE(seen.listsOurFile);
    EXPECT_EQ(std::string(257, '\0'), r.file);

    SetCurrentDirectoryA(before);
    DeleteFileA(wav.c_str());
}

}  // namespace
