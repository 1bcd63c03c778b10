; Vantrel's setup program: installs both programs for the current user, without
; administrator rights, offers on a first install to make Vantrel the user's
; screen saver (keeping the one chosen before, which the uninstaller gives
; back), adds an entry to the user's installed apps and two Start-menu
; shortcuts. Built by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DVERSION=X.Y.Z -DHOST=<Vantrel.scr> -DRENDERER=<Vantrel.dll>
;            -DREMOVER=<remover.exe> -DTEXTS=<folder with LICENSE.txt, README.txt>
;            -DICON=<.ico> -DOUTFILE=<setup.exe> -DABOUT_URL=<web address> vantrel.nsi
;   With -DSIGN=<scripts/sign> the uninstaller and the setup program are signed.
; Switches: /S silent, /KEEPSAVER keep the current screen saver, /D=<folder> (last).
; Exit codes, the setup's and the uninstaller's: 0 done; 1 cancelled by the
; user (on the pages, or when asked to close Vantrel's settings); 2 refused or
; failed (Cancel after a write failed included), with everything as it was.
;
; What it guarantees, and where:
; - One setup or uninstaller runs at a time ............... OneAtATime
; - A setup that stops takes back all it did: the entry and the screen saver
;   from one snapshot, the files, the settings, the folders, the shortcuts
;   ....................................... Section -Snapshot, .onInstFailed
; - An update in place is all or nothing: every file is written beside the old
;   one first, and then they change places ................... SecPrograms
; - A swap that a crash cut short is finished or undone by the next setup or
;   uninstall, never taken for another program's files . RecoverSwap, FolderIsFree
; - Only a folder of Vantrel's is written into; another gets a Vantrel folder
;   inside it ............................................ ChooseFolder
; - A running Vantrel of the install is ended first; with pages, its settings
;   dialog only once the user agrees ........ PrepareFolder, CloseSettingsFirst
; - Only a first install makes Vantrel the screen saver, keeping the choice it
;   replaces; an update keeps whatever is chosen ...... .onInit, SecSaver
; - The organisation's choice is left alone (policy SCRNSAVE.EXE,
;   ScreenSaveActive 0, NoDispScrSavPage): its box cannot be checked, and
;   the last page says so .................. ReadPolicy, .onInit, FinishShow
; - A move takes the settings along without losing newer ones, and a screen
;   saver naming the old folder follows it ......... SecPrograms, -Finish
; - The Start menu keeps a way back to Vantrel, which Windows' list loses once
;   another saver is chosen ................................ -Shortcuts
; - The uninstaller removes only the install the entry names, both programs
;   or neither (one held for a moment is tried again for about 2 s), and gives
;   back the earlier saver only where Vantrel is the one chosen
;   ..................... un.onInit, Section Uninstall, un.RemovePrograms
; - The uninstaller's exit code is the outcome (the entry's strings run it in
;   place with _?=), and its own file goes once it has ended, without a shell
;   ......................... -InstalledAppsEntry, un.RemoveSelf, remover_win32.cpp

; The programs are x86-64 only; a 64-bit stub also runs under a 64-bit-only Wine.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
; No file times in the setup program, so the same inputs give the same bytes.
SetDateSave off
SetCompressor /SOLID lzma
!ifdef SIGN
  ; The uninstaller before it is embedded, so that the one the setup writes
  ; carries the signature; the setup program once it is written.
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif
; A file that cannot be written stops the setup (Retry or Cancel; Cancel when
; silent) instead of being skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WinCore.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
; The entry's values and the screen-saver values as a setup found them.
!define SNAPSHOT_KEY "${UNINSTALL_KEY}\Undo"
!define SNAPSHOT_DESKTOP_KEY "${SNAPSHOT_KEY}\Desktop"
!define DESKTOP_KEY "Control Panel\Desktop"
!define POLICY_KEY "Software\Policies\Microsoft\Windows\Control Panel\Desktop"
!define SYSTEM_POLICY_KEY "Software\Microsoft\Windows\CurrentVersion\Policies\System"
!define PUBLISHER "the Vantrel developers"
!define UNINSTALLER "uninstall.exe"
!define LINKS "$SMPROGRAMS\Vantrel"
!define MUTEX "Vantrel.Setup"
!define SPI_SETSCREENSAVEACTIVE 17
; Written to the user's profile and announced, so an open Screen Saver
; Settings page sees the change.
!define SPIF_UPDATEINIFILE_SENDCHANGE 3
; HKEY_CURRENT_USER as a 64-bit handle, for the registry calls through System.
!define HKCU_HANDLE -2147483647
; RRF_RT_ANY | RRF_NOEXPAND: any type, REG_EXPAND_SZ as stored.
!define RRF_ANY_AS_STORED 0x1000ffff
!define OPEN_EXISTING 3
!define FILE_DISPOSITION_INFO 4
!define FILE_FLAG_DELETE_ON_CLOSE 0x04000000

