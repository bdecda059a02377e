; A new text shows the empty text and is locked; the allowed-character
; methods unlock it, "lock" locks it; layer, place, visibility and the
; stored colour.
new text, t
new int, n
new string, s
call t, get
pop s
call s, print
call t, unlocked
pop n
call n, print
call t, letalf
call t, unlocked
pop n
call n, print
call t, lock
call t, unlocked
pop n
call n, print
call t, letcyph
call t, unlocked
pop n
call n, print
call t, lock
call t, letall
call t, unlocked
pop n
call n, print
call t, lock
call t, unlock
call t, unlocked
pop n
call n, print
push 5
call t, setz
call t, getz
pop n
call n, print
push 12
push 34
call t, setpos
call t, getpx
pop n
call n, print
call t, getpy
pop n
call n, print
push 3
push -4
call t, move
call t, getpx
pop n
call n, print
call t, getpy
pop n
call n, print
call t, isvisible
pop n
call n, print
call t, hide
call t, isvisible
pop n
call n, print
call t, show
call t, isvisible
pop n
call n, print
call t, pause
call t, resume
call t, getcolor
pop n
call n, print
pop n
call n, print
pop n
call n, print
push "Hello"
call t, set
call t, get
pop s
call s, print
push 200
push 10
push 20
call t, createtxt
call t, getcolor
pop n
call n, print
pop n
call n, print
pop n
call n, print
push "Other"
push 1
push 2
push 3
call t, loadtxt
call t, get
pop s
call s, print
call t, getcolor
pop n
call n, print
pop n
pop n
call engine, getstack
pop n
call n, print
