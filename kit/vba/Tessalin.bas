Attribute VB_Name = "Tessalin"
' Tessalin.dll for the add-in, 64-bit Office only. Call LoadTessalin once with the absolute
' folder that holds Tessalin.dll, then call the public functions below: they have the
' exports' names, take and give VBA values, pass text as UTF-16, allocate the buffers and turn
' truth values into Booleans. The Declare statements are private to this module.
Option Explicit

' UTF-16 code units of the longest Windows path, without its NUL.
Public Const TessalinMaxPath As Long = 32767

Private Declare PtrSafe Function LoadLibraryW Lib "kernel32" (ByVal FileName As LongPtr) As LongPtr
Private Declare PtrSafe Function GetModuleHandleW Lib "kernel32" (ByVal ModuleName As LongPtr) As LongPtr
Private Declare PtrSafe Function GetModuleFileNameW Lib "kernel32" _
    (ByVal Module As LongPtr, ByVal FileName As LongPtr, ByVal Size As Long) As Long

Private Declare PtrSafe Sub DllInitializeTessaline Lib "Tessalin.dll" Alias "InitializeTessaline" ()
Private Declare PtrSafe Sub DllShutdownTessaline Lib "Tessalin.dll" Alias "ShutdownTessaline" ()

Private Declare PtrSafe Function DllShowMessageDialog Lib "Tessalin.dll" Alias "ShowMessageDialog" _
    (ByVal Language As Long, ByVal Owner As LongPtr, ByVal DefaultText As LongPtr, _
     ByVal Caption As LongPtr, ByVal MessageNumber As Long, ByVal Style As Long) As Long
Private Declare PtrSafe Function DllFormatMessageDialog Lib "Tessalin.dll" Alias "FormatMessageDialog" _
    (ByVal Language As Long, ByVal Owner As LongPtr, ByVal DefaultText As LongPtr, _
     ByVal Caption As LongPtr, ByVal Argument1 As LongPtr, ByVal MessageNumber As Long, _
     ByVal Style As Long) As Long
Private Declare PtrSafe Function DllGetLocaleCaptionWS Lib "Tessalin.dll" Alias "GetLocaleCaptionWS" _
    (ByVal Language As Long, ByVal MessageNumber As Long, ByVal DefaultText As LongPtr, _
     ByVal Buffer As LongPtr) As Long
Private Declare PtrSafe Function DllFormatLocaleCaptionWS Lib "Tessalin.dll" Alias "FormatLocaleCaptionWS" _
    (ByVal Language As Long, ByVal MessageNumber As Long, ByVal DefaultText As LongPtr, _
     ByVal Buffer As LongPtr, ByVal Argument1 As LongPtr, ByVal Argument2 As LongPtr) As Long
Private Declare PtrSafe Function DllGetMessagesFolder Lib "Tessalin.dll" Alias "GetMessagesFolder" _
    (ByVal Buffer As LongPtr) As Long

Private Declare PtrSafe Sub DllStartTessalineSession Lib "Tessalin.dll" Alias "StartTessalineSession" ()
Private Declare PtrSafe Function DllRegisterSlideShowWindow Lib "Tessalin.dll" Alias "RegisterSlideShowWindow" _
    (ByVal SlideShowWindow As LongPtr) As Integer
Private Declare PtrSafe Function DllTessalineSlideShowStarted Lib "Tessalin.dll" Alias "TessalineSlideShowStarted" () As Long
Private Declare PtrSafe Function DllDeregisterSlideShowWindow Lib "Tessalin.dll" Alias "DeregisterSlideShowWindow" _
    (ByVal SlideShowWindow As LongPtr) As Long
Private Declare PtrSafe Sub DllTessalineSlideShowsTerminated Lib "Tessalin.dll" Alias "TessalineSlideShowsTerminated" ()
Private Declare PtrSafe Sub DllEndTessalineSession Lib "Tessalin.dll" Alias "EndTessalineSession" ()

