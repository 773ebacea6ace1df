; Installer of Kopplungswacht: German, for the current user only, no administrator rights.
; Built by tools/release/release.sh, which passes VERSION (major.minor.revision of src/app/version.h),
; VERSION4 (the same with a fourth part 0), EXE, ICON, LIESMICH, LIZENZ and OUTFILE with -D.
;
; Command line (besides NSIS's own /S and /D=folder):
;   setup:         /AUTOSTART                start with Windows (a value under the user's Run key)
;   uninstall.exe: /EINSTELLUNGENENTFERNEN   also delete HKCU\Software\Kopplungswacht

Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define APP "Kopplungswacht"
!define PUBLISHER "Kopplungswacht-Projekt"
; The class by which a running copy is found, read from the program's own header.
!searchparse /file "${__FILEDIR__}/../../src/platform/win32/control_ids.h" '#define KW_MAIN_WINDOW_CLASS "' MAIN_WINDOW_CLASS '"'
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kopplungswacht"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Kopplungswacht"
; How long a running copy gets to end after its window's Close.
!define CLOSE_WAIT_MS 5000

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
; An update goes where the earlier version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

Var Autostart
Var AutostartBox
Var RemoveSettings
Var RemoveSettingsBox

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
Page custom OptionsPage OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\kopplungswacht.exe"
!define MUI_FINISHPAGE_RUN_TEXT "${APP} jetzt starten"
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsPage un.OptionsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "Copyright © 2026 ${PUBLISHER}, MIT-Lizenz"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Installationsprogramm für ${APP}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"

; Asks a running copy to end as a user would, by its window's Close, and waits for its process, so
; that its exe is no longer in use. A copy that stays is left to the user: retry or cancel.
!macro DEFINE_CLOSE_RUNNING_COPY un
Function ${un}CloseRunningCopy
    retry:
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 == 0
        Return
    ${EndIf}
    DetailPrint "${APP} läuft noch und wird beendet ..."
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
    ; SYNCHRONIZE: enough to wait for the process, nothing more.
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"
    System::Call "user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)"
    ${If} $2 != 0
        System::Call "kernel32::WaitForSingleObject(p r2, i ${CLOSE_WAIT_MS}) i .r3"
        System::Call "kernel32::CloseHandle(p r2)"
    ${Else}
        ; No handle to wait on: wait for the window to go instead, as long.
        StrCpy $3 0
        StrCpy $4 0
        ${Do}
            FindWindow $0 "${MAIN_WINDOW_CLASS}"
            ${If} $0 == 0
            ${OrIf} $4 >= ${CLOSE_WAIT_MS}
                ${ExitDo}
            ${EndIf}
            Sleep 50
            IntOp $4 $4 + 50
        ${Loop}
    ${EndIf}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $3 == 0
    ${AndIf} $0 == 0
        Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP} läuft noch und hat sich nicht beenden lassen.$\r$\nBitte beenden Sie ${APP} und klicken Sie dann auf $\"Wiederholen$\"." /SD IDCANCEL IDRETRY retry
    Abort "${APP} läuft noch."
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_COPY ""
!insertmacro DEFINE_CLOSE_RUNNING_COPY "un."

Function .onInit
    StrCpy $Autostart 0
    ; An update keeps the earlier choice.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${APP}"
    ${If} $0 != ""
        StrCpy $Autostart 1
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART" $1
    ${IfNot} ${Errors}
        StrCpy $Autostart 1
    ${EndIf}
FunctionEnd

Function OptionsPage
    !insertmacro MUI_HEADER_TEXT "Optionen" "Wie soll ${APP} starten?"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 36u "${APP} wird für Sie allein installiert, in $INSTDIR. Es erscheint im Startmenü und in der Liste der installierten Programme."
    Pop $0
    ${NSD_CreateCheckbox} 0 44u 100% 12u "Mit Windows starten"
    Pop $AutostartBox
    ${If} $Autostart == 1
        ${NSD_Check} $AutostartBox
    ${EndIf}
    ${NSD_CreateLabel} 12u 58u 95% 24u "${APP} startet dann bei jeder Anmeldung und wartet im Infobereich neben der Uhr auf DFÜ-Verbindungen."
    Pop $0
    nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
    ${NSD_GetState} $AutostartBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $Autostart 1
    ${Else}
        StrCpy $Autostart 0
    ${EndIf}
FunctionEnd

Section
    SetShellVarContext current
    Call CloseRunningCopy
    SetOutPath "$INSTDIR"
    File "/oname=kopplungswacht.exe" "${EXE}"
    File "/oname=LIESMICH.txt" "${LIESMICH}"
    File "/oname=LIZENZ.txt" "${LIZENZ}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\kopplungswacht.exe" "" "$INSTDIR\kopplungswacht.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kopplungswacht.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ${If} $Autostart == 1
        WriteRegStr HKCU "${RUN_KEY}" "${APP}" '"$INSTDIR\kopplungswacht.exe"'
    ${Else}
        DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
    ${EndIf}
SectionEnd

Function un.onInit
    StrCpy $RemoveSettings 0
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/EINSTELLUNGENENTFERNEN" $1
    ${IfNot} ${Errors}
        StrCpy $RemoveSettings 1
    ${EndIf}
FunctionEnd

Function un.OptionsPage
    !insertmacro MUI_HEADER_TEXT "${APP} entfernen" "${APP} wird von diesem Computer entfernt."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 24u "Entfernt werden das Programm in $INSTDIR, sein Eintrag im Startmenü und der Start mit Windows."
    Pop $0
    ${NSD_CreateCheckbox} 0 32u 100% 12u "Einstellungen entfernen"
    Pop $RemoveSettingsBox
    ${If} $RemoveSettings == 1
        ${NSD_Check} $RemoveSettingsBox
    ${EndIf}
    ${NSD_CreateLabel} 12u 46u 95% 24u "Ohne diese Option bleiben Ihre Programmliste und die Wartezeit für eine spätere Installation erhalten."
    Pop $0
    nsDialogs::Show
FunctionEnd

Function un.OptionsPageLeave
    ${NSD_GetState} $RemoveSettingsBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $RemoveSettings 1
    ${Else}
        StrCpy $RemoveSettings 0
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.CloseRunningCopy
    Delete "$INSTDIR\kopplungswacht.exe"
    Delete "$INSTDIR\LIESMICH.txt"
    Delete "$INSTDIR\LIZENZ.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only if empty: whatever the user put there stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${If} $RemoveSettings == 1
        DeleteRegKey HKCU "${SETTINGS_KEY}"
    ${EndIf}
SectionEnd
