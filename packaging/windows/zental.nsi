; The ZENTAL installer: both programs for the current user, without administrator rights.
; build.sh runs makensis with
;   -DVERSION=<x.y.z> -DSTAGE=<the package folder> -DLICENCE=<licence page text> -DOUTFILE=<.exe>
;
; Installed under %LOCALAPPDATA%\Programs\ZENTAL, where Windows puts programs installed per user.
; Both Start-menu entries start in %APPDATA%\ZENTAL, made here, so that ZENTAL and ZENTAL Field
; read and write one Profiles.ini: the programs keep their data files in the folder they start in.
; The uninstaller takes the programs and the entries and leaves that folder: the files in it are
; the user's.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZENTAL"

Name "ZENTAL ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\ZENTAL"
BrandingText "ZENTAL ${VERSION}"

!include "MUI2.nsh"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "ZENTAL"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  CreateDirectory "$APPDATA\ZENTAL"

  ; A shortcut starts its program in the folder SetOutPath names last.
  SetOutPath "$APPDATA\ZENTAL"
  CreateShortcut "$SMPROGRAMS\ZENTAL.lnk" "$INSTDIR\bin\zental.exe"
  CreateShortcut "$SMPROGRAMS\ZENTAL Field.lnk" "$INSTDIR\bin\zental-field.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "ZENTAL"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velmora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\zental.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\ZENTAL.lnk"
  Delete "$SMPROGRAMS\ZENTAL Field.lnk"
  ; Only what the installer put there: bin, share, licenses and the uninstaller.
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  RMDir /r "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
