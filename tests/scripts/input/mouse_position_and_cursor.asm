; The mouse: both names of the position getters, moving the mouse, showing
; and hiding the cursor, a picture as cursor, and names of objects that are
; not pictures, which change nothing.
new int, n
new int, x
new string, s
new img, arrow
push 12
push 8
push 255
push 0
push 0
push 255
call arrow, create
push 30
push 40
call mouse, setpos
call mouse, getpx
pop n
call n, print
call mouse, getposx
pop n
call n, print
call mouse, getpy
pop n
call n, print
call mouse, getposy
pop n
call n, print
call mouse, getpos
pop x
pop n
call n, print
call x, print
call mouse, isvisible
pop n
call n, print
call mouse, hide
call mouse, isvisible
pop n
call n, print
call mouse, show
call mouse, isvisible
pop n
call n, print
push "arrow"
call mouse, setcursor
call mouse, getcx
pop n
call n, print
call mouse, getcy
pop n
call n, print
push "n"
call mouse, setcursor
push "n"
call mouse, stdbutcursor
push "s"
call mouse, setsyscursor
call mouse, getcx
pop n
call n, print
push "arrow"
call mouse, stdbutcursor
call mouse, stdcursor
call mouse, hidesys
call engine, getstack
pop n
call n, print
