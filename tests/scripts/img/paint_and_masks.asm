new img, a
new img, b
new img, m
new int, n
push 4
push 4
push 100
push 100
push 100
push 255
call a, create
push 10
push 20
call a, move
call a, getcx
pop n
call n, print
call a, getey
pop n
call n, print
push 0
push 0
call a, move
push 200
push 0
push 0
push 255
push 1
call a, paint
push 11
push 21
call a, getrgb
pop n
pop n
pop n
call n, print
push 2
push 2
push 0
push 0
push 0
push 255
call b, create
push 10
push 20
call b, setpos
push "b"
call a, erase
push 10
push 20
call a, getrgba
pop n
call n, print
pop n
pop n
pop n
push 12
push 22
call a, getrgba
pop n
call n, print
pop n
pop n
pop n
push 4
push 4
push 0
push 0
push 0
push 128
call m, create
push 10
push 20
call m, setpos
push 4
push 4
push 0
push 250
push 0
push 255
call b, create
push 10
push 20
call b, setpos
push "b"
push "m"
call a, paintfromsrc
push 13
push 23
call a, getrgba
pop n
call n, print
pop n
pop n
call n, print
pop n
push "b"
push "m"
call a, blitmask
push 11
push 21
call a, getrgba
pop n
call n, print
pop n
pop n
call n, print
pop n
push 1
call a, bitmask
push 9
push 19
push 1
push 1
call a, isin
pop n
call n, print
call a, rle
call a, hide
call a, show
call a, isvisible
pop n
call n, print
call engine, getstack
pop n
call n, print
