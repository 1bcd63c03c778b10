; Vantrel's setup program: installs both programs for the current user, without
; administrator rights, makes Vantrel the user's screen saver (keeping the one
; chosen before, which the uninstaller gives back) and adds an entry to the
; user's installed apps. A setup that stops takes back all it did; the
; uninstaller removes both programs or neither. Built by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DVERSION=X.Y.Z -DHOST=<Vantrel.scr> -DRENDERER=<Vantrel.dll>
;            -DTEXTS=<folder with LICENSE.txt, README.txt> -DICON=<.ico> -DOUTFILE=<setup.exe>
;            vantrel.nsi
; Switches: /S silent, /KEEPSAVER keep the current screen saver, /D=<folder> (last).
; Exit codes: 0 done; 1 cancelled; 2 refused or failed, with everything left as it was.
; The uninstaller runs in place (the entry's strings end in _?=<folder>), so its
; exit code is the outcome (same codes); it removes its own file once it has ended.

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
; Values here fix the user's screen saver; the setup then leaves it alone.
!define POLICY_KEY "Software\Policies\Microsoft\Windows\Control Panel\Desktop"
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
; CreateFileW, SetFileInformationByHandle
!define DELETE_ACCESS 0x10000
!define OPEN_EXISTING 3
!define FILE_DISPOSITION_INFO 4
!define ERROR_FILE_NOT_FOUND 2
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
; Where a policy kept Vantrel from being made the screen saver, the last
; page says so.
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
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
LangString StillRunning ${LANG_ENGLISH} "Vantrel in $INSTDIR is in use and could not be removed, so it stays installed as it was. Close the Screen Saver Settings and Vantrel, then try again."
LangString StillRunning ${LANG_JAPANESE} "$INSTDIR の Vantrel が使用中で削除できなかったため、インストールされたままです。「スクリーンセーバーの設定」と Vantrel を閉じてから、もう一度お試しください。"
LangString NotTheInstall ${LANG_ENGLISH} "This uninstaller does not belong to the installed Vantrel (see Settings → Apps), so it removes nothing."
LangString NotTheInstall ${LANG_JAPANESE} "このアンインストーラーはインストールされている Vantrel のものではないため、何も削除しません (「設定」→「アプリ」をご覧ください)。"
LangString PolicyNote ${LANG_ENGLISH} "Vantrel has been installed.$\r$\n$\r$\nYour organisation's policy chooses the screen saver, so Vantrel was not made your screen saver."
LangString PolicyNote ${LANG_JAPANESE} "Vantrel をインストールしました。$\r$\n$\r$\nスクリーンセーバーは組織のポリシーで決められているため、Vantrel をスクリーンセーバーにしていません。"

; What the setup found and did, which a setup that stops takes back: the
; previous install's folder, whether an entry was there, the topmost folder it
; made, whether the files began to change places and Vantrel.ini was copied,
; and whether the values it changes were remembered.
Var OldDir
Var HadEntry
Var MadeTop
Var Staged
Var CopiedIni
Var Remembered
; "1" where a policy fixes the screen saver; "1" where it kept the setup
; from making Vantrel the screen saver.
Var PolicyFixed
Var PolicyKept

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

; The files the setup puts in the install folder, each by the macro m.
!macro ForEachFile m
  !insertmacro ${m} "Vantrel.scr"
  !insertmacro ${m} "Vantrel.dll"
  !insertmacro ${m} "LICENSE.txt"
  !insertmacro ${m} "README.txt"
  !insertmacro ${m} "${UNINSTALLER}"
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
  ; it, "0" otherwise. The folders are compared, not the files: the host may
  ; be gone already. Changes $1 and $2.
  Function ${un}IsSaverIn
    Call ${un}NormalPath
    StrCpy $1 $0
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${GetFileName} $0 $2
    ${GetParent} $0 $0
    Call ${un}NormalPath
    ${If} $0 != ""
    ${AndIf} $0 == $1
    ${AndIf} $2 == "Vantrel.scr"
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
  FunctionEnd

  ; One pass over the processes: ends those that run $R1 or $R2. $R0 -> how
  ; many it ended. Changes $0 and $R3 to $R9.
  Function ${un}EndVantrelPass
    StrCpy $R0 0
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
            ; Only a process that was ended counts: one that cannot be
            ; would keep the passes going to the end.
            System::Call 'kernel32::TerminateProcess(p R8, i 1) i .R9'
            ${If} $R9 <> 0
              System::Call 'kernel32::WaitForSingleObject(p R8, i 5000)'
              IntOp $R0 $R0 + 1
            ${EndIf}
          ${EndIf}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p R8)'
      ${EndIf}
      IntOp $R5 $R5 + 1
    ${EndWhile}
    System::Free $R3
  FunctionEnd

  ; $0: a folder. Ends the processes that run its Vantrel.scr or Vantrel.dll
  ; (the preview an open Screen Saver Settings page shows, a saver run and
  ; its renderer, the settings dialog), which hold those files open; none of
  ; them keeps anything to save. Passes until one finds none, so that a
  ; renderer a saver run started meanwhile goes too. Changes $R0 to $R9.
  Function ${un}EndVantrel
    Push $0
    Call ${un}NormalPath
    StrCpy $R1 "$0\Vantrel.scr"
    StrCpy $R2 "$0\Vantrel.dll"
    ${For} $R9 1 10
      Push $R9
      Call ${un}EndVantrelPass
      Pop $R9
      ${If} $R0 = 0
        ${Break}
      ${EndIf}
    ${Next}
    Pop $0
  FunctionEnd

  ; Copies the HKCU value $R1 of key $R0 to the value $R3 of key $R2 with its
  ; type and data as they are; where $R1 is absent, $R3 goes. Sets the error
  ; flag when that fails. Changes $R4 to $R7.
  Function ${un}CopyValue
    System::Call 'advapi32::RegGetValueW(p ${HKCU_HANDLE}, w R0, w R1, i ${RRF_ANY_AS_STORED}, *i 0 R4, p 0, *i 0 R5) i .R6'
    ${If} $R6 <> 0
      System::Call 'advapi32::RegDeleteKeyValueW(p ${HKCU_HANDLE}, w R2, w R3) i .R6'
      ${If} $R6 = ${ERROR_FILE_NOT_FOUND} ; absent there too
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

  ; $9: "Previous" or "Undo". The screen-saver choice kept in the entry under
  ; that word comes back (or none). The session hears of it before the values
  ; are written, so their kept types stay.
  Function ${un}GiveBackScreenSaver
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "$9 ScreenSaveActive"
    ${If} $0 == ""
      ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "$9 SCRNSAVE.EXE"
      ${If} $0 == ""
        StrCpy $0 0
      ${Else}
        StrCpy $0 1
      ${EndIf}
    ${EndIf}
    !insertmacro GiveBackDesktopValue ${un}CopyValue "SCRNSAVE.EXE"
    !insertmacro TellScreenSaverActive
    !insertmacro GiveBackDesktopValue ${un}CopyValue "ScreenSaveActive"
  FunctionEnd
