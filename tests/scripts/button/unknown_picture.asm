; A picture name that names nothing ends the program.
new button, b
push "nosuch"
push "null"
push "null"
call b, set