Name "Vantrel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
; A newer setup goes where the older one installed.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vantrel ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
!macro VersionKeys lang description
  VIAddVersionKey /LANG=${lang} "CompanyName" "${PUBLISHER}"
  VIAddVersionKey /LANG=${lang} "FileDescription" "${description}"
  VIAddVersionKey /LANG=${lang} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${lang} "InternalName" "Vantrel"
  VIAddVersionKey /LANG=${lang} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
  VIAddVersionKey /LANG=${lang} "OriginalFilename" "Vantrel-${VERSION}-setup.exe"
  VIAddVersionKey /LANG=${lang} "ProductName" "Vantrel"
  VIAddVersionKey /LANG=${lang} "ProductVersion" "${VERSION}"
!macroend
!insertmacro VersionKeys 1041 "Vantrel セットアップ"
!insertmacro VersionKeys 1033 "Vantrel Setup"

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
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; NSIS shows the pages in the user's display language, and in the first
; language where it is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; The shortcuts' names in both languages: the uninstaller removes either.
!define SAVER_LINK_EN "Make Vantrel my screen saver"
!define SAVER_LINK_JA "Vantrel をスクリーンセーバーにする"
!define SETTINGS_LINK_EN "Vantrel settings"
!define SETTINGS_LINK_JA "Vantrel の設定"

LangString WelcomeText ${LANG_ENGLISH} "This installs Vantrel ${VERSION}, a screen saver, for you alone: no administrator rights are needed.$\r$\n$\r$\nIt can be removed again under Settings → Apps.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_JAPANESE} "スクリーンセーバー Vantrel ${VERSION} を、いまのユーザーのためにインストールします。管理者の権限は要りません。$\r$\n$\r$\n「設定」→「アプリ」からいつでも削除できます。$\r$\n$\r$\n続けるには「次へ」をクリックしてください。"
LangString ProgramsSection ${LANG_ENGLISH} "Vantrel (the screen saver and its renderer)"
LangString ProgramsSection ${LANG_JAPANESE} "Vantrel (スクリーンセーバーと描画プログラム)"
LangString SaverLink ${LANG_ENGLISH} "${SAVER_LINK_EN}"
LangString SaverLink ${LANG_JAPANESE} "${SAVER_LINK_JA}"
LangString SettingsLink ${LANG_ENGLISH} "${SETTINGS_LINK_EN}"
LangString SettingsLink ${LANG_JAPANESE} "${SETTINGS_LINK_JA}"
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
LangString PolicyNote ${LANG_ENGLISH} "Vantrel has been installed.$\r$\n$\r$\nYour organisation's policy decides the screen saver, so Vantrel was not made your screen saver."
LangString PolicyNote ${LANG_JAPANESE} "Vantrel をインストールしました。$\r$\n$\r$\nスクリーンセーバーは組織のポリシーで決められているため、Vantrel をスクリーンセーバーにしていません。"
LangString SettingsOpen ${LANG_ENGLISH} "Vantrel's settings are open. Click OK to close them and go on (a choice not saved with 設定 is lost), or Cancel to stop the setup."
LangString SettingsOpen ${LANG_JAPANESE} "Vantrel の設定画面が開いています。「OK」で設定画面を閉じて続けます (「設定」で保存していない選択はなくなります)。「キャンセル」でセットアップをやめます。"
LangString AlreadyRunning ${LANG_ENGLISH} "Another Vantrel setup or uninstall is running. Wait until it has ended, then try again."
LangString AlreadyRunning ${LANG_JAPANESE} "別の Vantrel のセットアップまたはアンインストールが実行中です。終わってから、もう一度お試しください。"

; What the setup found: the install before (its folder, "" on a first
; install), whether the entry and the shortcuts were there, whether a policy
; decides the screen saver. What it did, which a setup that stops takes back:
; the topmost folder it made, whether the files began to change places,
; whether it copied Vantrel.ini, took the snapshot, made the shortcuts; and
; whether a policy kept it from making Vantrel the screen saver. The flags
; start empty, which the comparisons read as 0.
Var OldDir
Var HadEntry
Var HadLinks
Var PolicyFixed
Var MadeTop
Var Swapping
Var CopiedIni
Var Snapshot
Var MadeLinks
Var PolicyKept
; The key and the value-name prefix GiveBackScreenSaver takes the choice from.
Var KeptKey
Var KeptPrefix

