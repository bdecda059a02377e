new text, t
new int, n
push 1
push 2
push "nosuch"
call t, copybkg
