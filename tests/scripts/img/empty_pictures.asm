; Pictures 0 pixels wide or high stay empty through every zoom and
; rotation, keep working, and draw nothing.
new img, pic
new img, turned
new filter, f
new int, n
; scale: 0 x 5, 5 x 0, 0 x 0
push 0
push 5
push 1
push 2
push 3
push 255
call pic, create
push 2.0
push 3.0
call pic, scale
call pic, getw
pop n
call n, print
call pic, geth
pop n
call n, print
push 5
push 0
push 1
push 2
push 3
push 255
call pic, create
push 0.5
push 2.0
call pic, scale
call pic, getw
pop n
call n, print
call pic, geth
pop n
call n, print
push 0
push 0
push 1
push 2
push 3
push 255
call pic, create
push 2.0
push 2.0
call pic, scale
call pic, getw
pop n
call n, print
; rotation and zoom of 0 x 0, at angle 0 and 30
push "pic"
push 0.0
push 2.0
push 2.0
call turned, buildrotozoom
call turned, getw
pop n
call n, print
call turned, geth
pop n
call n, print
push "pic"
push 30.0
push 1.0
push 1.0
call turned, buildrotozoom
call turned, getw
pop n
call n, print
call turned, geth
pop n
call n, print
; a zooming filter on a picture that becomes empty shows nothing
push 10
push 8
push 255
push 0
push 0
push 255
call pic, create
push "pic"
call f, link
push 2.0
call f, setzoom
call f, getw
pop n
call n, print
push 0
push 8
push 255
push 0
push 0
push 255
call pic, create
call f, getw
pop n
call n, print
call engine, redraw
push 3
push 4
push 7
push 7
push 7
push 255
call pic, create
call f, getw
pop n
call n, print
call engine, redraw
