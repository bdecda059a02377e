; Pictures in every state, the shown and hidden flags, placement, and
; pictures that are deleted while a button holds them.
new button, b
new img, a
new img, o
new img, p
new int, n
new string, s
call b, getimg
pop s
call s, print
call b, disabled
pop n
call n, print
push 10
push 10
push 255
push 0
push 0
push 255
call a, create
push 10
push 10
push 0
push 255
push 0
push 255
call o, create
push 10
push 10
push 0
push 0
push 255
push 255
call p, create
; over and pressed "null": the normal picture in every state
push "a"
push "null"
push "null"
call b, set
call b, getimg
pop s
call s, print
call b, disabled
pop n
call n, print
call a, isvisible
pop n
call n, print
; "setan" is "set": normal shown, the others hidden
push "a"
push "o"
push "p"
call b, setan
call o, isvisible
pop n
call n, print
call p, isvisible
pop n
call n, print
call a, isvisible
pop n
call n, print
; "disable" hides the button and its pictures, "enable" shows it again
call b, disable
call b, disabled
pop n
call n, print
call a, isvisible
pop n
call n, print
call b, enable
call a, isvisible
pop n
call n, print
; "hide": state changes stop showing pictures; the normal one stays as it is
call b, hide
call a, isvisible
pop n
call n, print
call b, disabled
pop n
call n, print
call b, show
call a, isvisible
pop n
call n, print
; "setpos" moves every picture
push 30
push 40
call b, setpos
call p, getpx
pop n
call n, print
call o, getpy
pop n
call n, print
call a, getpx
pop n
call n, print
push 1
push 0
call b, setflags
push 0
push 0
call b, setcursorpos
push "o"
call b, setmouse
push "null"
call b, setmouse
call b, pause
call b, resume
; a picture deleted under the button
delete a
call b, getimg
pop s
call s, print
push 1
push 1
call b, setpos
call p, getpx
pop n
call n, print
; a rectangle of its own
push 0
push 0
push 5
push 5
call b, setrect
call b, getimg
pop s
call s, print
delete b
call p, isvisible
pop n
call n, print
