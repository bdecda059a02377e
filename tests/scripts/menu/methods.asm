; A menu made by a script is empty: every method answers without items,
; and the int arguments other than 0 and -1 are refused with a line.
new menu, m
new int, n
new string, s
call m, getz
pop n
call n, print
call m, getid
pop n
call n, print
push 5
call m, setz
call m, getz
pop n
call n, print
call m, getid
pop n
call n, print
push -1
call m, isvisible
pop n
call n, print
push -1
call m, hide
push -1
call m, isvisible
pop n
call n, print
push -1
call m, show
push -1
call m, isvisible
pop n
call n, print
mov n, 77
push n
push 5
call m, hide
push 7
call m, show
push 0
call m, isvisible
pop n
call n, print
push "file"
call m, isvisible
pop n
call n, print
push "file"
call m, isvissub
pop n
call n, print
push 0
call m, show
push 0
call m, hide
push "file"
call m, show
push "file"
call m, hide
call m, getcheckedname
pop s
call s, print
call m, getcheckedtxt
pop s
call s, print
push "file"
call m, on
pop n
call n, print
push 0
push 0
push 1
push 1
call m, isin
pop n
call n, print
push 3
push 4
call m, move
push "file"
call m, next
push "file"
call m, prev
push "file"
push "nosuch.vec"
call m, addback
push "file"
push "nosuch.db"
call m, addfront
push "file"
push 4
call m, rewind
call m, pause
call m, resume
delete m