Private Declare PtrSafe Sub DllStartTessaline Lib "Tessalin.dll" Alias "StartTessaline" ()
Private Declare PtrSafe Sub DllEndTessaline Lib "Tessalin.dll" Alias "EndTessaline" ()
Private Declare PtrSafe Sub DllSwitchToWindow Lib "Tessalin.dll" Alias "SwitchToWindow" (ByVal Window As LongPtr)
' A Variant passed ByVal reaches the library as a pointer to the caller's copy.
Private Declare PtrSafe Function DllGetSSWHandle Lib "Tessalin.dll" Alias "GetSSWHandle" _
    (ByVal SlideShowWindow As Variant) As LongPtr
Private Declare PtrSafe Sub DllCreateNewSyncGroupId Lib "Tessalin.dll" Alias "CreateNewSyncGroupId" _
    (ByVal Buffer As LongPtr)

Private Declare PtrSafe Function DllGetMonitorCount Lib "Tessalin.dll" Alias "GetMonitorCount" () As Long
Private Declare PtrSafe Function DllGetMonitorInfo Lib "Tessalin.dll" Alias "GetMonitorInfo" _
    (ByVal Monitor As Long, ByRef MonitorLeft As Long, ByRef MonitorTop As Long, _
     ByRef MonitorWidth As Long, ByRef MonitorHeight As Long) As Long
Private Declare PtrSafe Sub DllShowMonitorNumbers Lib "Tessalin.dll" Alias "ShowMonitorNumbers" (ByVal Seconds As Long)

Private Declare PtrSafe Function DllCreateNotesView Lib "Tessalin.dll" Alias "CreateNotesView" _
    (ByVal ViewLeft As Long, ByVal ViewTop As Long, ByVal ViewWidth As Long, ByVal ViewHeight As Long) As LongPtr
Private Declare PtrSafe Sub DllDestroyNotesView Lib "Tessalin.dll" Alias "DestroyNotesView" (ByVal View As LongPtr)
Private Declare PtrSafe Sub DllSetNotesTitle Lib "Tessalin.dll" Alias "SetNotesTitle" _
    (ByVal View As LongPtr, ByVal Title As LongPtr)
Private Declare PtrSafe Sub DllSetNotesText Lib "Tessalin.dll" Alias "SetNotesText" _
    (ByVal View As LongPtr, ByVal NotesText As LongPtr)
Private Declare PtrSafe Sub DllShowNotesView Lib "Tessalin.dll" Alias "ShowNotesView" (ByVal View As LongPtr)
Private Declare PtrSafe Sub DllHideNotesView Lib "Tessalin.dll" Alias "HideNotesView" (ByVal View As LongPtr)

Private Declare PtrSafe Sub DllLChDir Lib "Tessalin.dll" Alias "LChDir" (ByVal Path As LongPtr)
Private Declare PtrSafe Sub DllLMkDir Lib "Tessalin.dll" Alias "LMkDir" (ByVal Path As LongPtr)
Private Declare PtrSafe Sub DllLForceMkDir Lib "Tessalin.dll" Alias "LForceMkDir" (ByVal Path As LongPtr)
Private Declare PtrSafe Function DllLCurDir Lib "Tessalin.dll" Alias "LCurDir" (ByVal Buffer As LongPtr) As Long
Private Declare PtrSafe Function DllLFolderExists Lib "Tessalin.dll" Alias "LFolderExists" (ByVal Path As LongPtr) As Integer
Private Declare PtrSafe Function DllLFileExists Lib "Tessalin.dll" Alias "LFileExists" (ByVal Path As LongPtr) As Integer
Private Declare PtrSafe Sub DllLDeleteFile Lib "Tessalin.dll" Alias "LDeleteFile" (ByVal Path As LongPtr)
Private Declare PtrSafe Sub DllCreateUnicodeIniFile Lib "Tessalin.dll" Alias "CreateUnicodeIniFile" (ByVal Path As LongPtr)
Private Declare PtrSafe Function DllRelativePath Lib "Tessalin.dll" Alias "RelativePath" _
    (ByVal BasePath As LongPtr, ByVal TargetPath As LongPtr, ByVal Buffer As LongPtr) As Long
Private Declare PtrSafe Function DllUserAppDataFolder Lib "Tessalin.dll" Alias "UserAppDataFolder" _
    (ByVal Buffer As LongPtr) As Long

