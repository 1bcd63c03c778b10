; Vantrel's setup program: installs both programs for the current user, without
; administrator rights, makes Vantrel the user's screen saver (keeping the one
; chosen before, which the uninstaller gives back) and adds an entry to the
; user's installed apps. Built by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DVERSION=X.Y.Z -DHOST=<Vantrel.scr> -DRENDERER=<Vantrel.dll>
;            -DTEXTS=<folder with LICENSE.txt, README.txt> -DICON=<.ico> -DOUTFILE=<setup.exe>
;            vantrel.nsi
; Switches: /S silent, /KEEPSAVER keep the current screen saver, /D=<folder> (last).
; Exit codes: 0 done; 1 cancelled; 2 refused or failed, with everything left as it was.

; The programs are x86-64 only; a 64-bit stub also runs under a 64-bit-only Wine.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
; No file times in the setup program, so the same inputs give the same bytes.
SetDateSave off
SetCompressor /SOLID lzma
; A file that cannot be written stops the setup (Retry or Cancel; Cancel when
; silent) instead of being skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define DESKTOP_KEY "Control Panel\Desktop"
!define PUBLISHER "the Vantrel developers"
!define UNINSTALLER "uninstall.exe"
!define SPI_SETSCREENSAVEACTIVE 17
; Written to the user's profile and announced, so an open Screen Saver
; Settings page sees the change.
!define SPIF_UPDATEINIFILE_SENDCHANGE 3
; HKEY_CURRENT_USER as a 64-bit handle, for the registry calls through System.
!define HKCU_HANDLE -2147483647
; RRF_RT_ANY | RRF_NOEXPAND: any type, REG_EXPAND_SZ as stored.
!define RRF_ANY_AS_STORED 0x1000ffff
; ABOUT_URL, the installed-apps entry's web address, comes from the build (-DABOUT_URL=).

Name "Vantrel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
; A newer setup goes where the older one installed.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vantrel ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "Vantrel セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "InternalName" "Vantrel"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1041 "OriginalFilename" "Vantrel-${VERSION}-setup.exe"
VIAddVersionKey /LANG=1041 "ProductName" "Vantrel"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Vantrel Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "InternalName" "Vantrel"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "Vantrel-${VERSION}-setup.exe"
VIAddVersionKey /LANG=1033 "ProductName" "Vantrel"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: the pages' language where the display language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString WelcomeText ${LANG_ENGLISH} "This installs Vantrel ${VERSION}, a screen saver, for you alone: no administrator rights are needed.$\r$\n$\r$\nIt can be removed again under Settings → Apps.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_JAPANESE} "スクリーンセーバー Vantrel ${VERSION} を、いまのユーザーのためにインストールします。管理者の権限は要りません。$\r$\n$\r$\n「設定」→「アプリ」からいつでも削除できます。$\r$\n$\r$\n続けるには「次へ」をクリックしてください。"
LangString ProgramsSection ${LANG_ENGLISH} "Vantrel (the screen saver and its renderer)"
LangString ProgramsSection ${LANG_JAPANESE} "Vantrel (スクリーンセーバーと描画プログラム)"
LangString SaverSection ${LANG_ENGLISH} "Make Vantrel my screen saver"
LangString SaverSection ${LANG_JAPANESE} "Vantrel をスクリーンセーバーにする"
LangString OpenSettings ${LANG_ENGLISH} "Open the Screen Saver Settings"
LangString OpenSettings ${LANG_JAPANESE} "「スクリーンセーバーの設定」を開く"
LangString FolderTaken ${LANG_ENGLISH} "$INSTDIR already holds files of another program. Choose an empty folder."
LangString FolderTaken ${LANG_JAPANESE} "$INSTDIR には別のプログラムのファイルがあります。空のフォルダーを選んでください。"
LangString WriteFailed ${LANG_ENGLISH} "Vantrel could not be written to $INSTDIR or to your settings. Your screen saver and the Apps entry stay as they were."
LangString WriteFailed ${LANG_JAPANESE} "Vantrel を $INSTDIR またはユーザーの設定に書き込めませんでした。スクリーンセーバーと「アプリ」の項目はそのままです。"
LangString StillRunning ${LANG_ENGLISH} "Vantrel in $INSTDIR is still running and could not be ended, so it stays installed. Close the Screen Saver Settings and Vantrel, then try again."
LangString StillRunning ${LANG_JAPANESE} "$INSTDIR の Vantrel が動いていて終了できなかったため、アンインストールしていません。「スクリーンセーバーの設定」と Vantrel を閉じてから、もう一度お試しください。"