; The files the setup puts in the install folder, each by the macro m.
!macro ForEachFile m
  !insertmacro ${m} "Vantrel.scr"
  !insertmacro ${m} "Vantrel.dll"
  !insertmacro ${m} "LICENSE.txt"
  !insertmacro ${m} "README.txt"
  !insertmacro ${m} "${UNINSTALLER}"
!macroend

!macro NoteNewLeft name
  ${If} ${FileExists} "$INSTDIR\${name}.new"
    StrCpy $1 1
  ${EndIf}
!macroend

; $1: "1" to undo the swap, "0" to finish it. Undone, the old copy goes back
; in place; the one there moves aside to "<name>.new" first (a program still
; running from it can be renamed, not deleted). $0 -> "0" where a leftover stays.
!macro RecoverFile name
  ${If} $1 = 1
  ${AndIf} ${FileExists} "$INSTDIR\${name}.old"
    Rename "$INSTDIR\${name}" "$INSTDIR\${name}.new"
    Rename "$INSTDIR\${name}.old" "$INSTDIR\${name}"
  ${EndIf}
  Delete "$INSTDIR\${name}.new"
  Delete "$INSTDIR\${name}.old"
  ${If} ${FileExists} "$INSTDIR\${name}.new"
  ${OrIf} ${FileExists} "$INSTDIR\${name}.old"
    StrCpy $0 0
  ${EndIf}
!macroend

; Stops the setup or the uninstaller: says why (not when silent) and exits with 2.
!macro Fail text
  MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

; Stops the setup where a write set the error flag (reading it clears it).
!macro FailOnErrors
  ${If} ${Errors}
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
!macroend

; $0: "1" or "0"; tells the running session and writes ScreenSaveActive (as
; text), so the values written after it must come after it.
!macro TellScreenSaverActive
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
!macroend

; Functions that the setup and the uninstaller both use; "un." names the
; uninstaller's copy. Those that take registers say which they change.
!macro SharedFunctions un
  ; The mutex is held until this process ends. A second setup or uninstaller
  ; waits 3 s for it (the remover of an uninstaller that just ended holds it
  ; for a moment), then says so and exits with 2. Changes $0 to $2.
  Function ${un}OneAtATime
    System::Call 'kernel32::CreateMutexW(p 0, i 1, w "${MUTEX}") p .r0 ?e'
    Pop $1
    ${If} $1 = ${ERROR_ALREADY_EXISTS}
      System::Call 'kernel32::WaitForSingleObject(p r0, i 3000) i .r2'
      ${If} $2 <> 0
      ${AndIf} $2 <> ${WAIT_ABANDONED}
        MessageBox MB_OK|MB_ICONSTOP "$(AlreadyRunning)" /SD IDOK
        SetErrorLevel 2
        Quit
      ${EndIf}
    ${EndIf}
  FunctionEnd

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

  ; $R8: an open process -> $0: its program's path in the normal form, "" where
  ; it cannot be read.
  Function ${un}ProcessImage
    System::Call 'kernel32::QueryFullProcessImageNameW(p R8, i 0, w .r0, *i ${NSIS_MAX_STRLEN}) i .R9'
    ${If} $R9 <> 0
      Call ${un}NormalPath
    ${Else}
      StrCpy $0 ""
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
        Call ${un}ProcessImage
        ; Only a process that was ended counts: one that cannot be would keep
        ; the passes going to the end.
        ${If} $0 == $R1
        ${OrIf} $0 == $R2
          System::Call 'kernel32::TerminateProcess(p R8, i 1) i .R9'
          ${If} $R9 <> 0
            System::Call 'kernel32::WaitForSingleObject(p R8, i 5000)'
            IntOp $R0 $R0 + 1
          ${EndIf}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p R8)'
      ${EndIf}
      IntOp $R5 $R5 + 1
    ${EndWhile}
    System::Free $R3
  FunctionEnd

  ; $0: a folder. Ends the processes that run its Vantrel.scr or Vantrel.dll
  ; (a preview, a saver run, the settings dialog), which hold those files
  ; open; again until none is found, so that a renderer a saver run started
  ; meanwhile goes too. Changes $R0 to $R9.
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

  ; A swap that a crash or a power loss cut short leaves "<name>.new" and
  ; "<name>.old" files in $INSTDIR. Where a ".new" is left the swap did not
  ; end: every ".old" goes back in place. Where only ".old" files are left it
  ; did: they go. $0 -> "0" where a leftover stays. Changes $1.
  Function ${un}RecoverSwap
    StrCpy $1 0
    !insertmacro ForEachFile NoteNewLeft
    StrCpy $0 1
    !insertmacro ForEachFile RecoverFile
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

  ; The screen-saver choice kept as the values "<$KeptPrefix>SCRNSAVE.EXE" and
  ; "<$KeptPrefix>ScreenSaveActive" of $KeptKey comes back (or none). The
  ; session hears of it before ScreenSaveActive is written, so its kept type
  ; stays. Changes $0 and $R0 to $R7.
  Function ${un}GiveBackScreenSaver
    StrCpy $R0 $KeptKey
    StrCpy $R2 "${DESKTOP_KEY}"
    StrCpy $R3 "SCRNSAVE.EXE"
    StrCpy $R1 "$KeptPrefix$R3"
    ReadRegStr $0 HKCU $R0 $R1
    ${If} $0 == ""
      StrCpy $0 0
    ${Else}
      StrCpy $0 1
    ${EndIf}
    Call ${un}CopyValue
    StrCpy $R3 "ScreenSaveActive"
    StrCpy $R1 "$KeptPrefix$R3"
    ReadRegStr $R4 HKCU $R0 $R1
    ${If} $R4 != ""
      StrCpy $0 $R4
    ${EndIf}
    !insertmacro TellScreenSaverActive
    Call ${un}CopyValue
    ClearErrors
  FunctionEnd
