' A script client of the outside components: each created by its ProgID once registered, its
' members called by name. Argument: a window to attach tips to. Exit code: the failed checks.
Option Explicit
Dim failed, hwnd, tips, picture, bars
failed = 0
hwnd = CLng(WScript.Arguments(0))

Sub Check(ok, what)
    If Not ok Then
        failed = failed + 1
        WScript.Echo "failed: " & what
    End If
End Sub

Set tips = CreateObject("Quibbet.ToolTip")
tips.AddTool hwnd, "tip " & ChrW(&H8282), 5
tips.AddTool hwnd
tips.SetDelayTime 30000
tips.ShowBalloon hwnd, "help", , , True, "title", 1, , 5, , 0, 200
tips.ShowBalloon hwnd, "", , , , ""

Set picture = CreateObject("Pavrot.PictureBox")
Check picture.PicturePath = "", "a new box has no path"
picture.PicturePath = "pavrot_in.png"
Check picture.picturepath = "pavrot_in.png", "the path reads back"

Set bars = CreateObject("Selmoda.BarList")
bars.ShowBars 0, -1
On Error Resume Next
bars.ShowBars 0, 5
Check Err.Number <> 0, "a null bar list is refused"
Err.Clear
On Error GoTo 0

WScript.Quit failed
