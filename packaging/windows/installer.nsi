; The per-user setup of the three programs, made by packaging/windows/make-installer.sh, which defines
;   VERSION        the suite's version, 1.0.0
;   STAGE          the folder of the files to install, as in the zip
;   FILES          an include that installs them: the macro InstallFiles
;   LIST           the name of the file list in STAGE, which the setup installs too
;   SIZE_KB        what they take on disk
;   ICON           the setup's icon
;   OUTFILE        the setup program to write
; The file list is what an upgrade and the uninstaller remove: whatever a version installed, the next one takes
; away before it installs its own, so that nothing of an earlier version stays behind.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!define PRODUCT "Quendrith Tools"
!define PUBLISHER "The Quendrith Tools authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the earlier version is, unless /D= says otherwise.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var running
Var earlier

; Sets $running to the programs that run from the folder, "" when none does. A running program keeps its
; .exe open, and Windows then refuses to open it for writing.
!macro FindRunning folder
    StrCpy $running ""
    !insertmacro _RunningIn "${folder}" pellan
    !insertmacro _RunningIn "${folder}" sorvex
    !insertmacro _RunningIn "${folder}" korvane
!macroend
!macro _RunningIn folder program
    ${If} ${FileExists} "${folder}\${program}.exe"
        ClearErrors
        FileOpen $R9 "${folder}\${program}.exe" a
        ${If} ${Errors}
            ${If} $running == ""
                StrCpy $running "${program}"
            ${Else}
                StrCpy $running "$running, ${program}"
            ${EndIf}
        ${Else}
            FileClose $R9
        ${EndIf}
    ${EndIf}
!macroend