!macroend

; $0: "1" or "0"; tells the running session and writes ScreenSaveActive (as
; text), so the values written after it must come after it.
!macro TellScreenSaverActive
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
!macroend

; The HKCU value "name" of key, kept in the installed-apps entry as
; "<word> name" with its type; absent there when it was absent.
!macro KeepValue key name word
  StrCpy $R0 "${key}"
  StrCpy $R1 "${name}"
  StrCpy $R2 "${UNINSTALL_KEY}"
  StrCpy $R3 "${word} ${name}"
  Call CopyValue
!macroend

; The desktop value kept as "$9 name" comes back, by the copying function
; copy (the setup's or the uninstaller's).
!macro GiveBackDesktopValue copy name
  StrCpy $R0 "${UNINSTALL_KEY}"
  StrCpy $R1 "$9 ${name}"
  StrCpy $R2 "${DESKTOP_KEY}"
  StrCpy $R3 "${name}"
  Call ${copy}
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
      ClearErrors
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

; SCRNSAVE.EXE names $INSTDIR's Vantrel.scr, in the type it had.
Function NameVantrelTheSaver
  StrCpy $R0 "SCRNSAVE.EXE"
  Call DesktopValueType
  StrCpy $0 "$INSTDIR\Vantrel.scr"
  Call SaverPath
  StrCpy $R1 $0
  Call WriteDesktopValue
