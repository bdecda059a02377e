; Positions, sizes and hot-spot offsets at the ends of the int range: every
; sum saturates instead of overflowing, for every kind of visible object.
new img, pic
new anima, a
new text, t
new menu, m
new button, b
new vector, v
new int, n
push 4
push 3
push 255
push 0
push 0
push 255
call pic, create
push 2147483647
push 2147483647
call pic, move
push 2147483647
push 2147483647
call pic, move
call pic, getpx
pop n
call n, print
call pic, getex
pop n
call n, print
call pic, getcy
pop n
call n, print
push -2147483648
push -2147483648
call pic, move
push -2147483648
push -2147483648
call pic, move
call pic, getpy
pop n
call n, print
push 100
push 100
call pic, setlodxy
call pic, getpx
pop n
call n, print
call engine, redraw
; an animation whose frames have hot spots at the ends of the range
push "dot.bmp"
call pic, save
push "far.lum"
call a, load
push 10
push 10
call a, setpos
call a, getpx
pop n
call n, print
call a, getex
pop n
call n, print
push "far"
call a, play
call engine, redraw
push "far"
push 1
call a, setframe
call a, getpx
pop n
call n, print
call a, getpy
pop n
call n, print
push 2147483647
push 2147483647
call a, move
push 2147483647
push 2147483647
call a, move
call a, getcy
pop n
call n, print
call engine, redraw
; text
push "far"
call t, set
push 2147483647
push 0
call t, move
push 2147483647
push 0
call t, move
call t, getpx
pop n
call n, print
call t, getex
pop n
call n, print
call engine, redraw
; a menu with items
push "string"
call v, type
push "right"
call v, add
push "right"
call v, add
push "one"
call v, add
push "two"
call v, add
push "items.vec"
call v, save
push "null"
push "items.vec"
call m, addback
push 2147483647
push 0
call m, move
push 2147483647
push 0
call m, move
call engine, redraw
; a button's rectangle and cursor offset
push 2147483647
push 2147483647
push 2147483647
push 2147483647
call b, setrect
push 2147483647
push 2147483647
call b, setcursorpos
push 2147483647
push -2147483648
call mouse, setpos
call engine, redraw
