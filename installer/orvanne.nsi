; Per-user installer of the saver. Built by cmake/packages.cmake once for each build:
;   makensis -INPUTCHARSET UTF8 -DARCH=win64|win32 -DVERSION=1.0.0 -DPUBLISHER=... -DCOPYRIGHT=...
;            -DDIST=<folder of the programs> -DICON=<.ico> -DOUTFILE=<setup.exe>
;            [-DSIGN=<command that signs the file it is given in place>] orvanne.nsi
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
; No file dates inside: two builds of one commit give the same bytes.
SetDateSave off
FileErrorText "$(FileErrorText)" "$(FileErrorText)"
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
LangString RunningText ${LANG_ENGLISH} "Orvanne is running. Close the screen saver and the screen saver settings, then click Retry; or click Cancel to leave everything as it is."
LangString RunningText ${LANG_JAPANESE} "Orvanne が動いています。スクリーン セーバーとスクリーン セーバーの設定を閉じてから [再試行] を、何も変えずに終えるには [キャンセル] をクリックしてください。"
LangString FileErrorText ${LANG_ENGLISH} "Orvanne could not write$\r$\n$\r$\n$0$\r$\n$\r$\nIf Orvanne is running, close the screen saver and the screen saver settings, then click Retry."
LangString FileErrorText ${LANG_JAPANESE} "次のファイルを書き込めませんでした:$\r$\n$\r$\n$0$\r$\n$\r$\nOrvanne が動いていれば、スクリーン セーバーとスクリーン セーバーの設定を閉じてから [再試行] をクリックしてください。"
LangString NotWrittenText ${LANG_ENGLISH} "Orvanne could not be written to $INSTDIR, and nothing was changed. Choose a folder of your own and try again."
LangString NotWrittenText ${LANG_JAPANESE} "$INSTDIR に Orvanne を書き込めなかったため、何も変えていません。ご自分のフォルダーを選んでやり直してください。"
LangString EarlierText ${LANG_ENGLISH} "The Orvanne installed in $R0 could not be removed, and nothing was changed."
LangString EarlierText ${LANG_JAPANESE} "$R0 にインストールされている Orvanne を削除できなかったため、何も変えていません。"
LangString NotRemovedText ${LANG_ENGLISH} "Orvanne could not be removed from $INSTDIR. Close the screen saver and the screen saver settings, then uninstall it again."
LangString NotRemovedText ${LANG_JAPANESE} "$INSTDIR から Orvanne を削除できませんでした。スクリーン セーバーとスクリーン セーバーの設定を閉じてから、もう一度アンインストールしてください。"

!ifdef SIGN
    !finalize '${SIGN} "%1"'
    !uninstfinalize '${SIGN} "%1"'
!endif

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Orvanne"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Orvanne installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"

!macro StopWith TEXT
    MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
    SetErrorLevel 2
    Quit
!macroend

!macro TryWriting FILE
    ${If} ${FileExists} "${FILE}"
        ClearErrors
        FileOpen $1 "${FILE}" a
        ${If} ${Errors}
            StrCpy $2 1
        ${Else}
            FileClose $1
        ${EndIf}
    ${EndIf}
!macroend

; Pops a folder, pushes 1 when a program in it runs: a running program cannot be opened for
; writing, and the settings page keeps "Orvanne.scr /p" running while it is open.
!macro DefineInUse UN
Function ${UN}InUse
    Exch $0
    Push $1
    Push $2
    StrCpy $2 0
    !insertmacro TryWriting "$0\Orvanne.scr"
    !insertmacro TryWriting "$0\Orvanne.dll"
    StrCpy $0 $2
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
!macroend
!insertmacro DefineInUse ""
!insertmacro DefineInUse "un."

; Never a mix of old and new programs: asks until they are closed; silently, changes nothing.
!macro WaitUntilStopped UN FOLDER
    ${Do}
        Push "${FOLDER}"
        Call ${UN}InUse
        Pop $1
        ${IfThen} $1 == 0 ${|} ${Break} ${|}
        ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(RunningText)" /SD IDCANCEL IDCANCEL`
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${Loop}
!macroend