FunctionEnd

; Makes $INSTDIR's Vantrel the user's screen saver, each value in the type
; it had. SCRNSAVE.EXE is in place before the session hears of it, which
; writes ScreenSaveActive as text; so that one is written again after.
; Sets the error flag when a value could not be written.
Function MakeVantrelTheSaver
  StrCpy $R0 "ScreenSaveActive"
  Call DesktopValueType
  Push $R2
  Call NameVantrelTheSaver
  StrCpy $0 1
  !insertmacro TellScreenSaverActive
  StrCpy $R0 "ScreenSaveActive"
  StrCpy $R1 1
  Pop $R2
  Call WriteDesktopValue
FunctionEnd

; $0 -> "1" where $INSTDIR can take Vantrel: it does not exist or is empty,
; it is the folder the installed-apps entry names, or it holds Vantrel.scr
; and only Vantrel's files. Names many programs use (uninstall.exe,
; README.txt) do not make a folder Vantrel's. Changes $1 to $4.
Function FolderIsFree
  StrCpy $0 $OldDir
  Call NormalPath
  StrCpy $4 $0
  StrCpy $0 $INSTDIR
  Call NormalPath
  ${If} $4 != ""
  ${AndIf} $0 == $4
    StrCpy $0 1
    Return
  ${EndIf}
  StrCpy $0 1
  StrCpy $3 0 ; Vantrel's host seen
  StrCpy $4 0 ; other names of Vantrel's files seen
  FindFirst $1 $2 "$INSTDIR\*"
  ${DoWhile} $2 != ""
    ${Switch} $2
      ${Case} "."
      ${Case} ".."
        ${Break}
      ${Case} "Vantrel.scr"
        StrCpy $3 1
        ${Break}
      ${Case} "Vantrel.dll"
      ${Case} "Vantrel.ini"
      ${Case} "LICENSE.txt"
      ${Case} "README.txt"
      ${Case} "${UNINSTALLER}"
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

; A folder that is not Vantrel's gets a Vantrel folder inside it; $0 -> "0"
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

; Stops the setup or the uninstaller: says why (not when silent) and exits with 2.
!macro Fail text
  MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

Function FinishShow
  ${If} $PolicyKept = 1
    SendMessage $mui.FinishPage.Text ${WM_SETTEXT} 0 "STR:$(PolicyNote)"
  ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; $INSTDIR's folders that do not exist yet, up to $MadeTop: what a failed
; setup removes again.
Function NoteFoldersToMake
  StrCpy $MadeTop ""
  StrCpy $0 $INSTDIR
  ${DoUntil} ${FileExists} "$0\*.*"
    StrCpy $MadeTop $0
    ${GetParent} $0 $0
    ${If} $0 == ""
      ${Break}
    ${EndIf}
  ${Loop}
FunctionEnd

; $0, $1: two files -> "1" where both hold the same bytes. Changes $2 to $6.
Function SameFiles
  StrCpy $6 0
  FileOpen $2 $0 r
  FileOpen $3 $1 r
  ${If} $2 != ""
  ${AndIf} $3 != ""
    StrCpy $6 1
    ${Do}
      FileReadByte $2 $4
      ${If} ${Errors}
        FileReadByte $3 $5
        ${IfNot} ${Errors}
          StrCpy $6 0
        ${EndIf}
        ${Break}
      ${EndIf}
      FileReadByte $3 $5
      ${If} $4 != $5
        StrCpy $6 0
        ${Break}
      ${EndIf}
    ${Loop}
  ${EndIf}
  FileClose $2
  FileClose $3
  ClearErrors
  StrCpy $0 $6
FunctionEnd

; The new files go in beside the old ones as "<name>.new" ...
!macro StageFile name
  File "/oname=${name}.new" "${SOURCE_${name}}"
!macroend

