; Per-user installer of the saver. Built by cmake/packages.cmake once for each build:
;   makensis -INPUTCHARSET UTF8 -DARCH=win64|win32 -DVERSION=1.0.0 -DPUBLISHER=... -DCOPYRIGHT=...
;            -DDIST=<folder of the programs> -DICON=<.ico> -DOUTFILE=<setup.exe> orvanne.nsi
!if "${ARCH}" == "win64"
    Target amd64-unicode
!else
    Target x86-unicode
!endif

!include MUI2.nsh
!include LogicLib.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanne"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2

Name "Orvanne"
OutFile "${OUTFILE}"
; The settings file lives beside the saver, so the folder must be the user's own: a 64-bit
; program gets no file virtualisation and would silently lose every save elsewhere.
InstallDir "$LOCALAPPDATA\Programs\Orvanne"
RequestExecutionLevel user
SetCompressor /SOLID lzma
BrandingText "Orvanne ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString WelcomeText ${LANG_ENGLISH} "Setup will install Orvanne ${VERSION} for you alone, with no administrator rights, and make it your screen saver.$\r$\n$\r$\nClick Install to start the installation."
LangString WelcomeText ${LANG_JAPANESE} "Orvanne ${VERSION} をこのユーザー用にインストールし (管理者の権限は要りません)、スクリーン セーバーに設定します。$\r$\n$\r$\n[インストール] をクリックすると始まります。"
LangString OpenSettingsText ${LANG_ENGLISH} "Open the screen saver settings"
LangString OpenSettingsText ${LANG_JAPANESE} "スクリーン セーバーの設定を開く"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Orvanne"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Orvanne installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"

Section "Orvanne" SecPrograms
    SetOutPath "$INSTDIR"
    ; Orvanne.ini beside them is the user's: an install over an earlier one leaves it alone.
    File "${DIST}/Orvanne.scr"
    File "${DIST}/Orvanne.dll"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    Call MakeActiveSaver
    Call RegisterUninstaller
SectionEnd

; The short path where the volume has one, as the system's own selection writes it.
Function MakeActiveSaver
    GetFullPathName /SHORT $0 "$INSTDIR\Orvanne.scr"
    ${If} $0 == ""
        StrCpy $0 "$INSTDIR\Orvanne.scr"
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})"
FunctionEnd

Function RegisterUninstaller
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Orvanne"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Orvanne.scr,0"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    SectionGetSize ${SecPrograms} $0
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
FunctionEnd

; The saver is already the active one: the control panel page opens with it selected.
Function OpenScreenSaverSettings
    ExecShell "open" "control.exe" "desk.cpl,,@screensaver"
FunctionEnd

Section "Uninstall"
    ; Both paths are taken while the saver is still there: a deleted file has no short path.
    GetFullPathName /SHORT $0 "$INSTDIR\Orvanne.scr"
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    GetFullPathName /SHORT $2 "$1"
    StrCpy $3 0
    ${If} $1 == "$INSTDIR\Orvanne.scr"
        StrCpy $3 1
    ${ElseIf} $0 != ""
    ${AndIf} $2 == $0
        StrCpy $3 1
    ${EndIf}
    ; Another saver chosen since is the user's choice: keep it.
    ${If} $3 == 1
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
    Delete "$INSTDIR\Orvanne.scr"
    Delete "$INSTDIR\Orvanne.dll"
    Delete "$INSTDIR\Orvanne.ini"
    Delete "$INSTDIR\uninstall.exe"
    ; Not /r: anything else the user keeps in the folder stays, and the folder with it.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
