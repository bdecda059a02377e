; A picture file holding a picture 0 pixels wide, written by the engine,
; loads as an empty picture when the screen is scaled.
new img, pic
new img, back
new text, t
new anima, a
new int, n
push 0
push 4
push 1
push 2
push 3
push 255
call pic, create
push "empty.zel"
call pic, save
push 160
push 120
call engine, setscreensize
push "empty.zel"
call back, load
call back, getw
pop n
call n, print
call back, geth
pop n
call n, print
push "empty.zel"
call t, load
call t, getw
pop n
call n, print
push "empty.lum"
call a, load
call a, getw
pop n
call n, print
push "still"
call a, play
call engine, redraw
call back, getw
pop n
call n, print
