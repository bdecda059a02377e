new img, pic
new filter, f
new int, n
new real, r
new string, s
new int, notpicture
push 20
push 10
push 255
push 0
push 0
push 255
call pic, create
push 100
push 50
call pic, setpos
push 10.0
call f, rotate
push 10.0
call f, rotate
call f, getangle
pop r
call r, print
push 10.0
call f, setrotate
call f, getangle
pop r
call r, print
push "nothing"
call f, link
push "notpicture"
call f, link
call f, getw
pop n
call n, print
push "pic"
call f, link
call f, getw
pop n
call n, print
push 0.0
call f, setangle
push 2.0
call f, setzoom
call f, getw
pop n
call n, print
call f, geth
pop n
call n, print
call f, getpx
pop n
call n, print
call f, getpy
pop n
call n, print
call pic, getw
pop n
call n, print
call f, getzoomx
pop r
call r, print
push 110
push 55
push 1
push 1
call f, isin
pop n
call n, print
push 80
push 55
push 1
push 1
call f, isin
pop n
call n, print
push 128
call f, setopacity
call f, getopacity
pop n
call n, print
push 2
call f, setpivottype
call f, getlevel
pop n
call n, print
push 90
call f, setlevel
call f, getlevel
pop n
call n, print
call f, unlink
call f, getzoomx
pop r
call r, print
call pic, getw
pop n
call n, print