Private Declare PtrSafe Function DllFileOpenDialog Lib "Tessalin.dll" Alias "FileOpenDialog" (ByVal Buffer As LongPtr) As Long
Private Declare PtrSafe Function DllFileSaveDialog Lib "Tessalin.dll" Alias "FileSaveDialog" (ByVal Buffer As LongPtr) As Long
Private Declare PtrSafe Function DllInsertMovieDialog Lib "Tessalin.dll" Alias "InsertMovieDialog" (ByVal Buffer As LongPtr) As Long

' Room for Length code units and the NUL the library writes after them.
Private Function NewBuffer(ByVal Length As Long) As String
    NewBuffer = String$(Length + 1, vbNullChar)
End Function

' Loads Tessalin.dll from Folder, so that the Declare statements find it. True on success.
' Folder must be absolute, "C:\..." or "\\server\share\...": a relative name would make
' Windows search the host's folders, where another Tessalin.dll could be planted.
' False too when a Tessalin.dll from another folder is loaded already (another add-in, or
' another version of this one): the Declare statements find a loaded Tessalin.dll by its name
' alone, so this add-in's calls would reach that copy, or split across both.
Public Function LoadTessalin(ByVal Folder As String) As Boolean
#If Win64 Then
    If Not (Folder Like "[A-Za-z]:\*" Or Folder Like "\\?*\?*") Then Exit Function
    If Right$(Folder, 1) <> "\" Then Folder = Folder & "\"
    Dim Loaded As String
    Loaded = LoadedTessalinFolder()
    If Loaded <> "" And StrComp(Loaded, Folder, vbTextCompare) <> 0 Then
        Debug.Print "Tessalin.dll is already loaded from " & Loaded & "; the copy in " & _
            Folder & " was not loaded."
        Exit Function
    End If
    LoadTessalin = (LoadLibraryW(StrPtr(Folder & "Tessalin.dll")) <> 0)
#Else
    ' Tessalin.dll is a 64-bit library: a 32-bit Office cannot load it, whatever the folder.
    Debug.Print "Tessalin.dll is 64-bit only: this 32-bit Office cannot load it."
#End If
End Function