; Asks until no program runs from the folder; on Cancel, and at once when silent, ends with exit code 2
; before anything has changed.
!macro WaitUntilClosed folder what
    ${Do}
        !insertmacro FindRunning "${folder}"
        ${If} $running == ""
            ${ExitDo}
        ${EndIf}
        ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$running is running from $\"${folder}$\".$\r$\n$\r$\nClose it and choose Retry, or choose Cancel to ${what}." /SD IDCANCEL IDCANCEL`
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${Loop}
!macroend

; Removes what the file list in the folder names, files first, then the folders listed after them if they are
; empty, then the list. Only names inside the folder are taken: none that is absolute, names a drive, climbs
; out with ".." or holds a wildcard (a damaged list must not empty a folder of the user's own).
!macro DefineRemoveListed un
    Function ${un}RemoveListed
        Exch $0
        Push $1
        Push $2
        Push $3
        Push $4
        ${If} ${FileExists} "$0\${LIST}"
            FileOpen $1 "$0\${LIST}" r
            ${Do}
                ClearErrors
                FileRead $1 $2
                ${If} ${Errors}
                    ${ExitDo}
                ${EndIf}
                ${Do}
                    StrCpy $3 $2 1 -1
                    ${If} $3 == "$\r"
                    ${OrIf} $3 == "$\n"
                        StrCpy $2 $2 -1
                    ${Else}
                        ${ExitDo}
                    ${EndIf}
                ${Loop}
                StrCpy $3 $2 1
                ${If} $2 == ""
                ${OrIf} $3 == "\"
                ${OrIf} $3 == "/"
                    ${Continue}
                ${EndIf}
                StrCpy $4 0
                ${Do}
                    StrCpy $3 $2 2 $4
                    ${If} $3 == ""
                    ${OrIf} $3 == ".."
                        ${ExitDo}
                    ${EndIf}
                    StrCpy $3 $2 1 $4
                    ${If} $3 == ":"
                    ${OrIf} $3 == "*"
                    ${OrIf} $3 == "?"
                        ${ExitDo}
                    ${EndIf}
                    IntOp $4 $4 + 1
                ${Loop}
                ${If} $3 != ""
                    ${Continue}
                ${EndIf}
                StrCpy $3 $2 1 -1
                ${If} $3 == "\"
                    RMDir "$0\$2"
                ${Else}
                    Delete "$0\$2"
                ${EndIf}
            ${Loop}
            FileClose $1
            Delete "$0\${LIST}"
        ${EndIf}
        Pop $4
        Pop $3
        Pop $2
        Pop $1
        Pop $0
    FunctionEnd
!macroend
!insertmacro DefineRemoveListed ""
!insertmacro DefineRemoveListed "un."

!macro RemoveShortcuts
    Delete "${MENU_FOLDER}\Pellan.lnk"
    Delete "${MENU_FOLDER}\Sorvex.lnk"
    Delete "${MENU_FOLDER}\Korvane.lnk"
    RMDir "${MENU_FOLDER}"
!macroend

Section "Install"
    SetShellVarContext current
    ReadRegStr $earlier HKCU "${UNINSTALL_KEY}" "InstallLocation"
    !insertmacro WaitUntilClosed "$INSTDIR" "leave everything as it is"
    ${If} $earlier != ""
    ${AndIf} $earlier != $INSTDIR
        !insertmacro WaitUntilClosed "$earlier" "leave everything as it is"
    ${EndIf}

    ; The earlier version's files go first, wherever it was installed; its folder too, when nothing else is
    ; left in it.
    ${If} $earlier != ""
    ${AndIf} $earlier != $INSTDIR
        Push $earlier
        Call RemoveListed
        Delete "$earlier\${UNINSTALLER}"
        RMDir "$earlier"
    ${EndIf}
    Push $INSTDIR
    Call RemoveListed
    !insertmacro RemoveShortcuts

    ClearErrors
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    ; Only a program started meanwhile could hold a file open; setting up the rest still lets it be removed.
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP \
            "Some files could not be written into $\"$INSTDIR$\". Close the programs and run the setup again." /SD IDOK
        SetErrorLevel 3
    ${EndIf}

    SetOutPath "$INSTDIR"
    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\Pellan.lnk" "$INSTDIR\pellan.exe" "" "$INSTDIR\pellan.exe" 0 SW_SHOWNORMAL "" \
        "Find the lights to touch in the Underworld lights puzzle"
    CreateShortcut "${MENU_FOLDER}\Sorvex.lnk" "$INSTDIR\sorvex.exe" "" "$INSTDIR\sorvex.exe" 0 SW_SHOWNORMAL "" \
        "Keep three characters and work out the intellect for each school's next level"
    CreateShortcut "${MENU_FOLDER}\Korvane.lnk" "$INSTDIR\korvane.exe" "" "$INSTDIR\korvane.exe" 0 SW_SHOWNORMAL "" \
        "Count the improves still needed for the next level"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pellan.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    ; Run in place (_?=), so that whoever starts it gets its real exit code rather than that of a copy's start.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    ${un.GetOptions} $CMDLINE "/finish" $0
    ${IfNot} ${Errors}
        ${For} $1 1 100
            ClearErrors
            Delete "$INSTDIR\${UNINSTALLER}"
            ${IfNot} ${Errors}
                ${Break}
            ${EndIf}
            Sleep 100
        ${Next}
        SetOutPath "$TEMP"
        RMDir "$INSTDIR"
        Quit
    ${EndIf}
FunctionEnd

; sorvex's characters (HKCU\Software\Quendrith Converter) are the user's and stay.
Section "Uninstall"
    SetShellVarContext current
    !insertmacro WaitUntilClosed "$INSTDIR" "keep the programs"
    Push $INSTDIR
    Call un.RemoveListed
    !insertmacro RemoveShortcuts
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; Run in place, this program cannot delete itself: a copy of it in the temporary folder removes it, and the
    ; folder with it, once it has ended. The copy stays there: a per-user program cannot ask Windows to delete
    ; it at the next restart.
    SetOutPath "$TEMP"
    ClearErrors
    Delete "$INSTDIR\${UNINSTALLER}"
    ${If} ${Errors}
        GetTempFileName $0
        Delete $0
        CopyFiles /SILENT "$EXEPATH" "$0.exe"
        Exec '"$0.exe" /S /finish _?=$INSTDIR'
    ${Else}
        RMDir "$INSTDIR"
    ${EndIf}
SectionEnd