; The previous install's folder and whether the setup starts without an
; installed-apps entry, or writes into a folder without Vantrel.scr: what a
; failed setup takes away again.
Var OldDir
Var HadEntry
Var Fresh

; The pages in Japanese where the user's display language is Japanese.
!macro ChooseLanguage
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 0x11
    StrCpy $LANGUAGE ${LANG_JAPANESE}
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

; Functions that the setup and the uninstaller both use; "un." names the
; uninstaller's copy. Those that take registers say which they change.
!macro SharedFunctions un
  ; $0: a path -> the one form in which paths are compared: variables
  ; expanded, full, and with long names where the file exists, so that a short
  ; and a long name of one file compare equal (NSIS ignores case).
  Function ${un}NormalPath
    Push $1
    Push $2
    ExpandEnvStrings $0 $0
    System::Call 'kernel32::GetFullPathNameW(w r0, i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r2'
    ${If} $2 > 0
    ${AndIf} $2 < ${NSIS_MAX_STRLEN}
      StrCpy $0 $1
    ${EndIf}
    System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
    ${If} $2 > 0
    ${AndIf} $2 < ${NSIS_MAX_STRLEN}
      StrCpy $0 $1
    ${EndIf}
    Pop $2
    Pop $1
  FunctionEnd

  ; $0: a folder -> "1" where the user's screen saver is the Vantrel.scr in
  ; it, "0" otherwise. Changes $1.
  Function ${un}IsSaverIn
    StrCpy $0 "$0\Vantrel.scr"
    Call ${un}NormalPath
    StrCpy $1 $0
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    Call ${un}NormalPath
    ${If} $0 != ""
    ${AndIf} $0 == $1
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
  FunctionEnd

  ; $0: a folder. Ends the processes that run its Vantrel.scr or Vantrel.dll
  ; (the preview an open Screen Saver Settings page shows, a saver run and
  ; its renderer, the settings dialog), which hold those files open; none of
  ; them keeps anything to save. Changes $R0 to $R9.
  Function ${un}EndVantrel
    StrCpy $R0 $0
    StrCpy $0 "$R0\Vantrel.scr"
    Call ${un}NormalPath
    StrCpy $R1 $0
    StrCpy $0 "$R0\Vantrel.dll"
    Call ${un}NormalPath
    StrCpy $R2 $0
    System::Alloc 16384
    Pop $R3
    System::Call 'kernel32::K32EnumProcesses(p R3, i 16384, *i 0 R4) i .R5'
    ${If} $R5 = 0
      StrCpy $R4 0
    ${EndIf}
    IntOp $R4 $R4 / 4
    StrCpy $R5 0
    ${While} $R5 < $R4
      IntOp $R6 $R5 * 4
      IntPtrOp $R6 $R3 + $R6
      System::Call '*$R6(i .R7)'
      ; PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
      System::Call 'kernel32::OpenProcess(i 0x101001, i 0, i R7) p .R8'
      ${If} $R8 P<> 0
        System::Call 'kernel32::QueryFullProcessImageNameW(p R8, i 0, w .r0, *i ${NSIS_MAX_STRLEN}) i .R9'
        ${If} $R9 <> 0
          Call ${un}NormalPath
          ${If} $0 == $R1
          ${OrIf} $0 == $R2
            System::Call 'kernel32::TerminateProcess(p R8, i 1)'
            System::Call 'kernel32::WaitForSingleObject(p R8, i 5000)'
          ${EndIf}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p R8)'
      ${EndIf}
      IntOp $R5 $R5 + 1
    ${EndWhile}
    System::Free $R3
    StrCpy $0 $R0
  FunctionEnd

  ; Copies the HKCU value $R1 of key $R0 to the value $R3 of key $R2 with its
  ; type and data as they are; where $R1 is absent, $R3 goes. Sets the error
  ; flag when that fails. Changes $R4 to $R7.
  Function ${un}CopyValue
    System::Call 'advapi32::RegGetValueW(p ${HKCU_HANDLE}, w R0, w R1, i ${RRF_ANY_AS_STORED}, *i 0 R4, p 0, *i 0 R5) i .R6'
    ${If} $R6 <> 0
      System::Call 'advapi32::RegDeleteKeyValueW(p ${HKCU_HANDLE}, w R2, w R3) i .R6'
      ${If} $R6 = 2 ; ERROR_FILE_NOT_FOUND: absent there too
        StrCpy $R6 0
      ${EndIf}
    ${Else}
      System::Alloc $R5
      Pop $R7
      System::Call 'advapi32::RegGetValueW(p ${HKCU_HANDLE}, w R0, w R1, i ${RRF_ANY_AS_STORED}, *i 0 R4, p R7, *i R5 R5) i .R6'
      ${If} $R6 = 0
        System::Call 'advapi32::RegSetKeyValueW(p ${HKCU_HANDLE}, w R2, w R3, i R4, p R7, i R5) i .R6'
      ${EndIf}
      System::Free $R7
    ${EndIf}
    ${If} $R6 <> 0
      SetErrors
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