!macroend

!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

; Copies every value of the HKCU key $R0 into the HKCU key $R2, as stored.
; Sets the error flag when one could not be copied. Changes $R1, $R3 to $R9.
Function CopyValues
  StrCpy $R8 0
  StrCpy $R9 0 ; one failed
  ${Do}
    EnumRegValue $R1 HKCU $R0 $R8
    ${If} $R1 == ""
      ${Break}
    ${EndIf}
    ClearErrors
    StrCpy $R3 $R1
    Call CopyValue
    ${If} ${Errors}
      StrCpy $R9 1
    ${EndIf}
    IntOp $R8 $R8 + 1
  ${Loop}
  ClearErrors
  ${If} $R9 = 1
    SetErrors
  ${EndIf}
FunctionEnd

; $0: the host's path -> the form to put in SCRNSAVE.EXE. Windows starts the
; screen saver from that value without quotes, so a path with blanks goes in
; its short form (the long one stays where the volume makes no short names).
Function SaverPath
  Push $1
  System::Call 'shlwapi::StrChrW(w r0, i 32) p .r1' ; the first blank
  ${If} $1 P<> 0
    GetFullPathName /SHORT $1 $0
    ClearErrors
    ${If} $1 != ""
      StrCpy $0 $1
    ${EndIf}
  ${EndIf}
  Pop $1
FunctionEnd

; $R0: a desktop value's name -> $R2: its registry type now, REG_SZ where it
; is absent. Changes $R3.
Function DesktopValueType
  System::Call 'advapi32::RegGetValueW(p ${HKCU_HANDLE}, w "${DESKTOP_KEY}", w R0, i ${RRF_ANY_AS_STORED}, *i 0 R2, p 0, p 0) i .R3'
  ${If} $R3 <> 0
    StrCpy $R2 ${REG_SZ}
  ${EndIf}
FunctionEnd

; Writes the desktop value $R0 as the text $R1 in the type $R2 (a number stays
; a number, an expandable text expandable).
Function WriteDesktopValue
  ${If} $R2 = ${REG_DWORD}
    WriteRegDWORD HKCU "${DESKTOP_KEY}" $R0 $R1
  ${ElseIf} $R2 = ${REG_EXPAND_SZ}
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

; Makes $INSTDIR's Vantrel the user's screen saver. SCRNSAVE.EXE is in place
; before the session hears of it, which writes ScreenSaveActive as text; so
; that one is written again after, in the type it had. Sets the error flag
; when a value could not be written.
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
; and only Vantrel's files, with what a swap cut short left of them. Names
; many programs use (uninstall.exe, README.txt) do not make a folder
; Vantrel's. Changes $1 to $5.
Function FolderIsFree
  StrCpy $0 $INSTDIR
  Call NormalPath
  ${If} $OldDir != ""
  ${AndIf} $0 == $OldDir
    StrCpy $0 1
    Return
  ${EndIf}
  StrCpy $0 1
  StrCpy $3 0 ; Vantrel's host seen
  StrCpy $4 0 ; other names of Vantrel's files seen
  FindFirst $1 $2 "$INSTDIR\*"
  ${DoWhile} $2 != ""
    StrCpy $5 $2 "" -4
    ${If} $5 == ".new"
    ${OrIf} $5 == ".old"
      StrCpy $2 $2 -4
    ${EndIf}
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