; ... and then in place, the old ones kept as "<name>.old" until the setup
; has done all. $0: "1", "0" once one failed, which skips the rest.
!macro PutInPlace name
  ${If} $0 = 1
    ClearErrors
    ${If} ${FileExists} "$INSTDIR\${name}"
      Rename "$INSTDIR\${name}" "$INSTDIR\${name}.old"
    ${EndIf}
    ${IfNot} ${Errors}
      Rename "$INSTDIR\${name}.new" "$INSTDIR\${name}"
    ${EndIf}
    ${If} ${Errors}
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
!macroend

; $0 -> "0" where an old copy of an earlier upgrade would not go.
!macro NoOldFile name
  ${If} ${FileExists} "$INSTDIR\${name}.old"
    StrCpy $0 0
  ${EndIf}
!macroend

; A failed setup: once the files began to change places ($Staged "2"), one
; in place gives way to the old one, or goes where there was none; the new
; ones not yet in place go. One in place moves aside to "<name>.new" first:
; a program still running from it can be renamed, not deleted.
!macro TakeBackFile name
  ${If} $Staged = 2
    ${If} ${FileExists} "$INSTDIR\${name}.old"
      Rename "$INSTDIR\${name}" "$INSTDIR\${name}.new"
      Rename "$INSTDIR\${name}.old" "$INSTDIR\${name}"
    ${ElseIfNot} ${FileExists} "$INSTDIR\${name}.new"
      Rename "$INSTDIR\${name}" "$INSTDIR\${name}.new"
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\${name}.new"
!macroend

!macro DropOldFile name
  Delete "$INSTDIR\${name}.old"
!macroend

!define SOURCE_Vantrel.scr "${HOST}"
!define SOURCE_Vantrel.dll "${RENDERER}"
!define SOURCE_LICENSE.txt "${TEXTS}/LICENSE.txt"
!define SOURCE_README.txt "${TEXTS}/README.txt"

; An upgrade in place is all or nothing: every file is written beside the old
; one first, and only then do they change places.
Section "$(ProgramsSection)" SecPrograms
  SectionIn RO
  Call ChooseFolder
  ${If} $0 = 0
    !insertmacro Fail "$(FolderTaken)"
  ${EndIf}
  ; A running Vantrel holds its files open, here and in the install before.
  StrCpy $0 $INSTDIR
  Call EndVantrel
  ${If} $OldDir != ""
    StrCpy $0 $OldDir
    Call EndVantrel
  ${EndIf}
  Call NoteFoldersToMake
  SetOutPath "$INSTDIR"
  ; A file that cannot be written offers Retry and Cancel.
  !insertmacro StageFile "Vantrel.scr"
  !insertmacro StageFile "Vantrel.dll"
  !insertmacro StageFile "LICENSE.txt"
  !insertmacro StageFile "README.txt"
  retry:
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}.new"
  ${If} ${Errors}
    MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$(WriteFailed)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort
  ${EndIf}
  ; The settings come along from the install before, in another folder; the
  ; old copy goes only once this one is known to be whole.
  ${IfNot} ${FileExists} "$INSTDIR\Vantrel.ini"
  ${AndIf} $OldDir != ""
  ${AndIf} ${FileExists} "$OldDir\Vantrel.ini"
    StrCpy $CopiedIni 1
    CopyFiles /SILENT "$OldDir\Vantrel.ini" "$INSTDIR"
    StrCpy $0 "$OldDir\Vantrel.ini"
    StrCpy $1 "$INSTDIR\Vantrel.ini"
    Call SameFiles
    ${If} $0 = 0
      !insertmacro Fail "$(WriteFailed)"
    ${EndIf}
  ${EndIf}
  !insertmacro ForEachFile DropOldFile
  StrCpy $0 1
  !insertmacro ForEachFile NoOldFile
  ${If} $0 = 1
    StrCpy $Staged 2
    !insertmacro ForEachFile PutInPlace
  ${EndIf}
  ${If} $0 = 0
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
SectionEnd

