' A script client of the outside components: each created by its ProgID once registered, its
' members called by name. Argument: a window to attach tips to. Exit code: 64 plus the failed
' checks (a script stopped by an error ends with 0 here, so success must be told apart).
Option Explicit
On Error Resume Next
Dim failed, hwnd, tips, picture, bars, refused
failed = 0
hwnd = CLng(WScript.Arguments(0))

' Counts a failed check, or an error of the call before it.
Sub Check(ok, what)
    If Err.Number <> 0 Or Not ok Then
        failed = failed + 1
        WScript.Echo "failed: " & what & " " & Hex(Err.Number)
    End If
    Err.Clear
End Sub

Set tips = CreateObject("Quibbet.ToolTip")
Check IsObject(tips), "Quibbet.ToolTip created"
tips.AddTool hwnd, "tip", 5
Check True, "AddTool with a text"
tips.AddTool hwnd
Check True, "AddTool without a text"
tips.SetDelayTime 30000
Check True, "SetDelayTime"
tips.ShowBalloon hwnd, "help", , , True, "title", 1, , 5, , 0, 200
Check True, "ShowBalloon"
tips.ShowBalloon hwnd, "", , , , ""
Check True, "ShowBalloon removing"
tips.AddTool 0, "no window"
refused = Err.Number <> 0
Err.Clear
Check refused, "a control that is no window is refused"

Set picture = CreateObject("Pavrot.PictureBox")
Check picture.PicturePath = "", "Pavrot.PictureBox created with no path"
picture.PicturePath = "pavrot_in.png"
Check picture.picturepath = "pavrot_in.png", "the path reads back"

Set bars = CreateObject("Selmoda.BarList")
Check IsObject(bars), "Selmoda.BarList created"
bars.ShowBars 0, -1
Check True, "ShowBars emptying"
bars.ShowBars 0, 5
refused = Err.Number <> 0
Err.Clear
Check refused, "a null bar list is refused"

WScript.Quit 64 + failed