; $0: the host's path -> the form to put in SCRNSAVE.EXE. Windows starts the
; screen saver from that value without quotes, so a path with blanks goes in
; its short form (the long one stays where the volume makes no short names).
Function SaverPath
  Push $1
  Push $2
  StrCpy $2 0
  ${Do}
    StrCpy $1 $0 1 $2
    ${If} $1 == " "
      GetFullPathName /SHORT $1 $0
      ${If} $1 != ""
        StrCpy $0 $1
      ${EndIf}
      ${Break}
    ${EndIf}
    IntOp $2 $2 + 1
  ${LoopUntil} $1 == ""
  Pop $2
  Pop $1
FunctionEnd

; $0: "1" or "0"; tells the running session and writes ScreenSaveActive (as
; text), so the values written after it must come after it.
!macro TellScreenSaverActive
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
!macroend

; A value of the user's screen-saver choice, kept in the installed-apps entry
; as "Previous <name>" with its type; absent there when it was absent.
!macro KeepDesktopValue name
  StrCpy $R0 "${DESKTOP_KEY}"
  StrCpy $R1 "${name}"
  StrCpy $R2 "${UNINSTALL_KEY}"
  StrCpy $R3 "Previous ${name}"
  Call CopyValue
!macroend

!macro GiveBackDesktopValue name
  StrCpy $R0 "${UNINSTALL_KEY}"
  StrCpy $R1 "Previous ${name}"
  StrCpy $R2 "${DESKTOP_KEY}"
  StrCpy $R3 "${name}"
  Call un.CopyValue
!macroend

; $R0: a desktop value's name -> $R2: its registry type now, REG_SZ where it
; is absent. Changes $R3.
Function DesktopValueType
  System::Call 'advapi32::RegGetValueW(p ${HKCU_HANDLE}, w "${DESKTOP_KEY}", w R0, i ${RRF_ANY_AS_STORED}, *i 0 R2, p 0, p 0) i .R3'
  ${If} $R3 <> 0
    StrCpy $R2 1
  ${EndIf}
FunctionEnd

; Writes the desktop value $R0 as the text $R1 in the type $R2 (a number stays
; a number, an expandable text expandable).
Function WriteDesktopValue
  ${If} $R2 = 4 ; REG_DWORD
    WriteRegDWORD HKCU "${DESKTOP_KEY}" $R0 $R1
  ${ElseIf} $R2 = 2 ; REG_EXPAND_SZ
    WriteRegExpandStr HKCU "${DESKTOP_KEY}" $R0 $R1
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" $R0 $R1
  ${EndIf}
FunctionEnd

; Makes $INSTDIR's Vantrel the user's screen saver, each value in the type
; it had. SCRNSAVE.EXE is in place before the session hears of it, which
; writes ScreenSaveActive as text; so that one is written again after.
; Sets the error flag when a value could not be written.
Function MakeVantrelTheSaver
  StrCpy $R0 "ScreenSaveActive"
  Call DesktopValueType
  Push $R2
  StrCpy $R0 "SCRNSAVE.EXE"
  Call DesktopValueType
  StrCpy $0 "$INSTDIR\Vantrel.scr"
  Call SaverPath
  StrCpy $R1 $0
  Call WriteDesktopValue
  StrCpy $0 1
  !insertmacro TellScreenSaverActive
  StrCpy $R0 "ScreenSaveActive"
  StrCpy $R1 1
  Pop $R2
  Call WriteDesktopValue
FunctionEnd

