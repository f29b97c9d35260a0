; The Numoria installer: makensis -DVERSION=1.1.0 -DOUTFILE=<setup.exe>
;   -DINSTALL_LIST=<nsh> -DUNINSTALL_LIST=<nsh> numoria.nsi
; INSTALL_LIST names exactly the files installed, in a fixed order, so the
; installer is the same bytes from one build to the next; UNINSTALL_LIST
; deletes those files one by one, so uninstalling never sweeps away anything
; else in the folder.
; Both run silently with /S.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Numoria"

Name "Numoria ${VERSION}"
; The footer names the program, not the tool that built the installer.
BrandingText "Numoria ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Numoria"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
!define MUI_ICON "numoria.ico"
!define MUI_UNICON "numoria.ico"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Numoria"
VIAddVersionKey /LANG=1033 "CompanyName" "Ordalis"
VIAddVersionKey /LANG=1033 "FileDescription" "Numoria ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 Ordalis"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The program's own languages; the one matching Windows is chosen.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "German"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Numoria"
    !include "${INSTALL_LIST}"
    ; CreateShortcut gives the program the current output folder as its working folder.
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Numoria.lnk" "$INSTDIR\numoria.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Numoria"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Ordalis"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\numoria.exe$\",0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Numoria.lnk"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