Section "Orvanne" SecPrograms
    !insertmacro WaitUntilStopped "" "$INSTDIR"
    Call FindEarlierCopy
    ${If} $R0 != ""
        !insertmacro WaitUntilStopped "" "$R0"
    ${EndIf}
    ; The uninstaller first: a folder that takes no file stops here with nothing changed.
    ClearErrors
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ${If} ${Errors}
        RMDir "$INSTDIR"
        !insertmacro StopWith "$(NotWrittenText)"
    ${EndIf}
    ${If} $R0 != ""
        Call RemoveEarlierCopy
    ${EndIf}
    ; Orvanne.ini beside them is the user's: an install over an earlier one leaves it alone.
    ClearErrors
    File "${DIST}/Orvanne.scr"
    File "${DIST}/Orvanne.dll"
    ${If} ${Errors}
        !insertmacro StopWith "$(NotWrittenText)"
    ${EndIf}
    Call MakeActiveSaver
    Call CreateStartMenuEntry
    Call RegisterUninstaller
SectionEnd

; One copy at a time: $R0 is the folder of an install elsewhere, or "".
Function FindEarlierCopy
    ReadRegStr $R0 HKCU "${UNINST_KEY}" "InstallLocation"
    ${If} $R0 == ""
    ${OrIfNot} ${FileExists} "$R0\uninstall.exe"
        StrCpy $R0 ""
        Return
    ${EndIf}
    ; The same folder, perhaps spelt in its short form.
    GetFullPathName /SHORT $1 "$R0"
    GetFullPathName /SHORT $2 "$INSTDIR"
    ${If} $R0 == $INSTDIR
    ${OrIf} $1 == $2
        StrCpy $R0 ""
    ${EndIf}
FunctionEnd

; Its own uninstaller, run in place so that it is waited for, removes the earlier copy.
Function RemoveEarlierCopy
    ; The user's settings move along, unless the new folder has its own.
    StrCpy $R2 0
    ${IfNot} ${FileExists} "$INSTDIR\Orvanne.ini"
        CopyFiles /SILENT "$R0\Orvanne.ini" "$INSTDIR"
        StrCpy $R2 1
    ${EndIf}
    ClearErrors
    ExecWait '"$R0\uninstall.exe" /S _?=$R0' $1
    ${If} ${Errors}
    ${OrIf} $1 != 0
    ${OrIf} ${FileExists} "$R0\Orvanne.scr"
    ${OrIf} ${FileExists} "$R0\Orvanne.dll"
        Delete "$INSTDIR\uninstall.exe"
        ${IfThen} $R2 == 1 ${|} Delete "$INSTDIR\Orvanne.ini" ${|}
        RMDir "$INSTDIR"
        !insertmacro StopWith "$(EarlierText)"
    ${EndIf}
    Delete "$R0\uninstall.exe"
    RMDir "$R0"
FunctionEnd

; The short path where the volume has one, as the system's own selection writes it.
Function MakeActiveSaver
    GetFullPathName /SHORT $R1 "$INSTDIR\Orvanne.scr"
    ${If} $R1 == ""
        StrCpy $R1 "$INSTDIR\Orvanne.scr"
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$R1"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})"
FunctionEnd

; The settings list a saver of the user's own folder only while it is chosen: this entry
; chooses it again and opens them, as Explorer's Install command on the saver does.
Function CreateStartMenuEntry
    CreateShortCut "$SMPROGRAMS\Orvanne.lnk" "$SYSDIR\rundll32.exe" \
        "desk.cpl,InstallScreenSaver $R1" "$INSTDIR\Orvanne.scr" 0
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
    !insertmacro WaitUntilStopped "un." "$INSTDIR"
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
    Delete "$INSTDIR\Orvanne.scr"
    Delete "$INSTDIR\Orvanne.dll"
    ; While a program remains, so do the uninstaller and its entry.
    ${If} ${FileExists} "$INSTDIR\Orvanne.scr"
    ${OrIf} ${FileExists} "$INSTDIR\Orvanne.dll"
        !insertmacro StopWith "$(NotRemovedText)"
    ${EndIf}
    ; Another saver chosen since is the user's choice: keep it.
    ${If} $3 == 1
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
    Delete "$INSTDIR\Orvanne.ini"
    Delete "$INSTDIR\uninstall.exe"
    ; Not /r: anything else the user keeps in the folder stays, and the folder with it.
    RMDir "$INSTDIR"
    ; An entry naming another folder belongs to another copy.
    ReadRegStr $1 HKCU "${UNINST_KEY}" "InstallLocation"
    ${If} $1 == ""
    ${OrIf} $1 == "$INSTDIR"
        DeleteRegKey HKCU "${UNINST_KEY}"
        Delete "$SMPROGRAMS\Orvanne.lnk"
    ${EndIf}
SectionEnd
