; The installer of the plug-in: puts the DLL and its help page into the
; player's Plugins folder and leaves an uninstaller there. The build passes
; VERSION, DLL, HELP and OUTFILE (and TARGET for a 64-bit test build).
Unicode true
!ifdef TARGET
    Target ${TARGET}
!endif
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "gen_ZEM"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "${PRODUCT}-uninstall.exe"
; The player's main window: while it runs, it holds the DLL open.
!define PLAYER_WINDOW "Winamp v1.x"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The player usually lives under Program Files.
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup: a Winamp plug-in for ZEM and RnQ"
VIAddVersionKey /LANG=0 "LegalCopyright" "gen_ZEM developers, MIT License"

!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(DirectoryText)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString DirectoryText ${LANG_ENGLISH} "Setup puts ${PRODUCT} into the Plugins folder of Winamp: this one, where Winamp was found or usually lives. If your Winamp lives elsewhere, choose its Plugins folder."
LangString DirectoryText ${LANG_RUSSIAN} "Программа установки поместит ${PRODUCT} в папку Plugins плеера Winamp: в эту, где найден Winamp или где он обычно стоит. Если Winamp установлен в другом месте, выберите его папку Plugins."
LangString FinishText ${LANG_ENGLISH} "Start Winamp: the plug-in is set up under Options, Preferences, Plug-ins, General Purpose, or from the item $\"ZER ozavod irozav$\" of Winamp's main menu. Your settings are kept in gen_ZEM.dll.ini beside the plug-in."
LangString FinishText ${LANG_RUSSIAN} "Запустите Winamp: плагин настраивается в Options, Preferences, Plug-ins, General Purpose или из пункта $\"ZER ozavod irozav$\" главного меню плеера. Настройки хранятся в файле gen_ZEM.dll.ini рядом с плагином."
LangString PlayerRunning ${LANG_ENGLISH} "Winamp is running and holds the plug-in open. Close Winamp, then choose Retry."
LangString PlayerRunning ${LANG_RUSSIAN} "Winamp запущен и держит плагин открытым. Закройте Winamp и нажмите «Повтор»."

; Where the player is: the folder an earlier copy went to, else the folder
; that the player's own installer recorded, else the usual place.
Function PluginsFolder
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        StrCpy $INSTDIR $0
        Return
    ${EndIf}
    ReadRegStr $0 HKCU "Software\Winamp" ""
    ${If} $0 == ""
        ; "C:\Program Files\Winamp\UninstWA.exe", with or without quotes
        ReadRegStr $1 HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp" "UninstallString"
        ${If} $1 != ""
            StrCpy $2 $1 1
            ${If} $2 == '"'
                StrCpy $1 $1 "" 1
                StrCpy $1 $1 -1
            ${EndIf}
            ${GetParent} $1 $0
        ${EndIf}
    ${EndIf}
    ${If} $0 == ""
        StrCpy $0 "$PROGRAMFILES\Winamp"
    ${EndIf}
    StrCpy $INSTDIR "$0\Plugins"
FunctionEnd

!macro WaitForPlayerToClose
    ${Do}
        FindWindow $0 "${PLAYER_WINDOW}"
        ${If} $0 == 0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PlayerRunning)" /SD IDCANCEL IDRETRY +2
        Abort
    ${Loop}
!macroend

Function .onInit
    ; /D= on the command line has set the folder already.
    ${If} $INSTDIR == ""
        Call PluginsFolder
    ${EndIf}
FunctionEnd

Section
    !insertmacro WaitForPlayerToClose
    SetOutPath "$INSTDIR"
    File "/oname=gen_ZEM.dll" "${DLL}"
    File "/oname=gen_ZEM.html" "${HELP}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (Winamp plug-in)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "gen_ZEM developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installer put there. The settings file
; gen_ZEM.dll.ini is the user's and stays, so that a new install finds it.
Section "Uninstall"
    !insertmacro WaitForPlayerToClose
    Delete "$INSTDIR\gen_ZEM.dll"
    Delete "$INSTDIR\gen_ZEM.html"
    Delete "$INSTDIR\${UNINSTALLER}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