Function FinishShow
  ${If} $PolicyKept = 1
    SendMessage $mui.FinishPage.Text ${WM_SETTEXT} 0 "STR:$(PolicyNote)"
  ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; With pages, an open settings dialog of this install or the one before may
; hold a choice not yet saved: it is ended only once the user agrees, Cancel
; stops the setup with 1. Changes $0 to $3, $R8, $R9.
Function CloseSettingsFirst
  System::Call 'user32::FindWindowW(p 0, w "<Vantrel>") p .r1'
  ${If} ${Silent}
  ${OrIf} $1 P= 0
    Return
  ${EndIf}
  System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
  ; PROCESS_QUERY_LIMITED_INFORMATION
  System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r2) p .R8'
  Call ProcessImage
  System::Call 'kernel32::CloseHandle(p R8)'
  ${GetParent} $0 $3
  StrCpy $0 $INSTDIR
  Call NormalPath
  ${If} $3 == ""
    Return
  ${ElseIf} $3 == $0
  ${OrIf} $3 == $OldDir
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "$(SettingsOpen)" IDOK done
    SetErrorLevel 1
    Abort
  ${EndIf}
  done:
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

!define SOURCE_Vantrel.scr "${HOST}"
!define SOURCE_Vantrel.dll "${RENDERER}"
!define SOURCE_LICENSE.txt "${TEXTS}/LICENSE.txt"
!define SOURCE_README.txt "${TEXTS}/README.txt"

; The new files go in beside the old ones as "<name>.new" (one that cannot be
; written offers Retry and Cancel) ...
!macro StageFile name
  !if "${name}" == "${UNINSTALLER}"
    retry:
    ClearErrors
    WriteUninstaller "$INSTDIR\${name}.new"
    ${If} ${Errors}
      MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$(WriteFailed)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Abort
    ${EndIf}
  !else
    File "/oname=${name}.new" "${SOURCE_${name}}"
  !endif
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
    ; Reading the error flag cleared it: the ".new" left says it failed.
    ${If} ${FileExists} "$INSTDIR\${name}.new"
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
!macroend

; A failed setup: a new file in place where there was none moves aside, so
; that undoing the swap takes it away.
!macro MoveAsideIfNew name
  ${IfNot} ${FileExists} "$INSTDIR\${name}.old"
  ${AndIfNot} ${FileExists} "$INSTDIR\${name}.new"
    Rename "$INSTDIR\${name}" "$INSTDIR\${name}.new"
  ${EndIf}
!macroend

; The install folder made ready: Vantrel's, no Vantrel running from it or from
; the install before (it holds its files open), no swap left cut short.
Function PrepareFolder
  Call ChooseFolder
  ${If} $0 = 0
    !insertmacro Fail "$(FolderTaken)"
  ${EndIf}
  Call CloseSettingsFirst
  StrCpy $0 $INSTDIR
  Call EndVantrel
  ${If} $OldDir != ""
    StrCpy $0 $OldDir
    Call EndVantrel
  ${EndIf}
  Call RecoverSwap
  ${If} $0 = 0
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
FunctionEnd

Section "$(ProgramsSection)" SecPrograms
  SectionIn RO
  Call PrepareFolder
  Call NoteFoldersToMake
  SetOutPath "$INSTDIR"
  !insertmacro ForEachFile StageFile
  ; The settings come along from the install before, in another folder, unless
  ; this one has settings of its own; the old copy goes only once this one is
  ; known to be whole.
  ${IfNot} ${FileExists} "$INSTDIR\Vantrel.ini"
  ${AndIf} $OldDir != ""
  ${AndIf} ${FileExists} "$OldDir\Vantrel.ini"
    StrCpy $CopiedIni 1
    System::Call 'kernel32::CopyFileW(w "$OldDir\Vantrel.ini", w "$INSTDIR\Vantrel.ini", i 1) i .r0'
    ${If} $0 = 0
      !insertmacro Fail "$(WriteFailed)"
    ${EndIf}
  ${EndIf}
  StrCpy $Swapping 1
  StrCpy $0 1
  !insertmacro ForEachFile PutInPlace
  ${If} $0 = 0
    !insertmacro Fail "$(WriteFailed)"
  ${EndIf}
SectionEnd

