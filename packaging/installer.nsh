; The Windows installer's own lines, included at the top of the script CPack writes.

; The Start-menu folder keeps the game's plain name, without the version that the
; installer's title and pages show.
!define MUI_STARTMENUPAGE_DEFAULTFOLDER "Trelvane"

; The finish page's "Start Trelvane" box (ticked): the game starts in its own folder,
; the working directory it reads its pictures and sounds from.
!define MUI_FINISHPAGE_RUN "$INSTDIR\trelvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Trelvane"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTrelvane
Function StartTrelvane
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\trelvane.exe"'
FunctionEnd
