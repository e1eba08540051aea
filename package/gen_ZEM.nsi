; The installer of the plug-in: asks for the player's folder, puts the DLL
; and its help page into its Plugins folder and leaves an uninstaller there.
; The build passes VERSION, DLL, HELP and OUTFILE (and TARGET for a 64-bit test build).
Unicode true
!ifdef TARGET
    Target ${TARGET}
!endif
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "gen_ZEM"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "${PRODUCT}-uninstall.exe"
!define PLAYER_PROGRAM "winamp.exe"
; The player's main window: while it runs, it holds the DLL open.
!define PLAYER_WINDOW "Winamp v1.x"
; Exit codes beside NSIS's own (1: cancelled, 2: aborted), listed in the README.
!define EXIT_NO_PLAYER 3
!define EXIT_PLAYER_RUNNING 4
; A silent run gives the player this many quarter seconds to close.
!define SILENT_WAIT_STEPS 20

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
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

; The player's own settings folder, where the plug-in may keep the user's
; copy of its files; empty where the player names none.
Var PlayerSettings

!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(DirectoryText)"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "$(PlayerFolder)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PLAYER_PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartPlayer)"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString DirectoryText ${LANG_ENGLISH} "Setup puts ${PRODUCT} into the Plugins folder of Winamp. Choose the folder Winamp is installed in, the one that holds ${PLAYER_PROGRAM}: this one is where Winamp was found or usually lives."
LangString DirectoryText ${LANG_RUSSIAN} "Программа установки поместит ${PRODUCT} в папку Plugins плеера Winamp. Выберите папку, в которой установлен Winamp (в ней лежит ${PLAYER_PROGRAM}): предложена та, где Winamp найден или где он обычно стоит."
LangString PlayerFolder ${LANG_ENGLISH} "Winamp's folder"
LangString PlayerFolder ${LANG_RUSSIAN} "Папка Winamp"
LangString FinishText ${LANG_ENGLISH} "The plug-in is set up under Options, Preferences, Plug-ins, General Purpose in Winamp, or from the item $\"ZER ozavod irozav$\" of Winamp's main menu. Your settings are kept in gen_ZEM.dll.ini beside the plug-in."
LangString FinishText ${LANG_RUSSIAN} "Плагин настраивается в Winamp в Options, Preferences, Plug-ins, General Purpose или из пункта $\"ZER ozavod irozav$\" главного меню плеера. Настройки хранятся в файле gen_ZEM.dll.ini рядом с плагином."
LangString StartPlayer ${LANG_ENGLISH} "Start Winamp"
LangString StartPlayer ${LANG_RUSSIAN} "Запустить Winamp"
LangString PlayerRunning ${LANG_ENGLISH} "Winamp is running and holds the plug-in open. Close Winamp, then choose Retry."
LangString PlayerRunning ${LANG_RUSSIAN} "Winamp запущен и держит плагин открытым. Закройте Winamp и нажмите «Повтор»."
LangString RemoveSettings ${LANG_ENGLISH} "Also remove my settings"
LangString RemoveSettings ${LANG_RUSSIAN} "Удалить и мои настройки"

; Takes in $0 a folder that may be the player's or its Plugins folder, and
; gives back in $0 the player's folder, or "" where neither holds the player.
Function PlayerFolderOf
    ${If} $0 == ""
        Return
    ${EndIf}
    StrCpy $1 $0 "" -1
    ${If} $1 == "\"
        StrCpy $0 $0 -1
    ${EndIf}
    ${If} ${FileExists} "$0\${PLAYER_PROGRAM}"
        Return
    ${EndIf}
    ${GetFileName} $0 $1
    ${GetParent} $0 $2
    ${If} $1 == "Plugins"
    ${AndIf} ${FileExists} "$2\${PLAYER_PROGRAM}"
        StrCpy $0 $2
        Return
    ${EndIf}
    StrCpy $0 ""
FunctionEnd

; Where the player is: the folder an earlier copy went to, else the folder
; that the player's own installer recorded, else its uninstall entry names,
; else the usual place.
Function FindPlayer
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    Call PlayerFolderOf
    ${If} $0 == ""
        ReadRegStr $0 HKCU "Software\Winamp" ""
        Call PlayerFolderOf
    ${EndIf}
    ${If} $0 == ""
        ; "C:\Program Files\Winamp\UninstWA.exe", with or without quotes
        ReadRegStr $1 HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp" "UninstallString"
        StrCpy $2 $1 1
        ${If} $2 == '"'
            StrCpy $1 $1 "" 1
            StrCpy $1 $1 -1
        ${EndIf}
        ${GetParent} $1 $0
        Call PlayerFolderOf
    ${EndIf}
    ${If} $0 == ""
        StrCpy $0 "$PROGRAMFILES\Winamp"
    ${EndIf}
    StrCpy $INSTDIR $0
