; The Windows installer of Sorvane, made by scripts/build-windows.sh:
;   makensis -DVERSION=3.0 -DSTAGE=<unpacked zip folder> -DOUTFILE=<setup.exe> -DICON=<sorvane.ico> sorvane-setup.nsi
; A per-user install (no administrator): both programs with the ApplicationFolder beside
; them in %LOCALAPPDATA%\Programs\Sorvane, and a Start-menu entry. The uninstaller removes
; the programs and never the user's data, reference tables or results. /S installs and
; uninstalls silently; /D=FOLDER (last on the command line) installs elsewhere.
; A 64-bit installer, like the programs it installs.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

Name "Sorvane ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Sorvane"
InstallDirRegKey HKCU "Software\Sorvane" "InstallFolder"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvane"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Sorvane"
  SetOutPath "$INSTDIR"
  File "${STAGE}\sorvane.exe"
  File "${STAGE}\sorvane-cli.exe"
  File "${STAGE}\README-windows.txt"
  ; The user's own folders: a file already there is the user's and is kept.
  SetOverwrite off
  File /r "${STAGE}\data"
  File /r "${STAGE}\support"
  CreateDirectory "$INSTDIR\OUTPUT"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Sorvane.lnk" "$INSTDIR\sorvane.exe" "" "$INSTDIR\sorvane.exe" 0
  WriteRegStr HKCU "Software\Sorvane" "InstallFolder" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Sorvane ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sorvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The programs go; data, support and OUTPUT stay (the folder with them).
Section "Uninstall"
  Delete "$INSTDIR\sorvane.exe"
  Delete "$INSTDIR\sorvane-cli.exe"
  Delete "$INSTDIR\README-windows.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Sorvane.lnk"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Sorvane"
SectionEnd