; The values the setup changes, and which a failed setup gives back, kept in
; the entry as "Undo <name>"; "1" in $Remembered once all are kept.
!macro ForEachEntryValue m
  !insertmacro ${m} "DisplayName"
  !insertmacro ${m} "DisplayVersion"
  !insertmacro ${m} "Publisher"
  !insertmacro ${m} "URLInfoAbout"
  !insertmacro ${m} "InstallDate"
  !insertmacro ${m} "DisplayIcon"
  !insertmacro ${m} "InstallLocation"
  !insertmacro ${m} "UninstallString"
  !insertmacro ${m} "QuietUninstallString"
  !insertmacro ${m} "EstimatedSize"
  !insertmacro ${m} "NoModify"
  !insertmacro ${m} "NoRepair"
  !insertmacro ${m} "Previous SCRNSAVE.EXE"
  !insertmacro ${m} "Previous ScreenSaveActive"
!macroend

!macro RememberEntryValue name
  !insertmacro KeepValue "${UNINSTALL_KEY}" "${name}" "Undo"
!macroend

!macro GiveBackEntryValue name
  StrCpy $R0 "${UNINSTALL_KEY}"
  StrCpy $R1 "Undo ${name}"
  StrCpy $R2 "${UNINSTALL_KEY}"
  StrCpy $R3 "${name}"
  Call CopyValue
!macroend

!macro DropUndoValue name
  DeleteRegValue HKCU "${UNINSTALL_KEY}" "Undo ${name}"
!macroend

Section "-Remember"
  ClearErrors
  !insertmacro KeepValue "${DESKTOP_KEY}" "SCRNSAVE.EXE" "Undo"
  !insertmacro KeepValue "${DESKTOP_KEY}" "ScreenSaveActive" "Undo"
  !insertmacro ForEachEntryValue RememberEntryValue
  ${If} ${Errors}
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
  StrCpy $Remembered 1
SectionEnd

; Before the screen saver changes, so that the entry keeps the choice it replaces.
Section "-InstalledAppsEntry"
  ${GetTime} "" "L" $3 $4 $5 $6 $7 $8 $9
  ClearErrors
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${ABOUT_URL}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallDate" "$5$4$3"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.scr"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; In place (_?=, which must come last), so that the caller waits for the
  ; outcome and no copy of the uninstaller stays in %TEMP%.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} ${Errors}
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
SectionEnd

; $0 -> "1" where the user's screen saver is a Vantrel this setup knows: the
; one in $INSTDIR or the one of the install before. Changes $1 and $2.
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
  ${If} $PolicyFixed = 1
    StrCpy $PolicyKept 1
    Return
  ${EndIf}
  ; Keep the choice this replaces, unless it is a Vantrel already (the setup
  ; run again, here or into another folder): then the one kept the first
  ; time stays.
  Call SaverIsVantrel
  ClearErrors
  ${If} $0 = 0
    !insertmacro KeepValue "${DESKTOP_KEY}" "SCRNSAVE.EXE" "Previous"
    !insertmacro KeepValue "${DESKTOP_KEY}" "ScreenSaveActive" "Previous"
  ${EndIf}
  ${If} ${Errors}
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
  Call MakeVantrelTheSaver
  ${If} ${Errors}
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
SectionEnd

; Nothing after this can fail (the size is only shown). The old files of an upgrade go; the install
; before, in another folder, goes: a screen saver still naming it
; (/KEEPSAVER, or a policy) now names this one, on or off as it was; its files by name,
; the names many programs use only where its Vantrel.scr shows the folder is
; Vantrel's; the folder only when empty.
Section "-Finish"
  !insertmacro ForEachFile DropOldFile
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  !insertmacro ForEachEntryValue DropUndoValue
  !insertmacro DropUndoValue "SCRNSAVE.EXE"
  !insertmacro DropUndoValue "ScreenSaveActive"
  StrCpy $0 $OldDir
  Call NormalPath
  StrCpy $1 $0
  StrCpy $0 $INSTDIR
  Call NormalPath
  ${If} $OldDir == ""
  ${OrIf} $0 == $1
    Return
  ${EndIf}
  StrCpy $0 $OldDir
  Call IsSaverIn
  ${If} $0 = 1
    Call NameVantrelTheSaver
  ${EndIf}
  ${If} ${FileExists} "$OldDir\Vantrel.scr"
    Delete "$OldDir\Vantrel.scr"
    Delete "$OldDir\Vantrel.ini"
    Delete "$OldDir\LICENSE.txt"
    Delete "$OldDir\README.txt"
    Delete "$OldDir\${UNINSTALLER}"
  ${EndIf}
  Delete "$OldDir\Vantrel.dll"
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
  StrCpy $Staged 0
  StrCpy $CopiedIni 0
  StrCpy $Remembered 0
  ReadRegStr $OldDir HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $HadEntry HKCU "${UNINSTALL_KEY}" "DisplayName"
  ReadRegStr $0 HKCU "${POLICY_KEY}" "SCRNSAVE.EXE"
  ReadRegStr $1 HKCU "${POLICY_KEY}" "ScreenSaveActive"
  StrCpy $PolicyFixed 0
  StrCpy $PolicyKept 0
  ${If} "$0$1" != ""
    StrCpy $PolicyFixed 1
  ${EndIf}
FunctionEnd

; A setup that stops takes back all it did: the values it changed, the files
; and the settings it put in place, the folders it made.
Function .onInstFailed
  ; Once the new files are in place, a Vantrel started from them (the Screen
  ; Saver Settings page's preview) holds them open.
  ${If} $Staged = 2
    StrCpy $0 $INSTDIR
    Call EndVantrel
  ${EndIf}
  ${If} $Remembered = 1
    StrCpy $9 "Undo"
    Call GiveBackScreenSaver
    !insertmacro ForEachEntryValue GiveBackEntryValue
  ${EndIf}
  ${If} $HadEntry == ""
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${Else}
    !insertmacro ForEachEntryValue DropUndoValue
    !insertmacro DropUndoValue "SCRNSAVE.EXE"
    !insertmacro DropUndoValue "ScreenSaveActive"
  ${EndIf}
  !insertmacro ForEachFile TakeBackFile
  ${If} $CopiedIni = 1
    Delete "$INSTDIR\Vantrel.ini"
  ${EndIf}
  ; The setup's working folder holds $INSTDIR open.
  SetOutPath "$TEMP"
  ${If} $MadeTop != ""
    StrCpy $0 $INSTDIR
    ${Do}
      RMDir $0
      ${If} $0 == $MadeTop
        ${Break}
      ${EndIf}
      ${GetParent} $0 $0
    ${Loop}
  ${EndIf}
FunctionEnd

; Whether the uninstaller runs in place (from the entry's strings) or as the
; copy in %TEMP% that it hands over to when run without _?=; and whether it
; has removed Vantrel.
Var InPlace
Var Removed

; The uninstaller's own file, and then its folder where empty, go once it has
; ended: a running program's file cannot be deleted. A hidden command
; processor tries once a second for a minute.
Function un.RemoveSelfLater
  ${If} $Removed = 2
    Return
  ${EndIf}
  StrCpy $Removed 2
  SetOutPath "$TEMP"
  ExecShell "open" "$SYSDIR\cmd.exe" '/d /q /c for /l %i in (1,1,60) do (del /f /q "$EXEPATH" 2>nul & if not exist "$EXEPATH" (rd "$EXEDIR" 2>nul & exit) else ping -n 2 127.0.0.1 >nul )' SW_HIDE
FunctionEnd

Function un.onInit
  !insertmacro ChooseLanguage
  StrCpy $Removed 0
  ; "UninstallString /S": whatever follows _?= reaches here as part of the
  ; folder, without the "/" (no path holds one); a folder that does exist
  ; is taken as it is.
  StrCpy $0 $INSTDIR "" -2
  ${If} $0 == " S"
  ${AndIfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $INSTDIR $INSTDIR -2
    SetSilent silent
  ${EndIf}
  ; In place where it runs from the folder it removes, whatever its file's
  ; name; the copy in %TEMP% runs from elsewhere.
  StrCpy $0 $EXEDIR
  Call un.NormalPath
  StrCpy $1 $0
  StrCpy $0 $INSTDIR
  Call un.NormalPath
  StrCpy $InPlace 0
  ${If} $0 == $1
    StrCpy $InPlace 1
    StrCpy $INSTDIR $EXEDIR
  ${EndIf}
  ; Only the install the entry names: a copy elsewhere removes nothing.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  Call un.NormalPath
  StrCpy $1 $0
  StrCpy $0 $INSTDIR
  Call un.NormalPath
  ${If} $1 == ""
  ${OrIf} $0 != $1
    MessageBox MB_OK|MB_ICONSTOP "$(NotTheInstall)" /SD IDOK
    ${If} $InPlace = 0
      Call un.RemoveSelfLater
    ${EndIf}
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function un.onUninstSuccess
  StrCpy $Removed 1
  ${If} ${Silent}
    Call un.RemoveSelfLater
  ${EndIf}
FunctionEnd

Function un.onUninstFailed
  ${If} ${Silent}
  ${AndIf} $InPlace = 0
    Call un.RemoveSelfLater
  ${EndIf}
FunctionEnd

Function un.onGUIEnd
  ${If} $Removed = 1
  ${OrIf} $InPlace = 0
    Call un.RemoveSelfLater
  ${EndIf}
FunctionEnd

; Deletes $INSTDIR's Vantrel.scr and Vantrel.dll, both or neither: each is
; opened for deletion with no sharing, so that nothing starts it meanwhile,
; and marked; where one cannot be, the marks are taken off again. A file
; already gone counts as deleted. $0 -> "1" when both are gone. Changes $1 to $4.
Function un.DeletePrograms
  StrCpy $0 1
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\Vantrel.scr", i ${DELETE_ACCESS}, i 0, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .r1 ?e'
  Pop $3
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\Vantrel.dll", i ${DELETE_ACCESS}, i 0, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .r2 ?e'
  Pop $4
  ${If} $1 P= -1
  ${AndIf} $3 <> ${ERROR_FILE_NOT_FOUND}
    StrCpy $0 0
  ${EndIf}
  ${If} $2 P= -1
  ${AndIf} $4 <> ${ERROR_FILE_NOT_FOUND}
    StrCpy $0 0
  ${EndIf}
  ${If} $0 = 1
  ${AndIf} $1 P<> -1
    System::Call 'kernel32::SetFileInformationByHandle(p r1, i ${FILE_DISPOSITION_INFO}, *i 1, i 4) i .r0'
  ${EndIf}
  ${If} $0 <> 0
  ${AndIf} $2 P<> -1
    System::Call 'kernel32::SetFileInformationByHandle(p r2, i ${FILE_DISPOSITION_INFO}, *i 1, i 4) i .r0'
    ${If} $0 = 0
    ${AndIf} $1 P<> -1
      System::Call 'kernel32::SetFileInformationByHandle(p r1, i ${FILE_DISPOSITION_INFO}, *i 0, i 4)'
    ${EndIf}
  ${EndIf}
  ${If} $0 <> 0
    StrCpy $0 1
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r1)'
  System::Call 'kernel32::CloseHandle(p r2)'
FunctionEnd

Var SaverIsThis

Section "Uninstall"
  ; The working folder would hold $INSTDIR open.
  SetOutPath "$TEMP"
  ; A running Vantrel holds its files open: end it first.
  StrCpy $0 $INSTDIR
  Call un.EndVantrel
  StrCpy $0 $INSTDIR
  Call un.IsSaverIn
  StrCpy $SaverIsThis $0
  ; Both programs go or neither, before anything else: the screen saver never
  ; names a program that is gone.
  Call un.DeletePrograms
  ${If} $0 = 0
    !insertmacro Fail "$(StillRunning)"
  ${EndIf}
  ${If} $SaverIsThis = 1
    StrCpy $9 "Previous"
    Call un.GiveBackScreenSaver
  ${EndIf}
  !insertmacro ForEachFile DropOldFile
  Delete "$INSTDIR\Vantrel.ini"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  ; Run in place, it goes once it has ended; as the copy in %TEMP%, the one it
  ; came from may still be ending.
  ${If} $InPlace = 0
    ${For} $0 1 50
      Delete "$INSTDIR\${UNINSTALLER}"
      ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
        ${Break}
      ${EndIf}
      Sleep 100
    ${Next}
  ${EndIf}
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