; $0 -> "1" where $INSTDIR can take Vantrel: it does not exist, is empty, or
; holds only Vantrel's files, its host or uninstaller among them. Changes $1 to $4.
Function FolderIsFree
  StrCpy $0 1
  StrCpy $3 0 ; Vantrel's host or uninstaller seen
  StrCpy $4 0 ; other files of Vantrel seen
  FindFirst $1 $2 "$INSTDIR\*"
  ${DoWhile} $2 != ""
    ${Switch} $2
      ${Case} "."
      ${Case} ".."
        ${Break}
      ${Case} "Vantrel.scr"
      ${Case} "${UNINSTALLER}"
        StrCpy $3 1
        ${Break}
      ${Case} "Vantrel.dll"
      ${Case} "Vantrel.ini"
      ${Case} "LICENSE.txt"
      ${Case} "README.txt"
        StrCpy $4 1
        ${Break}
      ${Default}
        StrCpy $0 0
    ${EndSwitch}
    FindNext $1 $2
  ${Loop}
  FindClose $1
  ClearErrors
  ${If} $4 = 1
  ${AndIf} $3 = 0
    StrCpy $0 0
  ${EndIf}
FunctionEnd

; A folder that holds other files gets a Vantrel folder inside it; $0 -> "0"
; where that one is taken too.
Function ChooseFolder
  Call FolderIsFree
  ${If} $0 = 0
    StrCpy $INSTDIR "$INSTDIR\Vantrel"
    Call FolderIsFree
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call ChooseFolder
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderTaken)"
    Abort
  ${EndIf}
FunctionEnd

; Stops the setup: says why (not when silent) and exits with 2.
!macro Fail text
  MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

Function un.onInit
  !insertmacro ChooseLanguage
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "$(ProgramsSection)" SecPrograms
  SectionIn RO
  Call ChooseFolder
  ${If} $0 = 0
    !insertmacro Fail "$(FolderTaken)"
  ${EndIf}
  ${IfNot} ${FileExists} "$INSTDIR\Vantrel.scr"
    StrCpy $Fresh 1
  ${EndIf}
  ; A running Vantrel holds its files open, here and in the install before.
  StrCpy $0 $INSTDIR
  Call EndVantrel
  ${If} $OldDir != ""
    StrCpy $0 $OldDir
    Call EndVantrel
  ${EndIf}
  SetOutPath "$INSTDIR"
  ; Over an older install the programs are replaced; Vantrel.ini stays. A
  ; file that cannot be written offers Retry and Cancel.
  File "/oname=Vantrel.scr" "${HOST}"
  File "/oname=Vantrel.dll" "${RENDERER}"
  File "${TEXTS}/LICENSE.txt"
  File "${TEXTS}/README.txt"
  ; The settings come along from the install before, in another folder.
  ${IfNot} ${FileExists} "$INSTDIR\Vantrel.ini"
  ${AndIf} $OldDir != ""
  ${AndIf} ${FileExists} "$OldDir\Vantrel.ini"
    CopyFiles /SILENT "$OldDir\Vantrel.ini" "$INSTDIR"
  ${EndIf}
  retry:
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$(WriteFailed)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort
  ${EndIf}
SectionEnd

; Before the screen saver changes: where the entry cannot be written, the
; user's choice stays as it was.
Section "-InstalledAppsEntry"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetTime} "" "L" $3 $4 $5 $6 $7 $8 $9
  ClearErrors
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${ABOUT_URL}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallDate" "$5$4$3"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.scr"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} ${Errors}
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
SectionEnd

; $0 -> "1" where the user's screen saver is a Vantrel this setup knows: the
; one in $INSTDIR or the one of the install before. Changes $1.
Function SaverIsVantrel
  StrCpy $0 $INSTDIR
  Call IsSaverIn
  ${If} $0 = 0
  ${AndIf} $OldDir != ""
    StrCpy $0 $OldDir
    Call IsSaverIn
  ${EndIf}
FunctionEnd

Section "$(SaverSection)" SecSaver
  ; Keep the choice this replaces, unless it is a Vantrel already (the setup
  ; run again, here or into another folder): then the one kept the first
  ; time stays.
  Call SaverIsVantrel
  ClearErrors
  ${If} $0 = 0
    !insertmacro KeepDesktopValue "SCRNSAVE.EXE"
    !insertmacro KeepDesktopValue "ScreenSaveActive"
  ${EndIf}
  ${IfNot} ${Errors}
    Call MakeVantrelTheSaver
  ${EndIf}
  ${If} ${Errors}
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
SectionEnd