; The entry's values, whatever they are, and the screen-saver values as they
; are now, which a failed setup gives back.
Section "-Snapshot"
  DeleteRegKey HKCU "${SNAPSHOT_KEY}"
  ClearErrors
  ${If} $HadEntry = 1
    StrCpy $R0 "${UNINSTALL_KEY}"
    StrCpy $R2 "${SNAPSHOT_KEY}"
    Call CopyValues
  ${EndIf}
  StrCpy $R0 "${DESKTOP_KEY}"
  StrCpy $R2 "${SNAPSHOT_DESKTOP_KEY}"
  StrCpy $R1 "SCRNSAVE.EXE"
  StrCpy $R3 $R1
  Call CopyValue
  StrCpy $R1 "ScreenSaveActive"
  StrCpy $R3 $R1
  Call CopyValue
  !insertmacro FailOnErrors
  StrCpy $Snapshot 1
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
  !insertmacro FailOnErrors
SectionEnd

; Only a first install where no policy decides offers this (.onInit). It
; keeps the choice it replaces, unless that is a Vantrel already (the entry
; was lost): then there is none to keep.
Section "$(SaverLink)" SecSaver
  StrCpy $0 $INSTDIR
  Call IsSaverIn
  ClearErrors
  ${If} $0 = 0
    StrCpy $R0 "${DESKTOP_KEY}"
    StrCpy $R2 "${UNINSTALL_KEY}"
    StrCpy $R1 "SCRNSAVE.EXE"
    StrCpy $R3 "Previous $R1"
    Call CopyValue
    StrCpy $R1 "ScreenSaveActive"
    StrCpy $R3 "Previous $R1"
    Call CopyValue
  ${EndIf}
  !insertmacro FailOnErrors
  Call MakeVantrelTheSaver
  !insertmacro FailOnErrors
SectionEnd

!macro DeleteLinks
  Delete "${LINKS}\${SAVER_LINK_EN}.lnk"
  Delete "${LINKS}\${SAVER_LINK_JA}.lnk"
  Delete "${LINKS}\${SETTINGS_LINK_EN}.lnk"
  Delete "${LINKS}\${SETTINGS_LINK_JA}.lnk"
  RMDir "${LINKS}"
!macroend

; $0: a folder. The Start menu's way back to its Vantrel, which Windows' list
; of screen savers loses once another is chosen: Windows' own Install of a
; .scr file, and the settings. Sets the error flag where one is not made.
Function MakeLinks
  !insertmacro DeleteLinks
  CreateDirectory "${LINKS}"
  SetOutPath $0
  CreateShortcut "${LINKS}\$(SaverLink).lnk" "$SYSDIR\rundll32.exe" "desk.cpl,InstallScreenSaver $0\Vantrel.scr" "$0\Vantrel.scr"
  CreateShortcut "${LINKS}\$(SettingsLink).lnk" "$0\Vantrel.scr" "/c"
FunctionEnd

Section "-Shortcuts"
  StrCpy $MadeLinks 1
  ClearErrors
  StrCpy $0 $INSTDIR
  Call MakeLinks
  !insertmacro FailOnErrors
SectionEnd

; Nothing after this can fail (the size is only shown). The swap is finished.
; An install before in another folder goes: a screen saver still naming it
; now names this one; its files by name, those whose names many programs use
; only beside its Vantrel.scr, its settings only where they came along.
Section "-Finish"
  Call RecoverSwap
  Delete "$TEMP\Vantrel-remover-*.exe"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  DeleteRegKey HKCU "${SNAPSHOT_KEY}"
  StrCpy $0 $INSTDIR
  Call NormalPath
  ${If} $OldDir == ""
  ${OrIf} $0 == $OldDir
    Return
  ${EndIf}
  StrCpy $0 $OldDir
  Call IsSaverIn
  ${If} $0 = 1
    Call NameVantrelTheSaver
  ${EndIf}
  ${If} ${FileExists} "$OldDir\Vantrel.scr"
    Delete "$OldDir\Vantrel.scr"
    Delete "$OldDir\LICENSE.txt"
    Delete "$OldDir\README.txt"
    Delete "$OldDir\${UNINSTALLER}"
  ${EndIf}
  ${If} $CopiedIni = 1
    Delete "$OldDir\Vantrel.ini"
  ${EndIf}
  Delete "$OldDir\Vantrel.dll"
  RMDir "$OldDir"
SectionEnd

