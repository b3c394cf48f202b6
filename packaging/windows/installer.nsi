; The Windows setup program: both programs and Data under Program Files, Start-menu shortcuts,
; an uninstaller registered in Add/Remove Programs. Silent with /S; /D=folder picks the folder.
; Built by packaging/windows/make-installer.sh, which defines VERSION, DIST (the folder that
; `make windows` fills), OUTFILE, LICENSE, NOTICES and ICON, and writes uninstall-files.nsh.

; A 64-bit setup for the 64-bit programs (it needs no 32-bit layer under Wine either).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define APP "PebbleFrost"
!define PUBLISHER "The PebbleFrost developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "(C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\PebbleFrostWindowed.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Play ${APP} now"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "${APP}"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${DIST}\PebbleFrost.exe"
  File "${DIST}\PebbleFrostWindowed.exe"
  File /oname=License.txt "${LICENSE}"
  File /oname=ThirdPartyNotices.txt "${NOTICES}"
  File /oname=PebbleFrost.ico "${ICON}"
  File /r "${DIST}\Data"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The programs look for Data in their working directory first: start them in theirs.
  CreateDirectory "$SMPROGRAMS\${APP}"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\PebbleFrostWindowed.exe" "" \
    "$INSTDIR\PebbleFrost.ico"
  CreateShortcut "$SMPROGRAMS\${APP}\${APP} (Full Screen).lnk" "$INSTDIR\PebbleFrost.exe" "" \
    "$INSTDIR\PebbleFrost.ico"
  CreateShortcut "$SMPROGRAMS\${APP}\Uninstall ${APP}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\PebbleFrost.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; Removes exactly what the setup put there, so a folder chosen with /D that held other files
; keeps them.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
  Delete "$SMPROGRAMS\${APP}\${APP} (Full Screen).lnk"
  Delete "$SMPROGRAMS\${APP}\Uninstall ${APP}.lnk"
  RMDir "$SMPROGRAMS\${APP}"
  Delete "$INSTDIR\PebbleFrost.exe"
  Delete "$INSTDIR\PebbleFrostWindowed.exe"
  Delete "$INSTDIR\License.txt"
  Delete "$INSTDIR\ThirdPartyNotices.txt"
  Delete "$INSTDIR\PebbleFrost.ico"
  !include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
