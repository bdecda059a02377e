new img, pic
new filter, f
new int, n
new real, r
push 40
push 20
push 1
push 2
push 3
push 255
call pic, create
push 100
push 100
call pic, setpos
push "pic"
call f, link
push 5.0
push 2.0
call f, rotatezoom
call f, getangle
pop r
call r, print
call f, getzoomx
pop r
call r, print
push 3.0
push 0.5
call f, setzoomxy
call f, getzoomx
pop r
call r, print
call f, getzoomy
pop r
call r, print
push 4.0
push 1.5
push 2.5
call f, rotatezoomxy
call f, getangle
pop r
call r, print
call f, getzoomx
pop r
call r, print
call f, getzoomy
pop r
call r, print
push 30.0
push 0.25
call f, setanglezoom
call f, getangle
pop r
call r, print
call f, getzoomy
pop r
call r, print
push 0.0
push 2.0
push 0.5
call f, setanglezoomxy
call f, getw
pop n
call n, print
call f, geth
pop n
call n, print
call f, getpx
pop n
call n, print
call f, getex
pop n
call n, print
call f, getcx
pop n
call n, print
call f, getey
pop n
call n, print
call f, getcy
pop n
call n, print
push 1
call f, setpivottype
push 0
call f, setsmooth
push 1.0
call f, setzoom
call f, getpx
pop n
call n, print
call f, normal
call f, getangle
pop r
call r, print
push 100
push 100
call f, setrotpoint
push 90.0
call f, setangle
call f, getw
pop n
call n, print
call f, getpx
pop n
call n, print
call f, getpy
pop n
call n, print
