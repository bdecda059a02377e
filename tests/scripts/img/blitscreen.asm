new img, shot
new img, red
new img, green
new img, hidden
new int, n
push 40
push 30
push 0
push 0
push 0
push 255
call shot, create
; A black copy, hidden and below the layers asked of getimg.
new img, black
push "shot"
call black, clone
call black, hide
push -1
call black, setz
push 10
push 10
push 255
push 0
push 0
push 255
call red, create
push 10
push 10
push 0
push 255
push 0
push 255
call green, create
push 5
push 5
call green, setpos
push 10
push 10
push 0
push 0
push 255
push 255
call hidden, create
call hidden, hide
call shot, hide
call shot, blitscreen
push 2
push 2
call shot, getrgb
pop n
pop n
pop n
call n, print
push 7
push 7
call shot, getrgb
pop n
pop n
call n, print
pop n
push 20
push 20
call shot, getrgb
pop n
call n, print
pop n
call n, print
pop n
call n, print
push 2
push 2
push 0
push 0
push 0
push 10
call engine, getimg
new string, s
pop s
call s, print
; A white text alone in a snapshot leaves the black picture unlike black (0).
call red, hide
call green, hide
push "black"
call shot, clone
new text, word
push "HH"
call word, set
push 255
push 255
push 255
call word, createtxt
call shot, blitscreen
push "black"
call shot, equal
pop n
call n, print