FunctionEnd

; Returns once the player is closed. Asked to close it, the user may cancel;
; a silent run waits a little. Either way the run then ends with
; EXIT_PLAYER_RUNNING, before anything is written or removed.
!macro WAIT_FOR_PLAYER un
Function ${un}WaitForPlayerToClose
    StrCpy $1 0
    ${Do}
        FindWindow $0 "${PLAYER_WINDOW}"
        ${If} $0 == 0
            Return
        ${EndIf}
        ${If} ${Silent}
            ${If} $1 >= ${SILENT_WAIT_STEPS}
                SetErrorLevel ${EXIT_PLAYER_RUNNING}
                Quit
            ${EndIf}
            IntOp $1 $1 + 1
            Sleep 250
        ${ElseIf} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PlayerRunning)" IDCANCEL`
            SetErrorLevel ${EXIT_PLAYER_RUNNING}
            Quit
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_PLAYER ""
!insertmacro WAIT_FOR_PLAYER "un."

Function .onInit
    ; /D= on the command line has set the folder already; the player's
    ; Plugins folder there stands for the player's.
    ${If} $INSTDIR == ""
        Call FindPlayer
    ${Else}
        StrCpy $0 $INSTDIR
        Call PlayerFolderOf
        ${If} $0 != ""
            StrCpy $INSTDIR $0
        ${EndIf}
    ${EndIf}
FunctionEnd

; The directory page goes on only to a folder that holds the player.
Function .onVerifyInstDir
    ${IfNot} ${FileExists} "$INSTDIR\${PLAYER_PROGRAM}"
        Abort
    ${EndIf}
FunctionEnd

Section
    ; A silent run skips the directory page's check.
    ${IfNot} ${FileExists} "$INSTDIR\${PLAYER_PROGRAM}"
        SetErrorLevel ${EXIT_NO_PLAYER}
        Quit
    ${EndIf}
    Call WaitForPlayerToClose
    ClearErrors
    SetOutPath "$INSTDIR\Plugins"
    File "/oname=gen_ZEM.dll" "${DLL}"
    File "/oname=gen_ZEM.html" "${HELP}"
    WriteUninstaller "$INSTDIR\Plugins\${UNINSTALLER}"
    ; A file that could not be written, also where the user chose to ignore
    ; it, is no install: no uninstall entry, and an exit code that says so.
    ${If} ${Errors}
        Abort
    ${EndIf}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (Winamp plug-in)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "gen_ZEM developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\Plugins"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Deletes the plug-in's file named $0 beside it and in the per-user
; folders where it may keep its own copy instead.
Function un.DeleteEverywhere
    Delete "$INSTDIR\$0"
    Delete "$APPDATA\Winamp\Plugins\$0"
    ${If} $PlayerSettings != ""
        Delete "$PlayerSettings\Plugins\$0"
    ${EndIf}
FunctionEnd

; Removes what the installer put there and the journal of statuses to give
; back, which is worthless without the plug-in.
Section "-un.Plugin"
    Call un.WaitForPlayerToClose
    Delete "$INSTDIR\gen_ZEM.dll"
    Delete "$INSTDIR\gen_ZEM.html"
    Delete "$INSTDIR\${UNINSTALLER}"
    StrCpy $0 "gen_ZEM.dll.journal"
    Call un.DeleteEverywhere
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The settings are the user's: kept unless asked, so that a new install finds them.
Section /o "un.$(RemoveSettings)" RemoveSettingsSection
    StrCpy $0 "gen_ZEM.dll.ini"
    Call un.DeleteEverywhere
SectionEnd

; The player names its settings folder in paths.ini beside it, "{26}"
; standing for the user's application data. /REMOVESETTINGS ticks the
; removal of the settings for a silent run.
Function un.onInit
    ${GetParent} $INSTDIR $0
    ReadINIStr $PlayerSettings "$0\paths.ini" "Winamp" "inidir"
    StrCpy $1 $PlayerSettings 4
    ${If} $1 == "{26}"
        StrCpy $1 $PlayerSettings "" 4
        StrCpy $PlayerSettings "$APPDATA$1"
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${RemoveSettingsSection}
    ${EndIf}
FunctionEnd
