; "set" keeps the old rendering until "create" renders the new text in the
; stored colour; hit tests on the rendering; boxes from "setbkg", "copybkg"
; and "buildbkg" become the text's picture.
new text, t
new text, u
new text, v
new img, pic
new int, notpicture
new int, n
new int, w1
new int, w2
new int, d
push "ab"
call t, set
push 0
push 0
push 0
call t, createtxt
call t, getw
pop w1
push "abcdef"
call t, set
call t, getw
pop w2
sub w2, w1
pop d
call d, print
call t, create
call t, getw
pop w2
sub w2, w1
pop d
call d, sgn
pop d
call d, print
push 10
push 10
call t, setpos
push 11
push 11
push 1
push 0
call t, isin
pop n
call n, print
push 9
push 11
push 1
push 0
call t, isin
pop n
call n, print
call t, hide
push 11
push 11
push 1
push 0
call t, isin
pop n
call n, print
push 11
push 11
push 0
push 0
call t, isin
pop n
call n, print
call t, show
call t, getex
pop d
call t, getpx
pop n
sub d, n
pop d
call t, getw
pop n
sub d, n
pop d
call d, print
push "hi"
call u, set
push 5
push 6
push 100
push 20
push 0
push 0
push 255
push 255
call u, setbkg
call u, getpx
pop n
call n, print
call u, getpy
pop n
call n, print
call u, getw
pop n
call n, print
call u, geth
pop n
call n, print
call u, getcx
pop n
call n, print
call u, getcy
pop n
call n, print
call u, getex
pop n
call n, print
call u, getey
pop n
call n, print
push 2
push 255
push 0
push 0
push 255
call u, setborders
push 30
push 40
push 1
push 2
push 3
push 255
call pic, create
push 7
push 8
push "pic"
call u, copybkg
call u, getw
pop n
call n, print
call u, geth
pop n
call n, print
call u, getpx
pop n
call n, print
call u, getpy
pop n
call n, print
push 1
push 2
push "notpicture"
call u, copybkg
call u, getpx
pop n
call n, print
call u, getw
pop n
call n, print
push 0
push 0
push 100
push 100
call u, clip
push 3
push 4
call v, setpos
push "ab"
call v, set
push 0
push 0
push 0
push 128
call v, buildbkg
call v, getw
pop w1
push "abcdef"
call v, set
push 0
push 0
push 0
push 128
call v, buildbkg
call v, getw
pop w2
sub w2, w1
pop d
call d, sgn
pop d
call d, print
call v, getpx
pop n
call n, print
call v, getpy
pop n
call n, print
call engine, getstack
pop n
call n, print