' The folder, with its closing backslash, of the Tessalin.dll this process has loaded; ""
' when it has none.
Private Function LoadedTessalinFolder() As String
    Dim Module As LongPtr
    Module = GetModuleHandleW(StrPtr("Tessalin.dll"))
    If Module = 0 Then Exit Function
    Dim Path As String
    Path = NewBuffer(TessalinMaxPath)
    Path = Left$(Path, GetModuleFileNameW(Module, StrPtr(Path), TessalinMaxPath + 1))
    LoadedTessalinFolder = Left$(Path, InStrRev(Path, "\"))
End Function

Public Sub InitializeTessaline()
    DllInitializeTessaline
End Sub

Public Sub ShutdownTessaline()
    DllShutdownTessaline
End Sub

' Shows message MessageNumber of Language, else DefaultText; returns the button pressed.
Public Function ShowMessageDialog(ByVal Language As Long, ByVal Owner As LongPtr, _
        ByVal DefaultText As String, ByVal Caption As String, ByVal MessageNumber As Long, _
        ByVal Style As VbMsgBoxStyle) As VbMsgBoxResult
    ShowMessageDialog = DllShowMessageDialog(Language, Owner, StrPtr(DefaultText), _
        StrPtr(Caption), MessageNumber, Style)
End Function

' As ShowMessageDialog, with "%s1%" replaced by Argument1.
Public Function FormatMessageDialog(ByVal Language As Long, ByVal Owner As LongPtr, _
        ByVal DefaultText As String, ByVal Caption As String, ByVal Argument1 As String, _
        ByVal MessageNumber As Long, ByVal Style As VbMsgBoxStyle) As VbMsgBoxResult
    FormatMessageDialog = DllFormatMessageDialog(Language, Owner, StrPtr(DefaultText), _
        StrPtr(Caption), StrPtr(Argument1), MessageNumber, Style)
End Function

' Message MessageNumber of Language, else DefaultText. The loaded texts never change, so the
' length that the first call measures fits the second.
Public Function GetLocaleCaptionWS(ByVal Language As Long, ByVal MessageNumber As Long, _
        ByVal DefaultText As String) As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(DllGetLocaleCaptionWS(Language, MessageNumber, StrPtr(DefaultText), 0))
    Length = DllGetLocaleCaptionWS(Language, MessageNumber, StrPtr(DefaultText), StrPtr(Buffer))
    GetLocaleCaptionWS = Left$(Buffer, Length)
End Function

' As GetLocaleCaptionWS, with "%s1%" and "%s2%" replaced by the arguments.
Public Function FormatLocaleCaptionWS(ByVal Language As Long, ByVal MessageNumber As Long, _
        ByVal DefaultText As String, ByVal Argument1 As String, ByVal Argument2 As String) As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(DllFormatLocaleCaptionWS(Language, MessageNumber, StrPtr(DefaultText), 0, _
        StrPtr(Argument1), StrPtr(Argument2)))
    Length = DllFormatLocaleCaptionWS(Language, MessageNumber, StrPtr(DefaultText), _
        StrPtr(Buffer), StrPtr(Argument1), StrPtr(Argument2))
    FormatLocaleCaptionWS = Left$(Buffer, Length)
End Function

' The messages folder as the registry names it now. The value is read on every call, and the
' library writes it whole, knowing no size: a value that grew past the buffer between the
' measure and the fill is measured again and read once more.
Public Function GetMessagesFolder() As String
    Dim Buffer As String, Capacity As Long, Length As Long
    Length = DllGetMessagesFolder(0)
    Do
        Capacity = Length
        If Capacity < TessalinMaxPath Then Capacity = TessalinMaxPath
        Buffer = NewBuffer(Capacity)
        Length = DllGetMessagesFolder(StrPtr(Buffer))
    Loop While Length > Capacity
    GetMessagesFolder = Left$(Buffer, Length)
End Function

Public Sub StartTessalineSession()
    DllStartTessalineSession
End Sub

' True when this call put the slide-show window under the filter.
Public Function RegisterSlideShowWindow(ByVal SlideShowWindow As LongPtr) As Boolean
    RegisterSlideShowWindow = (DllRegisterSlideShowWindow(SlideShowWindow) <> 0)
End Function

' 0 when a slide-show window was put under the filter, nonzero when there was none.
Public Function TessalineSlideShowStarted() As Long
    TessalineSlideShowStarted = DllTessalineSlideShowStarted()
End Function

' True when the window was recorded; it has its own window procedure back.
Public Function DeregisterSlideShowWindow(ByVal SlideShowWindow As LongPtr) As Boolean
    DeregisterSlideShowWindow = (DllDeregisterSlideShowWindow(SlideShowWindow) <> 0)
End Function

Public Sub TessalineSlideShowsTerminated()
    DllTessalineSlideShowsTerminated
End Sub

Public Sub EndTessalineSession()
    DllEndTessalineSession
End Sub

Public Sub StartTessaline()
    DllStartTessaline
End Sub

Public Sub EndTessaline()
    DllEndTessaline
End Sub

Public Sub SwitchToWindow(ByVal Window As LongPtr)
    DllSwitchToWindow Window
End Sub

' The window handle of a SlideShowWindow object; 0 for any other value, Empty and numbers too.
Public Function GetSSWHandle(ByVal SlideShowWindow As Variant) As LongPtr
    GetSSWHandle = DllGetSSWHandle(SlideShowWindow)
End Function

' A new identifier such as {0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}.
Public Function CreateNewSyncGroupId() As String
    Dim Bytes(0 To 38) As Byte
    DllCreateNewSyncGroupId VarPtr(Bytes(0))
    CreateNewSyncGroupId = Left$(StrConv(Bytes, vbUnicode), 38)
End Function

Public Function GetMonitorCount() As Long
    GetMonitorCount = DllGetMonitorCount()
End Function

' Fills the rectangle of monitor 1 to GetMonitorCount (1 is at the origin) and returns its
' height; for a higher number fills nothing and returns the count.
Public Function GetMonitorInfo(ByVal Monitor As Long, ByRef MonitorLeft As Long, _
        ByRef MonitorTop As Long, ByRef MonitorWidth As Long, ByRef MonitorHeight As Long) As Long
    GetMonitorInfo = DllGetMonitorInfo(Monitor, MonitorLeft, MonitorTop, MonitorWidth, MonitorHeight)
End Function

Public Sub ShowMonitorNumbers(ByVal Seconds As Long)
    DllShowMonitorNumbers Seconds
End Sub

' A hidden notes window with this outer rectangle; pass the result to the other notes calls.
Public Function CreateNotesView(ByVal ViewLeft As Long, ByVal ViewTop As Long, _
        ByVal ViewWidth As Long, ByVal ViewHeight As Long) As LongPtr
    CreateNotesView = DllCreateNotesView(ViewLeft, ViewTop, ViewWidth, ViewHeight)
End Function

Public Sub DestroyNotesView(ByVal View As LongPtr)
    DllDestroyNotesView View
End Sub

Public Sub SetNotesTitle(ByVal View As LongPtr, ByVal Title As String)
    DllSetNotesTitle View, StrPtr(Title)
End Sub

' Shows what the clipboard holds and empties the clipboard; NotesText is not used.
Public Sub SetNotesText(ByVal View As LongPtr, ByVal NotesText As String)
    DllSetNotesText View, StrPtr(NotesText)
End Sub

Public Sub ShowNotesView(ByVal View As LongPtr)
    DllShowNotesView View
End Sub

Public Sub HideNotesView(ByVal View As LongPtr)
    DllHideNotesView View
End Sub

Public Sub LChDir(ByVal Path As String)
    DllLChDir StrPtr(Path)
End Sub

Public Sub LMkDir(ByVal Path As String)
    DllLMkDir StrPtr(Path)
End Sub

Public Sub LForceMkDir(ByVal Path As String)
    DllLForceMkDir StrPtr(Path)
End Sub

Public Function LCurDir() As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(TessalinMaxPath)
    Length = DllLCurDir(StrPtr(Buffer))
    LCurDir = Left$(Buffer, Length)
End Function

Public Function LFolderExists(ByVal Path As String) As Boolean
    LFolderExists = (DllLFolderExists(StrPtr(Path)) <> 0)
End Function

Public Function LFileExists(ByVal Path As String) As Boolean
    LFileExists = (DllLFileExists(StrPtr(Path)) <> 0)
End Function

Public Sub LDeleteFile(ByVal Path As String)
    DllLDeleteFile StrPtr(Path)
End Sub

Public Sub CreateUnicodeIniFile(ByVal Path As String)
    DllCreateUnicodeIniFile StrPtr(Path)
End Sub

' The path of TargetPath relative to the folder of BasePath; a folder ends in a backslash.
Public Function RelativePath(ByVal BasePath As String, ByVal TargetPath As String) As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(DllRelativePath(StrPtr(BasePath), StrPtr(TargetPath), 0))
    Length = DllRelativePath(StrPtr(BasePath), StrPtr(TargetPath), StrPtr(Buffer))
    RelativePath = Left$(Buffer, Length)
End Function

Public Function UserAppDataFolder() As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(TessalinMaxPath)
    Length = DllUserAppDataFolder(StrPtr(Buffer))
    UserAppDataFolder = Left$(Buffer, Length)
End Function

' The chosen session file, or "" when the user cancelled.
Public Function FileOpenDialog() As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(TessalinMaxPath)
    Length = DllFileOpenDialog(StrPtr(Buffer))
    FileOpenDialog = Left$(Buffer, Length)
End Function

' The chosen session file name, or "" when the user cancelled.
Public Function FileSaveDialog() As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(TessalinMaxPath)
    Length = DllFileSaveDialog(StrPtr(Buffer))
    FileSaveDialog = Left$(Buffer, Length)
End Function

' The chosen movie file, or "" when the user cancelled.
Public Function InsertMovieDialog() As String
    Dim Buffer As String, Length As Long
    Buffer = NewBuffer(TessalinMaxPath)
    Length = DllInsertMovieDialog(StrPtr(Buffer))
    InsertMovieDialog = Left$(Buffer, Length)
End Function