; The install before, in another folder, goes: Vantrel's files by name, the
; folder only when empty. A screen saver still pointing there (/KEEPSAVER)
; now points here.
Section "-LeaveOldFolder"
  ${If} $OldDir == ""
    Return
  ${EndIf}
  StrCpy $0 $OldDir
  Call NormalPath
  StrCpy $1 $0
  StrCpy $0 $INSTDIR
  Call NormalPath
  ${If} $0 == $1
    Return
  ${EndIf}
  StrCpy $0 $OldDir
  Call IsSaverIn
  ${If} $0 = 1
    Call MakeVantrelTheSaver
  ${EndIf}
  Delete "$OldDir\Vantrel.scr"
  Delete "$OldDir\Vantrel.dll"
  Delete "$OldDir\Vantrel.ini"
  Delete "$OldDir\LICENSE.txt"
  Delete "$OldDir\README.txt"
  Delete "$OldDir\${UNINSTALLER}"
  RMDir "$OldDir"
SectionEnd

; After the sections: it clears the check box by its section's index.
Function .onInit
  !insertmacro ChooseLanguage
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/KEEPSAVER" $2
  ${IfNot} ${Errors}
    SectionSetFlags ${SecSaver} 0
  ${EndIf}
  StrCpy $Fresh 0
  ReadRegStr $OldDir HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $HadEntry HKCU "${UNINSTALL_KEY}" "DisplayName"
FunctionEnd

; A setup that stops takes back the folder and the entry it began.
Function .onInstFailed
  ${If} $Fresh = 1
    Delete "$INSTDIR\Vantrel.scr"
    Delete "$INSTDIR\Vantrel.dll"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
  ${EndIf}
  ${If} $HadEntry == ""
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
FunctionEnd

; The choice kept at setup comes back (or none). The session hears of it
; before the values are written, so their kept types stay.
Function un.GiveBackScreenSaver
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "Previous ScreenSaveActive"
  ${If} $0 == ""
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "Previous SCRNSAVE.EXE"
    ${If} $0 == ""
      StrCpy $0 0
    ${Else}
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
  !insertmacro GiveBackDesktopValue "SCRNSAVE.EXE"
  !insertmacro TellScreenSaverActive
  !insertmacro GiveBackDesktopValue "ScreenSaveActive"
FunctionEnd

Var SaverIsThis

Section "Uninstall"
  ; A running Vantrel holds its files open: end it first.
  StrCpy $0 $INSTDIR
  Call un.EndVantrel
  ; Decided while the host is there, so its short and long names compare alike.
  StrCpy $0 $INSTDIR
  Call un.IsSaverIn
  StrCpy $SaverIsThis $0
  ; Never the entry or the uninstaller while a program stays; the host
  ; first, so that where it stays nothing is gone.
  Delete "$INSTDIR\Vantrel.scr"
  ${If} ${FileExists} "$INSTDIR\Vantrel.scr"
    !insertmacro Fail "$(StillRunning)"
  ${EndIf}
  Delete "$INSTDIR\Vantrel.dll"
  ${If} ${FileExists} "$INSTDIR\Vantrel.dll"
    !insertmacro Fail "$(StillRunning)"
  ${EndIf}
  ${If} $SaverIsThis = 1
    Call un.GiveBackScreenSaver
  ${EndIf}
  Delete "$INSTDIR\Vantrel.ini"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only what the setup put there, the folder only when empty.
  RMDir "$INSTDIR"
  ; The user's own folders: the texture copies with their temporary files,
  ; the settings; each folder only when nothing else is in it.
  Delete "$LOCALAPPDATA\Vantrel\Yarrin1.bmp"
  Delete "$LOCALAPPDATA\Vantrel\Yarrin2.bmp"
  Delete "$LOCALAPPDATA\Vantrel\Yarrin1.bmp.tmp"
  Delete "$LOCALAPPDATA\Vantrel\Yarrin2.bmp.tmp"
  RMDir "$LOCALAPPDATA\Vantrel"
  Delete "$APPDATA\Vantrel\Vantrel.ini"
  RMDir "$APPDATA\Vantrel"
  ; Where the user may write to C:\ the runs put the textures there. Every
  ; saver run writes them again, so another install loses nothing.
  Delete "C:\Yarrin1.bmp"
  Delete "C:\Yarrin2.bmp"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
