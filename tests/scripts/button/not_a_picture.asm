; A name of another kind of object is no picture.
new button, b
new string, s
push "s"
push "s"
push "s"
call b, set
call b, getimg
pop s
call s, print