; Where a policy decides the screen saver: SCRNSAVE.EXE chosen for the user,
; the saver off (ScreenSaveActive 0), or the user kept from changing it
; (NoDispScrSavPage). A policy that only turns the saver on, with a timeout
; or a password, leaves the choice to the user.
Function ReadPolicy
  ReadRegStr $0 HKCU "${POLICY_KEY}" "SCRNSAVE.EXE"
  ReadRegStr $1 HKCU "${POLICY_KEY}" "ScreenSaveActive"
  ReadRegStr $2 HKCU "${SYSTEM_POLICY_KEY}" "NoDispScrSavPage"
  ClearErrors
  ${If} $2 == "0"
    StrCpy $2 ""
  ${EndIf}
  ${If} $0 != ""
  ${OrIf} $1 == "0"
  ${OrIf} $2 != ""
    StrCpy $PolicyFixed 1
  ${EndIf}
FunctionEnd

; After the sections: it changes the check box by its section's index.
Function .onInit
  Call OneAtATime
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  Call NormalPath
  StrCpy $OldDir $0
  EnumRegValue $0 HKCU "${UNINSTALL_KEY}" 0
  ${If} $0 != ""
    StrCpy $HadEntry 1
  ${EndIf}
  ${If} ${FileExists} "${LINKS}\*.lnk"
    StrCpy $HadLinks 1
  ${EndIf}
  ; An update keeps whatever screen saver is chosen now, and does not offer
  ; to change it; a first install told /KEEPSAVER keeps it too.
  ${If} $OldDir != ""
    SectionSetFlags ${SecSaver} 0
    SectionSetText ${SecSaver} ""
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/KEEPSAVER" $2
  ${IfNot} ${Errors}
    SectionSetFlags ${SecSaver} 0
  ${EndIf}
  ClearErrors
  Call ReadPolicy
  ; Where a policy decides the saver, the box shows it cannot be had; the
  ; last page says why, unless the user had declined already.
  ${If} $PolicyFixed = 1
    ${If} ${SectionIsSelected} ${SecSaver}
      StrCpy $PolicyKept 1
    ${EndIf}
    SectionSetFlags ${SecSaver} ${SF_RO}
  ${EndIf}
FunctionEnd

; The entry as the snapshot kept it: every value it has now goes, and the
; kept ones come back. Changes $R0 to $R9.
Function GiveBackEntry
  ${Do}
    ClearErrors
    EnumRegValue $R1 HKCU "${UNINSTALL_KEY}" 0
    ${If} $R1 == ""
      ${Break}
    ${EndIf}
    DeleteRegValue HKCU "${UNINSTALL_KEY}" $R1
  ${LoopUntil} ${Errors}
  StrCpy $R0 "${SNAPSHOT_KEY}"
  StrCpy $R2 "${UNINSTALL_KEY}"
  Call CopyValues
FunctionEnd

; A setup that stops takes back all it did: the values it changed, the
; shortcuts, the files and the settings it put in place, the folders it made.
Function .onInstFailed
  ; Once the new files are in place, a Vantrel started from them (the Screen
  ; Saver Settings page's preview) holds them open.
  ${If} $Swapping = 1
    StrCpy $0 $INSTDIR
    Call EndVantrel
    !insertmacro ForEachFile MoveAsideIfNew
  ${EndIf}
  StrCpy $1 1
  !insertmacro ForEachFile RecoverFile
  ${If} $Snapshot = 1
    StrCpy $KeptKey "${SNAPSHOT_DESKTOP_KEY}"
    StrCpy $KeptPrefix ""
    Call GiveBackScreenSaver
  ${EndIf}
  ${If} $HadEntry = 0
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${ElseIf} $Snapshot = 1
    Call GiveBackEntry
  ${EndIf}
  DeleteRegKey HKCU "${SNAPSHOT_KEY}"
  ${If} $MadeLinks = 1
    !insertmacro DeleteLinks
    ${If} $HadLinks = 1
    ${AndIf} $OldDir != ""
      StrCpy $0 $OldDir
      Call MakeLinks
    ${EndIf}
  ${EndIf}
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

; Whether the uninstaller runs in place (_?=) or as the copy in %TEMP% that it
; hands over to without it; whether it removed Vantrel; whether the remover of
; its own file has started.
Var InPlace
Var Removed
Var RemoverStarted

; The uninstaller's own file, and then its folder where empty, go once it has
; ended. The remover, written to %TEMP% and opened for delete on close, waits
; for this process and goes with the handle it inherits. Changes $0 to $9.
Function un.RemoveSelf
  ${If} $RemoverStarted = 1
    Return
  ${EndIf}
  StrCpy $RemoverStarted 1
  ; A remover whose copy outlived it, should Windows keep one, goes now.
  Delete "$TEMP\Vantrel-remover-*.exe"
  System::Call 'kernel32::GetCurrentProcessId() i .r1'
  StrCpy $0 "$TEMP\Vantrel-remover-$1.exe"
  ClearErrors
  File "/oname=$0" "${REMOVER}"
  ${If} ${Errors}
    Return
  ${EndIf}
  System::Call 'kernel32::CreateFileW(w r0, i ${DELETE}, i 7, p 0, i ${OPEN_EXISTING}, i ${FILE_FLAG_DELETE_ON_CLOSE}, p 0) p .r2'
  System::Call 'kernel32::SetHandleInformation(p r2, i 1, i 1)'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 1, i r1) p .r3'
  ; STARTUPINFOW (104 bytes, its size first) and PROCESS_INFORMATION, zeroed.
  System::Alloc 128
  Pop $4
  System::Call '*$4(i 104)'
  IntPtrOp $5 $4 + 104
  StrCpy $6 '"$0" $3 "$EXEPATH" ${MUTEX}'
  System::Call 'kernel32::CreateProcessW(w r0, w r6, p 0, p 0, i 1, i 0, p 0, w "$TEMP", p r4, p r5) i .r7'
  ${If} $7 <> 0
    System::Call '*$5(p .r8, p .r9)'
    System::Call 'kernel32::CloseHandle(p r8)'
    System::Call 'kernel32::CloseHandle(p r9)'
  ${EndIf}
  System::Free $4
  System::Call 'kernel32::CloseHandle(p r3)'
  System::Call 'kernel32::CloseHandle(p r2)'
