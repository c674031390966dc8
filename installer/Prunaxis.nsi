; The setup program of Prunaxis, compiled by makensis (cmake/setup-exe.cmake):
; installs the program folder for all users under Program Files, a Start menu
; shortcut and the program's uninstall entry, and writes an uninstaller that
; removes exactly that again. What the user made (Config.ini, backups) is kept
; unless the user ticks "Settings and backups" or passes /PURGE.
;
; Silent use:  Prunaxis-<version>-setup.exe /S [/D=<folder>]
;              Uninstall.exe /S [/PURGE]
;
; The build defines: PRODUCT_NAME, PUBLISHER, WEB_ADDRESS, COPYRIGHT, VERSION,
; VERSION_FULL, OUT_FILE, ICON, DEFAULTS_EXE, FILES_NSH, UNFILES_NSH,
; UNFOLDERS_NSH, COMPONENT_CLSID, COMPONENT_PROGID.

Unicode true
SetCompressor /SOLID lzma
; Per machine: the program's work is machine-wide (HKLM uninstall entries, the
; machine's Run keys, its component's registration), so it lives where all users
; find it and only administrators can change it.
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

; A 32-bit setup program: on 64-bit Windows this key lies in the 32-bit view
; (WOW6432Node), beside the entries of the other 32-bit programs.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT_NAME}.lnk"
!define UNINSTALLER "Uninstall.exe"
; The files that the installer writes itself, besides the program folder's.
!define MARKER "Installed.ini"
!define LANGUAGE_TEMPLATE "Langs\English.ini"
!define SKIN_TEMPLATE "Skins\Default.ini"

Name "${PRODUCT_NAME} ${VERSION}"
OutFile "${OUT_FILE}"
; $PROGRAMFILES is the 32-bit program folder on 64-bit Windows, as the program is 32-bit.
InstallDir "$PROGRAMFILES\${PRODUCT_NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT_NAME} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_FULL}"
VIFileVersion "${VERSION_FULL}"
VIAddVersionKey "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey "FileDescription" "${PRODUCT_NAME} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Prunaxis.exe"

; Where an installed copy keeps the settings of the user who runs the uninstaller.
Var UserSettings

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Config.ini and the $\"Back up$\" folder in $UserSettings and in $INSTDIR hold your own settings and backups: they are kept unless you tick them here."
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext all
FunctionEnd

Section "${PRODUCT_NAME}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; First, so that whatever a failed installation leaves can be removed again.
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  !include "${FILES_NSH}"
  SetOutPath "$INSTDIR"
  File "/oname=${MARKER}" "${MARKER}"

  ; The language and skin templates, written by the program's own code from its
  ; built-in tables, so that no first start has to write into this folder.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\PrunaxisDefaults.exe" "${DEFAULTS_EXE}"
  ClearErrors
  ExecWait '"$PLUGINSDIR\PrunaxisDefaults.exe" "$INSTDIR"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "The language and skin files could not be written into $INSTDIR." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Delete "$PLUGINSDIR\PrunaxisDefaults.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\Prunaxis.exe" "" "$INSTDIR\Prunaxis.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Prunaxis.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_ADDRESS}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; ---------------------------------------------------------------------------
; Uninstaller

; $R0 := 1 when ${PATH} is a folder of its own, 0 when it is missing, a file, or a
; link (junction, symbolic link) that leads somewhere else: what lies behind a link
; is not ours to delete.
!macro IsRealFolder PATH
  System::Call 'kernel32::GetFileAttributesW(w "${PATH}") i .R0'
  ${If} $R0 = -1
    StrCpy $R0 0
  ${Else}
    IntOp $R1 $R0 & 0x410 ; FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT
    ${If} $R1 = 0x10
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
  ${EndIf}
!macroend

; The component's registration, which the program writes at every start, when it
; names this folder's Rostrel.dll; a registration of another copy is left alone.
!macro RemoveComponentRegistration ROOT
  ReadRegStr $0 ${ROOT} "Software\Classes\CLSID\${COMPONENT_CLSID}\InprocServer32" ""
  ${If} $0 == "$INSTDIR\Rostrel.dll"
    DeleteRegKey ${ROOT} "Software\Classes\CLSID\${COMPONENT_CLSID}"
    ReadRegStr $1 ${ROOT} "Software\Classes\${COMPONENT_PROGID}\CLSID" ""
    ${If} $1 == "${COMPONENT_CLSID}"
      DeleteRegKey ${ROOT} "Software\Classes\${COMPONENT_PROGID}"
    ${EndIf}
  ${EndIf}
!macroend

; Config.ini and the backups that the program writes into ${FOLDER}: the files of
; "Back up\reg" and "Back up\scr", never anything below a link.
!macro RemoveSettings FOLDER
  !insertmacro IsRealFolder "${FOLDER}"
  ${If} $R0 = 1
    Delete "${FOLDER}\Config.ini"
    !insertmacro IsRealFolder "${FOLDER}\Back up"
    ${If} $R0 = 1
      !insertmacro RemoveBackupFiles "${FOLDER}\Back up\reg"
      !insertmacro RemoveBackupFiles "${FOLDER}\Back up\scr"
      RMDir "${FOLDER}\Back up"
    ${EndIf}
  ${EndIf}
!macroend

!macro RemoveBackupFiles FOLDER
  !insertmacro IsRealFolder "${FOLDER}"
  ${If} $R0 = 1
    Delete "${FOLDER}\*.*" ; files only; a sub-folder keeps the folder
    RMDir "${FOLDER}"
  ${EndIf}
!macroend

Section "un.${PRODUCT_NAME}" UnSecProgram
  SectionIn RO
  !insertmacro RemoveComponentRegistration HKLM
  !insertmacro RemoveComponentRegistration HKCU
  Delete "${SHORTCUT}"
  !include "${UNFILES_NSH}"
  Delete "$INSTDIR\${LANGUAGE_TEMPLATE}"
  Delete "$INSTDIR\${SKIN_TEMPLATE}"
  Delete "$INSTDIR\${MARKER}"
  Delete "$INSTDIR\${UNINSTALLER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Settings and backups" UnSecSettings
  ; A copy that ran without the marker kept them beside itself.
  !insertmacro RemoveSettings "$INSTDIR"
  !insertmacro RemoveSettings "$UserSettings"
  RMDir "$UserSettings"
SectionEnd

; Last: the folders, each only when nothing is left in it.
Section "-un.Folders"
  !include "${UNFOLDERS_NSH}"
  RMDir "$INSTDIR"
SectionEnd

; After the sections, whose indexes it uses: /PURGE ticks "Settings and backups".
Function un.onInit
  SetShellVarContext current
  StrCpy $UserSettings "$APPDATA\${PRODUCT_NAME}"
  SetShellVarContext all
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd
