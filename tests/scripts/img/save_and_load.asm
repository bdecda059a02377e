new img, pic
new img, back
new int, n
push 6
push 5
push 200
push 100
push 50
push 255
call pic, create
push "made.bmp"
call pic, save
push "made.png"
call pic, save
push "made.bmp"
call engine, fileexist
pop n
call n, print
push "made.png"
call engine, fileexist
pop n
call n, print
push "made.bmp"
call back, loadnoscale
call back, getw
pop n
call n, print
push 2
push 2
call back, getrgb
pop n
call n, print
pop n
call n, print
pop n
call n, print
push 128
call back, transparency
push 128
call back, transparency
push "made.bmp"
call back, loadbuffer
call back, createfrombuffer
call back, geth
pop n
call n, print
call back, free
call back, getw
pop n
call n, print
push "back"
call pic, convert
push "pic"
push 90.0
push 1.0
push 1.0
call back, buildrotozoom
push "back"
call pic, equal
pop n
call n, print
