' A script client of the outside components: each created by its ProgID once registered, its
' members called by name. Argument: a window to attach tips to. Exit code: 64 plus the failed
' checks (a script stopped by an error ends with 0 here, so success must be told apart).
On Error Resume Next
failed = 0
hwnd = CLng(WScript.Arguments(0))

' Counts a failed check; an error of a call before it fails it unless the error is expected.
Sub Check(ok, errorExpected, what)
    If (Err.Number <> 0) <> errorExpected Or Not ok Then
        failed = failed + 1
        WScript.Echo "failed: " & what & " " & Hex(Err.Number)
    End If
    Err.Clear
End Sub

Set tips = CreateObject("Quibbet.ToolTip")
tips.AddTool hwnd, "tip", 5
Check True, True, "a tool window of another process is refused"
tips.AddTool hwnd, String(2047, "x"), 1
Check True, True, "a tool window of another process is refused, whatever its text"
tips.SetDelayTime 30000
tips.ShowBalloon hwnd, "help", , , True, "title", 1, , 5, , 0, 200
tips.ShowBalloon hwnd, "", , , , ""
Check IsObject(tips), False, "Quibbet.ToolTip and its calls"
tips.AddTool 0, "no window"
Check True, True, "a control that is no window is refused"

Set picture = CreateObject("Pavrot.PictureBox")
Check picture.PicturePath = "", False, "Pavrot.PictureBox has no path at first"
picture.PicturePath = "pavrot_in.png"
Check picture.picturepath = "pavrot_in.png", False, "the path reads back"

Set bars = CreateObject("Selmoda.BarList")
bars.ShowBars 0, -1
Check IsObject(bars), False, "Selmoda.BarList emptied"
bars.ShowBars 0, 5
Check True, True, "a null bar list is refused"

WScript.Quit 64 + failed
