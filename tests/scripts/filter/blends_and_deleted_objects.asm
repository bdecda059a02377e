new img, base
new img, cover
new img, shot
new filter, f
new int, n
push 10
push 10
push 0
push 0
push 200
push 255
call base, create
push 10
push 10
push 200
push 0
push 0
push 255
call cover, create
push 5
push 0
call cover, setpos
push 20
push 20
push 0
push 0
push 0
push 255
call shot, create
push "base"
call f, link
push "cover"
call f, blend
call shot, blitscreen
push 7
push 5
call shot, getrgba
pop n
pop n
call n, print
pop n
pop n
call n, print
push "cover"
call f, umask
delete cover
call shot, blitscreen
push 7
push 5
call shot, getrgba
pop n
pop n
call n, print
pop n
pop n
call n, print
call f, removeallblend
