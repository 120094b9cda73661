' A user's macro beside the assistant, late-bound by name as any script is:
' it reaches the spreadsheet through the open workbook "Book1", types
' specifications into the attached BOM sheet and checks what the assistant
' made of them. Each failed check prints a line and counts; the exit code is
' the number of failures.
'
'   cscript //nologo bom_macro.vbs type      types the plates and the rest, checks the rows
'   cscript //nologo bom_macro.vbs renewed   checks that renew all wrote row 7's weights again
Option Explicit

Const kRed = 255
' The spreadsheet's error 0x800A03EC, as a script sees it: run-time error 1004.
Const kSpreadsheetError = 1004

Dim app, sheet, failures
Set app = GetObject("Book1").Application
Set sheet = app.ActiveSheet
failures = 0

Sub Check(what, actual, expected)
  If CStr(actual) = CStr(expected) Then
    WScript.Echo "ok    " & what & ": " & actual
  Else
    WScript.Echo "FAIL  " & what & ": " & actual & ", expected " & expected
    failures = failures + 1
  End If
End Sub

' Types `spec` into column B of `row`, as a person's macro would.
Sub TypeSpec(row, spec)
  sheet.Cells(row, 2).Value = spec
End Sub

Sub TypeRows()
  ' A plate with the apostrophe stays a text and gets its weights.
  TypeSpec 5, "'-120*6"
  Check "B5 shows", sheet.Range("B5").Text, "-120*6"
  Check "B5 keeps its apostrophe apart", sheet.Range("B5").PrefixCharacter, "'"
  Check "F5", sheet.Cells(5, 6).Formula, "=C5*5.650000/1000"
  Check "G5", sheet.Cells(5, 7).Formula, "=(D5+E5)*F5"
  Check "B5 colour", sheet.Cells(5, 2).Font.Color, 0

  ' Without it the spreadsheet reads the formula =-120*6: the cell shows
  ' -720, which is no specification, and turns red.
  TypeSpec 6, "-120*6"
  Check "B6 formula", sheet.Range("B6").Formula, "=-120*6"
  Check "B6 shows", sheet.Range("B6").Text, "-720"
  Check "B6 colour", sheet.Cells(6, 2).Font.Color, kRed
  Check "F6", sheet.Cells(6, 6).Formula, ""

  TypeSpec 7, "H300*200*6*8"
  Check "F7", sheet.Cells(7, 6).Formula, "=C7*38.500000/1000"

  ' A wrong specification turns red.
  TypeSpec 8, "nonsense"
  Check "B8 colour", sheet.Cells(8, 2).Font.Color, kRed

  ' A minus that does not make a formula is refused, as typing it would be.
  On Error Resume Next
  TypeSpec 9, "-120~200*6"
  Check "B9 refused", Err.Number, kSpreadsheetError
  On Error GoTo 0
  Check "B9 stays empty", sheet.Range("B9").Text, ""

  ' Row 7's weight cleared, for renew all to write again.
  sheet.Cells(7, 6).Value = ""
End Sub

Select Case WScript.Arguments(0)
  Case "type"
    TypeRows
  Case "renewed"
    Check "F7 renewed", sheet.Cells(7, 6).Formula, "=C7*38.500000/1000"
    Check "B5 still a text", sheet.Range("B5").Text, "-120*6"
End Select
' Let go of the spreadsheet before quitting: the script host ends at once.
Set sheet = Nothing
Set app = Nothing
WScript.Quit failures
