; Zilvane setup: Zilvane.exe and Alarm.wav in Program Files, a Start-menu
; shortcut, an "Apps & features" entry and an uninstaller that can also forget
; the user's settings (page checkbox or /PURGE).
;
; scripts/dist.sh builds it and passes the version and the files to ship:
;   makensis -DVERSION=a.b.c.d -DEXE=... -DWAV=... -DLICENSE=... -DICON=...
;            -DOUTFILE=... installer/Zilvane.nsi

!ifndef VERSION | EXE | WAV | LICENSE | ICON | OUTFILE | ARCH
  !error "VERSION, EXE, WAV, LICENSE, ICON, OUTFILE and ARCH must be defined (scripts/dist.sh does it)"
!endif

Unicode true
; The 64-bit clock gets a 64-bit installer: the 64-bit Program Files and the
; 64-bit registry view, so that its "Apps & features" entry is its own.
!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define DISPLAY_NAME "Zilvane (64-bit)"
!else if "${ARCH}" == "x86"
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define DISPLAY_NAME "Zilvane"
!else
  !error "ARCH must be x86 or x64"
!endif
SetCompressor /SOLID lzma
; Program Files and HKLM need an administrator.
RequestExecutionLevel admin

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zilvane"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define STORE_PARENT "Software\VB and VBA Program Settings\Velorin"
!define STORE_KEY "${STORE_PARENT}\Zilvane"
; How long a clock gets to store its settings and end, in milliseconds.
!define CLOSE_WAIT 10000

Name "Zilvane"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\Velorin\Zilvane"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
BrandingText "Velorin Zilvane ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Zilvane"
VIAddVersionKey /LANG=1033 "CompanyName" "Velorin"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 Velorin"
VIAddVersionKey /LANG=1033 "FileDescription" "Zilvane ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include nsDialogs.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install Zilvane in the folder below. To install it elsewhere, click Browse and choose another folder. Click Install to start."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zilvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Zilvane"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.SettingsPage un.SettingsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A running clock holds Zilvane.exe open and stores its window settings
; (Sol, Ust, Renk, Olcu) only when it closes. Find it by the caption rule the
; clock itself uses for its single instance (a top-level window captioned
; exactly "Zilvane", any class), send WM_CLOSE and wait for its process to end.
!macro CLOSE_CLOCK un
Function ${un}CloseClock
  Push $0
  Push $1
  Push $2
  Push $3
  StrCpy $3 0
  next:
    System::Call 'user32::FindWindowW(p 0, w "Zilvane") p .r0'
    IntCmp $0 0 done
    ; Finding a clock again after two tries means it does not end.
    IntCmp $3 2 0 close
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Zilvane is still running. Close it, then press Retry." /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
    retry:
      StrCpy $3 0
    close:
    IntOp $3 $3 + 1
    DetailPrint "Closing the running Zilvane clock"
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    ; SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${CLOSE_WAIT}
    IntCmp $2 0 poll
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_WAIT}) i'
      System::Call 'kernel32::CloseHandle(p r2)'
      Goto next
    ; No handle to wait on: wait for the window instead.
    poll:
      StrCpy $1 0
    poll_again:
      IsWindow $0 0 next
      IntCmp $1 ${CLOSE_WAIT} next 0 next
      Sleep 100
      IntOp $1 $1 + 100
      Goto poll_again
  done:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_CLOCK ""
!insertmacro CLOSE_CLOCK "un."

Function .onInit
!if "${ARCH}" == "x64"
  SetRegView 64
!endif
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "Installing Zilvane for all users needs an administrator." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
FunctionEnd

Section "Zilvane"
  SectionIn RO
  SetShellVarContext all
  Call CloseClock

  SetOutPath "$INSTDIR"
  File "/oname=Zilvane.exe" "${EXE}"
  File "/oname=Alarm.wav" "${WAV}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Zilvane.lnk" "$INSTDIR\Zilvane.exe"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Velorin"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Zilvane.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Zilvane"
  SectionIn RO
  SetShellVarContext all
  Call un.CloseClock

  ; Only our own files: the folder may have been chosen by the user.
  Delete "$INSTDIR\Zilvane.exe"
  Delete "$INSTDIR\Alarm.wav"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} $0 $1
  ${If} $1 == "Velorin"
    RMDir $0
  ${EndIf}

  Delete "$SMPROGRAMS\Zilvane.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Zilvane"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

; Runs after the clock has been closed, so nothing writes the settings back.
Section /o "un.My clock settings" SecUnSettings
  DeleteRegKey HKCU "${STORE_KEY}"
  DeleteRegKey /ifempty HKCU "${STORE_PARENT}"
SectionEnd

; /PURGE forgets the settings in a silent uninstall too.
Function un.onInit
!if "${ARCH}" == "x64"
  SetRegView 64
!endif
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnSettings}
  ${EndIf}
FunctionEnd

Var PurgeBox

; The one choice of the uninstaller; /PURGE checks it beforehand.
Function un.SettingsPage
  !insertmacro MUI_HEADER_TEXT "Your settings" "Choose whether Zilvane forgets your settings too."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 30u "Zilvane keeps your clock's place, colour, face and alarm under your user account. Keep them if you may install Zilvane again."
  Pop $0
  ${NSD_CreateCheckbox} 0 40u 100% 12u "&Forget my clock settings too"
  Pop $PurgeBox
  ${If} ${SectionIsSelected} ${SecUnSettings}
    ${NSD_Check} $PurgeBox
  ${EndIf}
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.SettingsPageLeave
  ${NSD_GetState} $PurgeBox $0
  ${If} $0 == ${BST_CHECKED}
    !insertmacro SelectSection ${SecUnSettings}
  ${Else}
    !insertmacro UnselectSection ${SecUnSettings}
  ${EndIf}
FunctionEnd
