new img, pic
new img, other
new int, n
new int, x
new int, y
new int, notpicture
push 4
push 3
push 10
push 20
push 30
push 255
call pic, create
push 50
push 60
call pic, setpos
call pic, getw
pop n
call n, print
call pic, getposx
pop n
call n, print
call pic, getpos
pop y
pop x
call x, print
call y, print
push 51
push 61
call pic, getrgba
pop n
call n, print
pop n
call n, print
pop n
call n, print
pop n
call n, print
push -5
push 1000
call pic, getrgba
pop n
call n, print
pop n
pop n
pop n
push 1
push 1
push 300
push -7
push 99
push 128
call pic, putrgba
push 51
push 61
call pic, getrgba
pop n
call n, print
pop n
call n, print
pop n
call n, print
pop n
call n, print
push 70000
push -1
push 1
push 2
push 3
push 4
call pic, putrgba
push 2147483647
push 2147483647
push 1
push 2
push 3
call pic, putrgb
push 1000
push 1000
call pic, getrgb
pop n
call n, print
pop n
pop n
push 7
call pic, setz
call pic, getz
pop n
call n, print
push 52
push 61
push 1
push 1
call pic, isin
pop n
call n, print
push 40
push 61
push 1
push 0
call pic, isin
pop n
call n, print
push 0
push 0
push 52
push 100
call pic, clip
push 51
push 61
call pic, withincut
pop n
call n, print
push 52
push 61
call pic, withincut
pop n
call n, print
push "pic"
call other, copy
call other, getw
pop n
call n, print
push "pic"
call other, equal
pop n
call n, print
push "notpicture"
call other, clone
push "notpicture"
call other, equal
pop n
call n, print
push 3
push 4
call other, setlodxy
call other, lodx
pop n
call n, print
push 2.0
push 3.0
call other, scale
call other, geth
pop n
call n, print
call other, lody
pop n
call n, print
call pic, hide
call pic, isvisible
pop n
call n, print
call engine, getstack
pop n
call n, print