FunctionEnd

Function un.onInit
  Call un.OneAtATime
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
  StrCpy $0 $INSTDIR
  Call un.NormalPath
  StrCpy $2 $0
  StrCpy $0 $EXEDIR
  Call un.NormalPath
  ${If} $0 == $2
    StrCpy $InPlace 1
    StrCpy $INSTDIR $EXEDIR
  ${EndIf}
  ; Only the install the entry names: a copy elsewhere removes nothing.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  Call un.NormalPath
  ${If} $0 == ""
  ${OrIf} $0 != $2
    MessageBox MB_OK|MB_ICONSTOP "$(NotTheInstall)" /SD IDOK
    Call un.onGUIEnd
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; Run in place, its file goes once Vantrel is removed; as the copy in %TEMP%,
; whatever the outcome.
Function un.onGUIEnd
  ${If} $Removed = 1
  ${OrIf} $InPlace = 0
    Call un.RemoveSelf
  ${EndIf}
FunctionEnd

Function un.onUninstSuccess
  StrCpy $Removed 1
  Call un.onGUIEnd
FunctionEnd

Function un.onUninstFailed
  Call un.onGUIEnd
FunctionEnd

; Deletes $INSTDIR's Vantrel.scr and Vantrel.dll, both or neither: each is
; opened for deletion with no sharing, so that nothing starts it meanwhile,
; and marked; where one cannot be, the marks are taken off again. A file
; already gone counts as deleted. $0 -> "1" when both are gone. Changes $1 to $4.
Function un.DeletePrograms
  StrCpy $0 1
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\Vantrel.scr", i ${DELETE}, i 0, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .r1 ?e'
  Pop $3
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\Vantrel.dll", i ${DELETE}, i 0, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .r2 ?e'
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

; Both programs go or neither, before anything else: the screen saver never
; names a program that is gone. A running Vantrel holds its files open, so it
; is ended first; a file held for a moment (a virus scan, the indexer) is
; tried again for about 2 s.
Function un.RemovePrograms
  StrCpy $0 $INSTDIR
  Call un.EndVantrel
  Call un.RecoverSwap
  ${If} $0 = 1
    ${For} $R0 1 20
      Call un.DeletePrograms
      ${If} $0 = 1
        ${Break}
      ${EndIf}
      Sleep 100
    ${Next}
  ${EndIf}
  ${If} $0 = 0
    !insertmacro Fail "$(StillRunning)"
  ${EndIf}
FunctionEnd

Var SaverIsThis

Section "Uninstall"
  ; The working folder would hold $INSTDIR open.
  SetOutPath "$TEMP"
  StrCpy $0 $INSTDIR
  Call un.IsSaverIn
  StrCpy $SaverIsThis $0
  Call un.RemovePrograms
  ${If} $SaverIsThis = 1
    StrCpy $KeptKey "${UNINSTALL_KEY}"
    StrCpy $KeptPrefix "Previous "
    Call un.GiveBackScreenSaver
  ${EndIf}
  Delete "$INSTDIR\Vantrel.ini"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  !insertmacro DeleteLinks
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
  Call un.DeleteUserFiles
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; The user's own folders: the texture copies with their temporary files, the
; settings; each folder only when nothing else is in it.
Function un.DeleteUserFiles
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
FunctionEnd
