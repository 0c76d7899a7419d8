; Per-user setup of Velmo FTP Tandril 2: needs no administrator rights and
; writes nothing outside the user's own profile and registry hive.
;
; makensis /DSOURCE_DIR=<folder with FTPTandril.exe, config.ini, FTPTtrl.ini,
;          help.chm> [/DPROGRAM_FILE=<the exe, when it lies elsewhere>]
;          [/DOUT_FILE=<setup exe>] [/DPROGRAM_ICON=<ico>] FTPTandril.nsi

; The program is 64-bit only, so the setup is too: a 32-bit setup would also
; need the 32-bit subsystem, which a 64-bit-only Wine does not have.
Target amd64-unicode
ManifestDPIAware true

!ifndef SOURCE_DIR
  !error "Give the folder of the built program with /DSOURCE_DIR=..."
!endif
!ifndef PROGRAM_FILE
  !define PROGRAM_FILE "${SOURCE_DIR}/FTPTandril.exe"
!endif
!ifndef OUT_FILE
  !define OUT_FILE "FTPTandril-2.00-setup.exe"
!endif

!define PRODUCT "Velmo FTP Tandril"
!define DISPLAY_NAME "Velmo FTP Tandril 2"
!define VERSION "2.00"
!define PUBLISHER "Velmo"
!define EXE "FTPTandril.exe"
; The key under which Windows lists the program in its "Apps" settings.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmo FTP Tandril 2"

Name "${DISPLAY_NAME}"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${DISPLAY_NAME}"

VIProductVersion "2.0.0.0"
VIFileVersion "2.0.0.0"
VIAddVersionKey "ProductName" "${DISPLAY_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${DISPLAY_NAME} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"

!ifdef PROGRAM_ICON
  !define MUI_ICON "${PROGRAM_ICON}"
  !define MUI_UNICON "${PROGRAM_ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${DISPLAY_NAME}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Section "${DISPLAY_NAME}" SecProgram
  SectionIn RO
  ; The shortcut and the uninstall entry belong to this user only.
  SetShellVarContext current

  SetOutPath "$INSTDIR"
  File "/oname=${EXE}" "${PROGRAM_FILE}"
  File "${SOURCE_DIR}/config.ini"
  File "${SOURCE_DIR}/FTPTtrl.ini"
  File "${SOURCE_DIR}/help.chm"
  ; The connection check fetches its test file into this folder and fails
  ; without it.
  CreateDirectory "$INSTDIR\temp"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
                 SW_SHOWNORMAL "" "Copy files between your computer and an FTP server"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes exactly what the setup put down. The user's settings under
; %APPDATA%\Velmo stay, so that a new installation finds them again, and the
; installation folder goes only when nothing else was put into it.
Section "Uninstall"
  SetShellVarContext current

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\config.ini"
  Delete "$INSTDIR\FTPTtrl.ini"
  Delete "$INSTDIR\help.chm"
  RMDir /r "$INSTDIR\temp"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
