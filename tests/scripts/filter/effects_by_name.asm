new img, pic
new img, top
new img, shot
new filter, f
new int, n
push 3
push 1
push 10
push 10
push 10
push 255
call pic, create
push 0
push 0
push 250
push 250
push 250
push 255
call pic, putrgba
push 20
push 20
push 0
push 0
push 0
push 255
call shot, create
call shot, hide
push "pic"
call f, link
push 100
call f, setlevel
call shot, blitscreen
push 1
push 0
call shot, getrgb
pop n
pop n
pop n
call n, print
push 0
push 0
call shot, getrgb
pop n
pop n
pop n
call n, print
push 1
push 0
call f, reversexy
call shot, blitscreen
push 2
push 0
call shot, getrgb
pop n
pop n
pop n
call n, print
push 3
push 1
push 100
push 0
push 0
push 255
call top, create
push "top"
call f, lineardodge
push "top"
call f, removeblend
push 1
call f, setmaskalpha
push "top"
call f, mask
push "top"
call f, loupe
push "nosuch"
call f, loupe
push "n"
call f, blend
call f, removeallblend
call engine, getstack
pop n
call n, print
