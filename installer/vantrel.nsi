; Vantrel's setup program: installs both programs for the current user, without
; administrator rights, makes Vantrel the user's screen saver (keeping the one
; chosen before, which the uninstaller gives back) and adds an entry to the
; user's installed apps. Built by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DVERSION=X.Y.Z -DHOST=<Vantrel.scr> -DRENDERER=<Vantrel.dll>
;            -DTEXTS=<folder with LICENSE.txt, README.txt> -DICON=<.ico> -DOUTFILE=<setup.exe>
;            vantrel.nsi
; Switches: /S silent, /KEEPSAVER keep the current screen saver, /D=<folder> (last).

; The programs are x86-64 only; a 64-bit stub also runs under a 64-bit-only Wine.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
; No file times in the setup program, so the same inputs give the same bytes.
SetDateSave off
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define DESKTOP_KEY "Control Panel\Desktop"
!define PUBLISHER "the Vantrel developers"
!define UNINSTALLER "uninstall.exe"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2

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

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
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

; $0: the host's path -> the form to put in SCRNSAVE.EXE. Windows starts the
; screen saver from that value without quotes, so a path with blanks goes in
; its short form (the long one stays where the volume makes no short names).
!macro SaverPathFunction un
  Function ${un}SaverPath
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
!macroend
!insertmacro SaverPathFunction ""
!insertmacro SaverPathFunction "un."

; $0: "1" or "0"; tells the running session what the registry now says.
!macro TellScreenSaverActive
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i $0, p 0, i ${SPIF_SENDCHANGE})'
!macroend

; A value of the user's screen-saver choice, kept in the installed-apps entry
; as "Previous <name>"; absent there when it was absent.
!macro KeepDesktopValue name
  ClearErrors
  ReadRegStr $2 HKCU "${DESKTOP_KEY}" "${name}"
  ${If} ${Errors}
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "Previous ${name}"
  ${Else}
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Previous ${name}" $2
  ${EndIf}
!macroend

!macro GiveBackDesktopValue name
  ClearErrors
  ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "Previous ${name}"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "${name}"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "${name}" $2
  ${EndIf}
!macroend

Function un.onInit
  !insertmacro ChooseLanguage
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "$(ProgramsSection)" SecPrograms
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; Over an older install the programs are replaced; Vantrel.ini stays.
  File "/oname=Vantrel.scr" "${HOST}"
  File "/oname=Vantrel.dll" "${RENDERER}"
  File "${TEXTS}/LICENSE.txt"
  File "${TEXTS}/README.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section "$(SaverSection)" SecSaver
  StrCpy $0 "$INSTDIR\Vantrel.scr"
  Call SaverPath
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ; Keep the choice this replaces, unless it is this Vantrel already (the
  ; setup run again): then the one kept the first time stays.
  ${If} $1 != $0
  ${AndIf} $1 != "$INSTDIR\Vantrel.scr"
    !insertmacro KeepDesktopValue "SCRNSAVE.EXE"
    !insertmacro KeepDesktopValue "ScreenSaveActive"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  StrCpy $0 1
  !insertmacro TellScreenSaverActive
SectionEnd

; Last, so that the size counts every file.
Section "-InstalledAppsEntry"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.scr"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
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
FunctionEnd

; Where the user's screen saver is still this Vantrel, the one chosen before
; it comes back (or none). Runs while the host is still there, for its short path.
Function un.GiveBackScreenSaver
  StrCpy $0 "$INSTDIR\Vantrel.scr"
  Call un.SaverPath
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 != $0
  ${AndIf} $1 != "$INSTDIR\Vantrel.scr"
    Return
  ${EndIf}
  !insertmacro GiveBackDesktopValue "SCRNSAVE.EXE"
  !insertmacro GiveBackDesktopValue "ScreenSaveActive"
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${If} $0 != ""
    !insertmacro TellScreenSaverActive
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.GiveBackScreenSaver
  Delete "$INSTDIR\Vantrel.scr"
  Delete "$INSTDIR\Vantrel.dll"
  Delete "$INSTDIR\Vantrel.ini"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: /D= may have named a folder that holds more than Vantrel.
  RMDir "$INSTDIR"
  ; The texture copies and the settings a standard user's runs made.
  RMDir /r "$LOCALAPPDATA\Vantrel"
  RMDir /r "$APPDATA\Vantrel"
  ; Where the user may write to C:\ the runs put the textures there. Every
  ; saver run writes them again, so another install loses nothing.
  Delete "C:\Yarrin1.bmp"
  Delete "C:\Yarrin2.bmp"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
